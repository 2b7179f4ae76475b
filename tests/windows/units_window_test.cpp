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

#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "platform/text_file.h"
#include "recipedb/ui/unit_combo_view.h"
#include "recipedb/ui/unit_input_dialog.h"
#include "recipedb/ui/units_dialog.h"
#include "services/tools_module.h"
#include "services/ui/lang_dialog.h"
#include "support/test_env.h"
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
  void SelectCode(const std::string& code) {
    for (int r = 0; r < dlg->EinheitGrd->rowCount(); ++r)
      if (Cell(r, 1) == code) return dlg->EinheitGrd->selectRow(r);
    ADD_FAILURE() << code;
  }
  const REZEINHEIT* Find(const std::string& code) const { return dlg->units.FindUnitByCode(code); }

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
  dlg->showUmrechChk->click();
  EXPECT_EQ(Codes(), (std::vector<std::string>{"g", "kg", "l", "Pfd", "St"}));
  EXPECT_EQ(Cell(1, 2), GetLangText(955));
  EXPECT_EQ(Cell(1, 3), "1000");
  EXPECT_EQ(Cell(1, 4), "Gramm");
  EXPECT_EQ(Cell(1, 5), "g");
  dlg->showFesteChk->click();
  dlg->showUmrechChk->click();
  ASSERT_EQ(dlg->EinheitGrd->rowCount(), 1);  // nothing shown: one empty row
  EXPECT_EQ(Cell(0, 1), "");
  dlg->EinheitGrd->selectRow(0);
  dlg->inputUnit = [](REZEINHEIT&) {
    ADD_FAILURE() << "nothing to edit";
    return false;
  };
  dlg->EditBtnClick();
  dlg->DelBtnClick();
  EXPECT_EQ(dlg->units.units.size(), 5u);
  dlg->hide();
  dlg->show();  // the display flags stay for the run
  EXPECT_FALSE(dlg->showFesteChk->isChecked());
  dlg->hide();
}

TEST_F(UnitsWindow, DeletingAFixedUnitThatTwoUnitsTargetAsksOnceAndMakesThemFixed) {
  CountingCombo combo;
  dlg->show();
  SelectCode("g");
  env.messages.answers = {IDNO};
  dlg->DelBtnClick();
  ASSERT_EQ(env.messages.shown.size(), 1u);
  EXPECT_EQ(env.messages.shown[0].text, GetLangText(119) + "2" + GetLangText(120));
  EXPECT_EQ(env.messages.shown[0].title, GetLangText(2));
  EXPECT_NE(Find("g"), nullptr);
  SelectCode("g");
  env.messages.answers = {IDYES};
  dlg->DelBtnClick();
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
  SelectCode("St");
  dlg->DelBtnClick();
  EXPECT_EQ(env.messages.shown.size(), 2u);
  EXPECT_EQ(dlg->EinheitGrd->currentRow(), 2);
  // Cancel keeps the deletions until the window is shown again, which reads the file.
  dlg->reject();
  EXPECT_EQ(Find("g"), nullptr);
  dlg->show();
  EXPECT_NE(Find("g"), nullptr);
  EXPECT_EQ(ReadAll(File()), original);
  dlg->hide();
}

TEST_F(UnitsWindow, NewAndEditedUnitsAreSortedInAndOKWritesTheFile) {
  CountingCombo combo;
  dlg->show();
  REZEINHEIT offered;
  dlg->inputUnit = [&](REZEINHEIT& u) {
    offered = u;
    u.name = "Becher";
    u.code = "Be";
    u.kinds = kUnitCountable;
    return true;
  };
  dlg->NeuBtnClick();
  EXPECT_EQ(offered.fixed, 1);
  EXPECT_EQ(offered.factor, "1");
  EXPECT_EQ(Codes(), (std::vector<std::string>{"Be", "g", "l", "St"}));
  EXPECT_EQ(dlg->EinheitGrd->currentRow(), 0);
  SelectCode("l");
  dlg->inputUnit = [](REZEINHEIT& u) {
    u.code = "L";
    u.name = "Liter";
    return true;
  };
  dlg->EditBtnClick();
  EXPECT_EQ(Cell(dlg->EinheitGrd->currentRow(), 1), "L");
  EXPECT_EQ(combo.refills, 2);
  dlg->inputUnit = [](REZEINHEIT&) { return false; };  // cancelled: nothing changes
  SelectCode("g");
  dlg->EditBtnClick();
  EXPECT_EQ(Find("g")->name, "Gramm");
  dlg->OKBtnClick();
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
  input->show();
  input->NameEdt->setText(toQ("Prise"));
  input->OKBtnClick();
  EXPECT_EQ(env.messages.shown.at(0).text, GetLangText(951));
  EXPECT_FALSE(input->Result());
  EXPECT_TRUE(input->isVisible());
  input->AbkEdt->setText(toQ("Pr"));
  input->NameEdt->setText(toQ("Prise#n"));
  input->OKBtnClick();
  EXPECT_EQ(env.messages.shown.at(1).text, GetLangText(810));
  input->NameEdt->setText(toQ("Prise"));
  input->umrechRdb->click();
  EXPECT_EQ(fromQ(input->FaktorEdt->text()), "1");  // proposed for an empty factor
  EXPECT_TRUE(input->UmrechGrp->isVisibleTo(input.get()));
  EXPECT_FALSE(input->ArtGrp->isVisibleTo(input.get()));
  input->FaktorEdt->setText(toQ("0"));
  input->OKBtnClick();
  EXPECT_EQ(env.messages.shown.at(2).text, GetLangText(952));
  EXPECT_EQ(u.name, "");  // nothing stored yet
  input->FaktorEdt->setText(toQ("0,5"));
  input->MasseChk->setChecked(true);
  const int gram = input->DtEinheitCoBo->findText(toQ("Gramm [g]"));
  ASSERT_GE(gram, 0);
  input->DtEinheitCoBo->setCurrentIndex(gram);
  input->OKBtnClick();
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
  input->show();
  input->reject();
  EXPECT_FALSE(input->Result());
  dlg->hide();
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
