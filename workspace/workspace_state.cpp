#include "workspace/workspace_state.h"

namespace plumetra {

Grid& gridOf(Workspace& ws, GridId id) {
  switch (id) {
    case GridId::Diet:
      return ws.GridDiets;
    case GridId::Analysis:
      return ws.Gridanal;
    default:
      return ws.gridflockin;
  }
}

const Grid& gridOf(const Workspace& ws, GridId id) {
  switch (id) {
    case GridId::Diet:
      return ws.GridDiets;
    case GridId::Analysis:
      return ws.Gridanal;
    default:
      return ws.gridflockin;
  }
}

}  // namespace plumetra
