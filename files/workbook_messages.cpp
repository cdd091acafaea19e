#include "files/workbook_messages.h"

namespace plumetra::workbook_messages {

std::string notFound(const std::filesystem::path& path) {
  return "The file " + path.string() + " could not be found.";
}

std::string notAFile(const std::filesystem::path& path) {
  return "The path " + path.string() + " is a folder or a device, not a file that can be opened.";
}

std::string emptyFile(const std::filesystem::path& path) {
  return "The file " + path.string() + " is empty.";
}

std::string notAWorkbook(const std::filesystem::path& path) {
  return "The file " + path.string() + " is not a workbook this program can read.";
}

std::string damaged(const std::filesystem::path& path) {
  return "The workbook " + path.string() + " is damaged or incomplete and cannot be read.";
}

std::string passwordProtected(const std::filesystem::path& path) {
  return "This workbook is protected by a password: " + path.string() +
         ". Save it without a password in the spreadsheet program, then open it again.";
}

std::string tooLarge(const std::filesystem::path& path) {
  return "The workbook " + path.string() + " is larger than this program can read.";
}

std::string overLimit(const std::filesystem::path& path, const std::string& limit) {
  return "The workbook " + path.string() + " is larger than this program can read: " + limit + ".";
}

std::string xlsUnreadable() {
  return "This .xls file could not be read; save it as .xlsx or CSV and open that instead";
}

std::string xlsReaderStopped(const std::string& why) {
  return "The .xls reader was stopped: " + why + ". Save the workbook as .xlsx or CSV and open that instead";
}

std::string noSuchSheet(const std::string& sheetName) {
  return "The workbook has no sheet named \"" + sheetName + "\".";
}

std::string cannotWrite(const std::filesystem::path& path, const std::string& reason) {
  return "The file " + path.string() + " could not be written: " + reason;
}

}  // namespace plumetra::workbook_messages
