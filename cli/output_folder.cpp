#include "cli/output_folder.h"

#include <iostream>
#include <optional>
#include <string>

#include "cli/command.h"
#include "files/folder_lock.h"

namespace plumetra::cli {

namespace {

// A calibration into the folder takes a minute at most; a run that holds it longer is stuck.
constexpr std::chrono::seconds LockPatience{120};

}  // namespace

std::filesystem::path makeOutputFolder(const std::filesystem::path& given, std::string_view command) {
  const std::string who = command.empty() ? std::string() : std::string(command) + ": ";
  std::error_code ec;
  const std::filesystem::path folder = given.empty() ? std::filesystem::current_path(ec) : given;
  if (!ec) std::filesystem::create_directories(folder, ec);
  if (ec) {
    fail(who + "cannot create " + folder.string() + ": " + ec.message(), ExitFailure);
    return {};
  }
  std::string error;
  std::optional<FolderLock> lock = FolderLock::take(folder, LockPatience, &error, [&] {
    std::cerr << "plumetra-cli: " << who << "another run is writing into " << folder.string()
              << "; waiting for it to finish\n";
  });
  if (!lock) {
    fail(who + error, ExitFailure);
    return {};
  }
  std::move(*lock).holdUntilExit();  // a command writes into one folder, then exits
  return folder;
}

}  // namespace plumetra::cli
