// A flock file with the two optional livability items beside the fixed Data IDs: the Data ID
// list file keeps its twelve lines, remembers the items after them, and an old list still replays.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>

#include "controls/batch_dialogs.h"
#include "files/free_format.h"
#include "state/load_inputs.h"
#include "state/startup.h"
#include "workspace/list_file.h"
#include "workspace/livability_columns.h"
#include "workspace/matching.h"
#include "tests/support/temp_folder.h"

namespace plumetra {
namespace {

namespace fs = std::filesystem;

constexpr char Flocks[] =
    "House,Birds Placed,Age,Avg Weight,FCR,Starter,Grower,Finisher,Mortality %,Birds Sold\r\n"
    "1,20000,40,2.5,1.60,0.4,1.6,2.0,4,19200\r\n"
    "2,18000,35,2.2,1.50,0.4,1.3,1.6,,17460\r\n"
    "3,21000,45,2.8,1.75,0.4,2.0,2.5,5,19950\r\n";

struct Loaded {
  std::unique_ptr<AppState> state = std::make_unique<AppState>();
  std::ostringstream messages;
  BatchDialogs dialogs{messages};
  Loaded(const fs::path& csv, ListFileChoice list) {
    startUp(*state, PLUMETRA_SOURCE_DIR "/data", dialogs);
    dialogs.answerYesNo("A list file", true);
    LoadInputsOptions options;
    options.flocks = csv;
    options.listFile = list;
    options.autoMatch = !list || list->empty();
    EXPECT_TRUE(loadInputs(*state, options, dialogs).ok) << messages.str();
  }
};

// The list remembers the livability items matched by heading after its twelve lines; without
// those lines (a list of the previous release) the fixed items replay and the livability
// columns are found by their headings.
TEST(LivabilityData, TheListRemembersTheLivabilityItemsAndAnOldListStillReplays) {
  const testing::TestTempFolder folder("plumetra_lst");
  const fs::path& dir = folder.path();
  const fs::path csv = dir / "flocks.csv";
  std::ofstream(csv, std::ios::binary) << Flocks;

  Loaded matched(csv, fs::path());
  const Workspace& first = matched.state->workspace;
  const std::string list = ListFileText(first);
  EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), ListFileLines + 2);
  std::size_t twelveLines = 0;
  for (int line = 0; line < ListFileLines; ++line) twelveLines = list.find('\n', twelveLines) + 1;
  const std::string oldList = list.substr(0, twelveLines);
  std::ofstream(dir / "new.lst", std::ios::binary) << list;
  std::ofstream(dir / "old.lst", std::ios::binary) << oldList;

  const int mortality = entryOf(OptionalItem::Mortality), birdsSold = entryOf(OptionalItem::BirdsSold);
  for (const char* name : {"new.lst", "old.lst"}) {
    SCOPED_TRACE(name);
    Loaded replayed(csv, dir / name);
    const Workspace& ws = replayed.state->workspace;
    for (int item = ItemLiveWeight; item <= ItemFirstIntake + 2; ++item) {
      EXPECT_TRUE(ws.FlockIdSet[static_cast<std::size_t>(item)]) << item;
      EXPECT_EQ(ws.FlockCol[static_cast<std::size_t>(item)], first.FlockCol[static_cast<std::size_t>(item)]) << item;
    }
    const bool remembered = std::string(name) == "new.lst";
    EXPECT_EQ(matchedFlockColumn(ws, mortality), remembered ? 8 : -1);
    EXPECT_EQ(matchedFlockColumn(ws, birdsSold), remembered ? 9 : -1);
    // Matched or found by their headings, the same columns.
    const LivabilityColumns found = livabilityColumnsOf(ws);
    EXPECT_EQ(found.mortality, 8);
    EXPECT_EQ(found.birdsSold, 9);
  }
}

}  // namespace
}  // namespace plumetra
