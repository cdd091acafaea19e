#pragma once
// A workspace as the window's load leaves it, with helpers to fill its grids and files.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "controls/scripted_dialogs.h"
#include "files/workbook.h"
#include "workspace/list_file.h"
#include "workspace/matching.h"
#include "tests/support/temp_folder.h"

namespace plumetra::testing {

inline Workspace loadedWorkspace() {
  Workspace ws;
  resetDataIdLists(ws);
  return ws;
}

// Puts tab-separated text into a grid from its top-left cell, sized to fit.
inline void fillGrid(Grid& grid, std::string_view tsv, int rows, int cols) {
  grid = Grid(rows, cols);
  grid.setCurrent(0, 0);
  grid.paste(tsv);
}

inline UnitSettings energyUnit(int choice) {
  UnitSettings units;
  units.energyChoice = choice;
  return units;
}

inline constexpr char ListQuestion[] = "A list file  of Data ID exists for this flock set, use these selections?";

// Replays the Data ID list `file` with Yes to the offer to use it, and nothing else asked.
inline ListReplay replayAccepted(Workspace& ws, const std::filesystem::path& file) {
  ScriptedDialogs dialogs;
  dialogs.expectYesNo(ListQuestion, true);
  const ListReplay replay = replayListFile(ws, energyUnit(0), dialogs, file);
  EXPECT_TRUE(dialogs.finished()) << ::testing::PrintToString(dialogs.failures());
  return replay;
}

inline void writeFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

using TempFolder = TestTempFolder;

// A workbook of named sheets held in memory, as a reader would give them.
struct SheetsInMemory final : WorkbookReader {
  std::vector<std::pair<std::string, Sheet>> sheets;
  std::vector<std::string> sheetNames() const override {
    std::vector<std::string> names;
    for (const auto& [name, sheet] : sheets) names.push_back(name);
    return names;
  }
  Result<Sheet> readSheet(const std::string& wanted) const override {
    for (const auto& [name, sheet] : sheets)
      if (name == wanted) return {sheet};
    return {WorkbookError{"no such sheet"}};
  }
};

}  // namespace plumetra::testing
