#include "calibration/predict_file.h"

#include <optional>

#include "files/free_format.h"

namespace plumetra {

namespace {

constexpr int kGroupsInFileOrder[] = {kGroupBottom, kGroupMiddle, kGroupTop};

}  // namespace

std::string PredictFileText(const CalibrationRecord& record) {
  FreeFormatWriter out;
  for (int g : kGroupsInFileOrder) {
    // A group that was not calibrated is noted in its label; its values are 0.
    out.quoted(std::string(groupWord(g)) + (record.hasGroup(g) ? "" : kNotCalibratedNote)).endLine();
    for (int s = 1; s <= 2; ++s) {
      for (int k = 0; k <= kItemFeCorrection; ++k) {
        if (k > 0) out.text(",");
        out.number(record(g, s, k));
      }
      out.endLine();
    }
  }
  return out.contents();
}

bool WritePredictFile(const CalibrationRecord& record, const std::filesystem::path& folder, std::string* error) {
  return writeFileAtomically(folder / kPredictFileName, PredictFileText(record), error);
}

PredictRead ReadPredictFile(CalibrationRecord& record, const std::filesystem::path& path) {
  const std::optional<std::string> contents = readTextFile(path);
  if (!contents) return PredictRead::Missing;
  FreeFormatReader in(*contents);
  CalibrationRecord read = record;
  for (int g : kGroupsInFileOrder) {
    if (!in.field()) return PredictRead::Short;
    for (int s = 1; s <= 2; ++s)
      for (int k = 0; k <= kItemFeCorrection; ++k) {
        const std::optional<double> value = in.numberField();
        if (!value) return PredictRead::Short;
        read(g, s, k) = *value;
      }
  }
  record = read;
  return PredictRead::Read;
}

}  // namespace plumetra
