// A process killed before any one file change of saving a new or a changed recipe, importing,
// compressing or rebuilding the index: the book opens afterwards with every recipe that was
// saved, each once, and an index rebuild finds each once, at its newest version.
#include <gtest/gtest.h>

#include "book_test_util.h"
#include "kill_points.h"
#include "recipedb/book_appender.h"
#include "recipedb/book_compression.h"

namespace tav {
namespace {

using test::WantedBook;
using test::WornBook;

TEST(KillPoints, SavingANewRecipe) {
  test::ForEachKillPoint<WornBook>(
      [](WornBook&) { return [] { test::SaveNewRecipe("Neu", "Neuer Text"); }; },
      [](WornBook& b, int step) {
        WantedBook want = b.Wanted();
        want.texts["Neu"] = {"Neuer Text"};
        // Reported saved only when the save went through.
        if (step >= 0) want.optional.insert("Neu");
        test::ExpectBookOpensWhole(b, want);
      });
}

TEST(KillPoints, SavingAChangedRecipe) {
  test::ForEachKillPoint<WornBook>(
      [](WornBook& b) { return [&b] { test::SaveChangedText(b, 1, "Text 1, geändert"); }; },
      [](WornBook& b, int step) {
        WantedBook want = b.Wanted();
        if (step >= 0)
          want.texts["Rezept 1"].insert("Text 1, geändert");
        else
          want.texts["Rezept 1"] = {"Text 1, geändert"};
        test::ExpectBookOpensWhole(b, want);
      });
}

TEST(KillPoints, ImportingIntoABook) {
  test::ForEachKillPoint<WornBook>(
      [](WornBook& b) {
        return [&b] {
          BookAppender appender(b.store);
          ASSERT_TRUE(appender.Open("Test"));
          for (int i = 0; i < 3; ++i) {
            REZBLOCK r = test::RichRecipe(20 + i);
            r.title = "Import " + std::to_string(i);
            r.text = "Importiert";
            REZINDEX entry = test::BookEnv::EntryFor(r, 0, 0);
            appender.Append(r, entry);
          }
          appender.Close();
        };
      },
      [](WornBook& b, int step) {
        WantedBook want = b.Wanted();
        for (int i = 0; i < 3; ++i) {
          const std::string title = "Import " + std::to_string(i);
          want.texts[title] = {"Importiert"};
          if (step >= 0) want.optional.insert(title);
        }
        test::ExpectBookOpensWhole(b, want);
      });
}

TEST(KillPoints, CompressingABook) {
  test::ForEachKillPoint<WornBook>(
      [](WornBook&) {
        return [] {
          BookCompression c;
          c.ReorgKBook("Test");
        };
      },
      [](WornBook& b, int) { test::ExpectBookOpensWhole(b, b.Wanted()); });
}

TEST(KillPoints, RebuildingTheIndex) {
  test::ForEachKillPoint<test::TwoLiveVersions>(
      [](test::TwoLiveVersions& b) { return [&b] { b.store.RebuildIndex(); }; },
      [](test::TwoLiveVersions& b, int) { test::ExpectBookOpensWhole(b, b.Wanted()); });
}

}  // namespace
}  // namespace tav
