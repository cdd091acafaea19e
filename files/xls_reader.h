#pragma once
// Reads .xls workbooks (Excel 97-2003, BIFF) through FreeXL. FreeXL does not evaluate nor
// keep formula results: formula cells read as empty.

#include "files/workbook.h"

#include <filesystem>
#include <memory>

namespace plumetra {

Result<std::unique_ptr<WorkbookReader>> openXls(const std::filesystem::path& path);

}  // namespace plumetra
