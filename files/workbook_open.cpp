// Opening a workbook: the reader is chosen by the file's first bytes, not by its name.

#include "files/workbook.h"
#include "files/workbook_messages.h"
#include "files/xls_reader.h"
#include "files/xlsx_reader.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <system_error>

namespace plumetra {
namespace {

constexpr std::array<unsigned char, 4> ZipSignature{0x50, 0x4B, 0x03, 0x04};  // "PK\3\4"
constexpr std::array<unsigned char, 8> OleSignature{0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr std::size_t ScanChunk = 64 * 1024;

template <std::size_t N>
bool startsWith(const std::string& bytes, const std::array<unsigned char, N>& signature) {
  return bytes.size() >= N &&
         std::equal(signature.begin(), signature.end(), bytes.begin(),
                    [](unsigned char a, char b) { return a == static_cast<unsigned char>(b); });
}

// An encrypted .xlsx is an OLE compound file holding a stream "EncryptedPackage"; its
// directory entry spells the name in UTF-16LE.
bool holdsEncryptedPackage(const std::filesystem::path& path) {
  std::string name;
  for (char c : std::string_view("EncryptedPackage")) {
    name += c;
    name += '\0';
  }
  std::ifstream in(path, std::ios::binary);
  std::string window;
  std::string chunk(ScanChunk, '\0');
  while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0) {
    // Keep the tail of the previous chunk so a name split across chunks is found.
    const std::size_t keep = std::min(window.size(), name.size());
    window = window.substr(window.size() - keep) + chunk.substr(0, static_cast<std::size_t>(in.gcount()));
    if (window.find(name) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

Result<std::unique_ptr<WorkbookReader>> openWorkbook(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) return {WorkbookError{workbook_messages::notFound(path)}};
  if (!std::filesystem::is_regular_file(status)) return {WorkbookError{workbook_messages::notAFile(path)}};
  std::ifstream in(path, std::ios::binary);
  if (!in) return {WorkbookError{workbook_messages::notFound(path)}};
  std::string head(OleSignature.size(), '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  in.close();
  if (head.empty()) return {WorkbookError{workbook_messages::emptyFile(path)}};
  if (startsWith(head, ZipSignature)) return openXlsx(path);
  if (startsWith(head, OleSignature)) {
    if (holdsEncryptedPackage(path)) return {WorkbookError{workbook_messages::passwordProtected(path)}};
    return openXls(path);
  }
  return {WorkbookError{workbook_messages::notAWorkbook(path)}};
}

}  // namespace plumetra
