// `plumetra-cli calibrate`: the analysis run, then the calibration of the Top, Middle and
// Bottom groups with their stored files (".cal", ".stg", ".clb", ".dts" per group) and
// "Predict.txt".

#include "cli/analysis_json.h"
#include "cli/analyze_command.h"
#include "cli/output_folder.h"
#include "cli/commands.h"
#include "calibration/predict_file.h"
#include "calibration/split_calibration.h"
#include "workspace/flock_sex.h"
#include "files/file_name.h"

#include <memory>

namespace plumetra::cli {

namespace {

struct CalibrateOptions {
  AnalyzeOptions analyze;
  std::string name;              // base name; empty: the flock file's name without extension
  std::filesystem::path outDir;  // empty: the current folder
  bool json = false;
};

constexpr std::array<const char*, ItemFeCorrection + 1> Items{"hatch weight", "time exponent",
                                                                "log maturity ratio", "rate", "F E correction"};
constexpr std::array<const char*, ItemFeCorrection + 1> ItemKeys{"hatch_weight", "time_exponent",
                                                                   "log_maturity_ratio", "rate", "fe_correction"};

void printRecord(std::ostream& out, const CalibrationRecord& record, const SplitCalibrationResult& result) {
  for (int g = GroupTop; g <= GroupBottom; ++g) {
    const GroupOutcome& outcome = result.groups[g];
    out << groupWord(g) << ": "
        << (outcome.stored ? "stored" : "failed" + (outcome.reason.empty() ? "" : " (" + outcome.reason + ")"))
        << "; " << densityText(outcome.density);
    if (outcome.stored) out << "; age miss " << outcome.ageMiss << " d, feed conversion miss " << outcome.conversionMiss;
    out << '\n';
    if (!outcome.stored) continue;
    for (int s = 1; s <= 2; ++s) {
      out << groupWord(g) << (s == 1 ? " males:" : " females:");
      for (int k = 0; k <= ItemFeCorrection; ++k) out << ' ' << Items[k] << ' ' << record(g, s, k) << ';';
      out << '\n';
    }
  }
}

void writeCalibrationMember(JsonWriter& json, const CalibrationRecord& record, const SplitCalibrationResult& result,
                            const std::filesystem::path& dir) {
  json.key("calibration").beginObject().member("set", result.baseName).member("folder", dir.string());
  json.key("groups").beginArray();
  for (int g = GroupTop; g <= GroupBottom; ++g) {
    const GroupOutcome& outcome = result.groups[g];
    json.beginObject().member("group", groupWord(g)).member("stored", outcome.stored);
    if (!outcome.reason.empty()) json.member("reason", outcome.reason);
    json.member("density_birds_m2", outcome.density);
    if (outcome.stored) {
      json.member("age_miss_d", outcome.ageMiss).member("fcr_miss", outcome.conversionMiss);
      for (int s = 1; s <= 2; ++s) {
        json.key(s == 1 ? "males" : "females").beginObject();
        for (int k = 0; k <= ItemFeCorrection; ++k) json.member(ItemKeys[k], record(g, s, k));
        json.endObject();
      }
    }
    json.endObject();
  }
  json.endArray().endObject();
}

// The stored files of the groups that were stored, and Predict.txt when written.
std::vector<std::filesystem::path> storedFiles(const SplitCalibrationResult& result, const std::filesystem::path& dir) {
  std::vector<std::filesystem::path> files;
  for (int g = GroupTop; g <= GroupBottom; ++g)
    if (result.groups[g].stored)
      for (const char* extension : {".cal", ".stg", ".clb", ".dts"})
        files.push_back(dir / (result.baseName + groupWord(g) + extension));
  if (result.predictWritten) files.push_back(dir / PredictFileName);
  return files;
}

int runCalibrate(const CalibrateOptions& options, Console& console) {
  if (!options.name.empty() && !isPlainFileName(options.name))
    return fail("--name \"" + plainFileName(options.name, "") + "\"" + std::string(NotAPlainFileName), ExitUsage);
  BatchDialogs dialogs = console.dialogs();
  auto state = std::make_unique<AppState>();
  AnalysisOutcome outcome;
  if (const int code = loadAndAnalyze(*state, options.analyze, console, dialogs, outcome); code != ExitOk)
    return code;

  const std::filesystem::path dir = makeOutputFolder(options.outDir, "calibrate");
  if (dir.empty()) return ExitFailure;
  const std::string base =
      options.name.empty() ? plainFileName(options.analyze.input.flocks.stem().string(), "Flocks") : options.name;
  state->workspace.lastDir = dir;
  dialogs.answerInput("This creates 3 datasets", base,
                      "Stored set: " + base + " (" + (options.name.empty() ? "the flock file's name; choose with --name" : "--name") +
                          ") in " + dir.string());
  const SplitCalibrationResult result =
      calibrateGroups(state->workspace, state->model, state->calibration,
                      outcome.result->split, dialogs);
  if (result.refused || result.baseName.empty())
    return fail(withReason("nothing was calibrated", dialogs), ExitFailure);
  printRecord(console.out(options.json), state->calibration, result);
  if (outcome.result->split.sexColumn) {
    console.out(options.json) << "Each group stored as its flocks' majority sex:";
    for (int g = GroupTop; g <= GroupBottom; ++g)
      console.out(options.json) << (g == GroupTop ? " " : ", ") << groupWord(g) << ' ' << sexName(result.groups[g].sex);
    console.out(options.json) << '\n';
  }
  const std::vector<std::filesystem::path> files = storedFiles(result, dir);
  console.notes() << "Stored " << result.groupsStored << " of 3 groups as the set " << base << " (" << base
                  << "Top/Middle/Bottom: .cal, .stg, .clb, .dts; Top = the Low group, lowest feed conversion) in " << dir.string()
                  << (result.predictWritten ? std::string(", and ") + PredictFileName : std::string()) << '\n';
  if (options.json) {
    const TidyTables tables = tidyTablesOf(state->workspace, outcome.result->split, std::nullopt);
    JsonWriter json(console.json());
    json.beginObject().member("command", "calibrate");
    writeAnalysisMember(json, outcome.summary, tables);
    writeCalibrationMember(json, state->calibration, result, dir);
    writeFilesMember(json, files);
    json.endObject();
  }
  if (result.allStored() && result.predictWritten) return ExitOk;
  return fail(withReason(std::to_string(3 - result.groupsStored) + " of the 3 groups could not be calibrated", dialogs),
              ExitFailure);
}

}  // namespace

void registerCalibrate(CLI::App& app, CommandRun& chosen) {
  auto options = std::make_shared<CalibrateOptions>();
  auto* sub = app.add_subcommand(
      "calibrate", "Analyse, then calibrate the growth model to the three groups and store their files");
  addAnalyzeOptions(*sub, options->analyze);
  sub->add_option("--name", options->name,
                  "Base name of the stored files; Top, Middle and Bottom are added (default: the flock "
                  "file's name without extension)");
  sub->add_option("--out", options->outDir, "Folder for the twelve files and Predict.txt (default: here)");
  addJsonOption(*sub, options->json);
  sub->callback([options, &chosen] {
    options->analyze.input.listOut = options->outDir;
    chosen = [options](Console& console) { return runCalibrate(*options, console); };
  });
}

}  // namespace plumetra::cli
