#include "workspace/data_file_open.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "workspace/diet_grid.h"
#include "workspace/flock_import.h"
#include "workspace/matching.h"
#include "workspace/workbook_import.h"

namespace plumetra {

DataFileKind dataFileKind(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".xls" || extension == ".xlsx") return DataFileKind::FlockWorkbook;
  if (extension == ".csv" || extension == ".txt" || extension == ".tsv") return DataFileKind::FlockText;
  if (extension == ".dts") return DataFileKind::DietFile;
  return DataFileKind::Unknown;
}

bool openDataFile(Workspace& ws, const UnitSettings& units, const std::filesystem::path& file, Dialogs& dialogs) {
  switch (dataFileKind(file)) {
    case DataFileKind::FlockWorkbook:
      selectTab(ws, FlockTab);
      return openWorkbookFile(ws, file, dialogs);
    case DataFileKind::FlockText:
      selectTab(ws, FlockTab);
      return loadFlockTextFile(ws, units, dialogs, file);
    case DataFileKind::DietFile:
      if (!loadDietFile(ws, file, dialogs)) return false;
      ws.lastDir = file.parent_path();
      selectTab(ws, DietTab);
      return true;
    case DataFileKind::Unknown:
      break;
  }
  dialogs.message("Plumetra opens flock data (.xls, .xlsx, .csv, .txt) and diet files (.dts); " +
                  file.filename().string() + " is none of these.");
  return false;
}

}  // namespace plumetra
