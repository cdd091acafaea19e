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
#include "files/free_format.h"
#include "controls/number_format.h"

namespace plumetra {

namespace {

constexpr int kFirstIntakeItem = 5;  // phase p is item p + 4
constexpr int kGridColumnField = 4;  // FarmOrder field: the grid column read from
constexpr int kFirstFlockRow = 22;  // row 21 holds the flock grid's headings
constexpr int kLastHeaderRow = 23;
constexpr std::array<int, 4> kSizeCaptionRow{0, 11, 13, 15};  // "N = " captions in column 2
constexpr int kSizeCaptionCol = 2;
constexpr int kDay14 = 14;
constexpr int kDay21 = 21;

bool anyCalibrationInMemory(const CalibrationRecord& calibration) {
  for (int g = kGroupTop; g <= kGroupBottom; ++g)
    if (calibration.hasGroup(g)) return true;
  return false;
}

struct FlockLine {
  int row;
  double weight, age, feedConversion, day14, day21;
};

}  // namespace

RevalRead ReadforReval(std::string& name, CalibrationRecord& calibration, std::string* problem) {
  const std::filesystem::path chosen(name);
  std::error_code error;
  if (!std::filesystem::is_regular_file(chosen, error)) return RevalRead::NoFile;
  const std::string fileName = chosen.filename().string();
  const size_t top = fileName.find("Top");
  if (top == std::string::npos) return RevalRead::NoTop;
  const std::filesystem::path base = chosen.parent_path() / fileName.substr(0, top);

  CalibrationRecord read = calibration;
  read.StoredAminoBasis = -1;
  const std::array<std::filesystem::path, 4> files{
      {{}, chosen, base.string() + "Middle.clb", base.string() + "Bottom.clb"}};
  std::string missing;
  for (int g = kGroupTop; g <= kGroupBottom; ++g) {
    read.table[g] = {};
    if (g != kGroupTop && !std::filesystem::exists(files[g], error)) {
      missing += std::string(missing.empty() ? "" : ", ") + groupWord(g) + " (" + files[g].filename().string() + ")";
      continue;
    }
    std::string why;
    const auto values = ReadCalibrationValues(files[g], &why);
    if (!values) {
      if (problem) *problem = why;
      return RevalRead::Refused;
    }
    for (int sex = 1; sex <= 2; ++sex) {
      for (int k = kItemHatchWeight; k <= kItemRate; ++k) read(g, sex, k) = values->params[sex][k];
      read(g, sex, kItemFeCorrection) = values->feCorrection[sex];
    }
    if (read.StoredAminoBasis < 0) read.StoredAminoBasis = values->aminoBasis;
  }
  calibration = read;
  name = base.string();
  if (problem) *problem = missing.empty() ? "" : "No calibration was found for the group(s) " + missing + "; they are left out.";
  return RevalRead::Read;
}

RevalBlock FindRevalBlock(const Grid& analysisGrid) {
  RevalBlock block;
  // Column 0 is scanned from the first flock row: the heading row above it carries the flock
  // grid's heading of column 0 and would be taken for a flock.
  int r = kFirstFlockRow;
  while (r <= kLastHeaderRow && r < analysisGrid.rows() && analysisGrid.text(r, 0).empty()) ++r;
  block.H = r - 1;
  block.boundary[0] = block.H;
  for (int g = kGroupTop; g <= kGroupBottom; ++g) {
    const std::string& caption = analysisGrid.text(kSizeCaptionRow[g], kSizeCaptionCol);
    const size_t from = caption.size() > 3 ? caption.size() - 3 : 0;
    block.size[g] = static_cast<int>(ReadNumber(caption.substr(from)));
    block.boundary[g] = block.boundary[g - 1] + block.size[g];
  }
  // The last group ends within the grid.
  block.boundary[kGroupBottom] = std::min(block.boundary[kGroupBottom], analysisGrid.rows() - 1);
  return block;
}

std::string TodayText() {
  const std::chrono::year_month_day today{std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(today.year()),
                static_cast<unsigned>(today.month()), static_cast<unsigned>(today.day()));
  return text;
}

RevalEnd RevalueFlocks(RevaluationContext& context, const std::string& baseName, Dialogs& dialogs,
                       RevaluationWindowState& window) {
  Workspace& ws = context.ws;
  ModelState& m = context.model;
  CalibrationRecord& calibration = context.calibration;
  if (!anyCalibrationInMemory(calibration)) {
    dialogs.message(
        "No calibration is in memory and none was chosen. Calibrate and store the flock splits, or "
        "choose a calibration file ending in Top.clb; nothing was revalued.");
    return RevalEnd::NoCalibration;
  }
  if (ws.flockSexChoice.index >= 0) calibration.ChosenSex = ws.flockSexChoice.index;
  if (calibration.StoredAminoBasis >= 0) {  // the stored set's basis, whatever the settings say
    m.settings.units.aminoBasis = calibration.StoredAminoBasis != 0 ? AminoBasis::Avail : AminoBasis::Total;
  }
  m.inputs.ModelSex = calibration.ChosenSex;
  const int phases = std::min(m.inputs.DietCount, kMaxDietPhases);
  for (int p = 1; p <= phases; ++p)
    for (int k = 1; k < kNutrients; ++k) m.inputs.DietNutrients[p][k] = ws.diets.EnteredDiets[p][k];

  const RevalBlock block = FindRevalBlock(ws.analysisGrid);
  RevaluationWriter file(ws.locationBox.text, context.today.empty() ? TodayText() : context.today);
  RunMessageTally messages;
  context.revalued = {};
  dialogs.busy(true);
  for (int g = kGroupTop; g <= kGroupBottom; ++g) {
    std::vector<FlockLine> lines;
    if (!calibration.hasGroup(g)) {
      dialogs.message(std::string("The ") + groupWord(g) + " group has no calibration (it failed or its file is "
                      "missing); its flocks are not revalued.");
    } else {
      PrepareComposition(m);
      ApplyGroupCalibration(m, calibration, g);
      for (int r = block.boundary[g - 1] + 1; r <= block.boundary[g]; ++r) {
        double feed = 0;
        for (int p = 1; p <= phases; ++p) {
          m.inputs.FeedAllotment[p] = ws.analysisGrid.value(r, ws.FarmOrder[p + kFirstIntakeItem - 1][kGridColumnField]);
          feed += m.inputs.FeedAllotment[p];
        }
        if (!(feed > 0)) {
          const std::string id = ws.analysisGrid.text(r, 0);
          dialogs.message("Flock " + std::to_string(r - block.H) + (id.empty() ? "" : " (" + id + ")") + " of the " +
                          groupWord(g) + " group has no feed intakes; it is skipped and the group goes on.");
          continue;
        }
        m.inputs.stop = RunStop::AtFeed(feed);
        SetDensity(m, FlockDensity(ws, r));
        SetHatchWeights(m);
        GrowFlock(m);
        const std::string id = ws.analysisGrid.text(r, 0);
        messages.add(m.results.Messages, "flock " + std::to_string(r - block.H) + (id.empty() ? "" : " (" + id + ")") +
                                             " of the " + groupWord(g) + " group");
        lines.push_back({r - block.H, m.results.FinalWeight, m.results.FinalAge, m.results.FinalFeedConversion,
                         m.results.BodyWeight[m.inputs.ModelSex][kDay14], m.results.BodyWeight[m.inputs.ModelSex][kDay21]});
      }
    }
    context.revalued[g] = static_cast<int>(lines.size());
    file.group(baseName + groupWord(g), context.revalued[g], block.H);
    for (const FlockLine& line : lines)
      file.flock(line.row, line.weight, line.age, line.feedConversion, line.day14, line.day21);
  }
  dialogs.busy(false);
  messages.show(dialogs);

  const std::filesystem::path path = context.folder / (baseName + kRevaluationFileSuffix);
  std::string error;
  if (!writeFileAtomically(path, file.contents(), &error)) {
    dialogs.message("\"" + path.string() + "\" could not be written: " + error);
    return RevalEnd::WriteFailed;
  }
  openRevaluationFile(window, path, ws, dialogs);
  return RevalEnd::Done;
}

RevalEnd revalueFlocks(RevaluationContext& context, Dialogs& dialogs, RevaluationWindowState& window) {
  const auto picked = dialogs.openFile({.title = kRevalDialogTitle,
                                        .filter = kRevalDialogFilter,
                                        .fileName = kRevalDialogFileName,
                                        .initialFolder = context.folder});
  if (picked && picked->filename() != kRevalDialogFileName) {
    std::string name = picked->string();
    std::string problem;
    switch (ReadforReval(name, context.calibration, &problem)) {
      case RevalRead::Read: {
        const std::filesystem::path base(name);
        context.folder = base.parent_path();
        context.calibration.BaseName = base.filename().string();
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
  return RevalueFlocks(context, context.calibration.BaseName, dialogs, window);
}

}  // namespace plumetra
