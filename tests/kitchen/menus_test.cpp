// Menus: the course list coded into a menu's hint, the course types of MenuTypes.dat, storing
// a menu as a recipe of its book (new and changed), and the menu card page.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "kitchen/menus/menu_card.h"
#include "kitchen/menus/menu_courses.h"
#include "kitchen/menus/menu_plan.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "recipedb/book_test_util.h"
#include "recipedb/index_file.h"
#include "recipedb/recipe_records.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

MN_RECIPE Course(const std::string& title, const std::string& type, const std::string& desc,
                 int32_t book, int32_t number, int32_t persons, const std::string& serving) {
  MN_RECIPE c;
  c.printTitle = title;
  c.courseType = type;
  c.description = desc;
  c.bookId = book;
  c.number = number;
  c.persons = persons;
  c.servingType = serving;
  return c;
}

void ExpectSameCourses(const std::vector<MN_RECIPE>& a, const std::vector<MN_RECIPE>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].printTitle, b[i].printTitle) << i;
    EXPECT_EQ(a[i].courseType, b[i].courseType) << i;
    EXPECT_EQ(a[i].description, b[i].description) << i;
    EXPECT_EQ(a[i].reservedA, b[i].reservedA) << i;
    EXPECT_EQ(a[i].reservedB, b[i].reservedB) << i;
    EXPECT_EQ(a[i].number, b[i].number) << i;
    EXPECT_EQ(static_cast<uint16_t>(a[i].bookId), static_cast<uint16_t>(b[i].bookId)) << i;
    EXPECT_EQ(a[i].persons, b[i].persons) << i;
    EXPECT_EQ(a[i].servingType, b[i].servingType) << i;
  }
}

TEST(CourseList, WrittenAndReadBack) {
  const std::vector<MN_RECIPE> courses = {
      Course("Suppe #1 mit Br\xF6tchen", "Vorspeise", "hei\xDF servieren\r\nmit Schnittlauch", 3,
             17, 6, "Teller"),
      Course("Rinderbraten", "", "", 40000, 2, 4, ""),
      Course("", "Dessert", "", 0, -1, -3,
             "St\xFC"
             "ck")};
  const std::string text = CourseListText(courses);
  const std::string head = "3#17#0#0#6#Teller#Vorspeise#Suppe #1 mit Br\xF6tchen#\xA7#";
  EXPECT_EQ(text.substr(0, head.size()), head);
  EXPECT_NE(text.find("40000#2#0#0#4###Rinderbraten#\xA7##"), std::string::npos);
  ExpectSameCourses(ParseCourseList(text), courses);
}

TEST(CourseList, ReadingCases) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> titles;
    std::vector<std::string> descriptions;
  };
  const std::string one = "1#5#0#0#4#Port.#Hauptgang#Braten#\xA7#lecker#";
  const std::vector<Case> cases = {
      {"empty", "", {}, {}},
      {"one course", one, {"Braten"}, {"lecker"}},
      {"ends inside a course",
       one + "1#6#0#0#4#Port.#Dessert#Eis#\xA7#kalt",
       {"Braten"},
       {"lecker"}},
      {"ends inside the title", one + "1#6#0#0#4#Port.#Dessert#Eis#", {"Braten"}, {"lecker"}},
      // A "#" in the description ends it; the rest fills the next course's fields.
      {"hash in a description",
       "1#5#0#0#4#Port.#Typ#Braten#\xA7#mit # Sauce#",
       {"Braten"},
       {"mit "}},
      {"title holding # and #\xA7 first", "1#5#0#0#4#P#T#A#B##\xA7#d#", {"A#B#"}, {"d"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> titles, descriptions;
    for (const MN_RECIPE& r : ParseCourseList(c.text)) {
      titles.push_back(r.printTitle);
      descriptions.push_back(r.description);
    }
    EXPECT_EQ(titles, c.titles) << c.name;
    EXPECT_EQ(descriptions, c.descriptions) << c.name;
  }
  // A book id above 32767 comes back in its low 16 bits; fields read like atoi.
  const std::vector<MN_RECIPE> big = ParseCourseList("70000# 12x#-5#+7#abc#####\xA7##");
  ASSERT_EQ(big.size(), 1u);
  EXPECT_EQ(static_cast<uint16_t>(big[0].bookId), 70000 % 65536);
  EXPECT_EQ(big[0].number, 12);
  EXPECT_EQ(big[0].reservedA, -5);
  EXPECT_EQ(big[0].reservedB, 7);
  EXPECT_EQ(big[0].persons, 0);
}

TEST(CourseList, TypedHashesCannotShiftTheFields) {
  EXPECT_EQ(SafeCourseText("Nr. #3 ##"), "Nr. -3 --");
  EXPECT_EQ(SafePrintTitle("Men\xFC #\xA7 Abend#\xA7"), "Men\xFC # \xA7 Abend# \xA7");
  MN_RECIPE c =
      Course(SafePrintTitle("x#\xA7"), SafeCourseText("a#b"), SafeCourseText("#"), 1, 1, 1, "");
  ExpectSameCourses(ParseCourseList(CourseListText({c, c})), {c, c});
}

TEST(MenuTypes, ColoursNamesAndOrder) {
  test::TempDir dir;
  const std::string path = dir.Path() + "MenuTypes.dat";
  WriteAll(path,
           "FFE0C0 Vorspeise\r\n"
           "000000 Suppe\r\n"
           "ff8000 Hauptgang\r\n"
           "12\r\n"
           "00FF00#Dessert\r\n"
           "0000FF Dessert\r\n"
           "AZ0F09 K\xE4se\n");
  const std::vector<MN_TYPE> types = ReadMenuTypes(path);
  ASSERT_EQ(types.size(), 6u);
  EXPECT_EQ(types[0].name, "Vorspeise");
  EXPECT_EQ(types[0].colour, 0xFFE0C0u);
  EXPECT_EQ(CourseTypeColour(types, "Suppe"), 0u);             // black counts as none
  EXPECT_EQ(CourseTypeColour(types, "Hauptgang"), 0x008000u);  // lower-case letters count 0
  EXPECT_EQ(CourseTypeColour(types, "Dessert"), 0x0000FFu);    // the later line wins
  EXPECT_EQ(CourseTypeColour(types, "dessert"), 0u);           // exact comparison
  EXPECT_EQ(CourseTypeColour(types, "K\xE4se"), 0xA00F09u);
  EXPECT_TRUE(ReadMenuTypes(dir.Path() + "missing.dat").empty());
}

TEST(MenuTypes, ShippedFilesHoldTheUsualCourses) {
  for (const char* lang : {"DE", "EN"}) {
    const std::vector<MN_TYPE> types =
        ReadMenuTypes(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + lang + "/MenuTypes.dat");
    EXPECT_GE(types.size(), 8u) << lang;
    for (const MN_TYPE& t : types) EXPECT_NE(t.colour, 0u) << lang << " " << t.name;
  }
}

// --- storing ----------------------------------------------------------------------------------

class MenuStore : public ::testing::Test {
 protected:
  void SetUp() override {
    REZBLOCK soup = test::RichRecipe(1);
    soup.title = "Tomatensuppe";
    soup.servingType = "Teller";
    soupEntry = b.AddRecipe(soup);
    REZBLOCK roast = test::RichRecipe(2);
    roast.title = "Rinderbraten";
    roastEntry = b.AddRecipe(roast);
  }
  REZINDEX Entry(int32_t number) {
    REZINDEX e;
    EXPECT_TRUE(b.store.ReadIndexEntryByKey(b.store.BookId(), number, e));
    return e;
  }
  REZBLOCK Read(const REZINDEX& e) {
    REZBLOCK r;
    EXPECT_TRUE(b.store.ReadRezBlock("", &e, -1, r));
    return r;
  }
  uint8_t RecordDeletedByte(const REZINDEX& e) {
    const std::string bok = ReadAll(b.File("Test", ".bok"));
    return static_cast<uint8_t>(bok[static_cast<size_t>(e.offset) + 5]);
  }

  test::BookEnv b;
  REZINDEX soupEntry, roastEntry;
};

TEST_F(MenuStore, ANewMenuWithThreeCoursesIsStoredAndReadBackIdentical) {
  MenuPlan plan;
  plan.StartNewMenu(b.store.BookId());
  plan.open.title = "Abend #1 f\xFCr G\xE4ste";
  plan.open.servings = 6;
  plan.open.text = "Ein Men\xFC\r\nf\xFCr den Herbst";
  plan.open.cardText = "Guten Appetit!";
  ASSERT_TRUE(plan.AddRecipeToMenu(b.store, soupEntry, "Test"));
  ASSERT_TRUE(plan.AddRecipeToMenu(b.store, roastEntry, "Test"));
  ASSERT_TRUE(plan.AddRecipeToMenu(b.store, soupEntry, "Test"));
  plan.open.courses[0].courseType = "Vorspeise";
  plan.open.courses[1].description =
      "mit Kl\xF6\xDF"
      "en\r\nund Rotkohl";
  plan.open.courses[2].printTitle = "Suppe #2";
  EXPECT_EQ(plan.open.courses[0].servingType, "Teller");
  EXPECT_EQ(plan.open.courses[0].persons, 6);
  // The editor confirmed a new menu: it is stored even though nothing counts as changed yet.
  plan.compare = plan.open;
  REZINDEX added;
  ASSERT_EQ(plan.SaveMenuRecipe(b.store, &added, true), MenuPlan::Store::Stored);
  EXPECT_EQ(plan.open.number, 3);
  EXPECT_EQ(added.flags, kRecipeMenu);
  EXPECT_EQ(added.Title(), "Abend #1 f\xFCr G\xE4ste");
  ASSERT_EQ(b.store.BookIndex().size(), 3u);
  EXPECT_EQ(b.store.BookIndex()[2].offset, added.offset);

  REZBLOCK stored = Read(Entry(3));
  EXPECT_TRUE(stored.IsMenu());
  MenuPlan again;
  again.TakeMenuRecipe(stored, b.store.BookId());
  EXPECT_EQ(again.open.title, plan.open.title);
  EXPECT_EQ(again.open.text, plan.open.text);
  EXPECT_EQ(again.open.cardText, plan.open.cardText);
  EXPECT_EQ(again.open.servings, 6);
  EXPECT_TRUE(again.open.hint.empty());
  ExpectSameCourses(again.open.courses, plan.open.courses);
  EXPECT_FALSE(MenuDiffers(again.open, plan.open));
  EXPECT_FALSE(again.HasMenuChanged());
}

TEST_F(MenuStore, StoringAChangedMenuAppendsFlagsTheOldAndUpdatesTheEntry) {
  MenuPlan plan;
  plan.StartNewMenu(b.store.BookId());
  plan.open.title = "Sonntag";
  plan.compare = plan.open;
  ASSERT_EQ(plan.SaveMenuRecipe(b.store, nullptr, true), MenuPlan::Store::Stored);
  REZINDEX first = Entry(3);
  // Marked in the list meanwhile.
  first.flags = kRecipeMenu | kRecipeMarked;
  ASSERT_TRUE(b.store.UpdateIndexEntryByKey(b.store.BookId(), 3, first));
  const size_t before = ReadAll(b.File("Test", ".bok")).size();
  EXPECT_EQ(plan.SaveMenuRecipe(b.store), MenuPlan::Store::Unchanged);
  EXPECT_EQ(ReadAll(b.File("Test", ".bok")).size(), before);

  ASSERT_TRUE(plan.AddRecipeToMenu(b.store, roastEntry, "Test"));
  plan.open.title = std::string(61, 'x');
  ASSERT_EQ(plan.SaveMenuRecipe(b.store), MenuPlan::Store::Stored);
  EXPECT_GT(ReadAll(b.File("Test", ".bok")).size(), before);
  const REZINDEX now = Entry(3);
  EXPECT_NE(now.offset, first.offset);
  EXPECT_EQ(now.flags, kRecipeMenu);  // the mark is not kept
  EXPECT_EQ(now.Title(), std::string(59, 'x'));
  EXPECT_EQ(now.rewriteCount, first.rewriteCount + 1);
  EXPECT_EQ(RecordDeletedByte(first), 1);
  EXPECT_EQ(RecordDeletedByte(now), 0);
  ASSERT_EQ(b.store.BookIndex().size(), 3u);  // replaced, not appended
  EXPECT_EQ(CountIndexEntries(b.File("Test", ".idx"), false), 3);
  REZBLOCK stored = Read(now);
  EXPECT_EQ(stored.title, std::string(59, 'x'));
  EXPECT_EQ(ParseCourseList(stored.hint).size(), 1u);
  EXPECT_FALSE(plan.HasMenuChanged());
}

TEST_F(MenuStore, AMenuCannotBecomeACourseAndCoursesMove) {
  MenuPlan plan;
  plan.StartNewMenu(b.store.BookId());
  REZINDEX menu = soupEntry;
  menu.flags = kRecipeMenu;
  EXPECT_FALSE(plan.AddRecipeToMenu(b.store, menu, "Test"));
  ASSERT_TRUE(plan.AddRecipeToMenu(b.store, soupEntry, "Test"));
  plan.open.servings = 2;
  ASSERT_TRUE(plan.AddRecipeToMenu(b.store, roastEntry, "Test"));
  EXPECT_EQ(plan.open.courses[0].persons, 4);  // the menu's persons when it was added
  EXPECT_EQ(plan.open.courses[1].persons, 2);
  EXPECT_FALSE(plan.MoveCourseUp(0));
  EXPECT_FALSE(plan.MoveCourseDown(1));
  EXPECT_FALSE(plan.MoveCourseUp(-1));
  ASSERT_TRUE(plan.MoveCourseDown(0));
  EXPECT_EQ(plan.open.courses[0].printTitle, "Rinderbraten");
  ASSERT_TRUE(plan.RemoveCourse(1));
  EXPECT_FALSE(plan.RemoveCourse(1));
  EXPECT_EQ(plan.open.courses.size(), 1u);
}

TEST_F(MenuStore, TheSameMenuIsBookAndNumber) {
  MenuPlan plan;
  REZBLOCK r = Read(soupEntry);
  plan.TakeMenuRecipe(r, 5);
  EXPECT_TRUE(plan.IsOpenMenu(r, 5));
  EXPECT_FALSE(plan.IsOpenMenu(r, 6));
  r.number += 1;
  EXPECT_FALSE(plan.IsOpenMenu(r, 5));
}

// --- the menu card ----------------------------------------------------------------------------

REZBLOCK CardMenu() {
  REZBLOCK m;
  ClearRezBlock(m);
  m.flags = kRecipeMenu;
  m.title = "Herbst & Wild";
  m.text = "Ein Abend im Oktober\r\nf\xFCr sechs G\xE4ste";
  m.cardText = "Wir w\xFCnschen guten Appetit!";
  m.courses = {Course("Maronensuppe", "Vorspeise", "mit ger\xF6steten Kernen", 1, 1, 6, ""),
               Course("Rehr\xFC"
                      "cken <rosa>",
                      "Hauptgang", "", 1, 2, 6, ""),
               Course("Zwetschgen-Crumble", "", "warm\r\nmit Vanilleeis", 1, 3, 6, "")};
  return m;
}

TEST(MenuCard, ThreeCoursesGiveTheGoldenPage) {
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextLines(std::string(TAVOLIN_SHIPPED_DATA) + "/HTML/Menu.mpl", lines));
  EXPECT_EQ(MenuCardPage(CardMenu(), lines),
            ReadAll(test::Fixture("menu_card_three_courses.html")));
}

TEST(MenuCard, TemplateCases) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::string page;
  };
  REZBLOCK m = CardMenu();
  const std::vector<Case> cases = {
      {"no repeat block: the first course only",
       {"<h1><!--$MN_Title--></h1>", "<b><!--$MN_Recipe--></b>!"},
       "<h1>Herbst &amp; Wild</h1>\r\n<b>Maronensuppe</b>!\r\n"},
      {"start without end: the rest once, course 0",
       {"<!--$RepeatStart-->", "<!--$MN_Type-->", "Ende"},
       "Vorspeise\r\nEnde\r\n"},
      {"end before start is copied",
       {"<!--$RepeatEnd-->x", "<!--$MN_Type-->"},
       "<!--$RepeatEnd-->x\r\nVorspeise\r\n"},
      {"each course once, empty values drop their lines, escaped, breaks",
       {"<!--$RepeatStart-->", "[<!--$MN_Recipe-->]", "(<!--$MN_RecDesc-->)", "<!--$RepeatEnd-->",
        "nach"},
       "[Maronensuppe]\r\n(mit ger\xF6steten Kernen)\r\n[Rehr\xFC"
       "cken &lt;rosa&gt;]\r\n"
       "[Zwetschgen-Crumble]\r\n(warm<br>\r\nmit Vanilleeis)\r\nnach\r\n"},
      {"course markers after the block show nothing",
       {"<!--$RepeatStart-->", "<!--$RepeatEnd-->", "a<!--$MN_Recipe-->b", "z"},
       "z\r\n"},
      {"menu texts",
       {"<p><!--$MN_Desc--></p>", "<p><!--$MN_Bottom--></p>"},
       "<p>Ein Abend im Oktober<br>\r\nf\xFCr sechs G\xE4ste</p>\r\n"
       "<p>Wir w\xFCnschen guten Appetit!</p>\r\n"},
      {"the three closing characters are passed over unseen",
       {"<!--$MN_TitleXYZrest"},
       "Herbst &amp; Wildrest\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(MenuCardPage(m, c.lines), c.page) << c.name;
  m.text.clear();
  m.title.clear();
  EXPECT_EQ(MenuCardPage(m, {"x<!--$MN_Desc-->y", "<t><!--$MN_Title--></t>"}), "<t></t>\r\n");
}

TEST(MenuCard, FileNames) {
  const std::pair<const char*, const char*> cases[] = {
      {"Herbst & Wild", "Herbst & Wild"},
      {"../../etc/passwd", "_.._etc_passwd"},
      {"Men\xFC: 1/2 \"Gala\"?", "Men\xFC_ 1_2 _Gala__"},
      {"..", "Menue"},
      {"", "Menue"},
      {"Abend. ", "Abend"},
      {"a\tb|c", "a_b_c"},
  };
  for (const auto& [title, name] : cases) EXPECT_EQ(MenuCardFileName(title), name) << title;
}

TEST(MenuCard, WritingThePage) {
  test::TestEnv env;
  const std::string root = env.Root();
  std::string page;
  REZBLOCK m = CardMenu();
  EXPECT_EQ(WriteMenuCard(m, root, page), MenuCardResult::NoTemplate);
  WriteAll(root + "HTML/Menu.mpl", "<title><!--$MN_Title--></title>\r\n");
  m.title = "Gala/Abend";
  ASSERT_EQ(WriteMenuCard(m, root, page), MenuCardResult::Written);
  EXPECT_EQ(page, root + "Menue/Gala_Abend.html");  // the folder was made
  EXPECT_EQ(ReadAll(page), "<title>Gala/Abend</title>\r\n");
  // A second run overwrites the page.
  m.title = "Gala/Abend ";
  ASSERT_EQ(WriteMenuCard(m, root, page), MenuCardResult::Written);
  EXPECT_EQ(ReadAll(page), "<title>Gala/Abend </title>\r\n");
  m.courses.clear();
  EXPECT_EQ(WriteMenuCard(m, root, page), MenuCardResult::NoCourse);
  // A file where the folder should be: the page cannot be written.
  test::TestEnv other;
  WriteAll(other.Root() + "HTML/Menu.mpl", "x\r\n");
  WriteAll(other.Root() + "Menue", "x");
  m = CardMenu();
  EXPECT_EQ(WriteMenuCard(m, other.Root(), page), MenuCardResult::NotWritable);
}

}  // namespace
}  // namespace tav
