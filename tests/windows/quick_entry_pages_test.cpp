// The editor pages of quick entry, additional data and other data, and the small recipe
// dialogs (portion units, servings, notice, ingredient picker), driven offscreen. With
// TAVOLIN_GRAB_DIR set, each window is also written there as a PNG for a look.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <functional>

#include "platform/charset.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "recipedb/book_test_util.h"
#include "recipedb/category_table.h"
#include "recipedb/ingredient_catalogue.h"
#include "recipedb/servings.h"
#include "recipedb/unit_table.h"
#include "recipes/ui/alert_dialog.h"
#include "recipes/ui/edit_additional_page_window.h"
#include "recipes/ui/edit_other_page_window.h"
#include "recipes/ui/edit_standard_page_window.h"
#include "recipes/ui/ingredient_picker_dialog.h"
#include "recipes/ui/portions_dialog.h"
#include "recipes/ui/quick_entry_page_window.h"
#include "recipes/ui/servings_dialog.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/lang_dialog.h"
#include "support/test_env.h"
#include "windows/user_actions.h"
#include "windows/user_gestures.h"
#include "window_test_support.h"
#include "windows/window_checks.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

std::string W(std::string_view utf8) {
  return Utf8ToCp1252(utf8);
}

// Replaces the text as typing does (the field counts as changed).
void Type(QTextEdit* edit, const QString& text) {
  edit->selectAll();
  edit->insertPlainText(text);
}

void Grab(QWidget* w, const char* name, int width = 0, int height = 0) {
  if (width > 0) w->resize(width, height);
  w->show();
  test::Shot(w, name);
}

class RecipeWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    env.userSettings.WriteString(kRegParam, "AktLanguage", "DE");
    env.LoadLanguage("DE");
    OptionsStore& o = env.Options();
    o.SetParaString(10, "Bea");
    for (const char* f : {"einheit.dat", "Gattung.dat", "zutaten.dat", "Portions.dat"})
      WriteAll(env.Root() + "Data/DE/" + f,
               ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/" + f));
    lang = std::make_unique<TLangDlg>();
    lang->FormCreate(nullptr);
    LangDlg = lang.get();
    ASSERT_TRUE(units.ReadEinheiten());
    units.SortEinheiten();
    categories.ReadGattungen();
    ASSERT_TRUE(catalogue.ReadZutaten());
    ctx().units = &units;
    ctx().categories = &categories;
    ctx().ingredients = &catalogue;
    ctx().tools = &tools;
  }
  void TearDown() override { LangDlg = nullptr; }

  test::TestEnv env;
  std::unique_ptr<TLangDlg> lang;
  UnitTable units;
  CategoryTable categories;
  IngredientCatalogue catalogue;
  TToolsMod tools;
};

REZBLOCK Recipe() {
  REZBLOCK r;
  r.title = W("Kürbissuppe mit Ingwer");
  r.recipeIdLow = 1234567;
  r.recipeIdHigh = -98765;
  r.servings = 4;
  r.servingType = "Personen";
  r.categories[0] = 2;
  r.hint = "Herbst, Suppe";
  r.quality = '4';
  r.difficulty = '2';
  r.cardText = W("Samtige Kürbissuppe\nmit frischem Ingwer");
  r.createdBy = "Anna";
  r.createdEmail = "anna@example.org";
  r.createdDate = "3.10.2023";
  r.changedBy = "Bea";
  r.changedEmail = "bea@example.org";
  r.changedDate = "1.11.2023";
  r.source = "Eigenes Rezept";
  r.prepTime = "15 Min";
  r.cookTime = "30 Min";
  r.totalTime = "45 Min";
  r.points = "7";
  r.costs = "gering";
  r.lines = {{"", "", "*Suppe", "", 0, 0},
             {"1", "kg", W("Hokkaido-Kürbis"), "G531000", 0, 0},
             {"1", "St", "Zwiebel", "", 80, 0},
             {"", "", "-fein gehackt", "", 0, 0},
             {"1", "Pfd", "Kartoffeln", "", 0, 0},
             {"1", "Pr", "Salz", "", -1, 1}};
  r.lineCount = 6;
  r.text = W("Kürbis und Zwiebel würfeln.\nIn Brühe garen und pürieren.\n");
  r.remarks = {{"Etwas Sahne dazu.", "Anna"}, {W("Mit Kernöl servieren."), "Bea"}};
  r.pictures = {{'F', "kuerbis.jpg"}, {'U', "https://example.org/suppe.jpg"},
                {'F', "suppe2.jpg"}};
  REZSTOFFMENGE energy;
  std::strcpy(energy.code, "GCAL");
  energy.value = "1234.560000";
  r.nutrients = {energy};
  return r;
}

TEST_F(RecipeWindows, PagesLoadAndStoreARecipeUnchanged) {
  for (bool perServing : {false, true}) {
    env.Options().SetParaBool(88, perServing);
    env.Options().SetParaString(10, "Bea");
    TQEditDlg quick;
    TZEditDlg more;
    TAEditDlg other;
    const REZBLOCK original = Recipe();
    REZBLOCK r = original;
    quick.QEditLoadRez(&r);
    EXPECT_TRUE(quick.QEditStoreRez());
    more.ZEditLoadRez(&r);
    more.ZEditStoreRez();
    other.AEditLoadRez(&r);
    other.AEditStoreRez();
    test::ExpectSameRecipe(r, original);

    // A user without a remark of their own: looking at the page adds none.
    env.Options().SetParaString(10, "Carl");
    more.ZEditLoadRez(&r);
    EXPECT_EQ(more.RemarkUserCoBo->count(), 3);
    EXPECT_EQ(more.RemarkUserCoBo->currentText(), "Carl");
    more.ZEditStoreRez();
    test::ExpectSameRecipe(r, original);
  }
}

TEST_F(RecipeWindows, QuickEntryTextEditedOnThePageIsStored) {
  TQEditDlg page;
  REZBLOCK r = Recipe();
  page.QEditLoadRez(&r);
  EXPECT_TRUE(page.TextRtf->toPlainText().startsWith(QString::fromUtf8("Kürbissuppe mit Ingwer\n\n*Suppe\n1 kg Hokkaido-Kürbis         [1]\n")));
  QString text = page.TextRtf->toPlainText();
  text.replace(QStringLiteral("1 Pr Salz"), QStringLiteral("2 Prisen Salz"));
  text.replace(QStringLiteral("P> 4 Personen"), QStringLiteral("P> 2 Personen"));
  page.TextRtf->setPlainText(text);
  page.QEditStoreRez();
  EXPECT_EQ(r.servings, 2);
  ASSERT_EQ(r.lines.size(), 6u);
  EXPECT_EQ(r.lines[5].amount, "2");
  EXPECT_EQ(r.lines[5].unit, "Pr");
  EXPECT_EQ(r.lines[5].grams, -1);  // the tag kept the hidden data
  // The pound's line was left as written: it stays as stored, not converted.
  EXPECT_EQ(r.lines[4].amount, "1");
  EXPECT_EQ(r.lines[4].unit, "Pfd");
  EXPECT_EQ(r.lines[4].text, "Kartoffeln");
}

class QuickPage : public RecipeWindows {
 protected:
  void Load(const std::string& text) {
    r = REZBLOCK();
    page = std::make_unique<TQEditDlg>();
    page->QEditLoadRez(&r);
    page->TextRtf->setPlainText(toQ(text));
    page->resize(860, 560);
    page->show();
  }
  // The caret put on a line with a click into the text, as the user does.
  void CaretTo(int line, int column = 0) {
    QTextCursor c(page->TextRtf->document()->findBlockByNumber(line));
    c.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
    QTextEdit* text = page->TextRtf;
    ASSERT_TRUE(test::Reachable(text));
    test::ActivateForClick(text);
    QTest::mouseClick(text->viewport(), Qt::LeftButton, Qt::NoModifier,
                      text->cursorRect(c).center() + QPoint(1, 0));
    ASSERT_EQ(text->textCursor().position(), c.position()) << line << "," << column;
  }
  std::string Line(int n) {
    return fromQ(page->TextRtf->document()->findBlockByNumber(n).text());
  }
  std::string Label() { return fromQ(page->LineTypeTxt->text()); }
  REZBLOCK r;
  std::unique_ptr<TQEditDlg> page;
};

TEST_F(QuickPage, PanelShowsTheKindHintAndWarningsOfTheCaretLine) {
  const std::string title64(64, 'T');
  Load(title64 + "\n\n" + std::string(28, 'x') + "\n" + std::string(29, 'y') +
       "\n*Teig\n-fein\n\nText\nB> 9\n");
  page->show();
  CaretTo(0);
  EXPECT_EQ(Label(), GetLangText(491));
  EXPECT_EQ(fromQ(page->HelpInfoTxt->text()), GetLangText(505));
  EXPECT_TRUE(page->HelpErrorTxt->isHidden());
  test::TypeKeys(QStringLiteral("T"));  // 65 characters
  CaretTo(0);
  EXPECT_FALSE(page->HelpErrorTxt->isHidden());
  EXPECT_EQ(fromQ(page->HelpErrorTxt->text()), GetLangText(506));

  CaretTo(2);
  EXPECT_EQ(Label(), GetLangText(495));
  EXPECT_FALSE(page->HelpIngPnl->isHidden());
  EXPECT_TRUE(page->HelpErrorTxt->isHidden());
  EXPECT_FALSE(page->HelpInfoTxt->isHidden());
  CaretTo(3);
  EXPECT_EQ(fromQ(page->HelpErrorTxt->text()), GetLangText(512));
  EXPECT_FALSE(page->HelpErrorTxt->isHidden());
  EXPECT_TRUE(page->HelpInfoTxt->isHidden());

  CaretTo(5);
  EXPECT_EQ(Label(), GetLangText(497));
  ASSERT_EQ(page->HelpLiBo->count(), 2);  // the described line and its description
  EXPECT_EQ(page->HelpLiBo->item(0)->text(), QStringLiteral("*Teig"));
  EXPECT_EQ(page->HelpLiBo->item(1)->text(), QStringLiteral("fein"));
  CaretTo(6);
  EXPECT_EQ(Label(), GetLangText(492));
  EXPECT_TRUE(page->HelpInfoTxt->isHidden());
  CaretTo(7);
  EXPECT_EQ(Label(), GetLangText(493));
  CaretTo(8);
  EXPECT_EQ(Label(), GetLangText(686));
  EXPECT_EQ(r.quality, '5');  // bounded here, at once

  // An empty text leaves the panel as it was.
  page->TextRtf->clear();
  page->QEditRefreshInfo();
  EXPECT_EQ(Label(), GetLangText(686));
}

TEST_F(QuickPage, IngredientFormShowsAndChangesTheHiddenData) {
  Load("Suppe\n\n2 EL Salbei\n1 Zwiebel         [4]\n\nText\n");
  page->quick.references = {{4, "", 80, 1}};
  CaretTo(2);
  EXPECT_EQ(page->HelpZutatMengeCoBo->currentText(), QStringLiteral("2 "));
  EXPECT_EQ(page->HelpZutatEinheitCoBo->currentText(), QString::fromUtf8("Esslöffel"));
  EXPECT_EQ(page->HelpZutatCoBo->currentText(), QStringLiteral("Salbei"));
  EXPECT_EQ(page->currentReference, 0);

  // Insignificant on a line without a tag: a new entry with grams -1 and the next number.
  ASSERT_TRUE(test::ClickBox(page->UnbedeutendChk));
  EXPECT_EQ(Line(2), W("2 Esslöffel Salbei         [5]"));
  ASSERT_NE(page->quick.FindReference(5), nullptr);
  EXPECT_EQ(page->quick.FindReference(5)->grams, -1);
  // Unchecked again, no food code, no grams: entry and tag go.
  ASSERT_TRUE(test::ClickBox(page->UnbedeutendChk));
  EXPECT_EQ(Line(2), W("2 Esslöffel Salbei"));
  EXPECT_EQ(page->quick.FindReference(5), nullptr);

  // The amount typed into its field is written into the line.
  ASSERT_TRUE(test::TypeInto(page->HelpZutatMengeCoBo, QStringLiteral("6")));
  EXPECT_EQ(Line(2), W("6 Esslöffel Salbei"));
  ASSERT_TRUE(test::TypeInto(page->HelpZutatMengeCoBo, QStringLiteral("2 ")));
  EXPECT_EQ(Line(2), W("2 Esslöffel Salbei"));

  CaretTo(3);
  EXPECT_EQ(page->currentReference, 4);
  EXPECT_TRUE(page->NotKListChk->isChecked());
  ASSERT_TRUE(test::ClickBox(page->NotKListChk));
  EXPECT_EQ(page->quick.FindReference(4)->notOnShoppingList, 0);
  ASSERT_TRUE(test::ClickBox(page->NotKListChk));
  EXPECT_EQ(page->quick.FindReference(4)->notOnShoppingList, 1);
  EXPECT_EQ(page->GrammEdt->text(), QStringLiteral("80"));
  EXPECT_EQ(page->HelpZutatEinheitCoBo->currentText(), QString());
  ASSERT_TRUE(test::TypeInto(page->GrammEdt, QStringLiteral("90")));
  EXPECT_EQ(page->quick.FindReference(4)->grams, 90);
  EXPECT_EQ(Line(3), "1 Zwiebel         [4]");

  // A unit name holding a blank is written by its code, so it reads back.
  ASSERT_TRUE(test::TypeInto(page->HelpZutatEinheitCoBo, QStringLiteral("nach Belieben")));
  EXPECT_EQ(Line(3), "1 nB Zwiebel         [4]");
  ASSERT_TRUE(test::TypeInto(page->HelpZutatEinheitCoBo, QStringLiteral("Schachteln")));
  EXPECT_EQ(fromQ(page->HelpErrorTxt->text()), GetLangText(525));
  EXPECT_FALSE(page->HelpErrorTxt->isHidden());

  // The food code of a catalogue ingredient without one stays empty; no chooser opens.
  bool chooserOpened = false;
  page->chooseFood = [&](const std::string&, std::string&, std::string&) {
    chooserOpened = true;
    return false;
  };
  CaretTo(2);
  ASSERT_TRUE(test::Click(page->BLSBtn));
  EXPECT_FALSE(chooserOpened);
  EXPECT_EQ(Line(2), W("2 Esslöffel Salbei"));
  ASSERT_TRUE(test::TypeInto(page->HelpZutatCoBo, QStringLiteral("Pitahaya")));
  EXPECT_EQ(Line(2), W("2 Esslöffel Pitahaya"));  // the ingredient typed is written at once
  page->chooseFood = [&](const std::string& search, std::string& code, std::string& name) {
    chooserOpened = search == "Pitahaya";
    code = "F999999";
    name = "Karambole";
    return true;
  };
  page->blsCode.clear();
  ASSERT_TRUE(test::Click(page->BLSBtn));
  EXPECT_TRUE(chooserOpened);
  EXPECT_EQ(Line(2), W("2 Esslöffel Pitahaya         [5]"));
  EXPECT_EQ(page->quick.FindReference(5)->blsCode, "F999999");
  ASSERT_TRUE(test::Click(page->DelBLSBtn));
  EXPECT_EQ(Line(2), W("2 Esslöffel Pitahaya"));
}

TEST_F(QuickPage, RatingLinesShowTheLentPicturesAndTheirClicksSetTheLine) {
  TNEditDlg standard;
  Load("Brot\n\n500 g Mehl\n\nBacken.\n\nB> 9\nD> 2\n");
  standard.PlaceRatingPanels(true);
  page->QEditLoadRez(&r);
  page->TextRtf->setPlainText(QStringLiteral("Brot\n\n500 g Mehl\n\nBacken.\n\nB> 9\nD> 2\n"));
  page->show();
  CaretTo(6);
  EXPECT_EQ(r.quality, '5');
  EXPECT_TRUE(standard.QualityPnl->isVisibleTo(page.get()));
  EXPECT_FALSE(standard.DifficultyPnl->isVisibleTo(page.get()));
  EXPECT_TRUE(standard.QualityImg[5]->isVisibleTo(standard.QualityPnl));
  Grab(page.get(), "quick_entry_rating", 860, 560);
  standard.QualityImgMouseDown(30);  // two stars
  EXPECT_EQ(Line(6), "B> 2");
  CaretTo(7);
  EXPECT_EQ(r.difficulty, '2');
  EXPECT_TRUE(standard.DifficultyPnl->isVisibleTo(page.get()));
  EXPECT_FALSE(standard.QualityPnl->isVisibleTo(page.get()));
  // The page going while it holds them gives the pictures back.
  page.reset();
  EXPECT_TRUE(standard.isAncestorOf(standard.QualityPnl));
  EXPECT_TRUE(standard.isAncestorOf(standard.DifficultyPnl));
}

TEST_F(QuickPage, CommandButtonsTurnTheCurrentLine) {
  Load("Brot\n\n-Teig\nTeig\n500 g Mehl\n\nText\nZ> 30 Min\nBackofen\n");
  CaretTo(2);
  ASSERT_TRUE(test::Click(page->CmdTrennBtn));
  EXPECT_EQ(Line(2), "*Teig");
  CaretTo(3);
  ASSERT_TRUE(test::Click(page->CmdTrennBtn));
  EXPECT_EQ(Line(3), "*Teig");
  CaretTo(7, 3);
  ASSERT_TRUE(test::Click(page->CmdPortionBtn));
  EXPECT_EQ(Line(7), "P> 30 Min");
  EXPECT_EQ(page->TextRtf->textCursor().position(),
            page->TextRtf->document()->findBlockByNumber(7).position() + 3);
  CaretTo(8);
  ASSERT_TRUE(test::Click(page->CmdQuelleBtn));
  EXPECT_EQ(Line(8), "Q> Backofen");
  CaretTo(5);
  ASSERT_TRUE(test::Click(page->CmdEnergieBtn));
  EXPECT_EQ(Line(5), "N> ");
}

TEST_F(QuickPage, CategoryLineSelectsItsCategoriesAndTheListWritesTheLine) {
  Load(W("Salat\n\n1 Gurke\n\nText\nG> Salate, Hähnchen Quatsch\n"));
  CaretTo(5);
  EXPECT_EQ(Label(), GetLangText(499));
  std::vector<QString> selected;
  for (QListWidgetItem* it : page->HelpLiBo->selectedItems()) selected.push_back(it->text());
  std::sort(selected.begin(), selected.end());
  EXPECT_EQ(selected, (std::vector<QString>{QString::fromUtf8("Geflügel"), QStringLiteral("Salate")}));
  EXPECT_EQ(fromQ(page->HelpErrorTxt->text()), GetLangText(527) + "Quatsch\n");
  // Choosing in the list writes the selected names in list order.
  for (int i = 0; i < page->HelpLiBo->count(); ++i)
    if (page->HelpLiBo->item(i)->text() == QStringLiteral("Suppen") ||
        page->HelpLiBo->item(i)->text() == QStringLiteral("Saucen & Dips")) {
      ASSERT_TRUE(test::ClickCell(page->HelpLiBo, i));
    }
  EXPECT_EQ(Line(5), W("G> Geflügel, Salate, Saucen & Dips, Suppen"));
  page->QEditStoreRez();
  EXPECT_EQ(r.categories[0], 18);
  EXPECT_EQ(r.categories[1], 3);
  EXPECT_EQ(r.categories[2], 12);  // a name with blanks is found whole
  EXPECT_EQ(r.categories[3], 2);
}

// The text's pop-up menu: select all, cut, undo and copy.
TEST_F(QuickPage, TheTextsPopupMenu) {
  Load("Brot\n\nText\n");
  QWidget* text = page->TextRtf->viewport();
  auto item = [&](const char* name) {
    ASSERT_TRUE(test::PopupItem(text, QPoint(10, 10), page->PopupMnu, name)) << name;
  };
  CaretTo(0);
  item("SelectMnu");
  EXPECT_EQ(page->TextRtf->textCursor().selectedText(), QStringLiteral("Brot\u2029\u2029Text\u2029"));
  item("CopyMnu");
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith(QStringLiteral("Brot")));
  item("CutMnu");
  EXPECT_TRUE(page->TextRtf->toPlainText().isEmpty());
  item("UndoMnu");
  EXPECT_EQ(page->TextRtf->toPlainText(), QStringLiteral("Brot\n\nText\n"));
}

TEST_F(QuickPage, PasteTakesPlainTextOnly) {
  env.Options().SetParaBool(78, true);
  Load("Titel\n\n");
  env.clipboard.text = "2 EL \xD6l\r\n1 Ei";
  CaretTo(1);
  ASSERT_TRUE(test::PopupItem(page->TextRtf->viewport(), QPoint(10, 10), page->PopupMnu,
                              "PasteMnu"));
  page->QEditStoreRez();
  ASSERT_EQ(r.lines.size(), 2u);
  EXPECT_EQ(r.lines[0].text, "\xD6l");
  EXPECT_EQ(r.lines[1].text, "Ei");
}

TEST_F(RecipeWindows, AdditionalPageRemarksTimesAndStoredSums) {
  TZEditDlg page;
  REZBLOCK r = Recipe();
  REZSTOFFMENGE fat;
  std::strcpy(fat.code, "ZF");
  fat.value = "12.5";
  r.nutrients.push_back(fat);
  page.ZEditLoadRez(&r);
  page.resize(760, 520);
  page.show();
  EXPECT_EQ(page.RezIDTxt->text(), QStringLiteral("-98765,1234567"));
  EXPECT_EQ(page.RemarkUserCoBo->currentText(), QStringLiteral("Bea"));
  EXPECT_EQ(page.RemarkEdt->toPlainText(), QString::fromUtf8("Mit Kernöl servieren."));
  EXPECT_EQ(page.ErfasserGrd->item(1, 2)->text(), QStringLiteral("bea@example.org"));
  EXPECT_EQ(page.StoffCoBo->count(), 2);
  EXPECT_EQ(page.StoffCoBo->itemText(0), QStringLiteral(" 1234.560000 "));  // no nutrient table

  // Storing changes only the user's remark and what was typed.
  ASSERT_TRUE(test::TypeInto(page.RemarkEdt, QString::fromUtf8("Mit Kernöl und Kernen.")));
  ASSERT_TRUE(test::TypeInto(page.TimeCookEdt, QStringLiteral("35 Min")));
  // A grid cell: typing on it opens its editor; Enter ends the edit and does nothing else.
  ASSERT_TRUE(test::ClickCell(page.ErfasserGrd, 0, 0));
  test::TypeKeys(QStringLiteral("Anna B."));
  test::PressKey(Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(page.ErfasserGrd->item(0, 0)->text(), QStringLiteral("Anna B."));
  EXPECT_EQ(QApplication::focusWidget(), page.ErfasserGrd);  // the cell editor is gone
  EXPECT_TRUE(page.isVisible());
  page.ZEditStoreRez();
  EXPECT_EQ(r.remarks[0].text, "Etwas Sahne dazu.");
  EXPECT_EQ(r.remarks[1].text, W("Mit Kernöl und Kernen."));
  EXPECT_EQ(r.cookTime, "35 Min");
  EXPECT_EQ(r.createdBy, "Anna B.");

  // Removing Anna's remark keeps Bea's and shows the first remark; Bea's own only empties.
  ASSERT_TRUE(test::ChooseInCombo(page.RemarkUserCoBo, QStringLiteral("Anna")));
  EXPECT_EQ(page.RemarkEdt->toPlainText(), QStringLiteral("Etwas Sahne dazu."));
  ASSERT_TRUE(test::Click(page.DelRemarkBtn));
  ASSERT_EQ(r.remarks.size(), 1u);
  EXPECT_EQ(r.remarks[0].author, "Bea");
  EXPECT_EQ(page.RemarkEdt->toPlainText(), QString::fromUtf8("Mit Kernöl und Kernen."));
  ASSERT_TRUE(test::Click(page.DelRemarkBtn));
  EXPECT_TRUE(page.RemarkEdt->toPlainText().isEmpty());
  page.ZEditStoreRez();
  ASSERT_EQ(r.remarks.size(), 1u);
  EXPECT_EQ(r.remarks[0].text, "");

  // Removing stored sums down to none leaves the list empty.
  ASSERT_TRUE(test::Click(page.DelStoffBtn));
  ASSERT_TRUE(test::Click(page.DelStoffBtn));
  EXPECT_TRUE(r.nutrients.empty());
  EXPECT_EQ(page.StoffCoBo->count(), 0);
  EXPECT_TRUE(page.StoffCoBo->currentText().isEmpty());

  ASSERT_TRUE(test::Click(page.CreateRezIDBtn));
  EXPECT_NE(r.recipeIdHigh, -98765);
  EXPECT_EQ(page.RezIDTxt->text(), QString::number(r.recipeIdHigh) + "," + QString::number(r.recipeIdLow));
}

TEST_F(RecipeWindows, TypedRemarkOfANewAuthorIsAddedOnce) {
  env.Options().SetParaString(10, "Carl");
  TZEditDlg page;
  REZBLOCK r = Recipe();
  page.ZEditLoadRez(&r);
  Type(page.RemarkEdt, QStringLiteral("Sehr gut."));
  page.ZEditStoreRez();
  page.ZEditStoreRez();
  ASSERT_EQ(r.remarks.size(), 3u);
  EXPECT_EQ(r.remarks[2].author, "Carl");
  EXPECT_EQ(r.remarks[2].text, "Sehr gut.");
}

TEST_F(RecipeWindows, OtherPageListsPicturesApartAndStoresTheCardText) {
  TAEditDlg page;
  REZBLOCK r = Recipe();
  page.AEditLoadRez(&r);
  EXPECT_EQ(page.PicFilesCoBo->count(), 2);
  EXPECT_EQ(page.PicFilesCoBo->currentText(), QStringLiteral("kuerbis.jpg"));
  EXPECT_EQ(page.PicURLsCoBo->count(), 1);
  EXPECT_EQ(page.PicURLsCoBo->currentText(), QStringLiteral("https://example.org/suppe.jpg"));
  Type(page.CardEdt, QStringLiteral("Neu"));
  page.AEditStoreRez();
  EXPECT_EQ(r.cardText, "Neu");
  r.pictures.clear();
  page.AEditLoadRez(&r);
  EXPECT_EQ(page.PicFilesCoBo->count(), 0);
  EXPECT_EQ(page.PicURLsCoBo->count(), 0);
}

TEST_F(RecipeWindows, PortionUnitsWindowEditsAndSavesTheList) {
  const std::string path = env.Root() + "Data/DE/Portions.dat";
  const std::string shipped = ReadAll(path);
  TPortionsDlg dlg;
  const int n = dlg.PortionsGrd->rowCount();
  ASSERT_GE(n, 10);
  EXPECT_EQ(dlg.PortionsGrd->horizontalHeaderItem(0)->text(), toQ(GetLangText(652)));

  // The window as the user works in it; it stays open until OK or Cancel.
  auto inWindow = [&](const std::function<void()>& inside) {
    ASSERT_TRUE(test::WhileModal(inside, [&] { dlg.exec(); }));
  };
  std::vector<std::string> rows;
  inWindow([&] {
    ASSERT_TRUE(test::ClickCell(dlg.PortionsGrd, 0, 0));
    ASSERT_TRUE(test::Click(dlg.UpBtn));  // row 1 stays
    EXPECT_EQ(dlg.PortionsGrd->currentRow(), 0);
    ASSERT_TRUE(test::Click(dlg.DownBtn));
    EXPECT_EQ(dlg.GridRows()[1], "Portionen");
    ASSERT_TRUE(test::Click(dlg.NewBtn));
    EXPECT_EQ(dlg.PortionsGrd->rowCount(), n + 1);
    // Typed into the new row's cell, where "Neu" leaves the keyboard; Enter ends the edit and
    // leaves the window open.
    ASSERT_EQ(QApplication::focusWidget(), dlg.PortionsGrd);
    test::TypeKeys(QStringLiteral("Muffins"));
    test::PressKey(Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.PortionsGrd->item(n, 0)->text(), QStringLiteral("Muffins"));
    ASSERT_TRUE(test::Click(dlg.DownBtn));  // the last row stays
    EXPECT_EQ(dlg.PortionsGrd->currentRow(), n);
    ASSERT_TRUE(test::Click(dlg.OKBtn));
    EXPECT_FALSE(dlg.isVisible());
  });
  rows = dlg.names;
  EXPECT_EQ(rows.back(), "Muffins");
  EXPECT_EQ(ReadAll(path).substr(0, 20), "Personen\r\nPortionen\r");

  // Cancel drops every edit.
  inWindow([&] {
    ASSERT_TRUE(test::ClickCell(dlg.PortionsGrd, 0, 0));
    ASSERT_TRUE(test::Click(dlg.DelBtn));
    ASSERT_TRUE(test::Click(dlg.CancelBtn));
  });
  EXPECT_EQ(dlg.GridRows(), rows);

  // One row: Delete empties it and keeps it; OK writes one empty line.
  WriteAll(path, "Personen\r\n");
  dlg.LoadPortionUnits();
  dlg.FillGrid();
  inWindow([&] {
    // A click on a row already chosen would start editing it.
    if (dlg.PortionsGrd->currentRow() != 0) {
      ASSERT_TRUE(test::ClickCell(dlg.PortionsGrd, 0, 0));
    }
    ASSERT_TRUE(test::Click(dlg.DelBtn));
    EXPECT_EQ(dlg.PortionsGrd->rowCount(), 1);
    ASSERT_TRUE(test::Click(dlg.OKBtn));
  });
  EXPECT_EQ(ReadAll(path), "\r\n");

  QComboBox combo;
  dlg.LoadPortionUnits();
  dlg.FillPortionUnitCombo(&combo);
  EXPECT_EQ(combo.count(), 1);
  WriteAll(path, shipped);
}

TEST_F(RecipeWindows, ServingsDialogReadsTheLeadingNumber) {
  tools.recipeServings = 4;
  tools.chosenServings = 0;
  TPersAnzDlg dlg;
  dlg.FormShow();
  EXPECT_EQ(dlg.NewAnzEdt->text(), QStringLiteral("4"));
  EXPECT_EQ(fromQ(dlg.AktMengeTxt->text()), W("Das Rezept ist für 4  angegeben."));
  const struct {
    const char* typed;
    int chosen;
  } cases[] = {{"12abc", 12}, {"123456789", 12345678}, {"abc", 4}, {"-3", 4}, {"0", 4}};
  for (const auto& c : cases) {
    dlg.NewAnzEdt->setText(QString::fromLatin1(c.typed));
    dlg.OKBtnClick();
    EXPECT_EQ(GetChosenServings(), c.chosen) << c.typed;
  }
  dlg.NewAnzEdt->setText(QStringLiteral("8"));
  dlg.OKBtnClick();
  EXPECT_EQ(GetChosenServings(), 8);
  dlg.OrgAnzBtnClick();
  EXPECT_EQ(GetChosenServings(), 4);
  EXPECT_EQ(dlg.NewAnzEdt->text(), QStringLiteral("4"));
}

TEST_F(RecipeWindows, NoticeCountsDownFromFiveAtEveryShow) {
  TAlertDlg dlg;
  dlg.SetAlertText("Import", "3 Rezepte importiert.");
  EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Import"));
  for (int round = 0; round < 2; ++round) {
    dlg.show();
    EXPECT_EQ(dlg.secondsLeft, 5);
    for (int tick = 4; tick >= 1; --tick) {
      dlg.Timer1Timer();
      EXPECT_TRUE(dlg.isVisible());
      EXPECT_EQ(fromQ(dlg.ACSekTxt->text()),
                W("Dieses Fenster schließt sich in ") + std::to_string(tick) + " Sekunden.");
    }
    dlg.Timer1Timer();
    EXPECT_FALSE(dlg.isVisible());
  }
  EXPECT_TRUE(dlg.Timer1->isActive());
}

TEST_F(RecipeWindows, IngredientPickerGivesTheChosenIngredient) {
  TGetZutatDlg dlg;
  dlg.show();
  ASSERT_EQ(dlg.ZutatLiBo->count(), static_cast<int>(catalogue.zutaten.size()));
  QListWidgetItem* item = dlg.ZutatLiBo->findItems(QStringLiteral("Zwiebeln"), Qt::MatchExactly).value(0);
  ASSERT_NE(item, nullptr);
  dlg.ZutatLiBo->setCurrentItem(item);
  dlg.OKBtnClick();
  EXPECT_EQ(dlg.ChosenZutat().plural, "Zwiebeln");
  EXPECT_EQ(dlg.ChosenZutat().pieceWeight, 80);
  dlg.show();
  dlg.CancelBtnClick();
  EXPECT_EQ(dlg.ChosenZutat().plural, "");
}

// The notice closes by itself when its count runs out (the timer made quick for the test).
TEST_F(RecipeWindows, NoticeClosesItselfWhenTheTimerRunsOut) {
  TAlertDlg dlg;
  dlg.SetAlertText("Import", "3 Rezepte importiert.");
  dlg.Timer1->setInterval(5);
  dlg.show();
  ASSERT_TRUE(dlg.isVisible());
  EXPECT_TRUE(QTest::qWaitFor([&] { return !dlg.isVisible(); }, 5000));
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

// The picker as a user takes an ingredient: a double-click on it, or a click on it and on OK.
TEST_F(RecipeWindows, IngredientPickerTakesTheClickedIngredient) {
  TGetZutatDlg dlg;
  const auto rowOf = [&](const char* name) {
    return dlg.ZutatLiBo->row(
        dlg.ZutatLiBo->findItems(QString::fromUtf8(name), Qt::MatchExactly).value(0));
  };
  dlg.show();
  ASSERT_TRUE(test::WhenActive(&dlg));
  ASSERT_TRUE(test::DoubleClickCell(dlg.ZutatLiBo, rowOf("Zwiebeln")));
  EXPECT_FALSE(dlg.isVisible());
  EXPECT_EQ(dlg.ChosenZutat().plural, "Zwiebeln");

  dlg.show();
  ASSERT_TRUE(test::WhenActive(&dlg));
  const int row = rowOf("Zwiebeln") == 0 ? 1 : 0;
  const std::string other = fromQ(dlg.ZutatLiBo->item(row)->text());
  ASSERT_TRUE(test::ClickCell(dlg.ZutatLiBo, row));
  ASSERT_TRUE(test::Click(dlg.OKBtn));
  EXPECT_FALSE(dlg.isVisible());
  EXPECT_EQ(dlg.ChosenZutat().plural, other);
}

TEST_F(RecipeWindows, Screenshots) {
  REZBLOCK r = Recipe();
  TQEditDlg quick;
  quick.QEditLoadRez(&r);
  Grab(&quick, "quick_entry_title", 860, 560);
  QTextCursor c(quick.TextRtf->document()->findBlockByNumber(3));
  quick.TextRtf->setTextCursor(c);
  Grab(&quick, "quick_entry_ingredient", 860, 560);
  c = QTextCursor(quick.TextRtf->document()->findBlockByNumber(13));
  quick.TextRtf->setTextCursor(c);
  Grab(&quick, "quick_entry_categories", 860, 560);
  TZEditDlg more;
  more.ZEditLoadRez(&r);
  Grab(&more, "additional_data", 860, 560);
  TAEditDlg other;
  other.AEditLoadRez(&r);
  Grab(&other, "other_data", 860, 560);
  TPortionsDlg portions;
  Grab(&portions, "portions");
  tools.recipeServings = 4;
  TPersAnzDlg servings;
  Grab(&servings, "servings");
  TAlertDlg alert;
  alert.SetAlertText("Quick-Import", "3 Rezepte wurden importiert.");
  Grab(&alert, "alert");
  TGetZutatDlg picker;
  Grab(&picker, "picker");
}

}  // namespace
}  // namespace tav
