#pragma once
// The subcommands of plumetra-cli, in the order --help lists them.

#include "cli/command.h"

#include <array>

namespace plumetra::cli {

void registerVersionInfo(CLI::App& app, CommandRun& chosen);
void registerGrow(CLI::App& app, CommandRun& chosen);
void registerImport(CLI::App& app, CommandRun& chosen);
void registerAnalyze(CLI::App& app, CommandRun& chosen);
void registerPredict(CLI::App& app, CommandRun& chosen);
void registerCalibrate(CLI::App& app, CommandRun& chosen);
void registerLowerCost(CLI::App& app, CommandRun& chosen);
void registerRevalue(CLI::App& app, CommandRun& chosen);
void registerFit(CLI::App& app, CommandRun& chosen);
void registerCurves(CLI::App& app, CommandRun& chosen);
void registerReport(CLI::App& app, CommandRun& chosen);
void registerLeague(CLI::App& app, CommandRun& chosen);
void registerValidate(CLI::App& app, CommandRun& chosen);
void registerTrends(CLI::App& app, CommandRun& chosen);

inline constexpr std::array AllCommands{
    &registerVersionInfo,
    &registerGrow,
    &registerImport,
    &registerAnalyze,
    &registerPredict,
    &registerCalibrate,
    &registerLowerCost,
    &registerRevalue,
    &registerFit,
    &registerCurves,
    &registerReport,
    &registerLeague,
    &registerValidate,
    &registerTrends,
};

}  // namespace plumetra::cli
