#include "cli/output_folder.h"

#include "cli/command.h"

#include <string>

namespace plumetra::cli {

std::filesystem::path makeOutputFolder(const std::filesystem::path& given, std::string_view command) {
  std::error_code ec;
  const std::filesystem::path folder = given.empty() ? std::filesystem::current_path(ec) : given;
  if (!ec) std::filesystem::create_directories(folder, ec);
  if (!ec) return folder;
  fail((command.empty() ? std::string() : std::string(command) + ": ") + "cannot create " + folder.string() + ": " +
           ec.message(),
       ExitFailure);
  return {};
}

}  // namespace plumetra::cli
