// The INI file of the week plan read and written by the Windows profile rules.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "kitchen/profile_ini.h"
#include "platform/text_file.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

TEST(ProfileIni, NamesAreFoundWithoutCaseAndValuesLoseBlanksAndQuotes) {
  test::TempDir dir;
  const std::string path = dir.Path() + "Plan.ini";
  WriteAll(path,
           "; kept as it is\r\n[03.06.2024]\r\nTitel0 = Gulasch \r\nBem0=\"  scharf  \"\r\n"
           "ohne Gleichheitszeichen\r\n[\xC4pfel]\r\nk=1\r\n[03.06.2024]\r\nTitel0=zweite\r\n");
  ProfileIni ini(path);
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.ReadString("03.06.2024", "TITEL0", "-"), "Gulasch");
  EXPECT_EQ(ini.ReadString(" 03.06.2024 ", "titel0", "-"), "Gulasch");  // the first section counts
  EXPECT_EQ(ini.ReadString("03.06.2024", "Bem0", "-"), "  scharf  ");
  EXPECT_EQ(ini.ReadString("\xE4PFEL", "K", "-"), "1");  // Windows-1252 letters fold too
  EXPECT_EQ(ini.ReadString("03.06.2024", "Titel1", "-"), "-");
  EXPECT_EQ(ini.ReadString("04.06.2024", "Titel0", "-"), "-");
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"03.06.2024", "\xC4pfel", "03.06.2024"}));
  // Untouched, the file is written back line for line.
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ(ReadAll(path),
            "; kept as it is\r\n[03.06.2024]\r\nTitel0 = Gulasch \r\nBem0=\"  scharf  \"\r\n"
            "ohne Gleichheitszeichen\r\n[\xC4pfel]\r\nk=1\r\n[03.06.2024]\r\nTitel0=zweite\r\n");
}

TEST(ProfileIni, IntegersMustBeWholeNumbers) {
  test::TempDir dir;
  WriteAll(dir.Path() + "a.ini", "[s]\r\nA= 65531 \r\nB=12abc\r\nC=\r\nD=-3\r\n");
  ProfileIni ini(dir.Path() + "a.ini");
  ASSERT_TRUE(ini.Load());
  EXPECT_EQ(ini.ReadInteger("s", "a", -1), 65531);
  EXPECT_EQ(ini.ReadInteger("s", "B", -1), -1);
  EXPECT_EQ(ini.ReadInteger("s", "C", -1), -1);
  EXPECT_EQ(ini.ReadInteger("s", "D", 0), -3);
  EXPECT_EQ(ini.ReadInteger("s", "E", 7), 7);
}

TEST(ProfileIni, WritingReplacesAddsAndErases) {
  test::TempDir dir;
  const std::string path = dir.Path() + "b.ini";
  WriteAll(path, "[Eins]\r\nA=1\r\n\r\n[Zwei]\r\nB=2\r\n");
  ProfileIni ini(path);
  ASSERT_TRUE(ini.Load());
  ini.WriteString("EINS", "a", "neu");             // the line keeps its place
  ini.WriteInteger("eins", "C", 3);                // after the last line that holds something
  ini.WriteString("Drei", "D", "zwei\r\nZeilen");  // a new section at the end, one line
  ini.EraseSection("zwei");
  ASSERT_TRUE(ini.Save());
  EXPECT_EQ(ReadAll(path), "[Eins]\r\na=neu\r\nC=3\r\n\r\n[Drei]\r\nD=zwei  Zeilen\r\n");
  ProfileIni again(path);
  ASSERT_TRUE(again.Load());
  EXPECT_EQ(again.ReadString("drei", "d", ""), "zwei  Zeilen");
  EXPECT_FALSE(again.SectionExists("Zwei"));
}

TEST(ProfileIni, AMissingFileIsEmptyAndAnUnreadableOneFails) {
  test::TempDir dir;
  ProfileIni missing(dir.Path() + "none.ini");
  EXPECT_TRUE(missing.Load());
  EXPECT_TRUE(missing.ReadSections().empty());
  // Something that is there but cannot be read as a file.
  mkdir((dir.Path() + "folder.ini").c_str(), 0755);
  ProfileIni folder(dir.Path() + "folder.ini");
  EXPECT_FALSE(folder.Load());
}

}  // namespace
}  // namespace tav
