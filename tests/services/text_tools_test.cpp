#include "services/text_tools.h"

#include <gtest/gtest.h>

#include "platform/settings_store.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "support/test_env.h"

namespace tav {
namespace {

using Lines = std::vector<std::string>;

TEST(SplitText, WordsLinesAndPhrases) {
  struct Case {
    const char* text;
    int mode;
    Lines pieces;
  } cases[] = {
      {"Salz, Pfeffer; Zucker.", kSplitPhrases, {"Salz", "Pfeffer", "Zucker"}},
      {"  eins zwei,drei:\tvier\r\n\r\nf\xFCnf",
       kSplitWords,
       {"eins", "zwei", "drei", "vier", "f\xFCnf"}},
      {"erste Zeile  \r\n  zweite, mit Komma\n\nletzte",
       kSplitLines,
       {"erste Zeile  ", "zweite, mit Komma", "letzte"}},
      {"Mehl . Salz ,", kSplitPhrases, {"Mehl ", "Salz "}},
      {"", kSplitWords, {}},
  };
  for (const Case& c : cases) {
    Lines out = {"old"};
    SplitText(c.text, out, c.mode);
    EXPECT_EQ(out, c.pieces) << c.text;
  }
}

TEST(WrapText, LinesBreakAtBlanksOrHard) {
  struct Case {
    const char* text;
    int mode;
    unsigned width;
    Lines lines;
  } cases[] = {
      {"eins zwei drei", 0, 10, {"eins zwei", "drei"}},
      {"Absatz eins\r\n\r\nAbsatz zwei", 0, 40, {"Absatz eins", "", "Absatz zwei"}},
      {"Donaudampfschifffahrt", 0, 8, {"Donaudam", "pfschiff", "fahrt"}},
      {"Zwiebeln; fein gehackt", 1, 80, {"Zwiebeln", "fein gehackt"}},
      {"Kartoffeln, festkochend, geschaelt; in Wuerfel geschnitten und gewaschen",
       1,
       80,
       // a first line that has to wrap takes the note along
       {"Kartoffeln, festkochend,", "geschaelt; in Wuerfel", "geschnitten und gewaschen"}},
      {"a\n\n\nb\n", 0, 5, {"a", "", "", "b"}},
  };
  for (const Case& c : cases) {
    Lines out = {"kept"};
    WrapText(c.text, out, c.mode, c.width);
    Lines expected = {"kept"};
    expected.insert(expected.end(), c.lines.begin(), c.lines.end());
    EXPECT_EQ(out, expected) << c.text;
  }
}

TEST(NormalizeTitle, ModesAndTitleWords) {
  const Lines words = {"MIT", "UND", "IN", "#", "BBQ", "XXL"};
  struct Case {
    int mode;
    const char* in;
    const char* out;
  } cases[] = {
      {2, "KARTOFFELSUPPE MIT SPECK", "Kartoffelsuppe mit Speck"},
      {2, "Kartoffelsuppe mit Speck", "Kartoffelsuppe mit Speck"},
      {2, "MIT SPECK UND EI", "Mit Speck und Ei"},
      {2, "CHILI-CON-CARNE", "Chili-Con-Carne"},
      {2, "BBQ-RIPPCHEN IN XXL-SOSSE", "Bbq-Rippchen in Xxl-Sosse"},
      {2, "RIPPCHEN VOM GRILL BBQ", "Rippchen Vom Grill BBQ"},
      {2, "\"\xC4PFEL IM\" SCHLAFROCK", "\xC4pfel Im Schlafrock"},
      {2, "'OMAS' KUCHEN 'X'", "Omas Kuchen 'X'"},
      {2, "GEM\xDCSE  (2)  3-ERLEI", "Gem\xFCse  (2)  3-Erlei"},
      // Accented capitals are letters like any other.
      {2, "CR\xCAPES SUZETTE", "Cr\xEApes Suzette"},
      {2,
       "\xC9"
       "CLAIRS MIT CR\xC8ME BR\xDBL\xC9"
       "E",
       "\xC9"
       "clairs mit Cr\xE8me Br\xFBl\xE9"
       "e"},
      {2, "PA\xCBLLA \xC0 LA MAISON", "Pa\xEBlla \xC0 La Maison"},
      {1, "cr\xEApes \xE0 la fran\xE7" "aise", "CR\xCAPES \xC0 LA FRAN\xC7" "AISE"},
      {1,
       "s\xFC\xDF"
       "e So\xDF"
       "e",
       "S\xDCSSE SOSSE"},
      {1, "\"zitat\" mit", "ZITAT MIT"},
      {0, "\"GANZ\" so", "\"GANZ\" so"},
  };
  for (const Case& c : cases) {
    std::string t = c.in;
    NormalizeTitle(t, c.mode, words);
    EXPECT_EQ(t, c.out) << c.in;
  }
}

TEST(NormalizeTitle, WordsComeFromTheLanguageFolderOnFirstUse) {
  test::TestEnv env;
  env.userSettings.WriteString(kRegParam, "AktLanguage", "DE");
  env.Options();
  TToolsMod tools;
  ctx().tools = &tools;

  std::string t = "SUPPE MIT NUDELN";
  NormalizeTitle(t);  // no file yet: every word capitalised, tried again next time
  EXPECT_EQ(t, "Suppe Mit Nudeln");
  EXPECT_TRUE(tools.titleWords.empty());

  test::WriteAll(env.Root() + "Data/DE/NormTitle.dat", "MIT\r\n\r\n#\r\nTK\r\n");
  t = "SUPPE MIT TK-NUDELN TK";
  NormalizeTitle(t);
  EXPECT_EQ(t, "Suppe mit Tk-Nudeln TK");
  EXPECT_EQ(tools.titleWords, (Lines{"MIT", "#", "TK"}));

  env.Options().SetParaInt(73, 1);
  t = "Suppe";
  NormalizeTitle(t);
  EXPECT_EQ(t, "SUPPE");
}

TEST(FormatLangText, PlaceholdersTakeTheValuesInOrderAndBadOnesStay) {
  EXPECT_EQ(FormatLangText("Das Rezept ist f\xFCr %d %s angegeben.", {"4", "Personen"}),
            "Das Rezept ist f\xFCr 4 Personen angegeben.");
  EXPECT_EQ(FormatLangText("%d%% in %d s", {"5", "3"}), "5% in 3 s");
  // More placeholders than values, unknown ones and a lone '%' at the end stay as written.
  EXPECT_EQ(FormatLangText("%s %n %x %d %", {"a"}), "a %n %x %d %");
}

}  // namespace
}  // namespace tav
