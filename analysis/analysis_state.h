#pragma once
// split groups, column statistics and sort state.

namespace plumetra {

struct AnalysisState {};

}  // namespace plumetra
