// The freezer window and the best-before window in the whole program: the picture's clicks and
// drops, the stored-foods table and its editor, the definition view, the usual-foods tree, the
// best-before check from the menu, at start and into the freezer window, and the files written
// when the windows close. Shots in both languages (TAVOLIN_SHOTS).
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>
#include <memory>
#include <functional>

#include "kitchen/freezer/freezer_records.h"
#include "kitchen/ui/best_before_dialog.h"
#include "kitchen/ui/freezer_dialog.h"
#include "kitchen/ui/freezer_picture.h"
#include "services/options_store.h"
#include "windows/kitchen_program.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

std::string FoodLineOf(int sd, int sm, int sy, int md, int mm, int my, bool opened,
                       const std::string& name, const std::string& amount) {
  CO_LMITTEL f;
  f.sinceDay = sd;
  f.sinceMonth = sm;
  f.sinceYear = sy;
  f.mhdDay = md;
  f.mhdMonth = mm;
  f.mhdYear = my;
  f.opened = opened;
  f.name = name;
  f.amount = amount;
  return FoodLine(f);
}

// Two freezers; today is 15 March 2026.
// Types the text as key presses, so the edit's validator sees every character.
void TypeInto(QLineEdit* edit, const std::string& text) {
  edit->setFocus();
  for (char c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar::fromLatin1(c)));
    QApplication::sendEvent(edit, &press);
  }
}

const std::string kBoxes =
    ">N#K\xFC"
    "chenschrank\r\n+Fleisch\r\n" +
    FoodLineOf(2, 1, 2026, 0, 4, 2026, false, "Rinderrouladen",
               "4 St\xFC"
               "ck") +
    "\r\n" + FoodLineOf(5, 2, 2026, 0, 0, 0, true, "Hackfleisch", "500 g") + "\r\n" +
    "+Gefl\xFC"
    "gel\r\n" +
    FoodLineOf(1, 12, 2025, 0, 12, 2025, false, "H\xE4hnchenschenkel",
               "4 St\xFC"
               "ck") +
    "\r\n+Fisch\r\n+Gem\xFC"
    "se\r\n" +
    FoodLineOf(3, 1, 2026, 0, 8, 2026, false, "Erbsen", "450 g") +
    "\r\n+Backwaren\r\n>U#Truhe im Keller\r\n+Brot\r\n" +
    FoodLineOf(10, 1, 2026, 31, 3, 2026, false, "Roggenbrot", "1 Laib") +
    "\r\n+Kuchen\r\n+Eis\r\n+Obst\r\n+Reste\r\n";

class FreezerWindows : public test::KitchenProgram {
 protected:
  void SetUp() override {
    KitchenProgram::SetUp();
    SetFreezerClockForTest([] { return ClockDate{15, 3, 2026}; });
    MakeBook({test::Dish("Erbsensuppe", 4, {test::Line("450", "g", "Erbsen")}, "Kochen.")});
    for (const char* lang : {"DE", "EN"}) WriteAll(Boxes(lang), kBoxes);
  }
  void TearDown() override {
    KitchenProgram::TearDown();
    SetFreezerClockForTest({});
  }
  std::string Boxes(const char* lang = "DE") {
    return env.Root() + "Data/" + lang + "/CoolBoxes.dat";
  }
  std::string Types(const char* lang = "DE") {
    return env.Root() + "Data/" + lang + "/CoolTypes.dat";
  }

  TCoolDlg* Open() {
    CoolDlg->show();
    QApplication::processEvents();
    return CoolDlg;
  }
  std::vector<std::string> Column(int column) const {
    std::vector<std::string> out;
    for (int r = 0; r < CoolDlg->LMittelGrd->rowCount(); ++r) {
      const QTableWidgetItem* item = CoolDlg->LMittelGrd->item(r, column);
      out.push_back(item ? fromQ(item->text()) : std::string());
    }
    return out;
  }
  // Selects the usual food of that name in the tree.
  void SelectType(const std::string& name) {
    const auto& types = CoolDlg->FoodTypes();
    for (size_t i = 0; i < types.size(); ++i)
      if (types[i].name == name) {
        CoolDlg->SelectFoodTypeNode(static_cast<int>(i));
        return;
      }
    FAIL() << name;
  }
  const CO_SCHRANK& Freezer(int k) { return CoolDlg->Freezers()[k]; }
};

TEST_F(FreezerWindows, InventoryViewAndThePicturesClicks) {
  Start();
  TCoolDlg* d = Open();
  EXPECT_EQ(fromQ(d->windowTitle()), "Gefriergut-Verwaltung");
  ASSERT_EQ(d->Freezers().size(), 2u);
  EXPECT_EQ(d->SchrankCoBo->count(), 2);
  EXPECT_EQ(d->FachChooseCoBo->count(), 6);
  EXPECT_EQ(fromQ(d->FachChooseCoBo->itemText(0)),
            "Alle F\xE4"
            "cher");
  EXPECT_EQ(fromQ(d->FachChooseCoBo->itemText(2)), "2: Gefl\xFCgel");
  EXPECT_EQ(Column(2), (std::vector<std::string>{"Rinderrouladen", "Hackfleisch"}));
  EXPECT_EQ(Column(4), (std::vector<std::string>{" ", "X"}));
  EXPECT_EQ(Column(5), (std::vector<std::string>{"04/2026", ""}));
  EXPECT_EQ(Column(6), (std::vector<std::string>{"02.01.2026", "05.02.2026"}));
  EXPECT_TRUE(d->InpLMittelPnl->isVisible());
  EXPECT_EQ(fromQ(d->LMNameEdt->text()), "Rinderrouladen");
  // April is one month ahead: orange with option 84 = 1; December 2025 is red.
  EXPECT_EQ(d->BestBeforeCellStatus(0, 0), 1);
  EXPECT_EQ(d->BestBeforeCellStatus(1, 0), 2);
  ctx().options->SetParaBool(82, false);
  EXPECT_EQ(d->BestBeforeCellStatus(1, 0), 0);
  ctx().options->SetParaBool(82, true);
  Shot(d, "freezer_inventory_DE");

  // y 63 is the top: every compartment; y 64 compartment 0; below the last one all again.
  d->PaintGraphMouseDown(63);
  EXPECT_TRUE(d->AllFaecher);
  EXPECT_EQ(d->FachChooseCoBo->currentIndex(), 0);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"Rinderrouladen", "Hackfleisch",
                                                 "H\xE4hnchenschenkel", "Erbsen"}));
  EXPECT_EQ(Column(0)[2], "2: Gefl\xFCgel");
  d->PaintGraphMouseDown(64 + 48 * 3 + 10);
  EXPECT_FALSE(d->AllFaecher);
  EXPECT_EQ(d->CurFach, 3);
  EXPECT_EQ(d->FachChooseCoBo->currentIndex(), 4);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"Erbsen"}));
  d->PaintGraphMouseDown(64);
  EXPECT_EQ(d->CurFach, 0);
  d->PaintGraphMouseDown(64 + 48 * 5);
  EXPECT_TRUE(d->AllFaecher);

  // Another freezer keeps the all-compartments mode; numbered from the bottom, the top
  // compartment has number 5 and index 0.
  d->SchrankCoBo->setCurrentIndex(1);
  d->SchrankCoBoChange();
  EXPECT_TRUE(d->AllFaecher);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"5: Brot"}));
  d->PaintGraphMouseDown(70);
  EXPECT_EQ(d->CurFach, 0);
  EXPECT_EQ(fromQ(d->FachChooseCoBo->itemText(1)), "5: Brot");
  EXPECT_EQ(Column(5), (std::vector<std::string>{"31.03.2026"}));
  // An empty compartment: one empty row, no editor.
  d->FachChooseCoBo->setCurrentIndex(3);
  d->FachChooseCoBoChange();
  EXPECT_EQ(d->CurFach, 2);
  EXPECT_EQ(Column(2), (std::vector<std::string>{""}));
  EXPECT_FALSE(d->InpLMittelPnl->isVisible());
  EXPECT_FALSE(d->MoveTypeBtn->isVisible());
  d->close();
}

TEST_F(FreezerWindows, StoringEditingCopyingAndDeletingFoods) {
  Start();
  TCoolDlg* d = Open();
  // "Neue Einlagerung" in an empty compartment.
  d->FachChooseCoBo->setCurrentIndex(3);
  d->FachChooseCoBoChange();
  d->NewLMittelBtn->click();
  const auto& fish = Freezer(0).faecher[2].foods;
  ASSERT_EQ(fish.size(), 1u);
  EXPECT_EQ(fish[0].name, "<Neues Lebensmittel>");
  EXPECT_EQ(fish[0].amount, "??? g");
  EXPECT_EQ(fish[0].sinceDay, 15);
  EXPECT_EQ(fish[0].sinceMonth, 3);
  EXPECT_EQ(fish[0].sinceYear, 2026);
  EXPECT_TRUE(d->InpLMittelPnl->isVisible());
  EXPECT_EQ(Column(6), (std::vector<std::string>{"15.03.2026"}));

  // Every change goes through to the food and its row.
  d->LMNameEdt->setText(toQ("Lachsfilet"));
  d->LMMengeEdt->setText(
      toQ("2 St\xFC"
          "ck"));
  d->LMAngebChk->click();
  d->LMMHDEdt->setText(QStringLiteral("7.2027"));
  EXPECT_EQ(fish[0].name, "Lachsfilet");
  EXPECT_TRUE(fish[0].opened);
  EXPECT_EQ(fish[0].mhdDay, 0);
  EXPECT_EQ(fish[0].mhdMonth, 7);
  EXPECT_EQ(fish[0].mhdYear, 2027);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"Lachsfilet"}));
  EXPECT_EQ(Column(4), (std::vector<std::string>{"X"}));
  EXPECT_EQ(Column(5), (std::vector<std::string>{"07/2027"}));
  d->LMMHDEdt->setText(QStringLiteral("15"));
  EXPECT_EQ(fish[0].mhdMonth, 0);
  EXPECT_EQ(Column(5), (std::vector<std::string>{""}));
  // A day beyond 31 fits no column of the file.
  d->LMMHDEdt->setText(QStringLiteral("45.7.2027"));
  EXPECT_EQ(fish[0].mhdDay, 0);
  EXPECT_EQ(fish[0].mhdMonth, 7);
  // A "~" is refused in the name.
  d->LMNameEdt->clear();
  TypeInto(d->LMNameEdt, "Lachs~filet");
  EXPECT_EQ(fish[0].name, "Lachsfilet");
  d->LMSinceEdt->clear();
  d->LMSinceBtn->click();
  EXPECT_EQ(fromQ(d->LMSinceEdt->text()), "15.3.2026");
  EXPECT_EQ(fish[0].sinceDay, 15);

  // Copy the second of three: the copy is third, not opened, its dates kept.
  d->FachChooseCoBo->setCurrentIndex(1);
  d->FachChooseCoBoChange();
  d->NewLMittelBtn->click();
  auto& meat = CoolDlg->Freezers()[0].faecher[0].foods;
  ASSERT_EQ(meat.size(), 3u);
  d->SelectFoodRow(0, 1);
  d->LMCopyBtn->click();
  ASSERT_EQ(meat.size(), 4u);
  EXPECT_EQ(meat[2].name, "Hackfleisch");
  EXPECT_FALSE(meat[2].opened);
  EXPECT_EQ(meat[2].sinceDay, 5);
  EXPECT_EQ(d->LMittelGrd->currentRow(), 2);
  // Deleting the last food selects the one before it; deleting the only one hides the editor.
  d->SelectFoodRow(0, 3);
  d->DelLMittelBtn->click();
  EXPECT_EQ(meat.size(), 3u);
  EXPECT_EQ(d->LMittelGrd->currentRow(), 2);
  d->FachChooseCoBo->setCurrentIndex(3);
  d->FachChooseCoBoChange();
  d->DelLMittelBtn->click();
  EXPECT_TRUE(Freezer(0).faecher[2].foods.empty());
  EXPECT_FALSE(d->InpLMittelPnl->isVisible());
  d->DelLMittelBtn->click();  // nothing left: nothing happens
  // All compartments: a new food goes into the compartment of the selected row.
  d->PaintGraphMouseDown(10);
  d->SelectFoodRow(3, 0);
  d->NewLMittelBtn->click();
  EXPECT_EQ(Freezer(0).faecher[3].foods.size(), 2u);

  // Closing saves both files.
  d->close();
  const std::string saved = ReadAll(Boxes());
  EXPECT_NE(saved.find("+Gem\xFC"
                       "se\r\n~0301202600082026 ~Erbsen~450 g\r\n~1503202600000000 "
                       "~<Neues Lebensmittel>~??? g\r\n"),
            std::string::npos)
      << saved;
  EXPECT_EQ(ReadAll(Types()),
            ReadAll(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/DE/CoolTypes.dat"));
}

// What a drag from the usual-foods tree hands to the widget under the mouse: enter, moves,
// and the drop when `letGo`. Returns whether the last event was accepted.
bool DragOver(QWidget* target, const QMimeData* data, const std::vector<QPoint>& path,
              bool letGo) {
  bool accepted = false;
  for (size_t i = 0; i < path.size(); ++i) {
    const QEvent::Type type = i == 0 ? QEvent::DragEnter
                              : i + 1 == path.size() && letGo ? QEvent::Drop
                                                              : QEvent::DragMove;
    if (type == QEvent::DragEnter) {
      QDragEnterEvent e(path[i], Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                        Qt::NoModifier);
      QApplication::sendEvent(target, &e);
      accepted = e.isAccepted();
      if (!accepted) return false;  // a refused enter ends the drag over this widget
    } else if (type == QEvent::DragMove) {
      QDragMoveEvent e(path[i], Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                       Qt::NoModifier);
      QApplication::sendEvent(target, &e);
      accepted = e.isAccepted();
    } else {
      QDropEvent e(path[i], Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                   Qt::NoModifier);
      QApplication::sendEvent(target, &e);
      accepted = e.isAccepted();
    }
  }
  return accepted;
}

// A freezer of fourteen compartments: the picture shows all of them, and a food dragged up
// from the tree, entering the picture below the compartments, lands in the one it is let go
// over; let go beside the compartments it is not taken.
TEST_F(FreezerWindows, AUsualFoodDraggedIntoTheLowestOfManyCompartments) {
  std::string boxes = ">N#Gro\xDF" "e Truhe\r\n";
  for (int i = 1; i <= 14; ++i) boxes += "+Fach " + std::to_string(i) + "\r\n";
  WriteAll(Boxes(), boxes);
  Start();
  TCoolDlg* d = Open();
  d->resize(900, 600);
  QApplication::processEvents();
  ASSERT_EQ(Freezer(0).count, 14);
  FreezerPicture* picture = d->PaintGraph;
  // Every compartment lies inside the picture.
  EXPECT_LE(FreezerHeight(*d) * picture->Scale(), picture->height() + 1.0);
  Shot(d, "freezer_many_compartments_DE");

  // The user picks "Erbsen" in the tree with the mouse and drags it.
  const auto& types = d->FoodTypes();
  SelectType("Erbsen");  // to find its node; the click below chooses it
  QTreeWidgetItem* peas = d->TypeTree->currentItem();
  ASSERT_NE(peas, nullptr);
  SelectType("Gem\xFC" "se");
  d->TypeTree->scrollToItem(peas);
  QTest::mouseClick(d->TypeTree->viewport(), Qt::LeftButton, Qt::NoModifier,
                    d->TypeTree->visualItemRect(peas).center());
  ASSERT_EQ(types[d->SelectedFoodType()].name, "Erbsen");
  std::unique_ptr<QMimeData> data(
      d->TypeTree->model()->mimeData(d->TypeTree->selectionModel()->selectedIndexes()));

  auto at = [&](double pictureY) {
    return QPoint(picture->width() / 2, static_cast<int>(pictureY * picture->Scale()));
  };
  const double lowest = 64 + 48 * 13 + 24;  // the middle of compartment 14
  const int below = picture->height() - 2;  // under the freezer's bottom
  // Let go under the freezer: entered, but not taken.
  EXPECT_FALSE(DragOver(picture, data.get(), {QPoint(picture->width() / 2, below),
                                              QPoint(picture->width() / 2, below - 1)},
                        true));
  EXPECT_TRUE(Freezer(0).faecher[13].foods.empty());
  // Entered below the compartments, moved up onto the lowest one and let go there.
  EXPECT_TRUE(DragOver(picture, data.get(),
                       {QPoint(picture->width() / 2, below), at(lowest + 10), at(lowest)}, true));
  ASSERT_EQ(Freezer(0).faecher[13].foods.size(), 1u);
  EXPECT_EQ(Freezer(0).faecher[13].foods[0].name, "Erbsen");
  EXPECT_EQ(d->CurFach, 13);
  // The same drag entering above the compartments reaches the first one.
  EXPECT_TRUE(DragOver(picture, data.get(), {at(20), at(64 + 24)}, true));
  ASSERT_EQ(Freezer(0).faecher[0].foods.size(), 1u);
  // The table takes it too, wherever it is let go.
  QWidget* table = d->LMittelGrd->viewport();
  EXPECT_TRUE(DragOver(table, data.get(), {QPoint(5, 5), QPoint(20, 20)}, true));
  EXPECT_EQ(Freezer(0).faecher[0].foods.size(), 2u);
  // A group is refused on entering.
  SelectType("Gem\xFC" "se");
  std::unique_ptr<QMimeData> group(
      d->TypeTree->model()->mimeData(d->TypeTree->selectionModel()->selectedIndexes()));
  EXPECT_FALSE(DragOver(picture, group.get(), {at(lowest)}, false));
  Shot(d, "freezer_dropped_into_lowest_DE");
}

TEST_F(FreezerWindows, UsualFoodsDroppedDoubleClickedAndTakenIn) {
  Start();
  TCoolDlg* d = Open();
  ASSERT_FALSE(d->FoodTypes().empty());
  EXPECT_GT(d->TypeTree->topLevelItemCount(), 3);
  d->OpenAllMnuClick();
  Shot(d->TypeTree->parentWidget(), "freezer_usual_foods_DE");
  // Dropping a usual food on compartment 3 while the table shows compartment 1.
  SelectType("Erbsen");
  EXPECT_TRUE(d->CanDropFoodType());
  EXPECT_EQ(d->DropCompartment(63), -1);
  EXPECT_EQ(d->DropCompartment(64 + 48 * 5), -1);
  d->PaintGraphDragDrop(64 + 48 * 2 + 5);
  const auto& third = Freezer(0).faecher[2].foods;
  ASSERT_EQ(third.size(), 1u);
  EXPECT_EQ(third[0].name, "Erbsen");
  EXPECT_EQ(third[0].amount, "450 g");
  EXPECT_EQ(third[0].mhdMonth, 0);
  EXPECT_EQ(third[0].sinceDay, 15);
  EXPECT_EQ(third[0].sinceMonth, 3);
  EXPECT_EQ(d->CurFach, 2);
  EXPECT_EQ(d->FachChooseCoBo->currentIndex(), 3);
  EXPECT_EQ(Column(2), (std::vector<std::string>{"Erbsen"}));
  EXPECT_EQ(fromQ(d->LMNameEdt->text()), "Erbsen");
  EXPECT_TRUE(d->LMMHDEdt->hasFocus() || QApplication::focusWidget() == nullptr);
  // A group is not dropped; a double click on a group does nothing, on a food stores it.
  SelectType(
      "Gem\xFC"
      "se");
  EXPECT_FALSE(d->CanDropFoodType());
  d->PaintGraphDragDrop(64 + 5);
  d->TypeTreeDblClick(d->TypeTree->currentItem());
  EXPECT_EQ(third.size(), 1u);
  SelectType("Blattspinat");
  d->TypeTreeDblClick(d->TypeTree->currentItem());
  EXPECT_EQ(third.size(), 2u);
  EXPECT_EQ(third[1].name, "Blattspinat");

  // "Aktuelles Lebensmittel aufnehmen" and "&>>" put the editor's food first into the group.
  d->LMNameEdt->setText(toQ("Zuckerschoten"));
  d->LMMengeEdt->setText(toQ("300 g"));
  SelectType("Erbsen");
  d->MoveTypeBtnClick();
  const int group = d->SelectedFoodType();
  ASSERT_GE(group, 1);
  EXPECT_EQ(d->FoodTypes()[group].name, "Zuckerschoten");
  EXPECT_EQ(d->FoodTypes()[group - 1].name,
            "Gem\xFC"
            "se");
  EXPECT_EQ(fromQ(d->TypeTree->currentItem()->text(0)), "Zuckerschoten, 300 g");
  // Renaming a food edits its name only, not the amount shown beside it.
  d->RenameMnuClick();
  EXPECT_EQ(fromQ(d->TypeTree->currentItem()->text(0)), "Zuckerschoten");
  auto* editor = d->TypeTree->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->clear();
  TypeInto(editor, "Zucker~erbsen");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(editor, &enter);
  QApplication::processEvents();
  EXPECT_EQ(d->FoodTypes()[group].name, "Zuckererbsen");
  EXPECT_EQ(d->FoodTypes()[group].text, "300 g");
  EXPECT_EQ(fromQ(d->TypeTree->currentItem()->text(0)), "Zuckererbsen, 300 g");
  // The context menu shows the items of a food.
  d->TreeMnuPopup();
  EXPECT_TRUE(d->AddGutMnu->isVisible());
  EXPECT_FALSE(d->NewChildNode->isVisible());
  d->close();
  EXPECT_NE(ReadAll(Types()).find("+0#Gem\xFC"
                                  "se\r\n~1#Zuckererbsen~300 g\r\n~1#Erbsen~450 g\r\n"),
            std::string::npos);
}

TEST_F(FreezerWindows, AnEmptyUsualFoodsListGetsAFirstGroup) {
  WriteAll(Types(), "");
  Start();
  TCoolDlg* d = Open();
  ASSERT_TRUE(d->FoodTypes().empty());
  d->TreeMnuPopup();
  ASSERT_EQ(d->FoodTypes().size(), 1u);
  EXPECT_EQ(d->FoodTypes()[0].name, "<Neue Gruppe>");
  EXPECT_TRUE(d->FoodTypes()[0].group);
  EXPECT_EQ(d->SelectedFoodType(), 0);
  EXPECT_TRUE(d->NewChildNode->isVisible());
  EXPECT_FALSE(d->AddGutMnu->isVisible());
  d->NewChildNodeClick();
  d->NewNodeMnuClick();  // a sibling of the child
  ASSERT_EQ(d->FoodTypes().size(), 3u);
  EXPECT_EQ(d->FoodTypes()[2].level, 1);
  d->SelectFoodTypeNode(0);
  d->DelMnuClick();
  EXPECT_TRUE(d->FoodTypes().empty());
  EXPECT_EQ(d->TypeTree->topLevelItemCount(), 0);
  d->close();
}

TEST_F(FreezerWindows, DefinitionView) {
  Start();
  TCoolDlg* d = Open();
  d->DefSchrankMnu->trigger();
  EXPECT_TRUE(d->TruhenPnl->isVisible());
  EXPECT_FALSE(d->WorkPnl->isVisible());
  EXPECT_TRUE(d->SchrankNameTxt->isVisible());
  EXPECT_EQ(d->SchraenkeGrd->rowCount(), 2);
  EXPECT_EQ(fromQ(d->SchraenkeGrd->item(0, 1)->text()),
            "5 F\xE4"
            "cher");
  EXPECT_EQ(d->FaecherGrd->rowCount(), 5);
  Shot(d, "freezer_definition_DE");

  // The count edit: 30 becomes 25, nothing becomes 1.
  d->SchrankfachAnzEdt->setText(QStringLiteral("30"));
  d->SchrankfachAnzEdtChange();
  EXPECT_EQ(Freezer(0).count, 25);
  EXPECT_EQ(fromQ(d->SchrankfachAnzEdt->text()), "25");
  EXPECT_EQ(d->FaecherGrd->rowCount(), 25);
  d->SchrankfachAnzEdt->setText(QString());
  d->SchrankfachAnzEdtChange();
  EXPECT_EQ(Freezer(0).count, 1);
  EXPECT_EQ(fromQ(d->SchrankfachAnzEdt->text()), "1");
  // In the definition view a click below the last compartment selects the last.
  d->PaintGraphMouseDown(400);
  EXPECT_EQ(d->CurFach, 0);

  // OK would drop the foods of compartments 2 to 5: asked first; No stays.
  env.messages.answers = {IDNO};
  d->EditOKBtn->click();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], GetLangText(1031));
  EXPECT_TRUE(d->TruhenPnl->isVisible());
  EXPECT_EQ(ReadAll(Boxes()), kBoxes);
  // Cancel brings back the saved freezers, foods included.
  d->FaecherGrd->setCurrentCell(0, 1);
  d->FaecherGrd->item(0, 1)->setText(toQ("Rind"));
  EXPECT_EQ(Freezer(0).faecher[0].name, "Rind");
  d->EditCancelBtn->click();
  EXPECT_FALSE(d->TruhenPnl->isVisible());
  EXPECT_EQ(Freezer(0).count, 5);
  EXPECT_EQ(Freezer(0).faecher[0].name, "Fleisch");
  EXPECT_EQ(Freezer(0).faecher[1].foods.size(), 1u);

  // A new freezer, numbered from the bottom, then deleted again.
  d->DefSchrankMnu->trigger();
  d->NewSchrankBtn->click();
  EXPECT_EQ(d->SchraenkeGrd->rowCount(), 3);
  EXPECT_EQ(d->CurFreezer, 2);
  EXPECT_EQ(fromQ(d->SchraenkeGrd->item(2, 0)->text()), "<Neuer Gefrierschrank>");
  EXPECT_EQ(fromQ(d->SchranknameEdt->text()), "<Neuer Gefrierschrank>");
  EXPECT_EQ(fromQ(d->FaecherGrd->item(4, 1)->text()), "Backwaren");
  d->FaecherSortChk->click();
  EXPECT_EQ(fromQ(d->FaecherGrd->item(0, 0)->text()), "5");
  EXPECT_EQ(fromQ(d->FaecherGrd->item(4, 0)->text()), "1");
  d->SchranknameEdt->setText(toQ("Truhe"));
  d->SchranknameEdtChange();
  EXPECT_EQ(fromQ(d->SchraenkeGrd->item(2, 0)->text()), "Truhe");
  EXPECT_EQ(fromQ(d->SchrankNameTxt->text()), "Truhe");
  // Deleting the middle one of three makes the former third current.
  d->SchraenkeGrd->setCurrentCell(1, 0);
  EXPECT_EQ(d->CurFreezer, 1);
  env.messages.answers = {IDNO, IDYES};
  d->DelSchrankBtn->click();
  EXPECT_EQ(d->Freezers().size(), 3u);
  d->DelSchrankBtn->click();
  ASSERT_EQ(d->Freezers().size(), 2u);
  EXPECT_EQ(d->CurFreezer, 1);
  EXPECT_EQ(Freezer(1).name, "Truhe");
  d->DelSchrankBtn->click();  // the default answer of the fake is OK, which is no Yes
  EXPECT_EQ(d->Freezers().size(), 2u);
  env.messages.answers = {IDYES};
  d->DelSchrankBtn->click();
  ASSERT_EQ(d->Freezers().size(), 1u);
  env.messages.shown.clear();
  d->DelSchrankBtn->click();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], GetLangText(718));
  d->EditOKBtn->click();
  EXPECT_FALSE(d->TruhenPnl->isVisible());
  EXPECT_EQ(d->SchrankCoBo->count(), 1);
  EXPECT_EQ(ReadAll(Boxes()).find("Truhe im Keller"), std::string::npos);
  d->close();
}

// Keys as the keyboard gives them to a widget.
void PressKey(QWidget* w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    QKeyEvent e(type, key, modifiers);
    QApplication::sendEvent(w, &e);
  }
}

class FreezerDefinition : public FreezerWindows {
 protected:
  // The freezer window in its definition view, reached through its menu.
  TCoolDlg* Define() {
    TCoolDlg* d = Open();
    EXPECT_TRUE(d->DefSchrankMnu->isVisible());
    EXPECT_TRUE(d->DefSchrankMnu->isEnabled());
    d->DefSchrankMnu->trigger();
    EXPECT_TRUE(d->TruhenPnl->isVisible());
    return d;
  }
  // The freezers a fresh read of the file gives.
  std::vector<CO_SCHRANK> OnDisk() {
    FreezerInventory again;
    again.folder = env.Root() + "Data/DE/";
    again.LoadFreezers();
    return again.freezers;
  }
  // Lowers the count of the first freezer from 5 to 1 by typing: the poultry (chicken legs) and
  // the vegetables (peas) fall out of use.
  void LowerCount(TCoolDlg* d) {
    d->SchraenkeGrd->setCurrentCell(0, 0);
    d->SchrankfachAnzEdt->selectAll();
    TypeInto(d->SchrankfachAnzEdt, "1");
    ASSERT_EQ(Freezer(0).count, 1);
  }
};

TEST_F(FreezerDefinition, AClearedNameIsRefusedAndTheFreezerNeverJoinsAnother) {
  Start();
  TCoolDlg* d = Define();
  d->SchraenkeGrd->setCurrentCell(1, 0);
  ASSERT_EQ(d->CurFreezer, 1);
  d->SchranknameEdt->setFocus();
  PressKey(d->SchranknameEdt, Qt::Key_A, Qt::ControlModifier);
  PressKey(d->SchranknameEdt, Qt::Key_Backspace);
  ASSERT_EQ(Freezer(1).name, "");
  // OK says why and stays; nothing is written.
  d->EditOKBtn->click();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], GetLangText(1022));
  EXPECT_TRUE(d->TruhenPnl->isVisible());
  EXPECT_EQ(d->CurFreezer, 1);
  EXPECT_EQ(ReadAll(Boxes()), kBoxes);
  // Closed by its title bar with the name still empty: the cellar freezer keeps its
  // compartments and the bread, under the name a new freezer gets.
  d->close();
  EXPECT_FALSE(d->isVisible());
  const std::vector<CO_SCHRANK> f = OnDisk();
  ASSERT_EQ(f.size(), 2u);
  EXPECT_EQ(f[0].name,
            "K\xFC"
            "chenschrank");
  EXPECT_EQ(f[0].count, 5);
  EXPECT_EQ(f[1].name, kDefaultFreezerName);
  EXPECT_EQ(f[1].count, 5);
  EXPECT_TRUE(f[1].fromBottom);
  ASSERT_EQ(f[1].faecher[0].foods.size(), 1u);
  EXPECT_EQ(f[1].faecher[0].foods[0].name, "Roggenbrot");
  // A name typed in passes OK.
  d = Define();
  d->SchraenkeGrd->setCurrentCell(1, 0);
  d->SchranknameEdt->selectAll();
  TypeInto(d->SchranknameEdt, "Keller");
  env.messages.shown.clear();
  d->EditOKBtn->click();
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(d->TruhenPnl->isVisible());
  EXPECT_EQ(OnDisk()[1].name, "Keller");
  d->close();
}

// Every way out of the definition view that would save a lowered count asks first (1031).
TEST_F(FreezerDefinition, ClosingAfterALoweredCountAsksBeforeFoodsAreDropped) {
  Start();
  const std::string peas = "~Erbsen~450 g", chicken = "~H\xE4hnchenschenkel~";
  struct Way {
    const char* what;
    std::function<void(TCoolDlg*)> close;
  };
  const std::vector<Way> ways = {
      {"title bar", [](TCoolDlg* d) { d->close(); }},
      {"Escape", [](TCoolDlg* d) { PressKey(d, Qt::Key_Escape); }},
  };
  for (const Way& way : ways) {
    WriteAll(Boxes(), kBoxes);
    CoolDlg->LoadFreezers();
    TCoolDlg* d = Define();
    LowerCount(d);
    env.messages.shown.clear();
    // No: the window stays, in its definition view, and the file keeps the foods.
    env.messages.answers = {IDNO};
    way.close(d);
    ASSERT_EQ(Messages().size(), 1u) << way.what;
    EXPECT_EQ(Messages()[0], GetLangText(1031)) << way.what;
    EXPECT_TRUE(d->isVisible()) << way.what;
    EXPECT_TRUE(d->TruhenPnl->isVisible()) << way.what;
    EXPECT_EQ(ReadAll(Boxes()), kBoxes) << way.what;
    // Yes: saved without them, and not asked again.
    env.messages.answers = {IDYES};
    way.close(d);
    EXPECT_FALSE(d->isVisible()) << way.what;
    const std::string text = ReadAll(Boxes());
    EXPECT_EQ(text.find(peas), std::string::npos) << way.what;
    EXPECT_EQ(text.find(chicken), std::string::npos) << way.what;
    EXPECT_EQ(OnDisk()[0].count, 1) << way.what;
    env.messages.shown.clear();
    d->show();
    d->close();
    EXPECT_TRUE(Messages().empty()) << way.what;
  }
}

TEST_F(FreezerDefinition, TheEndOfTheProgramKeepsFoodsUnlessTheUserAgrees) {
  Start();
  TCoolDlg* d = Define();
  LowerCount(d);
  env.messages.shown.clear();
  env.messages.answers = {IDNO};
  EXPECT_TRUE(MainFrm->close());
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], GetLangText(1031));
  EXPECT_EQ(fromQ(d->SchrankfachAnzEdt->text()), "4");
  // The compartments that hold foods stay in use: count 4 keeps the peas of compartment 4.
  const std::vector<CO_SCHRANK> f = OnDisk();
  EXPECT_EQ(f[0].count, 4);
  EXPECT_EQ(f[0].faecher[1].foods.size(), 1u);
  EXPECT_EQ(f[0].faecher[3].foods.size(), 1u);
  EXPECT_EQ(f[0].faecher[3].foods[0].name, "Erbsen");
}

TEST_F(FreezerWindows, BestBeforeWindowFromTheMenuOpensTheFood) {
  Start();
  WhileModal(
      [this] {
        TCoolMHDDlg* m = CoolMHDDlg;
        EXPECT_FALSE(m->GetBestBeforeMode());
        ASSERT_EQ(m->Warnings.size(), 3u);
        EXPECT_EQ(m->Warnings[0].copy.name, "H\xE4hnchenschenkel");
        EXPECT_EQ(m->Warnings[0].monthsLeft, -3);
        EXPECT_EQ(m->Warnings[1].copy.name, "Roggenbrot");
        EXPECT_EQ(m->Warnings[1].number, 5);
        EXPECT_EQ(m->Warnings[2].copy.name, "Rinderrouladen");
        EXPECT_EQ(m->Warnings[2].status, 1);
        EXPECT_TRUE(m->LMittelPnl->isVisible());
        EXPECT_FALSE(m->NoLMittelTxt->isVisible());
        Shot(m, "freezer_best_before_DE");
        m->LMittelLiBo->setCurrentRow(1);
        m->LMittelLiBoDblClick();
      },
      [] { MainFrm->Action("MHDMnu")->trigger(); });
  // The double click showed the freezer window at the bread in the cellar.
  ASSERT_TRUE(CoolDlg->isVisible());
  EXPECT_EQ(CoolDlg->CurFreezer, 1);
  EXPECT_EQ(CoolDlg->CurFach, 0);
  EXPECT_EQ(fromQ(CoolDlg->LMNameEdt->text()), "Roggenbrot");
  EXPECT_EQ(CoolDlg->SchrankCoBo->currentIndex(), 1);
  // The main window's close saves the freezer files while the window is visible.
  CoolDlg->Freezers()[1].faecher[0].foods[0].amount = "2 Laib";
  ASSERT_TRUE(MainFrm->FormCloseQuery());
  EXPECT_NE(ReadAll(Boxes()).find("~Roggenbrot~2 Laib"), std::string::npos);
}

TEST_F(FreezerWindows, BestBeforeCheckAtStartFollowsOptions79And80) {
  // Only due-soon foods are wanted: the expired ones do not open the window by themselves.
  env.userSettings.WriteString(kRegParam, "ShowOldLM", "0");
  env.userSettings.WriteString(kRegParam, "ShowSoonLM", "1");
  Start();
  ASSERT_TRUE(ctx().options->Flag(80));
  CoolMHDDlg->SetBestBeforeMode(1);
  ASSERT_TRUE(CoolMHDDlg->FillBestBeforeDialog());
  ASSERT_EQ(CoolMHDDlg->Warnings.size(), 1u);
  EXPECT_EQ(CoolMHDDlg->Warnings[0].copy.name, "Rinderrouladen");
  bool opened = false;
  MainFrm->show();
  WhileModal([&opened] { opened = CoolMHDDlg->isVisible(); }, [] { MainFrm->TimerMainTimer(); });
  EXPECT_TRUE(opened);
  // Both options off: nothing opens, whatever the inventory holds.
  ctx().options->SetParaBool(80, false);
  opened = false;
  MainFrm->TimerMain->start();
  WhileModal([&opened] { opened = QApplication::activeModalWidget() == CoolMHDDlg; },
             [] { MainFrm->TimerMainTimer(); });
  EXPECT_FALSE(opened);
}

TEST_F(FreezerWindows, AnEmptyInventoryIsSaidInTheBestBeforeWindow) {
  WriteAll(Boxes(), ">N#Leer\r\n+Fach\r\n");
  Start();
  WhileModal(
      [] {
        EXPECT_TRUE(CoolMHDDlg->Warnings.empty());
        EXPECT_FALSE(CoolMHDDlg->LMittelPnl->isVisible());
        EXPECT_TRUE(CoolMHDDlg->NoLMittelTxt->isVisible());
      },
      [] {
        CoolMHDDlg->SetBestBeforeMode(0);
        CoolMHDDlg->exec();
      });
}

TEST_F(FreezerWindows, TheOverviewPageIsWrittenAndOpened) {
  Start();
  TCoolDlg* d = Open();
  d->PrintFachMnu->trigger();
  const std::string page = ReadAll(ctx().options->Str(5) + "CoolBoxes.html");
  EXPECT_NE(page.find("Rinderrouladen"), std::string::npos);
  EXPECT_EQ(page.find("Erbsen"), std::string::npos);
  ASSERT_EQ(env.shell.opened.size(), 1u);
  d->PrintSchrankMnu->trigger();
  EXPECT_NE(ReadAll(ctx().options->Str(5) + "CoolBoxes.html").find("Erbsen"), std::string::npos);
  d->close();
}

TEST_F(FreezerWindows, EnglishShots) {
  Start("EN");
  TCoolDlg* d = Open();
  EXPECT_EQ(fromQ(d->windowTitle()), "Freezer inventory");
  EXPECT_EQ(fromQ(d->FachChooseCoBo->itemText(0)), "All compartments");
  Shot(d, "freezer_inventory_EN");
  d->OpenAllMnuClick();
  Shot(d->TypeTree->parentWidget(), "freezer_usual_foods_EN");
  d->DefSchrankMnuClick();
  Shot(d, "freezer_definition_EN");
  d->EditCancelBtnClick();
  d->close();
  WhileModal([this] { Shot(CoolMHDDlg, "freezer_best_before_EN"); },
             [] {
               CoolMHDDlg->SetBestBeforeMode(0);
               CoolMHDDlg->exec();
             });
}

}  // namespace
}  // namespace tav
