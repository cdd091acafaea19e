#pragma once
// Names the user gives for files the program stores beside others ("Farm" for FarmTop.clb and
// its companions): a name, never a path, so the files land in the folder the user chose.

#include <string_view>

namespace plumetra {

// Not empty, no folder separator ("/" or "\"), no NUL, and not "." or "..".
inline bool isPlainFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

// "The name ... is not a plain file name" message for the user.
inline constexpr std::string_view kNotAPlainFileName =
    " is not a name for the stored files: leave out folders, \"/\", \"\\\" and \"..\".";

}  // namespace plumetra
