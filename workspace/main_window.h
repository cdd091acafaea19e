#pragma once
// The main window's controls as plain data, with their design-time captions and tooltips.
// The desktop mirrors these into widgets; the core reads and writes only these.

#include <array>
#include <string>
#include <utility>

#include "views/controls.h"
#include "views/grid.h"

namespace plumetra {

// The three grids of the main window, for ActiveGrid and TargetGrid.
enum class GridId { Flock, Diet, Analysis };

// Tabs of SSTab1.
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
    "If your data has more than one sex designation CLICK above on the Label";
inline constexpr char Label1Tip[] = "If your data has more than one sex designation CLICK HERE";
// What the data file box shows until a data file is loaded.
inline constexpr char TextExcelCaption[] = "Select Data File - Click Here";
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
  TextBox TextLocation = controls::textBox("Double Click or type a Location Name",
                                           "Click to Open existing file or type a Location Name");
  Label lbllocation = controls::label("Calibrated Location");
  Button CommandStart = controls::button("Getting Started");
  TextBox TextExcel = controls::textBox(TextExcelCaption);
  TextBox Text1 = controls::textBox("Match the Grid Column with the ID and Double Click");

  // Flock sex and split.
  Combo ComboFlockSex{};
  Label Label1 = controls::label("Flock Sex");
  Label Label4 = controls::label("Flock Split, %");
  std::array<Label, 3> Label5{controls::label("Lowest Values"), controls::label("Middle Value"),
                              controls::label("High Values")};
  TextBox TextHigh = controls::textBox("20");
  TextBox TextMed = controls::textBox("60");
  TextBox TextLow = controls::textBox("20");

  // Command buttons.
  Button Command13 =
      controls::button("Plumetra",
                       "Calculates Expected Live Weight, Age and Feed Conversion based on "
                       "Feed Intake");
  Button Command1 =
      controls::button("Calibrate and Store the Flock Splits",
                       "Fits the Data for the Three Splits.  Takes a couple minutes.");
  Button Command7 =
      controls::button("Look for Lower Cost with Feed Intake",
                       "Finds Diets that Fit the Outcomes with Intake Best.  Very Slow - "
                       "about 2 minutes or more.");
  Button Command8 = controls::button("ReValue Predictions",
                                     "Uses Calibration Values to Fit the Predicted Values for each "
                                     "Location.");
  Button Command6 = controls::button("Outlier Ident.");
  Button Command5 = controls::button("Show Correlations");
  Button SortHelp = controls::button("Sort Grid Help");
  Button Cmdrecord = controls::button("Record Selected");

  TabState SSTab1{{"Flock Data", "Diet Data", "Analysis Results"}, 0};

  // Tab "Flock Data".
  Combo ComboFlock = controls::combo("Select Excel Sheet");
  Grid gridflockin{};
  Combo Cmb1{};
  Label lbl2 = controls::label("Data ID - Column with * Required");
  Button Command2 = controls::button("Clear an Item", ClearTip);
  Button CommandSkipFlock = controls::button("Skip an Item", SkipTip);
  TextBox TextWt = controls::textBox("", AverageBoxTip);
  TextBox TextAge = controls::textBox("", AverageBoxTip);
  Label LabelWt = controls::label("Flock Ave. Wt.");
  Label Label2 = controls::label("Flock Ave.Convix");

  // Tab "Diet Data".
  Combo ComboDiet = controls::combo("Select Diet Sheet Here");
  Grid GridDiets{};
  Combo Combo2{};
  Label Label3 = controls::label("Data ID - Column with * Required");
  Button Command4 = controls::button("Clear an Item", ClearTip);
  Button CommandSkipDiet = controls::button("Skip an Item", SkipTip);
  Button CommandDiet = controls::button("Open Existing Diet File");

  // Tab "Analysis Results".
  Grid Gridanal{};
  int GridanalFontSize = 0;  // points; 0 until the window has loaded
  Combo Combo1 = controls::combo("Initial Sort");
  Combo Combo3 = controls::combo("Second Sort");
  Button CmdSort = controls::button("Start Second Sort");
  Button Command9 = controls::button("Clear Second Sort");
  Button Command3 = controls::button("Plot the Sorted Data");
  Label Label6 = controls::label("Select First Sort Variable");
  Label Label7 = controls::label("Select Second Sort Variable");
  Label Label9 = controls::label("Sorts are Done Smallest Value to Largest");
  Label Label8{};
};

}  // namespace plumetra
