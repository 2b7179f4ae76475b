#include "nutrients/ui/food_chooser_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "nutrients/food_views.h"
#include "nutrients/ui/food_browser_dialog.h"
#include "nutrients/ui/food_grids.h"
#include "nutrients/ui/food_search_inputs.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TBLSChooseDlg* BLSChooseDlg = nullptr;

TBLSChooseDlg::TBLSChooseDlg(QWidget* parent) : QDialog(parent) {
  BLSChooseDlg = this;
  setObjectName(QStringLiteral("BLSChooseDlg"));
  setWindowTitle(toQ("Lebensmittel ausw\xE4hlen"));
  setSizeGripEnabled(true);
  Registered<FoodChooser>::Enter(this);
  const QStringList titles = {toQ(GetLangText(397)), toQ(GetLangText(398))};

  BLSReiter = new QTabWidget(this);
  BLSReiter->setObjectName(QStringLiteral("BLSReiter"));
  SearchSht = new QWidget;
  SearchSht->setObjectName(QStringLiteral("SearchSht"));
  ChooseSht = new QWidget;
  ChooseSht->setObjectName(QStringLiteral("ChooseSht"));
  BLSReiter->addTab(SearchSht, toQ("Suchen"));
  BLSReiter->addTab(ChooseSht, toQ("Aus Gruppen w\xE4hlen"));

  inputs = new FoodSearchInputs(SearchSht, titles);
  inputs->SearchResultGrd->setSelectionMode(QAbstractItemView::SingleSelection);
  auto* search = new QVBoxLayout(SearchSht);
  search->addLayout(inputs->InputLayout());
  search->addLayout(inputs->ResultLayout(), 1);

  GattTre = new QTreeWidget(ChooseSht);
  GattTre->setObjectName(QStringLiteral("GattTre"));
  GattTre->setHeaderHidden(true);
  StoffGrd = NewFoodGrid(ChooseSht, "StoffGrd", titles);
  StoffGrd->setSelectionMode(QAbstractItemView::SingleSelection);
  StoffGrd->horizontalHeader()->setStretchLastSection(true);
  auto* groups = new QHBoxLayout(ChooseSht);
  groups->addWidget(GattTre, 2);
  groups->addWidget(StoffGrd, 3);

  ShowLMBtn = Captioned<QPushButton>(this, "ShowLMBtn",
                                     "Selektiertes &Lebensmittel \xFC"
                                     "bernehmen");
  SeeLMBtn =
      Captioned<QPushButton>(this, "SeeLMBtn", "Gew\xE4hltes Lebensmittel genauer anschauen");
  CancelBtn = Captioned<QPushButton>(this, "CancelBtn",
                                     "&Schlie\xDF"
                                     "en");
  HelpBtn = Captioned<QPushButton>(this, "HelpBtn", "&Hilfe");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(HelpBtn);
  buttons->addStretch(1);
  buttons->addWidget(SeeLMBtn);
  buttons->addWidget(ShowLMBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BLSReiter, 1);
  layout->addLayout(buttons);
  resize(720, 520);

  connect(inputs, &FoodSearchInputs::InputChanged, this,
          [this] { inputs->StartBtn->setDefault(true); });
  connect(inputs->StartBtn, &QPushButton::clicked, this, [this] { StartBtnClick(); });
  connect(inputs->SearchResultGrd, &QTableWidget::cellDoubleClicked, this, [this] { TakeOver(); });
  connect(StoffGrd, &QTableWidget::cellDoubleClicked, this, [this] { TakeOver(); });
  connect(StoffGrd, &QTableWidget::cellClicked, this, [this] { StoffGrdClick(); });
  connect(GattTre, &QTreeWidget::currentItemChanged, this, [this] {
    if (!filling_) GattTreChange();
  });
  connect(BLSReiter, &QTabWidget::currentChanged, this, [this] {
    if (!filling_) BLSReiterChange();
  });
  connect(ShowLMBtn, &QPushButton::clicked, this, [this] { ShowLMBtnClick(); });
  connect(SeeLMBtn, &QPushButton::clicked, this, [this] { SeeLMBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  connect(HelpBtn, &QPushButton::clicked, this, [this] { HelpBtnClick(); });

  if (LangDlg) LangDlg->TranslateForm(this);
  if (ctx().foods) ctx().foods->LoadBLSGroupTree(true);
}

TBLSChooseDlg::~TBLSChooseDlg() {
  Registered<FoodChooser>::Leave(this);
  if (BLSChooseDlg == this) BLSChooseDlg = nullptr;
}

void TBLSChooseDlg::FillGroupTree(const std::vector<BLSGROUPNODE>& tree) {
  filling_ = true;
  FillGroupTreeItems(GattTre, tree);
  filling_ = false;
}

void TBLSChooseDlg::SetChooseOption(const char* name, bool value) {
  const std::string option = name ? name : "";
  if (option == "OvertakeBtn") {
    overtake_ = value;
  } else if (option == "StartSearch") {
    filling_ = true;
    BLSReiter->setCurrentWidget(value ? SearchSht : ChooseSht);
    filling_ = false;
  }
}

void TBLSChooseDlg::SetChooseSearchText(const char* text) {
  inputs->LMEdt->setText(toQ(text ? text : ""));
}

bool TBLSChooseDlg::GetChosenBLSFood(std::string* key, std::string* name) const {
  *key = chosenKey_;
  *name = chosenName_;
  return !chosenKey_.empty();
}

bool TBLSChooseDlg::ChooseFood(std::string& key, std::string& name) {
  SetChooseOption("OvertakeBtn", true);
  exec();
  return GetChosenBLSFood(&key, &name);
}

bool TBLSChooseDlg::ChooseFoodFor(const std::string& searchText, std::string& key,
                                  std::string& name) {
  SetChooseSearchText(searchText.c_str());
  return ChooseFood(key, name);
}

bool TBLSChooseDlg::SearchPageShown() const {
  return BLSReiter->currentWidget() == SearchSht;
}

void TBLSChooseDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TBLSChooseDlg::FormShow() {
  takenOver_ = false;
  const bool showKey = ctx().options && ctx().options->Flag(55);
  SetFoodGridColumns(inputs->SearchResultGrd, showKey);
  SetFoodGridColumns(StoffGrd, showKey);
  inputs->StartBtn->setDefault(true);
  GattTre->collapseAll();
  QTreeWidgetItem* first = GattTre->topLevelItem(0);
  if (first && GattTre->currentItem() != first)
    GattTre->setCurrentItem(first);
  else if (first)
    GattTreChange();
  inputs->ShowNoSearchYet();
  ShowLMBtn->hide();
  SeeLMBtn->hide();
  if (SearchPageShown())
    inputs->LMEdt->setFocus();
  else
    BLSReiterChange();
  CenterOnForm(this);
}

void TBLSChooseDlg::StartBtnClick() {
  const int hits = inputs->StartSearch();
  if (hits < 0) return;
  if (hits > 0) inputs->SearchResultGrd->setFocus();
  ShowLMBtn->setVisible(hits > 0 && overtake_);
  SeeLMBtn->setVisible(hits > 0);
  if (hits > 0)
    ShowLMBtn->setDefault(true);
  else
    inputs->StartBtn->setDefault(true);
}

void TBLSChooseDlg::GattTreChange() {
  QTreeWidgetItem* node = GattTre->currentItem();
  if (!node || !ctx().foods) return;
  foodList_.clear();
  const std::string query = GroupQuery(GroupNodeData(node));
  ctx().foods->LoadBLSFoodNames(query.c_str(), &foodList_);
  FillFoodRows(StoffGrd, foodList_);
  StoffGrd->setCurrentCell(0, 1);
  StoffGrd->selectRow(0);
  StoffGrd->scrollToTop();
}

void TBLSChooseDlg::StoffGrdClick() {
  ShowLMBtn->setDefault(true);
  ShowLMBtn->setVisible(overtake_);
  SeeLMBtn->show();
}

void TBLSChooseDlg::BLSReiterChange() {
  if (!SearchPageShown()) {
    ShowLMBtn->setDefault(true);
    ShowLMBtn->setVisible(overtake_);
    SeeLMBtn->show();
    return;
  }
  const bool result = inputs->HasResult();
  if (result)
    ShowLMBtn->setDefault(true);
  else
    inputs->StartBtn->setDefault(true);
  ShowLMBtn->setVisible(result && overtake_);
  SeeLMBtn->setVisible(result);
  inputs->LMEdt->setFocus();
}

bool TBLSChooseDlg::GetSelectedFood(std::string& key, std::string& name) const {
  const QTableWidget* grid = SearchPageShown() ? inputs->SearchResultGrd : StoffGrd;
  if (grid->isHidden()) return false;
  const QList<QTableWidgetSelectionRange> ranges = grid->selectedRanges();
  if (ranges.isEmpty()) return false;
  int top = ranges.first().topRow();
  for (const auto& r : ranges) top = std::min(top, r.topRow());
  key = CellText(grid, top, 0);
  name = CellText(grid, top, 1);
  return true;
}

void TBLSChooseDlg::TakeOver() {
  std::string key, name;
  if (!GetSelectedFood(key, name)) return;
  chosenKey_ = key;
  chosenName_ = name;
  takenOver_ = true;
  accept();
}

void TBLSChooseDlg::ShowLMBtnClick() {
  TakeOver();
}

void TBLSChooseDlg::SeeLMBtnClick() {
  std::string key, name;
  if (!GetSelectedFood(key, name)) {
    MessageBox(GetLangText(376), GetLangText(2), MB_OK);
    return;
  }
  chosenKey_ = key;
  chosenName_ = name;
  // The chooser is modal: the browser comes up modal above it for this look.
  if (BLSMainDlg) BLSMainDlg->ShowFoodModal(key);
}

void TBLSChooseDlg::CancelBtnClick() {
  reject();
}

void TBLSChooseDlg::done(int result) {
  // Leaving without taking a food over hands back none.
  if (!takenOver_) {
    chosenKey_.clear();
    chosenName_.clear();
  }
  QDialog::done(result);
}

void TBLSChooseDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_BLSChoose.htm");
}

}  // namespace tav
