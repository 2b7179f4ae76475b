// A lost machine (a power loss, a system crash) at any step of saving a new or a changed recipe,
// importing, compressing, rebuilding the index or writing a whole-file store: what was written
// since the last sync is gone (or, where no barrier forbids it, reached the disk on its own),
// and the book still opens with every recipe it held; once the operation has reported its work
// done, that work is there too. A sync that fails is a failed write, said to the user.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <set>

#include "book_test_util.h"
#include "kill_points.h"
#include "platform/file_change.h"
#include "power_loss.h"
#include "recipedb/book_appender.h"
#include "recipedb/book_compression.h"
#include "recipedb/category_table.h"
#include "services/options_store.h"

namespace tav {
namespace {

using test::BookEnv;
using test::PowerLossRun;
using test::WantedBook;
using test::WornBook;

std::string DataOf(BookEnv& b) { return b.Data(); }

// The live recipes' numbers by title, as the book's index holds them.
std::map<std::string, int32_t> NumbersByTitle(const TdbList& store) {
  std::map<std::string, int32_t> numbers;
  for (const REZINDEX& e : store.BookIndex())
    if (e.deleted == 0) numbers[e.Title()] = e.number;
  return numbers;
}

TEST(PowerLoss, SavingANewRecipe) {
  WornBook b;
  const PowerLossRun run =
      test::RunUntilLoss(b.Data(), [] { return test::SaveNewRecipe("Neu", "Neuer Text"); });
  ASSERT_TRUE(run.reported);
  EXPECT_TRUE(run.messages.empty());
  test::ForEachLoss<BookEnv>(run, DataOf, [&](BookEnv& fresh, bool after) {
    WantedBook want = b.Wanted();
    want.texts["Neu"] = {"Neuer Text"};
    if (!after) want.optional.insert("Neu");
    test::ExpectBookOpensWhole(fresh, want);
  });
}

TEST(PowerLoss, SavingAChangedRecipe) {
  WornBook b;
  const PowerLossRun run = test::RunUntilLoss(
      b.Data(), [&b] { return test::SaveChangedText(b, 1, "Text 1, ge\xE4ndert"); });
  ASSERT_TRUE(run.reported);
  EXPECT_TRUE(run.messages.empty());
  test::ForEachLoss<BookEnv>(run, DataOf, [&](BookEnv& fresh, bool after) {
    WantedBook want = b.Wanted();
    if (after)
      want.texts["Rezept 1"] = {"Text 1, ge\xE4ndert"};
    else
      want.texts["Rezept 1"].insert("Text 1, ge\xE4ndert");
    test::ExpectBookOpensWhole(fresh, want);
  });
}

// A bulk change: the three live recipes saved with a new text in one go, the syncs that keep no
// order put off to its end. True when every one was saved.
bool ChangeThreeInOneGo(WornBook& b) {
  DeferredBookSyncs syncs;
  bool ok = true;
  for (int i = 0; i < 3; ++i) ok = test::SaveChangedText(b, i, "Neu " + std::to_string(i)) && ok;
  return syncs.Finish() && ok;
}

TEST(PowerLoss, ChangingManyRecipesInOneGo) {
  WornBook b;
  const PowerLossRun run = test::RunUntilLoss(b.Data(), [&b] { return ChangeThreeInOneGo(b); });
  ASSERT_TRUE(run.reported);
  EXPECT_TRUE(run.messages.empty());
  EXPECT_EQ(run.syncs, 5);  // each new record before its entry; then the index, the records
  test::ForEachLoss<BookEnv>(run, DataOf, [&](BookEnv& fresh, bool after) {
    WantedBook want = b.Wanted();
    for (int i = 0; i < 3; ++i) {
      std::set<std::string>& texts = want.texts[b.recipes[static_cast<size_t>(i)].title];
      if (after) texts.clear();
      texts.insert("Neu " + std::to_string(i));
    }
    test::ExpectBookOpensWhole(fresh, want);
  });
}

// Imports `count` recipes ("Import 0" ...) into the book "Test"; true when every one was stored.
bool ImportRecipes(TdbList& store, int count, long long syncBytes) {
  BookAppender appender(store, syncBytes);
  if (!appender.Open("Test")) return false;
  bool ok = true;
  for (int i = 0; i < count; ++i) {
    REZBLOCK r = test::RichRecipe(20 + i);
    r.title = "Import " + std::to_string(i);
    r.text = "Importiert";
    REZINDEX entry = BookEnv::EntryFor(r, 0, 0);
    ok = appender.Append(r, entry) && ok;
  }
  return appender.Close() && ok;
}

TEST(PowerLoss, ImportingIntoABook) {
  WornBook b;
  constexpr int kImported = 900;  // some 750 KB of records: flushed more than once here
  const PowerLossRun run =
      test::RunUntilLoss(b.Data(), [&b] { return ImportRecipes(b.store, kImported, 128 << 10); });
  ASSERT_TRUE(run.reported);
  EXPECT_TRUE(run.messages.empty());
  EXPECT_GE(run.syncs, 5);  // two for each of the flushes, one at the end
  test::ForEachLoss<BookEnv>(run, DataOf, [&](BookEnv& fresh, bool after) {
    WantedBook want = b.Wanted();
    for (int i = 0; i < kImported; ++i) {
      const std::string title = "Import " + std::to_string(i);
      want.texts[title] = {"Importiert"};
      if (!after) want.optional.insert(title);
    }
    test::ExpectBookOpensWhole(fresh, want);
  });
}

TEST(PowerLoss, AnImportOfAFewMegabytesSyncsThreeTimes) {
  WornBook b;
  int syncs = 0;
  SetSyncFaultForTest([&syncs](std::string_view) {
    ++syncs;
    return false;
  });
  EXPECT_TRUE(ImportRecipes(b.store, 3000, 8 << 20));  // 2.5 MB
  SetSyncFaultForTest({});
  EXPECT_EQ(syncs, 3);  // the records, their entries, the records live
  b.store.ReloadBookIndex();
  EXPECT_EQ(b.list.items.size(), 3003u);
}

TEST(PowerLoss, CompressingABook) {
  WornBook b;
  const size_t worn = test::ReadAll(b.File("Test", ".bok")).size();
  const PowerLossRun run = test::RunUntilLoss(b.Data(), [] {
    BookCompression c;
    return !c.ReorgKBook("Test");  // true means the copying failed
  });
  ASSERT_TRUE(run.reported);
  EXPECT_TRUE(run.messages.empty());
  const std::string compressed = test::ReadAll(b.File("Test", ".bok"));
  ASSERT_LT(compressed.size(), worn);  // the old version and the deleted recipe are gone
  test::ForEachLoss<BookEnv>(run, DataOf, [&](BookEnv& fresh, bool after) {
    test::ExpectBookOpensWhole(fresh, b.Wanted());
    // Once said done, the compressed book is the book (the rebuild above writes numbers only
    // where they differ, and they do not).
    if (after) {
      EXPECT_EQ(test::ReadAll(fresh.File("Test", ".bok")), compressed);
    }
  });
}

TEST(PowerLoss, RebuildingTheIndexKeepsEveryNumber) {
  test::TwoLiveVersions b;
  const std::map<std::string, int32_t> before = NumbersByTitle(b.store);
  const PowerLossRun run = test::RunUntilLoss(b.Data(), [&b] { return b.store.RebuildIndex(); });
  ASSERT_TRUE(run.reported);
  EXPECT_TRUE(run.messages.empty());
  test::ForEachLoss<BookEnv>(run, DataOf, [&](BookEnv& fresh, bool) {
    test::ExpectBookOpensWhole(fresh, b.Wanted());
    EXPECT_EQ(NumbersByTitle(fresh.store), before);
  });
}

// The category table, a store that is written as a whole file.
struct CategoryBook {
  CategoryBook() {
    env.userSettings.WriteString(kRegParam, "AktLanguage", "DE");
    env.Options();
    ctx().categories = &table;
  }
  test::TestEnv env;
  CategoryTable table;
};

std::vector<std::string> CategoryNames(const CategoryTable& table) {
  std::vector<std::string> names;
  for (const REZGATT& g : table.gatt) names.push_back(g.name);
  return names;
}

TEST(PowerLoss, WritingAWholeFileStore) {
  CategoryBook b;
  b.table.gatt = {{"Suppen", "soup.bmp", 1, REZGATT::kMain, {}},
                  {"Fisch", "", 3, REZGATT::kMain, {}},
                  {"Br\xFChen", "", 12, REZGATT::kSub, {1, 3}}};
  ASSERT_TRUE(b.table.WriteGattungen());
  const std::vector<std::string> old = CategoryNames(b.table);
  b.table.gatt.push_back({"Gem\xFCse", "", 4, REZGATT::kMain, {}});
  b.table.gatt.push_back({"Verschiedenes", "", 13, REZGATT::kFree, {}});
  const std::vector<std::string> wanted = CategoryNames(b.table);
  const std::string folder = b.env.DataFolder() + "DE/";
  const PowerLossRun run = test::RunUntilLoss(folder, [&b] { return b.table.WriteGattungen(); });
  ASSERT_TRUE(run.reported);
  test::ForEachLoss<CategoryBook>(
      run, [](CategoryBook& fresh) { return fresh.env.DataFolder() + "DE/"; },
      [&](CategoryBook& fresh, bool after) {
        fresh.table.ReadGattungen();
        const std::vector<std::string> read = CategoryNames(fresh.table);
        if (after) {
          EXPECT_EQ(read, wanted);
        } else {
          EXPECT_TRUE(read == old || read == wanted) << read.size() << " categories";
        }
      });
}

// What each operation makes the user told, when one of its syncs fails: the operation, its
// book, and the messages a failed write of it gives.
struct SyncFaultCase {
  const char* name;
  std::function<bool(WornBook&)> op;           // true: reported done
  std::function<void(WornBook&, WantedBook&, bool reported)> want;
};

const SyncFaultCase kSyncFaultCases[] = {
    {"saving a new recipe", [](WornBook&) { return test::SaveNewRecipe("Neu", "Neuer Text"); },
     [](WornBook&, WantedBook& want, bool reported) {
       want.texts["Neu"] = {"Neuer Text"};
       if (!reported) want.optional.insert("Neu");
     }},
    {"saving a changed recipe",
     [](WornBook& b) { return test::SaveChangedText(b, 1, "Text 1, neu"); },
     [](WornBook&, WantedBook& want, bool reported) {
       if (reported)
         want.texts["Rezept 1"] = {"Text 1, neu"};
       else
         want.texts["Rezept 1"].insert("Text 1, neu");
     }},
    {"importing", [](WornBook& b) { return ImportRecipes(b.store, 3, 8 << 20); },
     [](WornBook&, WantedBook& want, bool reported) {
       for (int i = 0; i < 3; ++i) {
         const std::string title = "Import " + std::to_string(i);
         want.texts[title] = {"Importiert"};
         if (!reported) want.optional.insert(title);
       }
     }},
    {"changing three recipes in one go", ChangeThreeInOneGo,
     [](WornBook& b, WantedBook& want, bool reported) {
       for (int i = 0; i < 3; ++i) {
         std::set<std::string>& texts = want.texts[b.recipes[static_cast<size_t>(i)].title];
         if (reported) texts.clear();
         texts.insert("Neu " + std::to_string(i));
       }
     }},
    {"compressing",
     [](WornBook&) {
       BookCompression c;
       return !c.ReorgKBook("Test");
     },
     [](WornBook&, WantedBook&, bool) {}},
    {"rebuilding the index", [](WornBook& b) { return b.store.RebuildIndex(); },
     [](WornBook&, WantedBook&, bool) {}},
};

TEST(SyncFaults, AFailedSyncIsAFailedWriteAndSaid) {
  for (const SyncFaultCase& c : kSyncFaultCases) {
    SCOPED_TRACE(c.name);
    int syncs = 0;
    {
      WornBook b;
      SetSyncFaultForTest([&syncs](std::string_view) {
        ++syncs;
        return false;
      });
      ASSERT_TRUE(c.op(b));
      SetSyncFaultForTest({});
      EXPECT_TRUE(b.env.messages.shown.empty());
    }
    ASSERT_GT(syncs, 0);
    for (int k = 0; k < syncs; ++k) {
      SCOPED_TRACE("sync " + std::to_string(k) + " of " + std::to_string(syncs) + " fails");
      WornBook b;
      int seen = 0;
      SetSyncFaultForTest([&seen, k](std::string_view) { return seen++ == k; });
      const bool reported = c.op(b);
      SetSyncFaultForTest({});
      // Never quiet: the user hears of the failed write, whether or not the work went on.
      ASSERT_FALSE(b.env.messages.shown.empty());
      WantedBook want = b.Wanted();
      c.want(b, want, reported);
      test::ExpectBookOpensWhole(b, want);
      if (HasFatalFailure()) return;
    }
  }
}

}  // namespace
}  // namespace tav
