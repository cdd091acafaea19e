// Names of stored sets: plain names pass as they stand; anything else is refused, and a name
// taken from a file is made plain.

#include "files/file_name.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plumetra {
namespace {

TEST(PlainFileName, LettersDigitsSpaceDashUnderscoreAndPointOnly) {
  for (const std::string& name : std::vector<std::string>{"Farm", "Farm 2024-05_b.v2", "\xC3\x98""deg\xC3\xA5rd", std::string(100, 'x')})
    EXPECT_TRUE(isPlainFileName(name)) << name;
  for (const std::string& name : std::vector<std::string>{"", "-rf", ".hidden", "..", "a/b", "a\\b", "Farm\nTop", "Farm\tTop", "\x1b[2J",
                                 "Farm\xE2\x80\xAE", "bad\xC3", "\xC3\x97", std::string(101, 'x'), std::string("a\0b", 3)})
    EXPECT_FALSE(isPlainFileName(name)) << name;
}

TEST(PlainFileName, ANameFromAFileIsMadePlainTheSameWay) {
  EXPECT_EQ(plainFileName("Farm 2024", "Flocks"), "Farm 2024");
  EXPECT_EQ(plainFileName("-Farm\x1b[1m", "Flocks"), "_Farm__1m");
  EXPECT_EQ(plainFileName(".hidden", "Flocks"), "_hidden");
  EXPECT_EQ(plainFileName("Farm\xE2\x80\xAE", "Flocks"), "Farm_");  // one mark for the three bytes
  EXPECT_EQ(plainFileName(std::string(300, 'y'), "Flocks"), std::string(100, 'y'));
  EXPECT_EQ(plainFileName("\n\t", "Flocks"), "Flocks");
  for (const std::string& name : std::vector<std::string>{"-Farm\x1b[1m", "\xC3", ".", std::string("a\0b", 3)}) EXPECT_TRUE(isPlainFileName(plainFileName(name, "F")));
}

}  // namespace
}  // namespace plumetra
