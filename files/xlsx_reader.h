#pragma once
// Reads .xlsx workbooks (Office Open XML packages).

#include "files/workbook.h"

#include <filesystem>
#include <memory>

namespace plumetra {

Result<std::unique_ptr<WorkbookReader>> openXlsx(const std::filesystem::path& path);

}  // namespace plumetra
