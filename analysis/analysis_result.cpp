#include "analysis/analysis_result.h"

#include "analysis/split_flocks.h"

namespace plumetra {

AnalysisResult analysisResultOf(const Workspace& ws, const AnalysisState& st) {
  return AnalysisResult{ws.dataSetNumber, st.splitPercent, splitFlocksOf(ws, st), st.outlierFlocks};
}

}  // namespace plumetra
