#include "workspace/window_help.h"

namespace plumetra {

namespace {

constexpr char GettingStartedText[] =
    "Open Your Excel File and Type Ctrl + A (Select All) and then Ctrl + C (copy) and then click on "
    "the Flock Data Grid and Crtl + V or right mouse click and select Paste\n\n"
    "Now Match the Grid Column with the Name in the Data ID Window and Double Click on the Grid Cell "
    "until the ID Names with Stars have been filled.";

constexpr char SortHelpText[] =
    "Sorting of all data by a Single Item can be done by Clicking on the Header of that Item in the "
    "lower data grid OR Selecting the Item on the Box at the Right.\n"
    "Averages will be calculated for all Numerical variables and displayed in the upper data grid.\n"
    "If the Item is Non-numerical like Farm Name the Averages of all numberical values will be "
    "displayed in a new window.\n"
    "The Second Sort Item must be Non-Numerical and displayed in a new window. ";

constexpr char PerformanceIndexText[] =
    "The new value of Perf. Index is Performance Index.  Calculated as Delta Wt. Gain - Delta Convix "
    "to sharpen differences";

constexpr char MultiSexQuestion[] =
    "IF the Flocks have different Sexes, M for males, F for females and X for Mixed, Click Yes";
constexpr char MultiSexTitle[] = "Mutiple Sex Divisions";
constexpr char MultiSexPrompt[] = "Enter the Header used for the Column containing the Sex designation";
constexpr char MultiSexDefault[] = "Sex";

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
      flocks.setCurrent(0, c);
      return;
    }
  }
}

}  // namespace plumetra
