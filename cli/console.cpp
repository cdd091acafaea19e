#include "cli/console.h"

#include "cli/command.h"

#include <iostream>
#include <unistd.h>

namespace plumetra::cli {

Console::Console(bool quiet) : quiet_(quiet) {}

std::ostream& Console::out(bool json) { return quiet_ || json ? nowhere_ : std::cout; }

std::ostream& Console::json() { return std::cout; }

std::ostream& Console::notes() { return quiet_ ? nowhere_ : std::cerr; }

void Console::warning(std::string_view text) { notes() << "warning: " << text << '\n'; }

BatchDialogs Console::dialogs() {
  BatchDialogs dialogs(notes());
  dialogs.setProgressShown(!quiet_ && isatty(STDERR_FILENO) == 1);
  return dialogs;
}

int fail(std::string_view text, int code) {
  std::cerr << "plumetra-cli: error: " << text << '\n';
  return code;
}

}  // namespace plumetra::cli
