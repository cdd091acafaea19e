#include "fuzz/fuzz_support.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>

namespace plumetra::fuzz {
namespace {

struct ScratchFolder {
  ScratchFolder() {
    // Memory-backed when there is such a folder: a file written per input costs milliseconds on a disk.
    std::error_code ec;
    const std::filesystem::path base =
        std::filesystem::is_directory("/dev/shm", ec) ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string pattern = (base / "plumetra_fuzz_XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    path = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::filesystem::path path;
};

}  // namespace

const std::filesystem::path& scratchFolder() {
  static ScratchFolder folder;
  return folder.path;
}

std::filesystem::path writeInput(std::string_view name, std::string_view bytes) {
  const std::filesystem::path path = scratchFolder() / name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

std::pair<std::string_view, std::string_view> splitInput(std::string_view bytes) {
  constexpr std::string_view marker = "%%\n";
  const std::size_t at = bytes.find(marker);
  if (at == std::string_view::npos) return {bytes, {}};
  return {bytes.substr(0, at), bytes.substr(at + marker.size())};
}

BatchDialogs& quietDialogs() {
  static BatchDialogs dialogs = [] {
    static std::ostream nowhere(nullptr);
    BatchDialogs made(nowhere);
    made.setQuiet(true);
    made.setDefaultYesNo(true);
    return made;
  }();
  return dialogs;
}

std::filesystem::path sourceFile(std::string_view relative) {
  return std::filesystem::path(PLUMETRA_SOURCE_DIR) / relative;
}

}  // namespace plumetra::fuzz
