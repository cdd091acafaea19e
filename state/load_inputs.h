#pragma once
// The flock and diet tables of one analysis loaded from files and matched to the Data IDs,
// as the command line's commands need them: the same steps a user takes in the main window.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "state/app_state.h"
#include "controls/dialogs.h"
#include "workspace/auto_match.h"
#include "workspace/flock_import.h"

namespace plumetra {

struct LoadInputsOptions {
  std::filesystem::path flocks;  // .csv, .txt/.tsv, .xls or .xlsx
  std::string sheet;             // flock sheet; empty: the first
  std::filesystem::path diets;   // .dts, a text table or a workbook; empty: none
  std::string dietSheet;         // diet sheet (of `diets`, else of the flocks workbook)
  ListFileChoice listFile;       // the ".lst" offered: beside the data file, a given one, none
  // Where the analysis writes the ".lst": beside the data file, a given file, or none (empty).
  std::optional<std::filesystem::path> listFileTarget;
  // Matches by Data ID and heading, then by headings (autoMatch): both come before the ".lst",
  // whose matches stay only for the items they leave unmatched.
  std::vector<MapEntry> map;
  bool autoMatch = false;
};

struct LoadInputsReport {
  bool ok = false;
  std::vector<std::string> sheets;      // sheets of the flocks workbook (empty for text files)
  std::vector<std::string> dietSheets;  // sheets of the diets workbook
  int flockCount = 0;                   // flock rows of the data set
  std::vector<LeftOutFlock> leftOut;    // flocks the current matches leave out of an analysis
  std::vector<ColumnMatch> matches;  // flock items by item order, then diet matches made
  bool dietsFromFile = false;        // diets entered from a ".dts" file
  std::vector<std::string> unmatchedRequired;
  std::vector<MissingItem> missing;     // the same, with the closest headings
  std::vector<std::string> fromList;    // flock Data IDs matched by the replayed Data ID list
};

// Loads and matches; every fault is told through `dialogs` and ends the load with ok false.
LoadInputsReport loadInputs(AppState& state, const LoadInputsOptions& options, Dialogs& dialogs);

}  // namespace plumetra
