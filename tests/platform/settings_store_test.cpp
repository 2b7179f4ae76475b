#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/paths.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::TempDir;

TEST(SettingsStore, NamesAndKeysIgnoreCase) {
  MemorySettingsStore s;
  ASSERT_TRUE(s.WriteString(kRegParam, "ImportPath", "C:\\x\\"));
  std::string v;
  EXPECT_TRUE(s.ReadString("software\\brimo\\TAVOLIN\\param", "IMPORTPATH", v));
  EXPECT_EQ(v, "C:\\x\\");
  EXPECT_TRUE(s.KeyExists("Software\\Brimo"));
  EXPECT_FALSE(s.ReadString(kRegParam, "missing", v));
  EXPECT_EQ(s.Read(kRegParam, "missing", "def"), "def");
}

TEST(SettingsStore, DeletingAKeyTakesItsSubkeys) {
  MemorySettingsStore s;
  s.WriteString("Software\\Brimo\\Tavolin\\Export", "a", "1");
  s.WriteString("Software\\Brimo\\Tavolin\\Export\\Sub", "b", "2");
  s.WriteString("Software\\Brimo\\Tavolin\\ExportOther", "c", "3");
  EXPECT_EQ(s.SubKeys("Software\\Brimo\\Tavolin"),
            (std::vector<std::string>{"Export", "ExportOther"}));
  EXPECT_TRUE(s.DeleteKey("Software\\Brimo\\Tavolin\\Export"));
  EXPECT_FALSE(s.KeyExists("Software\\Brimo\\Tavolin\\Export\\Sub"));
  EXPECT_TRUE(s.KeyExists("Software\\Brimo\\Tavolin\\ExportOther"));
  EXPECT_TRUE(s.DeleteValue("Software\\Brimo\\Tavolin\\ExportOther", "C"));
  EXPECT_TRUE(s.ValueNames("Software\\Brimo\\Tavolin\\ExportOther").empty());
}

TEST(IniSettingsStore, ValuesSurviveAReopenWithAwkwardCharacters) {
  TempDir dir;
  const std::string file = dir.Path() + "user.ini";
  {
    IniSettingsStore s(file, false);
    s.WriteString(kRegParam, "AName", "M\xFCller = \\ ok\r\nsecond line");
    s.WriteString(kRegParam, "Odd=Name", "x");
    s.WriteString("Software\\Brimo\\Tavolin\\Assist", "StartTip", "3");
    // Names that begin like a key header or a comment line were once lost.
    for (const char* name : {"[Head]", ";semi", "#hash"}) s.WriteString(kRegParam, name, name);
  }
  IniSettingsStore s(file, false);
  for (const char* name : {"[Head]", ";semi", "#hash"}) EXPECT_EQ(s.Read(kRegParam, name), name);
  EXPECT_EQ(s.Read(kRegParam, "aname"), "M\xFCller = \\ ok\r\nsecond line");
  EXPECT_EQ(s.Read(kRegParam, "odd=name"), "x");
  EXPECT_EQ(s.Read("Software\\Brimo\\Tavolin\\Assist", "StartTip"), "3");
  // The file itself is UTF-8.
  EXPECT_NE(test::ReadAll(file).find("M\xC3\xBCller"), std::string::npos);
}

TEST(IniSettingsStore, AnInterruptedWriteKeepsTheWholeOldFile) {
  TempDir dir;
  const std::string file = dir.Path() + "user.ini";
  IniSettingsStore s(file, false);
  s.WriteString(kRegParam, "KBook", "Meine Rezepte");
  const std::string before = test::ReadAll(file);
  SetAtomicWriteFaultForTest(5);
  EXPECT_FALSE(s.WriteString(kRegParam, "AName", "Someone"));
  EXPECT_EQ(test::ReadAll(file), before);
  IniSettingsStore again(file, false);
  EXPECT_EQ(again.Read(kRegParam, "KBook"), "Meine Rezepte");
}

TEST(IniSettingsStore, HeldChangesGoToTheFileWhenTheLastHoldEnds) {
  TempDir dir;
  const std::string file = dir.Path() + "user.ini";
  IniSettingsStore s(file, false);
  s.WriteString(kRegParam, "KBook", "Meine Rezepte");
  const std::string before = test::ReadAll(file);
  {
    const HeldSettingsChanges outer(&s);
    {
      const HeldSettingsChanges inner(&s);
      EXPECT_TRUE(s.WriteString(kRegParam, "AutoDelName0", "Ziel"));
      EXPECT_TRUE(s.DeleteValue(kRegParam, "KBook"));
    }
    EXPECT_EQ(test::ReadAll(file), before);  // the outer hold still holds them
    EXPECT_EQ(s.Read(kRegParam, "AutoDelName0"), "Ziel");
  }
  IniSettingsStore again(file, false);
  EXPECT_EQ(again.Read(kRegParam, "AutoDelName0"), "Ziel");
  EXPECT_EQ(again.Read(kRegParam, "KBook", "gone"), "gone");
}

TEST(IniSettingsStore, AFileThatCannotBeReadIsNeverReplaced) {
  TempDir dir;
  // A settings file linked to a drive that is not there: the settings are not lost by the
  // next change, which stays in memory.
  const std::string file = dir.Path() + "user.ini";
  ASSERT_EQ(symlink((dir.Path() + "unmounted/user.ini").c_str(), file.c_str()), 0);
  IniSettingsStore s(file, false);
  EXPECT_FALSE(s.WriteString(kRegParam, "KBook", "Meine Rezepte"));
  EXPECT_EQ(s.Read(kRegParam, "KBook"), "Meine Rezepte");
  char target[512] = {};
  ASSERT_GT(readlink(file.c_str(), target, sizeof target - 1), 0);
  EXPECT_EQ(std::string(target), dir.Path() + "unmounted/user.ini");
}

TEST(IniSettingsStore, TheMachineScopeIsReadOnly) {
  TempDir dir;
  const std::string file = dir.Path() + "machine.ini";
  test::WriteAll(file, "[" + std::string(kRegAppPaths) + "]\nDataPath=/srv/tavolin/\n");
  IniSettingsStore s(file, true);
  EXPECT_EQ(s.Read(kRegAppPaths, "datapath"), "/srv/tavolin/");
  EXPECT_FALSE(s.WriteString(kRegAppPaths, "DataPath", "/elsewhere/"));
  EXPECT_EQ(s.Read(kRegAppPaths, "DataPath"), "/srv/tavolin/");
}

// Damaged user settings: the sound lines count, the damaged file is kept beside the new one,
// and the rewritten file reads back whole.
TEST(IniSettingsStore, ADamagedFileIsKeptAndWrittenAnew) {
  struct Case {
    const char* fixture;
    const char* lostName;  // a value of a damaged line, gone
  } cases[] = {{"user_settings_cut_inside_a_line.ini", "WinY"},
               {"user_settings_zero_filled_block.ini", "StartTip"},
               {"user_settings_garbled_lines.ini", "Tip12"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fixture);
    TempDir dir;
    const std::string file = dir.Path() + "user.ini";
    const std::string damaged = test::ReadAll(test::Fixture(c.fixture));
    test::WriteAll(file, damaged);
    IniSettingsStore s(file, false);
    EXPECT_TRUE(s.State().damaged);
    EXPECT_EQ(s.State().damagedCopy, file + ".damaged");
    EXPECT_EQ(test::ReadAll(file + ".damaged"), damaged);
    // What the sound lines hold is there, the current book among it.
    EXPECT_EQ(s.Read(kRegParam, "KBook"), "Omas Backbuch");
    EXPECT_EQ(s.Read(kRegParam, "AName"), "Hildegard M\xFCller");
    EXPECT_EQ(s.Read(kRegParam, "IDCounter"), "1187");
    const std::string lostKey =
        std::string(c.lostName) == "WinY" ? kRegParam : "Software\\Brimo\\Tavolin\\Assist";
    EXPECT_EQ(s.Read(lostKey, c.lostName, "-"), "-");
    // The file is whole again, and a second damage keeps its own copy.
    IniSettingsStore again(file, false);
    EXPECT_FALSE(again.State().damaged);
    EXPECT_EQ(again.Read(kRegParam, "KBook"), "Omas Backbuch");
    test::WriteAll(file, damaged);
    IniSettingsStore third(file, false);
    EXPECT_EQ(third.State().damagedCopy, file + ".damaged-2");
    EXPECT_EQ(test::ReadAll(file + ".damaged"), damaged);
  }
}

TEST(IniSettingsStore, ANulInAValueIsNoDamage) {
  TempDir dir;
  const std::string file = dir.Path() + "user.ini";
  const std::string value("vor\0nach", 8);
  {
    IniSettingsStore s(file, false);
    ASSERT_TRUE(s.WriteString(kRegParam, "Mit Null", value));
  }
  EXPECT_EQ(test::ReadAll(file).find('\0'), std::string::npos);
  IniSettingsStore s(file, false);
  EXPECT_FALSE(s.State().damaged);
  EXPECT_EQ(s.Read(kRegParam, "Mit Null"), value);
}

TEST(IniSettingsStore, ADamagedFileWithoutACopyIsNeverReplaced) {
  TempDir dir;
  const std::string file = dir.Path() + "user.ini";
  const std::string damaged = test::ReadAll(test::Fixture("user_settings_cut_inside_a_line.ini"));
  test::WriteAll(file, damaged);
  // Every name a copy could take is taken: no copy can be made.
  ASSERT_TRUE(MakeDirs(file + ".damaged"));
  for (int n = 2; n < 100; ++n) ASSERT_TRUE(MakeDirs(file + ".damaged-" + std::to_string(n)));
  IniSettingsStore s(file, false);
  EXPECT_TRUE(s.State().damaged);
  EXPECT_EQ(s.State().damagedCopy, "");
  EXPECT_EQ(s.Read(kRegParam, "KBook"), "Omas Backbuch");
  EXPECT_FALSE(s.WriteString(kRegParam, "KBook", "Anderes Buch"));
  EXPECT_EQ(test::ReadAll(file), damaged);
  // A read-only store never writes or copies.
  test::WriteAll(dir.Path() + "machine.ini", damaged);
  IniSettingsStore machine(dir.Path() + "machine.ini", true);
  EXPECT_TRUE(machine.State().damaged);
  EXPECT_FALSE(FileExists(dir.Path() + "machine.ini.damaged"));
}

TEST(IniSettingsStore, ConfigFolderComesFromTheEnvironment) {
  setenv("TAVOLIN_CONFIG_DIR", "/tmp/some-config", 1);
  EXPECT_EQ(SettingsFolder(), "/tmp/some-config/");
  unsetenv("TAVOLIN_CONFIG_DIR");
  setenv("XDG_CONFIG_HOME", "/tmp/xdg", 1);
  EXPECT_EQ(SettingsFolder(), "/tmp/xdg/Tavolin/");
  unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace tav
