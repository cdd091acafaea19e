#pragma once
// Saving grids to files a spreadsheet opens: the save dialog "Select Data to Save" (menu
// "Save Data"), the grid popup's "Save to Excel", and the correlation matrix's "Save File".
// Workbooks are written as .xlsx (a name ending in ".xls" becomes ".xlsx" and the user is
// told the real name); tab-separated text keeps the fixed rows.

#include "controls/controls.h"
#include "controls/dialogs.h"
#include "controls/grid.h"

#include <filesystem>
#include <optional>
#include <string>

namespace plumetra {

inline constexpr char SaveDialogCaption[] = "Select Data to Save";
inline constexpr char SaveExcelTitle[] = "Save to Excel File";
inline constexpr char SaveExcelPrompt[] = "File Name ?";
inline constexpr char SaveExcelDefault[] = "SortedFile.xls";
inline constexpr char SaveCorrelationsTitle[] = "File To Save Correlations";

// The entries of the dialog's dataSet, in list order.
enum class SaveEntry { AnalysisResults = 0, SortedTable = 1, FlockData = 2, DietInformation = 3 };

struct SaveDialog {
  std::string caption = SaveDialogCaption;
  Combo dataSet;  // "Select a Data Set"
  CheckBox asText{"Save as Tab Separated Text"};
  CheckBox asWorkbook{"Save as Excel xls file"};
  Button okButton;
  Button cancelButton;
  bool visible = false;
};

// The dialog as it opens: the four entries, nothing chosen, neither box ticked.
SaveDialog openSaveDialog();

// Ticking one box clears the other.
void tickAsText(SaveDialog& dialog, bool ticked);
void tickAsWorkbook(SaveDialog& dialog, bool ticked);

// The main window's grids the entries name.
struct SaveSources {
  const Grid& analysis;  // analysisGrid
  const Grid& flock;     // flockGrid
  const Grid& diet;      // dietGrid
  int firstFlockRow = 0;  // first flock row of the analysis grid
};

// "Sorted Table": the analysis grid's heading row and its flock rows in their current
// order, without the statistics rows between them.
Grid sortedTable(const Grid& analysis, int firstFlockRow);

// OK: with no data set chosen, says so and writes nothing. Otherwise asks for the file
// (proposed locationFile + ".txt" or ".xls", starting in lastDir) and writes the chosen data
// set into the folder chosen; when a workbook's name is changed (".xls" to ".xlsx") and a
// file of the changed name exists, asks before replacing it. Returns the file written, or
// nothing when the user cancelled or declined or the write failed (the failure is told).
std::optional<std::filesystem::path> saveChosenData(const SaveDialog& dialog, const SaveSources& sources,
                                                   const std::filesystem::path& locationFile,
                                                   const std::filesystem::path& lastDir, Dialogs& dialogs);

// Popup "Save to Excel": asks for a file name and writes `target` as a workbook into lastDir,
// asking before it replaces an existing file. An empty or cancelled answer saves nothing.
std::optional<std::filesystem::path> saveGridToExcel(const Grid& target, const std::filesystem::path& lastDir,
                                                 Dialogs& dialogs);

// The correlation window's "Save File": proposes the location text + " Corr.txt" and writes
// the whole matrix as tab-separated text to the chosen file.
std::optional<std::filesystem::path> saveCorrelations(const Grid& correlationGrid, const std::string& locationText,
                                                      const std::filesystem::path& lastDir, Dialogs& dialogs);

// "The file was saved as " and the path: told when the name written differs from the one
// the user gave.
std::string savedAsText(const std::filesystem::path& file);

}  // namespace plumetra
