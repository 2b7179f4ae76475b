// The recipe picture of the editor: copying a chosen file into the pictures folder under a free
// name, deleting a replaced one, and fitting a picture into its frame.
#include "recipes/recipe_picture.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/paths.h"
#include "services/options_store.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

class RecipePicture : public ::testing::Test {
 protected:
  void SetUp() override {
    env.LoadLanguage("DE");
    env.Options();
  }
  std::string Pics() const { return env.Root() + "Pics/"; }
  std::string Source(const std::string& name, const std::string& bytes = "JPEG") {
    WriteAll(env.Root() + "Import/" + name, bytes);
    return env.Root() + "Import/" + name;
  }
  test::TestEnv env;
};

TEST_F(RecipePicture, AFreeNameKeepsTheFileName) {
  std::string path = Source("kuchen.jpg", "bytes of a cake");
  ASSERT_TRUE(CopyRecipePicture(path));
  EXPECT_EQ(path, "kuchen.jpg");
  EXPECT_EQ(ReadAll(Pics() + "kuchen.jpg"), "bytes of a cake");
}

TEST_F(RecipePicture, ATakenNameGetsThreeRandomLettersBeforeTheWholeExtension) {
  struct Case {
    const char* name;
    const char* base;
    const char* extension;
  };
  for (const Case c : {Case{"kuchen.jpeg", "kuchen", ".jpeg"}, Case{"a.jpg", "a", ".jpg"},
                       Case{"bild", "bild", ""}, Case{"foto.alt.bmp", "foto.alt", ".bmp"}}) {
    WriteAll(Pics() + c.name, "older picture");
    std::string path = Source(c.name, "new picture");
    ASSERT_TRUE(CopyRecipePicture(path)) << c.name;
    const std::string base = c.base, ext = c.extension;
    ASSERT_EQ(path.size(), base.size() + 4 + ext.size()) << path;
    EXPECT_EQ(path.substr(0, base.size() + 1), base + "_") << path;
    for (size_t i = base.size() + 1; i < base.size() + 4; ++i)
      EXPECT_TRUE(path[i] >= 'a' && path[i] <= 'z') << path;
    EXPECT_EQ(path.substr(base.size() + 4), ext) << path;
    EXPECT_EQ(ReadAll(Pics() + path), "new picture");
    EXPECT_EQ(ReadAll(Pics() + c.name), "older picture") << "never overwritten";
  }
}

TEST_F(RecipePicture, FailuresLeaveNoPictureBehind) {
  std::string missing = env.Root() + "Import/fehlt.jpg";
  EXPECT_FALSE(CopyRecipePicture(missing));
  EXPECT_EQ(missing, env.Root() + "Import/fehlt.jpg") << "unchanged for a missing source";
  EXPECT_TRUE(env.messages.shown.empty());

  // The pictures folder cannot take files: message 402 with the target, and no name.
  std::filesystem::remove_all(Pics());
  WriteAll(env.Root() + "Pics", "a file where the folder belongs");
  std::string path = Source("kuchen.jpg");
  EXPECT_FALSE(CopyRecipePicture(path));
  EXPECT_TRUE(path.empty());
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(402) + "\n" + Pics() + "kuchen.jpg");
  EXPECT_EQ(env.messages.shown[0].title, GetLangText(15));
}

TEST_F(RecipePicture, OnlyACopiedFileOfThePicturesFolderIsDeleted) {
  struct Case {
    bool copyOption;
    char kind;
    const char* name;
    bool deleted;
  };
  for (const Case c : {Case{true, 'F', "weg.jpg", true}, Case{false, 'F', "weg.jpg", false},
                       Case{true, 'U', "weg.jpg", false}, Case{true, 'F', "../weg.jpg", false}}) {
    env.Options().SetParaBool(50, c.copyOption);
    WriteAll(Pics() + "weg.jpg", "x");
    WriteAll(env.Root() + "weg.jpg", "x");
    REZBLOCK r;
    r.pictures.push_back({c.kind, c.name});
    DeleteRecipePicture(r);
    EXPECT_EQ(!FileExists(Pics() + "weg.jpg"), c.deleted) << c.kind << c.name << c.copyOption;
    EXPECT_TRUE(FileExists(env.Root() + "weg.jpg")) << "nothing outside the folder";
  }
}

TEST(RecipePicturePath, NamesWithAFolderAreTakenAsTheyAre) {
  test::TestEnv env;
  env.Options();
  EXPECT_TRUE(IsAbsolutePictureName("C:\\Bilder\\k.jpg"));
  EXPECT_TRUE(IsAbsolutePictureName("/home/anna/k.jpg"));
  EXPECT_FALSE(IsAbsolutePictureName("k.jpg"));
  EXPECT_EQ(RecipePicturePath("k.jpg"), env.Root() + "Pics/k.jpg");
  EXPECT_EQ(RecipePicturePath("/home/anna/k.jpg"), "/home/anna/k.jpg");
}

TEST(FitPictureBox, KeepsTheProportionsAndCentres) {
  PictureBox box;
  // A tall picture in a wide frame: full height, centred across.
  ASSERT_TRUE(FitPictureBox(153, 105, 100, 200, box));
  EXPECT_EQ(box.height, 105);
  EXPECT_EQ(box.width, 52);
  EXPECT_EQ(box.left, 76 - 26);
  EXPECT_EQ(box.top, 0);
  // A wide picture: full width, centred from top to bottom.
  ASSERT_TRUE(FitPictureBox(153, 105, 400, 100, box));
  EXPECT_EQ(box.width, 153);
  EXPECT_EQ(box.height, 38);
  EXPECT_EQ(box.top, 52 - 19);
  EXPECT_EQ(box.left, 0);
  PictureBox untouched;
  untouched.width = 9;
  EXPECT_FALSE(FitPictureBox(153, 0, 400, 100, untouched));
  EXPECT_FALSE(FitPictureBox(153, 105, 400, 0, untouched));
  EXPECT_EQ(untouched.width, 9);
}

}  // namespace
}  // namespace tav
