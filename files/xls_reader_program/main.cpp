// plumetra-xls-reader FILE: reads an .xls workbook (Excel 97-2003, BIFF) through FreeXL and
// prints every sheet in the form of files/xls_readout.h on standard output.
//
// FreeXL is not safe on hostile files (it reads outside its buffers on some), so it runs in
// this program of its own, under limits it sets on itself before it opens the file: a crash,
// a runaway or a limit hit ends only this process, and the main program reports the file as
// unreadable. FreeXL does not evaluate nor keep formula results: formula cells read as empty.

#include "files/sheet_builder.h"
#include "files/xls_readout.h"

#include <freexl.h>
#include <sys/resource.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string_view>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define PLUMETRA_UNDER_ASAN
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PLUMETRA_UNDER_ASAN
#endif
#endif

namespace plumetra {
namespace {

#if !defined(PLUMETRA_UNDER_ASAN)
constexpr rlim_t MemoryBytes = 1024ull * 1024 * 1024;
#endif
constexpr rlim_t CpuSeconds = XlsReaderSeconds;

// FreeXL holds every cell of every sheet in memory (16 bytes each); a damaged or hostile
// file may declare any number of sheets of up to 65536 x 256 cells, so the declared total is
// checked first and kept to one full sheet's worth (about 270 MB).
constexpr unsigned long long MaxWorkbookCells = 65536ull * 256;

void limitThisProcess() {
  const auto limit = [](int resource, rlim_t value) {
    const rlimit bound{value, value};
    setrlimit(resource, &bound);
  };
  // The address sanitizer reserves terabytes of address space: no memory limit under it.
#if !defined(PLUMETRA_UNDER_ASAN)
  limit(RLIMIT_AS, MemoryBytes);
#endif
  limit(RLIMIT_CPU, CpuSeconds);
  limit(RLIMIT_CORE, 0);
}

struct HandleCloser {
  void operator()(const void* handle) const { freexl_close(handle); }
};
using XlsHandle = std::unique_ptr<const void, HandleCloser>;

// FreeXL gives times as "HH:MM:SS"; the program shows "HH:MM" when the seconds are zero,
// as it does for .xlsx workbooks.
std::string timeText(std::string_view text) {
  if (text.size() >= 8 && text.substr(text.size() - 3) == ":00" && text[text.size() - 6] == ':')
    text.remove_suffix(3);
  return std::string(text);
}

SheetCell cellValue(const FreeXL_CellValue& value) {
  const char* text = value.value.text_value ? value.value.text_value : "";
  switch (value.type) {
    case FREEXL_CELL_INT: return static_cast<double>(value.value.int_value);
    case FREEXL_CELL_DOUBLE: return value.value.double_value;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE: return std::string(text);
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME: return timeText(text);
    default: return {};
  }
}

bool isEmpty(const SheetCell& cell) { return std::holds_alternative<std::monostate>(cell); }

// FreeXL reads formula cells as empty. A column with a heading and no value below it most
// likely holds formulas; the user is told how to get their values.
void warnAboutEmptyColumns(Sheet& sheet, const std::string& sheetName) {
  if (sheet.rows.size() < 2) return;
  for (std::size_t col = 0; col < sheet.rows[0].size(); ++col) {
    const auto* heading = std::get_if<std::string>(&sheet.rows[0][col]);
    if (!heading) continue;
    bool empty = true;
    for (std::size_t row = 1; row < sheet.rows.size() && empty; ++row) empty = isEmpty(sheet.rows[row][col]);
    if (empty)
      sheet.warnings.push_back("Column \"" + *heading + "\" of sheet \"" + sheetName +
                               "\" has no values. If it holds formulas, save the workbook as .xlsx "
                               "or CSV in the spreadsheet program and open that file instead.");
  }
}

// The sheet, or std::nullopt when its text passes MaxSheetTextBytes.
std::optional<Sheet> readSheet(const void* handle, unsigned short index, const std::string& name) {
  unsigned int rows = 0;
  unsigned short cols = 0;
  SheetBuilder builder;
  if (freexl_select_active_worksheet(handle, index) == FREEXL_OK &&
      freexl_worksheet_dimensions(handle, &rows, &cols) == FREEXL_OK) {
    for (unsigned int row = 0; row < rows; ++row)
      for (unsigned short col = 0; col < cols; ++col) {
        FreeXL_CellValue value;
        if (freexl_get_cell_value(handle, row, col, &value) == FREEXL_OK)
          builder.set(static_cast<int>(row), col, cellValue(value));
      }
  }
  if (builder.overText()) return std::nullopt;
  Sheet sheet = std::move(builder).finish(name);
  warnAboutEmptyColumns(sheet, name);
  return sheet;
}

// An encrypted workbook: the workbook stream's BOF record (BIFF8, workbook globals) followed at
// once by a FILEPASS record. FreeXL answers such a file and many damaged ones alike (success,
// no handle), so the record decides. A stream starts a sector, so the two records lie together.
bool holdsFilePass(const char* path) {
  static constexpr char kBof[] = {0x09, 0x08, 0x10, 0x00, 0x00, 0x06, 0x05, 0x00};
  static constexpr std::size_t kBofRecordBytes = 20;
  std::ifstream in(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::string_view bof(kBof, sizeof kBof);
  for (std::size_t at = bytes.find(bof); at != std::string::npos; at = bytes.find(bof, at + 1))
    if (at + kBofRecordBytes + 2 <= bytes.size() && bytes[at + kBofRecordBytes] == 0x2F &&
        bytes[at + kBofRecordBytes + 1] == 0x00)
      return true;
  return false;
}

XlsProblem noHandleProblem(const char* path) {
  return holdsFilePass(path) ? XlsProblem::PasswordProtected : XlsProblem::Damaged;
}

// FreeXL notes an obfuscated workbook in its password information.
bool declaresPassword(const void* infoHandle) {
  unsigned int password = 0;
  return infoHandle && freexl_get_info(infoHandle, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK &&
         password == FREEXL_BIFF_OBFUSCATED;
}

// Opens the file for its structure alone and adds up the declared sheet sizes.
std::optional<XlsProblem> checkStructure(const char* path) {
  const void* raw = nullptr;
  const int status = freexl_open_info(path, &raw);
  XlsHandle info(raw);
  if (status != FREEXL_OK) return XlsProblem::NotAWorkbook;
  if (!info) return noHandleProblem(path);
  if (declaresPassword(info.get())) return XlsProblem::PasswordProtected;
  unsigned int sheets = 0;
  freexl_get_info(info.get(), FREEXL_BIFF_SHEET_COUNT, &sheets);
  unsigned long long cells = 0;
  for (unsigned int index = 0; index < sheets; ++index) {
    unsigned int rows = 0;
    unsigned short cols = 0;
    if (freexl_select_active_worksheet(info.get(), static_cast<unsigned short>(index)) == FREEXL_OK &&
        freexl_worksheet_dimensions(info.get(), &rows, &cols) == FREEXL_OK)
      cells += static_cast<unsigned long long>(rows) * cols;
  }
  if (cells > MaxWorkbookCells) return XlsProblem::TooLarge;
  return std::nullopt;
}

// The read-out of every sheet, each sheet written out as soon as it is read, so only one is
// held at a time; a workbook whose read-out passes MaxXlsReadoutBytes or MaxXlsReadoutCells
// gives the problem TooLarge instead.
std::string readWorkbook(const char* path) {
  if (std::optional<XlsProblem> problem = checkStructure(path)) return encodeXlsProblem(*problem);
  const void* raw = nullptr;
  const int status = freexl_open(path, &raw);
  XlsHandle handle(raw);
  if (status != FREEXL_OK) return encodeXlsProblem(XlsProblem::NotAWorkbook);
  if (!handle) return encodeXlsProblem(noHandleProblem(path));
  if (declaresPassword(handle.get())) return encodeXlsProblem(XlsProblem::PasswordProtected);
  unsigned int sheets = 0;
  freexl_get_info(handle.get(), FREEXL_BIFF_SHEET_COUNT, &sheets);
  std::vector<std::string> names;
  for (unsigned int index = 0; index < sheets; ++index) {
    const char* name = nullptr;
    if (freexl_get_worksheet_name(handle.get(), static_cast<unsigned short>(index), &name) != FREEXL_OK)
      return encodeXlsProblem(XlsProblem::Damaged);
    names.emplace_back(name ? name : "");
  }
  std::string out;
  std::size_t cells = 0;
  for (unsigned int index = 0; index < sheets; ++index) {
    std::optional<Sheet> read = readSheet(handle.get(), static_cast<unsigned short>(index), names[index]);
    if (!read) return encodeXlsProblem(XlsProblem::TooLarge);
    cells += read->rows.size() * (read->rows.empty() ? 0 : read->rows[0].size());
    appendXlsSheet(out, {names[index], std::move(*read)});
    if (cells > MaxXlsReadoutCells || out.size() > MaxXlsReadoutBytes) return encodeXlsProblem(XlsProblem::TooLarge);
  }
  appendXlsEnd(out);
  return out;
}

}  // namespace
}  // namespace plumetra

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: plumetra-xls-reader FILE.xls\n", stderr);
    return 2;
  }
  plumetra::limitThisProcess();
  const std::string out = plumetra::readWorkbook(argv[1]);
  return std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0 ? 0 : 1;
}
