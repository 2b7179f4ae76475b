#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "book_test_util.h"
#include "recipedb/key_value_list.h"
#include "recipedb/recipe_records.h"
#include "recipedb/record_file.h"

namespace tav {
namespace {

using namespace std::string_literals;

TEST(KeyValueList, Coding) {
  struct Case {
    std::vector<DBDATAENTRY> pairs;
    std::string text;
  } cases[] = {
      {{}, "|0|"},
      {{{"N", "Anna"}}, "|1|6|N~Anna|"},
      {{{"A", "xy"}, {"BC", "z"}}, "|2|4:4|A~xy|BC~z|"},
      {{{"Q", ""}}, "|1|2|Q~|"},
      {{{"W", "a|b~c"}}, "|1|7|W~a|b~c|"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BuildKeyValueText(c.pairs), c.text);
    std::vector<DBDATAENTRY> back;
    EXPECT_EQ(ParseDbEntries(c.text, back), !c.pairs.empty()) << c.text;
    ASSERT_EQ(back.size(), c.pairs.size());
    for (size_t i = 0; i < back.size(); ++i) {
      EXPECT_EQ(back[i].key, c.pairs[i].key);
      EXPECT_EQ(back[i].value, c.pairs[i].value);
    }
  }
}

TEST(KeyValueList, StoreWorkingList) {
  TdbList store;
  store.AddKeyValue("N", "Anna");
  store.AddKeyValue("D", "1.1.2000");
  std::string text;
  store.BuildKeyValueList(text);
  EXPECT_EQ(text, "|2|6:10|N~Anna|D~1.1.2000|");
  EXPECT_TRUE(store.ParseKeyValueList("|2|3:4|A~x|BC~|"));
  EXPECT_EQ(store.KeyValueCount(), 2);
  EXPECT_EQ(store.KeyValueAt(1)->key, "BC");
  EXPECT_EQ(store.KeyValueAt(2), nullptr);
  std::string out = "left over";
  EXPECT_FALSE(store.LookupKeyValue("a", out));  // case counts
  EXPECT_EQ(out, "");
  EXPECT_TRUE(store.LookupKeyValue("A", out));
  EXPECT_EQ(out, "x");
  EXPECT_FALSE(store.ParseKeyValueList("|2|3:3|A~x|"));
  EXPECT_EQ(store.KeyValueCount(), 1);
}

TEST(RecordFile, HeaderRules) {
  EXPECT_EQ(RecordFileHeader(), "TAVOLIN__1.01_DAT\n\r");
  EXPECT_EQ(TextModeRecordFileHeader(), "TAVOLIN__1.01_DAT\r\n");
  EXPECT_EQ(IndexFileHeader(), "TAVOLIN__1.01_IDX\r\n");
  EXPECT_EQ(IndexFileHeader().size(), 19u);
  EXPECT_TRUE(CheckBookHeader(RecordFileHeader()));
  EXPECT_TRUE(CheckBookHeader(IndexFileHeader()));
  EXPECT_FALSE(CheckBookHeader("TAVOLIN__1.02_IDX\r\n"));
  EXPECT_FALSE(CheckBookHeader("XXXXXXXX_1.01_IDX\r\n"));
  EXPECT_FALSE(CheckBookHeader("TAVOLIN__1.01_ID"));  // short
  EXPECT_FALSE(CheckBookHeader("TA\0VOLIN_1.01_IDX\r\n"s));
}

TEST(RecordFile, TitleHashAndLengthByte) {
  EXPECT_EQ(TitleHash("abc"), 37592);
  EXPECT_EQ(TitleHash("a"), 0);  // the first character does not count
  REZBLOCK r;
  r.title = std::string(255, 'x');
  r.recipeIdHigh = 1;
  std::string rec;
  EncodeRecipeRecord(r, rec);
  EXPECT_EQ(static_cast<uint8_t>(rec[9]), 0);
  r.title = std::string(256, 'x');
  EncodeRecipeRecord(r, rec);
  EXPECT_EQ(static_cast<uint8_t>(rec[9]), 1);
}

// A record built byte by byte from the layout tables.
TEST(RecordFile, GoldenRecord) {
  REZBLOCK r;
  r.title = "abc";
  r.number = 7;
  r.flags = kRecipeMarked;
  r.categories[0] = 3;
  r.servings = 2;
  r.servingType = "Pers.";
  r.createdBy = "Anna";
  r.quality = '1';
  r.difficulty = '2';
  r.recipeIdHigh = 0x01020304;
  r.recipeIdLow = 0x05060708;
  r.prepTime = "10";
  r.lines.push_back({"1", "g", "Salz", "S1", 5, 1});
  r.text = "Mix";
  std::string rec;
  EncodeRecipeRecord(r, rec);

  std::string body = "abc\0"s + "\x03\0"s + std::string(18, '\0') + "2 Pers.\0"s + "|0|\0"s +
                     "\0"s + "|1|6|N~Anna|\0"s + "|2|3:3|Q~1|D~2|\0"s +
                     "A\x08\0\x04\x03\x02\x01\x08\x07\x06\x05\0"s + "|0|\0"s + "\0"s +
                     "|0|\0"s + "|1|4|P~10|\0"s + "\0"s + "\x01\0\0\x80"s + "1\0g\0; Salz\0S1~5\0"s +
                     "Mix\0"s + "|0|\0"s + "\0"s;
  auto i32 = [](int32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
  std::string head = "#"s + i32(7) + "\0\x01"s + "\xD8\x92"s + "\x03\x01"s;
  for (int32_t off : {179, 55, 87, 88, 101, 133, 134, 150, 170, 174}) head += i32(off);
  ASSERT_EQ(head.size(), 51u);
  EXPECT_EQ(rec, head + body);

  RecipeRecordHead h;
  ASSERT_TRUE(ReadRecordHead(rec, h));
  EXPECT_EQ(h.offsets.entry[kOffLength], 179);
  EXPECT_EQ(h.titleHash, 37592);

  REZBLOCK back;
  ClearRezBlock(back);
  DecodeRecipeRecord(rec, back);
  test::ExpectSameRecipe(r, back);
}

TEST(RecordFile, EmptyRecipeStillWritesItsLists) {
  REZBLOCK r;
  r.recipeIdHigh = 5;
  std::string rec;
  EncodeRecipeRecord(r, rec);
  EXPECT_NE(rec.find("\0|0|\0\0|0|\0|2|3:3|Q~0|D~0|\0A\x08\0"s), std::string::npos);
  RecipeRecordHead h;
  ReadRecordHead(rec, h);
  EXPECT_EQ(h.offsets.entry[kOffLength], static_cast<int32_t>(rec.size()));
  EXPECT_EQ(rec.back(), '\0');
}

TEST(RecordFile, RichRecipeRoundTrip) {
  test::TestEnv env;
  REZBLOCK r = test::RichRecipe(3);
  r.lines.push_back({"2", "", "   eingerückt", "", 0, 0});
  std::string rec;
  EncodeRecipeRecord(r, rec);
  REZBLOCK back;
  ClearRezBlock(back);
  DecodeRecipeRecord(rec, back);
  r.lines.back().text = "eingerückt";  // leading blanks are not kept
  test::ExpectSameRecipe(r, back);
  EXPECT_EQ(back.remarks[0].author, "Oma-Erna");
  EXPECT_EQ(back.lineCount, 14);
  // The offset table points at the fields it names.
  RecipeRecordHead h;
  ReadRecordHead(rec, h);
  EXPECT_EQ(rec.substr(static_cast<size_t>(h.offsets.entry[kOffHint]), 7), "scharf\0"s);
  EXPECT_EQ(rec.substr(static_cast<size_t>(h.offsets.entry[kOffSource]), 7), "Heft 3\0"s);
  EXPECT_EQ(rec.substr(static_cast<size_t>(h.offsets.entry[kOffText]), 6), "Alles "s);
}

TEST(RecordFile, EveryServingsNumberReadsBack) {
  // A negative number once grew the serving type by its digits at every save.
  for (const int32_t servings : {0, 4, -3, INT32_MAX, INT32_MIN}) {
    REZBLOCK r;
    r.recipeIdHigh = 1;
    r.servings = servings;
    r.servingType = "St\xFC" "ck";
    std::string rec;
    EncodeRecipeRecord(r, rec);
    REZBLOCK back;
    ClearRezBlock(back);
    DecodeRecipeRecord(rec, back);
    EXPECT_EQ(back.servings, servings);
    EXPECT_EQ(back.servingType, r.servingType) << servings;
  }
}

TEST(RecordFile, ATextWithANulByteIsStoredUpToIt) {
  REZBLOCK r;
  r.recipeIdHigh = 1;
  r.title = "Kuchen\0Rest"s;
  r.text = "Backen\0mehr"s;
  std::string rec;
  EncodeRecipeRecord(r, rec);
  REZBLOCK back;
  ClearRezBlock(back);
  DecodeRecipeRecord(rec, back);
  EXPECT_EQ(back.title, "Kuchen");
  EXPECT_EQ(back.text, "Backen");
  EXPECT_EQ(back.recipeIdHigh, 1);
}

TEST(RecordFile, ReadingStopsAtTheRecordsEnd) {
  test::TestEnv env;
  REZBLOCK r = test::RichRecipe(1);
  std::string rec;
  EncodeRecipeRecord(r, rec);
  RecipeRecordHead h;
  ReadRecordHead(rec, h);
  // Cut inside the ingredient lines: the lines present are read, everything after stays reset.
  const size_t cut = static_cast<size_t>(h.offsets.entry[kOffLineCount]) + 4 + 30;
  REZBLOCK back;
  ClearRezBlock(back);
  DecodeRecipeRecord(std::string_view(rec).substr(0, cut), back);
  EXPECT_EQ(back.title, r.title);
  EXPECT_EQ(back.costs, r.costs);
  EXPECT_GT(back.lines.size(), 0u);
  EXPECT_LT(back.lines.size(), r.lines.size());
  EXPECT_EQ(back.lineCount, static_cast<int32_t>(back.lines.size()));
  EXPECT_EQ(back.text, "");
  EXPECT_TRUE(back.remarks.empty());
  EXPECT_EQ(back.pictures.size(), 2u);  // lists before the cut still apply
  // Every shorter prefix decodes without reading past it.
  for (size_t n = 0; n <= rec.size(); n += 7) {
    REZBLOCK part;
    ClearRezBlock(part);
    DecodeRecipeRecord(std::string_view(rec).substr(0, n), part);
  }
}

// The pictures read alone are those of the whole decoding: new lists, an old plain field, and
// every cut of a record.
TEST(RecordFile, PicturesAloneAsTheWholeRecordGivesThem) {
  test::TestEnv env;
  std::string rich;
  EncodeRecipeRecord(test::RichRecipe(4), rich);
  const std::string old = test::ReadAll(test::Fixture("old_record_plain_fields.bok")).substr(19);
  for (const std::string& rec : {rich, old}) {
    for (size_t n = 0; n <= rec.size(); n += 5) {
      const std::string_view part = std::string_view(rec).substr(0, n);
      REZBLOCK whole;
      ClearRezBlock(whole);
      DecodeRecipeRecord(part, whole);
      std::vector<REZPICTURE> alone = {{'U', "vorher"}};
      DecodeRecordPictures(part, alone);
      ASSERT_EQ(alone.size(), whole.pictures.size()) << n;
      for (size_t i = 0; i < alone.size(); ++i) {
        EXPECT_EQ(alone[i].kind, whole.pictures[i].kind) << n;
        EXPECT_EQ(alone[i].name, whole.pictures[i].name) << n;
      }
    }
  }
  std::vector<REZPICTURE> pictures;
  DecodeRecordPictures(rich, pictures);
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[0].name, "kuchen4.jpg");
  DecodeRecordPictures(old, pictures);
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0].name, "bild.jpg");
}

// Each old record form, as a one-record book file.
class OldRecords : public ::testing::Test {
 protected:
  void SetUp() override {
    env.LoadLanguage("DE");
    env.Options().SetParaString(10, "Koch");
  }
  REZBLOCK Read(const std::string& fixture) {
    const std::string bytes = test::ReadAll(test::Fixture(fixture));
    EXPECT_GT(bytes.size(), 19u) << fixture;
    test::WriteAll(env.DataFolder() + "Old.bok", bytes);
    REZINDEX e;
    e.offset = 19;
    e.length = static_cast<int32_t>(bytes.size() - 19);
    REZBLOCK r;
    EXPECT_TRUE(store.ReadRezBlock("Old", &e, -1, r)) << fixture;
    EXPECT_EQ(test::ReadAll(env.DataFolder() + "Old.bok"), bytes);  // the file stays as it was
    return r;
  }
  test::TestEnv env;
  TdbList store;
};

TEST_F(OldRecords, PlainFields) {
  const REZBLOCK r = Read("old_record_plain_fields.bok");
  EXPECT_EQ(r.title, "Alter Kuchen");
  EXPECT_EQ(r.servings, 4);
  EXPECT_EQ(r.servingType, "Personen");
  ASSERT_EQ(r.pictures.size(), 1u);
  EXPECT_EQ(r.pictures[0].kind, 'F');
  EXPECT_EQ(r.pictures[0].name, "bild.jpg");
  EXPECT_EQ(r.hint, "Schnell");
  EXPECT_EQ(r.createdBy, "Oma Erna");
  EXPECT_EQ(r.quality, '0');  // an old rating field is ignored
  EXPECT_EQ(r.changedDate, "1.2.1999");
  EXPECT_EQ(r.source, "Kochbuch 1998");
  ASSERT_EQ(r.nutrients.size(), 1u);
  EXPECT_STREQ(r.nutrients[0].code, "GCAL");
  EXPECT_EQ(r.nutrients[0].value, "250");
  EXPECT_EQ(r.totalTime, "45 min");
  EXPECT_EQ(r.costs, "3 Euro");
  ASSERT_EQ(r.lines.size(), 1u);
  EXPECT_EQ(r.lines[0].text, "Mehl");
  EXPECT_EQ(r.text, "Alles verr\xFChren.");
  ASSERT_EQ(r.remarks.size(), 1u);
  EXPECT_EQ(r.remarks[0].text, "Lecker!");
  EXPECT_EQ(r.remarks[0].author, "Koch");
  EXPECT_NE(r.recipeIdHigh, 0);  // a new identifier, in memory only
}

TEST_F(OldRecords, ThreeFieldLines) {
  const REZBLOCK r = Read("old_record_three_field_lines.bok");
  ASSERT_EQ(r.lines.size(), 2u);
  EXPECT_EQ(r.lines[0].amount, "2");
  EXPECT_EQ(r.lines[0].unit, "St");
  EXPECT_EQ(r.lines[0].text, "Eier");
  EXPECT_EQ(r.lines[0].blsCode, "");
  EXPECT_EQ(r.lines[1].text, "Salz");
  EXPECT_EQ(r.lines[1].notOnShoppingList, 1);
  EXPECT_EQ(r.text, "Kochen.");
  EXPECT_EQ(r.recipeIdHigh, 0x01234567);
  EXPECT_EQ(r.recipeIdLow, 0x0FEDCBA9);
}

TEST_F(OldRecords, LineCountOver1000) {
  const REZBLOCK r = Read("old_record_line_count_over_1000.bok");
  EXPECT_TRUE(r.lines.empty());
  EXPECT_EQ(r.text, "Text nach Zeilen");
}

TEST_F(OldRecords, FoodFieldWithHash) {
  const REZBLOCK r = Read("old_record_food_field_hash.bok");
  ASSERT_EQ(r.lines.size(), 2u);
  EXPECT_EQ(r.lines[0].blsCode, "M010100");
  EXPECT_EQ(r.lines[0].grams, 120);
  EXPECT_EQ(r.lines[1].blsCode, "E111000");
  EXPECT_EQ(r.lines[1].grams, 0);
}

TEST_F(OldRecords, LineCountBeyondTheRecord) {
  const REZBLOCK r = Read("record_line_count_beyond_record.bok");
  ASSERT_EQ(r.lines.size(), 2u);
  EXPECT_EQ(r.lines[1].text, "Birne");
  EXPECT_EQ(r.lineCount, 2);
  EXPECT_EQ(r.text, "");
}

TEST_F(OldRecords, CutInsideTheAuthorList) {
  const REZBLOCK r = Read("record_cut_in_author_list.bok");
  EXPECT_EQ(r.title, "Abgeschnitten");
  EXPECT_EQ(r.servings, 3);
  EXPECT_EQ(r.hint, "Tipp");
  EXPECT_EQ(r.createdBy, "");  // the damaged list holds no whole pair
  EXPECT_EQ(r.quality, '0');
}

}  // namespace
}  // namespace tav
