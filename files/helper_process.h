#pragma once
// Runs a helper program of this program's own: started with posix_spawn (no shell), its
// standard input and error on /dev/null, its standard output collected up to a bound, and
// killed when it runs past a deadline.

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
  std::string output;
};

HelperRun runHelper(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    std::chrono::milliseconds timeLimit, std::size_t maxOutputBytes);

}  // namespace plumetra
