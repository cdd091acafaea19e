#pragma once
// A folder of this benchmark process alone, made on first use and removed when it ends: the
// benchmarks write their tables and stored files there, never beside the bundled example.

#include <cstdlib>
#include <filesystem>
#include <string>

namespace plumetra::bench {

inline const std::filesystem::path& scratchFolder() {
  struct Folder {
    std::filesystem::path path;
    Folder() {
      std::string pattern = (std::filesystem::temp_directory_path() / "plumetra_bench_XXXXXX").string();
      if (!mkdtemp(pattern.data())) std::abort();
      path = pattern;
    }
    ~Folder() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  };
  static const Folder folder;
  return folder.path;
}

}  // namespace plumetra::bench
