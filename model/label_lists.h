#pragma once
// The label lists of the model: diet rows, calibration-file labels and settings-file labels.
// Each list is indexed from 1; entry 0 is empty.

#include <array>
#include <string_view>

namespace plumetra {

struct LabelLists {
  std::array<std::string_view, 19> dietRows;
  std::array<std::string_view, 9> calibrationLabels;
  std::array<std::string_view, 11> settingsLabels;
};

constexpr LabelLists setLabelLists() {
  return {
      {"", "Diet Type", "Diet Change", "Feed Cost", "Feed Weight", "ENERGY", "Protein",
       "Arginine", "HISTIDINE", "Lysine", "Tryptophan", "Phe + Tyrosine", "Phenylalanine",
       "MET_CYS", "Methionine", "Threonine", "LEUCINE", "isoleucine", "valine"},
      {"", "Amino Acid Values are Total (0) or Avail (1)", "No of Diets",
       "Change on Age(0) or Wt (1)", "Change Age, days", "Change wt, kg", "ENERGY",
       "F E correction, Male", "F E correction, Female"},
      {"", "Flock Sex", "No of Diets", "Change on Age(0) or Wt (1)", "Age, days", "Feed Weight",
       "Energy Choice", "Weight Choice", "Cost Choice", "Temperature by week", "Target Weight"},
  };
}

inline constexpr LabelLists ModelLabels = setLabelLists();

}  // namespace plumetra
