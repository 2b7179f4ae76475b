#include "recipes/ui/portions_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "services/context.h"
#include "services/tools_module.h"
#include "services/ui/form_controls.h"
#include "services/ui/lang_dialog.h"

namespace tav {

TPortionsDlg* PortionsDlg = nullptr;

TPortionsDlg::TPortionsDlg(QWidget* parent) : QDialog(parent) {
  PortionsDlg = this;
  setObjectName(QStringLiteral("PortionsDlg"));
  setWindowTitle(QString::fromUtf8("Portions-Einheiten"));
  setModal(true);

  PortionsGrd = Named<QTableWidget>(this, "PortionsGrd");
  PortionsGrd->setColumnCount(1);
  PortionsGrd->horizontalHeader()->setStretchLastSection(true);
  PortionsGrd->horizontalHeader()->setDefaultSectionSize(189);
  PortionsGrd->verticalHeader()->setDefaultSectionSize(20);
  PortionsGrd->verticalHeader()->hide();
  PortionsGrd->setSelectionMode(QAbstractItemView::SingleSelection);
  PortionsGrd->setSelectionBehavior(QAbstractItemView::SelectRows);
  PortionsGrd->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  NewBtn = Named<QPushButton>(this, "NewBtn");
  NewBtn->setText(QString::fromUtf8("&Neu"));
  DelBtn = Named<QPushButton>(this, "DelBtn");
  DelBtn->setText(QString::fromUtf8("&Löschen"));
  UpBtn = Named<QPushButton>(this, "UpBtn");
  UpBtn->setText(QString::fromUtf8("Nach &oben"));
  DownBtn = Named<QPushButton>(this, "DownBtn");
  DownBtn->setText(QString::fromUtf8("Nach &unten"));
  OKBtn = Named<QPushButton>(this, "OKBtn");
  OKBtn->setText(QStringLiteral("OK"));
  OKBtn->setDefault(true);
  CancelBtn = Named<QPushButton>(this, "CancelBtn");
  CancelBtn->setText(QString::fromUtf8("&Abbrechen"));
  HelpBtn = Named<QToolButton>(this, "HelpBtn");
  HelpBtn->setText(QStringLiteral("?"));

  auto* side = new QVBoxLayout;
  side->addWidget(NewBtn);
  side->addWidget(DelBtn);
  side->addSpacing(12);
  side->addWidget(UpBtn);
  side->addWidget(DownBtn);
  side->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addWidget(PortionsGrd, 1);
  top->addLayout(side);
  auto* buttons = DialogButtonRow(HelpBtn, {OKBtn, CancelBtn});
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);

  connect(NewBtn, &QPushButton::clicked, this, [this] { NewBtnClick(); });
  connect(DelBtn, &QPushButton::clicked, this, [this] { DelBtnClick(); });
  connect(UpBtn, &QPushButton::clicked, this, [this] { UpBtnClick(); });
  connect(DownBtn, &QPushButton::clicked, this, [this] { DownBtnClick(); });
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  FormCreate();
}

void TPortionsDlg::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  QWidget* focus = QApplication::focusWidget();
  if (enter && focus && (focus == PortionsGrd || PortionsGrd->isAncestorOf(focus))) {
    // The cell's editor has taken the text over already; the window stays open.
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

TPortionsDlg::~TPortionsDlg() {
  if (PortionsDlg == this) PortionsDlg = nullptr;
}

void TPortionsDlg::FormCreate() {
  if (LangDlg) LangDlg->TranslateForm(this);
  PortionsGrd->setHorizontalHeaderLabels({toQ(GetLangText(652))});
  LoadPortionUnits();
  FillGrid();
}

void TPortionsDlg::FillPortionUnitCombo(QComboBox* combo) const {
  if (!combo) return;
  combo->clear();
  for (const std::string& n : names) combo->addItem(toQ(n));
}

void TPortionsDlg::FillGrid() {
  PortionsGrd->setRowCount(0);
  PortionsGrd->setRowCount(names.empty() ? 1 : static_cast<int>(names.size()));
  for (int r = 0; r < PortionsGrd->rowCount(); ++r)
    PortionsGrd->setItem(r, 0, new QTableWidgetItem(names.empty() ? QString() : toQ(names[r])));
  PortionsGrd->setCurrentCell(0, 0);
}

std::vector<std::string> TPortionsDlg::GridRows() const {
  std::vector<std::string> rows;
  for (int r = 0; r < PortionsGrd->rowCount(); ++r) {
    const QTableWidgetItem* item = PortionsGrd->item(r, 0);
    rows.push_back(item ? fromQ(item->text()) : std::string());
  }
  return rows;
}

void TPortionsDlg::SwapRows(int a, int b) {
  QTableWidgetItem* first = PortionsGrd->takeItem(a, 0);
  QTableWidgetItem* second = PortionsGrd->takeItem(b, 0);
  PortionsGrd->setItem(a, 0, second);
  PortionsGrd->setItem(b, 0, first);
  PortionsGrd->setCurrentCell(b, 0);
}

void TPortionsDlg::NewBtnClick() {
  const int row = PortionsGrd->rowCount();
  PortionsGrd->insertRow(row);
  PortionsGrd->setItem(row, 0, new QTableWidgetItem());
  PortionsGrd->setCurrentCell(row, 0);
  PortionsGrd->setFocus();
}

void TPortionsDlg::DelBtnClick() {
  if (PortionsGrd->rowCount() <= 1) {
    if (PortionsGrd->rowCount() == 1) PortionsGrd->setItem(0, 0, new QTableWidgetItem());
  } else {
    const int row = PortionsGrd->currentRow();
    if (row >= 0) PortionsGrd->removeRow(row);
  }
  PortionsGrd->setFocus();
}

void TPortionsDlg::UpBtnClick() {
  const int row = PortionsGrd->currentRow();
  if (row > 0) SwapRows(row, row - 1);
}

void TPortionsDlg::DownBtnClick() {
  const int row = PortionsGrd->currentRow();
  if (row >= 0 && row + 1 < PortionsGrd->rowCount()) SwapRows(row, row + 1);
}

void TPortionsDlg::OKBtnClick() {
  names = GridRows();
  SaveLoadedPortionUnits(names);
  accept();
}

void TPortionsDlg::CancelBtnClick() {
  LoadPortionUnits();
  FillGrid();
  reject();
}

void TPortionsDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_Portions.htm");
}

}  // namespace tav
