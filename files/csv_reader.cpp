#include "files/csv_reader.h"

#include <csv.h>

#include <algorithm>
#include <array>
#include <optional>

#include "files/csv_numbers.h"
#include "files/trimmed_text.h"
#include "files/text_encoding.h"

namespace plumetra {

namespace {

constexpr std::array<char, 3> Separators = {',', ';', '\t'};

// Rows as libcsv hands them over, kept within the bounds: `full` once a row past the last
// one kept has been seen.
struct Collector {
  CsvBounds bounds;
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  bool moreColumns = false;
  bool longCells = false;
  bool full = false;
};

bool isBlankText(const char* text, std::size_t length) {
  return std::all_of(text, text + length, [](char c) { return c == ' ' || c == '\t'; });
}

// The bytes of a cell that are kept: at most MaxCsvCellBytes, ending at a whole character.
std::size_t keptLength(const char* text, std::size_t length) {
  std::size_t kept = std::min(length, MaxCsvCellBytes);
  while (kept < length && kept > 0 && (static_cast<unsigned char>(text[kept]) & 0xC0) == 0x80) --kept;
  return kept;
}

void onField(void* data, std::size_t length, void* out) {
  auto* c = static_cast<Collector*>(out);
  const char* text = data ? static_cast<const char*>(data) : "";
  if (!data) length = 0;
  if (c->full) return;
  if (c->row.size() >= c->bounds.cols) {
    c->moreColumns = c->moreColumns || !isBlankText(text, length);
    return;
  }
  const std::size_t kept = keptLength(text, length);
  c->longCells = c->longCells || kept < length;
  c->row.emplace_back(text, kept);
}

void onRowEnd(int, void* out) {
  auto* c = static_cast<Collector*>(out);
  const bool empty =
      std::all_of(c->row.begin(), c->row.end(), [](const std::string& f) {
        return isBlankText(f.data(), f.size());
      });
  if (!empty && !c->full) {
    if (c->rows.size() < c->bounds.rows)
      c->rows.push_back(std::move(c->row));
    else
      c->full = true;
  }
  c->row.clear();
}

// Blanks around unquoted fields are dropped; a tab is a blank only when it does not separate.
int isBlank(unsigned char c) { return c == ' '; }

// Excel's first line "sep=;" names the separator of the lines after it.
std::optional<char> declaredSeparator(std::string_view text) {
  const std::string_view line = text.substr(0, text.find_first_of("\r\n"));
  if (line.size() != 5 || (line.substr(0, 4) != "sep=" && line.substr(0, 4) != "SEP=")) return std::nullopt;
  return line[4];
}

std::string_view afterFirstLine(std::string_view text) {
  std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
  if (end < text.size() && text[end] == '\r') ++end;
  if (end < text.size() && text[end] == '\n') ++end;
  return text.substr(end);
}

}  // namespace

char detectSeparator(std::string_view text, bool* ambiguous) {
  std::array<int, Separators.size()> counts{};
  bool quoted = false;
  for (const char ch : text) {
    if (ch == '"') quoted = !quoted;
    if (quoted) continue;
    if (ch == '\n' || ch == '\r') break;
    for (std::size_t i = 0; i < Separators.size(); ++i)
      if (ch == Separators[i]) ++counts[i];
  }
  const auto most = std::max_element(counts.begin(), counts.end());
  if (ambiguous)
    *ambiguous = *most > 0 && std::count(counts.begin(), counts.end(), *most) > 1;
  return *most == 0 ? ',' : Separators[static_cast<std::size_t>(most - counts.begin())];
}

CsvTable readCsv(std::string_view bytes, char separator, CsvBounds bounds) {
  CsvTable table;
  std::string converted;
  std::string_view text = decodedView(bytes, converted, &table.fromWindows1252);
  bool doubtful = false;
  table.separator = separator != 0 ? separator : detectSeparator(text, &doubtful);
  if (const std::optional<char> declared = declaredSeparator(text)) {
    table.separator = *declared;
    doubtful = false;
    text = afterFirstLine(text);
  }
  if (doubtful)
    table.notes.push_back(std::string("The heading line uses more than one kind of separator; it was read as ") +
                          (table.separator == ',' ? "comma" : table.separator == ';' ? "semicolon" : "tab") +
                          "-separated.");

  csv_parser parser;
  if (csv_init(&parser, 0) != 0) {
    table.problem = "the reader could not start";
    return table;
  }
  csv_set_delim(&parser, static_cast<unsigned char>(table.separator));
  csv_set_space_func(&parser, isBlank);
  Collector collector;
  collector.bounds = bounds;
  // Fed a piece at a time, so the reading stops soon after the last row it keeps.
  constexpr std::size_t piece = 64 * 1024;
  csv_set_blk_size(&parser, piece);
  for (std::size_t at = 0; at < text.size() && !collector.full && table.problem.empty(); at += piece) {
    const std::size_t length = std::min(piece, text.size() - at);
    if (csv_parse(&parser, text.data() + at, length, onField, onRowEnd, &collector) != length)
      table.problem = csv_strerror(csv_error(&parser));
    // libcsv holds a field whole until it ends; one past the longest cell kept is cut between
    // pieces (its trailing blanks forgotten: fields are trimmed anyway), so an endless field
    // costs no more than a piece.
    if (parser.entry_pos > MaxCsvCellBytes + 1) {
      parser.entry_pos = MaxCsvCellBytes + 1;
      parser.spaces = 0;
    }
  }
  if (!collector.full) csv_fini(&parser, onField, onRowEnd, &collector);
  csv_free(&parser);
  table.moreRows = collector.full;
  table.moreColumns = collector.moreColumns;
  if (collector.longCells)
    table.notes.push_back("A cell holds more than " + std::to_string(MaxCsvCellBytes) +
                          " characters; only its first " + std::to_string(MaxCsvCellBytes) + " were read.");

  for (auto& row : collector.rows)
    for (std::string& field : row) field = trimmed(field);
  normaliseNumbers(collector.rows, table.separator, table.unclear);
  table.rows = std::move(collector.rows);
  for (const UnclearNumber& u : table.unclear) {
    const std::string heading =
        u.col < static_cast<int>(table.rows[0].size()) ? table.rows[0][static_cast<std::size_t>(u.col)] : "";
    table.notes.push_back("Row " + std::to_string(u.row) + " of column \"" + heading + "\": \"" + u.text +
                          "\" could be a whole number with digit grouping or a decimal with a decimal "
                          "comma; write it without the comma or with a decimal point.");
  }
  return table;
}

}  // namespace plumetra
