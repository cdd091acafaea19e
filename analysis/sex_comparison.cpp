#include "analysis/sex_comparison.h"

#include <cmath>

#include "controls/fixed_text.h"
#include "workspace/flock_sex.h"

namespace plumetra {

namespace {

constexpr int LowGroup = 1, HighGroup = 3;

std::string fixed(double v, int decimals) { return std::isfinite(v) ? fixedText(v, decimals) : "-"; }

std::string differenceText(const char* what, const Moments& low, const Moments& high, const MeanDifference& d,
                           int decimals, const char* unit) {
  if (low.n == 0 || high.n == 0) return std::string(what) + ": no Low or no High flock";
  std::string text = std::string(what) + " Low " + fixed(low.mean, decimals) + ", High " + fixed(high.mean, decimals) +
                     ", difference " + fixed(d.difference, decimals) + unit;
  return text + (std::isfinite(d.t) ? " (t = " + fixedText(d.t, 2) + ", " + pText(d.p) + ")" : " (too few flocks for a t)");
}

}  // namespace

std::vector<SexComparison> compareBySex(const SplitFlocks& split, int chosenSex) {
  std::vector<SexComparison> out;
  if (!split.sexColumn) return out;
  for (int sex : {MaleSex, FemaleSex, MixedSex}) {
    SexComparison c;
    c.sex = sex;
    std::vector<double> lowFcr, highFcr, lowWeight, highWeight;
    for (const SplitFlock& f : split.flocks) {
      if (sexOf(f, chosenSex) != sex) continue;
      ++c.flocks[static_cast<std::size_t>(f.group)];
      if (f.group == LowGroup) {
        lowFcr.push_back(f.feedConversion);
        lowWeight.push_back(f.liveWeight);
      } else if (f.group == HighGroup) {
        highFcr.push_back(f.feedConversion);
        highWeight.push_back(f.liveWeight);
      }
    }
    if (c.flocks[1] + c.flocks[2] + c.flocks[3] == 0) continue;
    c.lowFcr = momentsOf(lowFcr);
    c.highFcr = momentsOf(highFcr);
    c.lowWeight = momentsOf(lowWeight);
    c.highWeight = momentsOf(highWeight);
    c.fcr = welchDifference(c.lowFcr, c.highFcr);
    c.weight = welchDifference(c.lowWeight, c.highWeight);
    out.push_back(c);
  }
  return out;
}

std::string sexComparisonText(const SplitFlocks& split, int chosenSex) {
  const std::vector<SexComparison> bySex = compareBySex(split, chosenSex);
  if (bySex.empty()) return "";
  std::string text = "Low against High within each flock sex (each flock grown as its own sex):\n";
  for (const SexComparison& c : bySex) {
    text += "  " + std::string(sexName(c.sex)) + " (" + std::to_string(c.flocks[1] + c.flocks[2] + c.flocks[3]) +
            " flocks: Low " + std::to_string(c.flocks[1]) + ", High " + std::to_string(c.flocks[3]) + "): " +
            differenceText("feed conversion", c.lowFcr, c.highFcr, c.fcr, 3, "") + "; " +
            differenceText("live weight", c.lowWeight, c.highWeight, c.weight, 3, " kg") + "\n";
  }
  return text + "A calibrated group keeps one sex, its flocks' majority: " + groupSexesText(split, chosenSex) + "\n";
}

std::string groupSexesText(const SplitFlocks& split, int chosenSex) {
  static constexpr const char* Groups[] = {"", "Low", "Middle", "High"};
  std::string text;
  for (int g = 1; g <= 3; ++g)
    text += std::string(g == 1 ? "" : ", ") + Groups[g] + " " + std::string(sexName(groupMajoritySex(split, g, chosenSex)));
  return text;
}

}  // namespace plumetra
