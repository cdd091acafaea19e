#pragma once
// The diet tables: the analysis diet table matched from the diet grid, the diet-file table
// with its labels and texts, and the nutrient vectors handed to the growth model.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "workspace/feed_pricing.h"
#include "workspace/flock_table.h"

namespace plumetra {

inline constexpr int MaxDiets = 15;             // dietData holds diets 1-15
inline constexpr int DietNutrientCount = 9;     // dietData nutrients 0-8
// The diet file (".dts") format holds five diets, those of the first feed phases; a later
// phase takes its diet from the diet table.
inline constexpr int MaxFileDiets = 5;
static_assert(MaxFileDiets <= FeedPhases, "a diet file holds no more diets than there are feed phases");
inline constexpr int DietValueCount = 16;       // numeric values of one diet in a diet file
inline constexpr int DietTableValueCount = 122; // dietTable values 0-121
inline constexpr int DietLinesPerDiet = 18;     // two texts and sixteen numbers
inline constexpr int NutrientVectorSize = 15;   // enteredDiets values 0-14
inline constexpr int EnteredDietCount = FeedPhases + 1;  // enteredDiets diets 0-6

// Nutrients of dietData, in the order of the nutrient Data IDs.
enum DietNutrient : int {
  NutEnergy = 0,
  NutProtein = 1,
  NutMethionine = 2,
  NutMetCys = 3,
  NutLysine = 4,
  NutTryptophan = 5,
  NutArginine = 6,
  NutThreonine = 7,
  NutFeedCost = 8,
};

// Values 0-15 of a dietTable row, in diet-file order.
enum DietValue : int {
  ValFeedCost = 0,
  ValFeedWeight = 1,
  ValEnergy = 2,
  ValProtein = 3,
  ValArginine = 4,
  ValHistidine = 5,
  ValLysine = 6,
  ValTryptophan = 7,
  ValPheTyrosine = 8,
  ValPhenylalanine = 9,
  ValMetCys = 10,
  ValMethionine = 11,
  ValThreonine = 12,
  ValLeucine = 13,
  ValIsoleucine = 14,
  ValValine = 15,
};

// The diet-file value of each nutrient of dietData.
inline constexpr DietValue DietValueOfNutrient[DietNutrientCount] = {
    ValEnergy, ValProtein, ValMethionine, ValMetCys, ValLysine, ValTryptophan, ValArginine, ValThreonine, ValFeedCost};

struct DietTables {
  // dietData[nutrient][diet]: nutrients 0-8 (DietNutrient), diets 1..dietCount (0 unused).
  std::array<std::array<double, MaxDiets + 1>, DietNutrientCount> dietData{};
  // Number of diet phases in use, 1-5; 0 until set.
  int dietCount = 0;
  // dietTable[diet][value]: diets 1-5; a diet file fills values 0-15 (DietValue).
  std::array<std::array<double, DietTableValueCount>, MaxFileDiets + 1> dietTable{};
  // dietText[diet][field]: diets 1-6, field 1 "Diet Type", field 2 "Diet Change".
  std::array<std::array<std::string, 3>, MaxFileDiets + 2> dietText{};
  // Labels of the sixteen numeric values as read from the last diet file (0-15); the feed cost's
  // is the heading matched to it when the diets come from a sheet.
  std::array<std::string, DietValueCount> dietFieldNames{};
  // enteredDiets[diet][k] = dietTable[diet][k + 1]: the growth model's nutrient vectors
  // (0 feed weight, 1 energy, 2 protein, 3-14 amino acids), diets 1-5.
  std::array<std::array<double, NutrientVectorSize>, EnteredDietCount> enteredDiets{};
  // The diet file being read or written.
  std::filesystem::path dietFile;
  // True when the diets in use came from the location's diet file.
  bool dietsFromFile = false;
  // The unit and currency of the feed costs as the user gave them (pricingInForce adds what the
  // cost heading names).
  FeedPricing pricing;

  // Default labels of the eighteen lines of a diet, entries 1-18 (0 unused).
  static constexpr std::array<std::string_view, DietLinesPerDiet + 1> DietLabels = {
      "",           "Diet Type",      "Diet Change",   "Feed Cost", "Feed Weight",
      "Energy",     "Protein",        "Arginine",      "Histidine", "Lysine",
      "Tryptophan", "Phe + Tyrosine", "Phenylalanine", "MET_CYS",   "Methionine",
      "Threonine",  "LEUCINE",        "Isoleucine",    "Valine"};
};

}  // namespace plumetra
