// The portion units file: read and written back byte for byte, its edge cases, a failed write.
#include <gtest/gtest.h>

#include "platform/paths.h"
#include "platform/settings_store.h"
#include "recipes/portion_units.h"
#include "services/options_store.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

class PortionUnitsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    env.userSettings.WriteString(kRegParam, "AktLanguage", "DE");
    env.Options();
  }
  std::string Path() { return env.Root() + "Data/DE/Portions.dat"; }
  test::TestEnv env;
};

TEST_F(PortionUnitsFile, ShippedFilesReadAndWrittenBackAreByteIdentical) {
  for (const char* lang : {"DE", "EN"}) {
    SCOPED_TRACE(lang);
    const std::string shipped =
        ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + lang + "/Portions.dat");
    ASSERT_FALSE(shipped.empty());
    WriteAll(Path(), shipped);
    PortionUnits p;
    p.LoadPortionUnits();
    EXPECT_GE(p.names.size(), 10u);
    for (const std::string& n : p.names) EXPECT_FALSE(n.empty());
    WriteAll(Path(), "");
    ASSERT_TRUE(PortionUnits::SavePortionUnits(p.names));
    EXPECT_EQ(ReadAll(Path()), shipped);
  }
}

TEST_F(PortionUnitsFile, MissingFileGivesNoNamesAndOneEmptyRowWritesOneEmptyLine) {
  PortionUnits p;
  p.names = {"alt"};
  p.LoadPortionUnits();
  EXPECT_TRUE(p.names.empty());

  ASSERT_TRUE(PortionUnits::SavePortionUnits({""}));
  EXPECT_EQ(ReadAll(Path()), "\r\n");
  p.LoadPortionUnits();
  EXPECT_EQ(p.names, std::vector<std::string>{""});
}

TEST_F(PortionUnitsFile, LinesAreTakenAsTheyStand) {
  // LF and CR LF ends, empty and repeated names, a last line without a break, a long line that
  // comes in pieces of 998 characters.
  const std::string longName(998 + 10, 'x');
  WriteAll(Path(), "Personen\n\r\nPersonen\r\n" + longName + "\r\nSt\xFC" "ck");
  PortionUnits p;
  p.LoadPortionUnits();
  EXPECT_EQ(p.names, (std::vector<std::string>{"Personen", "", "Personen",
                                                std::string(998, 'x'), std::string(10, 'x'),
                                                "St\xFC" "ck"}));
  WriteAll(Path(), std::string(998, 'y') + "\r\n");
  p.LoadPortionUnits();
  EXPECT_EQ(p.names, std::vector<std::string>{std::string(998, 'y')});
}

TEST_F(PortionUnitsFile, FailedWriteSaysSoAndLeavesTheFile) {
  MakeDirs(Path());  // a folder in the file's place cannot be replaced
  EXPECT_FALSE(PortionUnits::SavePortionUnits({"Personen"}));
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, "{528}");
  EXPECT_TRUE(DirExists(Path()));
}

}  // namespace
}  // namespace tav
