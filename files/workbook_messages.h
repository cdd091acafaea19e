#pragma once
// What the user is told when a workbook cannot be read or written.

#include <filesystem>
#include <string>

namespace plumetra::workbook_messages {

std::string notFound(const std::filesystem::path& path);
// The path names a folder, a device or a pipe, not a file that can be read.
std::string notAFile(const std::filesystem::path& path);
std::string emptyFile(const std::filesystem::path& path);
std::string notAWorkbook(const std::filesystem::path& path);
std::string damaged(const std::filesystem::path& path);
std::string passwordProtected(const std::filesystem::path& path);
std::string tooLarge(const std::filesystem::path& path);
// Over one of the bounds of an .xlsx file; `limit` says which, e.g. "its parts unpack to more
// than 64 MB".
std::string overLimit(const std::filesystem::path& path, const std::string& limit);
// The .xls reader program crashed or hit its memory limit.
std::string xlsUnreadable();
// The .xls reader program was stopped; `why` says why: "it took longer than 5 seconds".
std::string xlsReaderStopped(const std::string& why);
std::string noSuchSheet(const std::string& sheetName);
std::string cannotWrite(const std::filesystem::path& path, const std::string& reason);

}  // namespace plumetra::workbook_messages
