// A calibrated location: its calibration file (".clb") and settings file (".stg", after a
// line "%%"), read into the growth model, then one growth run on the example diets, as
// `plumetra-cli grow --location` does it.

#include "calibration/location.h"
#include "fuzz/fuzz_support.h"
#include "model/composition.h"
#include "model/day_step.h"
#include "model/growth_run.h"
#include "files/free_format.h"
#include "workspace/diet_file.h"

#include <memory>

namespace {

const plumetra::DietFileDiets& exampleDiets() {
  static const plumetra::DietFileDiets diets =
      *plumetra::parseDietFile(*plumetra::readTextFile(plumetra::fuzz::sourceFile("examples/diets.dts"))).diets;
  return diets;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace plumetra;
  const auto [calibration, settings] = fuzz::splitInput(fuzz::bytesOf(data, size));
  fuzz::writeInput("Farm.clb", calibration);
  const std::filesystem::path stg = fuzz::scratchFolder() / "Farm.stg";
  if (settings.empty()) std::filesystem::remove(stg);
  else fuzz::writeInput("Farm.stg", settings);

  auto m = std::make_unique<ModelState>();
  if (!readLocationModel(*m, fuzz::scratchFolder() / "Farm", fuzz::quietDialogs()).calibrationRead) return 0;
  const DietFileDiets& diets = exampleDiets();
  m->inputs.dietCount = diets.count;
  double target = 0;
  for (int d = 1; d <= diets.count; ++d) {
    for (int k = 0; k < Nutrients; ++k) m->inputs.dietNutrients[d][k] = diets.values[d][k + ValFeedWeight];
    m->inputs.feedAllotment[d] = convertWeight(m->settings.units, 1, diets.values[d][ValFeedWeight]);
    target += m->inputs.feedAllotment[d];
  }
  prepareComposition(*m);
  m->inputs.stop = RunStop::atFeed(target);
  growFlock(*m);
  return 0;
}
