#pragma once
// What the fuzz targets share: a private scratch folder per process, the input written as a
// file the readers open by path, and dialogs that answer every question without a word.

#include "controls/batch_dialogs.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace plumetra::fuzz {

// A folder of this process alone, made on first use and removed when the process ends.
const std::filesystem::path& scratchFolder();

// Writes the bytes as scratchFolder()/name and returns the path.
std::filesystem::path writeInput(std::string_view name, std::string_view bytes);
inline std::filesystem::path writeInput(std::string_view name, const std::uint8_t* data, std::size_t size) {
  return writeInput(name, std::string_view(reinterpret_cast<const char*>(data), size));
}

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Splits an input at the first line "%%\n" into two files' contents (the second may be empty),
// so that one input can carry two files that are read together.
std::pair<std::string_view, std::string_view> splitInput(std::string_view bytes);

// Yes to every question, defaults to every input box, nothing printed.
BatchDialogs& quietDialogs();

// A file of the repository (seeds, example data).
std::filesystem::path sourceFile(std::string_view relative);

}  // namespace plumetra::fuzz
