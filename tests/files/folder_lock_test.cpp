// One writer per folder: a second process waits for the lock and gives up with a message; the
// lock goes with its holder, however the holder ends.

#include "files/folder_lock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "workbook_test_support.h"

namespace plumetra {
namespace {

using namespace std::chrono_literals;

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

TEST(FolderLock, ASecondWriterWaitsAndGivesUpWhileTheFirstHoldsTheFolder) {
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
}

TEST(FolderLock, AFolderThatCannotHoldTheLockFileIsNamed) {
  std::string error;
  EXPECT_FALSE(FolderLock::take("/no/such/folder", 0ms, &error));
  EXPECT_EQ(error.rfind("cannot lock /no/such/folder: ", 0), 0u) << error;
}

}  // namespace
}  // namespace plumetra
