#include "workspace/list_file.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "files/free_format.h"
#include "controls/number_format.h"
#include "workspace/matching.h"

namespace plumetra {

namespace {

constexpr char ReplayQuestion[] =
    "A list file  of Data ID exists for this flock set, use these selections?";

// The columns to replay by Data ID list entry (-1 for none), or the reason the file cannot be
// used.
struct ListColumns {
  std::vector<int> columns;  // the fixed items, in line order
  std::vector<std::pair<int, int>> optional;  // (entry, column) of the optional items' lines
  std::string problem;
};

// The first column holds numbers: its text cells are at most half of its filled cells.
bool firstColumnHoldsNumbers(const Grid& grid) {
  int filled = 0, numbers = 0;
  for (int r = 1; r < grid.rows(); ++r) {
    if (grid.text(r, 0).empty()) continue;
    ++filled;
    if (grid.isNumber(r, 0)) ++numbers;
  }
  return filled > 0 && numbers * 2 >= filled;
}

// A list of the older form (eleven lines) writes 0 for an item never matched. Where column 0 holds
// text, a 0 on a numeric item can only mean that, so the item is left unmatched.
void readOldZerosAsUnmatched(ListColumns& list, const Grid& grid) {
  if (static_cast<int>(list.columns.size()) != OldListFileLines || firstColumnHoldsNumbers(grid)) return;
  for (std::size_t item = ItemLiveWeight; item < list.columns.size(); ++item)
    if (list.columns[item] == 0) list.columns[item] = -1;
}

// The column a field names, -1 for a negative one; std::nullopt with `problem` set when the
// field is no column number of the grid.
std::optional<int> columnNumber(const std::string& field, int line, int gridCols, std::string& problem) {
  const double v = readNumber(field);
  if (!readsAsNumber(field) || v != std::floor(v) || v > std::numeric_limits<std::int16_t>::max()) {
    problem = "entry " + std::to_string(line) + " (\"" + field + "\") is not a column number";
    return std::nullopt;
  }
  if (v >= gridCols) {
    problem = "entry " + std::to_string(line) + " names column " + generalNumber(v) + ", but the flock grid has " +
              std::to_string(gridCols) + " columns";
    return std::nullopt;
  }
  return v < 0 ? -1 : static_cast<int>(v);
}

// The optional items' lines after the fixed ones: a quoted Data ID and a column each.
void readOptionalLines(FreeFormatReader& reader, int gridCols, ListColumns& out) {
  for (int line = ListFileLines + 1; reader.hasField(); ++line) {
    const std::string id = reader.field().value_or("");
    const std::optional<std::string> field = reader.field();
    const auto known = std::find(OptionalDataIds.begin(), OptionalDataIds.end(), id);
    if (known == OptionalDataIds.end()) continue;  // an item of a later release
    if (!field) {
      out.problem = "entry " + std::to_string(line) + " (\"" + id + "\") has no column number";
      return;
    }
    const std::optional<int> col = columnNumber(*field, line, gridCols, out.problem);
    if (!col) return;
    out.optional.emplace_back(FirstOptionalEntry + static_cast<int>(known - OptionalDataIds.begin()), *col);
  }
}

ListColumns readListColumns(std::string contents, int gridCols) {
  ListColumns out;
  FreeFormatReader reader(std::move(contents));
  for (int line = 1; line <= ListFileLines; ++line) {
    const std::optional<std::string> field = reader.field();
    if (!field || (line > OldListFileLines && field->empty())) {
      if (line > OldListFileLines) return out;  // a list written before density was listed
      out.problem = "it holds " + std::to_string(line - 1) + " column numbers where " +
                    std::to_string(ListFileLines) + " are needed";
      return out;
    }
    const std::optional<int> col = columnNumber(*field, line, gridCols, out.problem);
    if (!col) return out;
    out.columns.push_back(*col);
  }
  readOptionalLines(reader, gridCols, out);
  return out;
}

}  // namespace

std::filesystem::path listFilePath(const Workspace& ws) {
  // Pasted data has no file to remember its matches for.
  if (ws.dataFileName.empty()) return {};
  std::filesystem::path file(ws.dataFileName);
  if (file.is_relative()) file = ws.lastDir / file;
  file.replace_extension(".lst");
  return file;
}

std::string listFileText(const Workspace& ws) {
  FreeFormatWriter out;
  for (int i = 0; i < ListFileLines; ++i) {
    const auto item = static_cast<size_t>(i);
    out.number(ws.flockIdSet[item] ? ws.flockCol[item] : -1).endLine();
  }
  for (int entry = FirstOptionalEntry; entry < FlockListEnd; ++entry)
    if (const int col = matchedFlockColumn(ws, entry); col >= 0)
      out.quoted(dataIdList(0, entry)).text(",").number(col).endLine();
  return out.contents();
}

bool writeListFile(const Workspace& ws, Dialogs& dialogs) {
  const std::filesystem::path file = ws.listFileTarget ? *ws.listFileTarget : listFilePath(ws);
  if (file.empty()) return false;
  std::error_code ec;
  if (ws.listFileTarget) std::filesystem::create_directories(file.parent_path(), ec);  // an output folder
  std::string error;
  if (writeFileAtomically(file, listFileText(ws), &error)) return true;
  dialogs.message("The Data ID list " + file.string() + " could not be written: " + error);
  return false;
}

ListReplay replayListFile(Workspace& ws, const UnitSettings& units, Dialogs& dialogs,
                          const std::filesystem::path& file) {
  std::error_code ec;
  if (file.empty() || !std::filesystem::is_regular_file(file, ec)) return ListReplay::NoFile;
  if (!dialogs.yesNo(ReplayQuestion)) return ListReplay::Declined;

  const std::optional<std::string> contents = readTextFile(file);
  ListColumns list = contents ? readListColumns(*contents, ws.flockGrid.cols())
                              : ListColumns{{}, {}, "it could not be read"};
  readOldZerosAsUnmatched(list, ws.flockGrid);
  if (!list.problem.empty()) {
    dialogs.message("The Data ID list " + file.string() + " was not used: " + list.problem +
                    ". Match the columns by hand.");
    return ListReplay::Rejected;
  }
  std::vector<std::pair<int, int>> entries;  // (entry, column): the fixed items, then the optional ones
  for (int item = 0; item < static_cast<int>(list.columns.size()); ++item)
    entries.emplace_back(item, list.columns[static_cast<size_t>(item)]);
  entries.insert(entries.end(), list.optional.begin(), list.optional.end());
  for (const auto& [item, col] : entries) {
    if (col < 0) continue;
    ws.flockDataIds.choose(item);
    ws.selectedCol = col;
    ws.flockGrid.setCurrent(ws.flockGrid.row(), col);
    ws.flockGrid.setBackground(0, col, colours::Matched);
    recordMatchesOn(ws, MatchSide::Flock, units);
  }
  ws.flockDataIds.choose(0);
  return ListReplay::Replayed;
}

}  // namespace plumetra
