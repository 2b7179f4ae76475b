// The editor's decisions without its window: the change test and storing an edited recipe into
// its book (record, index entry, old record deleted, in that order).
#include "recipes/recipe_edit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/paths.h"
#include "recipedb/book_test_util.h"
#include "recipedb/index_file.h"
#include "recipedb/record_file.h"
#include "recipedb/unit_table.h"
#include "services/options_store.h"

namespace tav {
namespace {

using test::ReadAll;

TEST(RecipeChanged, EveryStoredFieldCountsButNotTheBookKeeping) {
  test::TestEnv env;
  const REZBLOCK loaded = test::RichRecipe(1);
  struct Case {
    const char* what;
    std::function<void(REZBLOCK&)> change;
    bool changed;
  };
  const Case cases[] = {
      {"title case", [](REZBLOCK& r) { r.title = "REZEPT 1"; }, true},
      {"category", [](REZBLOCK& r) { r.categories[4] = 7; }, true},
      {"identifier", [](REZBLOCK& r) { r.recipeIdLow++; }, true},
      {"servings", [](REZBLOCK& r) { r.servings = 2; }, true},
      {"serving type", [](REZBLOCK& r) { r.servingType = "Personen"; }, true},
      {"quality", [](REZBLOCK& r) { r.quality = '5'; }, true},
      {"difficulty", [](REZBLOCK& r) { r.difficulty = '1'; }, true},
      {"card text", [](REZBLOCK& r) { r.cardText += "!"; }, true},
      {"points", [](REZBLOCK& r) { r.points = "8"; }, true},
      {"preparation text", [](REZBLOCK& r) { r.text += "x"; }, true},
      {"change date", [](REZBLOCK& r) { r.changedDate = "1.1.2020"; }, true},
      {"remark author", [](REZBLOCK& r) { r.remarks[1].author = "Oma"; }, true},
      {"one remark less", [](REZBLOCK& r) { r.remarks.pop_back(); }, true},
      {"picture kind", [](REZBLOCK& r) { r.pictures[1].kind = 'F'; }, true},
      {"nutrient value", [](REZBLOCK& r) { r.nutrients[1].value = "21"; }, true},
      {"line amount", [](REZBLOCK& r) { r.lines[3].amount = "9"; }, true},
      {"line grams", [](REZBLOCK& r) { r.lines[3].grams = 1; }, true},
      {"line food", [](REZBLOCK& r) { r.lines[3].blsCode = "X"; }, true},
      {"shopping flag", [](REZBLOCK& r) { r.lines[3].notOnShoppingList = 1; }, true},
      {"one line more", [](REZBLOCK& r) { r.lines.push_back({}); }, true},
      {"unit case only", [](REZBLOCK& r) { r.lines[0].unit = "el"; }, false},
      {"number", [](REZBLOCK& r) { r.number = 99; }, false},
      {"flags", [](REZBLOCK& r) { r.flags = kRecipeMenu; }, false},
      {"deleted", [](REZBLOCK& r) { r.deleted = 1; }, false},
      {"book id", [](REZBLOCK& r) { r.bookId = -3; }, false},
      {"menu courses", [](REZBLOCK& r) { r.courses.resize(2); }, false},
  };
  for (const Case& c : cases) {
    REZBLOCK work = loaded;
    c.change(work);
    EXPECT_EQ(RecipeChanged(work, loaded, {}), c.changed) << c.what;
  }
}

TEST(RecipeChanged, APendingPictureIsAChangeUntilItIsTheStoredOne) {
  REZBLOCK none;
  REZBLOCK with;
  with.pictures.push_back({'F', "kuchen.jpg"});
  PendingPicture chosen;
  chosen.chosenPath = "/home/anna/torte.jpg";
  PendingPicture removed;
  removed.removed = true;
  EXPECT_TRUE(RecipeChanged(none, none, chosen)) << "a first picture counts at once";
  EXPECT_TRUE(RecipeChanged(with, with, chosen));
  EXPECT_TRUE(RecipeChanged(with, with, removed));
  EXPECT_FALSE(RecipeChanged(none, none, removed)) << "nothing to remove";
  PendingPicture same;
  same.chosenPath = "kuchen.jpg";
  EXPECT_FALSE(RecipeChanged(with, with, same));
}

TEST(RecipeChanged, LoadingAloneIsNoChangeAndANewRecipeAlwaysIs) {
  test::TestEnv env;
  env.LoadLanguage("DE");
  OptionsStore& o = env.Options();
  o.SetParaString(10, "Tester");
  o.SetParaBool(77, true);
  o.SetParaString(72, "Kochheft");
  o.SetParaInt(17, 3);

  REZBLOCK r = test::RichRecipe(0);
  r.text = "ohne Zeilenende";
  PrepareLoadedRecipe(r);
  EXPECT_EQ(r.text, "ohne Zeilenende\n");
  EXPECT_EQ(r.changedBy, "Tester");
  EXPECT_EQ(r.changedDate, EditDateToday());
  const REZBLOCK baseline = r;
  EXPECT_FALSE(RecipeChanged(r, baseline, {}));

  REZBLOCK fresh = test::RichRecipe(4);
  ResetNewRecipe(fresh);
  EXPECT_EQ(fresh.source, "Kochheft");
  EXPECT_TRUE(fresh.lines.empty());
  const REZBLOCK before = fresh;
  FillNewRecipe(fresh);
  EXPECT_TRUE(RecipeChanged(fresh, before, {}));
  EXPECT_NE(fresh.recipeIdHigh, 0);
  EXPECT_EQ(fresh.servings, 3);
  EXPECT_EQ(fresh.createdBy, "Tester");
  ASSERT_EQ(fresh.remarks.size(), 1u);
  EXPECT_EQ(fresh.remarks[0].author, "Tester");
  EXPECT_TRUE(fresh.remarks[0].text.empty());
}

TEST(LinesOrServingsChanged, TheShoppingFlagDoesNotTouchTheNutrients) {
  const REZBLOCK loaded = test::RichRecipe(0);
  REZBLOCK work = loaded;
  work.lines[2].notOnShoppingList ^= 1;
  work.lines[2].unit = "el";
  work.title = "anders";
  EXPECT_FALSE(LinesOrServingsChanged(work, loaded));
  work.servings = 2;
  EXPECT_TRUE(LinesOrServingsChanged(work, loaded));
  work = loaded;
  work.lines[5].text = "Zucker";
  EXPECT_TRUE(LinesOrServingsChanged(work, loaded));
}

// Storing, over a real book.
class StoreEdited : public ::testing::Test {
 protected:
  test::BookEnv b{"Test"};
  std::string File(const char* ext) { return b.File("Test", ext); }
  char DeletedByte(const REZINDEX& e) {
    return ReadAll(File(".bok"))[static_cast<size_t>(e.offset) + kRecordDeletedPos];
  }
};

TEST_F(StoreEdited, ANewRecipeGetsOneNumberAndOneEntryHoweverOftenItIsSaved) {
  REZBLOCK r = test::RichRecipe(0);
  r.number = 0;
  r.flags = 0;
  EditedRecipeKey key;
  REZINDEX entry;
  ASSERT_TRUE(StoreEditedRecipe(r, key, entry));
  EXPECT_FALSE(key.isNew);
  EXPECT_EQ(key.number, r.number);
  EXPECT_EQ(entry.number, r.number);
  EXPECT_EQ(key.bookId, b.store.BookId());
  ASSERT_EQ(b.store.BookIndex().size(), 1u);

  r.title = "Zweiter Stand";
  ASSERT_TRUE(StoreEditedRecipe(r, key, entry));
  ASSERT_EQ(b.store.BookIndex().size(), 1u);
  EXPECT_EQ(CountIndexEntries(File(".idx"), false), 1);
  const REZINDEX stored = b.store.BookIndex()[0];
  EXPECT_EQ(stored.Title(), "Zweiter Stand");
  EXPECT_EQ(stored.number, key.number);
  EXPECT_EQ(stored.rewriteCount, 1);

  TdbList again;
  ctx().dbList = &again;
  again.ReloadBookIndex();
  REZBLOCK read;
  ASSERT_TRUE(again.ReadRezBlock("", nullptr, 0, read));
  ctx().dbList = &b.store;
  test::ExpectSameRecipe(r, read);
}

TEST_F(StoreEdited, AChangedRecipeIsIndexedBeforeItsOldRecordIsMarkedDeleted) {
  REZBLOCK r = test::RichRecipe(1);  // marked
  const REZINDEX old = b.AddRecipe(r);
  EditedRecipeKey key;
  key.isNew = false;
  key.bookId = b.store.BookId();
  key.number = old.number;
  key.loadedFlags = old.flags;
  r.title = "Neu";
  REZINDEX entry;
  ASSERT_TRUE(StoreEditedRecipe(r, key, entry));
  const REZINDEX now = b.store.BookIndex()[0];
  EXPECT_EQ(now.offset, entry.offset);
  EXPECT_GT(now.offset, old.offset);
  EXPECT_EQ(now.flags, kRecipeMarked);
  EXPECT_EQ(now.rewriteCount, 1);
  EXPECT_EQ(DeletedByte(old), 1);
  EXPECT_EQ(DeletedByte(now), 0);

  // The index cannot be written: the old record stays live and indexed, the new one is dead.
  r.title = "Noch neuer";
  const std::string idx = File(".idx");
  ASSERT_TRUE(RenameFile(idx, idx + ".keep"));
  ASSERT_TRUE(MakeDirs(idx));
  b.env.messages.shown.clear();
  EXPECT_FALSE(StoreEditedRecipe(r, key, entry));
  EXPECT_FALSE(b.env.messages.shown.empty());
  EXPECT_EQ(DeletedByte(now), 0) << "the indexed record is never marked";
  EXPECT_EQ(DeletedByte(entry), 1) << "the unindexed record cannot come back";
  EXPECT_EQ(b.store.BookIndex()[0].offset, now.offset) << "memory keeps what the file holds";
  std::filesystem::remove(idx);
  ASSERT_TRUE(RenameFile(idx + ".keep", idx));
  TdbList again;
  ctx().dbList = &again;
  again.ReloadBookIndex();
  EXPECT_EQ(again.BookIndex()[0].offset, now.offset);
  ctx().dbList = &b.store;
}

TEST_F(StoreEdited, AFailedRecordWriteChangesNothing) {
  REZBLOCK r = test::RichRecipe(0);
  const REZINDEX old = b.AddRecipe(r);
  const std::string bok = File(".bok");
  const std::string before = ReadAll(bok);
  const std::string idxBefore = ReadAll(File(".idx"));
  ASSERT_TRUE(RenameFile(bok, bok + ".keep"));
  ASSERT_TRUE(MakeDirs(bok));
  EditedRecipeKey key;
  key.isNew = false;
  key.bookId = b.store.BookId();
  key.number = old.number;
  REZINDEX entry;
  r.title = "Neu";
  EXPECT_FALSE(StoreEditedRecipe(r, key, entry));
  std::filesystem::remove(bok);
  ASSERT_TRUE(RenameFile(bok + ".keep", bok));
  EXPECT_EQ(ReadAll(bok), before);
  EXPECT_EQ(ReadAll(File(".idx")), idxBefore);
  EXPECT_EQ(b.store.BookIndex()[0].Title(), "Rezept 0");
}

TEST_F(StoreEdited, ARecipeOfAnotherBookIsStoredInItsOwnBook) {
  // Book "Zweit" holds the recipe; "Test" stays current.
  KBOOK other;
  other.name = "Zweit";
  ASSERT_TRUE(b.books.CreateKBook(other));
  const int16_t otherId = static_cast<int16_t>(b.books.FindKBookId("Zweit"));
  REZBLOCK r = test::RichRecipe(2);
  r.number = b.store.NextRecipeNumber("Zweit");
  int32_t offset = 0, length = 0;
  ASSERT_TRUE(b.store.WriteRezBlock("Zweit", r, offset, length));
  REZINDEX e = test::BookEnv::EntryFor(r, offset, length);
  ASSERT_TRUE(b.store.AppendIndexEntry("Zweit", e));
  const long long currentSize = FileSize(File(".bok"));

  EditedRecipeKey key;
  key.isNew = false;
  key.bookId = otherId;
  key.number = r.number;
  r.title = "Im anderen Buch";
  REZINDEX entry;
  ASSERT_TRUE(StoreEditedRecipe(r, key, entry));
  EXPECT_EQ(FileSize(File(".bok")), currentSize) << "the current book is not touched";
  REZINDEX stored;
  ASSERT_TRUE(b.store.ReadIndexEntryByKey(otherId, r.number, stored));
  EXPECT_EQ(stored.Title(), "Im anderen Buch");
  EXPECT_EQ(stored.rewriteCount, 1);
  EXPECT_EQ(ReadAll(b.File("Zweit", ".bok"))[static_cast<size_t>(offset) + kRecordDeletedPos], 1);
}

TEST(UnusableMealMasterUnits, ListsTheUnitsMealMasterLacks) {
  test::TestEnv env;
  env.LoadLanguage("DE");
  env.Options();
  test::WriteAll(env.Root() + "Data/DE/einheit.dat",
                 ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/einheit.dat"));
  UnitTable units;
  ASSERT_TRUE(units.ReadEinheiten());
  ctx().units = &units;
  REZBLOCK r;
  r.lines = {{"1", "EL", "Zucker", "", 0, 0},
             {"2", "E\xDFl", "Tee", "", 0, 0},
             {"2", "Btl", "Tee", "", 0, 0},
             {"1", "", "Ei", "", 0, 0},
             {"1", "et", "Salz", "", 0, 0}};
  EXPECT_EQ(UnusableMealMasterUnits(r), "E\xDFl, et") << "Btl has a Meal-Master unit";
  ctx().units = nullptr;
}

}  // namespace
}  // namespace tav
