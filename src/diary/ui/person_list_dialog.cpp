#include "diary/ui/person_list_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "diary/diary_module.h"
#include "diary/text_grid.h"
#include "diary/ui/person_data_dialog.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "services/context.h"
#include "services/tools_module.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TPersListDlg* PersListDlg = nullptr;

TPersListDlg::TPersListDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("PersListDlg"));
  setWindowTitle(toQ("Liste der Personen mit Ern\xE4hrungskonto"));
  PersListGrd = Named<QTableWidget>(this, "PersListGrd");
  PersListGrd->setColumnCount(2);
  PersListGrd->setHorizontalHeaderLabels({toQ(GetLangText(444)), toQ(GetLangText(445))});
  PersListGrd->setColumnWidth(0, 180);
  PersListGrd->setColumnWidth(1, 200);
  PersListGrd->horizontalHeader()->setStretchLastSection(true);
  PersListGrd->verticalHeader()->setVisible(false);
  PersListGrd->verticalHeader()->setDefaultSectionSize(20);
  PersListGrd->setSelectionBehavior(QAbstractItemView::SelectRows);
  PersListGrd->setSelectionMode(QAbstractItemView::SingleSelection);
  PersListGrd->setEditTriggers(QAbstractItemView::NoEditTriggers);
  PersListGrd->setMinimumSize(400, 200);
  NewBtn = Captioned<QPushButton>(this, "NewBtn", "&Neu");
  DelBtn = Captioned<QPushButton>(this, "DelBtn", "&L\xF6schen");
  EditBtn = Captioned<QPushButton>(this, "EditBtn", "&\xC4ndern");
  OKBtn = Captioned<QPushButton>(this, "OKBtn",
                                 "&Schlie\xDF"
                                 "en");
  HelpBtn = Captioned<QPushButton>(this, "HelpBtn", "&Hilfe");
  EditBtn->setDefault(true);
  auto* column = new QVBoxLayout(this);
  column->addLayout(WithSideButtons(PersListGrd, {NewBtn, EditBtn, DelBtn}));
  column->addLayout(DialogButtonRow(HelpBtn, {OKBtn}));
  connect(NewBtn, &QPushButton::clicked, this, [this] { NewBtnClick(); });
  connect(EditBtn, &QPushButton::clicked, this, [this] { EditBtnClick(); });
  connect(PersListGrd, &QTableWidget::cellDoubleClicked, this, [this] { EditBtnClick(); });
  connect(DelBtn, &QPushButton::clicked, this, [this] { DelBtnClick(); });
  connect(OKBtn, &QPushButton::clicked, this, [this] { accept(); });
  connect(HelpBtn, &QPushButton::clicked, this, [this] { HelpBtnClick(); });
  if (LangDlg) LangDlg->TranslateForm(this);
  // The diary asks for the list when a diary function finds no person at all.
  if (ENApplogMod) ENApplogMod->hooks.showPersonList = [this] { exec(); };
}

TPersListDlg::~TPersListDlg() {
  if (ENApplogMod) ENApplogMod->hooks.showPersonList = nullptr;
}

void TPersListDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous()) return;
  FillGrid();
  CenterOnForm(this);
}

void TPersListDlg::done(int result) {
  QDialog::done(result);
  // However the window closes, the diary views follow.
  if (ENApplogMod) ENApplogMod->NotifyDiaryChanged();
}

void TPersListDlg::FillGrid() {
  const int current = PersListGrd->currentRow();
  TextGrid grid;
  if (ENApplogMod) ENApplogMod->FillPersonGrid(grid);
  PersListGrd->clearContents();
  PersListGrd->setRowCount(std::max(1, grid.RowCount() - 1));
  for (int r = 1; r < grid.RowCount(); ++r)
    for (int c = 0; c < 2; ++c)
      PersListGrd->setItem(r - 1, c, new QTableWidgetItem(toQ(grid.Cell(c, r))));
  PersListGrd->setCurrentCell(std::clamp(current, 0, PersListGrd->rowCount() - 1), 0);
}

void TPersListDlg::NewBtnClick() {
  if (!PersDataDlg) return;
  ENPERSON person;  // the defaults of a new person; an empty name makes it new
  person.name.clear();
  PersDataDlg->ShowPerson(&person);
  PersDataDlg->exec();
  FillGrid();
}

void TPersListDlg::EditBtnClick() {
  const int row = PersListGrd->currentRow();
  const QTableWidgetItem* cell = row >= 0 ? PersListGrd->item(row, 0) : nullptr;
  ENPERSON* person = nullptr;
  if (!cell || !PersDataDlg || !ENApplogMod ||
      !ENApplogMod->FindPerson(fromQ(cell->text()), &person))
    return;
  PersDataDlg->ShowPerson(person);
  PersDataDlg->exec();
  if (PersDataDlg->WasPersonStored()) {
    FillGrid();
    ENApplogMod->NotifyDiaryChanged();
  }
}

void TPersListDlg::DelBtnClick() {
  const QTableWidgetItem* first = PersListGrd->item(0, 0);
  const int row = PersListGrd->currentRow();
  const QTableWidgetItem* cell = row >= 0 ? PersListGrd->item(row, 0) : nullptr;
  if (!first || first->text().isEmpty() || !cell || !ENApplogMod) return;
  if (MessageBox(GetLangText(458), GetLangText(56), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  ENApplogMod->DeletePerson(fromQ(cell->text()));
  FillGrid();
  ENApplogMod->WriteUsers();
  ENApplogMod->NotifyDiaryChanged();
}

void TPersListDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_PersList.htm");
}

}  // namespace tav
