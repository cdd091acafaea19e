#pragma once
// Names the user gives for files the program stores beside others ("Farm" for FarmTop.clb and
// its companions): a plain name, never a path, that every file system and terminal takes as it
// stands: letters, digits, spaces, "-", "_" and ".", not starting with "-" (an option to other
// programs) or "." (a hidden file), at most 100 characters. Letters are A-Z, a-z and the
// accented Latin letters (U+00C0 to U+024F but the signs x and ÷), so no control character,
// escape sequence or right-to-left override ever reaches a file name or the terminal.

#include <cstddef>
#include <string>
#include <string_view>

namespace plumetra {

inline constexpr std::size_t MaxPlainNameCharacters = 100;

bool isPlainFileName(std::string_view name);

// `name` made plain: each character the rule refuses becomes "_", as does a leading "-" or
// ".", and the name is cut to MaxPlainNameCharacters; `fallback` when nothing is left.
std::string plainFileName(std::string_view name, std::string_view fallback);

// The message for a name that is not plain, after the quoted name.
inline constexpr std::string_view NotAPlainFileName =
    " is not a name for the stored files: use at most 100 letters, digits, spaces, \"-\", \"_\" and "
    "\".\", and do not start with \"-\" or \".\".";

}  // namespace plumetra
