#pragma once
// The main window's buttons, boxes, labels and lists as plain data, with their design-time
// captions and tooltips. The desktop mirrors these into widgets. The workspace's data (the
// grids, the Data ID lists, the sheets, the chosen sex) lives in the workspace; these only
// show it.

#include <array>
#include <string>
#include <utility>

#include "controls/controls.h"

namespace plumetra {


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
inline constexpr char FlockSexLabelTip[] = "If your data has more than one sex designation CLICK HERE";
// What the data file box shows until a data file is loaded.
inline constexpr char DataFileCaption[] = "Select Data File - Click Here";
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
inline Button disabled(Button b) {
  b.enabled = false;
  return b;
}
inline Button hidden(Button b) {
  b.visible = false;
  b.enabled = false;
  return b;
}
// "Will be calculated from your data later": the flocks' averages, on a pale green.
inline TextBox averageBox() {
  TextBox t = textBox("", AverageBoxTip);
  t.background = Rgb{230, 238, 230};
  return t;
}
// The list's entries are the growth model's sex codes: Mixed 0, Males 1, Females 2.
inline Combo sexChoice() {
  Combo c = combo("Not set: choose");
  c.items = {"Mixed", "Males", "Females"};
  return c;
}
}  // namespace controls

struct MainWindowControls {
  // Location and data file.
  TextBox locationBox = controls::placeholderBox("Double Click or type a Location Name",
                                                 "Click to Open existing file or type a Location Name");
  Label locationLabel = controls::label("Calibrated Location");
  Button gettingStartedButton = controls::button("Getting Started", "How to bring in your flock data and match its columns");
  TextBox dataFileBox = controls::textBox(DataFileCaption);
  TextBox matchHintBox = controls::textBox("Match the Grid Column with the ID and Double Click");

  // Flock sex and split.
  Combo flockSexChoice = controls::sexChoice();
  Label flockSexLabel = controls::label("Flock Sex");
  Label splitLabel = controls::label("Flock Split, %");
  std::array<Label, 3> splitCaptions{controls::label("Low"), controls::label("Middle"), controls::label("High")};
  // The percent of the flocks in the Low, Middle and High groups, as typed.
  std::array<TextBox, 3> splitBoxes{controls::textBox("20"), controls::textBox("60"), controls::textBox("20")};

  // Command buttons.
  Button analyseButton =
      controls::button("Plumetra",
                       "Calculates Expected Live Weight, Age and Feed Conversion based on "
                       "Feed Intake");
  Button calibrateButton = controls::disabled(controls::button("Calibrate and Store the Flock Splits",
                                                     "Fits the Data for the Three Splits.  Takes a few seconds."));
  Button lowerCostButton =
      controls::button("Look for Lower Cost with Feed Intake",
                       "Finds Diets that Fit the Outcomes with Intake Best.  Takes a few seconds.");
  Button revalueButton = controls::button("ReValue Predictions",
                                     "Uses Calibration Values to Fit the Predicted Values for each "
                                     "Location.");
  // Shown once the outlier search has found flocks to offer.
  Button outlierButton = controls::hidden(controls::button("Outlier Ident.",
                                                 "Finds the flocks whose feed conversion lies far from the rest and "
                                                 "offers to take them out of the split (Edit > Undo puts them back)"));
  Button correlationButton = controls::button("Show Correlations",
                                                "Opens a window of the correlations between the numeric columns");
  Button sortHelpButton = controls::button("Sort Grid Help", "How the analysis results are sorted and averaged");
  Button recordButton = controls::button("Record Selected",
                                              "Matches the column of the selected cell to the chosen Data ID, as a "
                                              "double-click on its heading does (Edit > Undo takes it back)");

  std::array<std::string, 3> tabCaptions{"Flock Data", "Diet Data", "Analysis Results"};

  // Tab "Flock Data".
  Label flockDataIdLabel = controls::label("Data ID - Column with * Required");
  Button clearFlockItemButton = controls::button("Clear an Item", ClearTip);
  Button skipFlockItemButton = controls::button("Skip an Item", SkipTip);
  TextBox averageWeightBox = controls::averageBox();
  TextBox averageConversionBox = controls::averageBox();
  Label averageWeightLabel = controls::label("Flock Ave. Wt.");
  Label averageConversionLabel = controls::label("Flock Ave.Convix");

  // Tab "Diet Data".
  Label dietDataIdLabel = controls::label("Data ID - Column with * Required");
  Button clearDietItemButton = controls::button("Clear an Item", ClearTip);
  Button skipDietItemButton = controls::button("Skip an Item", SkipTip);
  Button openDietFileButton = controls::button("Open Existing Diet File", "Reads the diets of a diet file (.dts)");

  // Tab "Analysis Results".
  int analysisGridFontSize = 8;  // points
  Button startSecondSortButton = controls::disabled(controls::button(
      "Start Second Sort", "Sorts within the groups of the first sort by the second variable"));
  Button clearSecondSortButton = controls::button("Clear Second Sort", "Leaves the second sort out");
  Button plotButton = controls::button("Plot the Sorted Data", "Opens a chart of two columns of the results");
  Label firstSortLabel = controls::label("Select First Sort Variable");
  Label secondSortLabel = controls::label("Select Second Sort Variable");
  Label sortOrderLabel = controls::label("Sorts are Done Smallest Value to Largest");
  Label performanceLabel{};
};

}  // namespace plumetra
