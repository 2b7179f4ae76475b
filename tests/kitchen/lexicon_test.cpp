// The lexicon files: the index read from Lexika.ldt, entries appended, marked deleted and
// reorganised away, the chapter file, looking words up and finding the terms of a recipe, and
// the book compression reorganising the lexicon after the books.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "kitchen/lexicon/lexicon.h"
#include "kitchen/lexicon/lexicon_files.h"
#include "kitchen/lexicon/lexicon_terms.h"
#include "platform/paths.h"
#include "recipedb/book_compression.h"
#include "recipedb/book_test_util.h"
#include "recipedb/kill_points.h"
#include "recipedb/recipe_records.h"
#include "services/text_tools.h"
#include "support/read_faults.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

// A file written by hand: magic, then entries of the given header and text lines.
std::string Entry(const std::string& header, const std::string& text = "Text\r\n") {
  return header + text + "#\r\n";
}
const std::string kHead = "SAPLEX_1.00\r\n#\r\n";

class LexiconFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { env.LoadLanguage("DE"); }
  std::string Folder() const { return env.DataFolder() + "DE/"; }
  std::string DataFile() const { return Folder() + "Lexika.ldt"; }
  LexiconFiles Files() const { return LexiconFiles(Folder()); }
  std::vector<LEXINDEX> Index(bool* ok = nullptr) const {
    std::vector<LEXINDEX> index;
    const bool read = Files().LoadLexiconIndex(index);
    if (ok) *ok = read;
    return index;
  }
  std::vector<std::string> Titles() const {
    std::vector<std::string> out;
    for (const LEXINDEX& e : Index()) out.push_back(e.title);
    return out;
  }
  test::TestEnv env;
};

TEST_F(LexiconFilesTest, WrittenEditedDeletedAndReorganisedGivesTheGoldenFile) {
  const LexiconFiles files = Files();
  ASSERT_TRUE(files.AppendLexiconEntry(1, "Blanchieren",
                                       {"Abbr\xFChen", "",
                                        "\xDC"
                                        "berbr\xFChen"},
                                       "Gem\xFCse kurz in sprudelnd kochendes Salzwasser geben.\r\n"
                                       "Danach sofort in Eiswasser abschrecken."));
  ASSERT_TRUE(files.AppendLexiconEntry(
      1, "Legieren", {}, "Eine Suppe mit Eigelb und Sahne binden; nicht mehr kochen lassen."));
  ASSERT_TRUE(files.AppendLexiconEntry(2, "Roux", {"Mehlschwitze"},
                                       "#1 helle Mehlschwitze\r\n#2 braune Mehlschwitze"));
  std::vector<LEXINDEX> index = Index();
  ASSERT_EQ(index.size(), 3u);
  // Changed: the old version marked, the new one appended under another chapter.
  ASSERT_EQ(index[1].title, "Legieren");
  ASSERT_TRUE(files.MarkLexiconEntryDeleted(index[1]));
  ASSERT_TRUE(
      files.AppendLexiconEntry(3, "Legieren", {"Binden"},
                               "Suppen und So\xDF"
                               "en mit Eigelb und Sahne binden.\r\nNicht mehr kochen lassen.\r\n"));
  // Deleted.
  ASSERT_EQ(index[2].title, "Roux");
  ASSERT_TRUE(files.MarkLexiconEntryDeleted(index[2]));
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Blanchieren", "Legieren"}));

  std::vector<std::string> log;
  ASSERT_TRUE(files.ReorganizeLexicon([&log](const std::string& text, bool toStatus) {
    log.push_back((toStatus ? "S:" : "") + text);
  }));
  EXPECT_EQ(ReadAll(DataFile()),
            ReadAll(test::Fixture("lexicon_after_edit_delete_reorganise.ldt")));
  EXPECT_EQ(log, (std::vector<std::string>{"", "Lexikon wird reorganisiert ...",
                                           "\xDC"
                                           "bernommen: 2 von 4",
                                           "", "S:"}));
  // The text comes back as written, with the editor's own line ends.
  index = Index();
  ASSERT_EQ(index.size(), 2u);
  EXPECT_EQ(files.ReadLexiconText(index[1]),
            "Suppen und So\xDF"
            "en mit Eigelb und Sahne binden.\r\r\nNicht mehr kochen lassen.\r");
  EXPECT_EQ(files.ReadLexiconKeywords(index[0]),
            "Abbr\xFChen\r\n\xDC"
            "berbr\xFChen");
}

TEST_F(LexiconFilesTest, IndexReaderCases) {
  struct Case {
    const char* name;
    std::string bytes;  // "\x01" = no file
    bool ok;
    std::vector<std::string> titles;
  };
  const std::vector<Case> cases = {
      {"missing file", "\x01", false, {}},
      {"empty file", "", true, {}},
      {"no magic", "LEXIKON\r\n#\r\n" + Entry("B1\r\n>Salz\r\nF0\r\n"), false, {}},
      {"magic anywhere in the first line",
       "xSAPLEXy\r\n#\r\n" + Entry("B1\r\n>Salz\r\nF0\r\n"),
       true,
       {"Salz"}},
      {"deleted entry",
       kHead + Entry("B1\r\n>Salz\r\nF1\r\n") + Entry("B1\r\n>Zucker\r\nF0\r\n"),
       true,
       {"Zucker"}},
      {"two live versions in file order",
       kHead + Entry("B1\r\n>Salz\r\nF0\r\n", "erste\r\n") + Entry("B2\r\n>Salz\r\nF0\r\n"),
       true,
       {"Salz", "Salz"}},
      {"no status line",
       kHead + Entry("B1\r\n>Salz\r\n") + Entry("B1\r\n>Zucker\r\nF0\r\n"),
       true,
       {"Zucker"}},
      {"last entry without its #",
       kHead + Entry("B1\r\n>Salz\r\nF0\r\n") + "B1\r\n>Zucker\r\nF0\r\n",
       true,
       {"Salz"}},
      {"sorted without case",
       kHead + Entry("B1\r\n>zwiebel\r\nF0\r\n") + Entry("B1\r\n>\xC4pfel\r\nF0\r\n") +
           Entry("B1\r\n>Basilikum\r\nF0\r\n"),
       true,
       {"\xC4pfel", "Basilikum", "zwiebel"}},
      {"LF line ends", "SAPLEX_1.00\n#\nB1\n>Salz\nF0\nText\n#\n", true, {"Salz"}},
  };
  for (const Case& c : cases) {
    RemoveFile(DataFile());
    if (c.bytes != "\x01") WriteAll(DataFile(), c.bytes);
    bool ok = false;
    std::vector<std::string> titles;
    for (const LEXINDEX& e : Index(&ok)) titles.push_back(e.title);
    EXPECT_EQ(ok, c.ok) << c.name;
    EXPECT_EQ(titles, c.titles) << c.name;
  }
}

TEST_F(LexiconFilesTest, IndexHoldsChapterKeysAndOffsets) {
  const std::string bytes =
      kHead + Entry("B65535\r\n>R\xFChrei\r\n>R\xFChren\r\n>stocken\r\nF0\r\n",
                    "Eier verquirlen.\r\n#ist kein Ende\r\nin der Pfanne.\r\n");
  WriteAll(DataFile(), bytes);
  const std::vector<LEXINDEX> index = Index();
  ASSERT_EQ(index.size(), 1u);
  const LEXINDEX& e = index[0];
  EXPECT_EQ(e.chapter, -1);  // 65535 in 16 bits
  EXPECT_EQ(e.keywords, (std::vector<std::string>{"RUEHREN", "STOCKEN"}));
  EXPECT_EQ(bytes.substr(static_cast<size_t>(e.titlePos), 9), ">R\xFChrei\r\n");
  EXPECT_EQ(bytes.substr(static_cast<size_t>(e.statusPos), 4), "F0\r\n");
  // The keywords come back as typed; the text reader goes on past a line "#..." up to "#".
  EXPECT_EQ(Files().ReadLexiconKeywords(e), "R\xFChren\r\nstocken");
  EXPECT_EQ(Files().ReadLexiconText(e), "Eier verquirlen.\r\n#ist kein Ende\r\nin der Pfanne.");
}

TEST_F(LexiconFilesTest, MarkingDeletedChangesExactlyTheStatusBytes) {
  const std::string bytes = kHead + Entry("B1\r\n>Salz\r\nF0\r\n") +
                            Entry("B2\r\n>Zucker\r\nF0\r\n") + Entry("B2\r\n>Zimt\r\nF0\r\n");
  WriteAll(DataFile(), bytes);
  const std::vector<LEXINDEX> index = Index();
  ASSERT_EQ(index.size(), 3u);
  Files().MarkChapterEntriesDeleted(index, 2);
  std::string expected = bytes;
  for (const LEXINDEX& e : index)
    if (e.chapter == 2) expected[static_cast<size_t>(e.statusPos) + 1] = '1';
  EXPECT_EQ(ReadAll(DataFile()), expected);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Salz"}));
  // An index older than the file marks nothing where no status line stands.
  LEXINDEX stale = index[0];
  stale.statusPos = 3;
  EXPECT_FALSE(Files().MarkLexiconEntryDeleted(stale));
  EXPECT_EQ(ReadAll(DataFile()), expected);
}

TEST_F(LexiconFilesTest, AppendingStartsANewFileAndDropsAnEntryCutShort) {
  ASSERT_TRUE(Files().AppendLexiconEntry(2, "Salz", {}, ""));
  EXPECT_EQ(ReadAll(DataFile()), kHead + "B2\r\n>Salz\r\nF0\r\n\r\n#\r\n");
  ASSERT_EQ(Titles(), (std::vector<std::string>{"Salz"}));

  // The program stopped while writing an entry: what reached the file is no entry, neither now
  // nor once the next one is appended (closing it would make the half entry live).
  const std::string salz = Entry("B1\r\n>Salz\r\nF0\r\n");
  struct Cut {
    const char* name;
    std::string tail;
  };
  for (const Cut& c : {Cut{"in the text", "B1\r\n>Zucker\r\nF0\r\ns\xFC"},
                       Cut{"after a text line", "B1\r\n>Zucker\r\nF0\r\nsu\xDF\r\n"},
                       Cut{"in the status line", "B1\r\n>Zucker\r\nF"},
                       Cut{"in the title", "B1\r\n>Zu"}}) {
    SCOPED_TRACE(c.name);
    WriteAll(DataFile(), kHead + salz + c.tail);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Salz"}));
    ASSERT_TRUE(Files().AppendLexiconEntry(1, "Zimt", {"Ceylon"}, "Rinde"));
    const std::vector<LEXINDEX> index = Index();
    ASSERT_EQ(index.size(), 2u);
    EXPECT_EQ(index[0].title, "Salz");
    EXPECT_EQ(index[1].title, "Zimt");
    EXPECT_EQ(Files().ReadLexiconText(index[1]), "Rinde");
    EXPECT_EQ(Files().ReadLexiconKeywords(index[1]), "Ceylon");
    EXPECT_EQ(ReadAll(DataFile()), kHead + salz + "B1\r\n>Zimt\r\n>Ceylon\r\nF0\r\nRinde\r\n#\r\n");
  }
  // A closing line that lost only its line end is complete: its entry stays.
  WriteAll(DataFile(), kHead + "B1\r\n>Salz\r\nF0\r\nText\r\n#");
  ASSERT_TRUE(Files().AppendLexiconEntry(1, "Zimt", {}, "Rinde"));
  EXPECT_EQ(Titles(), (std::vector<std::string>{"Salz", "Zimt"}));
}

// A Lexika.ldt in another encoding (UTF-16 from an editor) or junk is no lexicon: the next
// entry neither cuts it to its first line nor joins it. It is kept as "Lexika.ldt.damaged",
// said once, and a new lexicon holds the entry.
TEST_F(LexiconFilesTest, AnEntryAppendedToAFileInAnotherEncodingKeepsThatFile) {
  std::string utf16 = "\xFF\xFE";
  for (char c : kHead + Entry("B1\r\n>Salz\r\nF0\r\n")) utf16 += std::string{c, '\0'};
  const std::string junk = std::string("\x00\x9D\x17\r\n\xFF\x00#\r\n", 10) + "B1\r\n#\r\n";
  for (const std::string& other : {utf16, junk}) {
    env.messages.shown.clear();
    WriteAll(DataFile(), other);
    for (const char* stale : {".damaged", ".damaged-2"}) RemoveFile(DataFile() + stale);
    EXPECT_TRUE(Titles().empty());
    ASSERT_TRUE(Files().AppendLexiconEntry(2, "Zimt", {}, "Rinde"));
    EXPECT_EQ(ReadAll(DataFile() + ".damaged"), other);
    EXPECT_EQ(ReadAll(DataFile()), kHead + "B2\r\n>Zimt\r\nF0\r\nRinde\r\n#\r\n");
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Zimt"}));
    ASSERT_EQ(env.messages.shown.size(), 1u);
    EXPECT_EQ(env.messages.shown[0].text,
              FormatLangText(GetLangText(1076), {DataFile(), DataFile() + ".damaged"}));
  }
}

// A lexicon of three entries whose last write was cut short (the half entry "Zucker").
struct CutLexicon {
  CutLexicon() {
    WriteAll(files.DataPath(),
             kHead + Entry("B1\r\n>Blanchieren\r\n>Abbr\xFChen\r\nF0\r\n", "Kurz kochen.\r\n") +
                 Entry("B1\r\n>Legieren\r\nF0\r\n", "Mit Eigelb binden.\r\n") +
                 Entry("B2\r\n>Roux\r\nF0\r\n", "Mehlschwitze.\r\n") +
                 "B2\r\n>Zucker\r\nF0\r\nSacchar");
  }
  // The live entries with their texts, as the program reads them.
  std::multimap<std::string, std::string> Live() const {
    std::vector<LEXINDEX> index;
    EXPECT_TRUE(files.LoadLexiconIndex(index));
    std::multimap<std::string, std::string> out;
    for (const LEXINDEX& e : index) out.emplace(e.title, files.ReadLexiconText(e));
    return out;
  }
  test::TempDir dir;
  LexiconFiles files{dir.Path()};
};

// Changing an entry as the entry editor does (the new version appended, the old one marked),
// killed before each file change: the entry shows its old or its new text (both only between
// the two steps), the other entries stay, and the half entry never becomes live, neither then
// nor when the next entry is appended.
TEST(LexiconKillPoints, ChangingAnEntry) {
  test::ForEachKillPoint<CutLexicon>(
      [](CutLexicon& l) {
        return [&l] {
          std::vector<LEXINDEX> index;
          ASSERT_TRUE(l.files.LoadLexiconIndex(index));
          ASSERT_EQ(index[1].title, "Legieren");
          if (l.files.AppendLexiconEntry(1, "Legieren", {"Binden"}, "Mit Eigelb und Sahne."))
            l.files.MarkLexiconEntryDeleted(index[1]);
        };
      },
      [](CutLexicon& l, int step) {
        const std::multimap<std::string, std::string> oldText = {
            {"Blanchieren", "Kurz kochen."}, {"Legieren", "Mit Eigelb binden."}, {"Roux", "Mehlschwitze."}};
        std::multimap<std::string, std::string> newText = oldText, both = oldText;
        newText.find("Legieren")->second = "Mit Eigelb und Sahne.";
        both.emplace("Legieren", "Mit Eigelb und Sahne.");
        const auto live = l.Live();
        if (step < 0)
          EXPECT_EQ(live, newText);
        else
          EXPECT_TRUE(live == oldText || live == newText || live == both) << live.size();
        ASSERT_TRUE(l.files.AppendLexiconEntry(3, "Zimt", {}, "Rinde."));
        auto after = live;
        after.emplace("Zimt", "Rinde.");
        EXPECT_EQ(l.Live(), after);
      });
}

TEST_F(LexiconFilesTest, ATextLineBeginningWithHashStaysInItsEntry) {
  ASSERT_TRUE(Files().AppendLexiconEntry(1, "Roux", {}, "#1 hell\r\n#\r\n#2 braun"));
  ASSERT_TRUE(Files().AppendLexiconEntry(1, "Salz", {}, "Kochsalz"));
  const std::vector<LEXINDEX> index = Index();
  ASSERT_EQ(index.size(), 2u);
  EXPECT_EQ(Files().ReadLexiconText(index[0]), " #1 hell\r\r\n #\r\r\n #2 braun");
  EXPECT_EQ(Files().ReadLexiconText(index[1]), "Kochsalz");
}

TEST_F(LexiconFilesTest, ReorganisingThirtyEntriesLogsProgressAndCount) {
  std::string bytes = kHead;
  for (int i = 0; i < 30; ++i)
    bytes +=
        Entry("B1\r\n>Eintrag " + std::to_string(i) + "\r\nF" + (i % 7 == 3 ? "1" : "0") + "\r\n");
  WriteAll(DataFile(), bytes);
  std::vector<std::string> lines, status;
  ASSERT_TRUE(Files().ReorganizeLexicon([&](const std::string& text, bool toStatus) {
    (toStatus ? status : lines).push_back(text);
  }));
  EXPECT_EQ(lines, (std::vector<std::string>{"", "Lexikon wird reorganisiert ...",
                                             "\xDC"
                                             "bernommen: 26 von 30",
                                             ""}));
  // The "#" after the magic line counts among the 13th and 26th.
  EXPECT_EQ(status, (std::vector<std::string>{"(10 von 13)", "(21 von 26)", ""}));
  EXPECT_EQ(Index().size(), 26u);
}

TEST_F(LexiconFilesTest, ReorganisingRefusesAFileWithoutMagicAndKeepsIt) {
  EXPECT_FALSE(Files().ReorganizeLexicon(nullptr));  // no file
  const std::string bytes = "Rezepte\r\n" + Entry("B1\r\n>Salz\r\nF1\r\n");
  WriteAll(DataFile(), bytes);
  EXPECT_FALSE(Files().ReorganizeLexicon(nullptr));
  EXPECT_EQ(ReadAll(DataFile()), bytes);
}

TEST_F(LexiconFilesTest, ReorganisingWritesHeadersCanonicallyAndDropsCutEntries) {
  WriteAll(DataFile(), kHead + "B7\r\nX fremd\r\n>Salz\r\n>Meer\r\nF2\r\nText\r\n#\r\n" +
                           "B1\r\n>Zucker\r\nF0\r\nohne Ende\r\n");
  ASSERT_TRUE(Files().ReorganizeLexicon(nullptr));
  EXPECT_EQ(ReadAll(DataFile()), kHead + "B7\r\n>Salz\r\n>Meer\r\nF0\r\nText\r\n#\r\n");
}

// Lines far past the 998 bytes of the old line buffer: title, keyword and text come back whole,
// the entry after them is not split off, and a reorganisation keeps them.
TEST_F(LexiconFilesTest, LongLinesAreReadWhole) {
  std::string title = "Gem\xFCsebr\xFChe";
  while (title.size() < 1200) title += " mit Sellerie, Lauch und M\xF6hren";
  std::string keyword = "Fond";
  while (keyword.size() < 1500) keyword += " ausgekocht";
  std::string text = "Knochen";
  while (text.size() < 5000) text += " langsam ausk\xFChlen, #entfetten,";
  WriteAll(DataFile(), kHead +
                           Entry("B3\r\n>" + title + "\r\n>" + keyword + "\r\nF0\r\n",
                                 text + "\r\nzweite Zeile\r\n") +
                           Entry("B3\r\n>Zucker\r\nF0\r\n"));
  for (const bool reorganised : {false, true}) {
    if (reorganised) {
      ASSERT_TRUE(Files().ReorganizeLexicon(nullptr));
    }
    const std::vector<LEXINDEX> index = Index();
    ASSERT_EQ(index.size(), 2u) << reorganised;
    const LEXINDEX& e = index[0].title == "Zucker" ? index[1] : index[0];
    EXPECT_EQ(e.title, title) << reorganised;
    EXPECT_EQ(Files().ReadLexiconKeywords(e), keyword) << reorganised;
    EXPECT_EQ(Files().ReadLexiconText(e), text + "\r\nzweite Zeile") << reorganised;
  }
}

TEST_F(LexiconFilesTest, ChapterFile) {
  const std::string path = Folder() + "Lexika.lbk";
  std::vector<LEXBOOKS> chapters;
  // None there: the three default chapters are written and read.
  Files().LoadLexiconChapters(chapters);
  EXPECT_EQ(ReadAll(path), "Techniken#1\r\nZutaten#2\r\nSonstiges#3\r\n");
  ASSERT_EQ(chapters.size(), 3u);
  EXPECT_EQ(chapters[0].name, "Sonstiges");

  WriteAll(path, "Zutaten#2\r\nohne Nummer\r\nBasis#7\r\n");
  Files().LoadLexiconChapters(chapters);
  ASSERT_EQ(chapters.size(), 2u);
  EXPECT_EQ(chapters[0].name, "Basis");
  EXPECT_EQ(chapters[0].number, 7);
  EXPECT_EQ(chapters[1].name, "Zutaten");
  EXPECT_EQ(ChapterNumberByName(chapters, "Zutaten"), 2);
  EXPECT_EQ(ChapterNumberByName(chapters, "zutaten"), 0);

  chapters.push_back({"\xC4pfel", 65535});
  SortLexiconChapters(chapters);
  ASSERT_TRUE(Files().SaveLexiconChapters(chapters));
  EXPECT_EQ(ReadAll(path), "\xC4pfel#65535\r\nBasis#7\r\nZutaten#2\r\n");

  // A chapter name holding "#" comes back whole with its own number.
  chapters = {{"Saucen #1", 4}, {"Saucen #2", 5}, {"Basis", 7}};
  ASSERT_TRUE(Files().SaveLexiconChapters(chapters));
  Files().LoadLexiconChapters(chapters);
  ASSERT_EQ(chapters.size(), 3u);
  EXPECT_EQ(chapters[1].name, "Saucen #1");
  EXPECT_EQ(chapters[1].number, 4);
  EXPECT_EQ(chapters[2].name, "Saucen #2");
  EXPECT_EQ(chapters[2].number, 5);
}

TEST(LexiconChapterNumbers, NewNumbersAreFreeAndBounded) {
  EXPECT_EQ(NewChapterNumber({}, nullptr), 1);
  std::vector<LEXBOOKS> chapters = {{"a", 1}, {"b", 3}};
  EXPECT_EQ(NewChapterNumber(chapters, [](int) { return 0; }), 2);
  EXPECT_EQ(NewChapterNumber(chapters, [](int count) { return count - 1; }), 998);
  for (int n = 1; n <= 998; ++n) chapters.push_back({"c", n});
  EXPECT_EQ(NewChapterNumber(chapters, [](int) { return 0; }), 0);
}

// --- looking up -------------------------------------------------------------------------------

std::vector<LEXINDEX> SampleIndex() {
  // In title order, as the index reader gives it.
  return {{"Abschrecken", {"SALZ"}, 1, 10, 5},
          {"Pfeffer", {}, 2, 20, 15},
          {"Ruehrei", {"STOCKEN"}, 1, 30, 25},
          {"Salz", {}, 2, 40, 35}};
}

TEST(LexiconLookup, WordsMatchTitlesAndKeywordsByTheirKeys) {
  LexiconKeys keys;
  keys.Build(SampleIndex());
  struct Case {
    const char* word;
    bool withKeywords;
    int found;
  };
  const Case cases[] = {
      {"R\xFChrei", false, 2}, {"RUEHREI", false, 2}, {"ruehrei", true, 2},
      {"Stocken", false, -1},  {"Stocken", true, 2},  {"(Salz)", true, -1},
      {"Salz", false, 3},      {"Salz", true, 0},  // the keyword of an earlier entry wins
      {"Pfeffer,", true, -1},  {"", true, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(keys.Find(c.word, c.withKeywords), c.found) << c.word;
}

TEST(LexiconLookup, RecipeTermsAreSortedAndListedOnceEach) {
  LexiconKeys keys;
  keys.Build(SampleIndex());
  REZBLOCK r;
  ClearRezBlock(r);
  r.title = "R\xFChrei mit Speck";
  r.lines = {{"1", "Pr", "Salz", "", 0, 0},
             {"", "", "Salz, Pfeffer", "", 0, 0},
             {"", "", "(Salz)", "", 0, 0},
             {"", "", "-salz nach Geschmack", "", 0, 0},
             {"1", "TL", "Salz", "", 0, 0}};
  r.text = "Die Eier stocken lassen;\tmit\r\nSalz abschmecken.";
  r.remarks = {{"--Pfeffer: frisch", "Anna"}};
  const std::vector<LEXINDEXAKTREZ> terms = FindRecipeLexiconTerms(keys, r);
  std::vector<std::string> words;
  for (const auto& t : terms) words.push_back(t.word + "=" + std::to_string(t.entryIndex));
  EXPECT_EQ(words, (std::vector<std::string>{"Pfeffer=1", "R\xFChrei=2", "Salz=0", "salz=0",
                                             "stocken=2"}));
}

// --- the book compression ---------------------------------------------------------------------

class Compression : public BookCompression {};

TEST(LexiconReorganisation, CompressingABookAlsoReorganisesTheLexicon) {
  test::BookEnv books("Hausbuch");
  REZBLOCK r = test::RichRecipe(1);
  books.AddRecipe(r);
  const std::string ldt = books.env.DataFolder() + "DE/Lexika.ldt";
  WriteAll(ldt, kHead + Entry("B1\r\n>Salz\r\nF1\r\n") + Entry("B1\r\n>Zucker\r\nF0\r\n"));
  Compression run;
  {
    CookingLexicon lexicon;
    lexicon.LoadLexiconIndex();
    ASSERT_EQ(lexicon.CountLexiconEntries(), 1);
    EXPECT_FALSE(run.ReorgKBook("Hausbuch"));
    run.FinishReorgRun();
    EXPECT_EQ(ReadAll(ldt), kHead + Entry("B1\r\n>Zucker\r\nF0\r\n"));
    // The index was read again: its offsets are those of the new file.
    ASSERT_EQ(lexicon.CountLexiconEntries(), 1);
    EXPECT_EQ(lexicon.Files().ReadLexiconText(lexicon.index[0]), "Text");
    const auto& log = run.LogLines();
    EXPECT_NE(std::find(log.begin(), log.end(),
                        "\xDC"
                        "bernommen: 1 von 2"),
              log.end());
  }
  // Without a lexicon the run ends as before.
  WriteAll(ldt, kHead + Entry("B1\r\n>Salz\r\nF1\r\n"));
  run.FinishReorgRun();
  EXPECT_EQ(ReadAll(ldt), kHead + Entry("B1\r\n>Salz\r\nF1\r\n"));
  EXPECT_EQ(books.store.BookIndex().size(), 1u);
}

// A lexicon as it grows over the years: 612 entries with texts of several lines, 170 of them
// changed or deleted (marked "F1"), about 150 KB, so that it is read in several blocks.
std::string GrownLexicon() {
  const char* const words[] = {"Abbr\xFChen",     "Blanchieren", "D\xFCnsten", "Gratinieren",
                               "Karamellisieren", "Pochieren",   "Sautieren",  "Schm\xF6ren"};
  std::string bytes = kHead;
  for (int i = 0; i < 612; ++i) {
    const std::string word = std::string(words[i % 8]) + " " + std::to_string(i);
    std::string text;
    for (int line = 0; line < 3; ++line)
      text += "Das Gargut bei m\xE4\xDFiger Hitze " + std::to_string(line + 1) +
              " bis 2 Minuten behandeln, dabei gelegentlich wenden und mit Gew\xFCrzen "
              "abschmecken.\r\r\n";
    bytes += Entry("B" + std::to_string(i % 3 + 1) + "\r\n>" + word + "\r\n>" + words[(i + 3) % 8] +
                       "\r\nF" + (i % 18 < 5 ? "1" : "0") + "\r\n",
                   text);
  }
  return bytes;
}

// The compression of a book with its lexicon reorganisation, with a read error at each of its
// reads in turn. The lexicon is written anew only from a whole read and otherwise left as it
// was, with a line in the run's log; the book keeps every recipe.
TEST(LexiconReorganisation, AReadErrorAtAnyReadOfTheRunNeverShortensTheLexicon) {
  const std::string grown = GrownLexicon();
  ASSERT_GT(grown.size(), 2u << 16);
  std::string reorganised;
  for (int n = 0;; ++n) {
    SCOPED_TRACE("read " + std::to_string(n));
    test::BookEnv books("Hausbuch");
    for (int i = 0; i < 3; ++i) {
      REZBLOCK r = test::RichRecipe(i);
      books.AddRecipe(r);
    }
    REZINDEX gone = books.store.BookIndex()[1];
    gone.deleted = 1;
    ASSERT_TRUE(books.store.WriteIndexEntry(gone, 1));
    const std::string ldt = books.env.DataFolder() + "DE/Lexika.ldt";
    WriteAll(ldt, grown);
    Compression run;
    CookingLexicon lexicon;
    ASSERT_TRUE(lexicon.LoadLexiconIndex());
    ASSERT_EQ(lexicon.CountLexiconEntries(), 442);
    test::NthReadFault fault(n);  // 0: no read fails
    run.ReorgKBook("Hausbuch");
    run.FinishReorgRun();
    fault.Off();
    if (n > 0 && !fault.Hit()) break;
    const auto& log = run.LogLines();
    std::string lines;
    for (const std::string& line : log) lines += line + "\n";
    const bool said =
        lines.find(FormatLangText(GetLangText(1090), {"Lexika.ldt"}) + "\n") != std::string::npos;
    const std::string now = ReadAll(ldt);
    if (n == 0) {
      reorganised = now;
      size_t live = 0;
      for (size_t at = now.find("\r\nF0\r\n"); at != std::string::npos;
           at = now.find("\r\nF0\r\n", at + 1))
        ++live;
      EXPECT_EQ(live, 442u);
      EXPECT_NE(std::find(log.begin(), log.end(),
                          "\xDC"
                          "bernommen: 442 von 612"),
                log.end());
    } else if (fault.FailedPath() == ldt && now == grown) {
      // The reorganisation's read failed: said in the log, the status line emptied.
      EXPECT_TRUE(said);
      EXPECT_EQ(run.StatusText(), "");
    } else {
      // Another file failed, or the lexicon's read after it was written anew.
      EXPECT_EQ(now, reorganised) << fault.FailedPath();
      EXPECT_FALSE(said);
    }
    if (fault.FailedPath() != ldt) {
      EXPECT_EQ(lexicon.CountLexiconEntries(), 442);
    }
    // Whatever read failed, the book keeps its recipes.
    TdbList store;
    ctx().dbList = &store;
    store.ReloadBookIndex();
    std::vector<std::string> live;
    for (const REZINDEX& e : store.BookIndex())
      if (e.deleted == 0) live.push_back(e.Title());
    EXPECT_EQ(live,
              (std::vector<std::string>{test::RichRecipe(0).title, test::RichRecipe(2).title}));
    ctx().dbList = &books.store;
  }
}

}  // namespace
}  // namespace tav

namespace tav {
namespace {

// The lexicons shipped in both languages: readable, every entry in a chapter and with a text,
// and the usual kitchen words found.
TEST(ShippedLexicon, BothLanguagesHoldTheirEntries) {
  struct Case {
    const char* lang;
    std::vector<std::string> words;  // each must be found, with keywords
  };
  const Case cases[] = {
      {"DE",
       {"blanchieren", "abschrecken", "legieren", "Roux", "Mehlschwitze", "julienne", "sautieren",
        "pochieren", "R\xFChrei", "Kerntemperatur"}},
      {"EN",
       {"blanch", "refresh", "liaison", "roux", "julienne", "saute", "poach", "sear", "braise",
        "zest"}},
  };
  for (const Case& c : cases) {
    const LexiconFiles files(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + c.lang + "/");
    std::vector<LEXINDEX> index;
    ASSERT_TRUE(files.LoadLexiconIndex(index)) << c.lang;
    EXPECT_GE(index.size(), 150u) << c.lang;
    std::vector<LEXBOOKS> chapters;
    files.LoadLexiconChapters(chapters);
    EXPECT_EQ(chapters.size(), 7u) << c.lang;
    for (const LEXINDEX& e : index) {
      bool known = false;
      for (const LEXBOOKS& ch : chapters) known = known || ch.number == e.chapter;
      EXPECT_TRUE(known) << c.lang << " " << e.title;
      EXPECT_GT(files.ReadLexiconText(e).size(), 20u) << c.lang << " " << e.title;
    }
    LexiconKeys keys;
    keys.Build(index);
    for (const std::string& w : c.words) EXPECT_GE(keys.Find(w, true), 0) << c.lang << " " << w;
  }
}

}  // namespace
}  // namespace tav
