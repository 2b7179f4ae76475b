// The install step leaves the tables a newer build changed as update files, so the first-start
// takeover asks the user; a new data root gets every table that way and shows the welcome; the
// same build installed again offers nothing, whatever the user edited.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "maintenance/data_takeover.h"
#include "maintenance/file_tree.h"
#include "platform/paths.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::TempDir;
using test::WriteAll;

// Installs into `root` from the shipped data, or from `from` (a later build's data).
std::string Install(const std::string& root, const std::string& config,
                    const std::string& from = std::string()) {
  return test::CommandOutput(
      (from.empty() ? std::string() : "TAVOLIN_INSTALL_FROM='" + from + "' ") +
      "TAVOLIN_DATA_ROOT='" + root.substr(0, root.size() - 1) + "' TAVOLIN_CONFIG_DIR='" +
      config + "' '" + std::string(TAVOLIN_SOURCE_DIR) + "/scripts/install-data'");
}

// The takeover as the start runs it with the window's default choice (every box ticked).
void StartWithTheDefaultChoice(const std::string& root) {
  DataTakeover takeover(root, root, nullptr);
  std::array<bool, DataTakeover::kChoices> all{};
  all.fill(true);
  takeover.Run(all);
}

// Update files waiting below the root (their names end in "u").
std::vector<std::string> UpdateFiles(const std::string& root) {
  std::vector<std::string> out;
  for (const auto& [file, bytes] : test::Tree(root))
    if (file.back() == 'u' && file.rfind(".shipped/", 0) != 0) out.push_back(file);
  return out;
}

class InstallStep : public ::testing::Test {
 protected:
  TempDir dir;
  const std::string root = dir.Path() + "Tavolin/", config = dir.Path() + "config";
  const std::string shipped = std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/";
  const std::string de = root + "Data/DE/";
  // What the user added to the shipped tables after the first start.
  const std::string ownIngredient =
      "Bergk\xE4se#Bergk\xE4se#1#380#K#g~kg~Sk~#N#K#F900000##200\r\n";
  const std::string ownCategory = ">0099 Omas K\xFC" "che#\r\n";

  // A new root, taken over at the first start, then tables edited by the user.
  void FirstInstallationEdited() {
    Install(root, config);
    EXPECT_FALSE(DataTakeover(root, root, nullptr).IsOlderInstallation());
    StartWithTheDefaultChoice(root);
    WriteAll(root + "Version.txt", "Tavolin: 1.00\r\n");  // what every start writes
    EXPECT_EQ(ReadAll(de + "Gattung.dat"), ReadAll(shipped + "Gattung.dat"));
    WriteAll(de + "zutaten.dat", ReadAll(de + "zutaten.dat") + ownIngredient);
    WriteAll(de + "Gattung.dat", ReadAll(de + "Gattung.dat") + ownCategory);
  }
};

TEST_F(InstallStep, ANewRootGetsEveryTableAsAnUpdateFile) {
  Install(root, config);
  EXPECT_EQ(ReadAll(root + "Data/DE/einheit.datu"), ReadAll(shipped + "einheit.dat"));
  EXPECT_FALSE(FileExists(root + "Data/DE/einheit.dat"));
  EXPECT_TRUE(FileExists(root + "Data/DE/GUI.klf"));
  EXPECT_TRUE(FileExists(root + "Data/DE/Umfrage.xml"));
  EXPECT_NE(ReadAll(config + "/machine.ini").find("DataPath=" + root), std::string::npos);
  StartWithTheDefaultChoice(root);
  EXPECT_EQ(ReadAll(de + "Gattung.dat"), ReadAll(shipped + "Gattung.dat"));
  EXPECT_EQ(UpdateFiles(root), std::vector<std::string>());
  // Each language keeps its own lexicon.
  EXPECT_EQ(ReadAll(root + "Data/EN/Lexika.ldt"),
            ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/EN/Lexika.ldt"));
}

TEST_F(InstallStep, TheSameBuildAgainLeavesTheUsersTablesAlone) {
  FirstInstallationEdited();
  Install(root, config);
  EXPECT_EQ(UpdateFiles(root), std::vector<std::string>()) << "nothing to choose, no takeover";
  EXPECT_FALSE(FileExists(FindFileNoCase(de + "Einheit.datu")));
  StartWithTheDefaultChoice(root);
  EXPECT_NE(ReadAll(de + "zutaten.dat").find(ownIngredient), std::string::npos);
  EXPECT_NE(ReadAll(de + "Gattung.dat").find(ownCategory), std::string::npos);
}

TEST_F(InstallStep, ALaterBuildOffersOnlyTheTablesItChanged) {
  FirstInstallationEdited();
  WriteAll(de + "Lexika.ldt", "my lexicon\r\n");
  WriteAll(de + "CoolBoxes.dat", "my freezer\r\n");
  // The later build ships new categories and a new lexicon; its ingredient list and its
  // units are those installed before.
  TempDir later;
  const std::string from = later.Path() + "data";
  std::filesystem::copy(TAVOLIN_SHIPPED_DATA, from, std::filesystem::copy_options::recursive);
  const std::string newCategories = ReadAll(shipped + "Gattung.dat") + ">0098 Neu im Programm#\r\n";
  WriteAll(from + "/Data/DE/Gattung.dat", newCategories);
  WriteAll(from + "/Data/DE/Lexika.ldt", ReadAll(shipped + "Lexika.ldt") + "B1\r\n>Neu\r\nF0\r\nT\r\n#\r\n");
  WriteAll(from + "/Data/DE/CoolBoxes.dat", "shipped freezer\r\n");
  Install(root, config, from);
  EXPECT_EQ(ReadAll(de + "Gattung.datu"), newCategories);
  EXPECT_FALSE(FileExists(de + "CoolBoxes.datu")) << "an inventory is never replaced";
  // The marker of the takeover is the user's own unit table: taking it changes nothing.
  EXPECT_EQ(ReadAll(FindFileNoCase(de + "Einheit.datu")), ReadAll(FindFileNoCase(de + "Einheit.dat")));
  EXPECT_EQ(UpdateFiles(root),
            (std::vector<std::string>{"Data/DE/Gattung.datu", "Data/DE/Lexika.ldtu",
                                      "Data/DE/einheit.datu"}));
  EXPECT_TRUE(DataTakeover(root, root, nullptr).IsOlderInstallation());

  const std::string units = ReadAll(FindFileNoCase(de + "Einheit.dat"));
  StartWithTheDefaultChoice(root);
  EXPECT_NE(ReadAll(de + "zutaten.dat").find(ownIngredient), std::string::npos);
  EXPECT_EQ(ReadAll(FindFileNoCase(de + "Einheit.dat")), units);
  // A table replaced by the choice is kept.
  EXPECT_EQ(ReadAll(de + "Gattung.dat"), newCategories);
  EXPECT_NE(ReadAll(de + "Gattung.dat.bak").find(ownCategory), std::string::npos);
  EXPECT_EQ(ReadAll(de + "Lexika.ldt.bak"), "my lexicon\r\n");
  EXPECT_EQ(ReadAll(de + "CoolBoxes.dat"), "my freezer\r\n");
  EXPECT_EQ(UpdateFiles(root), std::vector<std::string>());

  // The same later build once more: nothing new to offer.
  Install(root, config, from);
  EXPECT_EQ(UpdateFiles(root), std::vector<std::string>());
}

}  // namespace
}  // namespace tav
