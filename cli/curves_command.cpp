// `plumetra-cli curves --location NAME`: the day-by-day growth of a calibrated location's Top,
// Middle and Bottom groups and of the breed before calibration, written to curves.tsv.

#include <iomanip>
#include <iostream>
#include <memory>

#include "calibration/group_curves.h"
#include "cli/commands.h"
#include "cli/input_options.h"
#include "cli/side_tables.h"
#include "controls/fixed_text.h"

namespace plumetra::cli {

namespace {

struct CurvesOptions {
  std::filesystem::path location;
  std::filesystem::path outDir;
  ModelOptions model;
};

int runCurves(const CurvesOptions& options) {
  BatchDialogs dialogs(std::cerr);
  auto state = std::make_unique<AppState>();
  if (!startState(*state, options.model, dialogs)) return ExitUsage;
  const GroupCurves curves = growGroupCurves(state->model, locationBase(std::filesystem::absolute(options.location)), dialogs);
  std::cout << std::left << std::setw(14) << "Curve" << std::setw(6) << "Days" << std::setw(16) << "Final weight g"
            << "Cum. FCR\n";
  int grown = 0;
  for (const GroupCurve& c : curves) {
    if (!c.grown) {
      std::cout << c.name << ": not grown (" << c.problem << ")\n";
      continue;
    }
    ++grown;
    std::cout << std::setw(14) << c.name << std::setw(6) << c.weight.size() - 1 << std::setw(16)
              << fixedText(c.weight.back(), 1) << fixedText(c.cumulativeFcr.back(), 3) << '\n';
  }
  if (grown == 0) {
    std::cerr << "plumetra-cli curves: no group of " << options.location.string() << " could be grown\n";
    return ExitFailure;
  }
  std::error_code ec;
  const std::filesystem::path dir = options.outDir.empty() ? std::filesystem::current_path(ec) : options.outDir;
  if (!writeTable(dir, "curves.tsv", curvesGrid(curves))) return ExitFailure;
  std::cerr << "Wrote " << (dir / "curves.tsv").string() << '\n';
  return grown == static_cast<int>(curves.size()) ? ExitOk : ExitFailure;
}

}  // namespace

void registerCurves(CLI::App& app, CommandRun& chosen) {
  auto options = std::make_shared<CurvesOptions>();
  auto* sub = app.add_subcommand(
      "curves", "Day-by-day growth of a calibrated location's Top, Middle and Bottom groups and of the breed");
  sub->add_option("--location", options->location,
                  "The calibrated location: its base name, or one of its ...Top/Middle/Bottom(.clb) files")
      ->required();
  sub->add_option("--out", options->outDir, "Folder for curves.tsv (default: here)");
  addModelOptions(*sub, options->model);
  sub->callback([options, &chosen] { chosen = [options] { return runCurves(*options); }; });
}

}  // namespace plumetra::cli
