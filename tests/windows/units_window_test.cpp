// The units window and the unit input: the grid of fixed and converting units, New, Edit and
// Delete, saving, and the checks that keep the unit file readable.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>

#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "recipedb/ui/unit_combo_view.h"
#include "recipedb/ui/unit_input_dialog.h"
#include "recipedb/ui/units_dialog.h"
#include "services/tools_module.h"
#include "services/ui/lang_dialog.h"
#include "support/test_env.h"
#include "user_actions.h"
#include "user_gestures.h"
#include "window_checks.h"
#include "window_test_support.h"

namespace tav {
namespace {

using test::ReadAll;
using test::WriteAll;

REZEINHEIT Unit(const std::string& code, const std::string& name, const std::string& factor = "",
                const std::string& target = "") {
  REZEINHEIT u;
  u.code = code;
  u.name = name;
  u.plural = name;
  u.fixed = factor.empty() ? 1 : 0;
  u.factor = factor;
  u.target = target;
  return u;
}

// A combo box of a higher window that the units window refills.
struct CountingCombo : UnitComboView {
  CountingCombo() { Registered<UnitComboView, kChooserUnitCombo>::Enter(this); }
  ~CountingCombo() override { Registered<UnitComboView, kChooserUnitCombo>::Leave(this); }
  void RefillUnitCombo() override { ++refills; }
  int refills = 0;
};

// Fixed units Gramm, Liter and Stück; Kilogramm and Pfund convert into Gramm.
class UnitsWindow : public ::testing::Test {
 protected:
  explicit UnitsWindow(const std::string& lang = "DE") : lang_(lang) {
    language = std::make_unique<test::WindowLanguage>(env, lang);
    ctx().tools = &tools;
    std::vector<std::string> lines;
    for (const REZEINHEIT& u :
         {Unit("g", "Gramm"), Unit("kg", "Kilogramm", "1000", "g"), Unit("l", "Liter"),
          Unit("Pfd", "Pfund", "500", "g"), Unit("St", "St\xFC" "ck")})
      lines.push_back(UnitTable::FormatLine(u));
    WriteTextLines(File(), lines);
    original = ReadAll(File());
    dlg = std::make_unique<TEinheitenDlg>();
    input = std::make_unique<TInpEinheitDlg>();
  }
  ~UnitsWindow() override {
    input.reset();
    dlg.reset();
  }
  std::string File() const { return env.Root() + "Data/" + lang_ + "/einheit.dat"; }
  std::string Cell(int row, int column) const {
    const QTableWidgetItem* item = dlg->EinheitGrd->item(row, column);
    return item ? fromQ(item->text()) : std::string();
  }
  std::vector<std::string> Codes() const {
    std::vector<std::string> codes;
    for (int r = 0; r < dlg->EinheitGrd->rowCount(); ++r) codes.push_back(Cell(r, 1));
    return codes;
  }
  int RowOf(const std::string& code) const {
    for (int r = 0; r < dlg->EinheitGrd->rowCount(); ++r)
      if (Cell(r, 1) == code) return r;
    return -1;
  }
  void SelectCode(const std::string& code) {
    if (RowOf(code) < 0) ADD_FAILURE() << code;
    dlg->EinheitGrd->selectRow(RowOf(code));
  }
  // A click on the unit's row.
  void ClickCode(const std::string& code) {
    ASSERT_GE(RowOf(code), 0) << code;
    ASSERT_TRUE(test::ClickCell(dlg->EinheitGrd, RowOf(code), 0));
  }
  const REZEINHEIT* Find(const std::string& code) const { return dlg->units.FindUnitByCode(code); }
  // The unit input as `open` brings it up, answered by `inside`; false when it did not come.
  bool InInput(const std::function<void()>& inside, const std::function<void()>& open) {
    return test::WhileModal(
        [&] {
          EXPECT_TRUE(input->isVisible());
          ASSERT_TRUE(test::WhenActive(input.get()));
          inside();
        },
        open);
  }
  std::function<void()> Clicking(QWidget* w) {
    return [w] { EXPECT_TRUE(test::Click(w)); };
  }

  test::TestEnv env;
  TToolsMod tools;
  std::string lang_;
  std::string original;
  std::unique_ptr<test::WindowLanguage> language;
  std::unique_ptr<TEinheitenDlg> dlg;
  std::unique_ptr<TInpEinheitDlg> input;
};

TEST_F(UnitsWindow, FixedUnitsFirstConvertingOnRequestAndAnEmptyRowWithoutAny) {
  dlg->show();
  EXPECT_TRUE(dlg->showFesteChk->isChecked());
  EXPECT_FALSE(dlg->showUmrechChk->isChecked());
  EXPECT_EQ(Codes(), (std::vector<std::string>{"g", "l", "St"}));
  EXPECT_EQ(fromQ(dlg->EinheitGrd->horizontalHeaderItem(5)->text()), GetLangText(346));
  EXPECT_EQ(Cell(0, 2), GetLangText(954));
  ASSERT_TRUE(test::ClickBox(dlg->showUmrechChk));
  EXPECT_EQ(Codes(), (std::vector<std::string>{"g", "kg", "l", "Pfd", "St"}));
  EXPECT_EQ(Cell(1, 2), GetLangText(955));
  EXPECT_EQ(Cell(1, 3), "1000");
  EXPECT_EQ(Cell(1, 4), "Gramm");
  EXPECT_EQ(Cell(1, 5), "g");
  ASSERT_TRUE(test::ClickBox(dlg->showFesteChk));
  EXPECT_EQ(Codes(), (std::vector<std::string>{"kg", "Pfd"}));
  ASSERT_TRUE(test::ClickBox(dlg->showUmrechChk));
  ASSERT_EQ(dlg->EinheitGrd->rowCount(), 1);  // nothing shown: one empty row
  EXPECT_EQ(Cell(0, 1), "");
  ASSERT_TRUE(test::ClickCell(dlg->EinheitGrd, 0, 0));
  EXPECT_FALSE(InInput([] {}, Clicking(dlg->EditBtn))) << "nothing to edit";
  EXPECT_FALSE(InInput([] {}, [&] { ASSERT_TRUE(test::DoubleClickCell(dlg->EinheitGrd, 0)); }));
  ASSERT_TRUE(test::Click(dlg->DelBtn));
  EXPECT_EQ(dlg->units.units.size(), 5u);
  dlg->hide();
  dlg->show();  // the display flags stay for the run
  EXPECT_FALSE(dlg->showFesteChk->isChecked());
  dlg->hide();
}

TEST_F(UnitsWindow, DeletingAFixedUnitThatTwoUnitsTargetAsksOnceAndMakesThemFixed) {
  CountingCombo combo;
  dlg->show();
  ClickCode("g");
  env.messages.answers = {IDNO};
  ASSERT_TRUE(test::Click(dlg->DelBtn));
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(119) + "2" + GetLangText(120));
  EXPECT_EQ(env.messages.shown[0].title, GetLangText(2));
  EXPECT_NE(Find("g"), nullptr);
  ClickCode("g");
  env.messages.answers = {IDYES};
  ASSERT_TRUE(test::Click(dlg->DelBtn));
  EXPECT_EQ(env.messages.shown.size(), 2u);
  EXPECT_EQ(Find("g"), nullptr);
  for (const char* code : {"kg", "Pfd"}) {
    ASSERT_NE(Find(code), nullptr);
    EXPECT_EQ(Find(code)->fixed, 1) << code;
    EXPECT_EQ(Find(code)->target, "") << code;
    EXPECT_EQ(Find(code)->factor, "") << code;
  }
  EXPECT_EQ(Codes(), (std::vector<std::string>{"kg", "l", "Pfd", "St"}));
  EXPECT_EQ(dlg->EinheitGrd->currentRow(), 0);
  EXPECT_EQ(combo.refills, 1);
  // The selected last row deleted: the new last row is selected. No question for Stück.
  ClickCode("St");
  ASSERT_TRUE(test::Click(dlg->DelBtn));
  EXPECT_EQ(env.messages.shown.size(), 2u);
  EXPECT_EQ(dlg->EinheitGrd->currentRow(), 2);
  // Cancel keeps the deletions until the window is shown again, which reads the file.
  ASSERT_TRUE(test::Click(dlg->CancelBtn));
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(Find("g"), nullptr);
  dlg->show();
  EXPECT_NE(Find("g"), nullptr);
  EXPECT_EQ(ReadAll(File()), original);
  dlg->hide();
}

TEST_F(UnitsWindow, NewAndEditedUnitsAreSortedInAndOKWritesTheFile) {
  CountingCombo combo;
  dlg->show();
  EXPECT_TRUE(InInput(
      [&] {
        // A new unit: fixed, nothing filled in, the factor proposed only for converting.
        EXPECT_TRUE(input->festeRdb->isChecked());
        EXPECT_TRUE(input->ArtGrp->isVisible());
        EXPECT_TRUE(input->FaktorEdt->text().isEmpty());
        EXPECT_TRUE(input->NameEdt->hasFocus());
        test::TypeKeys(QStringLiteral("Becher"));
        ASSERT_TRUE(test::TypeInto(input->AbkEdt, QStringLiteral("Be")));
        EXPECT_TRUE(test::ClickBox(input->ZaehlChk));
        EXPECT_TRUE(test::Click(input->OKBtn));
      },
      Clicking(dlg->NeuBtn)));
  EXPECT_EQ(Codes(), (std::vector<std::string>{"Be", "g", "l", "St"}));
  EXPECT_EQ(dlg->EinheitGrd->currentRow(), 0);
  // A double click edits: the code changed, the row of the new code is selected.
  EXPECT_TRUE(InInput(
      [&] {
        EXPECT_EQ(fromQ(input->NameEdt->text()), "Liter");
        ASSERT_TRUE(test::TypeInto(input->AbkEdt, QStringLiteral("L")));
        EXPECT_TRUE(test::Click(input->OKBtn));
      },
      [&] { ASSERT_TRUE(test::DoubleClickCell(dlg->EinheitGrd, RowOf("l"))); }));
  EXPECT_EQ(Cell(dlg->EinheitGrd->currentRow(), 1), "L");
  EXPECT_EQ(combo.refills, 2);
  // Cancelled: nothing changes.
  ClickCode("g");
  EXPECT_TRUE(InInput(
      [&] {
        ASSERT_TRUE(test::TypeInto(input->NameEdt, QStringLiteral("Gran")));
        EXPECT_TRUE(test::Click(input->CancelBtn));
        EXPECT_FALSE(input->isVisible());
      },
      Clicking(dlg->EditBtn)));
  EXPECT_EQ(Find("g")->name, "Gramm");
  EXPECT_EQ(combo.refills, 2);
  ASSERT_TRUE(test::Click(dlg->OKBtn));
  EXPECT_FALSE(dlg->isVisible());
  const std::string written = ReadAll(File());
  EXPECT_NE(written.find("Be Becher~4#"), std::string::npos);
  EXPECT_NE(written.find("L  Liter#"), std::string::npos);
  EXPECT_EQ(written.find("l  Liter"), std::string::npos);
}

TEST_F(UnitsWindow, TheInputRefusesWhatTheFileCannotHoldAndStaysOpen) {
  dlg->show();
  REZEINHEIT u = Unit("", "");
  u.factor = "1";
  input->SetUnitInput(u);
  EXPECT_EQ(u.factor, "");  // a fixed unit loses factor and target
  EXPECT_TRUE(InInput(
      [&] {
        test::TypeKeys(QStringLiteral("Prise"));
        EXPECT_TRUE(test::Click(input->OKBtn));
        EXPECT_EQ(test::LastOf(env.messages.shown).text, GetLangText(951));
        EXPECT_FALSE(input->Result());
        EXPECT_TRUE(input->isVisible());
        ASSERT_TRUE(test::TypeInto(input->AbkEdt, QStringLiteral("Pr")));
        ASSERT_TRUE(test::TypeInto(input->NameEdt, QStringLiteral("Prise#n")));
        EXPECT_TRUE(test::Click(input->OKBtn));
        EXPECT_EQ(test::LastOf(env.messages.shown).text, GetLangText(810));
        ASSERT_TRUE(test::TypeInto(input->NameEdt, QStringLiteral("Prise")));
        EXPECT_TRUE(test::ClickBox(input->umrechRdb));
        EXPECT_EQ(fromQ(input->FaktorEdt->text()), "1");  // proposed for an empty factor
        EXPECT_TRUE(input->FaktorEdt->hasFocus());
        EXPECT_TRUE(input->UmrechGrp->isVisible());
        EXPECT_FALSE(input->ArtGrp->isVisible());
        // Back to fixed and on again: the kinds come and go with the choice.
        EXPECT_TRUE(test::ClickBox(input->festeRdb));
        EXPECT_TRUE(input->ArtGrp->isVisible());
        EXPECT_FALSE(input->UmrechGrp->isVisible());
        EXPECT_TRUE(test::ClickBox(input->MasseChk));
        EXPECT_TRUE(test::ClickBox(input->umrechRdb));
        ASSERT_TRUE(test::TypeInto(input->FaktorEdt, QStringLiteral("0")));
        EXPECT_TRUE(test::Click(input->OKBtn));
        EXPECT_EQ(test::LastOf(env.messages.shown).text, GetLangText(952));
        EXPECT_EQ(u.name, "");  // nothing stored yet
        ASSERT_TRUE(test::TypeInto(input->FaktorEdt, QStringLiteral("0,5")));
        EXPECT_TRUE(test::ChooseInCombo(input->DtEinheitCoBo, toQ("Gramm [g]")));
        EXPECT_TRUE(test::Click(input->HelpBtn));
        EXPECT_EQ(test::LastOf(env.shell.opened), env.Root() + "Data/DE/Help/Dlg_AngEinheit.htm");
        EXPECT_TRUE(test::Click(input->OKBtn));
      },
      [&] { input->exec(); }));
  EXPECT_TRUE(input->Result());
  EXPECT_FALSE(input->isVisible());
  EXPECT_EQ(u.name, "Prise");
  EXPECT_EQ(u.code, "Pr");
  EXPECT_EQ(u.fixed, 0);
  EXPECT_EQ(u.factor, "0,5");
  EXPECT_EQ(u.target, "g");
  EXPECT_EQ(u.kinds, 0);  // a converting unit has no kinds
  // Shown again for a converting unit, the target is preselected; Escape counts as Cancel.
  input->SetUnitInput(u);
  EXPECT_EQ(fromQ(input->DtEinheitCoBo->currentText()), "Gramm [g]");
  EXPECT_TRUE(InInput([] { test::PressKey(Qt::Key_Escape); }, [&] { input->exec(); }));
  EXPECT_FALSE(input->isVisible());
  EXPECT_FALSE(input->Result());
  dlg->hide();
}

// Enter: in the units window it does nothing (Escape cancels); in the unit input it presses
// OK, the input's default button.
TEST_F(UnitsWindow, EnterAndEscapeInTheWindowAndTheInput) {
  dlg->show();
  ClickCode("l");
  EXPECT_FALSE(InInput([] {}, [] { test::PressKey(Qt::Key_Return); }));
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(Find("l")->name, "Liter");
  for (QPushButton* b : dlg->findChildren<QPushButton*>())
    EXPECT_FALSE(b->isDefault() || b->autoDefault()) << b->objectName().toStdString();
  EXPECT_TRUE(InInput(
      [&] {
        EXPECT_TRUE(input->OKBtn->isDefault());
        // The name has the focus.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        test::TypeKeys(QStringLiteral("Liter (Flasche)"));
        test::PressKey(Qt::Key_Return);
        EXPECT_FALSE(input->isVisible());
      },
      Clicking(dlg->EditBtn)));
  EXPECT_EQ(Find("l")->name, "Liter (Flasche)");
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(ReadAll(File()), original);
  ASSERT_TRUE(test::Click(dlg->HelpBtn));
  EXPECT_EQ(test::LastOf(env.shell.opened), env.Root() + "Data/DE/Help/Dlg_Einheit.htm");
  ASSERT_TRUE(test::Click(dlg->EinheitGrd));
  test::PressKey(Qt::Key_Escape);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(ReadAll(File()), original);
}

TEST_F(UnitsWindow, Screenshots) {
  dlg->show();
  dlg->showUmrechChk->click();
  test::Shot(dlg.get(), "units_DE");
  REZEINHEIT u = *Find("kg");
  input->SetUnitInput(u);
  input->show();
  test::Shot(input.get(), "unit_input_DE");
  input->hide();
  u = *Find("g");
  input->SetUnitInput(u);
  input->show();
  test::Shot(input.get(), "unit_input_fixed_DE");
  input->hide();
  dlg->hide();
}

class UnitsWindowEnglish : public UnitsWindow {
 protected:
  UnitsWindowEnglish() : UnitsWindow("EN") {}
};

TEST_F(UnitsWindowEnglish, Screenshots) {
  dlg->show();
  dlg->showUmrechChk->click();
  test::Shot(dlg.get(), "units_EN");
  REZEINHEIT u = *Find("g");
  input->SetUnitInput(u);
  input->show();
  test::Shot(input.get(), "unit_input_EN");
  input->hide();
  dlg->hide();
}

}  // namespace
}  // namespace tav
