// `plumetra-cli info`: what this build can read and write.

#include "cli/commands.h"


namespace plumetra::cli {

void registerVersionInfo(CLI::App& app, CommandRun& chosen) {
  auto* sub = app.add_subcommand("info", "Show the version and the file types this build reads and writes");
  sub->callback([&chosen] {
    chosen = [](Console& console) {
      console.out() << "Plumetra " << PLUMETRA_VERSION << "\n"
                << "Reads:  flock and diet tables as .csv, tab-separated text, .xls and .xlsx; diet files (.dts)\n"
                << "Writes: tab-separated text and .xlsx workbooks\n";
      return ExitOk;
    };
  });
}

}  // namespace plumetra::cli
