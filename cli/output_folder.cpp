#include "cli/output_folder.h"

#include <iostream>
#include <optional>
#include <string>

#include "files/folder_lock.h"

namespace plumetra::cli {

namespace {

// A calibration into the folder takes a minute at most; a run that holds it longer is stuck.
constexpr std::chrono::seconds LockPatience{120};

}  // namespace

std::filesystem::path makeOutputFolder(const std::filesystem::path& given, std::string_view command) {
  const std::string who = "plumetra-cli" + std::string(command.empty() ? "" : " ") + std::string(command);
  std::error_code ec;
  const std::filesystem::path folder = given.empty() ? std::filesystem::current_path(ec) : given;
  if (!ec) std::filesystem::create_directories(folder, ec);
  if (ec) {
    std::cerr << who << ": cannot create " << folder.string() << ": " << ec.message() << '\n';
    return {};
  }
  std::string error;
  std::optional<FolderLock> lock = FolderLock::take(folder, LockPatience, &error, [&] {
    std::cerr << who << ": another run is writing into " << folder.string() << "; waiting for it to finish\n";
  });
  if (!lock) {
    std::cerr << who << ": " << error << '\n';
    return {};
  }
  std::move(*lock).holdUntilExit();  // a command writes into one folder, then exits
  return folder;
}

}  // namespace plumetra::cli
