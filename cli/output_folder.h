#pragma once
// The folder a command writes its files into.

#include <filesystem>
#include <string_view>

namespace plumetra::cli {

// `given`, or the current folder when none was given, made with its parents when missing.
// Empty, with "plumetra-cli: error: <command>: cannot create ..." on standard error (without a
// command name when `command` is empty), when it cannot be made.
std::filesystem::path makeOutputFolder(const std::filesystem::path& given, std::string_view command);

}  // namespace plumetra::cli
