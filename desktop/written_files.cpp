#include "desktop/written_files.h"

#include <system_error>

namespace plumetra::qt {

FolderSnapshot::FolderSnapshot(std::filesystem::path folder) : folder_(std::move(folder)), before_(stamps(folder_)) {}

std::map<std::string, FolderSnapshot::Stamp> FolderSnapshot::stamps(const std::filesystem::path& folder) {
  std::map<std::string, Stamp> files;
  std::error_code error;
  // A folder that cannot be listed holds nothing seen as written.
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code statError;
    // Hidden files (a folder's lock) are the program's own business, not the user's.
    if (!it->is_regular_file(statError) || it->path().filename().string().starts_with('.')) continue;
    const auto time = it->last_write_time(statError);
    const auto size = it->file_size(statError);
    if (!statError) files[it->path().filename().string()] = {time, size};
  }
  return files;
}

std::vector<std::string> FolderSnapshot::writtenSince() const {
  std::vector<std::string> written;
  if (folder_.empty()) return written;
  for (const auto& [name, stamp] : stamps(folder_)) {
    const auto before = before_.find(name);
    if (before == before_.end() || before->second != stamp) written.push_back(name);
  }
  return written;
}

std::string writtenFilesText(const std::vector<std::string>& files, const std::filesystem::path& folder) {
  if (files.empty()) return "no file was written";
  std::string text = "wrote ";
  for (size_t i = 0; i < files.size(); ++i) text += (i ? ", " : "") + files[i];
  return text + " in " + folder.string();
}

}  // namespace plumetra::qt
