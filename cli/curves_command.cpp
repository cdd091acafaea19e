// `plumetra-cli curves --location NAME`: the day-by-day growth of a calibrated location's Top,
// Middle and Bottom groups and of the breed before calibration, written to curves.tsv.

#include <iomanip>
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

int runCurves(const CurvesOptions& options, Console& console) {
  BatchDialogs dialogs = console.dialogs();
  std::ostream& out = console.out();
  auto state = std::make_unique<AppState>();
  if (!startState(*state, options.model, dialogs)) return ExitUsage;
  const GroupCurves curves =
      growGroupCurves(state->model, locationBase(std::filesystem::absolute(options.location)), dialogs);
  out << std::left << std::setw(14) << "Curve" << std::setw(6) << "Days" << std::setw(16) << "Final weight g"
            << "Cum. FCR\n";
  int grown = 0;
  for (const GroupCurve& c : curves) {
    if (!c.grown) {
      out << c.name << ": not grown (" << c.problem << ")\n";
      continue;
    }
    ++grown;
    out << std::setw(14) << c.name << std::setw(6) << c.weight.size() - 1 << std::setw(16)
              << fixedText(c.weight.back(), 1) << fixedText(c.cumulativeFcr.back(), 3) << '\n';
  }
  if (grown == 0) return fail("no group of " + options.location.string() + " could be grown", ExitFailure);
  std::error_code ec;
  const std::filesystem::path dir = options.outDir.empty() ? std::filesystem::current_path(ec) : options.outDir;
  if (!writeTable(dir, "curves.tsv", curvesGrid(curves))) return ExitFailure;
  console.notes() << "Wrote " << (dir / "curves.tsv").string() << '\n';
  if (grown == static_cast<int>(curves.size())) return ExitOk;
  return fail(std::to_string(static_cast<int>(curves.size()) - grown) + " of the curves could not be grown", ExitFailure);
}

}  // namespace

void registerCurves(CLI::App& app, CommandRun& chosen) {
  auto options = std::make_shared<CurvesOptions>();
  auto* sub = app.add_subcommand(
      "curves", "Day-by-day growth of a calibrated location's Low (Top), Middle and High (Bottom) groups and of the breed");
  sub->add_option("--location", options->location,
                  "The calibrated location: its base name, or one of its ...Top/Middle/Bottom(.clb) files")
      ->required();
  sub->add_option("--out", options->outDir, "Folder for curves.tsv (default: here)");
  addModelOptions(*sub, options->model);
  sub->callback([options, &chosen] { chosen = [options](Console& console) { return runCurves(*options, console); }; });
}

}  // namespace plumetra::cli
