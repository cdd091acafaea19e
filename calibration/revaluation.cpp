#include "calibration/revaluation.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>

#include "calibration/calibration_files.h"
#include "calibration/group_inputs.h"
#include "calibration/lower_cost_search.h"
#include "calibration/revaluation_file.h"
#include "model/composition.h"
#include "model/growth_run.h"
#include "controls/fixed_text.h"
#include "files/free_format.h"
#include "controls/number_format.h"

namespace plumetra {

namespace {

// The file numbers a flock by its place in the split counted from this row, the analysis
// grid's row above its first flock.
constexpr int RowAboveFlocks = 21;
constexpr int Day14 = 14;
constexpr int Day21 = 21;

bool anyCalibrationInMemory(const CalibrationRecord& calibration) {
  for (int g = GroupTop; g <= GroupBottom; ++g)
    if (calibration.hasGroup(g)) return true;
  return false;
}

// " (Pine Valley, house 3)": the flock's farm and house for a message, empty when neither is known.
std::string flockLabel(const FlockKey& key) {
  if (key.farm.empty() && key.house.empty()) return {};
  if (key.house.empty()) return " (" + key.farm + ")";
  return " (" + (key.farm.empty() ? "" : key.farm + ", ") + "house " + key.house + ")";
}

}  // namespace

RevalRead readForReval(std::string& name, CalibrationRecord& calibration, std::string* problem) {
  const std::filesystem::path chosen(name);
  std::error_code error;
  if (!std::filesystem::is_regular_file(chosen, error)) return RevalRead::NoFile;
  const std::string fileName = chosen.filename().string();
  const size_t top = fileName.find("Top");
  if (top == std::string::npos) return RevalRead::NoTop;
  const std::filesystem::path base = chosen.parent_path() / fileName.substr(0, top);

  CalibrationRecord read = calibration;
  read.storedAminoBasis = -1;
  const std::array<std::filesystem::path, 4> files{
      {{}, chosen, base.string() + "Middle.clb", base.string() + "Bottom.clb"}};
  std::string missing;
  for (int g = GroupTop; g <= GroupBottom; ++g) {
    read.table[g] = {};
    if (g != GroupTop && !std::filesystem::exists(files[g], error)) {
      missing += std::string(missing.empty() ? "" : ", ") + groupWord(g) + " (" + files[g].filename().string() + ")";
      continue;
    }
    std::string why;
    const auto values = readCalibrationValues(files[g], &why);
    if (!values) {
      if (problem) *problem = why;
      return RevalRead::Refused;
    }
    for (int sex = 1; sex <= 2; ++sex) {
      for (int k = ItemHatchWeight; k <= ItemRate; ++k) read(g, sex, k) = values->params[sex][k];
      read(g, sex, ItemFeCorrection) = values->feCorrection[sex];
    }
    if (read.storedAminoBasis < 0) read.storedAminoBasis = values->aminoBasis;
  }
  calibration = read;
  name = base.string();
  if (problem) *problem = missing.empty() ? "" : "No calibration was found for the group(s) " + missing + "; they are left out.";
  return RevalRead::Read;
}

std::string todayText() {
  const std::chrono::year_month_day today{std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(today.year()),
                static_cast<unsigned>(today.month()), static_cast<unsigned>(today.day()));
  return text;
}

RevalEnd revalueFlocksAs(RevaluationContext& context, const std::string& baseName, Dialogs& dialogs) {
  Workspace& ws = context.ws;
  ModelState& m = context.model;
  CalibrationRecord& calibration = context.calibration;
  if (!anyCalibrationInMemory(calibration)) {
    dialogs.message(
        "No calibration is in memory and none was chosen. Calibrate and store the flock splits, or "
        "choose a calibration file ending in Top.clb; nothing was revalued.");
    return RevalEnd::NoCalibration;
  }
  if (ws.chosenSex >= 0) calibration.chosenSex = ws.chosenSex;
  if (calibration.storedAminoBasis >= 0) {  // the stored set's basis, whatever the settings say
    m.settings.units.aminoBasis = calibration.storedAminoBasis != 0 ? AminoBasis::Avail : AminoBasis::Total;
  }
  m.inputs.modelSex = calibration.chosenSex;
  const int phases = std::min(m.inputs.dietCount, MaxDietPhases);
  for (int p = 1; p <= phases; ++p)
    for (int k = 1; k < Nutrients; ++k) m.inputs.dietNutrients[p][k] = ws.diets.enteredDiets[p][k];

  RevaluationWriter file(ws.locationFile.string(), context.today.empty() ? todayText() : context.today);
  RunMessageTally messages;
  context.revalued = {};
  context.lines.clear();
  dialogs.busy(true);
  int position = 0;
  for (int g = GroupTop; g <= GroupBottom; ++g) {
    const auto first = context.lines.size();
    const bool calibrated = calibration.hasGroup(g);
    if (!calibrated) {
      dialogs.message(std::string("The ") + groupWord(g) + " group has no calibration (it failed or its file is "
                      "missing); its flocks are not revalued.");
    } else {
      prepareComposition(m);
      applyGroupCalibration(m, calibration, g);
    }
    for (const SplitFlock& f : context.flocks.flocks) {
      if (f.group != g) continue;
      ++position;
      if (!calibrated) continue;
      const std::string which = std::to_string(position) + flockLabel(f.key) + " of the " + groupWord(g) + " group";
      double feed = 0;
      for (int p = 1; p <= phases; ++p) feed += m.inputs.feedAllotment[p] = f.intake[static_cast<std::size_t>(p)];
      if (!(feed > 0)) {
        dialogs.message("Flock " + which + " has no feed intakes; it is skipped and the group goes on.");
        continue;
      }
      m.inputs.stop = RunStop::atFeed(feed);
      m.inputs.modelSex = sexOf(f, calibration.chosenSex);
      setDensity(m, f.density);
      setHatchWeights(m);
      growFlock(m);
      messages.add(m.results.messages, "flock " + which);
      context.lines.push_back({f.key, g, position, m.results.finalWeight, m.results.finalAge,
                               m.results.finalFeedConversion, m.results.bodyWeight[m.inputs.modelSex][Day14],
                               m.results.bodyWeight[m.inputs.modelSex][Day21]});
    }
    context.revalued[g] = static_cast<int>(context.lines.size() - first);
    file.group(baseName + groupWord(g), context.revalued[g], RowAboveFlocks);
    for (auto i = first; i < context.lines.size(); ++i) {
      const RevaluedFlockLine& line = context.lines[i];
      file.flock(line.position, line.weight, line.age, line.feedConversion, line.weightDay14, line.weightDay21);
    }
  }
  m.inputs.modelSex = calibration.chosenSex;  // after the flocks' own sexes
  dialogs.busy(false);
  messages.show(dialogs);

  const std::filesystem::path path = context.folder / (baseName + RevaluationFileSuffix);
  std::string error;
  if (!writeFileAtomically(path, file.contents(), &error)) {
    dialogs.message("\"" + path.string() + "\" could not be written: " + error);
    return RevalEnd::WriteFailed;
  }
  context.written = path;
  return RevalEnd::Done;
}

Grid revaluedFlocksGrid(const std::vector<RevaluedFlockLine>& lines) {
  static constexpr std::array<const char*, 6> headings{"Group",     "Live wt kg",     "Age days",
                                                       "Feed/Gain", "Wt day 14 kg", "Wt day 21 kg"};
  Grid grid(static_cast<int>(lines.size()) + 1, FlockKeyColumns + static_cast<int>(headings.size()));
  writeFlockKeyHeadings(grid, 0);
  for (std::size_t k = 0; k < headings.size(); ++k) grid.setText(0, FlockKeyColumns + static_cast<int>(k), headings[k]);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const RevaluedFlockLine& line = lines[i];
    const int r = static_cast<int>(i) + 1;
    writeFlockKey(grid, r, line.key);
    grid.setText(r, FlockKeyColumns, groupWord(line.group));
    grid.setText(r, FlockKeyColumns + 1, fixedText(line.weight / 1000, 3));
    grid.setText(r, FlockKeyColumns + 2, fixedText(line.age, 1));
    grid.setText(r, FlockKeyColumns + 3, fixedText(line.feedConversion, 3));
    grid.setText(r, FlockKeyColumns + 4, fixedText(line.weightDay14 / 1000, 3));
    grid.setText(r, FlockKeyColumns + 5, fixedText(line.weightDay21 / 1000, 3));
  }
  return grid;
}

RevalEnd revalueFlocks(RevaluationContext& context, Dialogs& dialogs) {
  const auto picked = dialogs.openFile({.title = RevalDialogTitle,
                                        .filter = RevalDialogFilter,
                                        .fileName = RevalDialogFileName,
                                        .initialFolder = context.folder});
  if (picked && picked->filename() != RevalDialogFileName) {
    std::string name = picked->string();
    std::string problem;
    switch (readForReval(name, context.calibration, &problem)) {
      case RevalRead::Read: {
        const std::filesystem::path base(name);
        context.folder = base.parent_path();
        context.calibration.baseName = base.filename().string();
        if (!problem.empty()) dialogs.message(problem);
        break;
      }
      case RevalRead::Refused:
        dialogs.message(problem);
        return RevalEnd::ReadFailed;
      case RevalRead::NoFile:
      case RevalRead::NoTop:
        break;  // the calibrations in memory stay in force
    }
  }
  return revalueFlocksAs(context, context.calibration.baseName, dialogs);
}

}  // namespace plumetra
