#include "workspace/optional_items.h"

#include "workspace/data_set.h"
#include "workspace/flock_sex.h"
#include "workspace/livability_columns.h"
#include "workspace/matching.h"

namespace plumetra {

std::vector<std::pair<int, int>> optionalItemProposals(const Workspace& ws, std::vector<std::string>& notes) {
  // The heading search sees only the columns no item holds yet.
  Grid unmatched = ws.flockGrid;
  for (int c = 0; c < unmatched.cols(); ++c)
    if (unmatched.background(0, c) == colours::Matched) unmatched.setText(0, c, "");
  const LivabilityColumns livability =
      findLivabilityColumns(unmatched, ws.flockIdSet[ItemBirds] ? ws.flockCol[ItemBirds] : -1);

  std::vector<std::pair<int, int>> out;
  const auto propose = [&](OptionalItem item, int col) {
    if (col >= 0 && matchedFlockColumn(ws, entryOf(item)) < 0) out.emplace_back(entryOf(item), col);
  };
  propose(OptionalItem::Mortality, livability.mortality);
  propose(OptionalItem::BirdsSold, livability.birdsSold);
  if (!livability.problem.empty() && matchedFlockColumn(ws, entryOf(OptionalItem::Mortality)) < 0)
    notes.push_back(std::string(MortalityDataId) + " was left unmatched: " + livability.problem + ".");
  for (int c = 0; c < unmatched.cols(); ++c)
    if (namesFlockSex(unmatched.text(0, c)) && holdsSexes(unmatched, c, flockRowsOf(unmatched))) {
      propose(OptionalItem::FlockSex, c);
      break;
    }
  return out;
}

}  // namespace plumetra
