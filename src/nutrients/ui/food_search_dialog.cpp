#include "nutrients/ui/food_search_dialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>
#include <set>

#include "nutrients/ui/food_browser_dialog.h"
#include "nutrients/ui/food_compare_window.h"
#include "nutrients/ui/food_grids.h"
#include "nutrients/ui/food_search_inputs.h"
#include "platform/qt/qt_text.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TBLSSearchDlg* BLSSearchDlg = nullptr;

TBLSSearchDlg::TBLSSearchDlg(QWidget* parent) : QDialog(parent) {
  BLSSearchDlg = this;
  setObjectName(QStringLiteral("BLSSearchDlg"));
  setWindowTitle(toQ("Lebensmittel suchen"));
  setSizeGripEnabled(true);
  inputs = new FoodSearchInputs(this, {toQ(GetLangText(932)), toQ(GetLangText(933))});
  inputs->SearchResultGrd->setSelectionMode(QAbstractItemView::ExtendedSelection);
  inputs->SearchResultGrd->setColumnWidth(1, 280);
  ShowLMBtn = Captioned<QPushButton>(this, "ShowLMBtn", "Lebensmittel &anzeigen");
  CompareLMBtn = Captioned<QPushButton>(this, "CompareLMBtn", "Zum &Vergleich hinzuf\xFCgen");
  CancelBtn = Captioned<QPushButton>(this, "CancelBtn",
                                     "&Schlie\xDF"
                                     "en");
  HelpBtn = Captioned<QPushButton>(this, "HelpBtn", "&Hilfe");

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(inputs->InputLayout());
  layout->addLayout(inputs->ResultLayout(), 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(HelpBtn);
  buttons->addStretch(1);
  buttons->addWidget(ShowLMBtn);
  buttons->addWidget(CompareLMBtn);
  buttons->addWidget(CancelBtn);
  layout->addLayout(buttons);
  resize(620, 480);

  connect(inputs, &FoodSearchInputs::InputChanged, this,
          [this] { inputs->StartBtn->setDefault(true); });
  connect(inputs->StartBtn, &QPushButton::clicked, this, [this] { StartBtnClick(); });
  connect(ShowLMBtn, &QPushButton::clicked, this, [this] { ShowLMBtnClick(); });
  connect(inputs->SearchResultGrd, &QTableWidget::cellDoubleClicked, this,
          [this] { ShowLMBtnClick(); });
  connect(CompareLMBtn, &QPushButton::clicked, this, [this] { CompareLMBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  connect(HelpBtn, &QPushButton::clicked, this, [this] { HelpBtnClick(); });
  if (LangDlg) LangDlg->TranslateForm(this);
}

void TBLSSearchDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TBLSSearchDlg::FormShow() {
  SetFoodGridColumns(inputs->SearchResultGrd, ctx().options && ctx().options->Flag(55));
  inputs->StartBtn->setDefault(true);
  inputs->ShowNoSearchYet();
  ShowLMBtn->hide();
  CompareLMBtn->hide();
  CenterOnForm(this);
}

void TBLSSearchDlg::StartBtnClick() {
  const int hits = inputs->StartSearch();
  if (hits < 0) return;
  ShowLMBtn->setVisible(hits > 0);
  CompareLMBtn->setVisible(hits > 0);
  if (hits > 0)
    ShowLMBtn->setDefault(true);
  else
    inputs->StartBtn->setDefault(true);
}

void TBLSSearchDlg::ShowLMBtnClick() {
  QTableWidget* grid = inputs->SearchResultGrd;
  const std::string key = CellText(grid, grid->currentRow(), 0);
  accept();
  if (BLSMainDlg && !key.empty()) BLSMainDlg->ShowBLSFoodInTree(key.c_str());
}

void TBLSSearchDlg::CompareLMBtnClick() {
  QTableWidget* grid = inputs->SearchResultGrd;
  std::set<int> rows;
  for (const QModelIndex& index : grid->selectionModel()->selectedRows()) rows.insert(index.row());
  for (int r : rows) {
    const std::string key = CellText(grid, r, 0);
    if (!key.empty() && BLSCompareDlg) BLSCompareDlg->AddCompareFoodByKey(key.c_str());
  }
  if (BLSMainDlg) BLSMainDlg->ShowComparePanel(true);
}

void TBLSSearchDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_BLSSearch.htm");
}

}  // namespace tav
