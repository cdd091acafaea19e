#include "workspace/workspace_state.h"

namespace plumetra {

const Grid& gridOf(const Workspace& ws, GridId id) {
  switch (id) {
    case GridId::Diet:
      return ws.dietGrid;
    case GridId::Analysis:
      return ws.analysisGrid;
    default:
      return ws.flockGrid;
  }
}

Grid& gridOf(Workspace& ws, GridId id) {
  // The same choice as the const overload; the grid belongs to the non-const workspace.
  return const_cast<Grid&>(gridOf(static_cast<const Workspace&>(ws), id));
}

}  // namespace plumetra
