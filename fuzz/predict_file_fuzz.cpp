// "Predict.txt", the stored calibrations the lower-cost search starts from.

#include "calibration/predict_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::filesystem::path file = plumetra::fuzz::writeInput(plumetra::PredictFileName, data, size);
  plumetra::CalibrationRecord record;
  plumetra::readPredictFile(record, file);
  return 0;
}
