#pragma once
// The folder a command writes its files into.

#include <filesystem>
#include <string_view>

namespace plumetra::cli {

// `given`, or the current folder when none was given, made with its parents when missing, and
// locked for this run until it exits (files/folder_lock.h): while another run writes there,
// this one says so and waits. Empty, with "plumetra-cli: error: <command>: cannot create ..."
// (or why the lock was not taken) on standard error (without a command name when `command` is
// empty), when it cannot be made or locked.
std::filesystem::path makeOutputFolder(const std::filesystem::path& given, std::string_view command);

}  // namespace plumetra::cli
