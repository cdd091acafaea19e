#pragma once
// Which files a command wrote: the files of a folder as they were before it, compared with the
// folder afterwards. A file is written when it is new or its time or size changed; hidden
// files are left out.

#include <filesystem>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace plumetra::qt {

class FolderSnapshot {
 public:
  FolderSnapshot() = default;
  explicit FolderSnapshot(std::filesystem::path folder);

  const std::filesystem::path& folder() const { return folder_; }
  // The files of the folder written since the snapshot, by name.
  std::vector<std::string> writtenSince() const;

 private:
  using Stamp = std::pair<std::filesystem::file_time_type, std::uintmax_t>;
  static std::map<std::string, Stamp> stamps(const std::filesystem::path& folder);

  std::filesystem::path folder_;
  std::map<std::string, Stamp> before_;
};

// "wrote A.clb, B.clb in FOLDER", or "no file was written" for no files.
std::string writtenFilesText(const std::vector<std::string>& files, const std::filesystem::path& folder);

}  // namespace plumetra::qt
