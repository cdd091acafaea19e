#pragma once
// The names the windows and the report give the three feed-conversion groups. The groups are
// Low, Middle and High everywhere; where a group's stored files are meant, the word those
// files carry follows in brackets ("Low (Top)": ValleyTop.clb holds the Low group).

#include <array>

#include "calibration/calibration_record.h"

namespace plumetra {

inline constexpr std::array<const char*, CalibrationGroups> GroupCaptions{"", "Low (Top)", "Middle",
                                                                           "High (Bottom)"};

// One line that says what the stored words mean, for the windows that show them.
inline constexpr const char* StoredGroupWords =
    "Top = the Low group, lowest feed conversion; Bottom = the High group, highest feed conversion";

}  // namespace plumetra
