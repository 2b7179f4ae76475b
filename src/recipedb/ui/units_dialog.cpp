#include "recipedb/ui/units_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "recipedb/ui/unit_combo_view.h"
#include "recipedb/ui/unit_input_dialog.h"
#include "services/context.h"
#include "services/tools_module.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/grid_columns.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TEinheitenDlg* EinheitenDlg = nullptr;

TEinheitenDlg::TEinheitenDlg(QWidget* parent) : QDialog(parent) {
  EinheitenDlg = this;
  setObjectName(QStringLiteral("EinheitenDlg"));
  setWindowTitle(toQ("Verwaltung der Einheiten"));
  setModal(true);

  EinheitGrd = Named<QTableWidget>(this, "EinheitGrd");
  EinheitGrd->setColumnCount(6);
  EinheitGrd->verticalHeader()->hide();
  EinheitGrd->verticalHeader()->setDefaultSectionSize(EinheitGrd->fontMetrics().height() + 6);
  EinheitGrd->setEditTriggers(QAbstractItemView::NoEditTriggers);
  EinheitGrd->setSelectionBehavior(QAbstractItemView::SelectRows);
  EinheitGrd->setSelectionMode(QAbstractItemView::SingleSelection);
  EinheitGrd->horizontalHeader()->setStretchLastSection(true);
  EinheitGrd->horizontalHeader()->setHighlightSections(false);
  EinheitGrd->horizontalHeader()->setSectionsMovable(true);
  int c = 0;
  for (int w : {150, 50, 40, 50, 100, 50}) EinheitGrd->setColumnWidth(c++, w);
  showFesteChk = Captioned<QCheckBox>(this, "showFesteChk", "zeige &feste Einheiten an");
  showUmrechChk = Captioned<QCheckBox>(this, "showUmrechChk", "zeige &umzurechnende Einheiten an");
  NeuBtn = Captioned<QPushButton>(this, "NeuBtn", "&Neu");
  EditBtn = Captioned<QPushButton>(this, "EditBtn", "&\xC4ndern");
  DelBtn = Captioned<QPushButton>(this, "DelBtn", "&L\xF6schen");
  OKBtn = Captioned<QPushButton>(this, "OKBtn", "&OK");
  CancelBtn = Captioned<QPushButton>(this, "CancelBtn", "&Abbrechen");
  HelpBtn = Captioned<QToolButton>(this, "HelpBtn", "?");
  // No default button: Enter in the grid would save and close the window.
  for (QPushButton* b : {NeuBtn, EditBtn, DelBtn, OKBtn, CancelBtn}) b->setAutoDefault(false);

  auto* top = WithSideButtons(EinheitGrd, {NeuBtn, EditBtn, DelBtn});
  auto* filters = new QHBoxLayout;
  filters->addWidget(showFesteChk);
  filters->addWidget(showUmrechChk);
  filters->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(filters);
  layout->addLayout(DialogButtonRow(HelpBtn, {OKBtn, CancelBtn}));

  connect(EinheitGrd, &QTableWidget::cellDoubleClicked, this, [this] { EditBtnClick(); });
  connect(showFesteChk, &QCheckBox::clicked, this, [this] { showFesteChkClick(); });
  connect(showUmrechChk, &QCheckBox::clicked, this, [this] { showUmrechChkClick(); });
  connect(NeuBtn, &QPushButton::clicked, this, [this] { NeuBtnClick(); });
  connect(EditBtn, &QPushButton::clicked, this, [this] { EditBtnClick(); });
  connect(DelBtn, &QPushButton::clicked, this, [this] { DelBtnClick(); });
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { reject(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });

  inputUnit = [](REZEINHEIT& unit) {
    if (!InpEinheitDlg) return false;
    InpEinheitDlg->SetUnitInput(unit);
    InpEinheitDlg->exec();
    return InpEinheitDlg->Result();
  };

  if (LangDlg) LangDlg->TranslateForm(this);
  units.ReadEinheiten();
  units.SortEinheiten();
  ctx().units = &units;
}

TEinheitenDlg::~TEinheitenDlg() {
  if (ctx().units == &units) ctx().units = nullptr;
  if (EinheitenDlg == this) EinheitenDlg = nullptr;
}

void TEinheitenDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TEinheitenDlg::FormShow() {
  showFesteChk->setChecked(showFixed);
  showUmrechChk->setChecked(showConverting);
  // Changes that were never saved are dropped here.
  units.ReadEinheiten();
  units.SortEinheiten();
  FillGrid();
  SelectRow(0);
  CenterOnForm(this);
}

void TEinheitenDlg::FillGrid() {
  QStringList headers;
  for (int t = 341; t <= 346; ++t) headers << toQ(GetLangText(t));
  EinheitGrd->setHorizontalHeaderLabels(headers);
  EinheitGrd->clearContents();
  std::vector<const REZEINHEIT*> shown;
  for (const REZEINHEIT& u : units.units)
    if (u.fixed ? showFixed : showConverting) shown.push_back(&u);
  EinheitGrd->setRowCount(std::max<int>(1, static_cast<int>(shown.size())));
  for (size_t r = 0; r < shown.size(); ++r) {
    const REZEINHEIT& u = *shown[r];
    std::string targetName;
    if (!u.fixed)
      for (const REZEINHEIT& t : units.units)
        if (t.fixed && t.code == u.target) {
          targetName = t.name;
          break;
        }
    const std::string cells[] = {u.name,
                                 u.code,
                                 GetLangText(u.fixed ? 954 : 955),
                                 u.fixed ? "" : u.factor,
                                 targetName,
                                 u.fixed ? "" : u.target};
    for (int col = 0; col < 6; ++col)
      EinheitGrd->setItem(static_cast<int>(r), col, new QTableWidgetItem(toQ(cells[col])));
  }
  FitGridColumns(EinheitGrd, 150);
}

void TEinheitenDlg::SelectRow(int row) {
  if (EinheitGrd->rowCount() == 0) return;
  EinheitGrd->selectRow(std::clamp(row, 0, EinheitGrd->rowCount() - 1));
}

int TEinheitenDlg::SelectedUnit() const {
  if (units.units.empty() || units.units.front().name.empty()) return -1;
  const int row = EinheitGrd->currentRow();
  const QTableWidgetItem* code = row >= 0 ? EinheitGrd->item(row, 1) : nullptr;
  if (!code) return -1;
  const std::string text = fromQ(code->text());
  for (size_t i = 0; i < units.units.size(); ++i)
    if (units.units[i].code == text) return static_cast<int>(i);
  return -1;
}

void TEinheitenDlg::showFesteChkClick() {
  showFixed = showFesteChk->isChecked();
  FillGrid();
}

void TEinheitenDlg::showUmrechChkClick() {
  showConverting = showUmrechChk->isChecked();
  FillGrid();
}

void TEinheitenDlg::NeuBtnClick() {
  REZEINHEIT unit;
  unit.fixed = 1;
  unit.factor = "1";
  if (!inputUnit || !inputUnit(unit)) return;
  units.units.push_back(unit);
  units.SortEinheiten();
  FillGrid();
  SelectRow(0);
  RefillUnitCombos();
}

void TEinheitenDlg::EditBtnClick() {
  const int position = SelectedUnit();
  if (position < 0) return;
  REZEINHEIT copy = units.units[static_cast<size_t>(position)];
  if (!inputUnit || !inputUnit(copy)) return;
  units.units[static_cast<size_t>(position)] = copy;
  units.SortEinheiten();
  FillGrid();
  for (int r = 0; r < EinheitGrd->rowCount(); ++r) {
    const QTableWidgetItem* code = EinheitGrd->item(r, 1);
    if (code && fromQ(code->text()) == copy.code) {
      SelectRow(r);
      break;
    }
  }
  RefillUnitCombos();
}

void TEinheitenDlg::DelBtnClick() {
  const int position = SelectedUnit();
  if (position < 0) return;
  const int row = EinheitGrd->currentRow();
  const REZEINHEIT& unit = units.units[static_cast<size_t>(position)];
  if (unit.fixed) {
    const int targeting = units.CountTargeting(unit.code);
    if (targeting > 0 &&
        MessageBox(GetLangText(119) + std::to_string(targeting) + GetLangText(120),
                   GetLangText(2), MB_YESNO | MB_ICONQUESTION) != IDYES)
      return;
  }
  units.DeleteUnit(static_cast<size_t>(position));
  units.SortEinheiten();
  FillGrid();
  SelectRow(row);
  RefillUnitCombos();
}

void TEinheitenDlg::OKBtnClick() {
  units.WriteEinheiten();  // shows its own message; the window closes all the same
  accept();
}

void TEinheitenDlg::RefillUnitCombos() {
  if (UnitComboView* chooser = UnitCombo<kChooserUnitCombo>()) chooser->RefillUnitCombo();
  if (UnitComboView* quick = UnitCombo<kQuickEntryUnitCombo>()) quick->RefillUnitCombo();
  if (InpEinheitDlg) InpEinheitDlg->FillTargetCombo();
}

void TEinheitenDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_Einheit.htm");
}

}  // namespace tav
