#include "workspace/comma_file.h"

#include <algorithm>

namespace plumetra {

namespace {

constexpr std::size_t MinLineLength = 10;
constexpr std::size_t StopProbeLength = 20;
constexpr std::string_view StopMark = ",,,,,";
constexpr std::size_t JunkProbeLength = 6;
constexpr unsigned char JunkAbove = 135;

// The next line of `text` from `pos` (line ends CR LF, LF or CR); advances `pos`.
std::string_view nextLine(std::string_view text, std::size_t& pos) {
  const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
  const std::string_view line = text.substr(pos, end - pos);
  pos = end;
  if (pos < text.size())
    pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
  return line;
}

bool isStopLine(std::string_view line) {
  return line.size() < MinLineLength ||
         line.substr(0, StopProbeLength).find(StopMark) != std::string_view::npos;
}

std::string_view dropLeadingJunk(std::string_view line) {
  const std::size_t probe = std::min(line.size(), JunkProbeLength);
  for (std::size_t i = probe; i-- > 0;)
    if (static_cast<unsigned char>(line[i]) > JunkAbove) return line.substr(i + 1);
  return line;
}

std::string trimBlanks(std::string_view field) {
  const std::size_t first = field.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(field.substr(first, field.find_last_not_of(' ') - first + 1));
}

}  // namespace

CommaFileRead SortCommas(std::string_view contents, Grid& grid) {
  CommaFileRead read;
  std::size_t pos = 0;
  while (pos < contents.size()) {
    const std::string_view raw = nextLine(contents, pos);
    if (isStopLine(raw)) break;
    if (read.linesRead >= grid.rows()) {
      ++read.linesLeftOut;
      continue;
    }
    const std::string_view line = dropLeadingJunk(raw);
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
      const std::size_t comma = line.find(',', start);
      if (comma == std::string_view::npos || fields.size() == MaxCommasPerLine) {
        if (comma != std::string_view::npos) ++read.linesCut;
        fields.push_back(line.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        break;
      }
      fields.push_back(line.substr(start, comma - start));
      start = comma + 1;
    }
    const int row = read.linesRead++;
    grid.setCols(static_cast<int>(fields.size()));
    for (std::size_t i = 0; i < fields.size(); ++i)
      grid.setText(row, static_cast<int>(i), trimBlanks(fields[i]));
  }
  grid.setRows(read.linesRead + 1);
  if (read.linesLeftOut > 0)
    read.notes.push_back("Only the first " + std::to_string(read.linesRead - 1) +
                         " flocks were read; " + std::to_string(read.linesLeftOut) +
                         " further lines were left out.");
  if (read.linesCut > 0)
    read.notes.push_back(std::to_string(read.linesCut) + " line(s) hold more than " +
                         std::to_string(MaxCommasPerLine) + " commas; the fields after the " +
                         std::to_string(MaxCommasPerLine) + "th comma were left out.");
  return read;
}

}  // namespace plumetra
