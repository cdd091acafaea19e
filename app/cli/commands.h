#pragma once
// The subcommands of plumetra-cli, in the order --help lists them.

#include "app/cli/command.h"

#include <array>

namespace plumetra::cli {

void registerVersionInfo(CLI::App& app, CommandRun& chosen);

inline constexpr std::array allCommands{
    &registerVersionInfo,
};

}  // namespace plumetra::cli
