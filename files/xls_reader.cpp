#include "files/xls_reader.h"

#include "files/helper_process.h"
#include "files/workbook_messages.h"
#include "files/xls_readout.h"

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <utility>

namespace plumetra {
namespace {

constexpr std::string_view ReaderProgram = "plumetra-xls-reader";
// The reader takes a second or two on the largest workbook the program reads; a hostile file
// that makes it loop is stopped well before the user gives up. (It bounds its processor time
// to the same.)
constexpr std::chrono::milliseconds TimeLimit{XlsReaderSeconds * 1000};
// The reader bounds its read-out itself; a little room for the refusal it writes instead.
constexpr std::size_t MaxOutputBytes = MaxXlsReadoutBytes + 4096;

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
       {folder / ReaderProgram, folder.parent_path() / "libexec" / "plumetra" / ReaderProgram})
    if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
  return PLUMETRA_XLS_READER_BUILT;  // the build tree's copy, for tests and uninstalled runs
}

namespace {

// Why the reader did not hand back a read-out; "" when it crashed or wrote a damaged one.
std::string whyStopped(const HelperRun& run) {
  const std::string seconds = std::to_string(XlsReaderSeconds) + " seconds";
  switch (run.end) {
    case HelperRun::End::TimedOut: return "it took longer than " + seconds;
    case HelperRun::End::TooMuchOutput:
      return "it read out more than " + std::to_string(MaxXlsReadoutBytes / (1024 * 1024)) + " MB of cells";
    case HelperRun::End::NotStarted: return "it could not be started (" + xlsReaderProgram().string() + ")";
    case HelperRun::End::Crashed:
      return run.signal == SIGXCPU ? "it used more than " + seconds + " of processor time" : "";
    case HelperRun::End::Exited: break;
  }
  return "";
}

}  // namespace

Result<std::unique_ptr<WorkbookReader>> openXls(const std::filesystem::path& path) {
  const HelperRun run = runHelper(xlsReaderProgram(), {path.string()}, TimeLimit, MaxOutputBytes);
  if (const std::string why = whyStopped(run); !why.empty())
    return {WorkbookError{workbook_messages::xlsReaderStopped(why)}};
  std::optional<XlsReadout> readout;
  if (run.end == HelperRun::End::Exited && run.exitCode == 0) readout = decodeXlsReadout(run.output);
  if (!readout) return {WorkbookError{workbook_messages::xlsUnreadable()}};
  if (readout->problem) return {WorkbookError{problemMessage(*readout->problem, path)}};
  return {std::make_unique<XlsReader>(std::move(readout->sheets))};
}

}  // namespace plumetra
