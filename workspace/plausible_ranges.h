#pragma once
// The values a flock or a diet can plausibly hold, one range per item, in the units the
// program works in (kilograms per bird, days, kcal per kg, percent of the feed). A value
// outside is a typing or export slip (a weight in grams in a kilogram column, 1e100), never
// data: a flock holding one is left out and named, a diet holding one is refused, and a
// stored file holding one is refused with its name and line. The bounds are wide enough for
// every commercial broiler flock and diet.

#include <string>
#include <string_view>

namespace plumetra {

struct PlausibleRange {
  std::string_view what;  // in the user's words: "live weight"
  double low, high;
  std::string_view unit;  // "" for a ratio
  bool holds(double value) const;  // false for NaN and the infinities too
  std::string bounds() const;      // "0.1 to 10 kg"
};

// Flock items.
inline constexpr PlausibleRange LiveWeightRange{"live weight", 0.1, 10, "kg"};
inline constexpr PlausibleRange BirdCountRange{"number of birds", 1, 2'000'000, "birds"};
inline constexpr PlausibleRange AgeRange{"age", 1, 100, "days"};
inline constexpr PlausibleRange FeedConversionRange{"feed conversion", 0.5, 5, ""};
inline constexpr PlausibleRange PhaseIntakeRange{"feed intake", 0, 20, "kg per bird"};
inline constexpr PlausibleRange DensityRange{"density", 1, 80, "birds/m²"};

// Diet values.
inline constexpr PlausibleRange EnergyRange{"energy", 1000, 5000, "kcal/kg"};
inline constexpr PlausibleRange ProteinRange{"protein", 0, 60, "%"};
inline constexpr PlausibleRange AminoAcidRange{"amino acid", 0, 10, "%"};
inline constexpr PlausibleRange FeedCostRange{"feed cost", 0, 1'000'000, ""};
inline constexpr PlausibleRange FeedWeightRange{"feed weight", 0, 20, "kg per bird"};

// Ranges of diet values, each value of a diet file in its order (DietValue, diet_table.h).
const PlausibleRange& dietValueRange(int value);

// Whether a stored diet value holds its range in one of the units the settings offer (a
// stored file does not say which was chosen): energy in kcal/kg, kcal/lb, Mcal/kg, Mcal/lb or
// MJ/kg, a feed weight in kilograms, pounds or grams. 0 stands for a value not given.
bool holdsInSomeUnit(int value, double v);

}  // namespace plumetra
