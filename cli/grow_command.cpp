// `plumetra-cli grow`: one growth run on the diets of a diet file.

#include "cli/commands.h"
#include "cli/output_folder.h"
#include "cli/model_options.h"
#include "calibration/group_curves.h"
#include "calibration/location.h"
#include "model/composition.h"
#include "model/diet_checks.h"
#include "model/growth_run.h"
#include "model/run_messages.h"
#include "controls/batch_dialogs.h"
#include "controls/number_format.h"
#include "files/free_format.h"
#include "workspace/diet_file.h"

#include <charconv>
#include <map>
#include <memory>
#include <sstream>

namespace plumetra::cli {

namespace {

constexpr double LastTargetAge = 70;  // the growth run stops by day 70

struct GrowOptions {
  std::filesystem::path dietFile;
  std::optional<int> sex;  // empty: the location's flock sex, else mixed
  int stopMode = StopOnFeed;
  std::optional<double> target;
  std::string feedText;      // --feed: amounts per phase, comma-separated
  std::vector<double> feed;  // per phase, in the weight unit
  std::optional<double> density;
  std::filesystem::path outDir;
  std::filesystem::path location;  // a calibrated location whose growth parameters are used
  ModelOptions model;
};

// Full precision: the shortest text that reads back as the same double.
std::string full(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

void printValue(std::ostream& out, const std::string& label, double value) {
  out << label << ": " << full(value) << '\n';
}

// The diets of the file as the model's nutrient vectors and phase amounts (kg per bird).
bool loadDiets(const GrowOptions& options, ModelState& m, std::string& error) {
  const auto contents = readTextFile(options.dietFile);
  if (!contents) {
    error = "cannot read the diet file " + options.dietFile.string();
    return false;
  }
  const DietFileParse parse = parseDietFile(*contents);
  if (!parse.diets || parse.diets->count < 1) {
    error = options.dietFile.string() + ": " + (parse.problem.empty() ? "no diets" : parse.problem);
    return false;
  }
  const DietFileDiets& diets = *parse.diets;
  if (options.feed.size() > static_cast<std::size_t>(diets.count)) {
    error = "--feed gives " + std::to_string(options.feed.size()) + " amounts for " +
            std::to_string(diets.count) + " diets";
    return false;
  }
  m.inputs.dietCount = diets.count;
  for (int d = 1; d <= diets.count; ++d) {
    for (int k = 0; k < Nutrients; ++k) m.inputs.dietNutrients[d][k] = diets.values[d][k + ValFeedWeight];
    const double amount = options.feed.empty() ? diets.values[d][ValFeedWeight]
                          : static_cast<std::size_t>(d) <= options.feed.size() ? options.feed[d - 1]
                                                                             : 0.0;
    m.inputs.feedAllotment[d] = convertWeight(m.settings.units, 1, amount);  // the weight unit to kilograms
  }
  // Diets the model cannot use are refused before the run; the last phase of a weight or age
  // run is fed until the target.
  for (int d = 1; d <= diets.count; ++d) {
    const bool fed = m.inputs.feedAllotment[d] > 0 || (d == diets.count && options.stopMode != StopOnFeed);
    if (std::string problem = dietEnergyProblem(d, m.inputs.dietNutrients[d][1], fed); !problem.empty()) {
      error = options.dietFile.string() + ": " + problem;
      return false;
    }
  }
  return true;
}

bool writeCurve(const std::filesystem::path& dir, const ModelState& m, std::string& error) {
  std::ostringstream out;
  out << "Day\tWeight mixed (g)\tWeight males (g)\tWeight females (g)\t"
         "Feed intake mixed (kg)\tFeed intake males (kg)\tFeed intake females (kg)\n";
  for (int day = 0; day <= m.results.finalDay && day <= LastGrowthDay; ++day) {
    out << day;
    for (int s = 0; s < SexRows; ++s) out << '\t' << full(m.results.bodyWeight[s][day]);
    for (int s = 0; s < SexRows; ++s) out << '\t' << full(m.results.feedIntake[s][day]);
    out << '\n';
  }
  return writeFileAtomically(dir / "growth_curve.tsv", out.str(), &error);
}

// "--feed 0.4,1.5,1.8": every item a number of at least 0 ("0.25,,1.6" is refused, not shifted).
bool parseFeed(const std::string& text, std::vector<double>& feed, std::string& error) {
  feed.clear();
  if (text.empty()) return true;
  std::size_t start = 0;
  for (int item = 1;; ++item) {
    const std::size_t comma = text.find(',', start);
    const std::string piece = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (!readsAsNumber(piece) || readNumber(piece) < 0) {
      error = "--feed item " + std::to_string(item) + " (\"" + piece + "\") is not a feed amount of 0 or more";
      return false;
    }
    feed.push_back(readNumber(piece));
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

// The stop target in the run's unit; an error for a target the model cannot reach by design.
bool runTarget(const GrowOptions& options, const ModelState& m, double& target, std::string& error) {
  if (!options.target) {
    target = 0;
    for (int d = 1; d <= m.inputs.dietCount; ++d) target += m.inputs.feedAllotment[d];
    if (target > 0) return true;
    error = "the diets' feed amounts add up to 0, so a feed stop has no target; give --target or --feed";
    return false;
  }
  if (!(*options.target > 0)) {
    error = "--target must be above 0";
    return false;
  }
  if (options.stopMode == StopOnAge && *options.target >= LastTargetAge) {
    error = "--target " + generalNumber(*options.target) + " days: an age target must be below the model's 70-day limit";
    return false;
  }
  target = *options.target * (options.stopMode == StopOnWeight ? 1000.0 : 1.0);  // kg to g
  return true;
}

void printResults(std::ostream& out, const ModelState& m) {
  const int sex = m.inputs.modelSex;
  printValue(out, "Final age", m.results.finalAge);
  printValue(out, "Final weight", m.results.bodyWeight[sex][m.results.finalDay]);
  printValue(out, "Feed conversion", m.results.finalFeedConversion);
  for (int d = 1; d <= m.inputs.dietCount; ++d) printValue(out, "Feed diet " + std::to_string(d), m.results.feedByDiet[d]);
  printValue(out, "Total feed", m.results.totalFeed);
  printValue(out, "Total energy eaten", m.results.totalEnergyEaten);
  for (int k = FirstComponent; k <= LastComponent; ++k)
    printValue(out, "Component " + std::to_string(k), m.results.finalComposition[k]);
}

int growFailed(const std::string& text) { return fail(text, ExitFailure); }

int runGrow(GrowOptions options, Console& console) {
  auto m = std::make_unique<ModelState>();
  BatchDialogs dialogs = console.dialogs();
  std::string error;
  if (!parseFeed(options.feedText, options.feed, error)) return growFailed(error);
  if (!applyModelOptions(options.model, *m, dialogs, error)) return growFailed(error);
  int sex = options.sex.value_or(0);
  if (!options.location.empty()) {
    const std::string stored = locationBase(options.location).string() + ".clb";
    dialogs.restate("Can not find the file", "");
    const LocationOpened opened = readLocationModel(*m, options.location, dialogs);
    if (!opened.calibrationRead)
      return growFailed(!std::filesystem::exists(stored)
                            ? "no calibrated location at " + options.location.string() + ": " + stored + " was not found"
                        : dialogs.lastReason().empty()
                            ? "the location " + options.location.string() + " could not be used"
                            : "the location " + options.location.string() + " could not be used: " + dialogs.lastReason());
    reapplyGivenOptions(options.model, *m, console.notes());
    if (opened.settingsRead && !options.sex) sex = m->inputs.modelSex;
    if (opened.settingsRead && options.sex && *options.sex != m->inputs.modelSex)
      console.notes() << "Note: --sex overrides the location's flock sex\n";
  }
  const double density = options.density.value_or(m->inputs.densityInput[0]);
  if (!loadDiets(options, *m, error)) return growFailed(error);
  prepareComposition(*m);  // default growth parameters, hatch weights, reference composition
  m->inputs.modelSex = sex;
  m->inputs.densityInput = {density, 12.6};
  double target = 0;  // grams, kg per bird or days, by the stop mode
  if (!runTarget(options, *m, target, error)) return growFailed(error);
  m->inputs.stop = options.stopMode == StopOnWeight ? RunStop::atWeight(target)
                   : options.stopMode == StopOnAge  ? RunStop::atAge(target)
                                                     : RunStop::atFeed(target);

  const GrowthRunEnd end = growFlock(*m);
  console.notes() << "Density: " << (density > 0 ? generalNumber(density) + " birds/m2" : "none (no density effect)") << '\n';
  if (end == GrowthRunEnd::DietEnergyFault)
    return growFailed("Check energy value of diet #" + std::to_string(m->results.messages.energyFaultPhase) +
                      ": that diet has no usable energy (kcal/kg); nothing was grown");
  if (end == GrowthRunEnd::TargetMissed)
    return growFailed(std::string("WOW: the ") + (options.stopMode == StopOnWeight ? "weight" : "feed") +
                      " target was not reached by day 70; lower the target or check the diets and feed amounts");
  printResults(console.out(), *m);
  for (const std::string& text : runMessageTexts(m->results.messages)) console.warning(text);
  if (m->results.modelError) return growFailed("the growth model failed during the run (a day without a start weight)");
  if (!options.outDir.empty()) {
    if (makeOutputFolder(options.outDir, "grow").empty()) return ExitFailure;
    if (!writeCurve(options.outDir, *m, error)) return growFailed(error);
  }
  return ExitOk;
}

}  // namespace

void registerGrow(CLI::App& app, CommandRun& chosen) {
  auto options = std::make_shared<GrowOptions>();
  auto* sub = app.add_subcommand("grow", "Run the growth model once on the diets of a diet file");
  sub->add_option("--diets", options->dietFile, "Diet file (.dts)")->required()->check(CLI::ExistingFile);
  sub->add_option("--sex", options->sex, "Sex of the run")
      ->transform(CLI::CheckedTransformer(std::map<std::string, int>{{"mixed", 0}, {"males", 1}, {"females", 2}},
                                          CLI::ignore_case))
      ->option_text("mixed|males|females (default: the location's flock sex, else mixed)");
  sub->add_option("--stop", options->stopMode, "Stop on a weight, a feed amount or an age")
      ->transform(CLI::CheckedTransformer(
          std::map<std::string, int>{{"weight", StopOnWeight}, {"feed", StopOnFeed}, {"age", StopOnAge}},
          CLI::ignore_case))
      ->option_text("weight|feed|age (default feed)");
  sub->add_option("--target", options->target,
                  "Stop target above 0: weight in kg, feed in kg per bird, age in days below the model's "
                  "70-day limit (default for feed: the sum of the phase amounts)");
  sub->add_option("--feed", options->feedText,
                  "Feed per bird of each phase in the weight unit, comma-separated, each 0 or more (default: "
                  "the diet file's Feed Weight)");
  sub->add_option("--density", options->density,
                  "Birds per square metre (default: the location's calibration density, else no density effect)");
  sub->add_option("--out", options->outDir, "Folder for growth_curve.tsv");
  sub->add_option("--location", options->location,
                  "Calibrated location (.clb path or its base name) whose calibration, settings and stocking "
                  "density are used; options given here win over its stored values");
  addModelOptions(*sub, options->model);
  sub->callback([options, &chosen] {
    if (!options->target && options->stopMode != StopOnFeed)
      throw CLI::ValidationError("--target", "a weight or age stop needs a target");
    chosen = [options](Console& console) { return runGrow(*options, console); };
  });
}

}  // namespace plumetra::cli
