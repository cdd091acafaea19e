#include "cli/output_folder.h"

#include <iostream>

namespace plumetra::cli {

std::filesystem::path makeOutputFolder(const std::filesystem::path& given, std::string_view command) {
  std::error_code ec;
  const std::filesystem::path folder = given.empty() ? std::filesystem::current_path(ec) : given;
  if (!ec) std::filesystem::create_directories(folder, ec);
  if (!ec) return folder;
  std::cerr << "plumetra-cli" << (command.empty() ? "" : " ") << command << ": cannot create " << folder.string() << ": " << ec.message() << '\n';
  return {};
}

}  // namespace plumetra::cli
