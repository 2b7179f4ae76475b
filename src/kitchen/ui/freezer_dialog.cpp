#include "kitchen/ui/freezer_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDataStream>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <algorithm>

#include "kitchen/freezer/food_types.h"
#include "kitchen/freezer/freezer_page.h"
#include "kitchen/ui/freezer_picture.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "recipes/ui/power_search_dialog.h"
#include "recipes/ui/recipe_editor_window.h"
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

TCoolDlg* CoolDlg = nullptr;

namespace {

constexpr int kEntryRole = Qt::UserRole + 1;

// A food name holds no "~": the food line of CoolBoxes.dat has no escape for it.
QValidator* NoTildeValidator(QObject* parent) {
  return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^~]*")), parent);
}

int LeadingNumber(const std::string& text) {
  int v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    v = v * 10 + (c - '0');
    if (v > 100000) break;
  }
  return v;
}

std::string CellText(const QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row, column);
  return item ? fromQ(item->text()) : std::string();
}

void SetCell(QTableWidget* grid, int row, int column, const std::string& text) {
  QTableWidgetItem* item = grid->item(row, column);
  if (!item) {
    item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    grid->setItem(row, column, item);
  }
  item->setText(toQ(text));
}

QTableWidget* Grid(QWidget* parent, const char* name, int columns) {
  auto* g = Named<QTableWidget>(parent, name);
  g->setColumnCount(columns);
  g->verticalHeader()->hide();
  g->verticalHeader()->setDefaultSectionSize(18);
  g->setSelectionMode(QAbstractItemView::SingleSelection);
  g->setEditTriggers(QAbstractItemView::NoEditTriggers);
  g->horizontalHeader()->setHighlightSections(false);
  g->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return g;
}

// The stored-foods table's cells: light blue rows, the selected row white on dark blue, the
// best-before cell coloured by its status, the opened mark as a picture.
class FoodCells : public QStyledItemDelegate {
 public:
  FoodCells(TCoolDlg* dlg, QObject* parent) : QStyledItemDelegate(parent), dlg_(dlg) {}

  void paint(QPainter* p, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const QTableWidget* grid = dlg_->LMittelGrd;
    const int row = index.row();
    const int column = index.column();
    const bool selected = grid->currentRow() == row;
    QColor back = (row + 1) % 2 == 1 ? PaneLight() : PaneDarker();
    if (column == 0 && dlg_->AllFaecher) back = option.palette.color(QPalette::Button);
    QColor text = Qt::black;
    if (selected) {
      text = Qt::white;
      back = PaneSelected();
    }
    p->fillRect(option.rect, back);
    const QString cell = index.data().toString();
    if (column == 5) {
      int compartment = 0, food = 0;
      const CO_SCHRANK* s = dlg_->CurrentFreezer();
      const std::string first = CellText(grid, row, 0);
      if (s) compartment = CompartmentIndexOfNumber(*s, LeadingNumber(first));
      food = LeadingNumber(CellText(grid, row, 1));
      const int status = first.empty() ? 0 : dlg_->BestBeforeCellStatus(compartment, food);
      if (status == 1) text = selected ? QColor(255, 161, 34) : QColor(246, 145, 0);
      if (status == 2) text = selected ? QColor(255, 86, 37) : QColor(212, 22, 2);
    }
    if (column == 4) {
      if (cell == QLatin1String("X"))
        p->drawImage(option.rect.topLeft() + QPoint(6, 3), dlg_->AngebrochenImg);
    } else {
      p->save();
      p->setClipRect(option.rect);
      p->setPen(text);
      p->drawText(option.rect.adjusted(2, 1, -1, 0), Qt::AlignLeft | Qt::AlignVCenter, cell);
      p->restore();
    }
    if (option.state & QStyle::State_HasFocus) {
      QPen pen(selected ? Qt::white : Qt::black, 1, Qt::DotLine);
      p->setPen(pen);
      p->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
  }

 private:
  TCoolDlg* dlg_;
};

// Node names are edited without "~" (CoolTypes.dat ends a food's name at the first one).
class TypeNames : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setValidator(NoTildeValidator(line));
    return editor;
  }
};

QImage WhiteTransparent(const QString& path) {
  QImage img(path);
  if (img.isNull()) return img;
  img = img.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < img.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x)
      if ((line[x] & 0xFFFFFF) == 0xFFFFFF) line[x] = 0;
  }
  return img;
}

QWidget* CaptionStrip(QWidget* parent, const char* name, const char* caption) {
  QLabel* label = nullptr;
  QHBoxLayout* buttons = nullptr;
  QWidget* strip = PaneTitleStrip(parent, name, label, buttons);
  label->setText(toQ(caption));
  return strip;
}

QLabel* Label(QWidget* parent, const char* name, const char* caption) {
  return Captioned<QLabel>(parent, name, caption);
}

}  // namespace

// --- creation -------------------------------------------------------------------------------

TCoolDlg::TCoolDlg(QWidget* parent) : QDialog(parent) {
  CoolDlg = this;
  setObjectName(QStringLiteral("CoolDlg"));
  setWindowTitle(toQ("Gefriergut-Verwaltung"));
  setSizeGripEnabled(true);
  if (ctx().options) inventory.folder = ctx().options->Str(52);
  const std::string pictures = ctx().options ? ctx().options->Str(2) : std::string();
  const auto picture = [&](const char* name) {
    return WhiteTransparent(toQ(FindFileNoCase(pictures + name)));
  };
  TruheObenImg = picture("TruheOben.png");
  TruheFachImg = picture("TruheFach.png");
  TruheFachSImg = picture("TruheFachS.png");
  TruheUntenImg = picture("TruheUnten.png");
  AngebrochenImg = picture("Angebrochen.png");

  // The menu.
  MainMenu = Named<QMenuBar>(this, "MainMenu");
  QMenu* action = MainMenu->addMenu(toQ(" Aktion"));
  action->menuAction()->setObjectName(QStringLiteral("AktionMnu"));
  StartSearchMnu = KitchenMenuItem(action, "StartSearchMnu",
                                   "Mit aktuellem Lebensmittel eine Rezept-Volltextsuche starten");
  action->addSeparator();
  ExitMnu = KitchenMenuItem(action, "ExitMnu",
                            "Gefriergut-Verwaltung schlie\xDF"
                            "en");
  QMenu* print = MainMenu->addMenu(toQ(" Drucken"));
  print->menuAction()->setObjectName(QStringLiteral("DruckenMnu"));
  PrintFachMnu = KitchenMenuItem(print, "PrintFachMnu",
                                 "Erzeuge Fach\xFC"
                                 "bersicht");
  PrintSchrankMnu = KitchenMenuItem(print, "PrintSchrankMnu",
                                    "Erzeuge Gefrierschrank-\xDC"
                                    "bersucht");
  QMenu* settings = MainMenu->addMenu(toQ(" Einstellungen"));
  settings->menuAction()->setObjectName(QStringLiteral("SettingsMnu"));
  DefSchrankMnu = KitchenMenuItem(settings, "DefSchrankMnu",
                                  "Gefrierschr\xE4"
                                  "nke definieren");
  settings->addSeparator();
  ShowOptionsMnu =
      KitchenMenuItem(settings, "ShowOptionsMnu", "Optionen zur Gefriergut-Verwaltung");

  // Left: the current freezer and its picture.
  auto* left = Named<QWidget>(this, "SchrankPnl");
  left->setFixedWidth(209);
  SchrankCoBo = Named<QComboBox>(left, "SchrankCoBo");
  SchrankNameTxt = Named<QLabel>(left, "SchrankNameTxt");
  QFont bold = SchrankNameTxt->font();
  bold.setBold(true);
  SchrankNameTxt->setFont(bold);
  TruhePnl = Named<QFrame>(left, "TruhePnl");
  static_cast<QFrame*>(TruhePnl)->setFrameShape(QFrame::Panel);
  static_cast<QFrame*>(TruhePnl)->setFrameShadow(QFrame::Sunken);
  TruhePnl->setAutoFillBackground(true);
  QPalette white = TruhePnl->palette();
  white.setColor(QPalette::Window, Qt::white);
  TruhePnl->setPalette(white);
  PaintGraph = new FreezerPicture(this, TruhePnl);
  PaintGraph->setObjectName(QStringLiteral("PaintGraph"));
  DockColumn(TruhePnl)->addWidget(PaintGraph);
  auto* leftColumn = new QVBoxLayout(left);
  leftColumn->setContentsMargins(0, 0, 0, 0);
  leftColumn->setSpacing(3);
  leftColumn->addWidget(CaptionStrip(left, "SchrankTitle", "  Aktueller Gefrierschrank"));
  leftColumn->addWidget(SchrankCoBo);
  leftColumn->addWidget(SchrankNameTxt);
  leftColumn->addWidget(TruhePnl, 1);

  // Right, inventory view.
  WorkPnl = Named<QWidget>(this, "WorkPnl");
  auto* top = Named<QWidget>(WorkPnl, "LMittelPnl");
  auto* chooserRow = new QHBoxLayout;
  chooserRow->addWidget(Label(top, "FachTxt", "Gefrierfach:"));
  FachChooseCoBo = Named<QComboBox>(top, "FachChooseCoBo");
  FachChooseCoBo->setMinimumWidth(150);
  chooserRow->addWidget(FachChooseCoBo, 1);
  NewLMittelBtn = Captioned<QPushButton>(top, "NewLMittelBtn", "&Neue Einlagerung");
  LMCopyBtn = Captioned<QPushButton>(top, "LMCopyBtn", "&Kopieren");
  DelLMittelBtn = Captioned<QPushButton>(top, "DelLMittelBtn",
                                         "&L\xF6"
                                         "schen");
  chooserRow->addWidget(NewLMittelBtn);
  chooserRow->addWidget(LMCopyBtn);
  chooserRow->addWidget(DelLMittelBtn);
  LMittelGrd = Grid(top, "LMittelGrd", 7);
  LMittelGrd->setSelectionBehavior(QAbstractItemView::SelectRows);
  LMittelGrd->setItemDelegate(new FoodCells(this, LMittelGrd));
  LMittelGrd->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  LMittelGrd->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  LMittelGrd->setContextMenuPolicy(Qt::CustomContextMenu);
  LMittelGrd->setAcceptDrops(true);
  LMittelGrd->viewport()->setAcceptDrops(true);
  LMittelGrd->viewport()->installEventFilter(this);
  LMittelGrd->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  LMittelGrd->setColumnHidden(1, true);
  auto* topColumn = new QVBoxLayout(top);
  topColumn->setContentsMargins(0, 0, 0, 0);
  topColumn->addWidget(CaptionStrip(top, "WorkTitle", "  Verwaltung des Gefriergutes"));
  topColumn->addLayout(chooserRow);
  topColumn->addWidget(LMittelGrd, 1);

  auto* bottom = Named<QWidget>(WorkPnl, "BottomPnl");
  InpLMittelPnl = KitchenGroup(bottom, "InpLMittelPnl", " Aktuelles Lebensmittel ");
  LMNameEdt = Named<QLineEdit>(InpLMittelPnl, "LMNameEdt");
  LMNameEdt->setValidator(NoTildeValidator(LMNameEdt));
  LMMengeEdt = Named<QLineEdit>(InpLMittelPnl, "LMMengeEdt");
  LMAngebChk = Captioned<QCheckBox>(InpLMittelPnl, "LMAngebChk", "Angebrochen");
  LMMHDEdt = Named<QLineEdit>(InpLMittelPnl, "LMMHDEdt");
  LMSinceEdt = Named<QLineEdit>(InpLMittelPnl, "LMSinceEdt");
  LMSinceBtn = Captioned<QPushButton>(InpLMittelPnl, "LMSinceBtn", "O");
  LMSinceBtn->setFixedWidth(24);
  for (QLineEdit* e : {LMMengeEdt, LMMHDEdt, LMSinceEdt}) e->setMinimumWidth(90);
  auto* form = new QGridLayout(InpLMittelPnl);
  form->addWidget(Label(InpLMittelPnl, "LMNameTxt", "Lebensmittel:"), 0, 0);
  form->addWidget(LMNameEdt, 0, 1, 1, 3);
  form->addWidget(Label(InpLMittelPnl, "LMMengeTxt", "Menge:"), 1, 0);
  form->addWidget(LMMengeEdt, 1, 1);
  form->addWidget(LMAngebChk, 1, 2, 1, 2);
  form->addWidget(Label(InpLMittelPnl, "LMMHDTxt", "Haltbar bis:"), 2, 0);
  form->addWidget(LMMHDEdt, 2, 1);
  form->addWidget(Label(InpLMittelPnl, "LMSinceTxt", "Eingelagert:"), 3, 0);
  form->addWidget(LMSinceEdt, 3, 1);
  form->addWidget(LMSinceBtn, 3, 2);
  form->setColumnStretch(1, 1);
  form->setRowStretch(4, 1);
  MoveTypeBtn = Captioned<QPushButton>(bottom, "MoveTypeBtn", "&>>");
  MoveTypeBtn->setFixedWidth(36);
  EditHelpBtn = Named<QToolButton>(bottom, "EditHelpBtn");
  EditHelpBtn->setText(QStringLiteral("?"));
  auto* middle = new QVBoxLayout;
  middle->addStretch(1);
  middle->addWidget(MoveTypeBtn);
  middle->addStretch(1);
  middle->addWidget(EditHelpBtn, 0, Qt::AlignHCenter);
  auto* types = Named<QWidget>(bottom, "TypePnl");
  TypeTree = Named<QTreeWidget>(types, "TypeTree");
  TypeTree->setHeaderHidden(true);
  TypeTree->setColumnCount(1);
  TypeTree->setDragEnabled(true);
  TypeTree->setDragDropMode(QAbstractItemView::DragOnly);
  TypeTree->setContextMenuPolicy(Qt::CustomContextMenu);
  TypeTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  TypeTree->setItemDelegate(new TypeNames(TypeTree));
  auto* typeColumn = new QVBoxLayout(types);
  typeColumn->setContentsMargins(0, 0, 0, 0);
  typeColumn->setSpacing(0);
  typeColumn->addWidget(CaptionStrip(types, "TypeTitle",
                                     "  \xDC"
                                     "bliche Lebensmittel"));
  typeColumn->addWidget(TypeTree, 1);
  auto* bottomRow = new QHBoxLayout(bottom);
  bottomRow->setContentsMargins(0, 0, 0, 0);
  bottomRow->addWidget(InpLMittelPnl, 1);
  bottomRow->addLayout(middle);
  bottomRow->addWidget(types, 1);

  Splitter1 = Named<QSplitter>(WorkPnl, "Splitter1");
  Splitter1->setOrientation(Qt::Vertical);
  Splitter1->setChildrenCollapsible(false);
  Splitter1->addWidget(top);
  Splitter1->addWidget(bottom);
  Splitter1->setStretchFactor(0, 3);
  Splitter1->setStretchFactor(1, 2);
  DockColumn(WorkPnl)->addWidget(Splitter1);

  // The table's context menu and the tree's.
  LMMnu = Named<QMenu>(this, "LMMnu");
  QAction* newFood =
      KitchenMenuItem(LMMnu, "NewLMMnu", "Neues Lebensmittel in das gleiche Fach einlagern");
  QAction* copyFood =
      KitchenMenuItem(LMMnu, "CopyLMMnu", "Lebensmittel in das gleiche Fach kopieren");
  QAction* delFood = KitchenMenuItem(LMMnu, "DelLMMnu",
                                     "L\xF6"
                                     "sche aktuelles Lebensmittel");
  LMMnu->addSeparator();
  QAction* search = KitchenMenuItem(LMMnu, "SearchLMMnu",
                                    "Mit diesem Lebensmittel eine Rezept-Volltext-Suche starten");
  TreeMnu = Named<QMenu>(this, "TreeMnu");
  AddGutMnu = KitchenMenuItem(TreeMnu, "AddGutMnu", "Lebensmittel im Gefrierfach aufnehmen");
  DelTypeMnu = KitchenMenuItem(TreeMnu, "DelTypeMnu", "Lebensmittel aus dieser Auswahl entfernen");
  AddMnu = KitchenMenuItem(TreeMnu, "AddMnu", "Aktuelles Lebensmittel aufnehmen");
  TreeSep1 = TreeMnu->addSeparator();
  NewChildNode = KitchenMenuItem(TreeMnu, "NewChildNode", "Neuer Kinderknoten");
  NewNodeMnu = KitchenMenuItem(TreeMnu, "NewNodeMnu", "Neuer Knoten auf gleicher Ebene");
  RenameMnu = KitchenMenuItem(TreeMnu, "RenameMnu", "Knoten umbennenen");
  DelMnu = KitchenMenuItem(TreeMnu, "DelMnu",
                           "Knoten l\xF6"
                           "schen");
  TreeSep2 = TreeMnu->addSeparator();
  OpenAllMnu = KitchenMenuItem(TreeMnu, "OpenAllMnu", "Baum komplett aufklappen");

  // Right, definition view.
  TruhenPnl = Named<QWidget>(this, "TruhenPnl");
  NewSchrankBtn = Captioned<QPushButton>(TruhenPnl, "NewSchrankBtn", "Neuer Gefrierschrank");
  DelSchrankBtn = Captioned<QPushButton>(TruhenPnl, "DelSchrankBtn",
                                         "Gefrierschrank l\xF6"
                                         "schen");
  SchraenkeGrd = Grid(TruhenPnl, "SchraenkeGrd", 2);
  SchraenkeGrd->setSelectionBehavior(QAbstractItemView::SelectRows);
  SchraenkeGrd->setColumnWidth(0, 376);
  SchraenkeGrd->horizontalHeader()->setStretchLastSection(true);
  SchrankGrp = KitchenGroup(TruhenPnl, "SchrankGrp", " Aktueller Gefrierschrank: ");
  SchranknameEdt = Named<QLineEdit>(SchrankGrp, "SchranknameEdt");
  SchrankfachAnzEdt = Named<QLineEdit>(SchrankGrp, "SchrankfachAnzEdt");
  SchrankfachAnzEdt->setFixedWidth(48);
  FaecherSortChk = Captioned<QCheckBox>(SchrankGrp, "FaecherSortChk",
                                        "F\xE4"
                                        "cher sind von unten nach oben nummeriert");
  FaecherGrd = Grid(SchrankGrp, "FaecherGrd", 2);
  FaecherGrd->setEditTriggers(QAbstractItemView::AllEditTriggers);
  FaecherGrd->setColumnWidth(0, 30);
  FaecherGrd->horizontalHeader()->setStretchLastSection(true);
  auto* group = new QGridLayout(SchrankGrp);
  group->addWidget(Label(SchrankGrp, "StandortTxt", "Standort:"), 0, 0);
  group->addWidget(SchranknameEdt, 0, 1, 1, 3);
  group->addWidget(Label(SchrankGrp, "FachAnzTxt", "Fachanzahl:"), 1, 0);
  group->addWidget(SchrankfachAnzEdt, 1, 1);
  group->addWidget(Label(SchrankGrp, "FaecherTxt",
                         "F\xE4"
                         "cher"),
                   1, 2);
  group->addWidget(FaecherSortChk, 2, 1, 1, 3);
  auto* namesLabel = new QVBoxLayout;
  namesLabel->addWidget(Label(SchrankGrp, "NamenTxt", "Namen der"));
  namesLabel->addWidget(Label(SchrankGrp, "NamenTxt2",
                              "F\xE4"
                              "cher:"));
  namesLabel->addStretch(1);
  group->addLayout(namesLabel, 3, 0);
  group->addWidget(FaecherGrd, 3, 1, 1, 3);
  group->setColumnStretch(3, 1);
  group->setRowStretch(3, 1);
  EditOKBtn = Captioned<QPushButton>(TruhenPnl, "EditOKBtn", "&OK");
  EditCancelBtn = Captioned<QPushButton>(TruhenPnl, "EditCancelBtn", "&Abbrechen");
  DefHelpBtn = Named<QToolButton>(TruhenPnl, "DefHelpBtn");
  DefHelpBtn->setText(QStringLiteral("?"));
  auto* defColumn = new QVBoxLayout(TruhenPnl);
  defColumn->setContentsMargins(0, 0, 0, 0);
  defColumn->addWidget(CaptionStrip(TruhenPnl, "DefTitle",
                                    "  Eingabe der vorhandenen Gefrierschr\xE4"
                                    "nke"));
  auto* listRow = new QHBoxLayout;
  listRow->addWidget(Label(TruhenPnl, "SchraenkeTxt",
                           "\xDC"
                           "bersicht \xFC"
                           "ber alle Gefrierschr\xE4"
                           "nke:"),
                     1);
  listRow->addWidget(NewSchrankBtn);
  listRow->addWidget(DelSchrankBtn);
  defColumn->addLayout(listRow);
  defColumn->addWidget(SchraenkeGrd, 2);
  defColumn->addWidget(SchrankGrp, 3);
  defColumn->addLayout(DialogButtonRow(DefHelpBtn, {EditOKBtn, EditCancelBtn}));

  auto* right = new QVBoxLayout;
  right->setContentsMargins(0, 0, 0, 0);
  right->addWidget(WorkPnl, 1);
  right->addWidget(TruhenPnl, 1);
  auto* body = new QHBoxLayout(this);
  body->setMenuBar(MainMenu);
  body->setContentsMargins(4, 4, 4, 4);
  body->addWidget(left);
  body->addLayout(right, 1);
  resize(770, 560);

  // Events.
  connect(StartSearchMnu, &QAction::triggered, this, [this] { StartSearchMnuClick(); });
  connect(ExitMnu, &QAction::triggered, this, [this] { ExitMnuClick(); });
  connect(PrintFachMnu, &QAction::triggered, this, [this] { PrintFachMnuClick(); });
  connect(PrintSchrankMnu, &QAction::triggered, this, [this] { PrintSchrankMnuClick(); });
  connect(DefSchrankMnu, &QAction::triggered, this, [this] { DefSchrankMnuClick(); });
  connect(ShowOptionsMnu, &QAction::triggered, this, [this] { ShowOptionsMnuClick(); });
  connect(SchrankCoBo, &QComboBox::activated, this, [this] { SchrankCoBoChange(); });
  connect(FachChooseCoBo, &QComboBox::activated, this, [this] { FachChooseCoBoChange(); });
  connect(NewLMittelBtn, &QPushButton::clicked, this, [this] { NewLMittelBtnClick(); });
  connect(LMCopyBtn, &QPushButton::clicked, this, [this] { LMCopyBtnClick(); });
  connect(DelLMittelBtn, &QPushButton::clicked, this, [this] { DelLMittelBtnClick(); });
  connect(newFood, &QAction::triggered, this, [this] { NewLMittelBtnClick(); });
  connect(copyFood, &QAction::triggered, this, [this] { LMCopyBtnClick(); });
  connect(delFood, &QAction::triggered, this, [this] { DelLMittelBtnClick(); });
  connect(search, &QAction::triggered, this, [this] { StartSearchMnuClick(); });
  connect(LMittelGrd, &QTableWidget::currentCellChanged, this, [this] {
    if (!fillingTable_) LMittelGrdClick();
    LMittelGrd->viewport()->update();
  });
  connect(LMittelGrd, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    // The row under the mouse becomes current, so the menu acts on it.
    const int row = std::max(0, LMittelGrd->rowAt(at.y()));
    if (row < LMittelGrd->rowCount()) SetCurrentFoodRow(row);
    LMMnu->popup(LMittelGrd->viewport()->mapToGlobal(at));
  });
  connect(LMNameEdt, &QLineEdit::textChanged, this, [this] { LMNameEdtChange(); });
  connect(LMMengeEdt, &QLineEdit::textChanged, this, [this] { LMMengeEdtChange(); });
  connect(LMAngebChk, &QCheckBox::clicked, this, [this] { LMAngebChkClick(); });
  connect(LMMHDEdt, &QLineEdit::textChanged, this, [this] { LMMHDEdtChange(); });
  connect(LMSinceEdt, &QLineEdit::textChanged, this, [this] { LMSinceEdtChange(); });
  connect(LMSinceBtn, &QPushButton::clicked, this, [this] { LMSinceBtnClick(); });
  connect(MoveTypeBtn, &QPushButton::clicked, this, [this] { MoveTypeBtnClick(); });
  connect(EditHelpBtn, &QToolButton::clicked, this, [this] { EditHelpBtnClick(); });
  connect(DefHelpBtn, &QToolButton::clicked, this, [this] { EditHelpBtnClick(); });
  connect(TypeTree, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    if (QTreeWidgetItem* node = TypeTree->itemAt(at)) TypeTree->setCurrentItem(node);
    TreeMnuPopup();
    TreeMnu->popup(TypeTree->viewport()->mapToGlobal(at));
  });
  connect(TypeTree, &QTreeWidget::itemChanged, this,
          [this](QTreeWidgetItem* node) { TypeTreeEdited(node); });
  connect(TypeTree, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* node) { TypeTreeDblClick(node); });
  connect(AddGutMnu, &QAction::triggered, this, [this] { AddGutMnuClick(); });
  connect(DelTypeMnu, &QAction::triggered, this, [this] { DelMnuClick(); });
  connect(AddMnu, &QAction::triggered, this, [this] { AddMnuClick(); });
  connect(NewChildNode, &QAction::triggered, this, [this] { NewChildNodeClick(); });
  connect(NewNodeMnu, &QAction::triggered, this, [this] { NewNodeMnuClick(); });
  connect(RenameMnu, &QAction::triggered, this, [this] { RenameMnuClick(); });
  connect(DelMnu, &QAction::triggered, this, [this] { DelMnuClick(); });
  connect(OpenAllMnu, &QAction::triggered, this, [this] { OpenAllMnuClick(); });
  connect(NewSchrankBtn, &QPushButton::clicked, this, [this] { NewSchrankBtnClick(); });
  connect(DelSchrankBtn, &QPushButton::clicked, this, [this] { DelSchrankBtnClick(); });
  connect(SchraenkeGrd, &QTableWidget::currentCellChanged, this, [this] {
    if (!fillingTable_) SchraenkeGrdClick();
  });
  connect(SchranknameEdt, &QLineEdit::textEdited, this, [this] { SchranknameEdtChange(); });
  connect(SchrankfachAnzEdt, &QLineEdit::textEdited, this, [this] { SchrankfachAnzEdtChange(); });
  connect(FaecherSortChk, &QCheckBox::clicked, this, [this] { FaecherSortChkClick(); });
  connect(FaecherGrd, &QTableWidget::currentCellChanged, this, [this] {
    if (!fillingTable_) FaecherGrdClick();
  });
  connect(FaecherGrd, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (!fillingTable_ && item->column() == 1) FaecherGrdSetEditText(item->row());
  });
  connect(EditOKBtn, &QPushButton::clicked, this, [this] { EditOKBtnClick(); });
  connect(EditCancelBtn, &QPushButton::clicked, this, [this] { EditCancelBtnClick(); });
  // Enter presses no button of the inventory view: only the definition view has a default
  // button, its OK (SetFreezerViewMode); a focused button still answers the space bar.
  for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
  // Enter on the compartment table ends a name's edit and never reaches OK.
  FaecherGrd->installEventFilter(this);
  FormCreate();
}

TCoolDlg::~TCoolDlg() {
  if (CoolDlg == this) CoolDlg = nullptr;
}

void TCoolDlg::FormCreate() {
  SchraenkeGrd->setHorizontalHeaderLabels({toQ(GetLangText(713)), toQ(GetLangText(714))});
  FaecherGrd->setHorizontalHeaderLabels({toQ(GetLangText(715)), toQ(GetLangText(716))});
  FaecherGrd->setColumnWidth(0, 30);
  FaecherGrd->setColumnWidth(1, 363);
  SetFreezerViewMode(0);
  LoadFreezers();
  FillFreezerTable();
  ShowFreezerDefinition();
  FillFoodTable();
  ShowFoodEditor();
  QStringList titles;
  for (int k = 0; k < 7; ++k) titles << toQ(GetLangText(720 + k));
  LMittelGrd->setHorizontalHeaderLabels(titles);
  // The opened column shows its mark in place of a title.
  if (QTableWidgetItem* head = LMittelGrd->horizontalHeaderItem(4)) {
    head->setToolTip(head->text());
    head->setText(QString());
    head->setIcon(QIcon(QPixmap::fromImage(AngebrochenImg)));
  }
  SetFoodTableColumns();
  FillCompartmentChooser();
  LoadFoodTypes();
  BuildFoodTypeTree();
  Translating = true;
  fillingEditor_ = true;  // the edits' texts from the language file are no food's
  if (LangDlg) {
    LangDlg->TranslateForm(this);
    LangDlg->TranslateMenu("CoolDlg", MainMenu);
    LangDlg->TranslateMenu("CoolDlg", LMMnu);
    LangDlg->TranslateMenu("CoolDlg", TreeMnu);
  }
  fillingEditor_ = false;
  Translating = false;
  ShowFreezerDefinition();
  ShowFoodEditor();
}

CO_SCHRANK* TCoolDlg::CurrentFreezer() {
  if (CurFreezer < 0 || CurFreezer >= static_cast<int>(Freezers().size())) return nullptr;
  return &Freezers()[CurFreezer];
}

// --- the window -----------------------------------------------------------------------------

void TCoolDlg::SetFreezerViewMode(int mode) {
  ViewMode = mode;
  TruhenPnl->setVisible(mode == 1);
  SchrankNameTxt->setVisible(mode == 1);
  WorkPnl->setVisible(mode == 0);
  SchrankCoBo->setVisible(mode == 0);
  EditOKBtn->setDefault(mode == 1);
  ShowFreezerDefinition();
  ShowFoodEditor();
  PaintGraph->update();
}

void TCoolDlg::FillFreezerBox() {
  SchrankCoBo->clear();
  for (const CO_SCHRANK& s : Freezers()) SchrankCoBo->addItem(toQ(s.name));
  SchrankCoBo->setCurrentIndex(CurFreezer);
}

void TCoolDlg::FillCompartmentChooser() {
  FachChooseCoBo->clear();
  FachChooseCoBo->addItem(toQ(GetLangText(728)));
  if (const CO_SCHRANK* s = CurrentFreezer())
    for (int i = 0; i < s->count && i < static_cast<int>(s->faecher.size()); ++i)
      FachChooseCoBo->addItem(
          toQ(std::to_string(ShownCompartmentNumber(*s, i)) + ": " + s->faecher[i].name));
  FachChooseCoBo->setCurrentIndex(AllFaecher || FachChooseCoBo->count() < 2 ? 0 : 1);
}

void TCoolDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  FillFreezerBox();
  AllFaecher = false;
  CenterOnForm(this);
}

void TCoolDlg::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  SetFoodTableColumns();
}

void TCoolDlg::ExitMnuClick() {
  close();
}

void TCoolDlg::ShowOptionsMnuClick() {
  if (MainWindowAccess* main = MainWindow()) main->ShowOptionsWindow(10);
}

void TCoolDlg::EditHelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_Cooler.htm");
}

void TCoolDlg::WriteOverview(bool whole) {
  const CO_SCHRANK* s = CurrentFreezer();
  if (!s || !ctx().options) return;
  const OptionsStore& o = *ctx().options;
  FreezerPageOptions options;
  options.extraRows = o.Flag(85) ? o.Int(86) : 0;
  options.takenColumn = o.Flag(87);
  WriteFreezerOverview(o.Str(5) + "CoolBoxes.html", *s, CurFach, whole, options);
}

void TCoolDlg::PaintGraphMouseDown(int y) {
  const CO_SCHRANK* s = CurrentFreezer();
  if (!s) return;
  int b = y - 64 < 0 ? 0 : (y - 64) / 48;
  if (ViewMode == 1) {
    b = std::clamp(b, 0, std::max(0, s->count - 1));
    if (b != CurFach) {
      CurFach = b;
      Updating = true;
      FaecherGrd->setCurrentCell(b, 1);
      Updating = false;
      PaintGraph->update();
    }
    return;
  }
  if (y < 64 || b > s->count - 1) {
    AllFaecher = true;
  } else {
    CurFach = b;
    AllFaecher = false;
    FachChooseCoBo->setCurrentIndex(b + 1);
  }
  if (AllFaecher) FachChooseCoBo->setCurrentIndex(0);
  PaintGraph->update();
  SetFoodTableColumns();
  FillFoodTable();
  ShowFoodEditor();
}

int TCoolDlg::DropCompartment(int y) const {
  const CO_SCHRANK* s = const_cast<TCoolDlg*>(this)->CurrentFreezer();
  if (!s || y < 64 || ViewMode != 0) return -1;
  const int b = (y - 64) / 48;
  return b > s->count - 1 ? -1 : b;
}

bool TCoolDlg::CanDropFoodType() const {
  const int t = SelectedFoodType();
  return t >= 0 && !inventory.types[t].group;
}

namespace {

// The entry index that the first item of a view's drag data carries (-1 without one).
int DraggedEntry(const QMimeData* data) {
  const QByteArray bytes =
      data ? data->data(QStringLiteral("application/x-qabstractitemmodeldatalist")) : QByteArray();
  if (bytes.isEmpty()) return -1;
  QDataStream in(bytes);
  int row = 0, column = 0;
  QMap<int, QVariant> roles;
  in >> row >> column >> roles;
  return in.status() == QDataStream::Ok && roles.contains(kEntryRole)
             ? roles.value(kEntryRole).toInt()
             : -1;
}

}  // namespace

bool TCoolDlg::AcceptsFoodTypeDrag(const QDropEvent* e) const {
  if (!CanDropFoodType()) return false;
  if (e->source()) return e->source() == TypeTree;
  // Without a source in this process the data must be the tree's chosen food.
  return DraggedEntry(e->mimeData()) == SelectedFoodType();
}

void TCoolDlg::PaintGraphDragDrop(int y) {
  const int b = DropCompartment(y);
  if (b < 0 || !CanDropFoodType()) return;
  const CO_TYPE& t = FoodTypes()[SelectedFoodType()];
  CO_LMITTEL food;
  food.name = t.name;
  food.amount = t.text;
  StoreFood(&food, b);
  LMMHDEdt->setFocus();
  CurFach = b;
  FachChooseCoBo->setCurrentIndex(b + 1);
  AllFaecher = false;
  FillFoodTable();
  SetFoodTableColumns();
  SelectFoodRow(b, static_cast<int>(Freezers()[CurFreezer].faecher[b].foods.size()) - 1);
  ShowFoodEditor();
  PaintGraph->update();
}

void TCoolDlg::SchrankCoBoChange() {
  CurFreezer = std::max(0, SchrankCoBo->currentIndex());
  CurFach = 0;
  FillFoodTable();
  ShowFoodEditor();
  PaintGraph->update();
  FillCompartmentChooser();
}

void TCoolDlg::FachChooseCoBoChange() {
  const int index = FachChooseCoBo->currentIndex();
  if (index > 0) {
    CurFach = index - 1;
    AllFaecher = false;
  } else {
    AllFaecher = true;
  }
  FillFoodTable();
  SetFoodTableColumns();
  ShowFoodEditor();
  PaintGraph->update();
}

void TCoolDlg::ShowWarnedFood(const CO_SLIST& e) {
  if (e.freezer < 0 || e.freezer >= static_cast<int>(Freezers().size())) return;
  CurFreezer = e.freezer;
  SchrankCoBo->setCurrentIndex(CurFreezer);
  FillCompartmentChooser();
  const CO_SCHRANK& s = Freezers()[CurFreezer];
  CurFach = std::clamp(CompartmentIndexOfNumber(s, e.number), 0, std::max(0, s.count - 1));
  AllFaecher = false;
  FachChooseCoBo->setCurrentIndex(CurFach + 1);
  PaintGraph->update();
  SetFoodTableColumns();
  FillFoodTable();
  if (e.food < LMittelGrd->rowCount()) SetCurrentFoodRow(e.food);
  ShowFoodEditor();
}

// --- the stored-foods table -----------------------------------------------------------------

void TCoolDlg::SetFoodTableColumns() {
  LMittelGrd->setColumnWidth(3, 60);
  LMittelGrd->setColumnWidth(4, 23);
  // 74 pixels, or what a whole date needs in the table's font.
  const int date =
      std::max(74, LMittelGrd->fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000")) + 8);
  LMittelGrd->setColumnWidth(5, date);
  LMittelGrd->setColumnWidth(6, date);
  // What the fixed columns leave of the visible width (the scroll bar is always there).
  const int w = LMittelGrd->viewport()->width() - 83 - 2 * date;
  const int first = AllFaecher ? std::min(130, static_cast<int>(w * 0.28)) : 0;
  LMittelGrd->setColumnHidden(0, first <= 0);
  if (first > 0) LMittelGrd->setColumnWidth(0, first);
  LMittelGrd->setColumnWidth(2, std::max(40, w - first));
}

void TCoolDlg::FillFoodTable() {
  fillingTable_ = true;
  LMittelGrd->clearContents();
  LMittelGrd->setRowCount(0);
  int rows = 0;
  if (const CO_SCHRANK* s = CurrentFreezer()) {
    const int inUse = std::min<int>(s->count, static_cast<int>(s->faecher.size()));
    for (int i = 0; i < inUse; ++i) {
      if (!AllFaecher && i != CurFach) continue;
      const CO_FACH& fach = s->faecher[i];
      for (size_t j = 0; j < fach.foods.size(); ++j) {
        const CO_LMITTEL& f = fach.foods[j];
        LMittelGrd->setRowCount(rows + 1);
        SetCell(LMittelGrd, rows, 0,
                std::to_string(ShownCompartmentNumber(*s, i)) + ": " + fach.name);
        SetCell(LMittelGrd, rows, 1, std::to_string(j));
        SetCell(LMittelGrd, rows, 2, f.name);
        SetCell(LMittelGrd, rows, 3, f.amount);
        SetCell(LMittelGrd, rows, 4, f.opened ? "X" : " ");
        SetCell(LMittelGrd, rows, 5,
                f.mhdMonth == 0 ? std::string() : FormatFoodDate(f.mhdDay, f.mhdMonth, f.mhdYear));
        SetCell(LMittelGrd, rows, 6, FormatFoodDate(f.sinceDay, f.sinceMonth, f.sinceYear));
        ++rows;
      }
    }
  }
  if (rows == 0) {
    // A compartment without foods shows one empty row.
    LMittelGrd->setRowCount(1);
    for (int c = 0; c < 7; ++c) SetCell(LMittelGrd, 0, c, std::string());
  }
  LMittelGrd->setCurrentCell(0, 2);
  fillingTable_ = false;
  LMittelGrd->viewport()->update();
}

bool TCoolDlg::RowFood(int row, int& compartment, int& food) const {
  compartment = CurFach;
  food = 0;
  if (row < 0 || row >= LMittelGrd->rowCount()) return false;
  const std::string first = CellText(LMittelGrd, row, 0);
  if (first.empty()) return false;
  const CO_SCHRANK* s = const_cast<TCoolDlg*>(this)->CurrentFreezer();
  if (s) compartment = CompartmentIndexOfNumber(*s, LeadingNumber(first));
  food = LeadingNumber(CellText(LMittelGrd, row, 1));
  return true;
}

void TCoolDlg::GetSelectedFood(int& compartment, int& food) const {
  RowFood(LMittelGrd->currentRow(), compartment, food);
}

void TCoolDlg::SetCurrentFoodRow(int row) {
  fillingTable_ = true;
  LMittelGrd->setCurrentCell(row, 2);
  fillingTable_ = false;
  LMittelGrdClick();
  LMittelGrd->viewport()->update();
}

void TCoolDlg::SelectFoodRow(int compartment, int food) {
  for (int r = 0; r < LMittelGrd->rowCount(); ++r) {
    int c = 0, f = 0;
    if (RowFood(r, c, f) && c == compartment && f == food) {
      SetCurrentFoodRow(r);
      return;
    }
  }
  SetCurrentFoodRow(0);
}

void TCoolDlg::LMittelGrdClick() {
  ShowFoodEditor();
}

int TCoolDlg::BestBeforeCellStatus(int compartment, int food) const {
  const int orange = ctx().options ? ctx().options->Int(84) : 1;
  const int status = CellStatus(
      MonthsToBestBefore(inventory.freezers, CurFreezer, compartment, food, FreezerToday()),
      orange);
  const bool red = !ctx().options || ctx().options->Flag(82);
  const bool orangeOn = !ctx().options || ctx().options->Flag(83);
  if (status == 2 && red) return 2;
  if (status == 1 && orangeOn) return 1;
  return 0;
}

void TCoolDlg::PutEditor(QLineEdit* edit, const std::string& text) {
  edit->setText(toQ(text));
}

void TCoolDlg::ShowFoodEditor() {
  const CO_SCHRANK* s = CurrentFreezer();
  int compartment = 0, food = 0;
  bool shown = false;
  if (s && s->count > 0) {
    GetSelectedFood(compartment, food);
    if (compartment >= 0 && compartment < static_cast<int>(s->faecher.size()) &&
        !s->faecher[compartment].foods.empty()) {
      const auto& foods = s->faecher[compartment].foods;
      const CO_LMITTEL& f = foods[std::clamp<int>(food, 0, static_cast<int>(foods.size()) - 1)];
      // Filling the editor writes nothing back: a food only looked at stays as loaded.
      fillingEditor_ = true;
      PutEditor(LMNameEdt, f.name);
      PutEditor(LMMengeEdt, f.amount);
      LMAngebChk->setChecked(f.opened);
      PutEditor(LMSinceEdt, FormatFoodDate(f.sinceDay, f.sinceMonth, f.sinceYear));
      PutEditor(LMMHDEdt,
                f.mhdMonth == 0 ? std::string() : FormatFoodDate(f.mhdDay, f.mhdMonth, f.mhdYear));
      fillingEditor_ = false;
      shown = true;
    }
  }
  InpLMittelPnl->setVisible(shown);
  MoveTypeBtn->setVisible(shown);
}

namespace {

// The food of the current row, or null (no foods there).
CO_LMITTEL* EditedFood(TCoolDlg& dlg) {
  CO_SCHRANK* s = dlg.CurrentFreezer();
  if (!s) return nullptr;
  int c = 0, f = 0;
  dlg.GetSelectedFood(c, f);
  if (c < 0 || c >= static_cast<int>(s->faecher.size())) return nullptr;
  auto& foods = s->faecher[c].foods;
  if (f < 0 || f >= static_cast<int>(foods.size())) return nullptr;
  return &foods[f];
}

}  // namespace

void TCoolDlg::LMNameEdtChange() {
  CO_LMITTEL* f = fillingEditor_ ? nullptr : EditedFood(*this);
  if (!f) return;
  f->name = fromQ(LMNameEdt->text());
  SetCell(LMittelGrd, LMittelGrd->currentRow(), 2, f->name);
}

void TCoolDlg::LMMengeEdtChange() {
  CO_LMITTEL* f = fillingEditor_ ? nullptr : EditedFood(*this);
  if (!f) return;
  f->amount = fromQ(LMMengeEdt->text());
  SetCell(LMittelGrd, LMittelGrd->currentRow(), 3, f->amount);
}

void TCoolDlg::LMAngebChkClick() {
  CO_LMITTEL* f = fillingEditor_ ? nullptr : EditedFood(*this);
  if (!f) return;
  f->opened = LMAngebChk->isChecked();
  SetCell(LMittelGrd, LMittelGrd->currentRow(), 4, f->opened ? "X" : "");
}

void TCoolDlg::LMMHDEdtChange() {
  DateEdited(LMMHDEdt, 5, true);
}

void TCoolDlg::LMSinceEdtChange() {
  DateEdited(LMSinceEdt, 6, false);
}

void TCoolDlg::DateEdited(QLineEdit* edit, int column, bool bestBefore) {
  CO_LMITTEL* f = fillingEditor_ ? nullptr : EditedFood(*this);
  if (!f) return;
  // Stored as parsed, valid or not: month 0 means no date.
  const FoodDate d = ParseFoodDate(fromQ(edit->text()));
  (bestBefore ? f->mhdDay : f->sinceDay) = d.day;
  (bestBefore ? f->mhdMonth : f->sinceMonth) = d.month;
  (bestBefore ? f->mhdYear : f->sinceYear) = d.year;
  SetCell(LMittelGrd, LMittelGrd->currentRow(), column, FormatFoodDate(d.day, d.month, d.year));
}

void TCoolDlg::LMSinceBtnClick() {
  const ClockDate t = FreezerToday();
  LMSinceEdt->setText(
      toQ(std::to_string(t.day) + "." + std::to_string(t.month) + "." + std::to_string(t.year)));
}

void TCoolDlg::StoreFood(const CO_LMITTEL* model, int compartment) {
  CO_SCHRANK* s = CurrentFreezer();
  if (!s) return;
  CO_LMITTEL food;
  if (model) {
    food = *model;
  } else {
    food.name = "<Neues Lebensmittel>";
    food.amount = "??? g";
  }
  SetStoredToday(food);
  int target = compartment;
  if (target < 0) {
    int f = 0;
    GetSelectedFood(target, f);
  }
  if (target < 0 || target >= static_cast<int>(s->faecher.size())) return;
  s->faecher[target].foods.push_back(food);
  FillFoodTable();
  SelectFoodRow(target, static_cast<int>(s->faecher[target].foods.size()) - 1);
  CurFach = target;
  ShowFoodEditor();
  LMNameEdt->setFocus();
  PaintGraph->update();
}

void TCoolDlg::LMCopyBtnClick() {
  CO_SCHRANK* s = CurrentFreezer();
  int c = 0, f = 0;
  GetSelectedFood(c, f);
  if (!s || c < 0 || c >= static_cast<int>(s->faecher.size())) return;
  auto& foods = s->faecher[c].foods;
  if (foods.empty() || f < 0 || f >= static_cast<int>(foods.size())) return;
  CO_LMITTEL copy = foods[f];
  copy.opened = false;
  foods.insert(foods.begin() + f + 1, copy);
  FillFoodTable();
  SelectFoodRow(c, f + 1);
  ShowFoodEditor();
}

void TCoolDlg::DelLMittelBtnClick() {
  CO_SCHRANK* s = CurrentFreezer();
  int c = 0, f = 0;
  GetSelectedFood(c, f);
  if (!s || c < 0 || c >= static_cast<int>(s->faecher.size())) return;
  auto& foods = s->faecher[c].foods;
  if (foods.empty() || f < 0 || f >= static_cast<int>(foods.size())) return;
  foods.erase(foods.begin() + f);
  if (f > static_cast<int>(foods.size()) - 1) f = static_cast<int>(foods.size()) - 1;
  FillFoodTable();
  SelectFoodRow(c, std::max(0, f));
  ShowFoodEditor();
}

void TCoolDlg::StartSearchMnuClick() {
  const std::string name = fromQ(LMNameEdt->text());
  if (!close()) return;  // the user chose to stay rather than drop foods
  if (EditRezDlg && !EditRezDlg->AskSaveChanges(true)) return;
  if (!PSearchDlg) return;
  PSearchDlg->ResetSearchCriteria();
  PSearchDlg->SetSearchText(1, name);
  PSearchDlg->exec();
  if (MainWindowAccess* main = MainWindow()) main->UpdateRecipeButtons();
}

// --- the definition view --------------------------------------------------------------------

void TCoolDlg::FillFreezerTable() {
  fillingTable_ = true;
  SchraenkeGrd->setRowCount(static_cast<int>(Freezers().size()));
  for (size_t i = 0; i < Freezers().size(); ++i) {
    const CO_SCHRANK& s = Freezers()[i];
    SetCell(SchraenkeGrd, static_cast<int>(i), 0, s.name);
    SetCell(SchraenkeGrd, static_cast<int>(i), 1, std::to_string(s.count) + " " + GetLangText(707));
  }
  SchraenkeGrd->setCurrentCell(std::min<int>(CurFreezer, SchraenkeGrd->rowCount() - 1), 0);
  fillingTable_ = false;
}

void TCoolDlg::ShowFreezerDefinition() {
  const CO_SCHRANK* s = CurrentFreezer();
  if (!s || Translating) return;
  SchranknameEdt->setText(toQ(s->name));
  SchrankNameTxt->setText(toQ(s->name));
  SchrankfachAnzEdt->setText(QString::number(s->count));
  FaecherSortChk->setChecked(s->fromBottom);
  fillingTable_ = true;
  const int inUse = std::min<int>(s->count, static_cast<int>(s->faecher.size()));
  FaecherGrd->setRowCount(inUse);
  for (int j = 0; j < inUse; ++j) {
    SetCell(FaecherGrd, j, 0, std::to_string(ShownCompartmentNumber(*s, j)));
    SetCell(FaecherGrd, j, 1, s->faecher[j].name);
    FaecherGrd->item(j, 1)->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
  }
  Updating = true;
  if (CurFach < inUse) FaecherGrd->setCurrentCell(CurFach, 1);
  Updating = false;
  fillingTable_ = false;
}

void TCoolDlg::SchraenkeGrdClick() {
  const int row = SchraenkeGrd->currentRow();
  if (row < 0) return;
  CurFreezer = row;
  CurFach = 0;
  ShowFreezerDefinition();
  PaintGraph->update();
}

void TCoolDlg::SchranknameEdtChange() {
  CO_SCHRANK* s = CurrentFreezer();
  if (!s) return;
  s->name = fromQ(SchranknameEdt->text());
  SetCell(SchraenkeGrd, CurFreezer, 0, s->name);
  SchrankNameTxt->setText(SchranknameEdt->text());
}

void TCoolDlg::SchrankfachAnzEdtChange() {
  CO_SCHRANK* s = CurrentFreezer();
  if (!s) return;
  const int n =
      std::clamp(LeadingNumber(fromQ(SchrankfachAnzEdt->text())), 1, kMaxCompartmentsInUse);
  SetCell(SchraenkeGrd, CurFreezer, 1, std::to_string(n) + " " + GetLangText(707));
  s->count = n;
  while (static_cast<int>(s->faecher.size()) < n) s->faecher.emplace_back();
  // The current compartment stays one that is in use.
  if (CurFach > n - 1) CurFach = n - 1;
  ShowFreezerDefinition();
  PaintGraph->update();
}

void TCoolDlg::FaecherSortChkClick() {
  CO_SCHRANK* s = CurrentFreezer();
  if (!s) return;
  s->fromBottom = FaecherSortChk->isChecked();
  ShowFreezerDefinition();
  PaintGraph->update();
}

void TCoolDlg::FaecherGrdClick() {
  if (Updating) return;
  const int row = FaecherGrd->currentRow();
  if (row < 0) return;
  CurFach = row;
  PaintGraph->update();
}

void TCoolDlg::FaecherGrdSetEditText(int row) {
  CO_SCHRANK* s = CurrentFreezer();
  if (!s || row < 0 || row >= static_cast<int>(s->faecher.size())) return;
  s->faecher[row].name = CellText(FaecherGrd, row, 1);
}

void TCoolDlg::NewSchrankBtnClick() {
  AddDefaultFreezer();
  FillFreezerTable();
  SchraenkeGrd->setCurrentCell(SchraenkeGrd->rowCount() - 1, 0);
  SchranknameEdt->setFocus();
}

void TCoolDlg::DelSchrankBtnClick() {
  if (Freezers().size() <= 1) {
    MessageBox(GetLangText(718), GetLangText(2), MB_OK | MB_ICONINFORMATION);
    return;
  }
  if (MessageBox(GetLangText(717), GetLangText(17), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  Freezers().erase(Freezers().begin() + std::clamp<int>(CurFreezer, 0, Freezers().size() - 1));
  if (CurFreezer > static_cast<int>(Freezers().size()) - 1)
    CurFreezer = static_cast<int>(Freezers().size()) - 1;
  CurFach = 0;
  FillFreezerTable();
  ShowFreezerDefinition();
  PaintGraph->update();
}

bool TCoolDlg::DroppedFoodsRefused() {
  if (!FoodsBeyondCount(Freezers())) return false;
  if (MessageBox(GetLangText(1031), GetLangText(17), MB_YESNO | MB_ICONWARNING) != IDYES)
    return true;
  // Agreed once: the foods are gone, so later saves need not ask again.
  DropFoodsBeyondCount(Freezers());
  return false;
}

bool TCoolDlg::UnnamedFreezerRefused() {
  for (size_t i = 0; i < Freezers().size(); ++i) {
    if (Freezers()[i].name.find_first_not_of(" \t") != std::string::npos) continue;
    MessageBox(GetLangText(1022), GetLangText(2), MB_OK | MB_ICONWARNING);
    CurFreezer = static_cast<int>(i);
    CurFach = 0;
    FillFreezerTable();
    ShowFreezerDefinition();
    PaintGraph->update();
    SchranknameEdt->setFocus();
    return true;
  }
  return false;
}

bool TCoolDlg::SaveOnClose(bool mayStay) {
  if (FoodsBeyondCount(Freezers())) {
    if (MessageBox(GetLangText(1031), GetLangText(17), MB_YESNO | MB_ICONWARNING) == IDYES)
      DropFoodsBeyondCount(Freezers());
    else if (mayStay)
      return false;
    else
      KeepFoodsBeyondCount(Freezers());
    // The view shows the counts as they are saved (the program may yet stay open).
    FillFreezerTable();
    ShowFreezerDefinition();
    PaintGraph->update();
  }
  SaveFreezers();
  SaveFoodTypes();
  return true;
}

void TCoolDlg::AfterDefinition() {
  CurFach = 0;
  SetFreezerViewMode(0);
  FillFreezerBox();
  FillCompartmentChooser();
  FillFoodTable();
  ShowFoodEditor();
  SetFoodTableColumns();
}

void TCoolDlg::EditOKBtnClick() {
  if (UnnamedFreezerRefused() || DroppedFoodsRefused()) return;
  SaveFreezers();
  AfterDefinition();
}

void TCoolDlg::EditCancelBtnClick() {
  LoadFreezers();
  CurFreezer = std::min<int>(CurFreezer, static_cast<int>(Freezers().size()) - 1);
  FillFreezerTable();
  AfterDefinition();
}

// --- the usual-foods tree -------------------------------------------------------------------

void TCoolDlg::BuildFoodTypeTree() {
  const QSignalBlocker block(TypeTree);
  TypeTree->clear();
  const std::vector<int> parents = FoodTypeParents(FoodTypes());
  std::vector<QTreeWidgetItem*> nodes(FoodTypes().size(), nullptr);
  const QIcon groupIcon = QIcon(QPixmap(toQ(
      FindFileNoCase((ctx().options ? ctx().options->Str(2) : std::string()) + "TypGruppe.png"))));
  const QIcon foodIcon = QIcon(QPixmap(toQ(FindFileNoCase(
      (ctx().options ? ctx().options->Str(2) : std::string()) + "TypLebensmittel.png"))));
  for (size_t i = 0; i < FoodTypes().size(); ++i) {
    const CO_TYPE& t = FoodTypes()[i];
    auto* node =
        parents[i] < 0 ? new QTreeWidgetItem(TypeTree) : new QTreeWidgetItem(nodes[parents[i]]);
    node->setText(0, toQ(parents[i] < 0 ? t.name : FoodTypeNodeText(t)));
    node->setIcon(0, parents[i] < 0 || t.group ? groupIcon : foodIcon);
    node->setData(0, kEntryRole, t.position);
    node->setFlags(node->flags() | Qt::ItemIsEditable | Qt::ItemIsDragEnabled);
    nodes[i] = node;
  }
}

void TCoolDlg::SelectFoodTypeNode(int position) {
  for (QTreeWidgetItemIterator it(TypeTree); *it; ++it)
    if ((*it)->data(0, kEntryRole).toInt() == position) {
      TypeTree->setCurrentItem(*it);
      (*it)->setSelected(true);
      TypeTree->scrollToItem(*it);
    }
}

int TCoolDlg::SelectedFoodType() const {
  const QTreeWidgetItem* node = TypeTree->currentItem();
  if (!node || !node->isSelected()) return -1;
  const int t = node->data(0, kEntryRole).toInt();
  return t >= 0 && t < static_cast<int>(inventory.types.size()) ? t : -1;
}

void TCoolDlg::TreeMnuPopup() {
  if (FoodTypes().empty()) {
    CO_TYPE g;
    g.name = GetLangText(729);
    g.group = true;
    g.text = "0";
    FoodTypes().push_back(g);
    RenumberFoodTypes(FoodTypes());
    BuildFoodTypeTree();
    SelectFoodTypeNode(0);
  }
  if (SelectedFoodType() < 0) SelectFoodTypeNode(0);
  const int t = SelectedFoodType();
  const bool group = t >= 0 && FoodTypes()[t].group;
  AddGutMnu->setVisible(!group);
  DelTypeMnu->setVisible(!group);
  for (QAction* a : {AddMnu, TreeSep1, NewChildNode, NewNodeMnu, RenameMnu, DelMnu})
    a->setVisible(group);
}

void TCoolDlg::AddGutMnuClick() {
  const int t = SelectedFoodType();
  if (t < 0 || FoodTypes()[t].group) return;
  CO_LMITTEL food;
  food.name = FoodTypes()[t].name;
  food.amount = FoodTypes()[t].text;
  StoreFood(&food, -1);
  LMMHDEdt->setFocus();
}

void TCoolDlg::DelMnuClick() {
  const int t = SelectedFoodType();
  if (t < 0) return;
  const int keep = DeleteFoodTypeSubtree(FoodTypes(), t);
  BuildFoodTypeTree();
  if (keep < 0) return;
  SelectFoodTypeNode(keep);
  if (QTreeWidgetItem* node = TypeTree->currentItem()) node->setExpanded(true);
}

void TCoolDlg::AddMnuClick() {
  const int t = SelectedFoodType();
  if (t < 0 || !FoodTypes()[t].group) return;
  const int added =
      InsertFoodUnder(FoodTypes(), t, fromQ(LMNameEdt->text()), fromQ(LMMengeEdt->text()));
  BuildFoodTypeTree();
  SelectFoodTypeNode(added);
}

void TCoolDlg::StartEditingNode(int position) {
  SelectFoodTypeNode(position);
  QTreeWidgetItem* node = TypeTree->currentItem();
  if (!node || position < 0 || position >= static_cast<int>(FoodTypes().size())) return;
  // Only the name is edited, not the amount shown beside a food's name.
  {
    const QSignalBlocker block(TypeTree);
    node->setText(0, toQ(FoodTypes()[position].name));
  }
  editedType_ = position;
  TypeTree->editItem(node, 0);
}

void TCoolDlg::NewChildNodeClick() {
  AddGroupNode(true);
}

void TCoolDlg::NewNodeMnuClick() {
  AddGroupNode(false);
}

void TCoolDlg::AddGroupNode(bool child) {
  const int t = SelectedFoodType();
  if (t < 0 || !FoodTypes()[t].group) return;
  const std::string name = GetLangText(729);
  const int added =
      child ? InsertChildGroup(FoodTypes(), t, name) : InsertSiblingGroup(FoodTypes(), t, name);
  BuildFoodTypeTree();
  StartEditingNode(added);
}

void TCoolDlg::RenameMnuClick() {
  StartEditingNode(SelectedFoodType());
}

void TCoolDlg::TypeTreeEdited(QTreeWidgetItem* node) {
  if (!node) return;
  const int t = node->data(0, kEntryRole).toInt();
  if (t < 0 || t >= static_cast<int>(FoodTypes().size())) return;
  std::string name = fromQ(node->text(0));
  std::erase(name, '~');
  FoodTypes()[t].name = name;
  editedType_ = -1;
  const QSignalBlocker block(TypeTree);
  const bool top = !node->parent();
  node->setText(0, toQ(top ? name : FoodTypeNodeText(FoodTypes()[t])));
}

void TCoolDlg::OpenAllMnuClick() {
  TypeTree->expandAll();
}

void TCoolDlg::TypeTreeDblClick(QTreeWidgetItem* node) {
  if (!node) return;
  const int t = node->data(0, kEntryRole).toInt();
  if (t < 0 || t >= static_cast<int>(FoodTypes().size()) || FoodTypes()[t].group) return;
  AddGutMnuClick();
}

void TCoolDlg::MoveTypeBtnClick() {
  int t = SelectedFoodType();
  if (t < 0) return;
  if (!FoodTypes()[t].group) {
    t = FoodTypeParentOrFirst(FoodTypes(), t);
    SelectFoodTypeNode(t);
  }
  if (FoodTypes()[t].group) AddMnuClick();
}

// --- drops on the table ---------------------------------------------------------------------

bool TCoolDlg::eventFilter(QObject* watched, QEvent* event) {
  const auto type = event->type();
  if (watched == FaecherGrd && type == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
  }
  // The column widths follow the table's visible width.
  if (watched == LMittelGrd->viewport() && type == QEvent::Resize) SetFoodTableColumns();
  if (watched == LMittelGrd->viewport() &&
      (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop)) {
    auto* drop = static_cast<QDropEvent*>(event);
    if (!AcceptsFoodTypeDrag(drop)) {
      drop->ignore();
      return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) AddGutMnuClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TCoolDlg::done(int result) {
  if (!SaveOnClose(true)) return;
  QDialog::done(result);
}

}  // namespace tav
