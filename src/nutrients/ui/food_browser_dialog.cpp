#include "nutrients/ui/food_browser_dialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "nutrients/food_views.h"
#include "nutrients/nutrient_table.h"
#include "nutrients/ui/filter_group_dialog.h"
#include "nutrients/ui/food_chooser_dialog.h"
#include "nutrients/ui/food_compare_window.h"
#include "nutrients/ui/food_grids.h"
#include "nutrients/ui/food_search_dialog.h"
#include "nutrients/ui/nutrient_calc_dialog.h"
#include "platform/numbers.h"
#include "platform/qt/qt_text.h"
#include "platform/settings_store.h"
#include "services/context.h"
#include "services/diary_access.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"

namespace tav {

TBLSMainDlg* BLSMainDlg = nullptr;

namespace {

const char* const kBoundNames[] = {"BLSWinX", "BLSWinY", "BLSWinW", "BLSWinH"};

std::string StoredBound(const char* name) {
  std::string value;
  if (ctx().userSettings) ctx().userSettings->ReadString(kRegParam, name, value);
  return value;
}

QAction* Item(QMenu* menu, const char* name, const char* caption) {
  QAction* a = menu->addAction(toQ(caption));
  a->setObjectName(QString::fromLatin1(name));
  return a;
}

QAction* Button(QToolBar* bar, const char* name, const char* caption, QStyle::StandardPixmap icon) {
  QAction* a = bar->addAction(bar->style()->standardIcon(icon), toQ(caption));
  a->setObjectName(QString::fromLatin1(name));
  return a;
}

QMenu* TopMenu(QMenuBar* bar, const char* name, const char* caption) {
  QMenu* m = bar->addMenu(toQ(caption));
  m->setObjectName(QString::fromLatin1(name));
  m->menuAction()->setObjectName(QString::fromLatin1(name));
  return m;
}

}  // namespace

TBLSMainDlg::TBLSMainDlg(QWidget* parent) : QDialog(parent) {
  BLSMainDlg = this;
  setObjectName(QStringLiteral("BLSMainDlg"));
  setWindowTitle(toQ("BLS-Daten"));
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  setSizeGripEnabled(true);
  ctx().foods = this;
  Registered<FoodData>::Enter(this);
  Registered<FoodBrowser>::Enter(this);

  MainMnu = new QMenuBar(this);
  MainMnu->setObjectName(QStringLiteral("MainMnu"));
  Datei1 = TopMenu(MainMnu, "Datei1", "&Datei");
  CloseBLSMnu = Item(Datei1, "CloseBLSMnu",
                     "&Schlie\xDF"
                     "en");
  N3331 = TopMenu(MainMnu, "N3331", "&Bearbeiten");
  SearchMnu = Item(N3331, "SearchMnu", "Lebensmittel &suchen ...");
  SearchMnu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  CalculateMnu = Item(N3331, "CalculateMnu", "N\xE4hrwertberechnung des Rezepts ...");
  Sonstiges1 = TopMenu(MainMnu, "Sonstiges1", "&Vergleich");
  ShowCompareDlgMnu = Item(Sonstiges1, "ShowCompareDlgMnu", "Vergleich ein-/ausblenden");
  Sonstiges1->addSeparator();
  AddLMMnu = Item(Sonstiges1, "AddLMMnu", "Lebensmittel zum Vergleich hinzuf\xFCgen");
  DelLMMnu = Item(Sonstiges1, "DelLMMnu", "Lebensmittel aus dem Vergleich entfernen");
  Ernhrung1 = TopMenu(MainMnu, "Ernhrung1", "E&rn\xE4hrung");
  VerbrauchslisteMnu = Item(Ernhrung1, "VerbrauchslisteMnu", "Verbrauchsliste einblenden");
  VerbrauchslisteMnu->setCheckable(true);
  VerbrauchslisteMnu->setShortcut(QKeySequence(Qt::Key_F11));
  VerbrauchslisteMnu->setEnabled(false);  // until a day panel is hosted
  Einstellungen1 = TopMenu(MainMnu, "Einstellungen1", "&Einstellungen");
  DefIStoffMnu = Item(Einstellungen1, "DefIStoffMnu", "Stoff-Filtergruppen ...");
  OptionenMnu = Item(Einstellungen1, "OptionenMnu", "Optionen ...");
  Info1 = TopMenu(MainMnu, "Info1", "&Info");
  InfoMnu = Item(Info1, "InfoMnu", "Inf&o ...");

  BLSToolBar = new QToolBar(this);
  BLSToolBar->setObjectName(QStringLiteral("BLSToolBar"));
  BLSToolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  TBSearch = Button(BLSToolBar, "TBSearch", "Suchen", QStyle::SP_FileDialogContentsView);
  TBShowCompare =
      Button(BLSToolBar, "TBShowCompare", "Vergleich", QStyle::SP_FileDialogDetailedView);
  TBCalculate = Button(BLSToolBar, "TBCalculate", "Berechnung", QStyle::SP_BrowserReload);
  BLSToolBar->addSeparator();
  TBFilterTxt = BLSToolBar->addAction(toQ("Stoff-Filter:"));
  TBFilterTxt->setObjectName(QStringLiteral("TBFilterTxt"));
  FiltGrpCoBo = new QComboBox(BLSToolBar);
  FiltGrpCoBo->setObjectName(QStringLiteral("FiltGrpCoBo"));
  FiltGrpCoBo->setMinimumContentsLength(22);
  FiltGrpCoBo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  BLSToolBar->addWidget(FiltGrpCoBo);
  TBChangeFilter = BLSToolBar->addAction(QStringLiteral("..."));
  TBChangeFilter->setObjectName(QStringLiteral("TBChangeFilter"));
  // A tool button shows the icon text, which drops a trailing "..." of the text: all of it here.
  TBChangeFilter->setIconText(QStringLiteral("..."));
  BLSToolBar->addSeparator();
  TBParam = Button(BLSToolBar, "TBParam", "Optionen", QStyle::SP_ComputerIcon);
  HelpBtn = Button(BLSToolBar, "HelpBtn", "Hilfe", QStyle::SP_MessageBoxQuestion);
  TBInfo = Button(BLSToolBar, "TBInfo", "Info", QStyle::SP_MessageBoxInformation);

  GattTre = new QTreeWidget;
  GattTre->setObjectName(QStringLiteral("GattTre"));
  GattTre->setHeaderHidden(true);
  GattTre->setEditTriggers(QAbstractItemView::NoEditTriggers);
  GattTre->setMinimumWidth(120);

  StoffGrd = NewFoodGrid(nullptr, "StoffGrd", {toQ(GetLangText(397)), toQ(GetLangText(398))});
  StoffGrd->setSelectionMode(QAbstractItemView::SingleSelection);
  StoffGrd->horizontalHeader()->setStretchLastSection(true);

  RightPnl = new QWidget;
  RightPnl->setObjectName(QStringLiteral("RightPnl"));
  StoffDataPnl = new QWidget(RightPnl);
  StoffDataPnl->setObjectName(QStringLiteral("StoffDataPnl"));
  DetailPnl = new QLabel(StoffDataPnl);
  DetailPnl->setObjectName(QStringLiteral("DetailPnl"));
  DetailPnl->setFrameShape(QFrame::StyledPanel);
  DetailPnl->setMargin(3);
  QFont bold = DetailPnl->font();
  bold.setBold(true);
  DetailPnl->setFont(bold);
  InhaltGrd = NewFoodGrid(StoffDataPnl, "InhaltGrd",
                          {toQ(GetLangText(395)), toQ(GetLangText(396)), toQ(GetLangText(399))});
  InhaltGrd->setColumnWidth(0, 185);
  InhaltGrd->setColumnWidth(1, 50);
  InhaltGrd->setColumnWidth(2, 80);
  InhaltGrd->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  // Values and units as long as they are (a fixed 50 pixels cut them).
  InhaltGrd->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  InhaltGrd->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
  InhaltGrd->horizontalHeader()->setMinimumSectionSize(40);
  auto* values = new QVBoxLayout(StoffDataPnl);
  values->setContentsMargins(0, 0, 0, 0);
  values->setSpacing(2);
  values->addWidget(DetailPnl);
  values->addWidget(InhaltGrd, 1);
  ErnaehrPnl = new QWidget(RightPnl);
  ErnaehrPnl->setObjectName(QStringLiteral("ErnaehrPnl"));
  auto* dayColumn = new QVBoxLayout(ErnaehrPnl);
  dayColumn->setContentsMargins(0, 0, 0, 0);
  ErnaehrPnl->hide();
  auto* right = new QVBoxLayout(RightPnl);
  right->setContentsMargins(0, 0, 0, 0);
  right->addWidget(StoffDataPnl, 1);
  right->addWidget(ErnaehrPnl, 1);
  RightPnl->setMinimumWidth(240);

  MainSpl = new QSplitter(Qt::Horizontal);
  MainSpl->setObjectName(QStringLiteral("MainSpl"));
  MainSpl->addWidget(GattTre);
  MainSpl->addWidget(StoffGrd);
  MainSpl->addWidget(RightPnl);
  MainSpl->setStretchFactor(0, 2);
  MainSpl->setStretchFactor(1, 3);
  MainSpl->setStretchFactor(2, 3);
  MainSpl->setChildrenCollapsible(false);

  BottomGrp = new QWidget;
  BottomGrp->setObjectName(QStringLiteral("BottomGrp"));
  auto* bottom = new QVBoxLayout(BottomGrp);
  bottom->setContentsMargins(0, 0, 0, 0);
  CompareSpl = new QSplitter(Qt::Vertical);
  CompareSpl->setObjectName(QStringLiteral("CompareSpl"));
  CompareSpl->addWidget(MainSpl);
  CompareSpl->addWidget(BottomGrp);
  CompareSpl->setCollapsible(0, false);
  CompareSpl->setStretchFactor(0, 1);
  CompareSpl->setStretchFactor(1, 0);
  connect(CompareSpl, &QSplitter::splitterMoved, this,
          [this] { compareHeight_ = CompareSpl->sizes().value(1); });

  StatusBar = new QStatusBar(this);
  StatusBar->setObjectName(QStringLiteral("StatusBar"));
  StatusBar->setSizeGripEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 0, 4, 0);
  layout->setSpacing(2);
  layout->setMenuBar(MainMnu);
  layout->addWidget(BLSToolBar);
  layout->addWidget(CompareSpl, 1);
  layout->addWidget(StatusBar);

  connect(CloseBLSMnu, &QAction::triggered, this, [this] { CloseBLSMnuClick(); });
  for (QAction* a : {SearchMnu, TBSearch})
    connect(a, &QAction::triggered, this, [this] { TBSearchClick(); });
  for (QAction* a : {CalculateMnu, TBCalculate})
    connect(a, &QAction::triggered, this, [this] { TBCalculateClick(); });
  for (QAction* a : {ShowCompareDlgMnu, TBShowCompare})
    connect(a, &QAction::triggered, this, [this] { ShowComparePanel(false); });
  connect(AddLMMnu, &QAction::triggered, this, [this] { AddLMMnuClick(); });
  connect(DelLMMnu, &QAction::triggered, this, [this] { DelLMMnuClick(); });
  connect(VerbrauchslisteMnu, &QAction::triggered, this,
          [this] { ToggleBLSConsumptionPanel(true); });
  for (QAction* a : {DefIStoffMnu, TBFilterTxt, TBChangeFilter})
    connect(a, &QAction::triggered, this, [this] { DefIStoffMnuClick(); });
  connect(OptionenMnu, &QAction::triggered, this, [this] { OptionenMnuClick(); });
  connect(TBParam, &QAction::triggered, this, [this] { TBParamClick(); });
  connect(HelpBtn, &QAction::triggered, this, [this] { HelpBtnClick(); });
  for (QAction* a : {InfoMnu, TBInfo})
    connect(a, &QAction::triggered, this, [this] { TBInfoClick(); });
  connect(GattTre, &QTreeWidget::currentItemChanged, this, [this] {
    if (!filling_) GattTreChange();
  });
  connect(StoffGrd, &QTableWidget::currentCellChanged, this, [this](int row, int, int old) {
    if (!filling_ && row != old) ShowSelectedFood();
  });
  connect(FiltGrpCoBo, &QComboBox::currentIndexChanged, this, [this] {
    if (!filling_) FiltGrpCoBoChange();
  });
  // The bounds are kept however the program ends, also with the browser open.
  connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
    if (isVisible()) FormClose();
  });

  // Create: the stored bounds on this screen, the key column, the tree, the index.
  const QRect screen = QGuiApplication::primaryScreen()
                           ? QGuiApplication::primaryScreen()->availableGeometry()
                           : QRect(0, 0, 1024, 768);
  const WindowBounds b = PlaceBrowserBounds(
      StoredBound(kBoundNames[0]), StoredBound(kBoundNames[1]), StoredBound(kBoundNames[2]),
      StoredBound(kBoundNames[3]), screen.width(), screen.height());
  setGeometry(screen.left() + b.x, screen.top() + b.y, b.w, b.h);
  showKeyColumn_ = ctx().options && ctx().options->Flag(55);
  LoadBLSGroupTree(false);
  if (LoadBLSIndex() && LangDlg) {
    LangDlg->TranslateForm(this);
    LangDlg->TranslateMenu("BLSMainDlg", MainMnu);
    LangDlg->TranslateToolBar("BLSMainDlg", BLSToolBar);
  }
  // A first start makes room for the whole tool bar (its filter list has no place in the
  // overflow menu) and every control, as far as the screen allows; stored bounds stay as they
  // are.
  long long storedX = 0;
  if (!ParseInt(StoredBound(kBoundNames[0]), storedX) || storedX == -1) {
    const QSize need = minimumSizeHint().expandedTo(
        QSize(BLSToolBar->sizeHint().width() + layout->contentsMargins().left() +
                  layout->contentsMargins().right(),
              0));
    resize(std::min(std::max(width(), need.width()), screen.width()),
           std::min(std::max(height(), need.height()), screen.height()));
  }
  WatchFilterLists();
}

void TBLSMainDlg::WatchFilterLists() {
  if (filterListener_ || !ctx().nutrients) return;
  filterListener_ = ctx().nutrients->AddFilterListListener([this] { FillFilterCombo(); });
  FillFilterCombo();
}

TBLSMainDlg::~TBLSMainDlg() {
  if (ctx().nutrients) ctx().nutrients->RemoveFilterListListener(filterListener_);
  if (ctx().foods == this) ctx().foods = nullptr;
  Registered<FoodData>::Leave(this);
  Registered<FoodBrowser>::Leave(this);
  if (BLSMainDlg == this) BLSMainDlg = nullptr;
}

void TBLSMainDlg::FillGroupTree(bool forChooser, const std::vector<BLSGROUPNODE>& tree) {
  if (forChooser) {
    if (BLSChooseDlg) BLSChooseDlg->FillGroupTree(tree);
    return;
  }
  const bool was = filling_;
  filling_ = true;
  FillGroupTreeItems(GattTre, tree);
  filling_ = was;
}

void TBLSMainDlg::CutFoodGrid(bool noFoodNotice) {
  const bool was = filling_;
  filling_ = true;
  StoffGrd->clearContents();
  StoffGrd->setRowCount(1);
  if (noFoodNotice) {
    StoffGrd->setItem(0, 0, new QTableWidgetItem);
    StoffGrd->setItem(0, 1, new QTableWidgetItem(toQ(GetLangText(394))));
  }
  filling_ = was;
}

void TBLSMainDlg::FillFilterCombo() {
  const bool was = filling_;
  filling_ = true;
  const int chosen = FiltGrpCoBo->currentIndex();
  FiltGrpCoBo->clear();
  if (ctx().nutrients)
    for (const std::string& entry : ctx().nutrients->FilterEntries())
      FiltGrpCoBo->addItem(toQ(entry));
  if (ctx().nutrients && ctx().nutrients->ChosenFilter() >= 0)
    FiltGrpCoBo->setCurrentIndex(ctx().nutrients->ChosenFilter());
  else if (chosen >= 0 && chosen < FiltGrpCoBo->count())
    FiltGrpCoBo->setCurrentIndex(chosen);
  filling_ = was;
}

bool TBLSMainDlg::AllNutrientsChosen() const {
  return FiltGrpCoBo->currentIndex() <= 0;
}

void TBLSMainDlg::SetKeyColumn() {
  SetFoodGridColumns(StoffGrd, showKeyColumn_);
}

void TBLSMainDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TBLSMainDlg::FormShow() {
  DetailPnl->setText(toQ(GetLangText(579)));
  TBFilterTxt->setText(toQ(GetLangText(578)));
  NutrientTable* table = ctx().nutrients;
  if (table) table->FillFilterGroupCombos();
  SetKeyColumn();
  // The entry at option 53, or the first one; the option keeps its value.
  const int option = ctx().options ? ctx().options->Int(53) : -1;
  const int entry = option >= 0 && option < FiltGrpCoBo->count() ? option : 0;
  filling_ = true;
  FiltGrpCoBo->setCurrentIndex(entry);
  filling_ = false;
  if (table) table->SetChosenFilter(entry);
  QTreeWidgetItem* first = GattTre->topLevelItem(0);
  if (first && GattTre->currentItem() != first) {
    GattTre->setCurrentItem(first);  // lists the group
  } else {
    ShowSelectedFood();
  }
  SetCompareHeight(3);
  RefreshCompareFromFilter();
  RefreshBLSDayPanel();
  if (!pendingKey_.empty()) {
    ShowBLSFoodInTree(pendingKey_.c_str());
    pendingKey_.clear();
  }
}

void TBLSMainDlg::GattTreChange() {
  QTreeWidgetItem* node = GattTre->currentItem();
  if (!node) return;
  foodList.clear();
  const std::string query = GroupQuery(GroupNodeData(node));
  LoadBLSFoodNames(query.c_str(), &foodList);
  filling_ = true;
  if (!foodList.empty())
    FillFoodRows(StoffGrd, foodList);
  else if (StoffGrd->rowCount() != 1 || CellText(StoffGrd, 0, 1).empty())
    FillFoodRows(StoffGrd, {});
  int row = 0;
  if (!rememberedKey_.empty())
    for (int r = 0; r < static_cast<int>(foodList.size()); ++r)
      if (rememberedKey_ == foodList[static_cast<size_t>(r)].key) row = r;
  StoffGrd->setCurrentCell(row, 1);
  StoffGrd->selectRow(row);
  filling_ = false;
  if (QTableWidgetItem* item = StoffGrd->item(row, 1))
    StoffGrd->scrollToItem(item, QAbstractItemView::PositionAtTop);
  ShowSelectedFood();
}

void TBLSMainDlg::ShowSelectedFood() {
  const int row = StoffGrd->currentRow() >= 0 ? StoffGrd->currentRow() : 0;
  currentFood.name = CellText(StoffGrd, row, 1);
  ShowBLSFood(CellText(StoffGrd, row, 0));
}

void TBLSMainDlg::ShowBLSFood(const std::string& key) {
  auto cut = [this] {
    InhaltGrd->clearContents();
    InhaltGrd->setRowCount(1);
  };
  const KEYOFFSET* entry = key.size() >= 2 ? FindIndexEntry(key.substr(0, 2)) : nullptr;
  if (!entry) {
    currentFood.SetKey(std::string());
    cut();
    return;
  }
  if (entry->dataOffset < 0) {
    currentFood.SetKey(std::string());
    currentFood.values.clear();
    cut();
    return;
  }
  const std::string name = currentFood.name;
  if (!ReadBLSFood(key, &currentFood, false)) {
    currentFood.SetKey(std::string());
    cut();
    return;
  }
  currentFood.name = name;
  NutrientTable* table = ctx().nutrients;
  if (!table) return;
  const bool mustValue = ctx().options && ctx().options->Flag(54);
  const std::vector<NutrientRow> rows =
      FoodValueRows(*table, currentFood, AllNutrientsChosen(), mustValue);
  InhaltGrd->setUpdatesEnabled(false);
  InhaltGrd->clearContents();
  InhaltGrd->setRowCount(std::max<int>(1, static_cast<int>(rows.size())));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const NutrientRow& row = rows[static_cast<size_t>(r)];
    InhaltGrd->setItem(r, 0, new QTableWidgetItem(toQ(row.name)));
    auto* value = new QTableWidgetItem(toQ(row.value));
    if (!table->IsTextStoff(row.index)) value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    InhaltGrd->setItem(r, 1, value);
    InhaltGrd->setItem(r, 2, new QTableWidgetItem(toQ(row.unit)));
  }
  InhaltGrd->setUpdatesEnabled(true);
}

void TBLSMainDlg::FiltGrpCoBoChange() {
  const int item = FiltGrpCoBo->currentIndex();
  if (ctx().options) ctx().options->SetParaInt(53, item);
  if (ctx().nutrients) ctx().nutrients->SetChosenFilter(item);
  FilterRefreshes();
}

void TBLSMainDlg::FilterRefreshes() {
  ShowSelectedFood();
  if (BLSCompareDlg) BLSCompareDlg->ShowCompareColumn(-1);
  RefreshCompareFromFilter();
  if (BLSZutatDlg && BLSZutatDlg->isVisible()) BLSZutatDlg->ShowCalcResult();
}

void TBLSMainDlg::FilterChosenElsewhere() {
  FillFilterCombo();
  FilterRefreshes();
}

void TBLSMainDlg::DefIStoffMnuClick() {
  if (!BLSFilterDlg) return;
  BLSFilterDlg->exec();
  FillFilterCombo();
  FilterRefreshes();
}

void TBLSMainDlg::TBSearchClick() {
  if (BLSSearchDlg) BLSSearchDlg->exec();
  rememberedKey_.clear();
}

bool TBLSMainDlg::ShowBLSFoodInTree(const char* key) {
  if (!key || !key[0] || !key[1]) return false;
  QTreeWidgetItem* main = nullptr;
  for (int i = 0; i < GattTre->topLevelItemCount() && !main; ++i)
    if ((GroupNodeData(GattTre->topLevelItem(i)) & 0xFF) == static_cast<unsigned char>(key[0]))
      main = GattTre->topLevelItem(i);
  if (!main) return false;
  QTreeWidgetItem* sub = nullptr;
  for (int i = 0; i < main->childCount() && !sub; ++i)
    if (((GroupNodeData(main->child(i)) >> 8) & 0xFF) == static_cast<unsigned char>(key[1]))
      sub = main->child(i);
  if (!sub) return false;
  rememberedKey_ = key;
  GattTre->collapseAll();
  if (GattTre->currentItem() == sub)
    GattTreChange();
  else
    GattTre->setCurrentItem(sub);
  GattTre->scrollToItem(sub);
  return true;
}

void TBLSMainDlg::ShowFood(const std::string& key) {
  // Asked from a modal window, the browser could not be used beside it.
  if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != this) {
    ShowFoodModal(key);
    return;
  }
  if (isVisible()) {
    ShowBLSFoodInTree(key.c_str());
  } else {
    pendingKey_ = key;
    show();
  }
  raise();
  activateWindow();
}

void TBLSMainDlg::ShowFoodModal(const std::string& key) {
  // A browser open behind the modal caller comes back, as it was, once this look is over.
  const bool wasShown = isVisible();
  if (wasShown) hide();
  pendingKey_ = key;
  exec();
  if (wasShown) {
    pendingKey_ = rememberedKey_;
    show();
  }
}

void TBLSMainDlg::SetCompareHeight(int height) {
  compareHeight_ = height;
  // Closed, the panel is hidden: the splitter would keep it at its smallest height.
  BottomGrp->setVisible(height > 3);
  if (height <= 3) return;
  const int total = std::max(CompareSpl->height(), height + 100);
  CompareSpl->setSizes({total - height, height});
}

void TBLSMainDlg::ShowComparePanel(bool forceOpen) {
  SetCompareHeight(compareHeight_ <= 3 || forceOpen ? 220 : 3);
}

void TBLSMainDlg::RefreshCompareFromFilter() {
  if (BLSCompareDlg) BLSCompareDlg->RefreshRows();
}

void TBLSMainDlg::SetDayPanel(BrowserDayPanel* panel) {
  if (dayPanel_) ErnaehrPnl->layout()->removeWidget(dayPanel_->PanelWidget());
  dayPanel_ = panel;
  if (panel) {
    QWidget* w = panel->PanelWidget();
    w->setParent(ErnaehrPnl);
    ErnaehrPnl->layout()->addWidget(w);
    w->show();
  }
  VerbrauchslisteMnu->setEnabled(panel != nullptr);
}

void TBLSMainDlg::ToggleBLSConsumptionPanel(bool syncOthers) {
  if (!dayPanel_) return;
  if (!consumption_ && !dayPanel_->CheckPersonExists()) return;
  consumption_ = !consumption_;
  VerbrauchslisteMnu->setChecked(consumption_);
  ErnaehrPnl->setVisible(consumption_);
  StoffDataPnl->setVisible(!consumption_);
  if (syncOthers) dayPanel_->SyncConsumptionViews(consumption_);
}

void TBLSMainDlg::AddSelectedFoodToDay(int day, int month0, int year) {
  const std::string key = CellText(StoffGrd, StoffGrd->currentRow(), 0);
  if (key.empty()) return;
  if (DiaryAccess* diary = Diary()) diary->AddFoodToDay(day, month0, year, key);
}

void TBLSMainDlg::RefreshBLSDayPanel() {
  if (dayPanel_) dayPanel_->RefreshDayPanel();
}

void TBLSMainDlg::TBParamClick() {
  MainWindowAccess* main = MainWindow();
  if (!main) return;
  main->ShowOptionsWindow(0);
  const bool flag = ctx().options && ctx().options->Flag(55);
  if (flag != showKeyColumn_) {
    showKeyColumn_ = flag;
    SetKeyColumn();
  }
  ShowSelectedFood();
}

void TBLSMainDlg::OptionenMnuClick() {
  if (MainWindowAccess* main = MainWindow()) main->ShowOptionsWindow();
}

void TBLSMainDlg::TBCalculateClick() {
  if (calculateRecipe) calculateRecipe();
}

void TBLSMainDlg::TBInfoClick() {
  if (showAbout) showAbout();
}

void TBLSMainDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Base_BLS.htm");
}

void TBLSMainDlg::AddLMMnuClick() {
  if (BLSCompareDlg) BLSCompareDlg->AddCurrentFoodToCompare();
}

void TBLSMainDlg::DelLMMnuClick() {
  if (BLSCompareDlg) BLSCompareDlg->RemoveCompareFood();
}

void TBLSMainDlg::CloseBLSMnuClick() {
  close();
}

void TBLSMainDlg::done(int result) {
  // Every way of closing ends here: the menu item, the title bar, Esc.
  if (isVisible()) FormClose();
  QDialog::done(result);
}

bool TBLSMainDlg::event(QEvent* event) {
  // The hints of the menu items and tool buttons go to the status bar.
  if (event->type() == QEvent::StatusTip) {
    StatusBar->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  if (event->type() == QEvent::Resize) FitToolBar();
  return QDialog::event(event);
}

void TBLSMainDlg::FitToolBar() {
  // Captions beside the icons while the whole bar fits; a narrower window shows the icons
  // alone, so that the filter list stays on the bar (the overflow menu cannot hold it).
  BLSToolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  const int room = width() - layout()->contentsMargins().left() - layout()->contentsMargins().right();
  if (BLSToolBar->sizeHint().width() > room) BLSToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  // The filter caption and "..." have no icon: they keep their text.
  for (QAction* a : {TBFilterTxt, TBChangeFilter})
    if (auto* b = qobject_cast<QToolButton*>(BLSToolBar->widgetForAction(a)))
      b->setToolButtonStyle(Qt::ToolButtonTextOnly);
}

void TBLSMainDlg::FormClose() {
  SettingsStore* settings = ctx().userSettings;
  if (!settings) return;
  const QRect g = geometry();
  const QRect screen = QGuiApplication::primaryScreen()
                           ? QGuiApplication::primaryScreen()->availableGeometry()
                           : QRect();
  const int values[] = {g.left() - screen.left(), g.top() - screen.top(), g.width(), g.height()};
  for (int i = 0; i < 4; ++i)
    settings->WriteString(kRegParam, kBoundNames[i], std::to_string(values[i]));
}

}  // namespace tav
