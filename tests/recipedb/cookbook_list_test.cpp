#include <gtest/gtest.h>

#include "book_test_util.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "recipedb/index_file.h"

namespace tav {
namespace {

using namespace std::string_literals;

class Books : public ::testing::Test {
 protected:
  void SetUp() override {
    env.LoadLanguage("DE");
    env.Options();
    ctx().books = &books;
  }
  std::string Data() const { return env.DataFolder(); }
  void Book(const std::string& name, const std::string& inf) {
    test::WriteAll(Data() + name + ".bok", "TAVOLIN__1.01_DAT\r\n");
    if (!inf.empty()) test::WriteAll(Data() + name + ".inf", inf);
  }
  const KBOOK& Named(const std::string& name) {
    for (const KBOOK& b : books.Books())
      if (b.name == name) return b;
    static KBOOK none;
    ADD_FAILURE() << name;
    return none;
  }
  test::TestEnv env;
  CookbookList books;
};

TEST_F(Books, ScanKeepsTheFirstOfTwoEqualIdsAndGivesTheOtherANewOne) {
  Book("Alpha", "Erstes\r\n64302\r\n0\r\nalpha.bmp\r\n");
  Book("beta", "Zweites\r\n64302\r\n1\r\nbeta.bmp\r\n");
  Book("Gamma", "");  // no description file
  Book("Default", "\r\n1\r\n");
  test::WriteAll(Data() + "notes.txt", "x");
  books.ScanKBooks();
  ASSERT_EQ(books.Books().size(), 4u);
  EXPECT_EQ(books.Books()[0].name, "Alpha");  // sorted, case ignored
  EXPECT_EQ(books.Books()[1].name, "beta");
  EXPECT_EQ(books.Books()[2].name, "Default");
  EXPECT_EQ(Named("Alpha").bookId, -1234);
  const KBOOK beta = Named("beta");
  EXPECT_NE(beta.bookId, -1234);
  EXPECT_LE(beta.bookId, -2);
  EXPECT_EQ(test::ReadAll(Data() + "beta.inf"),
            "Zweites\r\n" + std::to_string(static_cast<uint16_t>(beta.bookId)) +
                "\r\n1\r\nbeta.bmp\r\n");
  const KBOOK gamma = Named("Gamma");
  EXPECT_EQ(gamma.description, "");
  EXPECT_EQ(gamma.toolbarFlag, 0);
  EXPECT_LE(gamma.bookId, -2);
  EXPECT_TRUE(FileExists(Data() + "Gamma.inf"));
  const KBOOK def = Named("Default");
  EXPECT_EQ(def.bookId, 1);
  EXPECT_EQ(def.toolbarFlag, 1);
  EXPECT_EQ(def.backgroundPicture, "");
  EXPECT_EQ(books.FindKBookId("Alpha"), 64302);
  EXPECT_EQ(books.FindKBookId("alpha"), -1);
  uint16_t all = kAllBookNames;
  std::string names;
  books.GetKBookName(all, names);
  EXPECT_EQ(all, 4);
  EXPECT_EQ(names, "Alpha\xA7" "beta\xA7" "Default\xA7" "Gamma");
  uint16_t id = static_cast<uint16_t>(-1234);
  books.GetKBookName(id, names);
  EXPECT_EQ(names, "Alpha");
}

TEST_F(Books, CountsCaptionAndSelection) {
  Book("Koch", "Meine Rezepte\r\n5\r\n1\r\n");
  REZINDEX e;
  std::string idx = NewIndexBytes();
  for (int i = 0; i < 3; ++i) {
    e.deleted = i == 1;
    idx.append(reinterpret_cast<const char*>(&e), sizeof e);
  }
  test::WriteAll(Data() + "Koch.idx", idx);
  books.ScanKBooks();
  EXPECT_EQ(books.CountKBookRecipes("Koch", false), 3);
  EXPECT_EQ(books.CountKBookRecipes("Koch", true), 2);
  EXPECT_EQ(books.CountKBookRecipes("Keins", false), 0);
  std::string caption = "x";
  books.GetAktKBookCaption(caption);
  EXPECT_EQ(caption, "");
  EXPECT_EQ(books.GetAktKBookId(), 0);
  test::FakeRecipeList list;
  ctx().recipeList = &list;
  EXPECT_FALSE(books.SelectKBook("koch"));
  EXPECT_TRUE(books.SelectKBook("Koch"));
  EXPECT_EQ(list.forgotten, 1);
  books.GetAktKBookCaption(caption);
  EXPECT_EQ(caption, "Koch (Meine Rezepte)");
  EXPECT_EQ(books.GetAktKBookId(), 5);
}

TEST_F(Books, CreatingABookNeverReplacesItsFiles) {
  // An index with counter 7 and a record file with a recipe's bytes already lie there.
  std::string idx = NewIndexBytes();
  idx[19] = 7;
  test::WriteAll(Data() + "Neu.idx", idx);
  test::WriteAll(Data() + "Neu.bok", "TAVOLIN__1.01_DAT\r\n#record bytes");
  books.ScanKBooks();
  KBOOK book;
  book.name = "Neu";
  book.description = "Neues Buch";
  book.toolbarFlag = 1;
  ASSERT_TRUE(books.CreateKBook(book));
  EXPECT_EQ(test::ReadAll(Data() + "Neu.idx"), idx);
  EXPECT_EQ(test::ReadAll(Data() + "Neu.bok"), "TAVOLIN__1.01_DAT\r\n#record bytes");
  EXPECT_EQ(books.Books().size(), 1u);  // listed once

  KBOOK fresh;
  fresh.name = "Leer";
  ASSERT_TRUE(books.CreateKBook(fresh));
  EXPECT_EQ(test::ReadAll(Data() + "Leer.bok"), "TAVOLIN__1.01_DAT\r\n");
  EXPECT_EQ(test::ReadAll(Data() + "Leer.idx"), NewIndexBytes());
  EXPECT_EQ(test::ReadAll(Data() + "Leer.inf"),
            "\r\n" + std::to_string(static_cast<uint16_t>(fresh.bookId)) + "\r\n0\r\n\r\n");
  EXPECT_EQ(books.Books()[0].name, "Leer");

  // A record file that cannot be made: message 166, and no book is listed.
  KBOOK bad;
  bad.name = "Fehlt/Unter";
  EXPECT_FALSE(books.CreateKBook(bad));
  EXPECT_EQ(env.messages.shown.at(0).text, GetLangText(166));
  EXPECT_EQ(books.Books().size(), 2u);
}

// The longest name on disk a book may have: every file the program makes for it, down to the
// temporary file of a kept copy of its damaged index, fits the file system's 255 bytes.
struct NameLengthCase {
  std::string name;
  bool fits;
};

TEST_F(Books, ANameTooLongForTheFileSystemMakesNoBook) {
  const std::string umlaut = "\xE4";  // two bytes on disk
  const NameLengthCase cases[] = {
      {std::string(229, 'k'), true},
      {std::string(230, 'k'), false},
      {std::string(227, 'k') + umlaut, true},
      {std::string(228, 'k') + umlaut, false},
      {std::string(246, 'k') + "\xE4\xF6\xFC", false},  // the name field's 249 characters
  };
  books.ScanKBooks();
  for (const NameLengthCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.name.size()) + " characters");
    env.messages.shown.clear();
    const std::vector<std::string> before = ListFolder(Data());
    KBOOK book;
    book.name = c.name;
    book.description = "Lang";
    EXPECT_EQ(books.CreateKBook(book), c.fits);
    EXPECT_EQ(books.FindKBookId(c.name) != -1, c.fits);
    if (!c.fits) {
      ASSERT_EQ(env.messages.shown.size(), 1u);
      EXPECT_EQ(env.messages.shown[0].text, GetLangText(166) + "\n" + GetLangText(1103));
      EXPECT_EQ(ListFolder(Data()), before);
      continue;
    }
    EXPECT_TRUE(env.messages.shown.empty());
    for (const char* ext : {".bok", ".idx", ".inf"})
      EXPECT_TRUE(FileExists(Data() + c.name + ext)) << ext;
    // The last of the kept copies of a damaged index is written under a temporary name too.
    const std::string index = Data() + c.name + ".idx";
    ASSERT_TRUE(WriteFileAtomic(index + ".damaged", "x"));
    for (int n = 2; n < 99; ++n)
      ASSERT_TRUE(WriteFileAtomic(index + ".damaged-" + std::to_string(n), "x"));
    EXPECT_EQ(KeepDamagedCopy(index), index + ".damaged-99");
    // ... and a description written anew.
    EXPECT_TRUE(CookbookList::WriteDescriptionFile(Data() + c.name + ".inf", book));
  }
  // A book is not renamed to a name that does not fit either.
  KBOOK kept;
  kept.name = "Kurz";
  ASSERT_TRUE(books.CreateKBook(kept));
  env.messages.shown.clear();
  EXPECT_FALSE(books.RenameKBookFiles("Kurz", std::string(230, 'k')));
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(766) + "\n" + GetLangText(1103));
  EXPECT_TRUE(FileExists(Data() + "Kurz.bok"));
}

TEST_F(Books, ADescriptionWithALineBreakKeepsTheBookId) {
  KBOOK book;
  book.name = "Umbruch";
  book.description = "Zeile eins\r\nZeile zwei";
  book.backgroundPicture = "bild\n.jpg";
  book.bookId = -1234;
  ASSERT_TRUE(CookbookList::WriteDescriptionFile(Data() + "Umbruch.inf", book));
  KBOOK back;
  ASSERT_TRUE(CookbookList::ReadDescriptionFile(Data() + "Umbruch.inf", back));
  EXPECT_EQ(back.bookId, -1234);
  EXPECT_EQ(back.description, "Zeile eins  Zeile zwei");
  EXPECT_EQ(back.backgroundPicture, "bild .jpg");
}

TEST_F(Books, NewIdsAvoidZeroAndMinusOne) {
  books.ScanKBooks();
  for (int i = 0; i < 300; ++i) {
    KBOOK b;
    b.name = "B" + std::to_string(i);
    ASSERT_TRUE(books.CreateKBook(b));
    EXPECT_LE(b.bookId, -2);
    EXPECT_GE(b.bookId, -32767);
  }
  std::vector<int16_t> ids;
  for (const KBOOK& b : books.Books()) ids.push_back(b.bookId);
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
}

TEST_F(Books, TheCurrentBookStaysCurrentWhenTheListIsSorted) {
  Book("Mitte", "\r\n10\r\n");
  books.ScanKBooks();
  ASSERT_TRUE(books.SelectKBook("Mitte"));
  KBOOK a;
  a.name = "Anfang";
  books.CreateKBook(a);
  EXPECT_EQ(books.GetAktKBookId(), 10);
  books.RemoveKBook(0);  // "Anfang"
  EXPECT_EQ(books.GetAktKBookId(), 10);
  EXPECT_FALSE(FileExists(Data() + "Anfang.bok"));
  books.RemoveKBook(0);  // the current book itself
  EXPECT_EQ(books.GetAktKBookId(), 0);
  EXPECT_TRUE(books.Books().empty());
}

TEST_F(Books, RenamingMovesAllThreeFilesOrNone) {
  Book("Alt", "Beschreibung\r\n77\r\n1\r\n");
  test::WriteAll(Data() + "Alt.idx", NewIndexBytes());
  books.ScanKBooks();
  ASSERT_TRUE(books.RenameKBookFiles("Alt", "Neu"));
  for (const char* ext : {".idx", ".bok", ".inf"}) {
    EXPECT_TRUE(FileExists(Data() + "Neu" + ext)) << ext;
    EXPECT_FALSE(FileExists(Data() + "Alt" + ext)) << ext;
  }
  // A target that is another book's file is refused; nothing moves.
  Book("Andere", "\r\n78\r\n");
  EXPECT_FALSE(books.RenameKBookFiles("Neu", "Andere"));
  EXPECT_EQ(env.messages.shown.at(0).text, GetLangText(766));
  EXPECT_TRUE(FileExists(Data() + "Neu.idx"));
  EXPECT_EQ(test::ReadAll(Data() + "Andere.inf"), "\r\n78\r\n");
  // A rename that fails half-way is undone.
  struct Failing : CookbookList {
    bool RenameBookFile(const std::string& from, const std::string& to) override {
      if (EndsWith(from, ".bok")) return false;
      return CookbookList::RenameBookFile(from, to);
    }
    static bool EndsWith(const std::string& s, const std::string& end) {
      return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
    }
  } failing;
  ctx().books = &failing;
  failing.ScanKBooks();
  EXPECT_FALSE(failing.RenameKBookFiles("Neu", "Dritte"));
  EXPECT_EQ(env.messages.shown.at(1).text, GetLangText(766));
  for (const char* ext : {".idx", ".bok", ".inf"}) {
    EXPECT_TRUE(FileExists(Data() + "Neu" + ext)) << ext;
    EXPECT_FALSE(FileExists(Data() + "Dritte" + ext)) << ext;
  }
  ctx().books = &books;
}

TEST_F(Books, TheDuplicateSearchBookOrderFollowsCreatedRenamedAndRemovedBooks) {
  Book("Alt", "\r\n77\r\n1\r\n");
  books.ScanKBooks();
  KBOOK first, second;
  first.name = "Neu";
  second.name = "Zwei";
  ASSERT_TRUE(books.CreateKBook(first));
  ASSERT_TRUE(books.CreateKBook(second));
  const std::vector<AUTODELKBOOK>& order = ctx().options->autoDelBooks;
  ASSERT_EQ(order.size(), 2u);
  EXPECT_EQ(order[0].name, "Neu");
  EXPECT_EQ(order[0].bookId, first.bookId);
  EXPECT_TRUE(order[0].neverDelete);
  ASSERT_TRUE(books.RenameKBookFiles("Neu", "Umbenannt"));
  EXPECT_EQ(order.at(0).name, "Umbenannt");
  EXPECT_EQ(env.userSettings.Read(kRegParam, "AutoDelName0"), "Umbenannt");
  for (size_t i = 0; i < books.Books().size(); ++i)
    if (books.Books()[i].name == "Zwei") books.RemoveKBook(static_cast<int>(i));
  ASSERT_EQ(order.size(), 1u);
  EXPECT_EQ(env.userSettings.Read(kRegParam, "AutoDelName1", "<none>"), "<none>");
  const std::vector<BookNameId> ids = books.BookNameIds();
  ASSERT_EQ(ids.size(), 2u);
  EXPECT_EQ(ids[0].name, "Alt");
  EXPECT_EQ(ids[0].id, 77);
}

TEST_F(Books, PicturesOfADeletedBook) {
  test::BookEnv b("Bilder");
  ctx().books = &b.books;
  b.env.Options().SetParaBool(50, true);
  std::string root = b.env.Root();
  test::WriteAll(root + "Pics/erstes.jpg", "x");
  test::WriteAll(root + "Pics/zweites.jpg", "x");
  test::WriteAll(root + "Data/outside.jpg", "x");
  REZBLOCK r = test::RichRecipe(1);
  r.pictures = {{'F', "erstes.jpg"}, {'F', "zweites.jpg"}};
  b.AddRecipe(r);
  REZBLOCK escape = test::RichRecipe(2);
  escape.pictures = {{'F', "../Data/outside.jpg"}};
  b.AddRecipe(escape);
  b.books.DeleteKBookPictures(b.store.BookId());
  EXPECT_FALSE(FileExists(root + "Pics/erstes.jpg"));
  EXPECT_TRUE(FileExists(root + "Pics/zweites.jpg"));  // only the first picture
  EXPECT_TRUE(FileExists(root + "Data/outside.jpg"));   // never outside the picture folder
}

// Follow-on books at the limit of option 74.
TEST_F(Books, FollowOnBooks) {
  env.Options().SetParaInt(74, 2);
  books.ScanKBooks();
  auto make = [&](const std::string& name, int live) {
    KBOOK k;
    k.name = name;
    ASSERT_TRUE(books.CreateKBook(k));
    std::string idx = NewIndexBytes();
    REZINDEX e;
    for (int i = 0; i < live; ++i) idx.append(reinterpret_cast<const char*>(&e), sizeof e);
    e.deleted = 1;  // deleted entries leave room
    idx.append(reinterpret_cast<const char*>(&e), sizeof e);
    test::WriteAll(Data() + name + ".idx", idx);
  };
  struct Case {
    std::vector<std::pair<std::string, int>> existing;
    std::string given, result;
    int count;
    int limit;
  } cases[] = {
      {{{"X", 2}}, "X", "X-2", 0, 2},                              // X-2 made
      {{{"X", 2}, {"X-2", 2}, {"X-3", 1}}, "X", "X-3", 1, 2},      // X-3 has room
      {{{"X", 2}, {"X-2", 2}, {"X-3", 2}}, "X", "X-4", 0, 2},      // X-3 full: X-4
      {{{"X", 2}, {"X-3", 2}}, "X-3", "X-4", 0, 2},                // the given book itself
      {{{"X", 1}, {"X-1", 2}}, "X-1", "X", 1, 2},                  // X-1 goes on in X
      {{{"X", 2}, {"X-2", 5}}, "X", "X-2", 5, 0},                  // no limit
      {{{"X", 2}, {"X-5", 2}, {"X-6", 0}}, "X-5", "X-6", 0, 2},    // probing starts above 5
      {{{"X2", 2}}, "X2", "X2-2", 0, 2},                           // digits without "-"
  };
  for (const Case& c : cases) {
    test::TempDir scratch;
    for (const std::string& f : ListFolder(Data()))
      if (f.find('.') != std::string::npos) RemoveFile(Data() + f);
    books.ScanKBooks();
    env.Options().SetParaInt(74, c.limit);
    for (const auto& [name, live] : c.existing) make(name, live);
    std::string name = c.given;
    const int count = books.GetContinuationKBook(name);
    EXPECT_EQ(name, c.result) << c.given;
    EXPECT_EQ(count, c.count) << c.given;
    EXPECT_TRUE(FileExists(Data() + name + ".idx")) << name;
    EXPECT_GE(books.FindKBookId(name), 0) << name;
  }
}

}  // namespace
}  // namespace tav
