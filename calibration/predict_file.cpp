#include "calibration/predict_file.h"

#include <optional>

#include "calibration/stored_value_ranges.h"
#include "controls/number_format.h"
#include "files/free_format.h"

namespace plumetra {

namespace {

constexpr int GroupsInFileOrder[] = {GroupBottom, GroupMiddle, GroupTop};

}  // namespace

std::string predictFileText(const CalibrationRecord& record) {
  FreeFormatWriter out;
  for (int g : GroupsInFileOrder) {
    // A group that was not calibrated is noted in its label; its values are 0.
    out.quoted(std::string(groupWord(g)) + (record.hasGroup(g) ? "" : NotCalibratedNote)).endLine();
    for (int s = 1; s <= 2; ++s) {
      for (int k = 0; k <= ItemFeCorrection; ++k) {
        if (k > 0) out.text(",");
        out.number(record(g, s, k));
      }
      out.endLine();
    }
  }
  return out.contents();
}

bool writePredictFile(const CalibrationRecord& record, const std::filesystem::path& folder, std::string* error) {
  return writeFileAtomically(folder / PredictFileName, predictFileText(record), error);
}

PredictRead readPredictFile(CalibrationRecord& record, const std::filesystem::path& path, std::string* problem) {
  const std::optional<std::string> contents = readTextFile(path);
  if (!contents) return PredictRead::Missing;
  const auto implausible = [&](int line, const std::string& why) {
    if (problem) *problem = "line " + std::to_string(line) + ": " + why;
    return PredictRead::Implausible;
  };
  FreeFormatReader in(*contents);
  CalibrationRecord read = record;
  int lineNumber = 0;
  for (int g : GroupsInFileOrder) {
    if (!in.line()) return PredictRead::Short;  // the group word
    ++lineNumber;
    for (int s = 1; s <= 2; ++s) {
      const std::optional<std::string> line = in.line();
      if (!line) return PredictRead::Short;
      ++lineNumber;
      FreeFormatReader values(*line);
      bool calibrated = false;
      for (int k = 0; k <= ItemFeCorrection; ++k) {
        const std::optional<double> value = values.numberField();
        if (!value) return PredictRead::Short;
        read(g, s, k) = *value;
        calibrated = calibrated || *value != 0;
      }
      if (values.hasField())
        return implausible(lineNumber, "more than five numbers (was a decimal comma written?)");
      // A group that was not calibrated holds zeros; any other value must be plausible.
      for (int k = 0; calibrated && k <= ItemFeCorrection; ++k)
        if (const ValueRange& range = storedItemRange(k); !(read(g, s, k) >= range.low && read(g, s, k) <= range.high))
          return implausible(lineNumber, std::string("the ") + range.what + " " + generalNumber(read(g, s, k)) +
                                             " is outside " + generalNumber(range.low) + " to " + generalNumber(range.high));
    }
  }
  record = read;
  return PredictRead::Read;
}

}  // namespace plumetra
