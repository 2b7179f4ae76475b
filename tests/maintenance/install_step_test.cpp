// The install step leaves a newer build's tables as update files, so the first-start takeover
// asks the user; a new data root gets every table that way and shows the welcome.
#include <gtest/gtest.h>

#include "maintenance/data_takeover.h"
#include "platform/paths.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::TempDir;
using test::WriteAll;

std::string Install(const std::string& root, const std::string& config) {
  return test::CommandOutput("TAVOLIN_DATA_ROOT='" + root.substr(0, root.size() - 1) +
                             "' TAVOLIN_CONFIG_DIR='" + config + "' '" +
                             std::string(TAVOLIN_SOURCE_DIR) + "/scripts/install-data'");
}

TEST(InstallStep, NewRootThenAnUpdate) {
  TempDir dir;
  const std::string root = dir.Path() + "Tavolin/", config = dir.Path() + "config";
  Install(root, config);
  const std::string shipped = std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/";
  // A new root: the tables wait as update files, the rest is in place.
  EXPECT_EQ(ReadAll(root + "Data/DE/einheit.datu"), ReadAll(shipped + "einheit.dat"));
  EXPECT_FALSE(FileExists(root + "Data/DE/einheit.dat"));
  EXPECT_TRUE(FileExists(root + "Data/DE/GUI.klf"));
  EXPECT_TRUE(FileExists(root + "Data/DE/Umfrage.xml"));
  EXPECT_NE(ReadAll(config + "/machine.ini").find("DataPath=" + root), std::string::npos);
  DataTakeover fresh(root, root, nullptr);
  EXPECT_FALSE(fresh.IsOlderInstallation());
  std::array<bool, DataTakeover::kChoices> all{};
  all.fill(true);
  fresh.Run(all);
  EXPECT_EQ(ReadAll(root + "Data/DE/Gattung.dat"), ReadAll(shipped + "Gattung.dat"));

  // The user changes a table; a later build ships its own: the user's stays, the new one
  // waits beside it, and the takeover's marker is there.
  WriteAll(root + "Data/DE/Gattung.dat", "my own categories\r\n");
  WriteAll(root + "Data/DE/Lexika.ldt", "my lexicon\r\n");
  WriteAll(root + "Data/DE/CoolBoxes.dat", "my freezer\r\n");
  Install(root, config);
  EXPECT_FALSE(FileExists(root + "Data/DE/CoolBoxes.datu")) << "an inventory is never replaced";
  EXPECT_EQ(ReadAll(root + "Data/DE/Gattung.dat"), "my own categories\r\n");
  EXPECT_EQ(ReadAll(root + "Data/DE/Gattung.datu"), ReadAll(shipped + "Gattung.dat"));
  EXPECT_EQ(ReadAll(root + "Data/DE/Lexika.ldtu"), ReadAll(shipped + "Lexika.ldt"));
  EXPECT_FALSE(FileExists(root + "Data/DE/Zutaten.datu")) << "unchanged tables get none";
  EXPECT_TRUE(FileExists(FindFileNoCase(root + "Data/DE/Einheit.datu")));
  DataTakeover update(root, root, nullptr);
  EXPECT_TRUE(update.IsOlderInstallation());
}

}  // namespace
}  // namespace tav
