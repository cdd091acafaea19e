#include "controls/batch_dialogs.h"
#include "controls/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

namespace plumetra {
namespace {

TEST(ScriptedDialogs, UnexpectedOrMismatchedPromptFailsAndIsAnsweredNo) {
  ScriptedDialogs dialogs;
  dialogs.expectInput("", "FarmA").expectMessage("Pick a Variable first").expectMessage("Set Flock Sex")
      .expectMessage("never shown");

  EXPECT_EQ(dialogs.input("Enter a Name", "", ""), "FarmA");
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

TEST(BatchDialogs, AnswersFromTheLongestMatchingStartEchoesAndShowsProgressByTenths) {
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
  dialogs.message("Can not find the file\r\nIf new just keep going ", "");

  const std::string text = err.str();
  for (const char* part : {"Something else? -> No (assumed)", "-> \"SortedFile.xls\" (assumed)",
                           "datasets  Enter",  // code 31 shown as a blank
                           "Message: Can not find the file\nIf new just keep going \n"})
    EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;

  err.str("");
  for (int i = 0; i <= 100; ++i) EXPECT_TRUE(dialogs.progress("Calibrating", i / 100.0));
  const std::string progress = err.str();  // once per tenth
  EXPECT_EQ(std::count(progress.begin(), progress.end(), '\n'), 11);
  EXPECT_EQ(progress.rfind("Calibrating 0%\n", 0), 0u);
  EXPECT_NE(progress.find("Calibrating 100%\n"), std::string::npos);
}

}  // namespace
}  // namespace plumetra
