#pragma once
// Runs a helper program of this program's own: started with posix_spawn (no shell), its
// standard input and error on /dev/null, in a process group of its own, its standard output
// collected up to a bound; the whole group is killed when the helper runs past a deadline or
// writes past the bound.

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace plumetra {

struct HelperRun {
  enum class End { Exited, Crashed, TimedOut, TooMuchOutput, NotStarted };
  End end = End::NotStarted;
  int exitCode = -1;  // when it exited
  int signal = 0;     // the signal that ended it, when it crashed
  std::string output;
};

HelperRun runHelper(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    std::chrono::milliseconds timeLimit, std::size_t maxOutputBytes);

}  // namespace plumetra
