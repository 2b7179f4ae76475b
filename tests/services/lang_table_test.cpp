#include <gtest/gtest.h>

#include "services/context.h"
#include "services/lang_table.h"
#include "support/lang_lines.h"
#include "support/test_env.h"

namespace tav {
namespace {

using test::CtrlLine;
using test::HeaderLine;
using test::ItemLine;

TEST(LangTable, ParsesDialogsMenusToolBarsAndMessages) {
  LangTable t;
  t.SetDialogBaseUnits(8, 16);
  t.Parse({
      "/ comment",
      HeaderLine('#', "ParaDlg", "\"Optionen"),
      CtrlLine("OKBtn", 5, 4, 11, 2, "TButton", "OK\""),
      CtrlLine("PageCtl", 0, 0, 100, 50, "TPageControl", "Allgemein|Export"),
      HeaderLine('#', "Empty", "\"never stored"),
      HeaderLine('$', "MainFrm", "MainMenu"),
      ItemLine("DateiItem", "&Datei"),
      ItemLine("HelpItem", "&Hilfe\"#\"112\"#\"Hilfe anzeigen"),
      ItemLine("CopyItem", "Kopieren\"#\"67 Ctrl\"#\"Kopiert"),
      ItemLine("EmptyKey", "Neu\"#\"\"#\"Ein neues Rezept"),
      ItemLine("LetterKey", "Suchen\"#\"F Shift Alt\"#\"Suchen"),
      ItemLine("WordsInHint", "Person\"#\"83\"#\"Alter und Gewicht: Shift, Ctrl"),
      ItemLine("Umlaut", "X\"#\"\xC4\"#\""),
      HeaderLine('%', "MainFrm", "ignored"),
      ItemLine("NewBtn", "Neu\"#\"Neues Rezept"),
      ItemLine("CapOnly", "Nur"),
      ItemLine("EmptyBtn", ""),
      "~",
      "not yet a message",
      "0000000Null",
      "",
      "/ a comment between messages",
      "0000009Eins\\nzwei \\x \"",
      "0000002Ende mit Blank \"\"",
      "Z stops reading",
      "0000003never read",
  });
  ASSERT_EQ(t.Dialogs().size(), 1u);  // "Empty" has no controls and is dropped
  const auto* d = t.FindDialog("ParaDlg");
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->caption, "Optionen");
  ASSERT_EQ(d->controls.size(), 2u);
  EXPECT_EQ(d->controls[0].name, "OKBtn");
  EXPECT_EQ(d->controls[0].className, "TButton");
  EXPECT_EQ(d->controls[0].text, "OK");
  EXPECT_EQ(d->controls[0].left, 10);
  EXPECT_EQ(d->controls[0].width, 22);
  EXPECT_EQ(d->controls[0].top, 8);
  EXPECT_EQ(d->controls[0].height, 4);
  EXPECT_EQ(d->controls[1].text, "Allgemein|Export");

  std::string cap, hint;
  uint16_t key = 1;
  uint8_t mods = 9;
  ASSERT_TRUE(t.FindMenuText("MainFrm", "MainMenu", "HelpItem", cap, hint, key, mods));
  EXPECT_EQ(cap, "&Hilfe");
  EXPECT_EQ(hint, "Hilfe anzeigen");
  EXPECT_EQ(key, 112);
  EXPECT_EQ(mods, 0);
  ASSERT_TRUE(t.FindMenuText("MainFrm", "MainMenu", "CopyItem", cap, hint, key, mods));
  EXPECT_EQ(key, 67);
  EXPECT_EQ(mods, LangTable::kCtrl);
  ASSERT_TRUE(t.FindMenuText("MainFrm", "MainMenu", "EmptyKey", cap, hint, key, mods));
  EXPECT_EQ(key, 0);
  EXPECT_EQ(hint, "Ein neues Rezept");
  ASSERT_TRUE(t.FindMenuText("MainFrm", "MainMenu", "LetterKey", cap, hint, key, mods));
  EXPECT_EQ(key, 'F');
  EXPECT_EQ(mods, LangTable::kShift | LangTable::kAlt);
  // Modifier words of the hint are no part of the short-cut.
  ASSERT_TRUE(t.FindMenuText("MainFrm", "MainMenu", "WordsInHint", cap, hint, key, mods));
  EXPECT_EQ(key, 83);
  EXPECT_EQ(mods, 0);
  EXPECT_EQ(hint, "Alter und Gewicht: Shift, Ctrl");
  ASSERT_TRUE(t.FindMenuText("MainFrm", "MainMenu", "Umlaut", cap, hint, key, mods));
  EXPECT_GT(key, 255);  // a character above 127 gives no short-cut
  ASSERT_TRUE(t.FindMenuText("MainFrm", "MainMenu", "DateiItem", cap, hint, key, mods));
  EXPECT_EQ(cap, "&Datei");
  EXPECT_EQ(key, 0);
  EXPECT_FALSE(t.FindMenuText("Other", "MainMenu", "DateiItem", cap, hint, key, mods));

  ASSERT_TRUE(t.FindToolButtonText("MainFrm", "NewBtn", cap, hint));
  EXPECT_EQ(cap, "Neu");
  EXPECT_EQ(hint, "Neues Rezept");
  ASSERT_TRUE(t.FindToolButtonText("MainFrm", "CapOnly", cap, hint));
  EXPECT_EQ(hint, "");
  EXPECT_FALSE(t.FindToolButtonText("MainFrm", "EmptyBtn", cap, hint));

  ASSERT_EQ(t.MessageCount(), 3u);
  EXPECT_EQ(t.GetLangText(0), "Null");
  EXPECT_EQ(t.GetLangText(1), "Eins\nzwei \\x ");  // numbered by position, not by its column
  EXPECT_EQ(t.GetLangText(2), "Ende mit Blank ");
  EXPECT_EQ(t.GetLangText(3), "{3}");
}

TEST(LangTable, WithoutTildeThereAreNoMessagesAndTheLastDialogIsLost) {
  LangTable t;
  t.Parse({HeaderLine('#', "A", "\"A"), CtrlLine("X", 0, 0, 1, 1, "TLabel", "x")});
  EXPECT_TRUE(t.Dialogs().empty());
  EXPECT_EQ(t.GetLangText(0), "{0}");
}

TEST(LangTable, ShortLinesGiveEmptyFieldsNotLeftoversOfTheLineBefore) {
  LangTable t;
  t.SetDialogBaseUnits(4, 8);
  t.Parse({HeaderLine('#', "Dlg", "\"Caption"), CtrlLine("First", 1, 2, 3, 4, "TLabel", "Long text"),
           "Short", "~"});
  const auto* d = t.FindDialog("Dlg");
  ASSERT_NE(d, nullptr);
  ASSERT_EQ(d->controls.size(), 2u);
  EXPECT_EQ(d->controls[1].name, "Short");
  EXPECT_EQ(d->controls[1].className, "");
  EXPECT_EQ(d->controls[1].text, "");
  EXPECT_EQ(d->controls[1].width, 0);
}

TEST(LangTable, TwoDialogEntriesFirstWinsTwoMenuEntriesLastWins) {
  LangTable t;
  t.Parse({HeaderLine('#', "D", "\"First"), CtrlLine("A", 0, 0, 1, 1, "TLabel", "a"),
           HeaderLine('#', "D", "\"Second"), CtrlLine("A", 0, 0, 1, 1, "TLabel", "b"),
           HeaderLine('$', "F", "M"), ItemLine("I", "one"), ItemLine("I", "two"), "~"});
  EXPECT_EQ(t.FindDialog("D")->caption, "First");
  std::string cap, hint;
  uint16_t key;
  uint8_t mods;
  ASSERT_TRUE(t.FindMenuText("F", "M", "I", cap, hint, key, mods));
  EXPECT_EQ(cap, "two");
}

TEST(LangTable, DialogUnitsRoundHalvesAwayFromZeroOnTheEdges) {
  LangTable t;
  t.SetDialogBaseUnits(6, 8);
  int l = 1, top = 0, r = 2, b = 0;
  t.DialogUnitsToPixels(l, top, r, b);
  EXPECT_EQ(l, 2);  // 1.5 rounds up
  EXPECT_EQ(r - l, 1);
  EXPECT_EQ(LangTable::MulDiv(-3, 1, 2), -2);
  EXPECT_EQ(LangTable::MulDiv(5, 3, 4), 4);
}

TEST(LangTable, MissingMessagesGiveTheirNumberInBraces) {
  LangTable t;
  EXPECT_EQ(t.GetLangText(0), "{0}");
  EXPECT_EQ(t.GetLangText(761), "{761}");
  EXPECT_FALSE(t.Load("/nonexistent/GUI.klf"));
}

TEST(LangTable, LanguageChoice) {
  EXPECT_EQ(LanguageForLocaleId(0x0407), "DE");
  EXPECT_EQ(LanguageForLocaleId(0x0807), "DE");
  EXPECT_EQ(LanguageForLocaleId(0x0800), "DE");
  EXPECT_EQ(LanguageForLocaleId(0x0409), "EN");
  test::TestEnv env;
  env.userSettings.WriteString(kRegParam, "AktLanguage", "EN");
  EXPECT_EQ(LanguageFromSettings(), "EN");
}

}  // namespace
}  // namespace tav
