#pragma once
// The two optional flock items that give a flock's livability: "Mortality %" (dead and culled
// birds in percent of those placed) or "Birds Sold" (birds that left the house alive). They are
// matched as optional flock items (workspace/optional_items.h); while neither is matched, the
// columns their headings name are taken.

#include <optional>
#include <string>
#include <string_view>

#include "controls/grid.h"
#include "workspace/workspace_state.h"

namespace plumetra {

struct LivabilityColumns {
  int mortality = -1;  // grid column, -1 when none
  int birdsSold = -1;
  std::string problem{};  // why a mortality column was not taken, "" when none was refused
  bool any() const { return mortality >= 0 || birdsSold >= 0; }
};

// The leftmost heading of row 0 that names each item ("Mortality %", "Mortality", "Mort. %",
// "Cum. mortality pct"; "Birds Sold", "Birds processed", "Head slaughtered"). A count of dead
// birds ("Dead birds", "Mortality (birds)") is no percentage and is not taken, nor is a column
// without a percent sign in its heading whose numbers all lie below 1 (a share: 0.032 for
// 3.2 %, which is told in `problem` rather than guessed); the column matched as the number of
// birds (`birdsColumn`, -1 for none) is never taken as birds sold, nor is a feed or weight
// heading ("Feed delivered (t)").
LivabilityColumns findLivabilityColumns(const Grid& grid, int birdsColumn);

// The livability columns of the data set: the matched "Mortality %" and "Birds Sold" columns, or
// findLivabilityColumns while neither is matched. A matched mortality column holding a share
// below 1 is refused as above.
LivabilityColumns livabilityColumnsOf(const Workspace& ws);

// A percentage cell: "3.2", "3.2%" or "3.2 %" is 3.2; std::nullopt for anything else.
std::optional<double> percentCell(std::string_view text);

// Livability in percent of the birds placed from either item: 100 - mortality, or
// sold / placed x 100. A value outside 0..100 or a missing input gives a negative result
// (unknown).
double livabilityPercent(const Grid& grid, int row, const LivabilityColumns& columns, double birdsPlaced);

}  // namespace plumetra
