// plumetra-cli: the headless front end. Summaries go to stdout, notes, warnings and errors to
// stderr; exit 0 on success, 1 on a failure of the data or the model, 2 on a usage error.

#include "cli/command.h"
#include "cli/commands.h"

#include <iostream>

int main(int argc, char** argv) {
  using namespace plumetra::cli;
  CLI::App app{"Plumetra: broiler flock analysis, growth model and calibration", "plumetra-cli"};
  app.set_version_flag("--version", std::string("plumetra-cli ") + PLUMETRA_VERSION);
  app.require_subcommand(0, 1);
  app.fallthrough();  // -q may also follow the command's own options
  bool quiet = false;
  app.add_flag("-q,--quiet", quiet, "Print errors only (and the JSON document that --json asks for)");

  CommandRun chosen;
  for (RegisterCommand add : AllCommands) add(app, chosen);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    fail(std::string(e.what()) + "\nRun 'plumetra-cli --help' for the commands.", ExitUsage);
    return ExitUsage;
  }
  if (!chosen) {
    std::cout << app.help();
    return ExitUsage;
  }
  Console console(quiet);
  try {
    return chosen(console);
  } catch (const std::exception& e) {
    return fail(e.what(), ExitFailure);
  }
}
