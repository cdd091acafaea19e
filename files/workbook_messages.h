#pragma once
// What the user is told when a workbook cannot be read or written.

#include <filesystem>
#include <string>

namespace plumetra::workbook_messages {

std::string notFound(const std::filesystem::path& path);
std::string emptyFile(const std::filesystem::path& path);
std::string notAWorkbook(const std::filesystem::path& path);
std::string damaged(const std::filesystem::path& path);
std::string passwordProtected(const std::filesystem::path& path);
std::string tooLarge(const std::filesystem::path& path);
std::string noSuchSheet(const std::string& sheetName);
std::string cannotWrite(const std::filesystem::path& path, const std::string& reason);

}  // namespace plumetra::workbook_messages
