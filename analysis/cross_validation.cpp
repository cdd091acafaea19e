#include "analysis/cross_validation.h"

#include <atomic>
#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <thread>

#include "workspace/not_known.h"
#include "calibration/revaluation.h"
#include "calibration/split_calibration.h"
#include "controls/fixed_text.h"

namespace plumetra {

namespace {


// A calibration's dialogs on a worker thread: the set's name answers its question, its
// messages wait for the caller's thread, and nothing else is asked of the user.
class FoldDialogs : public Dialogs {
 public:
  explicit FoldDialogs(std::string name) : name_(std::move(name)) {}
  void message(const std::string& text, const std::string& title) override { messages_.emplace_back(text, title); }
  bool yesNo(const std::string&, const std::string&) override { return false; }
  std::optional<std::string> input(const std::string& prompt, const std::string&, const std::string&) override {
    return prompt == BaseNamePrompt ? std::optional(name_) : std::nullopt;
  }
  std::optional<std::filesystem::path> openFile(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::filesystem::path> saveFile(const FileDialogRequest&) override { return std::nullopt; }
  void busy(bool) override {}
  bool progress(const std::string&, double) override { return true; }
  // Tells the messages through `outer`, in the order they came.
  void replay(Dialogs& outer) const {
    for (const auto& [text, title] : messages_) outer.message(text, title);
  }

 private:
  std::string name_;
  std::vector<std::pair<std::string, std::string>> messages_;
};

SplitFlocks subset(const SplitFlocks& split, const std::vector<int>& foldOf, int fold, bool heldOut) {
  SplitFlocks out;
  out.sexColumn = split.sexColumn;
  for (std::size_t i = 0; i < split.flocks.size(); ++i)
    if ((foldOf[i] == fold) == heldOut) {
      out.flocks.push_back(split.flocks[i]);
      ++out.sizes[static_cast<std::size_t>(split.flocks[i].group)];
    }
  return out;
}

// Calibrates and stores the groups of `training` as folder/name, reads the stored set back and
// grows `targets` with it; their calibrated predictions land in `fit`.
ValidationFold calibrateAndPredict(const Workspace& ws, const ModelState& model, const SplitFlocks& training,
                                   const SplitFlocks& targets, ModelFit& fit, const std::filesystem::path& folder,
                                   const std::string& name, FoldDialogs& dialogs) {
  ValidationFold fold;
  fold.trainingFlocks = static_cast<int>(training.flocks.size());
  fold.heldOutFlocks = static_cast<int>(targets.flocks.size());
  auto foldWs = std::make_unique<Workspace>(ws);
  auto foldModel = std::make_unique<ModelState>(model);
  CalibrationRecord record;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  foldWs->lastDir = folder;
  // One thread per calibration: the calibrations themselves run side by side.
  const SplitCalibrationResult result = calibrateGroups(*foldWs, *foldModel, record, training, dialogs, {1});
  fold.groupsStored = result.groupsStored;
  if (result.groupsStored == 0) return fold;
  std::string set = (folder / (name + "Top.clb")).string();
  CalibrationRecord stored;
  std::string problem;
  if (readForReval(set, stored, &problem) != RevalRead::Read) {
    dialogs.message(name + ": the stored set could not be read back: " + problem, {});
    return fold;
  }
  fold.set = folder / (name + "Top.clb");
  addCalibratedFit(fit, targets, model, stored, ws.chosenSex);
  // A group that was not stored has no set to predict its flocks with.
  for (std::size_t i = 0; i < targets.flocks.size() && i < fit.flocks.size(); ++i)
    if (!result.groups[static_cast<std::size_t>(targets.flocks[i].group)].stored)
      fit.flocks[i].calibrated = {NotKnown, NotKnown, NotKnown};
  fit.withCalibration = statisticsOf(fit.flocks, &FlockFit::calibrated);
  return fold;
}

void addStatistics(Grid& grid, int row, int col, const FitStatistics& s) {
  grid.setText(row, col, std::to_string(s.n));
  grid.setText(row, col + 1, fixedText(s.bias, 4));
  grid.setText(row, col + 2, fixedText(s.mape, 2));
  grid.setText(row, col + 3, fixedText(s.rSquare, 3));
}

}  // namespace

std::vector<int> assignFolds(int flocks, int folds, unsigned seed) {
  std::vector<int> order(static_cast<std::size_t>(std::max(flocks, 0)));
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  // Fisher-Yates by hand: std::shuffle's order is not the same in every standard library.
  std::mt19937 random(seed);
  for (std::size_t i = order.size(); i > 1; --i) std::swap(order[i - 1], order[random() % i]);
  std::vector<int> foldOf(order.size());
  for (std::size_t position = 0; position < order.size(); ++position)
    foldOf[static_cast<std::size_t>(order[position])] = static_cast<int>(position % static_cast<std::size_t>(folds)) + 1;
  return foldOf;
}

CrossValidation crossValidate(const Workspace& ws, const ModelState& model, const SplitFlocks& split,
                              const ValidationChoice& choice, Dialogs& dialogs) {
  CrossValidation v;
  v.fit = initialFit(split);
  if (v.fit.flocks.size() != split.flocks.size()) {
    v.problem = "the growth model did not run (no growth parameters), so there is nothing to validate";
    return v;
  }
  if (choice.folds < 2 || static_cast<std::size_t>(choice.folds) > split.flocks.size()) {
    v.problem = "the flocks cannot be dealt into " + std::to_string(choice.folds) + " folds";
    return v;
  }
  v.foldOfFlock = assignFolds(static_cast<int>(split.flocks.size()), choice.folds, choice.seed);
  // Job k < folds holds fold k + 1 out; the last job calibrates on every flock (in sample).
  struct Job {
    SplitFlocks training, targets;
    ModelFit fit;
    std::filesystem::path folder;
    FoldDialogs dialogs;
    ValidationFold result;
  };
  std::vector<std::unique_ptr<Job>> jobs;
  for (int k = 1; k <= choice.folds; ++k) {
    const SplitFlocks heldOut = subset(split, v.foldOfFlock, k, true);
    jobs.push_back(std::make_unique<Job>(Job{subset(split, v.foldOfFlock, k, false), heldOut, initialFit(heldOut),
                                             choice.folder / ("fold" + std::to_string(k)),
                                             FoldDialogs("Fold" + std::to_string(k)), {}}));
  }
  jobs.push_back(std::make_unique<Job>(Job{split, split, initialFit(split), choice.folder / "all", FoldDialogs("All"), {}}));
  std::atomic<std::size_t> nextJob{0};
  const auto work = [&] {
    for (std::size_t j = nextJob++; j < jobs.size(); j = nextJob++) {
      Job& job = *jobs[j];
      const std::string name = j + 1 < jobs.size() ? "Fold" + std::to_string(j + 1) : "All";
      job.result = calibrateAndPredict(ws, model, job.training, job.targets, job.fit, job.folder, name, job.dialogs);
    }
  };
  dialogs.progress("Validating: " + std::to_string(jobs.size()) + " calibrations", 0.0);
  {
    std::vector<std::jthread> workers;
    for (unsigned t = 1; t < std::min(std::max(std::thread::hardware_concurrency(), 1u), 2u); ++t)
      workers.emplace_back(work);
    work();
  }
  for (std::size_t j = 0; j < jobs.size(); ++j) {
    jobs[j]->dialogs.replay(dialogs);
    if (j + 1 < jobs.size()) v.folds.push_back(jobs[j]->result);
  }
  for (int k = 1; k <= choice.folds; ++k) {
    const ModelFit& foldFit = jobs[static_cast<std::size_t>(k - 1)]->fit;
    std::size_t next = 0;
    for (std::size_t i = 0; i < split.flocks.size(); ++i)
      if (v.foldOfFlock[i] == k) {
        const auto& predicted = foldFit.flocks[next++].calibrated;
        v.fit.flocks[i].calibrated = foldFit.calibrated ? predicted : std::array{NotKnown, NotKnown, NotKnown};
      }
  }
  v.fit.calibrated = true;
  v.outOfSample = v.fit.withCalibration = statisticsOf(v.fit.flocks, &FlockFit::calibrated);
  v.all = jobs.back()->result;
  v.inSample = jobs.back()->fit.calibrated ? jobs.back()->fit.withCalibration : FitTable{};
  return v;
}

Grid validationGrid(const CrossValidation& v) {
  constexpr int firstCol = 2, perSet = 4;
  Grid grid(2 + 4 * FitItemCount, firstCol + 3 * perSet);
  grid.setText(0, 0, "Group");
  grid.setText(0, 1, "Item");
  const std::array<const char*, 3> sets{"Uncalibrated", "In sample", "Out of sample"};
  for (int s = 0; s < 3; ++s)
    for (int c = 0; c < perSet; ++c)
      grid.setText(0, firstCol + s * perSet + c,
                   std::string(sets[static_cast<std::size_t>(s)]) + " " +
                       std::array{"N", "Bias", "MAPE %", "R2"}[static_cast<std::size_t>(c)]);
  int row = 1;
  for (int g = 1; g <= 4; ++g)
    for (int k = 0; k < FitItemCount; ++k, ++row) {
      const auto gi = static_cast<std::size_t>(g), ki = static_cast<std::size_t>(k);
      grid.setText(row, 0, GroupNames[gi]);
      grid.setText(row, 1, FitItemNames[ki]);
      addStatistics(grid, row, firstCol, v.fit.initial[gi][ki]);
      addStatistics(grid, row, firstCol + perSet, v.inSample[gi][ki]);
      addStatistics(grid, row, firstCol + 2 * perSet, v.outOfSample[gi][ki]);
    }
  grid.resize(row, grid.cols());
  return grid;
}

}  // namespace plumetra
