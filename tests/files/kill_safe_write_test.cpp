// Writers killed (SIGKILL) at random points while they replace a file: the file is always
// either the old one, whole, or the new one, whole; and the temporary files the killed
// writers left are gone after the next write to that folder. One writer per folder: a second
// process waits for the lock and gives up with a message; the lock goes with its holder,
// however the holder ends.

#include "files/atomic_write.h"
#include "files/folder_lock.h"
#include "files/workbook.h"
#include "workbook_test_support.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <random>
#include <thread>

namespace plumetra {
namespace {

using namespace std::chrono_literals;
using testing::ScratchFolder;

constexpr int Kills = 12;
constexpr int MaxKills = 200;

// Two versions of a grid, different in every cell and big enough that a write takes a while.
Grid versionGrid(char version) {
  Grid grid(2000, 12);
  for (int row = 0; row < grid.rows(); ++row)
    for (int col = 0; col < grid.cols(); ++col)
      grid.setText(row, col, std::string(1, version) + std::to_string(row * 100 + col));
  return grid;
}

struct Writer {
  const char* name;
  const char* fileName;
  std::function<void(const std::filesystem::path&, const Grid&)> write;
  std::function<std::string(const std::filesystem::path&)> contents;  // comparable contents
};

// A workbook's cells, so that two writes of the same grid compare equal.
std::string workbookContents(const std::filesystem::path& path) {
  std::string text;
  for (const auto& row : testing::cellStrings(testing::readOnlySheet(path)))
    for (const std::string& cell : row) text += cell + '\t';
  return text;
}

const Writer Writers[] = {
    {"tab-separated grid", "out.tsv", [](const auto& path, const Grid& grid) { writeTsv(path, grid); }, testing::readBytes},
    {"workbook", "out.xlsx", [](const auto& path, const Grid& grid) { writeXlsx(path, {{"Data", &grid}}); }, workbookContents},
};

// Starts a process that writes the two versions in turn, for ever.
pid_t startWriting(const Writer& writer, const std::filesystem::path& path, const Grid& a, const Grid& b) {
  const pid_t pid = fork();
  if (pid == 0) {
    for (;;) {
      writer.write(path, a);
      writer.write(path, b);
    }
  }
  return pid;
}

TEST(KillSafeWrites, KilledWriterLeavesTheOldOrTheNewFileWholeAndNextWriteCleansUp) {
  const Grid a = versionGrid('a'), b = versionGrid('b');
  std::mt19937 random(20261207);
  for (const Writer& writer : Writers) {
    SCOPED_TRACE(writer.name);
    ScratchFolder folder;
    const std::filesystem::path path = folder / writer.fileName;
    writer.write(path, a);
    const std::string expectedA = writer.contents(path);
    writer.write(path, b);
    const std::string expectedB = writer.contents(path);

    // At least Kills kills, and more until one lands inside a write (the timing of a write
    // varies with the machine's load and with a sanitizer build).
    int insideWrite = 0;
    for (int kill = 0; kill < Kills || (insideWrite == 0 && kill < MaxKills); ++kill) {
      const pid_t pid = startWriting(writer, path, a, b);
      ASSERT_GT(pid, 0);
      std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution(5, 120)(random)));
      ::kill(pid, SIGKILL);
      int status = 0;
      waitpid(pid, &status, 0);
      ASSERT_TRUE(WIFSIGNALED(status));
      const std::string found = writer.contents(path);
      EXPECT_TRUE(found == expectedA || found == expectedB) << "kill " << kill;
      insideWrite += std::distance(std::filesystem::directory_iterator(folder.path()), {}) > 1;
    }
    // Some kills did land inside a write: they left a temporary file.
    EXPECT_GT(insideWrite, 0);
    writer.write(path, a);
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
      left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{writer.fileName});
  }
}

// Another writer's temporary file is left alone while its process runs.
TEST(KillSafeWrites, TemporaryFilesOfRunningWritersStay) {
  ScratchFolder folder;
  const pid_t ended = fork();
  if (ended == 0) _exit(0);
  waitpid(ended, nullptr, 0);
  const std::string ours = ".~plumetra-" + std::to_string(getpid()) + "-00000001.tmp";
  const std::string theirs = ".~plumetra-" + std::to_string(ended) + "-00000002.tmp";
  for (const std::string& name : {ours, theirs, std::string("~plumetra-1-x.tmp"), std::string("notes.tmp")})
    testing::writeBytes(folder / name, "part");
  ASSERT_TRUE(writeFileAtomically(folder / "Predict.txt", "whole"));
  EXPECT_TRUE(std::filesystem::exists(folder / ours));
  EXPECT_FALSE(std::filesystem::exists(folder / theirs));
  EXPECT_TRUE(std::filesystem::exists(folder / "~plumetra-1-x.tmp"));
  EXPECT_TRUE(std::filesystem::exists(folder / "notes.tmp"));
}

// A child process that takes the lock, says so through a pipe and holds it until killed.
pid_t holderOf(const std::filesystem::path& folder) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  const pid_t pid = fork();
  if (pid == 0) {
    close(ready[0]);
    auto lock = FolderLock::take(folder, 1s);
    const char taken = lock ? 'y' : 'n';
    if (write(ready[1], &taken, 1) != 1) _exit(1);
    pause();
    _exit(0);
  }
  close(ready[1]);
  char taken = 'n';
  if (read(ready[0], &taken, 1) != 1 || taken != 'y') ADD_FAILURE() << "the holder did not take the lock";
  close(ready[0]);
  return pid;
}

TEST(FolderLock, ASecondWriterWaitsAndGivesUpWhileTheFirstHoldsTheFolderAndTheLockGoesWithItsHolder) {
  testing::ScratchFolder folder;
  const pid_t holder = holderOf(folder.path());
  ASSERT_GT(holder, 0);
  std::string error;
  int waits = 0;
  EXPECT_FALSE(FolderLock::take(folder.path(), 150ms, &error, [&] { ++waits; }));
  EXPECT_EQ(waits, 1);
  EXPECT_EQ(error, "another run is still writing into " + folder.path().string() + "; try again when it has finished");

  kill(holder, SIGKILL);  // a killed holder leaves the folder free
  waitpid(holder, nullptr, 0);
  auto lock = FolderLock::take(folder.path(), 150ms, &error);
  ASSERT_TRUE(lock);
  // The lock is the process's: taking it again here does not wait for itself.
  EXPECT_TRUE(FolderLock::take(folder.path(), 0ms));
  // A folder that cannot hold the lock file is named.
  EXPECT_FALSE(FolderLock::take("/no/such/folder", 0ms, &error));
  EXPECT_EQ(error.rfind("cannot lock /no/such/folder: ", 0), 0u) << error;
}

}  // namespace
}  // namespace plumetra
