#include "files/save_grids.h"

#include "files/workbook.h"

#include <algorithm>
#include <array>

namespace plumetra {
namespace {

constexpr std::array<const char*, 4> EntryCaptions{"Analysis Results With Data", "Sorted Table", "Flock Data",
                                                   "Diet Information"};
constexpr char DataSetPrompt[] = "Select a Data Set";
constexpr char NoDataSetChosen[] = "Choose the data to save under \"Select a Data Set\" first; nothing was saved.";

// The file a write would replace, when the user has not already agreed to replace it: the
// changed name of a workbook (".xls" saved as ".xlsx"), or any existing file when the name
// was typed into an input box (`typedOnly`: no file dialog asked). True to go on.
bool mayReplace(const std::filesystem::path& asked, bool asText, bool typedOnly, Dialogs& dialogs) {
  const std::filesystem::path target = asText ? asked : workbookPath(asked);
  std::error_code ec;
  if ((!typedOnly && target == asked) || !std::filesystem::exists(target, ec)) return true;
  return dialogs.yesNo("The data are saved as " + target.string() +
                       ", and a file of that name exists. Replace it?");
}

// Writes one grid, as text or as a workbook; tells the user a failure, or the real name
// when it differs from the one asked for.
std::optional<std::filesystem::path> writeGrid(const Grid& grid, const std::filesystem::path& file, bool asText,
                                               const std::string& sheetName, Dialogs& dialogs) {
  const Result<std::filesystem::path> written =
      asText ? writeTsv(file, grid) : writeXlsx(file, {{validSheetName(sheetName, {}), &grid}});
  if (!written.ok()) {
    dialogs.message(written.error());
    return std::nullopt;
  }
  return written.get();
}

std::optional<std::filesystem::path> toldIfRenamed(std::optional<std::filesystem::path> written,
                                                   const std::filesystem::path& asked, Dialogs& dialogs) {
  if (written && *written != asked) dialogs.message(savedAsText(*written));
  return written;
}

}  // namespace

SaveDialog openSaveDialog() {
  SaveDialog dialog;
  dialog.dataSet.text = DataSetPrompt;
  for (const char* caption : EntryCaptions) dialog.dataSet.add(caption);
  dialog.okButton.caption = "OK";
  dialog.cancelButton.caption = "Cancel";
  dialog.visible = true;
  return dialog;
}

void tickAsText(SaveDialog& dialog, bool ticked) {
  dialog.asText.checked = ticked;
  if (ticked) dialog.asWorkbook.checked = false;
}

void tickAsWorkbook(SaveDialog& dialog, bool ticked) {
  dialog.asWorkbook.checked = ticked;
  if (ticked) dialog.asText.checked = false;
}

Grid sortedTable(const Grid& analysis, int firstFlockRow) {
  const int flockRows = std::max(0, analysis.rows() - firstFlockRow);
  Grid table(1 + flockRows, analysis.cols());
  for (int col = 0; col < analysis.cols(); ++col) {
    table.setText(0, col, analysis.text(0, col));
    table.setBackground(0, col, analysis.background(0, col));
    table.setColWidth(col, analysis.colWidth(col));
    for (int r = 0; r < flockRows; ++r) {
      table.setText(1 + r, col, analysis.text(firstFlockRow + r, col));
      if (analysis.background(firstFlockRow + r, col) != colours::Window)
        table.setBackground(1 + r, col, analysis.background(firstFlockRow + r, col));
    }
  }
  return table;
}

std::optional<std::filesystem::path> saveChosenData(const SaveDialog& dialog, const SaveSources& sources,
                                                   const std::filesystem::path& locationFile,
                                                   const std::filesystem::path& lastDir, Dialogs& dialogs) {
  const bool asText = dialog.asText.checked;
  const std::string extension = asText ? ".txt" : ".xls";
  FileDialogRequest request;
  request.title = SaveDialogCaption;
  request.filter = "*" + extension;
  request.fileName = locationFile.string() + extension;
  request.initialFolder = lastDir;
  const int entry = dialog.dataSet.index;
  if (entry < 0 || entry >= static_cast<int>(EntryCaptions.size())) {
    dialogs.message(NoDataSetChosen);
    return std::nullopt;
  }
  const std::optional<std::filesystem::path> chosen = dialogs.saveFile(request);
  if (!chosen || chosen->filename().empty()) return std::nullopt;

  // The file goes into the folder the user chose (a bare name into lastDir).
  const std::filesystem::path file = chosen->has_parent_path() ? *chosen : lastDir / *chosen;
  if (!mayReplace(file, asText, false, dialogs)) return std::nullopt;
  std::optional<std::filesystem::path> written;
  switch (entry) {
    case static_cast<int>(SaveEntry::AnalysisResults):
      written = writeGrid(sources.analysis, file, asText, EntryCaptions[0], dialogs);
      break;
    case static_cast<int>(SaveEntry::SortedTable):
      written = writeGrid(sortedTable(sources.analysis, sources.firstFlockRow), file, asText, EntryCaptions[1],
                          dialogs);
      break;
    case static_cast<int>(SaveEntry::FlockData):
      written = writeGrid(sources.flock, file, asText, EntryCaptions[2], dialogs);
      break;
    case static_cast<int>(SaveEntry::DietInformation):
      written = writeGrid(sources.diet, file, asText, EntryCaptions[3], dialogs);
      break;
    default:
      break;
  }
  return toldIfRenamed(written, *chosen, dialogs);
}

std::optional<std::filesystem::path> saveGridToExcel(const Grid& target, const std::filesystem::path& lastDir,
                                                 Dialogs& dialogs) {
  const std::optional<std::string> answer = dialogs.input(SaveExcelPrompt, SaveExcelTitle, SaveExcelDefault);
  if (!answer || answer->empty()) return std::nullopt;
  const std::filesystem::path file = lastDir / *answer;
  if (!mayReplace(file, false, true, dialogs)) return std::nullopt;
  return toldIfRenamed(writeGrid(target, file, false, file.stem().string(), dialogs), file, dialogs);
}

std::optional<std::filesystem::path> saveCorrelations(const Grid& correlationGrid, const std::string& locationText,
                                                      const std::filesystem::path& lastDir, Dialogs& dialogs) {
  FileDialogRequest request;
  request.title = SaveCorrelationsTitle;
  request.filter = "*.txt";
  request.fileName = locationText + " Corr.txt";
  request.initialFolder = lastDir;
  const std::optional<std::filesystem::path> chosen = dialogs.saveFile(request);
  if (!chosen || chosen->filename().empty()) return std::nullopt;
  return writeGrid(correlationGrid, *chosen, true, {}, dialogs);
}

std::string savedAsText(const std::filesystem::path& file) { return "The file was saved as " + file.string(); }

}  // namespace plumetra
