#pragma once
// The revaluation window frmReval. GridReval holds, in columns 0-4, each group's header row
// and its flocks (row number, live weight in kg, age, feed conversion), one empty row
// between groups; columns 5-9 hold the revalued group averages (rows 1-6), the groups'
// actual averages (rows 9-15) and the averages of the analysis run's first prediction
// (rows 17-23).

#include <array>
#include <cstdint>
#include <filesystem>

#include "calibration/revaluation_file.h"
#include "views/clipboard.h"
#include "views/controls.h"
#include "views/dialogs.h"
#include "views/grid.h"
#include "workspace/workspace_state.h"

namespace plumetra {

inline constexpr int kGridRevalRows = 500;
inline constexpr int kGridRevalCols = 10;
inline constexpr const char* kRevalHelpText =
    "The Bottom Data Set is hardest and slowest to calibrate because the program puts all the "
    "feed to the finishing Broilers.  Some of the Feed went to Mortalies";

struct FrmReval {
  Grid GridReval{kGridRevalRows, kGridRevalCols};
  TextBox TextLocation;
  std::filesystem::path file;  // the file shown
  bool visible = false;
};

// Opens `file`, or when it does not exist the one the user picks; false when none is read.
bool LoadFrmReval(FrmReval& window, const std::filesystem::path& file, const Workspace& ws, Dialogs& dialogs);

// Fills the window from a read file and the analysis grid's group statistics. The grid has
// at least 500 rows, more when the file's groups need them.
void FillFrmReval(FrmReval& window, const RevaluationFile& file, const Grid& Gridanal,
                  const std::array<std::int16_t, FlockColEntries>& FlockCol);

// The revalued group means and standard deviations of live weight, age and feed conversion.
void Averages(Grid& GridReval);

void FrmReval_Command1(Dialogs& dialogs);
void FrmReval_CopyAll(FrmReval& window, Clipboard& clipboard);
void FrmReval_Icopy(const FrmReval& window, Clipboard& clipboard);
void FrmReval_aPaste(FrmReval& window, const Clipboard& clipboard);

}  // namespace plumetra
