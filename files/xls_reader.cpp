#include "files/xls_reader.h"

#include "files/helper_process.h"
#include "files/workbook_messages.h"
#include "files/xls_readout.h"

#include <unistd.h>

#include <cstdlib>
#include <utility>

namespace plumetra {
namespace {

constexpr std::string_view kReaderProgram = "plumetra-xls-reader";
// The reader takes a second or two on the largest workbook the program reads; a hostile file
// that makes it loop is stopped well before the user gives up.
constexpr std::chrono::milliseconds kTimeLimit{20000};
// MaxSheetRows x MaxSheetCols cells of a few dozen bytes each, for a few sheets.
constexpr std::size_t kMaxOutputBytes = 512ull * 1024 * 1024;

class XlsReader final : public WorkbookReader {
 public:
  explicit XlsReader(std::vector<XlsSheet> sheets) : sheets_(std::move(sheets)) {}

  std::vector<std::string> sheetNames() const override {
    std::vector<std::string> names;
    for (const XlsSheet& sheet : sheets_) names.push_back(sheet.name);
    return names;
  }

  Result<Sheet> readSheet(const std::string& name) const override {
    for (const XlsSheet& sheet : sheets_)
      if (sheet.name == name) return {sheet.sheet};
    return {WorkbookError{workbook_messages::noSuchSheet(name)}};
  }

 private:
  std::vector<XlsSheet> sheets_;
};

std::filesystem::path executableFolder() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : self.parent_path();
}

std::string problemMessage(XlsProblem problem, const std::filesystem::path& path) {
  switch (problem) {
    case XlsProblem::NotAWorkbook: return workbook_messages::notAWorkbook(path);
    case XlsProblem::PasswordProtected: return workbook_messages::passwordProtected(path);
    case XlsProblem::TooLarge: return workbook_messages::tooLarge(path);
    case XlsProblem::Damaged: break;
  }
  return workbook_messages::damaged(path);
}

}  // namespace

std::filesystem::path xlsReaderProgram() {
  std::error_code ec;
  if (const char* chosen = std::getenv("PLUMETRA_XLS_READER"); chosen && *chosen) return chosen;
  const std::filesystem::path folder = executableFolder();
  for (const std::filesystem::path& candidate :
       {folder / kReaderProgram, folder.parent_path() / "libexec" / "plumetra" / kReaderProgram})
    if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
  return PLUMETRA_XLS_READER_BUILT;  // the build tree's copy, for tests and uninstalled runs
}

Result<std::unique_ptr<WorkbookReader>> openXls(const std::filesystem::path& path) {
  const HelperRun run = runHelper(xlsReaderProgram(), {path.string()}, kTimeLimit, kMaxOutputBytes);
  std::optional<XlsReadout> readout;
  if (run.end == HelperRun::End::Exited && run.exitCode == 0) readout = decodeXlsReadout(run.output);
  if (!readout) return {WorkbookError{workbook_messages::xlsUnreadable()}};
  if (readout->problem) return {WorkbookError{problemMessage(*readout->problem, path)}};
  return {std::make_unique<XlsReader>(std::move(readout->sheets))};
}

}  // namespace plumetra
