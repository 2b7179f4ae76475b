#include "recipes/power_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/numbers.h"
#include "recipedb/record_file.h"
#include "search_books.h"
#include "services/charsets.h"
#include "services/tools_module.h"
#include "view_env.h"

namespace tav {
namespace {

using test::Dish;
using test::Line;

TEST(SplitSearchWords, WordsPhrasesAndSeparators) {
  struct Case {
    const char* text;
    std::vector<std::string> words;
  };
  const Case cases[] = {
      {"Kuchen !Apfel", {"Kuchen", "!Apfel"}},
      {"\"Apfel Kuchen\" Torte", {"Apfel Kuchen", "Torte"}},
      {"Ei;Mehl,Zucker  Salz", {"Ei", "Mehl", "Zucker", "Salz"}},
      // Text before an opening quote is dropped, so "!" before a phrase is lost with it.
      {"x\"y z\"", {"y z"}},
      {"!\"rote Bete\"", {"rote Bete"}},
      {"\"!rote Bete\"", {"!rote Bete"}},
      {"\"offen bis zum Ende", {"offen bis zum Ende"}},
      {" ,; ", {}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitSearchWords(c.text), c.words) << c.text;
}

TEST(FoldSearchText, FoldsEveryByteAsTheLetterCaseTable) {
  // Lengths around the sixteen-byte steps, so both the block and the tail path see every byte.
  for (size_t length : {1u, 15u, 16u, 17u, 256u, 300u}) {
    std::string text(length, '\0');
    for (size_t i = 0; i < length; ++i) text[i] = static_cast<char>((i * 7 + length) & 0xFF);
    std::string folded = text;
    FoldSearchText(folded.data(), folded.size());
    EXPECT_EQ(folded, UpperCaseAnsi(text)) << length;
  }
}

class PowerSearchBooks : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDecimalSep(',');
    ctx().tools = &tools;
  }
  void TearDown() override { SetDecimalSep('.'); }

  // Titles of the hits over the two books, in scan order.
  std::vector<std::string> Find(const PowerSearchCriteria& c) {
    PowerSearch ps(c);
    hits.clear();
    ps.onHit = [this](const REZINDEX& e) { hits.push_back(e); };
    for (const char* book : {"Hauptbuch", "Zweitbuch"})
      EXPECT_TRUE(ps.SearchBook(b.Bok(book), b.IdOf(book)));
    scanned = ps.scannedCount;
    EXPECT_EQ(ps.foundCount, static_cast<int>(hits.size()));
    std::vector<std::string> titles;
    for (const REZINDEX& e : hits) titles.push_back(e.Title());
    return titles;
  }
  std::vector<std::string> FindTitle(const std::string& words) {
    PowerSearchCriteria c;
    c.title = words;
    return Find(c);
  }

  test::SearchBooks b;
  TToolsMod tools;
  std::vector<REZINDEX> hits;
  int scanned = 0;
};

TEST_F(PowerSearchBooks, TitleWordsOverTwoBooksWithExclusion) {
  b.Put("Hauptbuch", Dish("Marmorkuchen"));
  b.Put("Hauptbuch", Dish("Apfelkuchen"));
  b.Put("Hauptbuch", Dish("Zwiebelsuppe"));
  const REZINDEX old = b.Put("Zweitbuch", Dish("Kirschkuchen vom Blech"));
  b.Supersede("Zweitbuch", old);
  const REZINDEX now = b.Put("Zweitbuch", Dish("Kirschkuchen vom Blech"));
  b.Put("Zweitbuch", Dish("KUCHEN MIT APFEL"));

  EXPECT_EQ(FindTitle("Kuchen !Apfel"),
            (std::vector<std::string>{"Marmorkuchen", "Kirschkuchen vom Blech"}));
  // The superseded record is neither found nor counted.
  EXPECT_EQ(scanned, 5);
  const REZINDEX& hit = hits[1];
  EXPECT_EQ(hit.bookId, b.IdOf("Zweitbuch"));
  EXPECT_EQ(hit.number, now.number);
  EXPECT_EQ(hit.offset, now.offset);
  EXPECT_EQ(hit.length, now.length);
  EXPECT_EQ(hit.deleted, 0);
  EXPECT_EQ(hit.rewriteCount, 0);

  // Case counts when asked: the record's title stays as stored in the hit.
  PowerSearchCriteria c;
  c.title = "kuchen";
  c.caseSensitive = true;
  EXPECT_EQ(Find(c),
            (std::vector<std::string>{"Marmorkuchen", "Apfelkuchen", "Kirschkuchen vom Blech"}));
  EXPECT_EQ(FindTitle("\"vom Blech\""), std::vector<std::string>{"Kirschkuchen vom Blech"});
  EXPECT_EQ(FindTitle("Blech;Apfel").size(), 0u);
}

TEST_F(PowerSearchBooks, AccentedLettersMatchWhateverTheirCase) {
  b.Put("Hauptbuch", Dish("cr\xE8me br\xFBl\xE9"
                          "e"));  // crème brûlée
  b.Put("Hauptbuch", Dish("Stra\xDF"
                          "enkuchen"));         // Straßenkuchen
  b.Put("Hauptbuch", Dish("Jalape\xF1o-Dip"));  // Jalapeño
  EXPECT_EQ(FindTitle("CR\xC8ME BR\xDBL\xC9"
                      "E"),
            std::vector<std::string>{"cr\xE8me br\xFBl\xE9"
                                     "e"});
  EXPECT_EQ(FindTitle("stra\xDF"
                      "en"),
            std::vector<std::string>{"Stra\xDF"
                                     "enkuchen"});
  EXPECT_EQ(FindTitle("JALAPE\xD1O"), std::vector<std::string>{"Jalape\xF1o-Dip"});
}

TEST_F(PowerSearchBooks, EnergyPerServing) {
  auto withEnergy = [](const char* title, int servings, std::vector<REZSTOFFMENGE> n) {
    REZBLOCK r = Dish(title);
    r.servings = servings;
    r.nutrients = std::move(n);
    return r;
  };
  b.Put("Hauptbuch", withEnergy("Leicht", 4, {test::Nutrient("GCAL", "1800")}));
  b.Put("Hauptbuch", withEnergy("Schwer", 4, {test::Nutrient("GCAL", "2400")}));
  b.Put("Hauptbuch", withEnergy("Nur Kilojoule", 1, {test::Nutrient("ZF", "3"), test::Nutrient("GJ", "4184")}));
  b.Put("Hauptbuch", withEnergy("Ohne Energie", 1, {test::Nutrient("ZF", "3")}));
  b.Put("Hauptbuch", withEnergy("Komma", 2, {test::Nutrient("GCAL", "999,5")}));

  PowerSearchCriteria c;
  c.energyLimitKcal = 500;
  EXPECT_EQ(Find(c), (std::vector<std::string>{"Leicht", "Komma"}));
  // 4184 kJ are about 999.8 kcal.
  c.energyLimitKcal = 999.9;
  EXPECT_EQ(Find(c), (std::vector<std::string>{"Leicht", "Schwer", "Nur Kilojoule", "Komma"}));
  c.energyLimitKcal = 999.7;
  EXPECT_EQ(Find(c), (std::vector<std::string>{"Leicht", "Schwer", "Komma"}));
  // A stored value with a decimal comma counts with its fraction: 499.75 per serving.
  c.energyLimitKcal = 499.7;
  EXPECT_EQ(Find(c), (std::vector<std::string>{"Leicht"}));
}

TEST_F(PowerSearchBooks, PointsMarkAndPicture) {
  REZBLOCK three = Dish("Drei Punkte");
  three.points = "3";
  REZBLOCK seven = Dish("Sieben Punkte");
  seven.points = "7,5";
  seven.flags = kRecipeMarked;
  REZBLOCK none = Dish("Ohne Punkte");  // its rating list still holds Q and D
  none.pictures.push_back({'F', "bild.jpg"});
  REZBLOCK menu = Dish("Men\xFC");
  menu.flags = kRecipeMenu;
  for (REZBLOCK* r : {&three, &seven, &none, &menu}) b.Put("Hauptbuch", *r);

  PowerSearchCriteria c;
  c.points = 5;
  c.pointsCompare = 0;
  EXPECT_EQ(Find(c), (std::vector<std::string>{"Drei Punkte", "Ohne Punkte", "Men\xFC"}));
  c.pointsCompare = 2;
  EXPECT_EQ(Find(c), std::vector<std::string>{"Sieben Punkte"});
  c.points = 7.5;
  c.pointsCompare = 1;
  EXPECT_EQ(Find(c), std::vector<std::string>{"Sieben Punkte"});

  PowerSearchCriteria marked;
  marked.marked = true;
  EXPECT_EQ(Find(marked), std::vector<std::string>{"Sieben Punkte"});
  PowerSearchCriteria picture;
  picture.picture = true;
  EXPECT_EQ(Find(picture), std::vector<std::string>{"Ohne Punkte"});
}

TEST_F(PowerSearchBooks, IngredientsAllAnyNone) {
  b.Put("Hauptbuch",
        Dish("Brot", "Backen.", {Line("500", "g", "Weizenmehl"), Line("1", "TL", "Salz")}));
  b.Put("Hauptbuch",
        Dish("Omelett", "Braten.", {Line("3", "", "Eier"), Line("1", "Prise", "Salz")}));
  b.Put("Hauptbuch", Dish("Salat", "Mischen.", {Line("1", "", "Gurke")}));

  PowerSearchCriteria all;
  all.allAnd = true;
  all.andWords = {"Salz", "Eier"};
  EXPECT_EQ(Find(all), std::vector<std::string>{"Omelett"});
  // A word inside a longer one counts: EI is found in WEIZEN.
  PowerSearchCriteria one;
  one.oneAnd = true;
  one.andWords = {"ei"};
  EXPECT_EQ(Find(one), (std::vector<std::string>{"Brot", "Omelett"}));
  PowerSearchCriteria notAny;
  notAny.oneNot = true;
  notAny.notWords = {"Salz"};
  EXPECT_EQ(Find(notAny), std::vector<std::string>{"Salat"});
  // The words of the unticked box do not count.
  PowerSearchCriteria off;
  off.andWords = {"Gurke"};
  EXPECT_EQ(Find(off).size(), 3u);
  // Amount and unit are part of the lines' text.
  PowerSearchCriteria unit;
  unit.oneAnd = true;
  unit.andWords = {"PRISE"};
  EXPECT_EQ(Find(unit), std::vector<std::string>{"Omelett"});
}

TEST_F(PowerSearchBooks, TextRemarksKeywordsAuthorSource) {
  REZBLOCK a = Dish("Eintopf", "Langsam schmoren.");
  a.remarks.push_back({"Schmeckt aufgew\xE4rmt besser", "Oma"});
  a.hint = "deftig, Winter";
  a.createdBy = "Anna Koch";
  a.source = "Kochheft 3";
  REZBLOCK c2 = Dish("Suppe", "Kurz aufkochen.");
  c2.source = "Zeitschrift";
  b.Put("Hauptbuch", a);
  b.Put("Hauptbuch", c2);

  struct Case {
    std::string PowerSearchCriteria::*field;
    const char* words;
    std::vector<std::string> titles;
  };
  const Case cases[] = {
      {&PowerSearchCriteria::text, "AUFGEW\xC4RMT", {"Eintopf"}},
      {&PowerSearchCriteria::text, "auf !schmoren", {"Suppe"}},
      {&PowerSearchCriteria::text, "!besser", {"Suppe"}},
      {&PowerSearchCriteria::keyword, "winter", {"Eintopf"}},
      {&PowerSearchCriteria::author, "koch", {"Eintopf"}},
      {&PowerSearchCriteria::source, "heft !zeit", {"Eintopf"}},
      {&PowerSearchCriteria::source, "Zeit", {"Suppe"}},
  };
  for (const Case& k : cases) {
    PowerSearchCriteria c;
    c.*k.field = k.words;
    EXPECT_EQ(Find(c), k.titles) << k.words;
  }
}

TEST_F(PowerSearchBooks, AnyNumberOfCategories) {
  for (uint16_t id = 1; id <= 14; ++id) {
    REZBLOCK r = Dish("Gattung " + std::to_string(id));
    r.categories[9] = id;
    b.Put("Hauptbuch", r);
  }
  PowerSearchCriteria c;
  for (uint16_t id = 2; id <= 14; id += 1) c.categories.push_back(id);
  EXPECT_EQ(Find(c).size(), 13u);
  c.categories = {14};
  EXPECT_EQ(Find(c), std::vector<std::string>{"Gattung 14"});
}

TEST_F(PowerSearchBooks, LongTitleIsCutToTheIndexWidth) {
  const std::string title(70, 'K');
  b.Put("Hauptbuch", Dish(title));
  EXPECT_EQ(FindTitle("kkk"), std::vector<std::string>{title.substr(0, 59)});
}

TEST_F(PowerSearchBooks, StoppingEndsTheScanAfterTheCurrentRecord) {
  for (int i = 0; i < 5; ++i) b.Put("Hauptbuch", Dish("Kuchen " + std::to_string(i)));
  PowerSearchCriteria c;
  c.title = "kuchen";
  PowerSearch ps(c);
  int looked = 0;
  ps.keepGoing = [&looked] { return ++looked < 2; };
  EXPECT_FALSE(ps.SearchBook(b.Bok("Hauptbuch"), b.IdOf("Hauptbuch")));
  EXPECT_EQ(ps.foundCount, 2);
  // A missing file adds nothing and goes on.
  PowerSearch other(c);
  EXPECT_TRUE(other.SearchBook(b.Data() + "Fehlt.bok", 1));
  EXPECT_EQ(other.scannedCount, 0);
}

// Damaged record files: the scan never loops and never ends early on a length it cannot use.
class DamagedBook : public PowerSearchBooks {
 protected:
  // The bytes of a record of that title, as the store codes it.
  static std::string Record(const std::string& title, const std::string& text = "x") {
    REZBLOCK r = Dish(title, text);
    r.number = 1;
    std::string bytes;
    EncodeRecipeRecord(r, bytes);
    return bytes;
  }
  static void SetLength(std::string& record, int32_t length) {
    std::memcpy(record.data() + 11, &length, 4);
  }
  std::vector<std::string> Scan(const std::string& bytes) {
    test::WriteAll(b.Data() + "Kaputt.bok", bytes);
    PowerSearchCriteria c;
    c.title = "kuchen";
    PowerSearch ps(c);
    hits.clear();
    ps.onHit = [this](const REZINDEX& e) { hits.push_back(e); };
    EXPECT_TRUE(ps.SearchBook(b.Data() + "Kaputt.bok", 7));
    std::vector<std::string> titles;
    for (const REZINDEX& e : hits) titles.push_back(e.Title());
    return titles;
  }
  std::string LogText() const { return test::ReadAll(tools.LogFilePath()); }
};

TEST_F(DamagedBook, LengthOfZeroOrLessIsSkippedWithALogLine) {
  for (int32_t bad : {0, -5, 10}) {
    std::string zero = Record("Nullkuchen");
    SetLength(zero, bad);
    const std::string bytes =
        RecordFileHeader() + Record("Erster Kuchen") + zero + Record("Zweiter Kuchen");
    EXPECT_EQ(Scan(bytes), (std::vector<std::string>{"Erster Kuchen", "Zweiter Kuchen"})) << bad;
    EXPECT_EQ(hits[1].offset, static_cast<int32_t>(bytes.size() - Record("Zweiter Kuchen").size()));
  }
  EXPECT_NE(LogText().find("Kaputt.bok: record at byte"), std::string::npos);
}

TEST_F(DamagedBook, LengthPastTheFileIsSkipped) {
  std::string far = Record("Fernkuchen");
  SetLength(far, 1 << 30);
  // A '#' inside a text is no record start: the scan picks up at the next whole record.
  const std::string bytes =
      RecordFileHeader() + far + Record("Raute", "Text mit # darin") + Record("Letzter Kuchen");
  EXPECT_EQ(Scan(bytes), std::vector<std::string>{"Letzter Kuchen"});
  // A record cut off by the end of the file is no hit.
  const std::string whole = RecordFileHeader() + Record("Ganzer Kuchen");
  const std::string cut = Record("Halber Kuchen");
  EXPECT_EQ(Scan(whole + cut.substr(0, cut.size() / 2)), std::vector<std::string>{"Ganzer Kuchen"});
}

TEST_F(DamagedBook, RecordLongerThanTheReadBufferIsReadWhole) {
  const std::string longText(3 << 20, 'T');
  const std::string bytes = RecordFileHeader() + Record("Kuchen davor") +
                            Record("Riesenkuchen", longText + " Streusel") +
                            Record("Kuchen danach");
  EXPECT_EQ(Scan(bytes),
            (std::vector<std::string>{"Kuchen davor", "Riesenkuchen", "Kuchen danach"}));
  PowerSearchCriteria c;
  c.text = "streusel";
  PowerSearch ps(c);
  ps.onHit = [this](const REZINDEX& e) { hits.push_back(e); };
  hits.clear();
  ps.SearchBook(b.Data() + "Kaputt.bok", 7);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0].Title(), "Riesenkuchen");
}

TEST_F(DamagedBook, OffsetsOutsideTheRecordReadAsEmptyFields) {
  std::string r = Record("Kuchen mit Loch", "Streusel");
  const int32_t outside[] = {static_cast<int32_t>(r.size()) + 100, -4, 1 << 30};
  for (int entry = 1; entry <= 9; ++entry)
    std::memcpy(r.data() + 11 + 4 * entry, &outside[entry % 3], 4);
  EXPECT_EQ(Scan(RecordFileHeader() + r + Record("Kuchen danach")),
            (std::vector<std::string>{"Kuchen mit Loch", "Kuchen danach"}));
  EXPECT_EQ(hits[0].categories[0], 0);
}

TEST_F(DamagedBook, RecordWithoutItsMarkEndsTheBookUnlisted) {
  std::string r = Record("Kuchen ohne Raute");
  r[0] = 'X';
  EXPECT_EQ(Scan(RecordFileHeader() + Record("Kuchen eins") + r + Record("Kuchen drei")),
            std::vector<std::string>{"Kuchen eins"});
}

}  // namespace
}  // namespace tav
