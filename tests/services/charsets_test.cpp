#include "services/charsets.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/charset.h"
#include "platform/settings_store.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::WriteAll;

// A data root with the German language folder, options and a tools module.
struct CharsetEnv {
  CharsetEnv() {
    env.userSettings.WriteString(kRegParam, "AktLanguage", "DE");
    env.Options();
    ctx().tools = &tools;
  }
  std::string LangFolder() { return env.Root() + "Data/DE/"; }
  test::TestEnv env;
  TToolsMod tools;
};

// True when the bytes are well-formed UTF-8.
bool IsValidUtf8(const std::string& s) {
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (len == 0 || i + len > s.size()) return false;
    for (size_t k = 1; k < len; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += len;
  }
  return true;
}

TEST(UmlautRules, SpelledUmlautsBecomeUmlautsUnlessAnExceptionWordProtectsThem) {
  CharsetEnv e;
  WriteAll(e.LangFolder() + "umlconvs.dat", "#1\r\nQUE\r\n#2\r\nFEUER\r\n");
  LoadUmlautExceptions();
  ASSERT_EQ(e.tools.umlautExceptions.size(), 2u);

  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"Mueller", "M\xFCller"},
      {"AEPFEL", "\xC4PFEL"},
      {"aE", "\xE4"},
      {"Feuer und Muehle", "Feuer und M\xFChle"},
      {"frische Quellen", "frische Quellen"},
      {"Oel", "\xD6l"},
      {"ue", "\xFC"},  // a pair at the very start: only offset-0 words apply
      {"Salz", "Salz"},
  };
  for (const Case& c : cases) {
    std::string t = c.in;
    DosToAnsiUmlauts(t);
    EXPECT_EQ(t, c.out) << c.in;
  }
}

TEST(UmlautRules, ExceptionsNeedRoomBeforeThePairAndAMarkerMatchesAConvertedPair) {
  // "UE" at offset 1 protects a pair with one letter before it, never a pair at position 0.
  std::vector<UMLCONV> ex = {{"QUE", 1}, {std::string("M\x01") + "LLER", 1}};
  std::string t = "uebel Quelle";
  DosToAnsiUmlauts(t, ex, false);
  EXPECT_EQ(t,
            "\xFC"
            "bel Quelle");
  // The marker left by the converted "ue" lets a '?' word keep the following pair.
  t = "Muellerue";
  DosToAnsiUmlauts(t, {{std::string("\x01") + "LLERUE", 5}}, false);
  EXPECT_EQ(t, "M\xFCllerue");
}

TEST(UmlautRules, DosLettersMapBothWaysAndOptionsSwitchTheSteps) {
  CharsetEnv e;
  std::string t = "\x84\x94\x81\x8E\x99\x9A\xE1 Kaese";
  e.env.Options().SetParaBool(22, true);  // keep spelled-out umlauts
  DosToAnsiUmlauts(t);
  EXPECT_EQ(t, "\xE4\xF6\xFC\xC4\xD6\xDC\xDF Kaese");

  std::string ansi = "\xE4\xF6\xFC\xC4\xD6\xDC\xDF\xE8\xEE\xBB\xAB\xD8";
  std::string same = ansi;
  AnsiToDosUmlauts(same);
  EXPECT_EQ(same, ansi);  // option 21 off
  e.env.Options().SetParaBool(21, true);
  AnsiToDosUmlauts(ansi);
  EXPECT_EQ(ansi, "\x84\x94\x81\x8E\x99\x9A\xE1\x8A\x8C\xAF\xAE\x9B");

  std::string s =
      "Gr\xFC\xDF"
      "e aus K\xF6ln";
  TransliterateUmlauts(s);
  EXPECT_EQ(s,
            "Gr\xFC\xDF"
            "e aus K\xF6ln");  // option 31 off
  e.env.Options().SetParaBool(31, true);
  TransliterateUmlauts(s);
  EXPECT_EQ(s, "Gruesse aus Koeln");
}

TEST(UmlautRules, ExceptionFileOffsetsAndMarkers) {
  test::TempDir dir;
  WriteAll(dir.Path() + "u.dat",
           "EARLY\r\n#258\r\nA?B\r\n\r\n#3\r\nABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\n");
  std::vector<UMLCONV> list;
  ASSERT_TRUE(ReadUmlautExceptions(dir.Path() + "u.dat", list));
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].offset, 0);  // before the first '#' line
  EXPECT_EQ(list[1].word, std::string("A\x01") + "B");
  EXPECT_EQ(list[1].offset, 2);  // 258 modulo 256
  EXPECT_EQ(list[2].word.size(), 27u);
  EXPECT_EQ(list[2].offset, 3);
  EXPECT_FALSE(ReadUmlautExceptions(dir.Path() + "missing.dat", list));
  EXPECT_TRUE(list.empty());
}

// The conversion exactly as the rule reads: every pair, every word in list order. A "ue" after
// a vowel, a 'q' or a pair found before stays; a word matches in any case, its blank matches a
// word boundary (no letter, or the text's edge) and its 'E' the marker of a pair found before.
std::string SpelledUmlautsByTheRule(std::string t, const std::vector<UMLCONV>& ex) {
  auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
  auto letter = [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '\x01' ||
           (u >= 0xC0 && u != 0xD7 && u != 0xF7) || u == 0x8A || u == 0x8C || u == 0x8E ||
           u == 0x9A || u == 0x9C || u == 0x9E || u == 0x9F;
  };
  const std::string from = "aouAOU", to = "\xE4\xF6\xFC\xC4\xD6\xDC";
  bool converted = false;
  for (size_t p = 0; p + 1 < t.size(); ++p) {
    const size_t k = from.find(t[p]);
    if (k == std::string::npos || upper(t[p + 1]) != 'E') continue;
    if (upper(t[p]) == 'U' && p > 0 &&
        std::string("aeiouAEIOUqQ\x01\xE4\xF6\xFC\xC4\xD6\xDC").find(t[p - 1]) != std::string::npos)
      continue;
    bool kept = false;
    for (const UMLCONV& e : ex) {
      std::string word = e.word;
      for (char& c : word) c = UpperAnsi(c);
      const long start = static_cast<long>(p) - e.offset;
      size_t i = 0;
      for (; i < word.size(); ++i) {
        const long at = start + static_cast<long>(i);
        const bool inside = at >= 0 && at < static_cast<long>(t.size());
        const char c = inside ? t[static_cast<size_t>(at)] : '\0';
        if (word[i] == ' '
                ? inside && letter(c)
                : !inside || !(word[i] == UpperAnsi(c) || (word[i] == 'E' && c == '\x01')))
          break;
      }
      if (i == word.size()) {
        kept = true;
        break;
      }
    }
    if (kept) continue;
    t[p + 1] = '\x01';
    converted = true;
    ++p;
  }
  if (!converted) return t;
  std::string out;
  for (size_t i = 0; i < t.size(); ++i) {
    if (t[i] == '\x01') continue;
    out += i + 1 < t.size() && t[i + 1] == '\x01' ? to[from.find(t[i])] : t[i];
  }
  return out;
}

TEST(UmlautRules, SortedExceptionWordsDecideAsTheListInItsOrder) {
  std::vector<UMLCONV> ex;
  ASSERT_TRUE(
      ReadUmlautExceptions(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/umlconvs.dat", ex));
  ex.push_back({std::string("\x01") + "LLERUE", 5});  // a marker word
  ex.push_back({"XY", 4});                           // a word that ends before the pair
  ex.push_back({"hu?", 1});                          // lower case, a marker
  ex.push_back({"aeoe", 2});                         // wants the 'e' of a pair found before
  const char* pieces[] = {
      "ue",       "Ue",    "UE",   "ae",    "oe",   "aE",  "Q",   "Bl", "blue", "true ", "Mue",
      "ller",     "Feuer", "qu",   "e",     "a",    "o",   "u",   " ",  ",",    "XY",    "zuerst",
      "Tomatoes", "AE",    "\xFC", "Kaese", "noel", "Joe", "due", "-",  "i",    "h",     "\xE9"};
  std::mt19937 rng(5);
  const UmlautSpelling spelling(ex, false);
  for (int n = 0; n < 20000; ++n) {
    std::string t;
    const int parts = 1 + static_cast<int>(rng() % 8);
    for (int i = 0; i < parts; ++i) t += pieces[rng() % std::size(pieces)];
    std::string fast = t;
    spelling.Convert(fast);
    ASSERT_EQ(fast, SpelledUmlautsByTheRule(t, ex)) << t;
  }
  std::string kept = "Kaese";
  UmlautSpelling(ex, true).Convert(kept);  // option 22
  EXPECT_EQ(kept, "Kaese");
}

TEST(UmlautRules, TheShippedGermanWordsKeepEnglishWordsAndAVowelKeepsUe) {
  std::vector<UMLCONV> ex;
  ASSERT_TRUE(
      ReadUmlautExceptions(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/umlconvs.dat", ex));
  const UmlautSpelling spelling(ex, false);
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      // English words of real collections.
      {"Huevos Rancheros", "Huevos Rancheros"},
      {"Chop Suey", "Chop Suey"},
      {"Joe's Special; JOE", "Joe's Special; JOE"},
      {"remove the residue, as due", "remove the residue, as due"},
      {"the influence of gooey cheese", "the influence of gooey cheese"},
      {"BLUE FETTUCCINE", "BLUE FETTUCCINE"},
      {"blue", "blue"},
      {"Tuesday Canoe Poem", "Tuesday Canoe Poem"},
      {"fuel", "fuel"},
      // "ue" after a vowel or a q.
      {"Allgaeuer Bergkaese", "Allg\xE4uer Bergk\xE4se"},
      {"Feuer, Bauer, Mauer, neue Steuer", "Feuer, Bauer, Mauer, neue Steuer"},
      {"Quelle, Sauerkraut", "Quelle, Sauerkraut"},
      // An exception word protects itself, not the words that contain it.
      {"Olivenoel, SONNENBLUMENOEL", "Oliven\xF6l, SONNENBLUMEN\xD6L"},
      {"Noel", "Noel"},
      {"Gluehwein, Fuellung, Holunderblueten", "Gl\xFChwein, F\xFCllung, Holunderbl\xFCten"},
      {"Joerg aus Duesseldorf", "J\xF6rg aus D\xFCsseldorf"},
      // German words convert as before.
      {"Ernaehrung, Kaese, Gemuese, Moehren", "Ern\xE4hrung, K\xE4se, Gem\xFCse, M\xF6hren"},
  };
  for (const Case& c : cases) EXPECT_EQ(spelling.Converted(c.in), c.out) << c.in;
  // Exception words match in any case, as written in the file.
  EXPECT_EQ(UmlautSpelling({{"michael", 4}, {"Raphael", 4}}, false).Converted("Michael Raphael"),
            "Michael Raphael");
}

// A recipe written in Windows-1252 with signs its writer kept from DOS: each sign is read by the
// characters beside it, the line's other signs and letters stay Windows-1252.
TEST(ExchangeLines, DosSignsInAWindowsLineAreReadByTheirNeighbours) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"Bei 220\xF8" "C backen, Umluft 200 \xF8" "C.", "Bei 220\xB0" "C backen, Umluft 200 \xB0" "C."},
      {"oder 425\xF8" "F (Gas 7)", "oder 425\xB0" "F (Gas 7)"},
      {"220\xF8" "C", "220\xB0" "C"},
      // A Danish ø stays: no number before it, or a letter after the C.
      {"Sm\xF8rrebr\xF8" "d mit R\xE4ucherlachs", "Sm\xF8rrebr\xF8" "d mit R\xE4ucherlachs"},
      {"2 \xF8" "Cl", "2 \xF8" "Cl"},
      {"2 Dosen Tomaten (\x85 400 g)", "2 Dosen Tomaten (\xE0 400 g)"},
      {"H\xE4hnchen \x85 la Provence", "H\xE4hnchen \xE0 la Provence"},
      {"\x85 2 St\xFC" "ck", "\xE0 2 St\xFC" "ck"},
      // The ellipsis after a word, at the end or before other words stays.
      {"Salz, Pfeffer, Muskat\x85", "Salz, Pfeffer, Muskat\x85"},
      {"Kr\xE4uter \x85 nach Geschmack", "Kr\xE4uter \x85 nach Geschmack"},
  };
  ExchangeLineDecoder decoder(true);
  std::string first = "K\xE4se f\xFCr G\xE4ste";  // the recipe shows Windows-1252 letters
  decoder.Decode(first);
  for (const Case& c : cases) {
    std::string line = c.in;
    decoder.Decode(line);
    EXPECT_EQ(line, c.out) << c.in;
  }
}

TEST(ExchangeLines, EachLineIsReadInTheCodePageItsLettersShow) {
  struct Case {
    bool newRecipe;  // a recipe's start line came before this line
    const char* in;
    const char* out;
  } cases[] = {
      {false, "plain text", "plain text"},
      {false,
       "K\x84se, Gr\x94\xE1"
       "e, \x81"
       "ber",
       "K\xE4se, Gr\xF6\xDF"
       "e, \xFC"
       "ber"},  // DOS
      {false,
       "Caf\x82, Pi\xA4"
       "a, 180 \xF8"
       "C, \xAB l, \xAC TL,\xFFja",
       "Caf\xE9, Pi\xF1"
       "a, 180 \xB0"
       "C, \xBD l, \xBC TL,\xA0ja"},
      // Windows-1252 letters: that line alone is Windows-1252.
      {false,
       "K\xE4se \x84Oma\x93 10\x96"
       "15",
       "K\xE4se \x84Oma\x93 10\x96"
       "15"},
      {false,
       "180 \xF8"
       "C",
       "180 \xB0"
       "C"},  // no letters: as most lines of the recipe
      {false,
       "Gr\x81\xE1"
       "e",
       "Gr\xFC\xDF"
       "e"},
      // Box and block graphics are DOS and become signs; they never turn the recipe.
      {false, "\xDA\xC4\xC4\xC4\xC4\xBF", "+----+"},
      {false, "\xC4\xC4\xC4\xC4\xC4", "-----     "},  // no Meal-Master end line
      {false, "\xFE OLX 2.1 TD \xFE", "* OLX 2.1 TD *"},
      {false, "\xDB\xDB\xB0\xB1 \xCD\xCD\xCD\xCD\xCD \xB3\xBA x", "**   ----- || x"},
      {false,
       "350\xF8"
       "F, \xAB"
       " cup",
       "350\xB0"
       "F, \xBD"
       " cup"},
      // A Windows-1252 recipe in the same file: its lines without letters follow its own.
      {true,
       "Cr\xE8me fra\xEE"
       "che",
       "Cr\xE8me fra\xEE"
       "che"},
      {false,
       "180 \xB0"
       "C, \xBD l, \xD8 26 cm",
       "180 \xB0"
       "C, \xBD l, \xD8 26 cm"},
      {false,
       "10\x96"
       "15 Minuten",
       "10\x96"
       "15 Minuten"},
      // The next recipe shows no letters yet: the file's lines decide (most were DOS).
      {true,
       "350\xF8"
       "F",
       "350\xB0"
       "F"},
      {false,
       "K\xC3\xA4se St\xC3\xBC"
       "ck \xE2\x82\xAC \xE2\x85\x93",
       "K\xE4se St\xFC"
       "ck \x80 ?"},
  };
  ExchangeLineDecoder decoder(true);
  for (const Case& c : cases) {
    if (c.newRecipe) decoder.NewRecipe();
    std::string line = c.in;
    decoder.Decode(line);
    EXPECT_EQ(line, c.out) << c.in;
  }
  // A Windows-1252 file: lines without letters stay as they are from the first such line on,
  // and a lone ½ or Ø is no box sign.
  ExchangeLineDecoder ansi(true);
  for (const char* l : {"M\xF6hren und K\xE4se", "\xBD l Milch", "Form (\xD8 26 cm)"}) {
    std::string line = l;
    ansi.Decode(line);
    EXPECT_EQ(line, l);
  }
  // A byte-order mark goes at the start of a file only; clipboard text is never UTF-8.
  ExchangeLineDecoder file(true), clipboard(false);
  std::string first = "\xEF\xBB\xBF\xC3\xA9t\xC3\xA9", text = "\xC3\xA9t\xC3\xA9";
  file.Decode(first);
  clipboard.Decode(text);
  EXPECT_EQ(first, "\xE9t\xE9");
  EXPECT_EQ(text, "\xC3\xA9t\xC3\xA9");
}

TEST(XmlEscape, CafeCremeAndEveryHighCharacterGiveValidUtf8) {
  WideText w;
  XmlEscapeUtf8("Caf\xE9 & Cr\xE8me \x80", w);
  const WideText expected = {'C', 'a', 'f', 0xC3A9, ' ', '&', 'a', 'm',    'p', ';',
                             ' ', 'C', 'r', 0xC3A8, 'm', 'e', ' ', 0xE282, 0xAC};
  EXPECT_EQ(w, expected);
  EXPECT_EQ(WideTextBytes(w), "Caf\xC3\xA9 &amp; Cr\xC3\xA8me \xE2\x82\xAC");

  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  XmlEscapeUtf8(all, w);
  const std::string bytes = WideTextBytes(w);
  EXPECT_TRUE(IsValidUtf8(bytes));
  // Decoded back, every character is the one the Windows-1252 byte stands for.
  std::string escapedSource;
  for (char c : all) {
    switch (c) {
      case '<':
        escapedSource += "&lt;";
        break;
      case '>':
        escapedSource += "&gt;";
        break;
      case '&':
        escapedSource += "&amp;";
        break;
      case '"':
        escapedSource += "&quot;";
        break;
      case '\'':
        escapedSource += "&apos;";
        break;
      default:
        escapedSource += c;
    }
  }
  EXPECT_EQ(bytes, Cp1252ToUtf8(escapedSource));
}

TEST(XmlEscape, CStringsGiveOneUnitPerByte) {
  WideText w = u"old";
  AssignCString("a\xE4", w);
  EXPECT_EQ(w, (WideText{'a', 0xE4}));
  AppendCString("b", w);
  EXPECT_EQ(w, (WideText{'a', 0xE4, 'b'}));
  EXPECT_EQ(WideTextBytes(w),
            "a\xE4"
            "b");
}

TEST(TextEscapes, HtmlSortKeyAndLineBreaks) {
  std::string h = "<b>\"Salz & Pfeffer\"</b> 'x'";
  HtmlEscape(h);
  EXPECT_EQ(h, "&lt;b&gt;&quot;Salz &amp; Pfeffer&quot;&lt;/b&gt; 'x'");

  EXPECT_EQ(MakeSortKey("\xC4pfel s\xFC\xDF \xF6l \xE9"), "AEPFEL SUESS OEL \xE9");

  struct Case {
    const char* in;
    const char* out;
  } lf[] = {{"a\nb", "a\r\nb"}, {"a\r\nb", "a\r\nb"}, {"\n\n", "\r\n\r\n"}, {"a\rb", "a\rb"}};
  for (const Case& c : lf) {
    std::string t = c.in;
    LfToCrLf(t);
    EXPECT_EQ(t, c.out);
  }
  EXPECT_EQ(CrLfToBr("eins\r\nzwei\ndrei\r"), "eins<br>\nzwei\ndrei\r");
  EXPECT_EQ(CrLfToBr("ohne Umbruch"), "ohne Umbruch");
}

TEST(LetterCase, Windows1252LettersCompareWithoutCase) {
  EXPECT_EQ(UpperCaseAnsi("\xE4\xF6\xFC\xE9\xDF\xFF\x9A"
                          "abc"),
            "\xC4\xD6\xDC\xC9\xDF\x9F\x8A"
            "ABC");
  EXPECT_TRUE(SameTextNoCase("\xC4PFEL", "\xE4pfel"));
  EXPECT_FALSE(SameTextNoCase("Apfel", "\xC4pfel"));
  EXPECT_LT(CompareTextNoCase("\xC4pfel", "Birne"), 0);  // Ä sorts with A
  EXPECT_LT(CompareTextNoCase("apfel", "\xC4pfel"), 0);
  EXPECT_EQ(CompareTextNoCase("essl\xF6"
                              "ffel",
                              "ESSL\xD6"
                              "FFEL"),
            0);
  EXPECT_LT(CompareTextNoCase("(Alle Rezepte)", "Aufl\xE4ufe"), 0);
}

TEST(Charsets, CompareKeyOrdersAsTheComparison) {
  const char* texts[] = {"Apfel", "apfel", "\xC4pfel", "\xE4pfel", "Apfelmus", "Ap",  "Stra\xDF" "e",
                         "Strasse", "STRASSE", "(Alle Rezepte)", "!Blitz", "",  "zz", "\xC9" "clair"};
  for (const char* a : texts)
    for (const char* b : texts) {
      const int byKey = CompareKeyNoCase(a).compare(CompareKeyNoCase(b));
      const int direct = CompareTextNoCase(a, b);
      EXPECT_EQ(byKey < 0, direct < 0) << a << " / " << b;
      EXPECT_EQ(byKey == 0, direct == 0) << a << " / " << b;
    }
}

}  // namespace
}  // namespace tav
