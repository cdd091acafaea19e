#pragma once
// The main window's controls as plain data, with their design-time captions and tooltips.
// The desktop mirrors these into widgets; the core reads and writes only these.

#include <array>
#include <string>
#include <utility>

#include "controls/controls.h"
#include "controls/grid.h"

namespace plumetra {

// The three grids of the main window, for ActiveGrid and TargetGrid.
enum class GridId { Flock, Diet, Analysis };

// Tabs of tabs.
inline constexpr int FlockTab = 0;
inline constexpr int DietTab = 1;
inline constexpr int AnalysisTab = 2;

// Tooltips of combos and labels (whose plain-data state has no tooltip field).
inline constexpr char SheetTip[] = "If you choose the wrong one, just choose again";
inline constexpr char DataIdTip[] =
    "Choose the Variable to be Entered and Double Click on the Header in the Grid";
inline constexpr char ClearTip[] = "If you click on the wrong Column, just clear and ReSelect";
inline constexpr char SkipTip[] =
    "Click here to see the next Data Column, or just use the DropDown to choose the one you want";
inline constexpr char AverageBoxTip[] = "Will be calculated from your data later";
inline constexpr char FlockSexTip[] =
    "The flocks' sex, needed by the analysis. If your data has more than one sex designation, click "
    "the label Flock Sex";
inline constexpr char kFlockSexLabelTip[] = "If your data has more than one sex designation CLICK HERE";
// What the data file box shows until a data file is loaded.
inline constexpr char kDataFileCaption[] = "Select Data File - Click Here";
inline constexpr char FirstSortTip[] =
    "Numerical Types will show below - Text Types will be on a new window";

namespace controls {
inline Button button(std::string caption, std::string toolTip = {}) {
  Button b;
  b.caption = std::move(caption);
  b.toolTip = std::move(toolTip);
  return b;
}
inline TextBox textBox(std::string text, std::string toolTip = {}) {
  TextBox t;
  t.text = std::move(text);
  t.toolTip = std::move(toolTip);
  return t;
}
// An empty box that shows `placeholder` until the user types.
inline TextBox placeholderBox(std::string placeholder, std::string toolTip) {
  TextBox t;
  t.placeholder = std::move(placeholder);
  t.toolTip = std::move(toolTip);
  return t;
}
inline Label label(std::string caption) {
  Label l;
  l.caption = std::move(caption);
  return l;
}
inline Combo combo(std::string text) {
  Combo c;
  c.text = std::move(text);
  return c;
}
}  // namespace controls

struct MainWindowControls {
  // Location and data file.
  TextBox locationBox = controls::placeholderBox("Double Click or type a Location Name",
                                                 "Click to Open existing file or type a Location Name");
  Label locationLabel = controls::label("Calibrated Location");
  Button gettingStartedButton = controls::button("Getting Started", "How to bring in your flock data and match its columns");
  TextBox dataFileBox = controls::textBox(kDataFileCaption);
  TextBox matchHintBox = controls::textBox("Match the Grid Column with the ID and Double Click");

  // Flock sex and split.
  Combo flockSexChoice = controls::combo("Not set: choose");
  Label flockSexLabel = controls::label("Flock Sex");
  Label splitLabel = controls::label("Flock Split, %");
  std::array<Label, 3> splitCaptions{controls::label("Low"), controls::label("Middle"), controls::label("High")};
  TextBox highSplitBox = controls::textBox("20");
  TextBox middleSplitBox = controls::textBox("60");
  TextBox lowSplitBox = controls::textBox("20");

  // Command buttons.
  Button analyseButton =
      controls::button("Plumetra",
                       "Calculates Expected Live Weight, Age and Feed Conversion based on "
                       "Feed Intake");
  Button calibrateButton =
      controls::button("Calibrate and Store the Flock Splits",
                       "Fits the Data for the Three Splits.  Takes a few seconds.");
  Button lowerCostButton =
      controls::button("Look for Lower Cost with Feed Intake",
                       "Finds Diets that Fit the Outcomes with Intake Best.  Takes a few seconds.");
  Button revalueButton = controls::button("ReValue Predictions",
                                     "Uses Calibration Values to Fit the Predicted Values for each "
                                     "Location.");
  Button outlierButton = controls::button("Outlier Ident.",
                                            "Finds the flocks whose feed conversion lies far from the rest and offers "
                                            "to take them out of the split (Edit > Undo puts them back)");
  Button correlationButton = controls::button("Show Correlations",
                                                "Opens a window of the correlations between the numeric columns");
  Button sortHelpButton = controls::button("Sort Grid Help", "How the analysis results are sorted and averaged");
  Button recordButton = controls::button("Record Selected",
                                              "Matches the column of the selected cell to the chosen Data ID, as a "
                                              "double-click on its heading does (Edit > Undo takes it back)");

  TabState tabs{{"Flock Data", "Diet Data", "Analysis Results"}, 0};

  // Tab "Flock Data".
  Combo flockSheetChoice = controls::combo("Select Excel Sheet");
  Grid flockGrid{};
  Combo flockDataIds{};
  Label flockDataIdLabel = controls::label("Data ID - Column with * Required");
  Button clearFlockItemButton = controls::button("Clear an Item", ClearTip);
  Button skipFlockItemButton = controls::button("Skip an Item", SkipTip);
  TextBox averageWeightBox = controls::textBox("", AverageBoxTip);
  TextBox averageConversionBox = controls::textBox("", AverageBoxTip);
  Label averageWeightLabel = controls::label("Flock Ave. Wt.");
  Label averageConversionLabel = controls::label("Flock Ave.Convix");

  // Tab "Diet Data".
  Combo dietSheetChoice = controls::combo("Select Diet Sheet Here");
  Grid dietGrid{};
  Combo dietDataIds{};
  Label dietDataIdLabel = controls::label("Data ID - Column with * Required");
  Button clearDietItemButton = controls::button("Clear an Item", ClearTip);
  Button skipDietItemButton = controls::button("Skip an Item", SkipTip);
  Button openDietFileButton = controls::button("Open Existing Diet File", "Reads the diets of a diet file (.dts)");

  // Tab "Analysis Results".
  Grid analysisGrid{};
  int analysisGridFontSize = 0;  // points; 0 until the window has loaded
  Combo firstSortChoice = controls::combo("Initial Sort");
  Combo secondSortChoice = controls::combo("Second Sort");
  Button startSecondSortButton = controls::button("Start Second Sort",
                                                "Sorts within the groups of the first sort by the second variable");
  Button clearSecondSortButton = controls::button("Clear Second Sort", "Leaves the second sort out");
  Button plotButton = controls::button("Plot the Sorted Data", "Opens a chart of two columns of the results");
  Label firstSortLabel = controls::label("Select First Sort Variable");
  Label secondSortLabel = controls::label("Select Second Sort Variable");
  Label sortOrderLabel = controls::label("Sorts are Done Smallest Value to Largest");
  Label performanceLabel{};
};

}  // namespace plumetra
