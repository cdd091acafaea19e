// `plumetra-cli report --out DIR`: the analysis run and everything beside it in one
// self-contained report.html; with a stored calibration set also the calibrated fit, the
// groups' growth curves and the lower-cost result.

#include <memory>

#include "calibration/group_curves.h"
#include "cli/analyze_command.h"
#include "cli/output_folder.h"
#include "cli/commands.h"
#include "cli/side_tables.h"
#include "report/report_html.h"

namespace plumetra::cli {

namespace {

struct ReportOptions {
  AnalyzeOptions analyze;
  std::filesystem::path calibration;
  AdjustmentOptions adjustment;
  std::filesystem::path outDir;
};

int runReport(const ReportOptions& options, Console& console) {
  BatchDialogs dialogs = console.dialogs();
  auto state = std::make_unique<AppState>();
  AnalysisOutcome outcome;
  if (const int code = loadAndAnalyze(*state, options.analyze, console, dialogs, outcome); code != ExitOk)
    return code;
  ReportData data = reportDataOf(*state, options.adjustment.standardWeight, options.adjustment.fcrSlope);
  data.dataSet = options.analyze.input.flocks.filename().string();
  const std::filesystem::path set = calibrationSetOf(options.calibration, options.analyze.location);
  if (!set.empty()) {
    if (!readCalibrationSet(set, *state, console.notes())) return ExitFailure;
    addCalibratedParts(*state, data, locationBase(std::filesystem::absolute(set)), nullptr, dialogs);
  }
  if (makeOutputFolder(options.outDir, "report").empty()) return ExitFailure;
  std::string error;
  if (!writeReport(options.outDir, data, &error))
    return fail("cannot write " + (options.outDir / ReportFileName).string() + ": " + error, ExitFailure);
  console.out() << "Report: " << (options.outDir / ReportFileName).string() << '\n';
  return ExitOk;
}

}  // namespace

void registerReport(CLI::App& app, CommandRun& chosen) {
  auto options = std::make_shared<ReportOptions>();
  auto* sub = app.add_subcommand("report", "Analyse, then write one self-contained report.html to hand on");
  addAnalyzeOptions(*sub, options->analyze);
  sub->add_option("--calibration", options->calibration,
                  "A stored ...Top.clb: add the calibrated fit, the group curves and the lower-cost result")
      ->check(CLI::ExistingFile);
  addAdjustmentOptions(*sub, options->adjustment);
  sub->add_option("--out", options->outDir, "Folder for report.html")->required();
  sub->callback([options, &chosen] { chosen = [options](Console& console) { return runReport(*options, console); }; });
}

}  // namespace plumetra::cli
