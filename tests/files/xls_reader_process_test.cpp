// The .xls reader program as the main program sees it: the helper run (crash, deadline, output
// bound), the readout form both ways, and what the user is told when the reader fails.

#include "files/helper_process.h"
#include "files/xls_readout.h"
#include "files/xls_reader.h"
#include "workbook_test_support.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace plumetra {
namespace {

using namespace std::chrono_literals;
using End = HelperRun::End;

TEST(HelperRun, ReportsHowTheHelperEnded) {
  const HelperRun done = runHelper("/bin/sh", {"-c", "printf 'a\\nb'; exit 3"}, 5s, 100);
  EXPECT_EQ(done.end, End::Exited);
  EXPECT_EQ(done.exitCode, 3);
  EXPECT_EQ(done.output, "a\nb");

  EXPECT_EQ(runHelper("/bin/sh", {"-c", "echo partial; kill -SEGV $$"}, 5s, 100).end, End::Crashed);
  // Closing its output does not free a helper from the deadline (the reader's own deadline and
  // output bound are checked below).
  EXPECT_EQ(runHelper("/bin/sh", {"-c", "exec >&-; sleep 30"}, 200ms, 100).end, End::TimedOut);
  EXPECT_EQ(runHelper("/no/such/program", {}, 5s, 100).end, End::NotStarted);
}

// What the helper started is stopped with it: its whole process group is killed.
TEST(HelperRun, AStoppedHelperTakesWhatItStartedWithIt) {
  testing::ScratchFolder folder;
  const std::filesystem::path mark = folder / "child.pid";
  const HelperRun run = runHelper("/bin/sh", {"-c", "sleep 30 & echo $! > " + mark.string() + "; wait"}, 300ms, 100);
  ASSERT_EQ(run.end, End::TimedOut);
  const std::string child = std::to_string(std::stoi(testing::readBytes(mark)));
  // Gone, or dead and waiting for whoever inherited it to reap it ("Z" in its status).
  const auto running = [&] {
    const std::string stat = testing::readBytes("/proc/" + child + "/stat");
    const std::size_t state = stat.rfind(") ");
    return state != std::string::npos && stat[state + 2] != 'Z';
  };
  for (int tries = 0; tries < 100 && running(); ++tries) usleep(10000);
  EXPECT_FALSE(running()) << "the helper's child still runs";
}

// The whole readout as the reader program writes it.
std::string encoded(const XlsReadout& readout) {
  if (readout.problem) return encodeXlsProblem(*readout.problem);
  std::string out;
  for (const XlsSheet& sheet : readout.sheets) appendXlsSheet(out, sheet);
  appendXlsEnd(out);
  return out;
}

TEST(XlsReadout, RoundTripKeepsEveryCellAndWarning) {
  Sheet flocks;
  flocks.rows = {{std::string("House"), std::string("a\nb:c 5:x")}, {0.1, -1e300}, {std::monostate{}, std::string("")}};
  flocks.warnings = {"Column \"Birds\" has no values."};
  XlsReadout readout;
  readout.sheets.push_back({"Flock Data 2024", flocks});
  readout.sheets.push_back({"", Sheet{}});
  const std::optional<XlsReadout> back = decodeXlsReadout(encoded(readout));
  ASSERT_TRUE(back);
  ASSERT_EQ(back->sheets.size(), 2u);
  EXPECT_EQ(back->sheets[0].name, "Flock Data 2024");
  EXPECT_EQ(testing::cellStrings(back->sheets[0].sheet),
            (testing::Rows{{"text:House", "text:a\nb:c 5:x"}, {"number:0.1", "number:-1e+300"}, {"empty", "text:"}}));
  EXPECT_EQ(back->sheets[0].sheet.warnings, readout.sheets[0].sheet.warnings);
  EXPECT_EQ(back->sheets[1].name, "");

  const std::optional<XlsReadout> problem = decodeXlsReadout(encoded({XlsProblem::PasswordProtected, {}}));
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->problem, XlsProblem::PasswordProtected);
}

TEST(XlsReadout, AnythingNotWholeAndWellFormedIsRefused) {
  const std::string good = "sheet 1:S\nnum 0 0 1.5\ntext 0 1 2:ab\nend\ndone\n";
  ASSERT_TRUE(decodeXlsReadout(good));
  for (const std::string& bad : std::vector<std::string>{
           std::string(), good.substr(0, good.size() - 1), good.substr(0, good.size() - 5), good + "x",
           "sheet 1:S\nnum 0 0 nan\nend\ndone\n", "sheet 1:S\nnum 0 0 inf\nend\ndone\n",
           "sheet 1:S\nnum 5000 0 1\nend\ndone\n", "sheet 1:S\nnum 0 256 1\nend\ndone\n",
           "sheet 1:S\nnum -1 0 1\nend\ndone\n", "sheet 1:S\ntext 0 0 99:ab\nend\ndone\n",
           "sheet 1:S\ntext 0 0 99999999999999999999:ab\nend\ndone\n", "sheet 9:S\nend\ndone\n",
           "sheet 1:S\nnum 0 0 1.5 \nend\ndone\n", "error password\nx", "error unknown\n",
           "sheet 1:S\nend\nerror damaged\n", "sheet 1:S\nfoo 0 0\nend\ndone\n"}) {
    EXPECT_FALSE(decodeXlsReadout(bad)) << bad;
  }
}

// Sheets that are small to send but large once padded to rectangles: a cell at the far corner
// of each. Together they pass the bound on the cells of a whole workbook.
TEST(XlsReadout, SheetsPastTheWorkbookCellBoundReadAsTooLarge) {
  const auto corners = [](int sheets) {
    std::string text;
    for (int s = 0; s < sheets; ++s)
      text += "sheet 1:" + std::to_string(s) + "\nnum 0 0 1\nnum " + std::to_string(MaxSheetRows - 1) + " " +
              std::to_string(MaxSheetCols - 1) + " 1\nend\n";
    return text + "done\n";
  };
  const std::size_t fullSheets = MaxXlsReadoutCells / (static_cast<std::size_t>(MaxSheetRows) * MaxSheetCols);
  const std::optional<XlsReadout> within = decodeXlsReadout(corners(static_cast<int>(fullSheets)));
  ASSERT_TRUE(within);
  EXPECT_FALSE(within->problem);
  const std::optional<XlsReadout> over = decodeXlsReadout(corners(static_cast<int>(fullSheets) + 1));
  ASSERT_TRUE(over);
  EXPECT_EQ(over->problem, XlsProblem::TooLarge);
}

// Opens `xls` with a shell script of `body` standing in for the reader program.
auto openWithReaderScript(const testing::ScratchFolder& folder, const std::filesystem::path& xls,
                          const std::string& body) {
  const std::filesystem::path program = folder / "reader.sh";
  testing::writeBytes(program, "#!/bin/sh\n" + body + "\n");
  std::filesystem::permissions(program, std::filesystem::perms::owner_all);
  setenv("PLUMETRA_XLS_READER", program.c_str(), 1);
  auto book = openWorkbook(xls);
  unsetenv("PLUMETRA_XLS_READER");
  return book;
}

// A reader program that crashes or answers nonsense: the user gets one message. One stopped at
// its deadline or its output bound: the message says it was stopped and why.
TEST(XlsReader, FailingOrStoppedReaderProgramGivesTheMessageToSaveAsXlsxOrCsv) {
  testing::ScratchFolder folder;
  const std::filesystem::path xls = testing::fixture("flock_two_sheets.xls");
  const std::string failed = "This .xls file could not be read; save it as .xlsx or CSV and open that instead";
  const auto stopped = [](const std::string& why) {
    return "The .xls reader was stopped: " + why + ". Save the workbook as .xlsx or CSV and open that instead";
  };
  const std::string bytes = std::to_string(MaxXlsReadoutBytes + 8192);
  for (const auto& [body, message] : std::vector<std::pair<std::string, std::string>>{
           {"kill -SEGV $$", failed},
           {"echo nonsense", failed},
           {"echo 'error password'; exit 1", failed},
           {"exec sleep 30", stopped("it took longer than 5 seconds")},
           {"head -c " + bytes + " /dev/zero", stopped("it read out more than 64 MB of cells")},
           {"kill -XCPU $$", stopped("it used more than 5 seconds of processor time")}}) {
    auto book = openWithReaderScript(folder, xls, body);
    ASSERT_FALSE(book.ok()) << body;
    EXPECT_EQ(book.error(), message);
  }
  EXPECT_TRUE(openWorkbook(xls).ok());
}

}  // namespace
}  // namespace plumetra
