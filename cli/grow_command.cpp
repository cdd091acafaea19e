// `plumetra-cli grow`: one growth run on the diets of a diet file.

#include "cli/commands.h"
#include "cli/model_options.h"
#include "calibration/location.h"
#include "model/composition.h"
#include "model/growth_run.h"
#include "model/run_messages.h"
#include "controls/batch_dialogs.h"
#include "files/free_format.h"
#include "workspace/diet_file.h"

#include <charconv>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>

namespace plumetra::cli {

namespace {

struct GrowOptions {
  std::filesystem::path dietFile;
  int sex = 0;
  int stopMode = kStopOnFeed;
  std::optional<double> target;
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
  const DietFileParse parse = ParseDietFile(*contents);
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
  m.inputs.DietCount = diets.count;
  for (int d = 1; d <= diets.count; ++d) {
    for (int k = 0; k < kNutrients; ++k) m.inputs.DietNutrients[d][k] = diets.values[d][k + ValFeedWeight];
    const double amount = options.feed.empty() ? diets.values[d][ValFeedWeight]
                          : static_cast<std::size_t>(d) <= options.feed.size() ? options.feed[d - 1]
                                                                             : 0.0;
    m.inputs.FeedAllotment[d] = ConvertWeight(m.settings.units, 1, amount);  // the weight unit to kilograms
  }
  return true;
}

bool writeCurve(const std::filesystem::path& dir, const ModelState& m, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  std::ostringstream out;
  out << "Day\tWeight mixed (g)\tWeight males (g)\tWeight females (g)\t"
         "Feed intake mixed (kg)\tFeed intake males (kg)\tFeed intake females (kg)\n";
  for (int day = 0; day <= m.results.FinalDay && day <= kLastGrowthDay; ++day) {
    out << day;
    for (int s = 0; s < kSexRows; ++s) out << '\t' << full(m.results.BodyWeight[s][day]);
    for (int s = 0; s < kSexRows; ++s) out << '\t' << full(m.results.FeedIntake[s][day]);
    out << '\n';
  }
  return writeFileAtomically(dir / "growth_curve.tsv", out.str(), &error);
}

void printResults(std::ostream& out, const ModelState& m) {
  printValue(out, "Final age", m.results.FinalAge);
  printValue(out, "Final weight", m.results.FinalWeight);
  printValue(out, "Feed conversion", m.results.FinalFeedConversion);
  for (int d = 1; d <= m.inputs.DietCount; ++d) printValue(out, "Feed diet " + std::to_string(d), m.results.FeedByDiet[d]);
  printValue(out, "Total feed", m.results.TotalFeed);
  printValue(out, "Total energy eaten", m.results.TotalEnergyEaten);
  for (int k = kFirstComponent; k <= kLastComponent; ++k)
    printValue(out, "Component " + std::to_string(k), m.results.FinalComposition[k]);
}

int runGrow(const GrowOptions& options) {
  auto m = std::make_unique<ModelState>();
  BatchDialogs dialogs(std::cerr);
  std::string error;
  if (!applyModelOptions(options.model, *m, dialogs, error)) {
    std::cerr << "plumetra-cli grow: " << error << '\n';
    return ExitFailure;
  }
  if (!options.location.empty() && !ReadLocationModel(*m, options.location, dialogs).calibrationRead)
    return ExitFailure;
  if (!loadDiets(options, *m, error)) {
    std::cerr << "plumetra-cli grow: " << error << '\n';
    return ExitFailure;
  }
  PrepareComposition(*m);  // default growth parameters, hatch weights, reference composition
  m->inputs.ModelSex = options.sex;
  if (options.density) m->inputs.DensityInput = {*options.density, 12.6};
  double target = 0;
  if (options.target) {
    target = *options.target;
  } else {
    for (int d = 1; d <= m->inputs.DietCount; ++d) target += m->inputs.FeedAllotment[d];
  }
  m->inputs.stop = options.stopMode == kStopOnWeight ? RunStop::AtWeight(target * 1000.0)  // kg to g
                   : options.stopMode == kStopOnAge  ? RunStop::AtAge(target)
                                                     : RunStop::AtFeed(target);

  const GrowthRunEnd end = GrowFlock(*m);
  if (end != GrowthRunEnd::DietEnergyFault) printResults(std::cout, *m);
  for (const std::string& text : RunMessageTexts(m->results.Messages)) std::cout << "Message: " << text << '\n';
  if (end == GrowthRunEnd::TargetReached && !options.outDir.empty() && !writeCurve(options.outDir, *m, error)) {
    std::cerr << "plumetra-cli grow: " << error << '\n';
    return ExitFailure;
  }
  return end == GrowthRunEnd::TargetReached ? ExitOk : ExitFailure;
}

}  // namespace

void registerGrow(CLI::App& app, CommandRun& chosen) {
  auto options = std::make_shared<GrowOptions>();
  auto* sub = app.add_subcommand("grow", "Run the growth model once on the diets of a diet file");
  sub->add_option("--diets", options->dietFile, "Diet file (.dts)")->required()->check(CLI::ExistingFile);
  sub->add_option("--sex", options->sex, "Sex of the run")
      ->transform(CLI::CheckedTransformer(std::map<std::string, int>{{"mixed", 0}, {"males", 1}, {"females", 2}},
                                          CLI::ignore_case))
      ->option_text("mixed|males|females (default mixed)");
  sub->add_option("--stop", options->stopMode, "Stop on a weight, a feed amount or an age")
      ->transform(CLI::CheckedTransformer(
          std::map<std::string, int>{{"weight", kStopOnWeight}, {"feed", kStopOnFeed}, {"age", kStopOnAge}},
          CLI::ignore_case))
      ->option_text("weight|feed|age (default feed)");
  sub->add_option("--target", options->target,
                  "Stop target: weight in kg, feed in kg per bird, age in days (default for feed: "
                  "the sum of the phase amounts)");
  sub->add_option("--feed", options->feed,
                  "Feed per bird of each phase in the weight unit (default: the diet file's Feed Weight)")
      ->delimiter(',');
  sub->add_option("--density", options->density, "Birds per square metre (default: no density effect)");
  sub->add_option("--out", options->outDir, "Folder for growth_curve.tsv");
  sub->add_option("--location", options->location,
                  "Calibrated location (.clb path or its base name) whose calibration and settings are used");
  addModelOptions(*sub, options->model);
  sub->callback([options, &chosen] {
    if (!options->target && options->stopMode != kStopOnFeed)
      throw CLI::ValidationError("--target", "a weight or age stop needs a target");
    chosen = [options] { return runGrow(*options); };
  });
}

}  // namespace plumetra::cli
