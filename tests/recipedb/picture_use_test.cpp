// Picture files on the removal of a book: a file goes only when no recipe of another book names
// it any more.
#include <gtest/gtest.h>

#include "platform/paths.h"
#include "recipedb/book_test_util.h"
#include "recipedb/picture_use.h"

namespace tav {
namespace {

TEST(PictureUse, FilesOfThePictureFolderItself) {
  const struct {
    REZPICTURE p;
    bool own;
  } cases[] = {{{'F', "bild.jpg"}, true},        {{'U', "bild.jpg"}, false},
               {{'F', "sub/bild.jpg"}, false},   {{'F', "C:\\Bilder\\b.jpg"}, false},
               {{'F', ".."}, false},             {{'F', ""}, false}};
  for (const auto& c : cases) EXPECT_EQ(IsPictureFolderFile(c.p), c.own) << c.p.name;
}

// Book "Weg" is removed; "Bleibt" holds a live copy naming one file and a deleted recipe naming
// another, which can still be restored.
TEST(PictureUse, RemovingABookKeepsFilesOtherBooksName) {
  test::BookEnv b("Bleibt");
  b.env.Options().SetParaBool(50, true);
  const std::string pics = b.env.Root() + "Pics/";
  for (const char* f : {"geteilt.jpg", "geloescht.jpg", "allein.jpg"}) test::WriteAll(pics + f, "x");
  REZBLOCK copy = test::RichRecipe(1);
  copy.pictures = {{'F', "GETEILT.jpg"}};  // names compare without case
  b.AddRecipe(copy);
  REZBLOCK gone = test::RichRecipe(2);
  gone.pictures = {{'F', "geloescht.jpg"}};
  b.AddRecipe(gone);
  REZINDEX e = b.store.BookIndex()[1];
  e.deleted = 1;
  ASSERT_TRUE(b.store.WriteIndexEntry(e, 1));

  KBOOK weg;
  weg.name = "Weg";
  ASSERT_TRUE(b.books.CreateKBook(weg));
  b.env.Options().SetParaString(6, "Weg");
  b.books.SelectKBook("Weg");
  b.store.ReloadBookIndex();
  for (const char* f : {"geteilt.jpg", "geloescht.jpg", "allein.jpg"}) {
    REZBLOCK r = test::RichRecipe(3);
    r.pictures = {{'F', f}};
    b.AddRecipe(r);
  }
  int position = -1;
  for (size_t i = 0; i < b.books.Books().size(); ++i)
    if (b.books.Books()[i].name == "Weg") position = static_cast<int>(i);
  b.books.RemoveKBook(position);
  EXPECT_TRUE(FileExists(pics + "geteilt.jpg"));
  EXPECT_TRUE(FileExists(pics + "geloescht.jpg"));
  EXPECT_FALSE(FileExists(pics + "allein.jpg"));
  EXPECT_FALSE(FileExists(b.File("Weg", ".bok")));
}

TEST(PictureUse, ABookThatCannotBeReadKeepsEveryFile) {
  test::BookEnv b("Kaputt");
  b.env.Options().SetParaBool(50, true);
  const std::string pics = b.env.Root() + "Pics/";
  test::WriteAll(pics + "allein.jpg", "x");
  REZBLOCK r = test::RichRecipe(1);
  b.AddRecipe(r);
  // The other book's index points past the end of its record file.
  REZINDEX bad = b.store.BookIndex()[0];
  bad.offset = 1 << 20;
  ASSERT_TRUE(b.store.WriteIndexEntry(bad, 0));
  KBOOK weg;
  weg.name = "Weg";
  ASSERT_TRUE(b.books.CreateKBook(weg));
  RemoveUnusedPictures({"allein.jpg"}, b.books.Books(), "Weg");
  EXPECT_TRUE(FileExists(pics + "allein.jpg"));
  RemoveUnusedPictures({"allein.jpg"}, b.books.Books(), "Kaputt");
  EXPECT_FALSE(FileExists(pics + "allein.jpg"));
}

}  // namespace
}  // namespace tav
