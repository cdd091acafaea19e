#pragma once
// A subcommand of plumetra-cli. Each command file defines one register function; the
// chosen subcommand's run function is called after the whole command line has parsed.

#include "cli/console.h"

#include <CLI/CLI.hpp>

#include <functional>

namespace plumetra::cli {

// Runs the command, speaking through the console the global options chose.
using CommandRun = std::function<int(Console&)>;

// Adds the subcommand to app; when it is chosen, its run function is stored in `chosen`.
using RegisterCommand = void (*)(CLI::App& app, CommandRun& chosen);

}  // namespace plumetra::cli
