#pragma once
// Reads .xls workbooks (Excel 97-2003, BIFF) in a separate program, plumetra-xls-reader
// (files/xls_reader_program), so that a hostile file cannot harm this one: a crash, a runaway
// or a limit hit there gives the message xlsUnreadable and changes nothing here. Formula cells
// read as empty (the reader keeps no formula results).

#include "files/workbook.h"

#include <filesystem>
#include <memory>

namespace plumetra {

Result<std::unique_ptr<WorkbookReader>> openXls(const std::filesystem::path& path);

// The reader program: $PLUMETRA_XLS_READER when set, else the one beside this executable,
// else the installed one (../libexec/plumetra/), else the build tree's.
std::filesystem::path xlsReaderProgram();

}  // namespace plumetra
