#include "analysis/sex_comparison.h"

#include <cmath>

#include "analysis/split_statistics.h"
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

std::vector<SexComparison> compareBySex(const SplitFlocks& split, int chosenSex,
                                        const std::array<double, 4>& splitPercent) {
  std::vector<SexComparison> out;
  if (!split.sexColumn) return out;
  for (int sex : {MaleSex, FemaleSex, MixedSex}) {
    SexComparison c;
    c.sex = sex;
    std::vector<const SplitFlock*> own;  // lowest feed conversion first, as the split holds them
    for (const SplitFlock& f : split.flocks)
      if (sexOf(f, chosenSex) == sex) {
        own.push_back(&f);
        ++c.flocks[static_cast<std::size_t>(f.group)];
      }
    if (own.empty()) continue;
    const GroupSizes sizes = splitGroupSizes(static_cast<int>(own.size()), splitPercent);
    c.ownSplit = {static_cast<int>(own.size()), sizes.first, sizes.middle, sizes.last};
    std::vector<double> lowFcr, highFcr, lowWeight, highWeight;
    for (int i = 0; i < sizes.first; ++i) {
      lowFcr.push_back(own[static_cast<std::size_t>(i)]->feedConversion);
      lowWeight.push_back(own[static_cast<std::size_t>(i)]->liveWeight);
    }
    for (int i = static_cast<int>(own.size()) - sizes.last; i < static_cast<int>(own.size()); ++i) {
      highFcr.push_back(own[static_cast<std::size_t>(i)]->feedConversion);
      highWeight.push_back(own[static_cast<std::size_t>(i)]->liveWeight);
    }
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

std::string sexComparisonText(const SplitFlocks& split, int chosenSex, const std::array<double, 4>& splitPercent) {
  const std::vector<SexComparison> bySex = compareBySex(split, chosenSex, splitPercent);
  if (bySex.empty()) return "";
  std::string text =
      "Low against High within each flock sex (each flock grown as its own sex; each sex's flocks split on "
      "their own):\n";
  for (const SexComparison& c : bySex) {
    text += "  " + std::string(sexName(c.sex)) + " (" + std::to_string(c.ownSplit[0]) +
            (c.ownSplit[0] == 1 ? " flock; Low " : " flocks; Low ") +
            std::to_string(c.ownSplit[1]) + ", High " + std::to_string(c.ownSplit[3]) + " of their own; in the "
            "groups above " + std::to_string(c.flocks[1]) + " Low, " + std::to_string(c.flocks[2]) + " Middle, " +
            std::to_string(c.flocks[3]) + " High): " + differenceText("feed conversion", c.lowFcr, c.highFcr, c.fcr, 3, "") +
            "; " + differenceText("live weight", c.lowWeight, c.highWeight, c.weight, 3, " kg") + "\n";
  }
  return text + "A calibrated group keeps one sex, its flocks' majority: " + groupSexesText(split, chosenSex) + "\n";
}

std::string groupSexesText(const SplitFlocks& split, int chosenSex) {
  static constexpr const char* groups[] = {"", "Low", "Middle", "High"};
  std::string text;
  for (int g = 1; g <= 3; ++g)
    text += std::string(g == 1 ? "" : ", ") + groups[g] + " " + std::string(sexName(groupMajoritySex(split, g, chosenSex)));
  return text;
}

}  // namespace plumetra
