// The standard view with its data, ingredient and information panes, the empty view and the
// key-figure choice window, offscreen over a book built through the recipe store.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <memory>

#include "pictures/ui/picture_loader.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "recipedb/servings.h"
#include "recipes/ui/data_pane_window.h"
#include "recipes/ui/empty_view_window.h"
#include "recipes/ui/info_pane_window.h"
#include "recipes/ui/ingredient_pane_window.h"
#include "recipes/ui/key_figures_dialog.h"
#include "recipes/ui/standard_view_window.h"
#include "recipes/view_env.h"
#include "services/ui/context_list_box.h"
#include "services/ui/lang_dialog.h"
#include "user_gestures.h"
#include "window_test_support.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

// Servings, categories, energy, quality, fat under its own label, and all remarks.
constexpr const char* kScreenFigures = "0|0|\r\n0|1|\r\n0|18|\r\n0|19|\r\n0|-1|ZF|Fett\r\n0|15|\r\n";

void SaveGrab(QWidget* w, const std::string& name) {
  test::Shot(w, name.substr(0, name.rfind(".png")));
}

// A book "Rezepte" holding a bread (position 0) and the apple cake (position 1), the German
// language file, the screen figures above and the five windows of the standard view.
class RecipeViews : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteAll(env.Data() + "DE/Kenndaten.dat", kScreenFigures);
    env.env.Options().SetParaString(10, "Anna");
    REZBLOCK bread = test::PlainRecipe("Brot");
    env.AddRecipe(bread);
    REZBLOCK cake = test::AppleCake();
    env.AddRecipe(cake);
    lang = std::make_unique<TLangDlg>();
    lang->FormCreate(nullptr);
    LangDlg = lang.get();
    view = new TshowRezDlg;
    new TDataRezDlg;
    new TInfoRezDlg;
    new TZutatRezDlg;
    choice = std::make_unique<TKenndatenDlg>();
    view->resize(900, 620);
    view->show();
    QApplication::processEvents();
    SetChosenServings(0);
  }
  void TearDown() override {
    choice.reset();
    delete view;  // the panes dock into it
    showRezDlg = nullptr;
    DataRezDlg = nullptr;
    InfoRezDlg = nullptr;
    ZutatRezDlg = nullptr;
    KenndatenDlg = nullptr;
    LangDlg = nullptr;
  }

  std::vector<std::string> PaneLines() const {
    std::vector<std::string> out;
    for (int i = 0; i < ZutatRezDlg->ZutatLiBo->count(); ++i)
      out.push_back(fromQ(ZutatRezDlg->ZutatLiBo->item(i)->text()));
    return out;
  }
  std::vector<std::pair<std::string, std::string>> Grid() const {
    std::vector<std::pair<std::string, std::string>> out;
    QTableWidget* g = InfoRezDlg->InfoGrd;
    for (int r = 0; r < g->rowCount(); ++r)
      out.push_back({g->item(r, 0) ? fromQ(g->item(r, 0)->text()) : "",
                     g->item(r, 1) ? fromQ(g->item(r, 1)->text()) : ""});
    return out;
  }
  std::string Title() const { return fromQ(DataRezDlg->RezTitle->text()); }
  std::string Text() const { return fromQ(showRezDlg->RezTextRtf->toPlainText()); }
  void SearchResult(std::initializer_list<int> positions) {
    env.store.ClearSearchResult();
    for (int p : positions) env.store.AddSearchEntry(env.store.BookIndex()[p]);
  }

  test::ViewEnv env;
  std::unique_ptr<TLangDlg> lang;
  TshowRezDlg* view = nullptr;
  std::unique_ptr<TKenndatenDlg> choice;
};

TEST_F(RecipeViews, TheSecondRecipeAtFourServings) {
  SetChosenServings(4);
  DataRezDlg->ShowRecipe(1, false);
  EXPECT_EQ(Title(), " Apfelkuchen");
  EXPECT_EQ(DataRezDlg->ShownRecipe.bookId, env.store.BookId());
  EXPECT_EQ(DataRezDlg->ShownRecipe.servings, 4);
  EXPECT_EQ(PaneLines(),
            (std::vector<std::string>{"----- Teig -----", "333,33 g Mehl", "1,33 Ds \xC4pfel",
                                      "     gesch\xE4lt", "2,67-4 EL Zucker", "",
                                      "----- Guss -----", "etwas Zimt"}));
  // The hint spells the unit out (1,33 reads as 1: singular) and joins the description;
  // headings have none.
  EXPECT_EQ(fromQ(ZutatRezDlg->ZutatLiBo->item(2)->toolTip()), "1,33 Dose \xC4pfel gesch\xE4lt");
  EXPECT_EQ(fromQ(ZutatRezDlg->ZutatLiBo->item(3)->toolTip()), "1,33 Dose \xC4pfel gesch\xE4lt");
  EXPECT_TRUE(ZutatRezDlg->ZutatLiBo->item(0)->toolTip().isEmpty());
  EXPECT_EQ(ZutatRezDlg->ZutatLiBo->GetItemData(3), 2);
  std::string hint;
  ZutatRezDlg->GetIngredientLineText(DataRezDlg, 1, hint);
  EXPECT_EQ(hint, "333,33 Gramm Mehl");
  // Remarks of all persons (figure 15) follow the text; the empty one is left out.
  EXPECT_EQ(Text(), "Teig kneten.\nBacken.\n\n  Anna:\nSaftig!\n\n  Bert:\nMehr Zimt\n");

  const std::vector<std::pair<std::string, std::string>> grid = {
      {GetLangText(31), "4 St\xFC" "cke"},
      {GetLangText(32), "3 St\xFC" "cke"},
      {GetLangText(540), "Hauptgerichte"},
      {"", ""},  // a category that no longer exists
      {"", "Suppen"},
      {GetLangText(569), "800 kcal"},
      {GetLangText(690), "~Q3"},
      {"Fett", "20,20 g"},
  };
  EXPECT_EQ(Grid(), grid);
  SaveGrab(view, "standard_view.png");
}

TEST_F(RecipeViews, AShownRecipeIsKnownByItsKeyNotItsListPosition) {
  env.list.searchMode = true;
  SearchResult({1, 0});  // cake, bread
  DataRezDlg->ShowRecipe(0, false);
  EXPECT_EQ(Title(), " Apfelkuchen (" + GetLangText(573) + ": Rezepte)");

  // A new search puts the bread where the cake was: the same position shows the bread.
  SearchResult({0, 1});
  DataRezDlg->ShowRecipe(0, false);
  EXPECT_EQ(Title(), " Brot (" + GetLangText(573) + ": Rezepte)");
  EXPECT_EQ(Text(), "Text von Brot");

  // The same recipe again, unforced, leaves the panes as they are, even for other servings.
  DataRezDlg->ShowRecipe(1, false);
  ASSERT_EQ(DataRezDlg->ShownRecipe.servings, 3);
  SetChosenServings(6);
  SearchResult({1, 0});
  DataRezDlg->ShowRecipe(0, false);
  EXPECT_EQ(DataRezDlg->ShownRecipe.servings, 3);
  EXPECT_EQ(DataRezDlg->DataItem, 0);
  // Redisplaying finds the recipe where it stands now.
  SearchResult({0, 1});
  DataRezDlg->RedisplayCurrentRecipe(6);
  EXPECT_EQ(DataRezDlg->ShownRecipe.title, "Apfelkuchen");
  EXPECT_EQ(DataRezDlg->ShownRecipe.servings, 6);
  EXPECT_EQ(DataRezDlg->DataItem, 1);
  DataRezDlg->RedisplayCurrentRecipe(-1);
  EXPECT_EQ(DataRezDlg->ShownRecipe.servings, 3);
}

TEST_F(RecipeViews, ThePictureOfTheRecipe) {
  InfoRezDlg->InfoPage->setCurrentIndex(0);
  WriteAll(env.env.Root() + "Pics/kuchen.jpg", ReadAll(test::Fixture("jpeg_red_green_blue.jpg")));
  DataRezDlg->ShowRecipe(1, false);
  QApplication::processEvents();
  EXPECT_TRUE(InfoRezDlg->RezImg->isVisible());
  EXPECT_FALSE(InfoRezDlg->NoPicTxt->isVisible());
  ASSERT_EQ(InfoRezDlg->Picture().size(), QSize(48, 16));
  // Three times as wide as high: panel-wide, centred vertically.
  const QSize panel = InfoRezDlg->PicPanel->size();
  ASSERT_GT(panel.height(), 0);
  const QRect r = InfoRezDlg->RezImg->geometry();
  if (3.0 > static_cast<double>(panel.width()) / panel.height()) {
    EXPECT_EQ(r.width(), panel.width());
    EXPECT_EQ(r.height(), static_cast<int>(panel.width() / 3.0));
    EXPECT_EQ(r.top(), panel.height() / 2 - r.height() / 2);
  } else {
    EXPECT_EQ(r.height(), panel.height());
    EXPECT_EQ(r.left(), panel.width() / 2 - r.width() / 2);
  }
  EXPECT_EQ(DataRezDlg->GetShownPictureName(), "kuchen.jpg");
  InfoRezDlg->RezImgDblClick();
  ASSERT_EQ(env.env.shell.opened.size(), 1u);
  EXPECT_EQ(env.env.shell.opened[0], env.env.Root() + "Pics/kuchen.jpg");
  SaveGrab(view, "standard_view_picture.png");

  // Another recipe without a picture: the no-picture text.
  DataRezDlg->ShowRecipe(0, false);
  EXPECT_FALSE(InfoRezDlg->RezImg->isVisible());
  EXPECT_TRUE(InfoRezDlg->NoPicTxt->isVisible());
  EXPECT_EQ(fromQ(InfoRezDlg->NoPicTxt->text()), GetLangText(401));
}

TEST_F(RecipeViews, ALargePictureIsDecodedForThePanelAndAgainWhenItGrows) {
  QImage big(1600, 1200, QImage::Format_RGB32);
  big.fill(Qt::darkGreen);
  ASSERT_TRUE(SavePictureFile(big, env.env.Root() + "Pics/kuchen.jpg"));
  // libjpeg's scales: the smallest that keeps the longer side at the size asked for.
  QImage image;
  ASSERT_TRUE(LoadPictureOrLog(env.env.Root() + "Pics/kuchen.jpg", image, 300));
  EXPECT_EQ(image.size(), QSize(400, 300));
  ASSERT_TRUE(LoadPictureOrLog(env.env.Root() + "Pics/kuchen.jpg", image, 0));
  EXPECT_EQ(image.size(), QSize(1600, 1200));

  view->resize(700, 500);
  QApplication::processEvents();
  DataRezDlg->ShowRecipe(1, false);
  const int panel = std::max(InfoRezDlg->PicPanel->width(), InfoRezDlg->PicPanel->height());
  const int first = InfoRezDlg->Picture().width();
  EXPECT_LT(first, 1600);
  EXPECT_GE(first, std::max(256, panel));
  // A panel larger than the decoded picture loads it again, larger.
  view->resize(2400, 1400);
  InfoRezDlg->ChooseSplit->setSizes({200, 2000});
  QApplication::processEvents();
  EXPECT_GT(InfoRezDlg->Picture().width(), first);
}

TEST_F(RecipeViews, APictureThatCannotBeDecodedIsSkippedAndLogged) {
  const std::string log = env.env.Root() + "Tavolin.log";
  WriteAll(env.env.Root() + "Pics/kuchen.jpg", ReadAll(test::Fixture("jpeg_empty.jpg")));
  DataRezDlg->ShowRecipe(1, false);
  EXPECT_FALSE(InfoRezDlg->RezImg->isVisible());
  EXPECT_TRUE(InfoRezDlg->NoPicTxt->isVisible());
  EXPECT_EQ(fromQ(InfoRezDlg->NoPicTxt->text()), GetLangText(401));
  EXPECT_NE(ReadAll(log).find("kuchen.jpg"), std::string::npos);
  EXPECT_TRUE(env.env.messages.shown.empty());
  // The rest of the recipe is shown all the same.
  EXPECT_EQ(Title(), " Apfelkuchen");

  // A picture that is not there is no fault: nothing is logged.
  const size_t logged = ReadAll(log).size();
  RemoveFile(env.env.Root() + "Pics/kuchen.jpg");
  DataRezDlg->ShowRecipe(1, true);
  EXPECT_TRUE(InfoRezDlg->NoPicTxt->isVisible());
  EXPECT_EQ(ReadAll(log).size(), logged);
}

TEST_F(RecipeViews, APictureNamedWithAFolderIsTakenAsItStands) {
  REZBLOCK r = test::PlainRecipe("Mit Pfad");
  r.pictures = {{'F', test::Fixture("jpeg_grayscale.jpg")}};
  env.AddRecipe(r);
  DataRezDlg->ShowRecipe(2, false);
  EXPECT_TRUE(InfoRezDlg->RezImg->isVisibleTo(InfoRezDlg));
  EXPECT_FALSE(InfoRezDlg->Picture().isNull());
  InfoRezDlg->RezImgDblClick();
  ASSERT_EQ(env.env.shell.opened.size(), 1u);
  EXPECT_EQ(env.env.shell.opened[0], test::Fixture("jpeg_grayscale.jpg"));
}

TEST_F(RecipeViews, TheGridWidthIsKeptInTheSettings) {
  // Nothing stored: room for about 54 average characters.
  EXPECT_EQ(InfoRezDlg->InfoPanel->width(),
            std::max(200, 54 * InfoRezDlg->fontMetrics().averageCharWidth()));
  InfoRezDlg->ChooseSplit->setSizes({260, 300});
  emit InfoRezDlg->ChooseSplit->splitterMoved(260, 1);
  EXPECT_EQ(env.env.userSettings.Read(kRegParam, "InfoW", ""),
            std::to_string(InfoRezDlg->InfoPanel->width()));

  // A stored width wider than the pane is cut to the pane's width - 20.
  env.env.userSettings.WriteString(kRegParam, "InfoW", "5000");
  auto* pane = new TInfoRezDlg;
  pane->resize(500, 300);
  pane->show();
  QApplication::processEvents();
  EXPECT_EQ(pane->InfoPanel->width(), pane->ChooseSplit->width() - 20);
  delete pane;
  InfoRezDlg = nullptr;
}

TEST_F(RecipeViews, PagesOfTheInformationPane) {
  EXPECT_EQ(InfoRezDlg->InfoPageNo, 1);
  EXPECT_EQ(fromQ(InfoRezDlg->InfoPage->tabText(2)), "Frische Zutaten");
  InfoRezDlg->InfoPage->setCurrentWidget(InfoRezDlg->LexSheet);
  EXPECT_EQ(InfoRezDlg->InfoPageNo, 2);
  // Terms (from the lexicon window) get the first one chosen; the encyclopedia gets it.
  InfoRezDlg->LexListLiBo->addItem(QStringLiteral("Blanchieren"));
  InfoRezDlg->LexTxt->setPlainText(QStringLiteral("alt"));
  InfoRezDlg->ResetLexiconPage();
  EXPECT_EQ(InfoRezDlg->LexListLiBo->currentRow(), 0);
  EXPECT_TRUE(InfoRezDlg->LexTxt->toPlainText().isEmpty());
  InfoRezDlg->WikipediaBtnClick();
  EXPECT_EQ(env.env.shell.opened.size(), 1u);
  InfoRezDlg->InfoPage->setCurrentWidget(InfoRezDlg->SaisonSheet);
  EXPECT_EQ(InfoRezDlg->InfoPageNo, 3);
  InfoRezDlg->ShowInfoSheet();
  EXPECT_EQ(InfoRezDlg->InfoPageNo, 1);
  EXPECT_EQ(InfoRezDlg->InfoPage->currentWidget(), InfoRezDlg->InfoSheet);
}

TEST_F(RecipeViews, NoScreenFiguresLeaveOneEmptyRow) {
  DataRezDlg->ShowRecipe(1, false);
  ASSERT_GT(InfoRezDlg->InfoGrd->rowCount(), 1);
  KenndatenDlg->keyFigures.clear();
  InfoRezDlg->FillKeyFigureGrid(DataRezDlg);
  EXPECT_EQ(Grid(), (std::vector<std::pair<std::string, std::string>>{{"", ""}}));
  // Without remark figures the text has no remarks.
  DataRezDlg->ShowRecipe(1, true);
  EXPECT_EQ(Text(), "Teig kneten.\nBacken.");
}

// The empty view ------------------------------------------------------------------------------

class EmptyView : public ::testing::Test {
 protected:
  void SetUp() override { env.Options(); }
  void TearDown() override { EmptyDlg = nullptr; }
  // A one-colour picture in the data folder.
  void Picture(const std::string& name, QColor colour) {
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(SavePictureFile(image, env.DataFolder() + name));
  }
  static QRgb Colour(const TEmptyDlg& view) {
    return view.EmptyImg->pixmap().toImage().pixel(0, 0);
  }
  test::TestEnv env;
};

TEST_F(EmptyView, BackgroundsOfTheBooksAndTheDefault) {
  {
    TEmptyDlg view;
    EXPECT_TRUE(view.EmptyImg->pixmap().isNull());  // no picture: black
    EXPECT_EQ(view.palette().color(QPalette::Window), QColor(Qt::black));
  }
  Picture("Hintergrund.bmp", Qt::red);  // either spelling finds it
  TEmptyDlg view;
  EXPECT_EQ(Colour(view), QColor(Qt::red).rgb());
  Picture("Buch.bmp", Qt::blue);
  view.LoadViewBackground("Buch.bmp");
  EXPECT_EQ(Colour(view), QColor(Qt::blue).rgb());
  // A missing book picture falls back to the default.
  view.LoadViewBackground("Fehlt.bmp");
  EXPECT_EQ(Colour(view), QColor(Qt::red).rgb());
  // With neither there, the picture stays.
  view.LoadViewBackground("Buch.bmp");
  RemoveFile(env.DataFolder() + "Hintergrund.bmp");
  view.LoadViewBackground("Fehlt.bmp");
  EXPECT_EQ(Colour(view), QColor(Qt::blue).rgb());
}

TEST_F(EmptyView, APictureThatCannotBeDecodedKeepsThePreviousOne) {
  TToolsMod tools;
  ctx().tools = &tools;
  Picture("Buch.bmp", Qt::blue);
  TEmptyDlg view;
  view.LoadViewBackground("Buch.bmp");
  WriteAll(env.DataFolder() + "Kaputt.bmp", "BM not a bitmap");
  view.LoadViewBackground("Kaputt.bmp");
  EXPECT_EQ(Colour(view), QColor(Qt::blue).rgb());
  EXPECT_NE(ReadAll(env.Root() + "Tavolin.log").find("Kaputt.bmp"), std::string::npos);
  EXPECT_TRUE(env.messages.shown.empty());
}

// The key-figure choice -----------------------------------------------------------------------

class KeyFigureWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteAll(File(), "0|0|\r\n1|0|\r\n0|-1|ZF|Fett\r\n0|19|\r\n");
    dlg = std::make_unique<TKenndatenDlg>();
  }
  void TearDown() override {
    dlg.reset();
    KenndatenDlg = nullptr;
  }
  std::string File() const { return env.Data() + "DE/Kenndaten.dat"; }
  std::vector<std::string> Nodes() const {
    std::vector<std::string> out;
    for (int i = 0; i < dlg->ShowDataTree->topLevelItemCount(); ++i)
      out.push_back(fromQ(dlg->ShowDataTree->topLevelItem(i)->text(0)));
    return out;
  }
  std::string Selected() const {
    const QTreeWidgetItem* n = dlg->ShowDataTree->currentItem();
    return n ? fromQ(n->text(0)) : "";
  }
  static int Row(QListWidget* list, const std::string& text) {
    for (int i = 0; i < list->count(); ++i)
      if (fromQ(list->item(i)->text()) == text) return i;
    return -1;
  }
  void Choose(QListWidget* list, const std::string& text) {
    for (int i = 0; i < list->count(); ++i)
      if (fromQ(list->item(i)->text()) == text) list->setCurrentRow(i);
  }

  test::ViewEnv env;
  std::unique_ptr<TKenndatenDlg> dlg;
};

TEST_F(KeyFigureWindow, ListsTheChoiceAndEditsIt) {
  EXPECT_EQ(dlg->DataTypeCoBo->count(), 4);
  EXPECT_EQ(fromQ(dlg->DataTypeCoBo->itemText(3)), GetLangText(560));
  ASSERT_EQ(dlg->KenndatenLiBo->count(), 22);
  EXPECT_EQ(fromQ(dlg->KenndatenLiBo->item(18)->text()), GetLangText(569));
  EXPECT_GT(dlg->BLSDatenLiBo->count(), 20);
  EXPECT_EQ(fromQ(dlg->BLSDatenLiBo->item(0)->text()) <= fromQ(dlg->BLSDatenLiBo->item(1)->text()),
            true);
  const std::string servings = GetLangText(539), quality = GetLangText(690);
  EXPECT_EQ(Nodes(), (std::vector<std::string>{servings, "Fett (\"Fett\")", quality}));
  EXPECT_EQ(Selected(), "");

  // A general figure is added once; a nutrient by its list entry.
  dlg->show();
  ASSERT_TRUE(test::DoubleClickCell(dlg->KenndatenLiBo, kFigureCosts));
  EXPECT_EQ(Selected(), GetLangText(542));
  ASSERT_TRUE(test::Click(dlg->KenndatenAddBtn));
  ASSERT_TRUE(test::DoubleClickCell(dlg->BLSDatenLiBo, Row(dlg->BLSDatenLiBo, "Natrium")));
  EXPECT_EQ(Nodes(), (std::vector<std::string>{servings, "Fett (\"Fett\")", quality,
                                               GetLangText(542), "Natrium"}));
  EXPECT_EQ(Selected(), "Natrium");
  EXPECT_EQ(dlg->keyFigures.back().stoffCode, "MNA");

  // An alternative text shows in brackets; up and down swap; delete selects the next.
  ASSERT_TRUE(test::TypeInto(dlg->ShowTextEdt, QStringLiteral("Salz")));
  EXPECT_EQ(Selected(), "Natrium (\"Salz\")");
  ASSERT_TRUE(test::Click(dlg->ShowDataUpBtn));
  EXPECT_EQ(Nodes()[3], "Natrium (\"Salz\")");
  EXPECT_EQ(Selected(), "Natrium (\"Salz\")");
  ASSERT_TRUE(test::Click(dlg->ShowDataDownBtn));
  ASSERT_TRUE(test::Click(dlg->ShowDataDownBtn));  // the last node stays where it is
  EXPECT_EQ(Nodes()[4], "Natrium (\"Salz\")");
  ASSERT_TRUE(test::ClickCell(dlg->ShowDataTree, 1));
  EXPECT_EQ(fromQ(dlg->ShowTextEdt->text()), "Fett");
  ASSERT_TRUE(test::Click(dlg->ShowDataDelBtn));
  EXPECT_EQ(Selected(), quality);
  ASSERT_EQ(Nodes().size(), 4u);

  // The other kinds keep their own figures.
  ASSERT_TRUE(test::ChooseInCombo(dlg->DataTypeCoBo, dlg->DataTypeCoBo->itemText(1)));
  EXPECT_EQ(Nodes(), std::vector<std::string>{servings});

  ASSERT_TRUE(test::Click(dlg->OKBtn));
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(ReadAll(File()), "0|0|\r\n1|0|\r\n0|19|\r\n0|3|\r\n0|-1|MNA|Salz\r\n");
}

TEST_F(KeyFigureWindow, DraggingOntoTheTree) {
  const std::string servings = GetLangText(539), quality = GetLangText(690);
  // From the general list onto the first node: inserted before it.
  dlg->KenndatenLiBo->setCurrentRow(kFigureSource);
  dlg->ShowDataTreeDragDrop(dlg->KenndatenLiBo, 0);
  EXPECT_EQ(Nodes(), (std::vector<std::string>{GetLangText(543), servings, "Fett (\"Fett\")",
                                               quality}));
  EXPECT_EQ(Selected(), GetLangText(543));
  // A figure the kind holds already is not added again.
  dlg->ShowDataTreeDragDrop(dlg->KenndatenLiBo, -1);
  EXPECT_EQ(Nodes().size(), 4u);
  // Moving a node below the last one.
  dlg->ShowDataTree->setCurrentItem(dlg->ShowDataTree->topLevelItem(0));
  dlg->ShowDataTreeDragDrop(dlg->ShowDataTree, -1);
  EXPECT_EQ(Nodes(), (std::vector<std::string>{servings, "Fett (\"Fett\")", quality,
                                               GetLangText(543)}));
  // A nutrient dropped on a node.
  Choose(dlg->BLSDatenLiBo, "Eiwei\xDF (Protein)");
  dlg->ShowDataTreeDragDrop(dlg->BLSDatenLiBo, dlg->ShowDataTree->topLevelItem(2)
                                                   ->data(0, Qt::UserRole)
                                                   .toInt());
  EXPECT_EQ(Nodes()[2], "Eiwei\xDF (Protein)");
}

TEST_F(KeyFigureWindow, CancelGoesBackToTheFile) {
  dlg->show();
  dlg->KenndatenLiBo->setCurrentRow(kFigurePoints);
  dlg->KenndatenAddBtnClick();
  EXPECT_EQ(dlg->CountKeyFigures(), 5);
  dlg->CloseBtnClick();
  EXPECT_EQ(dlg->CountKeyFigures(), 4);
  EXPECT_EQ(ReadAll(File()), "0|0|\r\n1|0|\r\n0|-1|ZF|Fett\r\n0|19|\r\n");
  EXPECT_EQ(dlg->GetRemarkShowMode(0), 0);

  // Without a readable file the list goes back to what it was when the window was shown.
  RemoveFile(File());
  dlg->show();
  dlg->KenndatenAddBtnClick();
  dlg->CloseBtnClick();
  EXPECT_EQ(dlg->CountKeyFigures(), 4);
}

TEST_F(KeyFigureWindow, Looks) {
  dlg->resize(dlg->sizeHint().expandedTo(QSize(640, 460)));
  dlg->KenndatenLiBo->setCurrentRow(kFigureTotalTime);
  dlg->KenndatenAddBtnClick();
  dlg->ShowTextEdt->setText(toQ("Dauer"));
  dlg->ShowTextEdtChange();
  dlg->show();
  QApplication::processEvents();
  SaveGrab(dlg.get(), "key_figures_dialog.png");
  EXPECT_EQ(fromQ(dlg->windowTitle()),
            "Welche Kenndaten sollen mit dem Rezept angezeigt werden ?");
}

}  // namespace
}  // namespace tav
