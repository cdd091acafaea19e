#pragma once
// "Revaluage.txt": every flock predicted again with its own group's calibration.
//
//   line 1        the location, zone, the date
//   group header  the group's file name (base name + "Top", "Middle", "Bottom"), zone,
//                 the group size, zone, H (the analysis-grid row above the first flock)
//   flock line    the flock's row - H, zone, then in formatNum: final weight (g), final
//                 age, feed conversion, weight on day 14, weight on day 21, zones between
//
// A group's list may end early (a flock without feed), so a header can promise more flock
// lines than follow it; the reader takes the lines that are there.

#include <optional>
#include <string>
#include <vector>

namespace plumetra {

inline constexpr const char* RevaluationFileSuffix = "Revaluage.txt";

struct RevaluedFlock {
  int row = 0;  // analysis-grid row - H
  double weight = 0;  // grams
  double age = 0;
  double feedConversion = 0;
  double weightDay14 = 0;
  double weightDay21 = 0;
};

struct RevaluedGroup {
  std::string header;  // the header line as read, trailing blanks dropped
  std::string name;    // base name + group word
  int size = 0;        // flocks in the group
  int headerRow = 0;   // H
  std::vector<RevaluedFlock> flocks;
};

struct RevaluationFile {
  std::string location;  // the first field of the file
  std::vector<RevaluedGroup> groups;
};

class RevaluationWriter {
 public:
  RevaluationWriter(const std::string& location, const std::string& date);
  void group(const std::string& name, int size, int headerRow);
  void flock(int row, double weight, double age, double feedConversion, double weightDay14,
             double weightDay21);
  const std::string& contents() const;

 private:
  std::string out_;
};

// Reads the file's text. A header is read from the end of its line: the group size and H
// are the last two numbers, so a base name may hold digits. std::nullopt for an empty text.
std::optional<RevaluationFile> parseRevaluationFile(const std::string& contents);

}  // namespace plumetra
