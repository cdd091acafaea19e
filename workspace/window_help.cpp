#include "workspace/window_help.h"

#include "workspace/auto_match.h"
#include "workspace/flock_sex.h"
#include "workspace/matching.h"

namespace plumetra {

namespace {

constexpr char GettingStartedText[] =
    "Open your flock file with File > Open... (Ctrl+O): a workbook opens on the sheet that holds the "
    "flocks. Or copy the flock table from your spreadsheet, headings included, click the Flock Data "
    "grid and press Ctrl+V (or right-click and choose Paste): its first line becomes the heading row.\n\n"
    "Then match the columns: Ctrl+M matches every heading Plumetra knows. For any other, choose its "
    "name in the Data ID list and double-click the column's heading, until every Data ID with a star "
    "is matched. Edit > Undo takes back a wrong match.";

constexpr char SortHelpText[] =
    "Sorting of all data by a Single Item can be done by Clicking on the Header of that Item in the "
    "lower data grid OR Selecting the Item on the Box at the Right.\n"
    "Averages will be calculated for all Numerical variables and displayed in the upper data grid.\n"
    "If the Item is Non-numerical like Farm Name the Averages of all numerical values will be "
    "displayed in a new window.\n"
    "The Second Sort Item must be Non-Numerical and displayed in a new window. ";

constexpr char PerformanceIndexText[] =
    "The new value of Perf. Index is Performance Index.  Calculated as Delta Wt. Gain - Delta Convix "
    "to sharpen differences";

constexpr char MultiSexQuestion[] =
    "IF the Flocks have different Sexes, M for males, F for females and X for Mixed, Click Yes";
constexpr char MultiSexTitle[] = "Multiple Sex Divisions";
constexpr char MultiSexPrompt[] = "Enter the Header used for the Column containing the Sex designation";
constexpr char MultiSexDefault[] = "Sex";

constexpr char FlockSexPrompt[] =
    "The flock sex is not set. Type Mixed, Males or Females (Mixed for flocks of several sexes "
    "or not sexed):";
constexpr char FlockSexTitle[] = "Flock Sex";
constexpr char NoFlockSexRun[] =
    "Nothing was run: the flock sex is needed. Choose it in the Flock Sex list beside the Plumetra "
    "button, then run again.";

}  // namespace

void showGettingStarted(Dialogs& dialogs) { dialogs.message(GettingStartedText); }

void showSortHelp(Dialogs& dialogs) { dialogs.message(SortHelpText); }

void explainPerformanceIndex(Dialogs& dialogs) { dialogs.message(PerformanceIndexText); }

void askSexColumn(Workspace& ws, Dialogs& dialogs) {
  if (!dialogs.yesNo(MultiSexQuestion)) return;
  const std::optional<std::string> header = dialogs.input(MultiSexPrompt, MultiSexTitle, MultiSexDefault);
  if (!header || header->empty()) return;
  Grid& flocks = ws.flockGrid;
  for (int c = 1; c < flocks.cols(); ++c) {
    if (flocks.text(0, c) == *header) {
      // The column is matched as the Flock Sex item, as a double-click on its heading would.
      const int shown = ws.flockDataIds.index;
      ws.flockDataIds.choose(entryOf(OptionalItem::FlockSex));
      flocks.setCurrent(0, c);
      doubleClickMatch(ws, MatchSide::Flock, UnitSettings{}, dialogs);  // no unit: the sexes are text
      ws.flockDataIds.choose(shown);
      ws.chosenSex = MixedSex;
      dialogs.message("The flock sex is set to Mixed; the sexes are in the column \"" + *header +
                          "\". Each flock grows as the sex its cell names (M, F or X), Mixed where it names none.",
                      FlockSexTitle);
      return;
    }
  }
  dialogs.message("No column of the flock data is headed \"" + *header + "\": the flock sex was not changed.",
                  FlockSexTitle);
}

bool requiredMatchesMade(const Workspace& ws, Dialogs& dialogs) {
  const std::vector<std::string> missing = unmatchedRequiredItems(ws);
  if (missing.empty()) return true;
  std::string text = "Plumetra cannot run yet: these Data IDs are not matched to a column:";
  for (const std::string& id : missing) text += "\n  " + id;
  dialogs.message(text + "\n\nCtrl+M matches the headings Plumetra knows. For any other, choose the Data ID in the list "
                         "on the Flock Data or Diet Data tab and double-click the heading of its column. A diet file "
                         "(File > Open...) matches the nutrients.",
                  "Data IDs to Match");
  return false;
}

bool askFlockSexIfMissing(Workspace& ws, Dialogs& dialogs) {
  if (ws.chosenSex >= 0) return true;
  const std::optional<std::string> answer = dialogs.input(FlockSexPrompt, FlockSexTitle, "Mixed");
  const std::optional<int> sex = answer ? sexOfText(*answer) : std::nullopt;
  if (!sex) {
    dialogs.message(NoFlockSexRun, FlockSexTitle);
    return false;
  }
  ws.chosenSex = *sex;
  return true;
}

}  // namespace plumetra
