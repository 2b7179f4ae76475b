// An import killed before any one of its file changes: the target book opens with each imported
// recipe at most once, and an index rebuild brings back none whose entry was never written.
#include <gtest/gtest.h>

#include "import_test_support.h"
#include "recipedb/kill_points.h"

namespace tav {
namespace {

TEST(ImportKillPoints, AMealMasterFileIntoABook) {
  // What the whole import stores, title by title.
  test::WantedBook all;
  {
    test::ImportEnv reference;
    ASSERT_EQ(reference.ImportFixture("mealmaster_cp437_crlf.mm"), 2);
    for (const REZBLOCK& r : reference.Recipes("Ziel")) all.texts[r.title].insert(r.text);
  }
  ASSERT_EQ(all.texts.size(), 2u);
  test::ForEachKillPoint<test::ImportEnv>(
      [](test::ImportEnv& b) { return [&b] { b.ImportFixture("mealmaster_cp437_crlf.mm"); }; },
      [&all](test::ImportEnv& b, int step) {
        test::WantedBook want = all;
        if (step >= 0)
          for (const auto& [title, texts] : all.texts) want.optional.insert(title);
        test::ExpectBookOpensWhole(b, want);
      });
}

}  // namespace
}  // namespace tav
