#include "views/batch_dialogs.h"
#include "views/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace plumetra {
namespace {

TEST(ScriptedDialogs, FollowsTheScript) {
  ScriptedDialogs dialogs;
  dialogs.expectYesNo("A Diet File Exists, Do you want to use those diets?", true)
      .expectInput("", "FarmA")
      .expectOpenFile("Select the Files you want with top.clb", "/tmp/FarmTop.clb")
      .expectSaveFile("", "")
      .expectMessage("Set Flock Sex");

  EXPECT_TRUE(dialogs.yesNo("A Diet File Exists, Do you want to use those diets?", ""));
  EXPECT_EQ(dialogs.input("Enter a Name", "", ""), "FarmA");
  EXPECT_EQ(dialogs.openFile({"Select the Files you want with top.clb", "", "*.clb", {}}),
            std::filesystem::path("/tmp/FarmTop.clb"));
  EXPECT_FALSE(dialogs.saveFile({"File To Save Correlations", "", "", {}}).has_value());
  dialogs.message("Set Flock Sex", "");

  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(dialogs.shown().size(), 5u);
  EXPECT_EQ(dialogs.shown().back(), "Set Flock Sex");
}

TEST(ScriptedDialogs, UnexpectedOrMismatchedPromptFailsAndIsAnsweredNo) {
  ScriptedDialogs dialogs;
  dialogs.expectMessage("Pick a Variable first").expectMessage("Set Flock Sex").expectMessage("never shown");

  EXPECT_FALSE(dialogs.yesNo("Overwrite?", ""));  // wrong kind: No, step kept
  dialogs.message("Pick a Variable first", "");   // the script still lines up
  EXPECT_FALSE(dialogs.input("File Name ?", "Save to Excel File", "SortedFile.xls").has_value());
  dialogs.message("Set Breeds with the Set Values Window", "");  // text differs
  dialogs.message("Set Flock Sex", "");

  ASSERT_EQ(dialogs.failures().size(), 3u);
  EXPECT_NE(dialogs.failures()[0].find("Overwrite?"), std::string::npos);
  EXPECT_NE(dialogs.failures()[1].find("File Name ?"), std::string::npos);
  EXPECT_FALSE(dialogs.finished());  // and one step left over
}

TEST(BatchDialogs, AnswersFromTheLongestMatchingStartAndEchoes) {
  std::ostringstream err;
  BatchDialogs dialogs(err);
  dialogs.answerYesNo("A Diet File", true);
  dialogs.answerYesNo("A Diet File Exists, Do you want", false);
  dialogs.answerInput("This creates", "Farm");

  EXPECT_FALSE(dialogs.yesNo("A Diet File Exists, Do you want to use those diets?", ""));
  EXPECT_TRUE(dialogs.yesNo("A Diet File is old", ""));
  EXPECT_FALSE(dialogs.yesNo("Something else?", ""));  // the default
  EXPECT_EQ(dialogs.input("This creates 3 datasets\x1F Enter a Name", "", ""), "Farm");
  EXPECT_EQ(dialogs.input("File Name ?", "Save to Excel File", "SortedFile.xls"), "SortedFile.xls");
  EXPECT_FALSE(dialogs.openFile({"Open a data file", "", "", {}}).has_value());

  const std::string text = err.str();
  EXPECT_NE(text.find("Something else? -> No (assumed)"), std::string::npos) << text;
  EXPECT_NE(text.find("-> \"SortedFile.xls\" (assumed)"), std::string::npos) << text;
  EXPECT_NE(text.find("datasets  Enter"), std::string::npos) << text;  // code 31 shown as a blank
  EXPECT_NE(text.find("cancelled"), std::string::npos) << text;
}

TEST(BatchDialogs, MessagesArePlainLinesAndProgressPrintsOncePerTenth) {
  std::ostringstream err;
  BatchDialogs dialogs(err);
  dialogs.message("Can not find the file\r\nIf new just keep going ", "");
  EXPECT_EQ(err.str(), "Message: Can not find the file\nIf new just keep going \n");
  dialogs.setQuiet(true);
  dialogs.message("quiet", "");
  EXPECT_EQ(err.str(), "Message: Can not find the file\nIf new just keep going \n");

  err.str("");
  dialogs.setQuiet(false);
  for (int i = 0; i <= 100; ++i) EXPECT_TRUE(dialogs.progress("Calibrating", i / 100.0));
  std::istringstream lines(err.str());
  std::vector<std::string> printed;
  for (std::string line; std::getline(lines, line);) printed.push_back(line);
  ASSERT_EQ(printed.size(), 11u);
  EXPECT_EQ(printed.front(), "Calibrating 0%");
  EXPECT_EQ(printed.back(), "Calibrating 100%");
}

}  // namespace
}  // namespace plumetra
