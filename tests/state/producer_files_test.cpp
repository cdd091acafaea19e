// Producers' files as farm software and spreadsheets save them (tests/data/producers, see its
// README), loaded and matched by headings as the command line does: each analyses the same
// fourteen flocks to the same values as the clean file, or says why not.

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "controls/batch_dialogs.h"
#include "tests/support/analysed_file.h"
#include "tests/support/temp_folder.h"

namespace plumetra {
namespace {

namespace fs = std::filesystem;

const fs::path Producers = fs::path(PLUMETRA_TEST_DATA) / "producers";
const fs::path CleanFile = fs::path(PLUMETRA_TEST_DATA) / "flocks" / "first_file_longer.csv";

// The flock table an analysis read: per analysed flock its numeric items.
using FlockValues = std::vector<std::array<double, FlockDataCols>>;

struct Analysed {
  bool completed = false;
  FlockValues values;
  std::string told;
  std::vector<double> predictedWeights;  // grams, per analysed flock
};

// `sex` as the flock-sex list counts: 0 mixed, 1 males, 2 females.
Analysed analyse(const fs::path& file, int sex = 0) {
  AppState state;
  std::ostringstream log;
  BatchDialogs dialogs{log};
  AnalysisSettings settings;
  settings.sex = sex;
  Analysed out;
  out.completed = testing::analyseFile(state, file, dialogs, settings).result.has_value();
  for (int flock = 1; flock <= state.workspace.flockCount; ++flock) {
    std::array<double, FlockDataCols> row{};
    for (int c = 0; c <= ItemDensity - 1; ++c)
      row[static_cast<std::size_t>(c)] = state.workspace.flockData[static_cast<std::size_t>(c)][static_cast<std::size_t>(flock)];
    out.values.push_back(row);
    out.predictedWeights.push_back(state.analysis.flockPrediction[static_cast<std::size_t>(flock)][1]);
  }
  out.told = log.str();
  return out;
}

const Analysed& clean() {
  static const Analysed result = analyse(CleanFile);
  return result;
}

void expectCleanValues(const Analysed& got, double tolerance = 0) {
  ASSERT_TRUE(got.completed) << got.told;
  ASSERT_EQ(got.values.size(), clean().values.size()) << got.told;
  for (std::size_t f = 0; f < got.values.size(); ++f)
    for (std::size_t c = 0; c < got.values[f].size(); ++c)
      EXPECT_NEAR(got.values[f][c], clean().values[f][c], tolerance) << "flock " << f + 1 << ", column " << c;
}

bool holds(const Analysed& a, const std::string& text) { return a.told.find(text) != std::string::npos; }

TEST(ProducerFiles, BirdsPerSquareFootAreConvertedAndAreaPerBirdIsNoDensity) {
  // Four decimals of birds per ft2 keep the density to 0.001 birds per m2.
  expectCleanValues(analyse(Producers / "birds_per_sqft.csv"), 0.001);
  const Analysed area = analyse(Producers / "sqft_per_bird.csv");
  EXPECT_TRUE(holds(area, "\"Sq Ft/Bird\" was left unmatched: it gives the floor area per bird")) << area.told;
  ASSERT_TRUE(area.completed) << area.told;
  EXPECT_EQ(area.values[0][ItemDensity - 1], 0.0);  // no density rather than a wrong one
}

// Footers, rows exported twice, units rows, phase lengths, grower names, title lines and the
// ways spreadsheets save a table: each file analyses the same flocks and says what it left out.
TEST(ProducerFiles, FilesAsProducersSaveThemAnalyseAsTheCleanFile) {
  const std::pair<fs::path, std::vector<std::string>> files[] = {
      {Producers / "average_footer.csv",
       {"2 flocks left out: row 15 (a summary row: Average), row 16 (a summary row: Total)"}},
      {Producers / "unlabelled_footer.csv",
       {"1 flock left out: row 15 (a summary row: the column averages or totals)"}},
      {Producers / "exported_twice.csv", {"3 flocks left out: rows 15, 16, 17 (the same flock as an earlier row)"}},
      {Producers / "units_row.csv", {"1 flock left out: row 1 (units under the headings)"}},
      {Producers / "phase_days_and_grower_names.csv",
       {"\"Grower\" was left unmatched: its cells hold text, not numbers.",
        "\"Starter days\" was left unmatched: it gives the length or the start of a feed phase"}},
      {Producers / "title_lines.csv",
       {"The headings were read from row 3 of the table; the 2 rows above them were left out as titles."}},
      {Producers / "group_titles.csv", {"joined with the group titles above them"}},
      {Producers / "sep_line.csv", {}},
      {Producers / "utf16_unicode_text.txt", {}},
      {Producers / "grouped_counts_and_apostrophes.csv", {}},
      // No sheet named: the one whose headings name the flock items.
      {fs::path(PLUMETRA_TEST_DATA) / "workbooks" / "flocks_second_sheet.xlsx",
       {"The flocks were read from the sheet \"Flocks\", whose headings name the flock items"}},
  };
  for (const auto& [file, notes] : files) {
    SCOPED_TRACE(file.filename().string());
    const Analysed got = analyse(file);
    expectCleanValues(got);
    for (const std::string& note : notes) EXPECT_TRUE(holds(got, note)) << got.told;
  }
}

// Without a sex column, whatever sex a settings file left in the model, each flock grows as the
// sex chosen: on the same feed, males grow heavier than a mixed flock, and females lighter.
// With one (the clean file's "Sex": 8 X, 6 F), each flock grows as its own sex, whatever is chosen.
TEST(ProducerFiles, TheChosenSexIsTheSexOfEveryFlockWithoutASexColumn) {
  const testing::TestTempFolder folder("plumetra_no_sex");
  const fs::path noSex = folder.path() / "no_sex.csv";
  {
    std::ifstream in(CleanFile);
    std::ofstream out(noSex, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
      const std::size_t second = line.find(',', line.find(',') + 1);  // the third field is "Sex"
      out << line.erase(second, line.find(',', second + 1) - second) << '\n';
    }
  }
  const Analysed mixed = analyse(noSex, 0), males = analyse(noSex, 1), femaleRun = analyse(noSex, 2);
  ASSERT_TRUE(mixed.completed && males.completed && femaleRun.completed) << mixed.told;
  ASSERT_EQ(mixed.predictedWeights.size(), 14u);
  for (std::size_t f = 0; f < 14; ++f) {
    EXPECT_GT(males.predictedWeights[f], mixed.predictedWeights[f] * 1.05) << "flock " << f + 1;
    EXPECT_LT(femaleRun.predictedWeights[f], mixed.predictedWeights[f] * 0.95) << "flock " << f + 1;
  }

  const Analysed ownMales = analyse(CleanFile, 1);
  EXPECT_EQ(ownMales.predictedWeights, clean().predictedWeights);
  int females = 0;  // the clean file's X flocks are the mixed ones above, its F flocks lighter
  for (std::size_t f = 0; f < 14; ++f)
    if (clean().predictedWeights[f] != mixed.predictedWeights[f]) {
      ++females;
      EXPECT_LT(clean().predictedWeights[f], mixed.predictedWeights[f] * 0.95) << "flock " << f + 1;
    }
  EXPECT_EQ(females, 6);
}

// The house's total weight and phase feed, divided by the birds placed, give back the values
// per bird; without a bird count they are refused, each column named. A workbook's numbers
// come into the flock grid as it shows them (whole kilograms above 1000, two decimals above 10),
// so its totals lose up to 0.5 kg or 0.005 t per house: below 0.0005 kg per bird here.
TEST(ProducerFiles, HouseTotalsAreDividedByTheBirds) {
  expectCleanValues(analyse(Producers / "house_totals.csv"), 1e-9);
  expectCleanValues(analyse(Producers / "house_totals.xlsx"), 5e-4);
  // A flock without its bird count is left out for that, not for its total's size.
  const Analysed blank = analyse(Producers / "house_totals_blank_birds.csv");
  EXPECT_TRUE(holds(blank, "1 flock left out: row 3 (no number of birds)")) << blank.told;
  const Analysed without = analyse(Producers / "house_totals_without_birds.csv");
  EXPECT_FALSE(without.completed);
  for (const char* column : {"Total Live Weight (kg)", "Withdrawal delivered (t)"})
    EXPECT_TRUE(holds(without, std::string("\"") + column +
                                   "\" was left unmatched: it gives a total for the house, not an amount per bird, "
                                   "and no column gives the birds in the house"))
        << without.told;
}

}  // namespace
}  // namespace plumetra
