#include "diary/ui/diary_overview_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "diary/diary_charts.h"
#include "diary/diary_module.h"
#include "diary/diary_text.h"
#include "diary/ui/calendar_window.h"
#include "diary/ui/day_panel_window.h"
#include "diary/ui/diary_pictures.h"
#include "diary/ui/end_date_dialog.h"
#include "diary/ui/frozen_column_table.h"
#include "diary/ui/intake_tables_dialog.h"
#include "diary/ui/person_list_dialog.h"
#include "nutrients/nutrient_table.h"
#include "nutrients/recipe_calc.h"
#include "nutrients/ui/filter_group_dialog.h"
#include "nutrients/ui/food_browser_dialog.h"
#include "nutrients/ui/nutrient_calc_dialog.h"
#include "platform/numbers.h"
#include "platform/qt/qt_text.h"
#include "recipedb/ui/ingredient_links.h"
#include "recipes/ui/recipe_list_window.h"
#include "services/amounts.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/form_controls.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"
#include "services/ui/named_controls.h"
#include "services/ui/pane_parts.h"

namespace tav {

TENViewDayDlg* ENViewDayDlg = nullptr;

namespace {

// The paint box of the charts.
class GraphBox : public QWidget {
 public:
  explicit GraphBox(TENViewDayDlg* owner) : QWidget(nullptr), owner_(owner) {
    setObjectName(QStringLiteral("PaintGraph"));
    setMinimumHeight(120);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    owner_->PaintGraphPaint(p, width(), height());
  }

 private:
  TENViewDayDlg* owner_;
};

// Marks drawn over the grids' cells: the calculated check or cross, and the requirement marks
// of the period table ('>' '<' red arrows, 'O' 'U' green).
class MarkDelegate : public QStyledItemDelegate {
 public:
  MarkDelegate(QObject* parent, bool period) : QStyledItemDelegate(parent), period_(period) {}
  void paint(QPainter* p, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const QString text = index.data().toString();
    const QRect r = option.rect;
    const int markColumn = period_ ? 1 : 2;
    if (index.column() == markColumn && index.row() > 0) {
      QStyledItemDelegate::paint(p, option, QModelIndex());
      p->fillRect(r, option.state & QStyle::State_Selected ? option.palette.highlight()
                                                           : option.palette.base());
      p->drawPixmap(r.left() + 2, r.top(),
                    DiaryPixmap(text == QStringLiteral(" ") ? DiaryPicture::Calculated
                                                           : DiaryPicture::NotCalculated)
                        .scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation));
      return;
    }
    if (period_ && index.row() > 0 && !text.isEmpty() &&
        QStringLiteral("><OU").contains(text.front())) {
      const QChar c = text.front();
      const bool alarm = c == u'>' || c == u'<';
      p->fillRect(r, option.palette.base());
      p->drawPixmap(r.left(), r.top(),
                    DiaryPixmap(c == u'>'   ? DiaryPicture::ArrowUp
                                : c == u'<' ? DiaryPicture::ArrowDown
                                            : DiaryPicture::Met));
      p->setPen(alarm ? FromColorRef(0x0000FF) : FromColorRef(0x008000));
      p->drawText(r.adjusted(17, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text.mid(1));
      return;
    }
    QStyledItemDelegate::paint(p, option, index);
  }

 private:
  bool period_;
};

// Row 0 holds the titles as the diary fills its grids; it is hidden and the titles stand in the
// header, which stays in place while the rows scroll. The first `frozen` columns stay in place
// while the others scroll sideways.
FrozenColumnTable* Grid(QWidget* parent, const char* name, int frozen) {
  auto* g = new FrozenColumnTable(parent, frozen);
  g->setObjectName(QString::fromLatin1(name));
  g->verticalHeader()->setVisible(false);
  g->horizontalHeader()->setHighlightSections(false);
  g->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  g->verticalHeader()->setDefaultSectionSize(16);
  g->verticalHeader()->setMinimumSectionSize(14);
  g->horizontalHeader()->setDefaultSectionSize(100);
  return g;
}

// A grid filled by the diary: row 0 holds the titles as the program's grids do.
void CopyGrid(const TextGrid& from, QTableWidget* to, int keepTitleColumns) {
  to->setColumnCount(std::max(from.ColCount(), keepTitleColumns));
  to->setRowCount(std::max(1, from.RowCount()));
  {
    // A year is some 55,000 cells: the view hears of them once, not cell by cell.
    const QSignalBlocker quiet(to->model());
    for (int r = 1; r < from.RowCount(); ++r)
      for (int c = 0; c < from.ColCount(); ++c) {
        auto* item = new QTableWidgetItem(toQ(from.Cell(c, r)));
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        to->setItem(r, c, item);
      }
  }
  to->viewport()->update();
}

void SetTitle(QTableWidget* g, int column, const std::string& text) {
  if (column >= g->columnCount()) g->setColumnCount(column + 1);
  if (g->rowCount() < 1) g->setRowCount(1);
  auto* item = new QTableWidgetItem(toQ(text));
  item->setFlags(Qt::ItemIsEnabled);
  QFont f = item->font();
  f.setBold(true);
  item->setFont(f);
  g->setHorizontalHeaderItem(column, item->clone());
  g->setItem(0, column, item);
  g->setRowHidden(0, true);
}

// Every column at least as wide as its title and, for the first `byContents` columns, its
// widest text among the rows shown.
void FitColumns(QTableWidget* g, int byContents) {
  for (int c = 0; c < g->columnCount(); ++c) {
    if (g->isColumnHidden(c)) continue;
    int need = g->horizontalHeader()->sectionSizeHint(c);
    if (c < byContents)
      need = std::max(need, static_cast<const QAbstractItemView*>(g)->sizeHintForColumn(c));
    if (g->columnWidth(c) < need) g->setColumnWidth(c, need);
  }
}

QWidget* TitledPane(QWidget* parent, const char* stripName, QLabel*& caption, const char* text) {
  QHBoxLayout* buttons = nullptr;
  QWidget* strip = PaneTitleStrip(parent, stripName, caption, buttons);
  caption->setText(toQ(text));
  return strip;
}

int Option(int id, int fallback) {
  int v = fallback;
  return ctx().options && ctx().options->GetParaInt(id, &v) ? v : fallback;
}

}  // namespace

TENViewDayDlg::TENViewDayDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ENViewDayDlg"));
  setWindowTitle(toQ("Pers\xF6nliche Ern\xE4hrungs- und Gewichts-\xDC" "bersicht"));
  setWindowFlag(Qt::WindowMaximizeButtonHint, true);
  setSizeGripEnabled(true);
  resize(874, 638);

  // Menu and tool bar.
  MainMnu = Named<QMenuBar>(this, "MainMnu");
  QMenu* file = MainMnu->addMenu(toQ("&Datei"));
  file->menuAction()->setObjectName(QStringLiteral("Datei1"));
  CloseENModulMnu = file->addAction(toQ("Ern\xE4hrungs-Modul schlie\xDF" "en"));
  QMenu* view = MainMnu->addMenu(toQ("Ansicht"));
  view->menuAction()->setObjectName(QStringLiteral("Ansicht1"));
  ErnaehrungMnu = view->addAction(toQ("Ern\xE4hrungs-Ansicht"));
  GewichtMnu = view->addAction(toQ("Gewichtsdarstellung"));
  view->addSeparator();
  ViewTableMnu = view->addAction(toQ("Darstellung als Tabelle"));
  ViewGraphMnu = view->addAction(toQ("Darstellung als Graph"));
  QMenu* diet = MainMnu->addMenu(toQ("Ern\xE4hrung"));
  diet->menuAction()->setObjectName(QStringLiteral("Ernaehrung1"));
  VerbrauchslisteMnu = diet->addAction(toQ("&Verbrauchsliste einblenden"));
  VerbrauchslisteMnu->setShortcut(Qt::Key_F11);
  VerbrauchslisteMnu->setCheckable(true);
  diet->addSeparator();
  StammdatenMnu = diet->addAction(toQ("Stammdaten der aktuellen Person ..."));
  ZufuhrMnu = diet->addAction(toQ("Stoff-Zufuhr-Tabellen ..."));
  QMenu* info = MainMnu->addMenu(toQ("&Info"));
  info->menuAction()->setObjectName(QStringLiteral("Info1"));
  InfoMnu = info->addAction(toQ("Info zu Tavolin"));
  for (auto [a, n] : {std::pair{CloseENModulMnu, "CloseENModulMnu"}, {ErnaehrungMnu, "ErnaehrungMnu"},
                      {GewichtMnu, "GewichtMnu"}, {ViewTableMnu, "ViewTableMnu"},
                      {ViewGraphMnu, "ViewGraphMnu"}, {VerbrauchslisteMnu, "VerbrauchslisteMnu"},
                      {StammdatenMnu, "StammdatenMnu"}, {ZufuhrMnu, "ZufuhrMnu"},
                      {InfoMnu, "InfoMnu"}})
    a->setObjectName(QString::fromLatin1(n));
  for (QAction* a : {ErnaehrungMnu, GewichtMnu, ViewTableMnu, ViewGraphMnu}) a->setCheckable(true);
  ErnaehrungMnu->setChecked(true);
  ViewTableMnu->setChecked(true);

  ENToolBar = Named<QToolBar>(this, "ENToolBar");
  ENToolBar->setIconSize(QSize(24, 24));
  ENToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  TBViewModeSwitch = ENToolBar->addAction(style()->standardIcon(QStyle::SP_BrowserReload), QString());
  TBViewModeSwitch->setObjectName(QStringLiteral("TBViewModeSwitch"));
  TBViewModeSwitch->setToolTip(toQ("Umschalten zwischen Verbrauchs- und Gewichtsansicht"));
  TBGraph = ENToolBar->addAction(style()->standardIcon(QStyle::SP_FileDialogContentsView), QString());
  TBGraph->setObjectName(QStringLiteral("TBGraph"));
  TBGraph->setToolTip(toQ("Umschalten zwischen Tabelle und Graph"));
  ENToolBar->addSeparator();
  PersonBtn = Captioned<QPushButton>(ENToolBar, "PersonBtn", "Person:");
  PersonCoBo = Named<QComboBox>(ENToolBar, "PersonCoBo");
  PersonCoBo->setMinimumWidth(145);
  StoffFiltBtn = Captioned<QPushButton>(ENToolBar, "StoffFiltBtn", "Stoff-Filter: ");
  BLSFilterCoBo = Named<QComboBox>(ENToolBar, "BLSFilterCoBo");
  BLSFilterCoBo->setMinimumWidth(145);
  // Tool-bar buttons: flat, and like the bar's other buttons they leave the keyboard where it is.
  for (QPushButton* b : {PersonBtn, StoffFiltBtn}) {
    b->setFlat(true);
    b->setFocusPolicy(Qt::NoFocus);
  }
  ENToolBar->addWidget(PersonBtn);
  ENToolBar->addWidget(PersonCoBo);
  ENToolBar->addSeparator();
  ENToolBar->addWidget(StoffFiltBtn);
  ENToolBar->addWidget(BLSFilterCoBo);
  ENToolBar->addSeparator();
  HelpBtn = ENToolBar->addAction(style()->standardIcon(QStyle::SP_MessageBoxQuestion), QString());
  HelpBtn->setObjectName(QStringLiteral("HelpBtn"));
  HelpBtn->setToolTip(toQ("Hilfe"));
  auto* spacer = new QWidget(ENToolBar);
  spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  ENToolBar->addWidget(spacer);
  TBInfo = ENToolBar->addAction(style()->standardIcon(QStyle::SP_MessageBoxInformation), QString());
  TBInfo->setObjectName(QStringLiteral("TBInfo"));
  TBInfo->setToolTip(toQ("Info / Web"));

  // The parameter band: the period on the left, the nutrition or the weight page on its right.
  auto* ParamPnl = Named<QWidget>(nullptr, "ParamPnl");
  auto* Panel1 = Named<QWidget>(ParamPnl, "Panel1");
  Panel1->setFixedWidth(222);
  QWidget* periodStrip = TitledPane(Panel1, "RezTitle", RezTitle, "  Zeitraum");
  DiffDateRdb = Captioned<QRadioButton>(Panel1, "DiffDateRdb", "Zeitraum:");
  DiffDateRdb->setChecked(true);
  DiffDateCoBo = Named<QComboBox>(Panel1, "DiffDateCoBo");
  DatePnl = Named<QWidget>(Panel1, "DatePnl");
  DatePnl->setFixedSize(193, 193);
  Calendar = DockCalendar(DatePnl, [this] { OverviewDateChanged(); });
  DateMoreDaysRDB = Captioned<QRadioButton>(Panel1, "DateMoreDaysRDB", "bis zum");
  DateToBtn = Captioned<QPushButton>(Panel1, "DateToBtn", "< Bitte w\xE4hlen >");
  auto* periodColumn = new QVBoxLayout(Panel1);
  periodColumn->setContentsMargins(0, 0, 0, 0);
  periodColumn->addWidget(periodStrip);
  auto* spanRow = new QHBoxLayout;
  spanRow->setContentsMargins(8, 0, 8, 0);
  spanRow->addWidget(DiffDateRdb);
  spanRow->addWidget(DiffDateCoBo, 1);
  periodColumn->addLayout(spanRow);
  periodColumn->addWidget(DatePnl, 0, Qt::AlignHCenter);
  auto* endRow = new QHBoxLayout;
  endRow->setContentsMargins(8, 0, 8, 0);
  endRow->addWidget(DateMoreDaysRDB);
  endRow->addWidget(DateToBtn, 1);
  periodColumn->addLayout(endRow);
  periodColumn->addStretch(1);

  TagPnl = Named<QWidget>(ParamPnl, "TagPnl");
  QLabel* Panel5 = nullptr;
  QWidget* dayStrip = TitledPane(TagPnl, "Panel5", Panel5, "   Tagesverbrauch");
  auto* VerbrauchDataPnl = Named<QGroupBox>(TagPnl, "VerbrauchDataPnl");
  VerbrauchDataPnl->setTitle(toQ(" Rezepte && Nahrungsmittel des Tages: "));
  FrozenColumnTable* dayGrid = Grid(VerbrauchDataPnl, "DayGrd", 3);
  DayGrd = dayGrid;
  DayGrd->setSelectionBehavior(QAbstractItemView::SelectRows);
  DayGrd->setSelectionMode(QAbstractItemView::SingleSelection);
  DayGrd->setItemDelegate(new MarkDelegate(DayGrd, false));
  dayGrid->SetFrozenDelegate(new MarkDelegate(dayGrid->FrozenView(), false));
  auto* DayEditPnl = Named<QWidget>(VerbrauchDataPnl, "DayEditPnl");
  auto* Menge1Txt = Captioned<QLabel>(DayEditPnl, "Menge1Txt", "Menge:");
  MengeEdt = Named<QLineEdit>(DayEditPnl, "MengeEdt");
  MengeEdt->setMaximumWidth(60);
  Menge2Txt = Captioned<QLabel>(DayEditPnl, "Menge2Txt", "Portionen");
  CalcRezeptBtn = Captioned<QPushButton>(DayEditPnl, "CalcRezeptBtn", "&Berechnen");
  CallRezeptBtn = Captioned<QPushButton>(DayEditPnl, "CallRezeptBtn", "&Anzeigen");
  DelRezeptBtn = Captioned<QPushButton>(DayEditPnl, "DelRezeptBtn", "&Entfernen");
  auto* editRow = new QHBoxLayout(DayEditPnl);
  editRow->setContentsMargins(0, 2, 0, 0);
  editRow->addWidget(Menge1Txt);
  editRow->addWidget(MengeEdt);
  editRow->addWidget(Menge2Txt);
  editRow->addSpacing(30);
  editRow->addWidget(CalcRezeptBtn);
  editRow->addSpacing(12);
  editRow->addWidget(CallRezeptBtn);
  editRow->addWidget(DelRezeptBtn);
  editRow->addStretch(1);
  auto* dayColumn = new QVBoxLayout(VerbrauchDataPnl);
  dayColumn->addWidget(DayGrd, 1);
  dayColumn->addWidget(DayEditPnl);
  auto* GraphItemsPnl = Named<QGroupBox>(TagPnl, "GraphItemsPnl");
  GraphItemsPnl->setTitle(toQ(" Darzustellende Stoffe im Graphen:  "));
  Graph1CoBo = Named<QComboBox>(GraphItemsPnl, "Graph1CoBo");
  Graph2Chk = Captioned<QCheckBox>(GraphItemsPnl, "Graph2Chk", ":");
  Graph2CoBo = Named<QComboBox>(GraphItemsPnl, "Graph2CoBo");
  QPalette red = Graph1CoBo->palette();
  red.setColor(QPalette::ButtonText, Qt::red);
  red.setColor(QPalette::Text, Qt::red);
  Graph1CoBo->setPalette(red);
  QPalette green = Graph2CoBo->palette();
  green.setColor(QPalette::ButtonText, QColor(0, 128, 0));
  green.setColor(QPalette::Text, QColor(0, 128, 0));
  Graph2CoBo->setPalette(green);
  auto* graphRow = new QHBoxLayout(GraphItemsPnl);
  graphRow->addWidget(Graph1CoBo, 1);
  graphRow->addSpacing(24);
  graphRow->addWidget(Graph2Chk);
  graphRow->addWidget(Graph2CoBo, 1);
  auto* tagColumn = new QVBoxLayout(TagPnl);
  tagColumn->setContentsMargins(0, 0, 0, 0);
  tagColumn->addWidget(dayStrip);
  tagColumn->addWidget(VerbrauchDataPnl, 1);
  tagColumn->addWidget(GraphItemsPnl);

  GewichtPnl = Named<QWidget>(ParamPnl, "GewichtPnl");
  QLabel* Panel3 = nullptr;
  QWidget* weightStrip = TitledPane(GewichtPnl, "Panel3", Panel3, "   Gewichtsliste");
  auto* GewichtListPnl = Named<QGroupBox>(GewichtPnl, "GewichtListPnl");
  GewichtListPnl->setTitle(toQ(" Gewichtsverlauf: "));
  GewichtGrd = Grid(GewichtListPnl, "GewichtGrd", 1);
  GewichtGrd->setEditTriggers(QAbstractItemView::AllEditTriggers);
  auto* weightList = new QVBoxLayout(GewichtListPnl);
  weightList->addWidget(GewichtGrd);
  auto* CompareItemPnl = Named<QGroupBox>(GewichtPnl, "CompareItemPnl");
  CompareItemPnl->setTitle(toQ(" Vergleichslinie:  "));
  CompareItemChk =
      Captioned<QCheckBox>(CompareItemPnl, "CompareItemChk", "Folgende Werte mit im Graph ausgeben:");
  CompareItemCoBo = Named<QComboBox>(CompareItemPnl, "CompareItemCoBo");
  auto* compareRow = new QHBoxLayout(CompareItemPnl);
  compareRow->addWidget(CompareItemChk);
  compareRow->addWidget(CompareItemCoBo, 1);
  NewGewichtBtn = Captioned<QPushButton>(GewichtPnl, "NewGewichtBtn", "&Neue Eingabe");
  DelGewichtBtn = Captioned<QPushButton>(GewichtPnl, "DelGewichtBtn", "&Entfernen");
  auto* weightBottom = new QHBoxLayout;
  weightBottom->addWidget(NewGewichtBtn);
  weightBottom->addWidget(DelGewichtBtn);
  weightBottom->addWidget(CompareItemPnl, 1);
  auto* weightColumn = new QVBoxLayout(GewichtPnl);
  weightColumn->setContentsMargins(0, 0, 0, 0);
  weightColumn->addWidget(weightStrip);
  weightColumn->addWidget(GewichtListPnl, 1);
  weightColumn->addLayout(weightBottom);

  auto* bandRow = new QHBoxLayout(ParamPnl);
  bandRow->setContentsMargins(0, 0, 0, 0);
  bandRow->addWidget(Panel1);
  bandRow->addWidget(TagPnl, 1);
  bandRow->addWidget(GewichtPnl, 1);
  GewichtPnl->hide();

  // Under the band: the period table or the chart.
  auto* lower = Named<QWidget>(nullptr, "LowerPnl");
  VerlaufPnl = Named<QWidget>(lower, "VerlaufPnl");
  QWidget* tableStrip = TitledPane(VerlaufPnl, "VerlaufTitleTxt", VerlaufTitleTxt, "");
  FrozenColumnTable* periodGrid = Grid(VerlaufPnl, "VerlaufGrd", 2);
  VerlaufGrd = periodGrid;
  VerlaufGrd->setEditTriggers(QAbstractItemView::NoEditTriggers);
  VerlaufGrd->setItemDelegate(new MarkDelegate(VerlaufGrd, true));
  periodGrid->SetFrozenDelegate(new MarkDelegate(periodGrid->FrozenView(), true));
  auto* tableColumn = new QVBoxLayout(VerlaufPnl);
  tableColumn->setContentsMargins(0, 0, 0, 0);
  tableColumn->setSpacing(0);
  tableColumn->addWidget(tableStrip);
  tableColumn->addWidget(VerlaufGrd, 1);
  GraphPnl = Named<QWidget>(lower, "GraphPnl");
  QWidget* graphStrip = TitledPane(GraphPnl, "GraphTitleTxt", GraphTitleTxt, "");
  PaintGraph = new GraphBox(this);
  auto* graphColumn = new QVBoxLayout(GraphPnl);
  graphColumn->setContentsMargins(0, 0, 0, 0);
  graphColumn->setSpacing(0);
  graphColumn->addWidget(graphStrip);
  graphColumn->addWidget(PaintGraph, 1);
  GraphPnl->hide();
  auto* lowerColumn = new QVBoxLayout(lower);
  lowerColumn->setContentsMargins(0, 0, 0, 0);
  lowerColumn->addWidget(VerlaufPnl);
  lowerColumn->addWidget(GraphPnl);

  auto* Splitter2 = Named<QSplitter>(this, "Splitter2");
  Splitter2->setOrientation(Qt::Vertical);
  Splitter2->addWidget(ParamPnl);
  Splitter2->addWidget(lower);
  Splitter2->setStretchFactor(0, 0);
  Splitter2->setStretchFactor(1, 1);
  Splitter2->setSizes({275, 300});
  StatusBar = Named<QStatusBar>(this, "StatusBar");
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->setMenuBar(MainMnu);
  column->addWidget(ENToolBar);
  column->addWidget(Splitter2, 1);
  column->addWidget(StatusBar);

  // FormCreate.
  CurDate = Calendar->Date();
  for (int t = 470; t <= 474; ++t) DiffDateCoBo->addItem(toQ(GetLangText(t)));
  DiffDateCoBo->setCurrentIndex(1);
  ComputePeriod();
  DayGrd->setColumnCount(3);
  DayGrd->setRowCount(1);
  SetTitle(DayGrd, 0, GetLangText(562));
  SetTitle(DayGrd, 1, GetLangText(563));
  SetTitle(DayGrd, 2, GetLangText(564));
  DayGrd->setColumnWidth(0, 170);
  DayGrd->setColumnWidth(1, 80);
  DayGrd->setColumnWidth(2, 30);
  VerlaufGrd->setColumnCount(2);
  VerlaufGrd->setRowCount(1);
  SetTitle(VerlaufGrd, 0, GetLangText(466));
  SetTitle(VerlaufGrd, 1, GetLangText(564));
  VerlaufGrd->setColumnWidth(0, 80);
  VerlaufGrd->setColumnWidth(1, 30);
  for (int t = 620; t <= 624; ++t) CompareItemCoBo->addItem(toQ(GetLangText(t)));
  // Enter ends the edit of the field it is typed in and presses no button of its own accord:
  // the window has no default button (keyPressEvent).
  for (QPushButton* b : findChildren<QPushButton*>()) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }

  connect(CloseENModulMnu, &QAction::triggered, this, [this] { close(); });
  connect(ErnaehrungMnu, &QAction::triggered, this, [this] { ErnaehrungMnuClick(); });
  connect(GewichtMnu, &QAction::triggered, this, [this] { GewichtMnuClick(); });
  connect(ViewTableMnu, &QAction::triggered, this, [this] { ViewTableMnuClick(); });
  connect(ViewGraphMnu, &QAction::triggered, this, [this] { ViewGraphMnuClick(); });
  connect(VerbrauchslisteMnu, &QAction::triggered, this, [this] { ToggleVerbrauchsliste(true); });
  connect(StammdatenMnu, &QAction::triggered, this, [] {
    if (ENApplogMod && ENApplogMod->CheckPersonExists()) ENApplogMod->EditActivePerson();
  });
  connect(ZufuhrMnu, &QAction::triggered, this, [] {
    if (ZufuhrDlg) ZufuhrDlg->exec();
  });
  auto about = [] {
    if (MainWindowAccess* main = MainWindow()) main->ShowAboutBox();
  };
  connect(InfoMnu, &QAction::triggered, this, about);
  connect(TBInfo, &QAction::triggered, this, about);
  connect(TBViewModeSwitch, &QAction::triggered, this, [this] { TBViewModeSwitchClick(); });
  connect(TBGraph, &QAction::triggered, this, [this] { TBGraphClick(); });
  connect(PersonBtn, &QPushButton::clicked, this, [this] { PersonBtnClick(); });
  connect(StoffFiltBtn, &QPushButton::clicked, this, [this] { StoffFiltBtnClick(); });
  connect(HelpBtn, &QAction::triggered, this, [this] { HelpBtnClick(); });
  connect(PersonCoBo, &QComboBox::activated, this, [this] { PersonCoBoChange(); });
  connect(BLSFilterCoBo, &QComboBox::activated, this, [this] { BLSFilterCoBoChange(); });
  connect(DiffDateRdb, &QRadioButton::clicked, this, [this] { DiffDateRdbClick(); });
  connect(DiffDateCoBo, &QComboBox::activated, this, [this] { DiffDateRdbClick(); });
  connect(DateMoreDaysRDB, &QRadioButton::clicked, this, [this] { DateMoreDaysRDBClick(); });
  connect(DateToBtn, &QPushButton::clicked, this, [this] { DateToBtnClick(); });
  connect(DayGrd, &QTableWidget::currentCellChanged, this,
          [this](int row) { DayGrdSelectCell(row); });
  connect(DayGrd, &QTableWidget::cellDoubleClicked, this, [this] { DayGrdDblClick(); });
  connect(MengeEdt, &QLineEdit::editingFinished, this, [this] { MengeEdtExit(); });
  connect(CalcRezeptBtn, &QPushButton::clicked, this, [this] { CalcRezeptBtnClick(); });
  connect(CallRezeptBtn, &QPushButton::clicked, this, [this] { CallRezeptBtnClick(); });
  connect(DelRezeptBtn, &QPushButton::clicked, this, [this] { DelRezeptBtnClick(); });
  connect(Graph1CoBo, &QComboBox::activated, this, [this] { RepaintGraph(); });
  connect(Graph2Chk, &QCheckBox::clicked, this, [this] { RepaintGraph(); });
  connect(Graph2CoBo, &QComboBox::activated, this, [this] {
    Graph2Chk->setChecked(true);
    RepaintGraph();
  });
  connect(NewGewichtBtn, &QPushButton::clicked, this, [this] { NewGewichtBtnClick(); });
  connect(DelGewichtBtn, &QPushButton::clicked, this, [this] { DelGewichtBtnClick(); });
  connect(GewichtGrd, &QTableWidget::cellChanged, this, [this](int row, int column) {
    if (filling_) return;
    const QTableWidgetItem* item = GewichtGrd->item(row, column);
    GewichtGrdSetEditText(column, row, item ? fromQ(item->text()) : std::string());
  });
  connect(CompareItemChk, &QCheckBox::clicked, this, [this] { CompareItemChkClick(); });
  connect(CompareItemCoBo, &QComboBox::activated, this, [this] { CompareItemCoBoChange(); });

  if (LangDlg) {
    LangDlg->TranslateForm(this);
    LangDlg->TranslateMenu("ENViewDay", MainMnu);
    LangDlg->TranslateToolBar("ENViewDay", ENToolBar);
  }
  if (ENApplogMod) {
    listener_ = ENApplogMod->AddDiaryListener([this] { DiaryChanged(); });
    // The last person went: the panes close and so does this window.
    ENApplogMod->hooks.closeDiaryViews = [this] {
      if (MainWindowAccess* main = MainWindow())
        if (main->IsConsumptionPaneShown()) main->ToggleConsumptionPane(false);
      close();
    };
  }
}

TENViewDayDlg::~TENViewDayDlg() {
  if (ENApplogMod) {
    ENApplogMod->RemoveDiaryListener(listener_);
    ENApplogMod->hooks.closeDiaryViews = nullptr;
  }
}

// --- showing and the views ---------------------------------------------------------------

void TENViewDayDlg::SetOverviewMode(int weight) {
  if (weight == 1)
    GewichtMnuClick();
  else
    ErnaehrungMnuClick();
}

void TENViewDayDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!e->spontaneous()) FormShow();
}

void TENViewDayDlg::FormShow() {
  filling_ = true;
  FillFilterCombo();
  BLSFilterCoBo->setCurrentIndex(0);
  GraphNutrients.clear();
  Graph1CoBo->clear();
  Graph2CoBo->clear();
  if (NutrientTable* table = ctx().nutrients; table && table->GetStoffCount() > 0) {
    for (int p = 0; p < table->GetStoffCount(); ++p) {
      ISTOFF s;
      table->GetStoffAtPos(p, &s);
      if (s.name.empty() || table->IsTextStoff(s.index)) continue;
      Graph1CoBo->addItem(toQ(s.name));
      Graph2CoBo->addItem(toQ(s.name));
      GraphNutrients.push_back(s.index);
    }
    const int g1 = Option(64, 1), g2 = Option(65, -1), gw = Option(71, -1);
    Graph1CoBo->setCurrentIndex(g1 - 1);
    Graph2CoBo->setCurrentIndex(std::abs(g2) - 1);
    Graph2Chk->setChecked(g2 < 0);
    CompareItemChk->setChecked(gw > 0);
    CompareItemCoBo->setCurrentIndex(std::abs(gw) - 1);
    CompareMarker = gw > 0 ? -2 : -1;
  }
  filling_ = false;
  // The period's titles: the translation of the form has emptied the strips since creation.
  ComputePeriod();
  FillPersonCombo();
  MultiDataDay = ctx().options && ctx().options->Flag(76);
  SetWeightColumns();
  FillWeightGridHere();
  LoadPeriodMonths();
  // The tables are filled once, after the filter entry is taken over.
  const int filter = Option(53, 0);
  BLSFilterCoBo->setCurrentIndex(filter >= 0 && filter < BLSFilterCoBo->count() ? filter : 0);
  if (ctx().nutrients) ctx().nutrients->SetChosenFilter(filter);
  if (BLSMainDlg) BLSMainDlg->FilterChosenElsewhere();
  RefreshOverviewGrids();
  ToggleVerbrauchsliste(false);
  CenterOnForm(this);
}

void TENViewDayDlg::FillFilterCombo() {
  const bool wasFilling = filling_;
  filling_ = true;
  BLSFilterCoBo->clear();
  if (ctx().nutrients)
    for (const std::string& entry : ctx().nutrients->FilterEntries())
      BLSFilterCoBo->addItem(toQ(entry));
  filling_ = wasFilling;
}

void TENViewDayDlg::StoffFiltBtnClick() {
  if (BLSFilterDlg) BLSFilterDlg->exec();
  // Groups may have come or gone: the lists, the browser's food, the comparison and the
  // calculation follow.
  FillFilterCombo();
  if (BLSMainDlg) BLSMainDlg->FilterChosenElsewhere();
  RefreshOverviewGrids();
}

void TENViewDayDlg::FillPersonCombo() {
  filling_ = true;
  PersonCoBo->clear();
  if (ENApplogMod) {
    std::vector<std::string> names = ENApplogMod->PersonNames();
    std::sort(names.begin(), names.end());  // the combo sorts
    for (const std::string& n : names) PersonCoBo->addItem(toQ(n));
    const QString active = toQ(Option(61, 0) >= 0 && ctx().options ? ctx().options->Str(61) : "");
    for (int i = 0; i < PersonCoBo->count(); ++i)
      if (PersonCoBo->itemText(i) == active) PersonCoBo->setCurrentIndex(i);
    shownPerson_ = ENApplogMod->GetActivePersonName();
  }
  filling_ = false;
}

void TENViewDayDlg::ErnaehrungMnuClick() {
  WeightView = 0;
  TagPnl->show();
  GewichtPnl->hide();
  ErnaehrungMnu->setChecked(true);
  GewichtMnu->setChecked(false);
  for (QAction* a : {ViewTableMnu, ViewGraphMnu, TBGraph}) a->setEnabled(true);
  if (TableView) ViewTableMnuClick(); else ViewGraphMnuClick();
  RepaintGraph();
}

void TENViewDayDlg::GewichtMnuClick() {
  WeightView = 1;
  TagPnl->hide();
  GewichtPnl->show();
  ErnaehrungMnu->setChecked(false);
  GewichtMnu->setChecked(true);
  // The weight view always shows its chart.
  VerlaufPnl->hide();
  GraphPnl->show();
  for (QAction* a : {ViewTableMnu, ViewGraphMnu, TBGraph}) a->setEnabled(false);
  RepaintGraph();
}

void TENViewDayDlg::ViewTableMnuClick() {
  TableView = 1;
  VerlaufPnl->show();
  GraphPnl->hide();
  ViewTableMnu->setChecked(true);
  ViewGraphMnu->setChecked(false);
}

void TENViewDayDlg::ViewGraphMnuClick() {
  TableView = 0;
  VerlaufPnl->hide();
  GraphPnl->show();
  ViewTableMnu->setChecked(false);
  ViewGraphMnu->setChecked(true);
  RepaintGraph();
}

void TENViewDayDlg::TBViewModeSwitchClick() {
  if (WeightView == 1)
    ErnaehrungMnuClick();
  else
    GewichtMnuClick();
}

void TENViewDayDlg::TBGraphClick() {
  if (WeightView == 1) return;
  if (TableView)
    ViewGraphMnuClick();
  else
    ViewTableMnuClick();
}

void TENViewDayDlg::ToggleVerbrauchsliste(bool toggle) {
  MainWindowAccess* main = MainWindow();
  if (!main) return;
  // The main window switches its pane and the food browser's together.
  if (toggle) main->ToggleConsumptionPane(true);
  VerbrauchslisteMnu->setChecked(main->IsConsumptionPaneShown());
}

void TENViewDayDlg::PersonBtnClick() {
  if (PersListDlg) PersListDlg->exec();
  // The list may have made a new person the active one or dropped the one shown: the person
  // box shows the active person, and the weight grid is that person's.
  if (ENApplogMod && ENApplogMod->GetActivePersonName() != shownPerson_)
    PersonChanged();
  else
    FillPersonCombo();
}

void TENViewDayDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage(TagPnl->isVisible() ? "Win_Nahrung.htm" : "Win_Gewicht.htm");
}

// --- the period --------------------------------------------------------------------------------

void TENViewDayDlg::DiffDateRdbClick() {
  DiffDateRdb->setChecked(true);
  OverviewDateChanged();
  RepaintGraph();
}

void TENViewDayDlg::DateMoreDaysRDBClick() {
  OverviewDateChanged();
  if (EndDate.day < 0)
    DateToBtnClick();
  else
    CheckEndDate();
  ComputePeriod();
  RepaintGraph();
}

void TENViewDayDlg::DateToBtnClick() {
  if (!DateToDlg) return;
  DateToDlg->setWindowTitle(toQ(GetLangText(653) + std::to_string(CurDate.day) + "." +
                                std::to_string(CurDate.month + 1) + "." +
                                std::to_string(CurDate.year) + GetLangText(654)));
  DateToDlg->exec();
  int d = 0, m = 0, y = 0;
  if (!DateToDlg->GetSelectedDate(d, m, y)) return;
  EndDate = {d, m, y};
  if (!CheckEndDate()) return;
  DateToBtn->setText(toQ(std::to_string(d) + "." + GetLangText(236 + m) + " " + std::to_string(y)));
  DateMoreDaysRDB->setChecked(true);
  OverviewDateChanged();
  RepaintGraph();
}

bool TENViewDayDlg::CheckEndDate() {
  if (EndDateUsable(CurDate, EndDate)) return true;
  ShowError(464);
  DiffDateRdb->setChecked(true);
  DateToBtn->setText(toQ(GetLangText(465)));
  EndDate = {-1, -1, -1};
  return false;
}

void TENViewDayDlg::OverviewDateChanged() {
  if (ENApplogMod) ENApplogMod->SaveAllMonths();
  // The amount box belonged to an entry of the day left: no entry of the new day is chosen.
  const CalendarDate date = Calendar->Date();
  if (date.day != CurDate.day || date.month != CurDate.month || date.year != CurDate.year) {
    const QSignalBlocker quiet(DayGrd);
    DayGrd->setCurrentCell(-1, -1);
    MengeEdt->clear();
  }
  CurDate = date;
  if (DateMoreDaysRDB->isChecked()) CheckEndDate();
  ComputePeriod();
  LoadPeriodMonths();
  RefreshOverviewGrids();
  RepaintGraph();
}

void TENViewDayDlg::ComputePeriod() {
  if (DateMoreDaysRDB->isChecked() && EndDate.day > 0)
    Period = {CurDate, EndDate};
  else
    Period = PeriodBack(CurDate, DiffDateCoBo->currentIndex());
  const std::string t = PeriodTitle(Period);
  GraphTitleTxt->setText(toQ(GetLangText(475) + t));
  VerlaufTitleTxt->setText(toQ(GetLangText(476) + t));
}

void TENViewDayDlg::LoadPeriodMonths() {
  if (!ENApplogMod) return;
  for (const auto& [m, y] : PeriodMonths(Period)) ENApplogMod->LoadMonth(m, y);
}

// --- the tables --------------------------------------------------------------------------

void TENViewDayDlg::RefreshOverview() {
  RefreshOverviewGrids();
}

void TENViewDayDlg::RefreshOverviewGrids() {
  NutrientTable* table = ctx().nutrients;
  const int filter = Option(53, 0);
  if (table) {
    if (filter < 1) {
      table->PrepareFilter(true);
    } else {
      table->SetChosenFilter(filter);
      table->PrepareFilter(false);
    }
  }
  TextGrid day, period;
  if (ENApplogMod) {
    ENApplogMod->FillDayGrid(day, CurDate.day, CurDate.month, CurDate.year);
    ENApplogMod->FillPeriodGrid(period, Period.from.day, Period.from.month, Period.from.year,
                                Period.to.day, Period.to.month, Period.to.year);
  }
  const int dayRow = DayGrd->currentRow();
  for (QTableWidget* g : {DayGrd, VerlaufGrd}) {
    g->setUpdatesEnabled(false);
    g->clearContents();
  }
  CopyGrid(day, DayGrd, 3);
  CopyGrid(period, VerlaufGrd, 2);
  SetTitle(DayGrd, 0, GetLangText(562));
  SetTitle(DayGrd, 1, GetLangText(563));
  SetTitle(DayGrd, 2, GetLangText(564));
  SetTitle(VerlaufGrd, 0, GetLangText(466));
  SetTitle(VerlaufGrd, 1, GetLangText(564));
  if (table) {
    int dayColumn = 3, periodColumn = 2;
    for (int p = 0; p < table->GetStoffCount(); ++p) {
      ISTOFF s;
      if (!table->GetStoffAtPos(p, &s)) continue;
      if (dayColumn < DayGrd->columnCount()) SetTitle(DayGrd, dayColumn, s.name);
      if (periodColumn < VerlaufGrd->columnCount()) SetTitle(VerlaufGrd, periodColumn, s.name);
      ++dayColumn;
      ++periodColumn;
    }
  }
  filling_ = true;
  BLSFilterCoBo->setCurrentIndex(filter >= 0 && filter < BLSFilterCoBo->count() ? filter : 0);
  if (dayRow > 0 && dayRow < DayGrd->rowCount()) DayGrd->setCurrentCell(dayRow, 0);
  filling_ = false;
  FitColumns(DayGrd, 2);
  FitColumns(VerlaufGrd, 1);
  for (QTableWidget* g : {DayGrd, VerlaufGrd}) g->setUpdatesEnabled(true);
}

void TENViewDayDlg::BLSFilterCoBoChange() {
  const int item = BLSFilterCoBo->currentIndex();
  if (ctx().options) ctx().options->SetParaInt(53, item);
  if (ctx().nutrients) ctx().nutrients->SetChosenFilter(item);
  // The food browser's list, its food, the comparison and the calculation follow.
  if (BLSMainDlg) BLSMainDlg->FilterChosenElsewhere();
  RefreshOverviewGrids();
}

int TENViewDayDlg::SelectedEntry() const {
  return DayGrd->currentRow() - 1;
}

void TENViewDayDlg::DayGrdSelectCell(int row) {
  if (filling_ || !ENApplogMod) return;
  const ENENTRY* e = ENApplogMod->GetDayEntry(CurDate.day, CurDate.month, CurDate.year, row - 1);
  if (!e) return;
  MengeEdt->setText(toQ(FormatGeneral(e->amount)));
  Menge2Txt->setText(toQ(e->unit));
  CalcRezeptBtn->setVisible(e->isRecipe);
}

void TENViewDayDlg::MengeEdtExit() {
  if (!ENApplogMod || !ctx().calc) return;
  const int index = SelectedEntry();
  const ENENTRY* e = ENApplogMod->GetDayEntry(CurDate.day, CurDate.month, CurDate.year, index);
  if (!e) return;
  std::string text = fromQ(MengeEdt->text());
  double value = TypedAmount(text);
  MengeEdt->setText(toQ(text));
  if (value == 0) {
    value = 1;
    MengeEdt->setText(QStringLiteral("1"));
  }
  if (value == e->amount) return;
  // The module sums the day and writes the month at once; one below zero is refused.
  if (!ENApplogMod->ChangeEntryAmount(CurDate.day, CurDate.month, CurDate.year, index, value)) {
    MengeEdt->setText(toQ(FormatGeneral(e->amount)));
    return;
  }
  RefreshOverviewGrids();
}

void TENViewDayDlg::CalcRezeptBtnClick() {
  RecipeCalc* calc = ctx().calc;
  if (!ENApplogMod || !calc) return;
  const int index = SelectedEntry();
  const ENENTRY* e = ENApplogMod->GetDayEntry(CurDate.day, CurDate.month, CurDate.year, index);
  if (!e || !e->isRecipe) return;
  std::string text = fromQ(MengeEdt->text());
  const double amount = TypedAmount(text);
  if (TENApplogMod::AmountRefused(amount)) {
    MengeEdt->setText(toQ(FormatGeneral(e->amount)));
    return;
  }
  if (!calc->LoadRecipeForCalc(static_cast<int16_t>(e->book), e->recipeNumber)) {
    ShowError(567);
    return;
  }
  if (BLSZutatDlg) BLSZutatDlg->exec();
  ENApplogMod->TakeRecipeRecalculation(CurDate.day, CurDate.month, CurDate.year, index, amount);
  RefreshOverviewGrids();
}

void TENViewDayDlg::CallRezeptBtnClick() {
  if (!ENApplogMod) return;
  const ENENTRY* e =
      ENApplogMod->GetDayEntry(CurDate.day, CurDate.month, CurDate.year, SelectedEntry());
  if (!e) return;
  if (e->isRecipe) {
    if (ChooseRezDlg) ChooseRezDlg->JumpToRecipe(static_cast<int16_t>(e->book), e->recipeNumber, false);
    if (MainWindowAccess* main = MainWindow()) {
      main->FrameWidget()->raise();
      main->FrameWidget()->activateWindow();
    }
  } else if (FoodBrowser* browser = Linked<FoodBrowser>()) {
    browser->ShowFood(e->foodKey);
  }
}

void TENViewDayDlg::DelRezeptBtnClick() {
  const int index = SelectedEntry();
  if (index < 0 || !ENApplogMod) return;
  // The module sums the day, writes the month and tells every view.
  ENApplogMod->DeleteEntry(CurDate.day, CurDate.month, CurDate.year, index);
}

void TENViewDayDlg::DayGrdDblClick() {
  if (!ENApplogMod) return;
  const ENENTRY* e =
      ENApplogMod->GetDayEntry(CurDate.day, CurDate.month, CurDate.year, SelectedEntry());
  if (!e) return;
  if (e->isRecipe)
    CalcRezeptBtnClick();
  else
    CallRezeptBtnClick();
}

// --- persons and refreshes ---------------------------------------------------------------

void TENViewDayDlg::PersonCoBoChange() {
  if (filling_ || !ENApplogMod || PersonCoBo->currentIndex() < 0) return;
  ENApplogMod->SwitchPerson(fromQ(PersonCoBo->currentText()));
  PersonChanged();
}

void TENViewDayDlg::PersonChanged() {
  if (!ENApplogMod) return;
  shownPerson_ = ENApplogMod->GetActivePersonName();
  FillPersonCombo();
  FillWeightGridHere();
  LoadPeriodMonths();
  RefreshOverviewGrids();
  RepaintGraph();
}

void TENViewDayDlg::DiaryChanged() {
  if (!isVisible() || !ENApplogMod || filling_) return;
  // Another window changed the person: the weight grid must never edit another person's log.
  if (ENApplogMod->GetActivePersonName() != shownPerson_) {
    PersonChanged();
    return;
  }
  RefreshOverview();
  RepaintGraph();
}

void TENViewDayDlg::keyPressEvent(QKeyEvent* e) {
  const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
  if (enter && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    // The field it was typed in has ended its edit; a button with the focus is pressed.
    if (auto* button = qobject_cast<QPushButton*>(focusWidget());
        button && button->isVisible() && button->isEnabled())
      button->click();
    e->accept();
    return;
  }
  if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    // Closed as the close box closes it: the months are written and the chart settings kept.
    e->accept();
    close();
    return;
  }
  QDialog::keyPressEvent(e);
}

void TENViewDayDlg::closeEvent(QCloseEvent* e) {
  FormClose();
  QDialog::closeEvent(e);
}

void TENViewDayDlg::FormClose() {
  if (ENApplogMod) ENApplogMod->SaveAllMonths();
  if (!ctx().options) return;
  if (Graph1CoBo->currentIndex() >= 0) ctx().options->SetParaInt(64, Graph1CoBo->currentIndex() + 1);
  const int g2 = Graph2CoBo->currentIndex() + 1;
  ctx().options->SetParaInt(65, Graph2Chk->isChecked() ? -g2 : g2);
  const int gw = CompareItemCoBo->currentIndex() + 1;
  ctx().options->SetParaInt(71, CompareItemChk->isChecked() ? gw : -gw);
}

// --- the weight page ---------------------------------------------------------------------

void TENViewDayDlg::SetWeightColumns() {
  const std::vector<int> parts =
      ctx().options ? ctx().options->ShownWeightParts() : std::vector<int>();
  filling_ = true;
  GewichtGrd->setColumnCount(parts.empty() ? 4 : static_cast<int>(parts.size()) + 3);
  GewichtGrd->setRowCount(std::max(1, GewichtGrd->rowCount()));
  GewichtGrd->setColumnWidth(0, 105);
  GewichtGrd->setColumnWidth(1, MultiDataDay ? 36 : 0);
  GewichtGrd->setColumnHidden(1, !MultiDataDay);
  SetTitle(GewichtGrd, 0, GetLangText(466));
  SetTitle(GewichtGrd, 1, GetLangText(467));
  int col = 2;
  for (int k : parts) {
    GewichtGrd->setColumnWidth(col, 55);
    SetTitle(GewichtGrd, col++, GetLangText(628 + k));
  }
  GewichtGrd->setColumnWidth(col, 1500);
  SetTitle(GewichtGrd, col, GetLangText(468));
  FitColumns(GewichtGrd, 0);
  filling_ = false;
}

void TENViewDayDlg::FillWeightGridHere() {
  if (!ENApplogMod) return;
  TextGrid grid;
  grid.SetColCount(GewichtGrd->columnCount());
  ENApplogMod->FillWeightGrid(grid);
  filling_ = true;
  // A cell editor still open belongs to the rows replaced now (or to the person before): it
  // goes unsaved, so that the editor of the refilled grid is the one the keyboard reaches.
  GewichtGrd->setCurrentCell(-1, -1);
  GewichtGrd->setRowCount(std::max(2, grid.RowCount()));
  for (int r = 1; r < GewichtGrd->rowCount(); ++r)
    for (int c = 0; c < GewichtGrd->columnCount(); ++c) {
      auto* item = new QTableWidgetItem(toQ(grid.Cell(c, r)));
      if (c == 0) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
      GewichtGrd->setItem(r, c, item);
    }
  GewichtGrd->setEnabled(grid.enabled);
  GewichtGrd->setCurrentCell(grid.currentRow, 2);
  FitColumns(GewichtGrd, 2);  // the dates and times
  filling_ = false;
}

void TENViewDayDlg::NewGewichtBtnClick() {
  if (!ENApplogMod) return;
  const int index = ENApplogMod->AddWeightEntry(CurDate.day, CurDate.month, CurDate.year);
  FillWeightGridHere();
  GewichtGrd->setCurrentCell(index + 1, 2);
  // What the user types next is the weight of the new row: its cell editor takes the keyboard.
  // The grid opens the editor of its current cell by itself while it is shown.
  GewichtGrd->setFocus(Qt::OtherFocusReason);
  const QModelIndex cell = GewichtGrd->model()->index(index + 1, 2);
  if (cell.isValid() && GewichtGrd->isEnabled()) {
    if (QWidget* editor = GewichtGrd->indexWidget(cell))
      editor->setFocus(Qt::OtherFocusReason);
    else
      GewichtGrd->edit(cell);
  }
  RepaintGraph();
}

void TENViewDayDlg::DelGewichtBtnClick() {
  GEWICHTLIST* w = nullptr;
  if (!ENApplogMod || !ENApplogMod->GetWeightEntry(GewichtGrd->currentRow() - 1, &w)) return;
  ENApplogMod->DeleteWeightEntry(w->day, w->month, w->year, w->hour, w->minute);
  FillWeightGridHere();
  GewichtGrd->setCurrentCell(GewichtGrd->rowCount() - 1, 2);
  RepaintGraph();
}

void TENViewDayDlg::GewichtGrdSetEditText(int column, int row, const std::string& text) {
  if (!ENApplogMod || row < 1) return;
  const int entry = row - 1;
  const int last = GewichtGrd->columnCount() - 1;
  if (column == 1) {
    const size_t colon = text.find(':');
    if (colon != std::string::npos && ReadLong(text.substr(0, colon)) >= 0 &&
        ReadLong(text.substr(colon + 1)) >= 0 && !text.substr(0, colon).empty())
      ENApplogMod->SetWeightTime(entry, text);
  } else if (column == last) {
    ENApplogMod->SetWeightComment(entry, text);
  } else if (column >= 2 && ctx().options) {
    const std::vector<int> parts = ctx().options->ShownWeightParts();
    if (static_cast<size_t>(column - 2) < parts.size())
      ENApplogMod->SetWeightValue(entry, parts[static_cast<size_t>(column - 2)], text);
  }
  RepaintGraph();
}

void TENViewDayDlg::CompareItemChkClick() {
  CompareMarker = CompareItemChk->isChecked() ? -2 : -1;
  RepaintGraph();
}

void TENViewDayDlg::CompareItemCoBoChange() {
  CompareItemChk->setChecked(true);
  CompareItemChkClick();
  RepaintGraph();
}

// --- the charts --------------------------------------------------------------------------

void TENViewDayDlg::RepaintGraph() {
  PaintGraph->update();
}

void TENViewDayDlg::PaintGraphPaint(QPainter& p, int width, int height) {
  p.fillRect(0, 0, width, height, FromColorRef(kChartBackground));
  if (!ENApplogMod) return;
  QFont font = p.font();
  font.setPixelSize(11);
  p.setFont(font);
  const QFontMetrics fm(font);
  ChartCanvas canvas;
  canvas.width = width;
  canvas.height = height;
  canvas.cx = fm.horizontalAdvance(QLatin1Char('W'));
  canvas.cy = fm.height();
  canvas.textWidth = [&fm](const std::string& t) { return fm.horizontalAdvance(toQ(t)); };
  ChartScene scene;
  if (WeightView == 1) {
    WeightChartInput in;
    in.period = Period;
    for (const GEWICHTLIST& w : ENApplogMod->weights) {
      WeightChartEntry e;
      e.date = {w.day, w.month, w.year};
      for (int k = 0; k < 6; ++k) e.values[k] = w.values[k];
      in.entries.push_back(e);
    }
    if (CompareMarker == -2 && CompareItemCoBo->currentIndex() >= 0)
      in.compare = CompareItemCoBo->currentIndex() + 1;
    scene = LayoutWeightChart(in, canvas);
  } else {
    NutrientChartInput in;
    in.period = Period;
    auto nutrient = [this](const QComboBox* combo) {
      const int i = combo->currentIndex();
      return i >= 0 && i < static_cast<int>(GraphNutrients.size()) ? GraphNutrients[static_cast<size_t>(i)] : 0;
    };
    const int a = nutrient(Graph1CoBo);
    const int b = nutrient(Graph2CoBo);
    in.withB = Graph2Chk->isChecked();
    auto series = [](int index) {
      NutrientChartSeries s;
      const ISTOFF* st = ctx().nutrients ? ctx().nutrients->StoffAt(index) : nullptr;
      if (!st) return s;
      const std::string unit = st->unit;
      s.unit = unit.substr(0, unit.find('/'));
      double value = -1;
      char alarm = '-';
      s.hasRequirement = ENApplogMod->GetDailyRequirement(st->code, value, alarm);
      s.requirement = s.hasRequirement ? value : -1;
      return s;
    };
    in.a = series(a);
    if (in.withB) in.b = series(b);
    // Only what the period change loaded: a paint never reads a file.
    for (const auto& [m, y] : PeriodMonths(Period)) {
      if (const ENMONTH* month = ENApplogMod->GetMonth(m, y))
        for (const ENDAY& d : month->days) {
          const CalendarDate date{d.day, d.month, d.year};
          if (!d.complete || !DateInPeriod(date, Period)) continue;
          in.days.push_back({date, ReadNumber(d.dayValues.Value(static_cast<size_t>(a))),
                             ReadNumber(d.dayValues.Value(static_cast<size_t>(b)))});
        }
    }
    scene = LayoutNutrientChart(in, canvas);
  }
  p.setRenderHint(QPainter::Antialiasing, false);
  for (const ChartShape& s : scene.shapes) {
    const QColor colour = FromColorRef(s.colour);
    switch (s.kind) {
      case ChartShape::Kind::Polyline: {
        QPolygon poly;
        for (const auto& [x, y] : s.points) poly << QPoint(x, y);
        p.setPen(colour);
        p.drawPolyline(poly);
        break;
      }
      case ChartShape::Kind::Text:
        p.setPen(colour);
        p.drawText(QRect(s.x, s.y, width, fm.height()), Qt::AlignLeft | Qt::AlignTop,
                   toQ(s.text));
        break;
      case ChartShape::Kind::Square:
        p.setPen(colour);
        p.setBrush(colour);
        p.drawRect(s.x, s.y, 6, 6);
        p.setBrush(Qt::NoBrush);
        break;
      case ChartShape::Kind::Circle:
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(colour);
        p.setBrush(colour);
        p.drawEllipse(s.x, s.y, 6, 6);
        p.setBrush(Qt::NoBrush);
        p.setRenderHint(QPainter::Antialiasing, false);
        break;
    }
  }
}

}  // namespace tav
