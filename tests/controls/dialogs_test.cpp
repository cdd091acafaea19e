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
  EXPECT_FALSE(dialogs.finished());  // and one step left over
}

TEST(BatchDialogs, AnswersFromTheLongestMatchingStartTellsTheFactsNotTheQuestionsAndProgressByTenths) {
  std::ostringstream err;
  BatchDialogs dialogs(err);
  dialogs.answerYesNo("A Diet File", true);
  dialogs.answerYesNo("A Diet File Exists, Do you want", false, "Diets: from the diet table (--diets)");
  dialogs.answerInput("This creates", "Farm", "Stored set: Farm in out");
  dialogs.restate("Set Breeds with", "");
  dialogs.restate("First Sort", "Grouped by feed conversion");

  EXPECT_FALSE(dialogs.yesNo("A Diet File Exists, Do you want to use those diets?", ""));
  EXPECT_TRUE(dialogs.yesNo("A Diet File is old", ""));
  EXPECT_FALSE(dialogs.yesNo("Something else?", ""));  // the default
  EXPECT_EQ(dialogs.input("This creates 3 datasets\x1F Enter a Name", "", ""), "Farm");
  EXPECT_EQ(dialogs.input("File Name ?", "Save to Excel File", "SortedFile.xls"), "SortedFile.xls");
  dialogs.message("Set Breeds with the Set Values Window", "");
  dialogs.message("First Sort is always by Feed Conversion", "");
  dialogs.message("Can not find the file\r\nIf new just keep going ", "Save Data");
  dialogs.message("Flocks read: 12", "");
  EXPECT_EQ(dialogs.lastReason(), "Can not find the file\nIf new just keep going ");  // a failure first

  EXPECT_EQ(err.str(),
            "Diets: from the diet table (--diets)\n"
            "assumed no (no option settles it): Something else\n"
            "Stored set: Farm in out\n"
            "assumed \"SortedFile.xls\" (no option settles it): File Name\n"
            "Grouped by feed conversion\n"
            "warning: Can not find the file\nIf new just keep going \n"
            "Flocks read: 12\n");

  // Progress by tenths only when asked, and nothing at all when quiet.
  err.str("");
  for (int i = 0; i <= 100; ++i) EXPECT_TRUE(dialogs.progress("Calibrating", i / 100.0));
  EXPECT_EQ(err.str(), "");  // not a terminal

  dialogs.setProgressShown(true);
  for (int i = 0; i <= 100; ++i) EXPECT_TRUE(dialogs.progress("Growing", i / 100.0));
  const std::string progress = err.str();  // once per tenth
  EXPECT_EQ(std::count(progress.begin(), progress.end(), '\n'), 11);
  EXPECT_EQ(progress.rfind("Growing 0%\n", 0), 0u);

  err.str("");
  dialogs.setQuiet(true);
  dialogs.message("The file could not be read", "");
  EXPECT_FALSE(dialogs.yesNo("Overwrite?", ""));
  EXPECT_TRUE(dialogs.progress("Sorting", 1.0));
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(dialogs.lastReason(), "The file could not be read");  // kept for the error line
  BatchDialogs informed(err);
  informed.message("The Flock Split leaves the Lowest Values group without a flock", "");
  EXPECT_EQ(informed.lastReason(), "The Flock Split leaves the Lowest Values group without a flock");
}

}  // namespace
}  // namespace plumetra
