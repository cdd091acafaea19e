// A fixed set of growth runs against stored results, bit for bit: every sex and stop mode on
// the three test diets, a run on calibrated-location inputs (own curves, F E corrections,
// house temperatures, crowding, available amino acids, an energy unit) and a run on a model
// reused from an earlier run. The stored file holds the results the growth model gave when the
// set was recorded; any change of a result bit is a change of the model and shows here.

#include "model/composition.h"
#include "model/growth_run.h"
#include "model/settings_file.h"

#include "tests/model/growth_test_model.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <string>

namespace plumetra {
namespace {

// Exact text of a double (hex-float).
std::string exact(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%a", value);
  return text;
}

// FNV-1a over the bit patterns of a run of doubles: one line per table instead of thousands.
class TableHash {
 public:
  void add(double value) {
    std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i, bits >>= 8) hash_ = (hash_ ^ (bits & 0xff)) * 0x100000001b3ULL;
  }
  std::string text() const {
    char out[20];
    std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(hash_));
    return out;
  }

 private:
  std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

using Results = std::map<std::string, std::string>;  // "run quantity" -> exact value

void record(Results& out, const std::string& run, const ModelState& m, GrowthRunEnd end) {
  const auto put = [&](const std::string& what, const std::string& value) { out[run + " " + what] = value; };
  put("end", std::to_string(static_cast<int>(end)));
  put("FinalAge", exact(m.results.finalAge));
  put("FinalDay", std::to_string(m.results.finalDay));
  // Runs to a weight or an age that reach it set no final weight when the results were recorded.
  if (m.inputs.stop.mode == StopOnFeed || end == GrowthRunEnd::TargetMissed)
    put("FinalWeight", exact(m.results.finalWeight));
  put("FinalFeedConversion", exact(m.results.finalFeedConversion));
  put("TotalFeed", exact(m.results.totalFeed));
  put("TotalEnergyEaten", exact(m.results.totalEnergyEaten));
  for (int d = 1; d <= MaxDietPhases; ++d) put("FeedByDiet" + std::to_string(d), exact(m.results.feedByDiet[d]));
  put("ModelError", std::to_string(m.results.modelError));
  put("messages", std::to_string(m.results.messages.zeroWeightCount) + "/" + std::to_string(m.results.messages.targetMissed) +
                      "/" + std::to_string(m.results.messages.energyFaultPhase));
  const int lastDay = std::clamp(m.results.finalDay, 0, LastGrowthDay);
  for (int s = 0; s < SexRows; ++s) {
    TableHash weight, intake, mass;
    for (int d = 0; d <= lastDay; ++d) {
      weight.add(m.results.bodyWeight[s][d]);
      intake.add(m.results.feedIntake[s][d]);
      for (int k = FirstComponent; k <= LastComponent; ++k) mass.add(m.results.componentMass[s][d][k]);
    }
    weight.add(m.results.weightAtEnd[s]);  // the final weight and feed of each sex
    intake.add(m.results.feedToEnd[s]);
    const std::string sex = std::to_string(s);
    put("BodyWeight" + sex, weight.text());
    put("FeedIntake" + sex, intake.text());
    put("ComponentMass" + sex, mass.text());
  }
  TableHash composition;
  for (int k = FirstComponent; k <= LastComponent; ++k) composition.add(m.results.finalComposition[k]);
  put("FinalComposition", composition.text());
}

// Inputs as a calibrated location leaves them: curves and corrections fitted away from the
// breed means, a hot house, 18 birds per m2, available amino acids, the lean composition set
// with breast-meat breeds, reference energies in MJ/kg.
std::unique_ptr<ModelState> calibratedLocation(int sex, int stopMode, double target) {
  auto m = testing::stoppedModel(stopMode, target, sex);
  m->inputs.growthParams[1] = {44.1, 0.931, 5.02, 0.0601};
  m->inputs.growthParams[2] = {40.3, 0.822, 4.71, 0.0622};
  setHatchWeights(*m);
  loadCompositionSet(*m, CompositionSetA);
  m->settings.maleBreed = 3;
  m->settings.femaleBreed = 7;
  m->settings.breedCompAdjust[3] = m->settings.breedCompAdjust[7] = CalibratedBreastMeatAdjust;
  prepareComposition(*m);
  m->inputs.feCorrection = {0, 0.064, 0.118};
  m->inputs.optTemp = OptimumWeekTemp;
  m->inputs.weekTemp = {0, 34, 30, 26, 24, 24, 25, 26, 26, 26, 26, 26, 26, 26, 26, 26};
  m->inputs.densityInput = {18, 12.6};
  m->settings.units.aminoBasis = AminoBasis::Avail;
  m->settings.units.energyChoice = 4;
  for (int s = 0; s < SexRows; ++s) m->inputs.refEnergy[s] = {12.4, 12.6, 0, 13.3, 0, 0, 0, 0};
  return m;
}

Results growAll() {
  Results out;
  const char* sexNames[] = {"mixed", "male", "female"};
  const struct {
    const char* name;
    int mode;
    double target;
  } stops[] = {{"weight", StopOnWeight, 2437.5}, {"feed", StopOnFeed, 3.9}, {"age", StopOnAge, 38.6},
               {"feed-beyond-allotment", StopOnFeed, 5.2}, {"missed", StopOnWeight, 9000}};
  for (int sex = 0; sex < SexRows; ++sex)
    for (const auto& stop : stops) {
      const std::string run = std::string(sexNames[sex]) + "/" + stop.name;
      auto plain = testing::stoppedModel(stop.mode, stop.target, sex);
      record(out, run, *plain, growFlock(*plain));
      auto location = calibratedLocation(sex, stop.mode, stop.target);
      record(out, "location-" + run, *location, growFlock(*location));
    }

  // A model reused: a long run first, then a short one on other diets must not carry over.
  auto reused = calibratedLocation(0, StopOnAge, 44);
  growFlock(*reused);
  reused->inputs.dietNutrients[2][1] = 3020;
  reused->inputs.dietNutrients[3][2] = 20.5;
  reused->inputs.stop = RunStop::atWeight(1810);
  record(out, "reused", *reused, growFlock(*reused));
  return out;
}

const std::string ReferenceFile = std::string(PLUMETRA_TEST_DATA) + "/model/growth_reference.txt";

TEST(GrowthReference, EveryRunGivesTheStoredResultsBitForBit) {
  std::ifstream in(ReferenceFile);
  ASSERT_TRUE(in) << ReferenceFile;
  Results stored;
  for (std::string run, what, value; in >> run >> what >> value;) stored[run + " " + what] = value;
  const Results now = growAll();
  ASSERT_EQ(stored.size(), now.size());
  for (const auto& [key, value] : stored) {
    const auto found = now.find(key);
    ASSERT_NE(found, now.end()) << key;
    EXPECT_EQ(found->second, value) << key;
  }
}

}  // namespace
}  // namespace plumetra
