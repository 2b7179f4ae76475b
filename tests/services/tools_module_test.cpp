#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "platform/paths.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/form_placement.h"
#include "services/options_store.h"
#include "services/startup_texts.h"
#include "services/tools_module.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

int CountOf(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
  return n;
}

TEST(ToolsLog, EachStartBeginsANewFileWithOneHeader) {
  test::TestEnv env;
  env.Options();
  TToolsMod tools;
  for (int start = 0; start < 2; ++start) {
    tools.WriteLog("START", -1);
    tools.WriteLog("run " + std::to_string(start), 0);
  }
  tools.WriteLog("END", 1);
  const std::string log = ReadAll(env.Root() + "Tavolin.log");
  EXPECT_EQ(CountOf(log, "Tavolin 1.00  (Build 1) / OS: "), 1);
  EXPECT_EQ(CountOf(log, "run 0"), 0);
  EXPECT_EQ(CountOf(log, "run 1"), 1);
  EXPECT_EQ(CountOf(log, "\r\n"), 4);  // header, START, run 1, END
  EXPECT_NE(log.find("} START\r\n"), std::string::npos);
  // A new log that cannot be written whole leaves the last one as it was.
  SetAtomicWriteFaultForTest(5);
  tools.WriteLog("START", -1);
  EXPECT_EQ(ReadAll(env.Root() + "Tavolin.log"), log);
}

TEST(ToolsLog, BeforeTheOptionsExistTheLogGoesToTheProgramFolder) {
  test::TestEnv env;
  const std::string saved = ProgramFolder();
  SetProgramFolder(env.Root() + "prog");
  MakeDirs(env.Root() + "prog");
  TToolsMod tools;
  EXPECT_EQ(tools.LogFilePath(), env.Root() + "prog/Tavolin.log");
  tools.WriteLog("early", 0);
  EXPECT_NE(ReadAll(env.Root() + "prog/Tavolin.log").find("early"), std::string::npos);
  SetProgramFolder(saved);
}

TEST(ToolsLog, TimeStampFormat) {
  EXPECT_EQ(LogTimeStamp(5, 3, 2007, 14, 2, 9), "{05.03.07 14:02:09} ");
  EXPECT_EQ(LogTimeStamp(31, 12, 2026, 0, 0, 0), "{31.12.26 00:00:00} ");
}

TEST(ToolsVersion, VersionTextJoinsMinorAndRelease) {
  TToolsMod tools;
  std::string v;
  tools.GetVersionString(v);
  EXPECT_EQ(v, std::to_string(TAVOLIN_VERSION_MAJOR) + "." +
                   std::to_string(TAVOLIN_VERSION_MINOR) +
                   std::to_string(TAVOLIN_VERSION_RELEASE));
  EXPECT_EQ(tools.GetOsText().rfind("OS: ", 0), 0u);
}

TEST(DataRoot, ProgramFolderWithDataWinsOverTheMachineSetting) {
  test::TestEnv env;
  const std::string saved = ProgramFolder();
  const std::string prog = env.Root() + "prog/";
  MakeDirs(prog);
  SetProgramFolder(prog);
  TToolsMod tools;
  EXPECT_EQ(tools.GetDataPath(), env.Root());  // from the machine setting
  WriteAll(prog + "Data", "an ordinary file counts too");
  EXPECT_EQ(tools.GetDataPath(), prog);
  RemoveFile(prog + "Data");
  env.machineSettings.DeleteKey(kRegAppPaths);
  EXPECT_EQ(tools.GetDataPath(), "");
  SetProgramFolder(saved);
}

TEST(DataRoot, TheEnvironmentVariableWinsOverTheMachineSettingButNotOverTheProgramFolder) {
  test::TestEnv env;
  const std::string saved = ProgramFolder();
  const std::string prog = env.Root() + "prog/";
  const std::string other = env.Root() + "anderswo";
  MakeDirs(prog);
  MakeDirs(other);
  SetProgramFolder(prog);
  setenv("TAVOLIN_DATA_ROOT", other.c_str(), 1);
  TToolsMod tools;
  EXPECT_EQ(tools.GetDataPath(), other + "/");
  EXPECT_EQ(DataRootFault(prog, FindDataRoot(prog)), "");
  WriteAll(prog + "Data", "");
  EXPECT_EQ(tools.GetDataPath(), prog);
  RemoveFile(prog + "Data");
  // A variable that names no folder is said, naming the variable, never passed over silently.
  setenv("TAVOLIN_DATA_ROOT", (other + "/fehlt").c_str(), 1);
  const std::string fault = DataRootFault(prog, FindDataRoot(prog));
  EXPECT_NE(fault.find("TAVOLIN_DATA_ROOT"), std::string::npos) << fault;
  EXPECT_NE(fault.find(other + "/fehlt/"), std::string::npos) << fault;
  unsetenv("TAVOLIN_DATA_ROOT");
  EXPECT_EQ(tools.GetDataPath(), env.Root());
  SetProgramFolder(saved);
}

TEST(DataRoot, AnOutdatedInstallationEndsTheProgramWithAMessage) {
  test::TestEnv env;
  env.userSettings.WriteString(kRegParam, "DATAPATH", "C:\\Alt\\");
  TToolsMod tools;
  tools.GetDataPath();
  EXPECT_EQ(env.exitCode, 0);
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, "{756}");
  EXPECT_EQ(env.messages.shown[0].title, "{755}");
}

TEST(ShellOpen, BareNamesComeFromTheProgramFolder) {
  test::TestEnv env;
  ShellOpenFile("Start.htm");
  ShellOpenFile("https://example.org/a?b=1");
  ShellOpenFile("C:\\Docs\\x.txt");
  ASSERT_EQ(env.shell.opened.size(), 3u);
  EXPECT_EQ(env.shell.opened[0], ProgramFolder() + "Start.htm");
  EXPECT_EQ(env.shell.opened[1], "https://example.org/a?b=1");
  EXPECT_TRUE(env.messages.shown.empty());
}

TEST(ShellOpen, AFailureNamesTheFileBetweenTwoTexts) {
  test::TestEnv env;
  env.shell.succeed = false;
  ShellOpenFile("/no/such/file.xyz");
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, "{185}/no/such/file.xyz{186}");
  EXPECT_EQ(env.messages.shown[0].title, "Fehler");
}

TEST(Launch, ProgramsStartAndOtherTargetsGoToTheShell) {
  test::TestEnv env;
  EXPECT_EQ(LaunchProgramOrUrl("", "x"), 0);
  EXPECT_EQ(LaunchProgramOrUrl("C:\\Tools\\calc.ExE", "-a b"), 1);
  ASSERT_EQ(env.launcher.started.size(), 1u);
  EXPECT_EQ(env.launcher.started[0].workDir, "C:\\Tools");
  EXPECT_EQ(env.launcher.started[0].arguments, "-a b");
  // A tool named without a folder is looked for on the search path from the program's folder;
  // its own name is no working folder.
  EXPECT_EQ(LaunchProgramOrUrl("gimp.exe", "bild.jpg"), 1);
  EXPECT_EQ(env.launcher.started.back().program, "gimp.exe");
  EXPECT_EQ(env.launcher.started.back().workDir, "");
  env.launcher.started.pop_back();
  EXPECT_EQ(LaunchProgramOrUrl("/bin/sh", ""), 1);  // an executable file is a program here
  EXPECT_EQ(env.launcher.started.size(), 2u);
  EXPECT_EQ(LaunchProgramOrUrl("https://example.org", ""), 1);
  EXPECT_EQ(env.shell.opened.size(), 1u);
}

TEST(Launch, AFailedStartReportsTheErrorWithoutUsingTheTextAsAFormat) {
  test::TestEnv env;
  env.launcher.succeed = false;
  env.launcher.failError = 13;
  EXPECT_EQ(LaunchProgramOrUrl("x.exe", ""), 0);
  ASSERT_EQ(env.messages.shown.size(), 1u);
  // Without language texts message 260 is "{260}"; the number is appended, and the system's
  // own words for it follow on a line of their own.
  EXPECT_EQ(env.messages.shown[0].text, std::string("{260} 13\n") + std::strerror(13));
}

TEST(WebSearchTest, UmlautsAreEscapedAndEveryHashReplaced) {
  test::TestEnv env;
  env.userSettings.WriteString(kRegParam, "LEXURL", "https://lex.example/#/q=#");
  env.Options();
  WebSearch("K\xE4se Gr\xFC\xDF");
  ASSERT_EQ(env.shell.opened.size(), 1u);
  EXPECT_EQ(env.shell.opened[0],
            "https://lex.example/K%C3%A4se Gr%C3%BC%C3%9F/q=K%C3%A4se Gr%C3%BC%C3%9F");
}

TEST(WebSearchTest, AnEmptyTemplateIsReported) {
  test::TestEnv env;
  env.userSettings.WriteString(kRegParam, "LEXURL", "");
  env.Options();
  WebSearch("x");
  EXPECT_TRUE(env.shell.opened.empty());
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, "{366}");
}

TEST(FileFunctions, SplitPath) {
  struct Case {
    const char* path;
    const char* folder;
    const char* name;
  } cases[] = {{"C:\\a\\b.jpg", "C:\\a\\", "b.jpg"},
               {"/srv/x/y.txt", "/srv/x/", "y.txt"},
               {"bare.txt", "", ""},
               {"a\\b", "", ""}};  // 4 characters or fewer
  for (const auto& c : cases) {
    std::string folder = "x", name = "y";
    SplitPath(c.path, folder, name);
    EXPECT_EQ(folder, c.folder) << c.path;
    EXPECT_EQ(name, c.name) << c.path;
  }
}

TEST(FileFunctions, PathExistsMatchesOrdinaryFilesAndWildcards) {
  test::TestEnv env;
  WriteAll(env.Root() + "Data/Kuchen.bok", "x");
  WriteAll(env.Root() + "Data/.hidden.bok", "x");
  EXPECT_TRUE(PathExists(env.Root() + "Data/Kuchen.bok"));
  EXPECT_TRUE(PathExists(env.Root() + "Data/*.bok"));
  EXPECT_TRUE(PathExists(env.Root() + "Data\\K?chen.bok"));
  EXPECT_FALSE(PathExists(env.Root() + "Data"));           // a folder
  EXPECT_FALSE(PathExists(env.Root() + "Data/.hidden.bok"));  // hidden
  EXPECT_FALSE(PathExists(env.Root() + "Data/*.idx"));
  // Names and wildcards ignore case, as every other file look-up does.
  EXPECT_TRUE(PathExists(env.Root() + "Data/*.BOK"));
  EXPECT_TRUE(PathExists(env.Root() + "Data/k?CHEN.Bok"));
  EXPECT_TRUE(PathExists(env.Root() + "Data/kuchen.bok"));
  EXPECT_FALSE(PathExists(env.Root() + "Data/*.HIDDEN.bok"));
}

TEST(FileFunctions, CopyFileBytesIsExact) {
  test::TestEnv env;
  std::string bytes;
  for (int i = 0; i < 1000; ++i) bytes += static_cast<char>(i * 7);
  WriteAll(env.Root() + "a.bin", bytes);
  EXPECT_TRUE(CopyFileBytes(env.Root() + "a.bin", env.Root() + "b.bin"));
  EXPECT_EQ(ReadAll(env.Root() + "b.bin"), bytes);
  EXPECT_FALSE(CopyFileBytes(env.Root() + "missing.bin", env.Root() + "c.bin"));
  EXPECT_FALSE(FileExists(env.Root() + "c.bin"));
  EXPECT_FALSE(CopyFileBytes(env.Root() + "a.bin", env.Root() + "no/such/folder/d.bin"));
  // A copy cut short leaves the old destination whole.
  WriteAll(env.Root() + "e.bin", "old");
  SetAtomicWriteFaultForTest(10);
  EXPECT_FALSE(CopyFileBytes(env.Root() + "a.bin", env.Root() + "e.bin"));
  EXPECT_EQ(ReadAll(env.Root() + "e.bin"), "old");
}

TEST(FileFunctions, CopyToUniquePictureKeepsTheWholeExtension) {
  test::TestEnv env;
  env.Options();
  WriteAll(env.Root() + "Pics/torte.jpeg", "JPEGDATA");
  std::string name = "torte.jpeg";
  ASSERT_TRUE(CopyToUniquePicture(name));
  EXPECT_NE(name, "torte.jpeg");
  ASSERT_EQ(name.size(), 8u + 5u);
  EXPECT_EQ(name.substr(8), ".jpeg");
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(name[i] >= 'a' && name[i] <= 'z');
  EXPECT_EQ(ReadAll(env.Root() + "Pics/" + name), "JPEGDATA");

  std::string shortName = "a.gi";
  EXPECT_FALSE(CopyToUniquePicture(shortName));
  EXPECT_EQ(shortName, "a.gi");
  std::string missing = "gone.jpg";
  EXPECT_FALSE(CopyToUniquePicture(missing));
  EXPECT_EQ(missing, "gone.jpg");  // a failed copy keeps the old name
}

TEST(FileFunctions, TakeFileIntoFolderNeverReplacesAnotherFile) {
  test::TestEnv env;
  const std::string folder = env.Root() + "Pics/Zutaten/";
  WriteAll(env.Root() + "Import/apfel.jpg", "APFEL");
  std::string name = "unchanged";
  ASSERT_TRUE(TakeFileIntoFolder(env.Root() + "Import/apfel.jpg", folder, name));
  EXPECT_EQ(name, "apfel.jpg");
  EXPECT_EQ(ReadAll(folder + "apfel.jpg"), "APFEL");
  // The same picture again: no second copy.
  ASSERT_TRUE(TakeFileIntoFolder(env.Root() + "Import/apfel.jpg", folder, name));
  EXPECT_EQ(name, "apfel.jpg");
  EXPECT_FALSE(FileExists(folder + "apfel-2.jpg"));
  // A different picture of that name goes beside it.
  WriteAll(env.Root() + "Export/apfel.jpg", "GRUENER APFEL");
  ASSERT_TRUE(TakeFileIntoFolder(env.Root() + "Export/apfel.jpg", folder, name));
  EXPECT_EQ(name, "apfel-2.jpg");
  EXPECT_EQ(ReadAll(folder + "apfel.jpg"), "APFEL");
  // A file of the folder itself (by any spelling of its path) stays as it is.
  ASSERT_TRUE(TakeFileIntoFolder(env.Root() + "Pics/../Pics/Zutaten/apfel-2.jpg", folder, name));
  EXPECT_EQ(name, "apfel-2.jpg");
  EXPECT_FALSE(FileExists(folder + "apfel-3.jpg"));
  name = "kept";
  EXPECT_FALSE(TakeFileIntoFolder(env.Root() + "Import/fehlt.jpg", folder, name));
  EXPECT_EQ(name, "kept");
}

TEST(FormPlacement, CentresAndKeepsOnScreen) {
  struct Case {
    int fl, ft, fw, fh, w, h, sw, sh, left, top;
  } cases[] = {
      {100, 100, 600, 400, 200, 100, 1920, 1080, 300, 250},
      {-500, -400, 200, 200, 100, 100, 1920, 1080, 0, 0},
      {1800, 1000, 400, 400, 300, 300, 1920, 1080, 1620, 780},
      {0, 0, 100, 100, 3000, 2000, 1920, 1080, -1080, -920},  // larger than the screen
  };
  for (const auto& c : cases) {
    const PlacedPoint p = CenterOnFormPosition(c.fl, c.ft, c.fw, c.fh, c.w, c.h, c.sw, c.sh);
    EXPECT_EQ(p.left, c.left);
    EXPECT_EQ(p.top, c.top);
  }
}

}  // namespace
}  // namespace tav
