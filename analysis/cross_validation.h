#pragma once
// Whether the calibrated groups predict flocks they have not seen: k-fold cross-validation by
// flock. Each fold's flocks are held out, the three groups are calibrated and stored on the
// rest (calibrateGroups, unchanged), the stored set is read back as any user's would be, and
// every held-out flock is grown with its own group's set on the feed it ate (as `fit` grows it).
// Beside the out-of-sample figures stand the in-sample ones (a set calibrated on every flock)
// and the uncalibrated model's. The k + 1 calibrations run two at a time, each on one thread:
// on the example that took 3.3 s where one at a time on the calibration's own gradient threads
// took 7.2 s (most of it starting threads), with the same files and figures.

#include <filesystem>
#include <string>
#include <vector>

#include "analysis/model_fit.h"
#include "controls/dialogs.h"
#include "model/model_state.h"
#include "workspace/split_flock.h"
#include "workspace/workspace_state.h"

namespace plumetra {

struct ValidationChoice {
  int folds = 5;
  unsigned seed = 1;             // the same seed gives the same folds
  std::filesystem::path folder;  // the sets are stored in folder/fold1 .. foldk and folder/all
};

struct ValidationFold {
  int trainingFlocks = 0, heldOutFlocks = 0;
  int groupsStored = 0;
  std::filesystem::path set;  // its ...Top.clb
};

struct CrossValidation {
  std::vector<int> foldOfFlock;  // 1..k, one per flock of the split
  // Per flock: recorded, the uncalibrated prediction, and as `calibrated` the prediction by the
  // set of the fold that held it out (NaN where its group could not be calibrated).
  ModelFit fit;
  FitTable outOfSample{}, inSample{};
  std::vector<ValidationFold> folds;  // 0..k-1; the in-sample set is `all`
  ValidationFold all;
  std::string problem;  // why nothing was validated; empty when it ran
};

// Flock i of n goes to fold foldOf[i] (1..k): the flocks shuffled by a Mersenne twister seeded
// with `seed`, then dealt out in turn, so the folds differ in size by one at most.
std::vector<int> assignFolds(int flocks, int folds, unsigned seed);

// `model` is the model as the analysis left it; `ws` and `model` are copied, not changed. The
// calibrations' messages are told through `dialogs` when all have ended, fold by fold.
CrossValidation crossValidate(const Workspace& ws, const ModelState& model, const SplitFlocks& split,
                              const ValidationChoice& choice, Dialogs& dialogs);

// The per-group table: Group, Item, then N, Bias, MAPE %, R2 of the uncalibrated model, in
// sample and out of sample.
Grid validationGrid(const CrossValidation& v);

}  // namespace plumetra
