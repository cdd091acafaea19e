#include "calibration/group_curves.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "calibration/calibration_record.h"
#include "calibration/location.h"
#include "controls/fixed_text.h"
#include "files/free_format.h"
#include "model/composition.h"
#include "model/growth_run.h"
#include "workspace/diet_file.h"
#include "workspace/not_known.h"

namespace plumetra {

namespace {

constexpr int Uncalibrated = 0;

bool endsWith(const std::string& text, std::string_view end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The group's diets: nutrient vectors and the feed per phase of its stored programme.
bool loadGroupDiets(ModelState& m, const std::filesystem::path& file, std::string& problem) {
  const auto contents = readTextFile(file);
  if (!contents) {
    problem = file.string() + " was not found";
    return false;
  }
  const DietFileParse parse = parseDietFile(*contents);
  if (!parse.diets || parse.diets->count < 1) {
    problem = file.string() + ": " + (parse.problem.empty() ? "no diets" : parse.problem);
    return false;
  }
  m.inputs.dietCount = parse.diets->count;
  for (int d = 1; d <= m.inputs.dietCount; ++d) {
    for (int k = 0; k < Nutrients; ++k) m.inputs.dietNutrients[d][k] = parse.diets->values[d][k + ValFeedWeight];
    m.inputs.feedAllotment[d] = convertWeight(m.settings.units, 1, parse.diets->values[d][ValFeedWeight]);
  }
  return true;
}

void grow(ModelState& m, GroupCurve& curve) {
  double feed = 0;  // kg per bird
  for (int d = 1; d <= m.inputs.dietCount; ++d) feed += m.inputs.feedAllotment[d];
  m.inputs.stop = RunStop::atFeed(feed);
  if (growFlock(m) != GrowthRunEnd::TargetReached) {
    curve.problem = "the growth run did not reach the end of the feeding programme";
    return;
  }
  const int sex = std::clamp(m.inputs.modelSex, 0, SexRows - 1);
  double eaten = 0;
  for (int day = 0; day <= std::min(m.results.finalDay, LastGrowthDay); ++day) {
    const double w = m.results.bodyWeight[sex][day];
    const double intake = day == 0 ? 0.0 : m.results.feedIntake[sex][day];
    eaten += intake;
    curve.weight.push_back(w);
    curve.gain.push_back(day == 0 ? 0.0 : w - m.results.bodyWeight[sex][day - 1]);
    curve.intake.push_back(intake * 1000.0);
    curve.cumulativeFcr.push_back(day == 0 || w <= 0 ? NotKnown : eaten / (w / 1000.0));
  }
  // The run ends part of the way through its last day: that day's gain and intake become
  // rates per whole day, so the curves do not dip at their end.
  const double lastDayFraction = m.results.finalAge - (m.results.finalDay - 1);
  if (curve.gain.size() > 1 && lastDayFraction > 0 && lastDayFraction < 1) {
    curve.gain.back() /= lastDayFraction;
    curve.intake.back() /= lastDayFraction;
  }
  curve.grown = true;
}

// The model before any calibration: its built-in growth parameters and no F E correction.
void putUncalibratedParameters(ModelState& m) {
  m.inputs.growthParams = {};
  m.inputs.feCorrection = {};
  prepareComposition(m);  // puts the built-in parameters in place while none are set
  setHatchWeights(m);
}

}  // namespace

std::filesystem::path locationBase(const std::filesystem::path& named) {
  std::filesystem::path base = named;
  if (base.extension() == ".clb") base.replace_extension();
  std::string name = base.filename().string();
  for (int g = GroupTop; g <= GroupBottom; ++g)
    if (endsWith(name, groupWord(g)))
      return base.parent_path() / name.substr(0, name.size() - std::string(groupWord(g)).size());
  return base;
}

GroupCurves growGroupCurves(const ModelState& start, const std::filesystem::path& base, Dialogs& dialogs) {
  GroupCurves curves;
  curves[Uncalibrated].name = "Uncalibrated";
  auto m = std::make_unique<ModelState>();
  for (int g = GroupTop; g <= GroupBottom; ++g) {
    GroupCurve& curve = curves[static_cast<std::size_t>(g)];
    curve.name = groupWord(g);
    *m = start;
    const std::filesystem::path group = base.string() + groupWord(g);
    if (!readLocationModel(*m, group, dialogs).calibrationRead) {
      curve.problem = group.string() + ".clb could not be read";
      continue;
    }
    if (!loadGroupDiets(*m, dietFilePath(group), curve.problem)) continue;
    prepareComposition(*m);
    setHatchWeights(*m);
    if (g == GroupMiddle) {
      auto breed = std::make_unique<ModelState>(*m);
      putUncalibratedParameters(*breed);
      grow(*breed, curves[Uncalibrated]);
    }
    grow(*m, curve);
  }
  if (!curves[GroupMiddle].grown && curves[Uncalibrated].problem.empty())
    curves[Uncalibrated].problem =
        "the uncalibrated model is grown on the Middle group's diets, which could not be read";
  return curves;
}

Grid curvesGrid(const GroupCurves& curves) {
  static constexpr std::array<const char*, 4> parts{" Weight g", " Gain g/day", " Intake g/day", " Cum. FCR"};
  std::size_t days = 0;
  for (const GroupCurve& c : curves) days = std::max(days, c.weight.size());
  Grid grid(static_cast<int>(days) + 1, 1 + 4 * 4);
  grid.setText(0, 0, "Day");
  for (std::size_t d = 0; d < days; ++d) grid.setText(static_cast<int>(d) + 1, 0, std::to_string(d));
  // Top, Middle, Bottom first, then the breed.
  constexpr std::array<int, 4> order{GroupTop, GroupMiddle, GroupBottom, Uncalibrated};
  for (std::size_t i = 0; i < order.size(); ++i) {
    const GroupCurve& c = curves[static_cast<std::size_t>(order[i])];
    const int col = 1 + static_cast<int>(i) * 4;
    for (int p = 0; p < 4; ++p) grid.setText(0, col + p, c.name + parts[static_cast<std::size_t>(p)]);
    for (std::size_t d = 0; d < c.weight.size(); ++d) {
      const int r = static_cast<int>(d) + 1;
      grid.setText(r, col, fixedText(c.weight[d], 1));
      grid.setText(r, col + 1, fixedText(c.gain[d], 2));
      grid.setText(r, col + 2, fixedText(c.intake[d], 2));
      grid.setText(r, col + 3, fixedText(c.cumulativeFcr[d], 3));
    }
  }
  return grid;
}

}  // namespace plumetra
