#pragma once
// Files written whole or not at all. The contents go to a temporary file in the target's
// folder, are synced to the disk, and the temporary file is renamed over the target (then the
// folder is synced, so the rename itself survives a power cut). A write killed half-way leaves
// the old file as it was and a temporary file, which the next write to that folder removes.

#include <filesystem>
#include <string>
#include <string_view>

namespace plumetra {

// Writes the text `contents` as `path`; on failure the temporary file is removed, the old file
// stays and *error (when given) says why. A text holding a printed non-finite number ("nan",
// "inf", files/finite_numbers.h) is refused before anything is written.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view contents,
                         std::string* error = nullptr);

// For writers that produce the file themselves (a workbook library): a fresh temporary path
// beside `target`, then commitTemporary to put it in place. Both remove what earlier, killed
// writes left in that folder.
std::filesystem::path temporaryPathFor(const std::filesystem::path& target);
// Syncs the temporary file, gives it the old file's permissions and renames it over the
// target; false with the reason in *error when that fails (the temporary file is removed).
bool commitTemporary(const std::filesystem::path& temporary, const std::filesystem::path& target,
                     std::string* error = nullptr);

// Whether a file name is one of this program's temporary files ("~plumetra-<pid>-<n>.tmp"
// after a dot) and the process that made it has ended.
bool isAbandonedTemporary(const std::filesystem::path& file);

}  // namespace plumetra
