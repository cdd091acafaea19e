#include "files/helper_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace plumetra {
namespace {

class Pipe {
 public:
  Pipe() {
    if (pipe2(ends_, O_CLOEXEC) != 0) ends_[0] = ends_[1] = -1;
  }
  ~Pipe() {
    closeEnd(0);
    closeEnd(1);
  }
  bool ok() const { return ends_[0] >= 0; }
  int readEnd() const { return ends_[0]; }
  int writeEnd() const { return ends_[1]; }
  void closeEnd(int which) {
    if (ends_[which] >= 0) close(ends_[which]);
    ends_[which] = -1;
  }

 private:
  int ends_[2];
};

// The helper leads a process group of its own, so whatever it starts is stopped with it.
class SpawnAttributes {
 public:
  SpawnAttributes() {
    posix_spawnattr_init(&attributes_);
    posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes_, 0);
  }
  ~SpawnAttributes() { posix_spawnattr_destroy(&attributes_); }
  const posix_spawnattr_t* get() const { return &attributes_; }

 private:
  posix_spawnattr_t attributes_;
};

class SpawnActions {
 public:
  SpawnActions() { posix_spawn_file_actions_init(&actions_); }
  ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

int remainingMs(std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  return left.count() < 0 ? 0 : static_cast<int>(left.count());
}

// Collects the output until the helper closes it, the deadline passes or the bound is hit.
HelperRun::End collect(int fd, std::string& output, std::chrono::steady_clock::time_point deadline,
                       std::size_t maxOutputBytes) {
  char chunk[64 * 1024];
  for (;;) {
    pollfd wait{fd, POLLIN, 0};
    const int ready = poll(&wait, 1, remainingMs(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return HelperRun::End::TimedOut;
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return HelperRun::End::Exited;
    if (output.size() + static_cast<std::size_t>(got) > maxOutputBytes) return HelperRun::End::TooMuchOutput;
    output.append(chunk, static_cast<std::size_t>(got));
  }
}

}  // namespace

HelperRun runHelper(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    std::chrono::milliseconds timeLimit, std::size_t maxOutputBytes) {
  HelperRun run;
  Pipe out;
  SpawnActions actions;
  if (!out.ok()) return run;
  posix_spawn_file_actions_addopen(actions.get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(actions.get(), out.writeEnd(), STDOUT_FILENO);
  posix_spawn_file_actions_addopen(actions.get(), STDERR_FILENO, "/dev/null", O_WRONLY, 0);

  const std::string programText = program.string();
  std::vector<char*> argv{const_cast<char*>(programText.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const SpawnAttributes attributes;
  if (posix_spawn(&pid, programText.c_str(), actions.get(), attributes.get(), argv.data(), environ) != 0) return run;
  out.closeEnd(1);  // the helper's end: our read sees the end of file when the helper is gone

  const auto deadline = std::chrono::steady_clock::now() + timeLimit;
  run.end = collect(out.readEnd(), run.output, deadline, maxOutputBytes);
  int status = 0;
  // A helper may close its output and go on running: it gets until the deadline to exit.
  while (run.end == HelperRun::End::Exited && waitpid(pid, &status, WNOHANG) == 0) {
    if (remainingMs(deadline) == 0) run.end = HelperRun::End::TimedOut;
    else usleep(2000);
  }
  if (run.end != HelperRun::End::Exited) {
    kill(-pid, SIGKILL);
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  if (run.end == HelperRun::End::Exited) {
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    else run.end = HelperRun::End::Crashed;
    if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
  }
  if (run.end != HelperRun::End::Exited) run.output.clear();
  return run;
}

}  // namespace plumetra
