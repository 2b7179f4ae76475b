// The diary windows offscreen over the diary test data root: the day panel (a recipe dropped
// from the recipe list lands in the month file; amounts, deleting, two panels in step).
// Shots in both languages (TAVOLIN_SHOTS).
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTabWidget>
#include <QToolButton>
#include <QTableWidget>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <tuple>

#include "diary/calendar_month.h"
#include "diary/ui/calendar_window.h"
#include "diary/ui/day_panel_window.h"
#include "diary/ui/person_data_dialog.h"
#include "diary/ui/person_list_dialog.h"
#include "platform/numbers.h"
#include "platform/qt/qt_text.h"
#include "recipes/ui/recipe_list_box.h"
#include "services/ui/context_list_box.h"
#include "diary_window_env.h"
#include "window_test_support.h"
#include "windows/user_actions.h"
#include "windows/user_gestures.h"
#include "windows/window_checks.h"

namespace tav {
namespace {

using test::DiaryWindowEnv;
using test::kMay;

// A drag of data in `format` entering a list's viewport and dropped there; true when the list
// took the drop.
bool Drop(QWidget* viewport, const QString& format) {
  QMimeData mime;
  mime.setData(format, QByteArray("-3;1\n"));
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &drop);
  return drop.isAccepted();
}

TEST(DayPanel, ADroppedRecipeLandsInTheMonthFile) {
  DiaryWindowEnv w;
  QWidget host;
  host.resize(230, 560);
  auto* panel = new TENAddDayDlg(&host, [&](int d, int m, int y) {
    w.diary->AddRecipeToDay(d, m, y, w.env.store.BookId(), w.salad);
  });
  panel->Calendar->SetDate(10, kMay, 2024);
  host.show();
  EXPECT_EQ(fromQ(panel->PersonCoBo->currentText()), "Anna");

  // Something that is not a recipe of the recipe list is refused.
  EXPECT_FALSE(Drop(panel->RezLiBo->viewport(), QStringLiteral("text/plain")));
  EXPECT_EQ(panel->RezLiBo->count(), 0);
  ASSERT_TRUE(Drop(panel->RezLiBo->viewport(), QString::fromLatin1(RecipeListModel::kMimeType)));
  ASSERT_EQ(panel->RezLiBo->count(), 1);
  const std::string file = w.env.MonthFile("Anna", "m052024.dat");
  ASSERT_TRUE(std::filesystem::exists(file));
  EXPECT_NE(test::ReadAll(file).find("Gr\xFCner Salat"), std::string::npos);

  // The amount edit rescales the focused entry and writes the month.
  ASSERT_TRUE(test::ClickCell(panel->RezLiBo, 0));
  EXPECT_EQ(fromQ(panel->MengeEdt->text()), "1");
  ASSERT_TRUE(test::TypeInto(panel->MengeEdt, QStringLiteral("2.5")));
  test::PressKey(Qt::Key_Return);
  EXPECT_EQ(fromQ(panel->MengeEdt->text()), "2,5");  // shown with the user's separator
  const ENENTRY* e = w.diary->GetDayEntry(10, kMay, 2024, 0);
  ASSERT_NE(e, nullptr);
  EXPECT_DOUBLE_EQ(e->amount, 2.5);
  EXPECT_NE(test::ReadAll(file).find("#2.500000#"), std::string::npos);

  // Text without a number keeps the amount.
  ASSERT_TRUE(test::TypeInto(panel->MengeEdt, QStringLiteral("viel")));
  test::PressKey(Qt::Key_Return);
  EXPECT_DOUBLE_EQ(w.diary->GetDayEntry(10, kMay, 2024, 0)->amount, 2.5);

  // Another month in the calendar: no entry, so no amount of one either; and back.
  ASSERT_TRUE(test::Click(panel->Calendar->NextMonthBtn));
  EXPECT_EQ(panel->RezLiBo->count(), 0);
  EXPECT_EQ(fromQ(panel->MengeEdt->text()), "");
  EXPECT_EQ(fromQ(panel->MengeTxt->text()), "Portionen");
  ASSERT_TRUE(test::TypeInto(panel->MengeEdt, QStringLiteral("3")));
  test::PressKey(Qt::Key_Return);  // changes nothing
  ASSERT_TRUE(test::Click(panel->Calendar->LastMonthBtn));
  ASSERT_EQ(panel->RezLiBo->count(), 1);
  EXPECT_DOUBLE_EQ(w.diary->GetDayEntry(10, kMay, 2024, 0)->amount, 2.5);

  // Deleting the focused entry empties the day, in memory and on disk.
  ASSERT_TRUE(test::ClickCell(panel->RezLiBo, 0));
  ASSERT_TRUE(test::Click(panel->DelRezBtn));
  EXPECT_EQ(panel->RezLiBo->count(), 0);
  EXPECT_EQ(fromQ(panel->MengeEdt->text()), "");
  EXPECT_EQ(w.diary->GetDay(10, kMay, 2024), nullptr);
  EXPECT_EQ(test::ReadAll(file).find("Gr\xFCner Salat"), std::string::npos);
}

// The calendar translated as every window is: the date text is there from the start, and the
// day values collapse to their title strip.
TEST(DayPanel, ShowsItsDateTextAndCollapsesToTheValuesTitle) {
  for (const char* lang : {"DE", "EN"}) {
    DiaryWindowEnv w;
    test::WindowLanguage language(w.env, lang);
    QWidget host;
    host.resize(230, 560);
    auto* panel = new TENAddDayDlg(&host, [](int, int, int) {});
    host.show();
    QApplication::processEvents();
    EXPECT_EQ(fromQ(panel->Calendar->AktDateTxt->text()),
              CalendarDateText(panel->Calendar->Date(), lang));
    EXPECT_FALSE(panel->Calendar->AktDateTxt->text().isEmpty());
    ASSERT_EQ(panel->CalcSplt->sizes().value(1), 17);
    EXPECT_EQ(panel->Panel1->parentWidget()->height(), 17);
    EXPECT_EQ(panel->DiagrammLiBo->height(), 0);
  }
}

TEST(DayPanel, TwoPanelsFollowEveryChangeAndThePerson) {
  DiaryWindowEnv w;
  QWidget mainHost, browserHost;
  auto* main = new TENAddDayDlg(&mainHost, [&](int d, int m, int y) {
    w.diary->AddRecipeToDay(d, m, y, w.env.store.BookId(), w.salad);
  });
  auto* browser = new TENAddDayDlg(
      &browserHost, [&](int d, int m, int y) { w.diary->AddFoodToDay(d, m, y, "G102000"); });
  for (TENAddDayDlg* p : {main, browser}) p->Calendar->SetDate(10, kMay, 2024);
  mainHost.show();
  browserHost.show();
  ASSERT_TRUE(test::Click(main->AddRezBtn));
  ASSERT_TRUE(test::Click(browser->AddRezBtn));
  // Both show both entries, sorted by name.
  for (TENAddDayDlg* p : {main, browser}) {
    ASSERT_EQ(p->RezLiBo->count(), 2);
    EXPECT_EQ(fromQ(p->RezLiBo->item(0)->text()), "Feldsalat");
    EXPECT_EQ(fromQ(p->RezLiBo->item(1)->text()), "Gr\xFCner Salat");
  }
  // The day values follow the entries.
  EXPECT_GT(main->DiagrammLiBo->count(), 0);

  // A person change saves Anna's month, shows Bert's empty day in both panels.
  ASSERT_TRUE(test::ChooseInCombo(browser->PersonCoBo, QStringLiteral("Bert")));
  EXPECT_EQ(w.diary->GetActivePersonName(), "Bert");
  EXPECT_EQ(w.diary->IsMonthLoaded(kMay, 2024), 2);  // Bert's month, new and empty
  EXPECT_EQ(main->RezLiBo->count(), 0);
  EXPECT_EQ(fromQ(main->PersonCoBo->currentText()), "Bert");
  EXPECT_NE(test::ReadAll(w.env.MonthFile("Anna", "m052024.dat")).find("Feldsalat"),
            std::string::npos);
}

// In a window that is a dialog (the food browser hosts a panel), Enter in the amount ends the
// amount's edit and presses none of the calendar's buttons.
TEST(DayPanel, EnterInTheAmountPressesNoButtonOfTheWindowItIsIn) {
  DiaryWindowEnv w;
  ASSERT_TRUE(w.diary->AddRecipeToDay(10, kMay, 2024, w.env.store.BookId(), w.salad));
  QDialog host;
  host.resize(230, 560);
  auto* panel = new TENAddDayDlg(&host, [](int, int, int) {});
  panel->Calendar->SetDate(10, kMay, 2024);
  host.show();
  for (const QPushButton* b : panel->findChildren<QPushButton*>()) {
    EXPECT_FALSE(b->isDefault()) << fromQ(b->objectName());
    EXPECT_FALSE(b->autoDefault()) << fromQ(b->objectName());
  }
  ASSERT_TRUE(test::ClickCell(panel->RezLiBo, 0));
  ASSERT_TRUE(test::TypeInto(panel->MengeEdt, QStringLiteral("3")));
  test::PressKey(Qt::Key_Return);
  EXPECT_DOUBLE_EQ(w.diary->GetDayEntry(10, kMay, 2024, 0)->amount, 3);
  EXPECT_EQ(panel->Calendar->Date().day, 10);
  EXPECT_EQ(panel->Calendar->Date().month, kMay);
  EXPECT_EQ(panel->Calendar->Date().year, 2024);
  EXPECT_TRUE(host.isVisible());
  EXPECT_EQ(QApplication::focusWidget(), panel->MengeEdt);
}

// The buttons of the two title strips, clicked: the day values open and close, switch between
// bars and text, the help pages come up, and the panel's close button closes it.
TEST(DayPanel, TheTitleStripButtons) {
  DiaryWindowEnv w;
  test::WithTools tools;
  QWidget host;
  host.resize(230, 560);
  auto* panel = new TENAddDayDlg(&host, [](int, int, int) {});
  int closed = 0;
  panel->closeRequested = [&] { ++closed; };
  host.show();
  ASSERT_EQ(panel->CalcSplt->sizes().value(1), 17);
  ASSERT_TRUE(test::Click(panel->TCloseBtn));
  EXPECT_GT(panel->CalcSplt->sizes().value(1), 17);
  ASSERT_TRUE(test::Click(panel->TSliderBtn));
  EXPECT_FALSE(panel->ShowBars());
  ASSERT_TRUE(test::Click(panel->TSliderBtn));
  EXPECT_TRUE(panel->ShowBars());
  ASSERT_TRUE(test::Click(panel->TCloseBtn));
  EXPECT_EQ(panel->CalcSplt->sizes().value(1), 17);
  const auto helpPage = [&] {
    return w.env.shell.opened.empty() ? std::string() : w.env.shell.opened.back();
  };
  ASSERT_TRUE(test::Click(panel->THelpBtn));
  EXPECT_NE(helpPage().find("Help/Tip_DayValue.htm"), std::string::npos) << helpPage();
  ASSERT_TRUE(test::Click(panel->TENHelpBtn));
  EXPECT_NE(helpPage().find("Help/Win_DayCalc.htm"), std::string::npos) << helpPage();
  EXPECT_EQ(closed, 0);
  ASSERT_TRUE(test::Click(panel->TENCloseBtn));
  EXPECT_EQ(closed, 1);
}

// The entries and the day values by mouse and keys: a click on an entry, or on a day value,
// shows the focused entry's amount; the arrow keys move the focus; a double click on a recipe
// entry, or on a day value, recalculates it with the amount in the box.
TEST(DayPanel, TheListsByMouseAndKeys) {
  DiaryWindowEnv w;
  ASSERT_TRUE(w.diary->AddRecipeToDay(10, kMay, 2024, w.env.store.BookId(), w.salad));
  ASSERT_TRUE(w.diary->AddFoodToDay(10, kMay, 2024, "G101000"));
  ASSERT_TRUE(w.diary->ChangeEntryAmount(10, kMay, 2024, 0, 2));
  QWidget host;
  host.resize(230, 640);
  auto* panel = new TENAddDayDlg(&host, [](int, int, int) {});
  panel->Calendar->SetDate(10, kMay, 2024);
  host.show();
  ASSERT_EQ(test::ListTexts(panel->RezLiBo),
            (std::vector<std::string>{"Gr\xFCner Salat", "Spinat"}));
  const ENENTRY* salad = w.diary->GetDayEntry(10, kMay, 2024, 0);
  const ENENTRY* food = w.diary->GetDayEntry(10, kMay, 2024, 1);
  ASSERT_TRUE(test::ClickCell(panel->RezLiBo, 1));
  EXPECT_EQ(fromQ(panel->MengeEdt->text()), FormatGeneral(food->amount));
  EXPECT_EQ(fromQ(panel->MengeTxt->text()), food->unit);
  test::PressKey(Qt::Key_Up);
  EXPECT_EQ(fromQ(panel->MengeEdt->text()), "2");
  // Text that is no amount, left by a click on the entry already focused: the entry's amount.
  ASSERT_TRUE(test::TypeInto(panel->MengeEdt, QStringLiteral("viel")));
  ASSERT_TRUE(test::ClickCell(panel->RezLiBo, 0));
  EXPECT_EQ(fromQ(panel->MengeEdt->text()), "2");
  // The same by a click on a day value.
  ASSERT_TRUE(test::Click(panel->TCloseBtn));
  ASSERT_GT(panel->DiagrammLiBo->count(), 0);
  ASSERT_TRUE(test::TypeInto(panel->MengeEdt, QStringLiteral("viel")));
  ASSERT_TRUE(test::ClickCell(panel->DiagrammLiBo, 0));
  EXPECT_EQ(fromQ(panel->MengeEdt->text()), "2");

  // A stale energy of the salad is recalculated by a double click, on the entry or on a day
  // value, with the amount in the box.
  const double energy = salad->energy;
  ASSERT_GT(energy, 0);
  for (QListWidget* list : {static_cast<QListWidget*>(panel->RezLiBo),
                            static_cast<QListWidget*>(panel->DiagrammLiBo)}) {
    w.diary->GetDayEntry(10, kMay, 2024, 0)->energy = 1;
    ASSERT_TRUE(test::DoubleClickCell(list, 0));
    const ENENTRY* now = w.diary->GetDayEntry(10, kMay, 2024, 0);
    EXPECT_DOUBLE_EQ(now->energy, energy) << fromQ(list->objectName());
    EXPECT_DOUBLE_EQ(now->amount, 2);
  }
}

// The calendar's own buttons, its month and year lists and the arrow keys in its month: each
// picks a date, which the panel shows.
TEST(DayPanel, TheCalendarPicksByButtonsListsAndKeys) {
  DiaryWindowEnv w;
  QWidget host;
  host.resize(230, 560);
  auto* panel = new TENAddDayDlg(&host, [](int, int, int) {});
  TDateInpDlg* c = panel->Calendar;
  c->SetDate(10, kMay, 2024);
  host.show();
  const auto date = [c] { return std::tuple{c->Date().day, c->Date().month, c->Date().year}; };
  ASSERT_TRUE(test::Click(c->LastYearBtn));
  EXPECT_EQ(date(), std::tuple(10, kMay, 2023));
  EXPECT_EQ(w.diary->IsMonthLoaded(kMay, 2023), 2);  // the panel loaded the month picked
  ASSERT_TRUE(test::Click(c->NextYearBtn));
  ASSERT_TRUE(test::Click(c->NextYearBtn));
  EXPECT_EQ(date(), std::tuple(10, kMay, 2025));
  ASSERT_TRUE(test::ChooseInCombo(c->MonthCoBo, c->MonthCoBo->itemText(1)));
  EXPECT_EQ(date(), std::tuple(10, 1, 2025));
  ASSERT_TRUE(test::ChooseInCombo(c->YearCoBo, QStringLiteral("2024")));
  EXPECT_EQ(date(), std::tuple(10, 1, 2024));
  ASSERT_TRUE(test::ClickCell(c->MonthGrd, c->MonthGrd->currentRow(), c->MonthGrd->currentColumn()));
  test::PressKey(Qt::Key_Right);
  EXPECT_EQ(date(), std::tuple(11, 1, 2024));
  EXPECT_EQ(w.diary->IsMonthLoaded(1, 2024), 2);
  ASSERT_TRUE(test::Click(c->TodayBtn));
  const std::time_t now = std::time(nullptr);
  const std::tm today = *std::localtime(&now);
  EXPECT_EQ(date(), std::tuple(today.tm_mday, today.tm_mon, today.tm_year + 1900));
}

// The day panel filled as in use, with its day values open as bars and as text.
TEST(DayPanel, Shots) {
  for (const char* lang : {"DE", "EN"}) {
    DiaryWindowEnv w;
    test::WindowLanguage language(w.env, lang);
    // Anna's requirements: energy as a maximum, protein as a minimum, fat as a maximum.
    ENPERSON* anna = nullptr;
    ASSERT_TRUE(w.diary->FindPerson("Anna", &anna));
    for (auto [code, own, alarm] : {std::tuple{"GCAL", 2000.0, '>'}, std::tuple{"ZE", 10.0, '<'},
                                    std::tuple{"ZF", 0.5, '>'}}) {
      TAGESBEDARF row;
      row.code = code;
      row.own = own;
      row.alarm = alarm;
      anna->requirements.push_back(row);
    }
    w.diary->UpdateRequirements();
    QWidget host;
    host.resize(230, 640);
    auto* panel = new TENAddDayDlg(&host, [&](int d, int m, int y) {
      w.diary->AddRecipeToDay(d, m, y, w.env.store.BookId(), w.salad);
      w.diary->AddFoodToDay(d, m, y, "G101000");
      w.diary->AddRecipeToDay(d, m, y, w.env.store.BookId(), w.env.OpenRecipe());
    });
    panel->Calendar->SetDate(10, kMay, 2024);
    host.show();
    panel->DayPanelDateChanged();
    panel->AddRezBtnClick();
    panel->RezLiBo->setCurrentRow(1);
    panel->RezLiBoClick();
    panel->TCloseBtnClick();  // the day values open
    EXPECT_GT(panel->CalcSplt->sizes().value(1), 17);
    test::Shot(&host, std::string("day_panel_bars_") + lang);
    panel->TSliderBtnClick();
    EXPECT_FALSE(panel->ShowBars());
    test::Shot(&host, std::string("day_panel_text_") + lang);
  }
}

// The person list and the person dialog as the program has them.
struct PersonWindows {
  PersonWindows() {
    PersDataDlg = &data;
    PersListDlg = &list;
  }
  ~PersonWindows() {
    PersDataDlg = nullptr;
    PersListDlg = nullptr;
  }
  TPersDataDlg data;
  TPersListDlg list;
};

TEST(PersonWindows, ANewPersonFromTheListGetsUsersDatAndAFolder) {
  DiaryWindowEnv w;
  PersonWindows p;
  test::WhileShown(
      &p.data,
      [&] {
        EXPECT_EQ(p.data.PageControl1->currentIndex(), 0);
        p.data.NameEdt->setText(QStringLiteral("Carla"));
        p.data.GebDatEdt->setText(QStringLiteral("7.9.1985"));
        p.data.GroesseEdt->setText(QStringLiteral("168"));
        p.data.GewichtEdt->setText(QStringLiteral("60"));
        p.data.FemaleRdb->setChecked(true);
        p.data.MaleRdbClick();
        EXPECT_TRUE(p.data.SchwangerCoBo->isVisibleTo(&p.data));
        EXPECT_EQ(fromQ(p.data.BMITxt->text()), "21,26");
        EXPECT_EQ(fromQ(p.data.BMITextTxt->text()), GetLangText(449));
        p.data.OKBtnClick();
      },
      [&] { p.list.NewBtnClick(); });
  EXPECT_TRUE(p.data.WasPersonStored());
  EXPECT_NE(test::ReadAll(w.env.DataFolder() + "Users.dat").find(">NCarla\r\n>G07091985"),
            std::string::npos);
  EXPECT_TRUE(std::filesystem::is_directory(w.env.PersonDir("Carla")));
  EXPECT_EQ(w.diary->GetActivePersonName(), "Carla");
  ASSERT_EQ(p.list.PersListGrd->rowCount(), 3);
  EXPECT_EQ(fromQ(p.list.PersListGrd->item(2, 0)->text()), "Carla");

  // A new person cancelled leaves the list as it was.
  test::WhileShown(
      &p.data,
      [&] {
        p.data.NameEdt->setText(QStringLiteral("Dora"));
        p.data.CancelBtnClick();
      },
      [&] { p.list.NewBtnClick(); });
  EXPECT_FALSE(p.data.WasPersonStored());
  EXPECT_EQ(w.diary->persons.size(), 3u);
}

// The person list by mouse: "Ändern" and a double click open the person of the row, whose
// dialog Cancel closes; the help buttons show their pages; "Schließen" closes the list.
TEST(PersonWindows, ThePersonListByMouse) {
  DiaryWindowEnv w;
  test::WithTools tools;
  PersonWindows p;
  p.list.show();
  ASSERT_EQ(p.list.PersListGrd->rowCount(), 2);
  const auto openedWith = [&](const std::function<void()>& open) {
    std::string name;
    EXPECT_TRUE(test::WhileModal(
        [&] {
          name = fromQ(p.data.NameEdt->text());
          ASSERT_TRUE(test::Click(p.data.HelpBtn));
          ASSERT_TRUE(test::Click(p.data.CancelBtn));
          EXPECT_FALSE(p.data.isVisible());
        },
        open));
    return name;
  };
  ASSERT_TRUE(test::ClickCell(p.list.PersListGrd, 1, 0));
  EXPECT_EQ(openedWith([&] { ASSERT_TRUE(test::Click(p.list.EditBtn)); }), "Bert");
  EXPECT_NE(w.env.shell.opened.back().find("Help/Dlg_Person.htm"), std::string::npos);
  EXPECT_EQ(openedWith([&] { ASSERT_TRUE(test::DoubleClickCell(p.list.PersListGrd, 0, 1)); }),
            "Anna");
  ASSERT_TRUE(test::Click(p.list.HelpBtn));
  EXPECT_NE(w.env.shell.opened.back().find("Help/Dlg_PersList.htm"), std::string::npos);
  ASSERT_TRUE(test::Click(p.list.OKBtn));
  EXPECT_FALSE(p.list.isVisible());
}

TEST(PersonWindows, TheRequirementPageOfThePersonEdited) {
  DiaryWindowEnv w;
  PersonWindows p;
  ENPERSON* bert = nullptr;
  ASSERT_TRUE(w.diary->FindPerson("Bert", &bert));
  p.data.ShowPerson(bert);
  p.data.show();
  // A person without rows: one empty grid row, the current-row group hidden.
  EXPECT_EQ(p.data.StoffGrd->rowCount(), 1);
  EXPECT_FALSE(p.data.StoffInputGrp->isVisibleTo(&p.data));
  p.data.PageControl1->setCurrentIndex(1);  // stores the first page
  EXPECT_EQ(p.data.PageControl1->currentIndex(), 1);
  // Protein (Eiweiß) is added; an own value of 0 is an own value.
  const QList<QListWidgetItem*> protein =
      p.data.StoffLiBo->findItems(toQ("Eiwei\xDF"), Qt::MatchExactly);
  ASSERT_EQ(protein.size(), 1);
  p.data.StoffLiBo->setCurrentItem(protein.front());
  p.data.AddBtnClick();
  ASSERT_EQ(bert->requirements.size(), 1u);
  EXPECT_TRUE(p.data.StoffInputGrp->isVisibleTo(&p.data));
  p.data.TagessatzEdt->setText(QStringLiteral("0"));
  p.data.TagessatzEdtChange();
  EXPECT_DOUBLE_EQ(bert->requirements[0].own, 0);
  EXPECT_DOUBLE_EQ(bert->requirements[0].effective, 0);
  EXPECT_EQ(fromQ(p.data.StoffGrd->item(0, 1)->text()), "0,00 g");
  p.data.AlarmCoBo->setCurrentIndex(1);
  p.data.AlarmCoBoChange();
  EXPECT_EQ(bert->requirements[0].alarm, '<');
  // Adding it again changes nothing; clearing the value leaves the row without value ("?").
  p.data.AddBtnClick();
  EXPECT_EQ(bert->requirements.size(), 1u);
  p.data.TagessatzEdt->clear();
  p.data.TagessatzEdtChange();
  EXPECT_EQ(fromQ(p.data.StoffGrd->item(0, 1)->text()), "?");
  // A refused store keeps the page: an empty name.
  p.data.PageControl1->setCurrentIndex(0);
  p.data.NameEdt->clear();
  p.data.PageControl1->setCurrentIndex(1);
  EXPECT_EQ(p.data.PageControl1->currentIndex(), 0);
  EXPECT_TRUE(test::ShownText(w.env.messages, 480));
  p.data.hide();
}

// A requirement row of a nutrient the food table does not have (the shipped table has no
// iodine) shows its code, and the current-row group shows that row, not the one before.
TEST(PersonWindows, ARowOfANutrientTheTableLacksShowsItsCode) {
  DiaryWindowEnv w;
  PersonWindows p;
  ENPERSON* bert = nullptr;
  ASSERT_TRUE(w.diary->FindPerson("Bert", &bert));
  for (const char* code : {"ZE", "MJ"}) {
    TAGESBEDARF row;
    row.code = code;
    row.own = 150;
    row.alarm = '<';
    bert->requirements.push_back(row);
  }
  p.data.ShowPerson(bert);
  p.data.show();
  p.data.PageControl1->setCurrentIndex(1);
  ASSERT_EQ(p.data.StoffGrd->rowCount(), 2);
  ASSERT_NE(p.data.StoffGrd->item(1, 0), nullptr);
  EXPECT_EQ(fromQ(p.data.StoffGrd->item(1, 0)->text()), "MJ");
  p.data.StoffGrd->setCurrentCell(1, 0);
  EXPECT_EQ(fromQ(p.data.StoffNameTxt->text()), "MJ");
  EXPECT_EQ(fromQ(p.data.TagessatzEdt->text()), "150,00");
  p.data.TagessatzEdt->setText(QStringLiteral("120"));
  p.data.TagessatzEdtChange();
  EXPECT_DOUBLE_EQ(bert->requirements[1].own, 120);
  EXPECT_DOUBLE_EQ(bert->requirements[0].own, 150);
  p.data.hide();
}

// Bert's person dialog, shown and active, for a user to fill.
class BertsPersonDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(w.diary->FindPerson("Bert", &bert));
    d.ShowPerson(bert);
    d.show();
    ASSERT_TRUE(test::WhenActive(&d));
  }
  DiaryWindowEnv w;
  PersonWindows p;
  TPersDataDlg& d = p.data;
  ENPERSON* bert = nullptr;
};

// The first page as a user fills it: each field typed into, the sex, the activity and the goal
// clicked, and the own energy value; the figures follow at once and OK writes what was entered.
TEST_F(BertsPersonDialog, ThePersonPageFollowsAndStoresWhatIsEntered) {
  const QString bmi = d.BMITxt->text();
  ASSERT_TRUE(test::TypeInto(d.GewichtEdt, QStringLiteral("95")));
  EXPECT_NE(d.BMITxt->text(), bmi) << "the index does not follow the weight";
  const QString sum = d.SumTxt->text();
  ASSERT_TRUE(test::TypeInto(d.GroesseEdt, QStringLiteral("190")));
  EXPECT_NE(d.SumTxt->text(), sum) << "the need does not follow the height";

  // The work slider moved with the keys.
  const QString work = d.WorkTxt->text();
  const int level = d.WorkTck->value();
  ASSERT_TRUE(test::Click(d.WorkTck));
  ASSERT_EQ(QApplication::focusWidget(), d.WorkTck);
  for (int i = 0; i < 3; ++i) test::PressKey(Qt::Key_PageUp);
  EXPECT_GT(d.WorkTck->value(), level);
  EXPECT_NE(d.WorkTxt->text(), work) << "the work energy does not follow the slider";

  // A man is never pregnant: the row goes.
  ASSERT_TRUE(d.SchwangerCoBo->isVisible());
  ASSERT_TRUE(test::ClickBox(d.MaleRdb));
  EXPECT_FALSE(d.SchwangerCoBo->isVisible());

  // The own value starts at the computed one and takes what is typed.
  ASSERT_FALSE(d.ManuelEdt->isVisible());
  ASSERT_TRUE(test::ClickBox(d.ManuellChk));
  ASSERT_TRUE(d.ManuelEdt->isVisible());
  EXPECT_EQ(fromQ(d.ManuelEdt->text()), std::to_string(bert->calculatedEnergy));
  ASSERT_TRUE(test::TypeInto(d.ManuelEdt, QStringLiteral("2345")));

  // The goal: keeping the weight gives four points more than losing it.
  ASSERT_TRUE(test::ClickTab(d.PageControl1->tabBar(), d.PageControl1->tabText(2)));
  ASSERT_EQ(d.PageControl1->currentIndex(), 2);
  ASSERT_TRUE(d.NormalRdb->isChecked());
  const int keep = d.WWErgTxt->text().section(QLatin1Char(' '), 0, 0).toInt();
  ASSERT_TRUE(test::ClickBox(d.DiaetRdb));
  EXPECT_EQ(d.WWErgTxt->text().section(QLatin1Char(' '), 0, 0).toInt(), keep - 4);

  ASSERT_TRUE(test::Click(d.OKBtn));
  EXPECT_FALSE(d.isVisible());
  const std::string users = test::ReadAll(w.env.DataFolder() + "Users.dat");
  const size_t at = users.find(">NBert\r\n");
  ASSERT_NE(at, std::string::npos) << users;
  const std::string stored = users.substr(at, users.find("\r\n#", at) - at);
  for (const char* line : {">W95\r\n", ">H190\r\n", ">SM\r\n", ">+M\r\n", ">M2345\r\n", ">PD"})
    EXPECT_NE(stored.find(line), std::string::npos) << line << " in\n" << stored;
}

// The requirement page as a user edits it: nutrients taken over with the button and with a
// double click, an own value typed, a warning chosen, a row removed; OK writes the rows.
TEST_F(BertsPersonDialog, TheRequirementPage) {
  ASSERT_TRUE(test::ClickTab(d.PageControl1->tabBar(), d.PageControl1->tabText(1)));
  ASSERT_EQ(d.PageControl1->currentIndex(), 1);
  ASSERT_GE(d.StoffLiBo->count(), 3);
  ASSERT_TRUE(bert->requirements.empty());

  const QString first = d.StoffLiBo->item(1)->text(), second = d.StoffLiBo->item(2)->text();
  ASSERT_TRUE(test::ClickCell(d.StoffLiBo, 1));
  ASSERT_TRUE(test::Click(d.AddBtn));
  ASSERT_EQ(bert->requirements.size(), 1u);
  EXPECT_EQ(d.StoffGrd->item(0, 0)->text(), first);
  EXPECT_TRUE(d.StoffInputGrp->isVisible());
  ASSERT_TRUE(test::DoubleClickCell(d.StoffLiBo, 2));
  ASSERT_EQ(bert->requirements.size(), 2u);
  ASSERT_EQ(d.StoffGrd->rowCount(), 2);
  EXPECT_EQ(d.StoffGrd->item(1, 0)->text(), second);

  // The first row: an own value and a warning above it.
  ASSERT_TRUE(test::ClickCell(d.StoffGrd, 0, 0));
  EXPECT_EQ(d.StoffNameTxt->text(), first);
  ASSERT_TRUE(test::TypeInto(d.TagessatzEdt, QStringLiteral("55")));
  EXPECT_TRUE(d.StoffGrd->item(0, 1)->text().startsWith(QStringLiteral("55,00")))
      << fromQ(d.StoffGrd->item(0, 1)->text());
  ASSERT_TRUE(test::ChooseInCombo(d.AlarmCoBo, d.AlarmCoBo->itemText(2)));
  EXPECT_EQ(bert->requirements[0].alarm, '>');

  // The second row removed.
  ASSERT_TRUE(test::ClickCell(d.StoffGrd, 1, 0));
  ASSERT_TRUE(test::Click(d.DelBtn));
  EXPECT_EQ(d.StoffGrd->rowCount(), 1);
  ASSERT_EQ(bert->requirements.size(), 1u);
  EXPECT_EQ(d.StoffGrd->item(0, 0)->text(), first);

  const std::string code = bert->requirements[0].code;
  ASSERT_TRUE(test::Click(d.OKBtn));
  EXPECT_FALSE(d.isVisible());
  const std::string users = test::ReadAll(w.env.DataFolder() + "Users.dat");
  EXPECT_NE(users.find(code + "#>55.00\r\n"), std::string::npos) << users;
}

TEST(PersonWindows, Shots) {
  for (const char* lang : {"DE", "EN"}) {
    DiaryWindowEnv w;
    test::WindowLanguage language(w.env, lang);
    PersonWindows p;
    ENPERSON* anna = nullptr;
    ASSERT_TRUE(w.diary->FindPerson("Anna", &anna));
    p.data.ShowPerson(anna);
    p.data.show();
    test::Shot(&p.data, std::string("person_dialog_") + lang);
    p.data.PageControl1->setCurrentIndex(1);
    p.data.StoffLiBo->setCurrentRow(2);
    p.data.AddBtnClick();
    test::Shot(&p.data, std::string("person_requirements_") + lang);
    p.data.hide();
    p.list.show();
    p.list.FillGrid();
    test::Shot(&p.list, std::string("person_list_") + lang);
    p.list.hide();
  }
}

}  // namespace
}  // namespace tav
