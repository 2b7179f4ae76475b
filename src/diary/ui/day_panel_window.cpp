#include "diary/ui/day_panel_window.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "diary/day_panel_lines.h"
#include "diary/diary_module.h"
#include "diary/diary_text.h"
#include "diary/ui/calendar_window.h"
#include "diary/ui/diary_pictures.h"
#include "nutrients/recipe_calc.h"
#include "nutrients/ui/nutrient_calc_dialog.h"
#include "platform/numbers.h"
#include "platform/qt/qt_text.h"
#include "recipedb/ui/ingredient_links.h"
#include "recipes/ui/recipe_list_box.h"
#include "recipes/ui/recipe_list_window.h"
#include "services/amounts.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/context_list_box.h"
#include "services/ui/form_controls.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"
#include "services/ui/named_controls.h"
#include "services/ui/pane_parts.h"

namespace tav {

TENAddDayDlg* ENAddDayDlg = nullptr;

namespace {

bool EnergyInKJ() {
  return ctx().options && ctx().options->Flag(16);
}

// Rows alternate between two light blues (the odd ones lighter).
QColor RowColour(int row) {
  return FromColorRef(row % 2 ? 0xFFF8F8 : 0xFFF0F0);
}

// The entries: a check or cross, the name, and below it amount, unit and energy.
class EntryDelegate : public QStyledItemDelegate {
 public:
  EntryDelegate(TENAddDayDlg* panel) : QStyledItemDelegate(panel), panel_(panel) {}
  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return {100, 28};
  }
  void paint(QPainter* p, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    if (!ENApplogMod) return;
    int d = 0, m = 0, y = 0;
    panel_->CalendarDate(d, m, y);
    const ENENTRY* e = ENApplogMod->GetDayEntry(d, m, y, index.data(Qt::UserRole).toInt());
    if (!e) return;
    const bool selected = option.state & QStyle::State_Selected;
    const QRect r = option.rect;
    p->save();
    p->fillRect(r, selected ? FromColorRef(0x884444) : RowColour(index.row()));
    p->drawPixmap(
        r.left() + 2, r.top() + 8,
        DiaryPixmap(e->calculated ? DiaryPicture::Calculated : DiaryPicture::NotCalculated));
    QFont f = option.font;
    p->setFont(f);
    const uint32_t nameColour =
        e->isRecipe ? (selected ? 0xA0E8FF : 0x000080) : (selected ? 0xFFF8A8 : 0xFF0000);
    p->setPen(FromColorRef(nameColour));
    const QFontMetrics fm(f);
    p->drawText(QRect(r.left() + 18, r.top(), r.width() - 20, fm.height()),
                Qt::AlignLeft | Qt::AlignTop, toQ(e->name));
    // The second line in the smallest readable size of the list's font.
    QFont small = f;
    small.setPixelSize(10);
    p->setFont(small);
    p->setPen(selected ? QColor(Qt::white) : option.palette.color(QPalette::WindowText));
    p->drawText(QRect(r.left() + 18, r.top() + fm.height() - 1, r.width() - 20, r.height()),
                Qt::AlignLeft | Qt::AlignTop, toQ(EntryDetailLine(*e, EnergyInKJ())));
    p->restore();
  }

 private:
  TENAddDayDlg* panel_;
};

// The day values: the nutrient's name, below it a bar against the requirement or the sum as
// text with the requirement and its mark.
class DayValueDelegate : public QStyledItemDelegate {
 public:
  DayValueDelegate(TENAddDayDlg* panel) : QStyledItemDelegate(panel), panel_(panel) {}
  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return {100, 30};
  }
  void paint(QPainter* p, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const QRect r = option.rect;
    const int row = index.row();
    p->save();
    p->fillRect(r, RowColour(row));
    if (!ENApplogMod || row >= static_cast<int>(ENApplogMod->dayValues.size())) {
      p->restore();
      return;
    }
    const DAYVALUE& v = ENApplogMod->dayValues[static_cast<size_t>(row)];
    const QFontMetrics fm(option.font);
    p->setFont(option.font);
    p->setPen(Qt::black);
    p->drawText(QRect(r.left() + 3, r.top(), r.width() - 4, fm.height()),
                Qt::AlignLeft | Qt::AlignTop, toQ(v.name));
    const int L = r.left(), T = r.top(), R = r.right() + 1;
    if (!DayValueInBarMode(v, panel_->ShowBars())) {
      int arrow = -1;
      const std::string text = DayValueText(v, arrow);
      if (arrow >= 0)
        p->drawPixmap(L + 3, T + 13,
                      DiaryPixmap(arrow == 0   ? DiaryPicture::ArrowUp
                                  : arrow == 1 ? DiaryPicture::ArrowDown
                                               : DiaryPicture::Met)
                          .scaled(14, 14, Qt::KeepAspectRatio, Qt::SmoothTransformation));
      p->drawText(QRect(L + 20, T + fm.height() + 1, r.width() - 22, fm.height()),
                  Qt::AlignLeft | Qt::AlignTop, toQ(text));
    } else {
      const DayValueBar bar = LayoutDayValueBar(v, L, T, R);
      for (const BarRect* b :
           {&bar.track, &bar.filled, &bar.overshoot, &bar.markFrame, &bar.markInside})
        if (b->shown && b->right > b->left)
          p->fillRect(QRect(QPoint(b->left, b->top), QPoint(b->right - 1, b->bottom - 1)),
                      FromColorRef(b->colour));
    }
    p->restore();
  }

 private:
  TENAddDayDlg* panel_;
};

// The entry list takes recipes dragged from the recipe list (the recipe list's own mime type).
class EntryListBox : public TContextListBox {
 public:
  EntryListBox(QWidget* parent, std::function<void()> drop)
      : TContextListBox(parent), drop_(std::move(drop)) {
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
  }

 protected:
  static bool Recipes(const QDropEvent* e) {
    return e->mimeData() &&
           e->mimeData()->hasFormat(QString::fromLatin1(RecipeListModel::kMimeType));
  }
  void dragEnterEvent(QDragEnterEvent* e) override {
    if (Recipes(e))
      e->acceptProposedAction();
    else
      e->ignore();
  }
  void dragMoveEvent(QDragMoveEvent* e) override {
    if (Recipes(e))
      e->acceptProposedAction();
    else
      e->ignore();
  }
  void dropEvent(QDropEvent* e) override {
    if (!Recipes(e)) {
      e->ignore();
      return;
    }
    e->setDropAction(Qt::CopyAction);
    e->accept();
    drop_();
  }

 private:
  std::function<void()> drop_;
};

QToolButton* TextButton(QWidget* parent, const char* name, const char* caption) {
  auto* b = Captioned<QToolButton>(parent, name, caption);
  b->setFixedSize(41, 25);
  return b;
}

}  // namespace

TENAddDayDlg::TENAddDayDlg(QWidget* parent, DayPanelAdd add)
    : QWidget(parent), add_(std::move(add)) {
  setObjectName(QStringLiteral("ENAddDayDlg"));
  setMinimumWidth(170);

  QHBoxLayout* titleButtons = nullptr;
  QWidget* titleStrip = PaneTitleStrip(this, "RezTitle", RezTitle, titleButtons);
  titleStrip->setFixedHeight(18);
  RezTitle->setText(toQ(" Tages-Verbrauch"));
  TENHelpBtn = PaneButton(titleStrip, "TENHelpBtn", PanePicture::Help);
  TENCloseBtn = PaneButton(titleStrip, "TENCloseBtn", PanePicture::Close);
  titleButtons->addWidget(TENHelpBtn);
  titleButtons->addWidget(TENCloseBtn);

  Label1 = Captioned<QLabel>(this, "Label1", "Person:");
  PersonCoBo = Named<QComboBox>(this, "PersonCoBo");
  DatePnl = Named<QWidget>(this, "DatePnl");
  DatePnl->setFixedHeight(193);
  Calendar = DockCalendar(DatePnl, [this] { DayPanelDateChanged(); });

  CalcSplt = Named<QSplitter>(this, "CalcSplt");
  CalcSplt->setOrientation(Qt::Vertical);
  CalcSplt->setHandleWidth(3);
  CalcSplt->setChildrenCollapsible(false);
  LMDataPnl = Named<QWidget>(CalcSplt, "LMDataPnl");
  RezLiBo = new EntryListBox(LMDataPnl, [this] { AddRezBtnClick(); });
  RezLiBo->setObjectName(QStringLiteral("RezLiBo"));
  RezLiBo->SetMultiSelect(true);
  RezLiBo->setItemDelegate(new EntryDelegate(this));
  RezLiBo->setUniformItemSizes(true);
  RezLiBo->setStyleSheet(QStringLiteral("QListWidget { background: #f8f8ff; }"));
  MengePnl = Named<QWidget>(LMDataPnl, "MengePnl");
  MengePnl->setFixedHeight(27);
  AddRezBtn = TextButton(MengePnl, "AddRezBtn", "+");
  DelRezBtn = TextButton(MengePnl, "DelRezBtn", "-");
  MengeEdt = Named<QLineEdit>(MengePnl, "MengeEdt");
  MengeEdt->setFixedWidth(41);
  MengeTxt = Captioned<QLabel>(MengePnl, "MengeTxt", "Portionen");
  // The default unit is shown whole: the pane widens for it rather than cut it.
  MengeTxt->setMinimumWidth(MengeTxt->sizeHint().width());
  auto* amountRow = new QHBoxLayout(MengePnl);
  amountRow->setContentsMargins(0, 1, 0, 1);
  amountRow->setSpacing(1);
  amountRow->addWidget(AddRezBtn);
  amountRow->addWidget(DelRezBtn);
  amountRow->addSpacing(2);
  amountRow->addWidget(MengeEdt);
  amountRow->addSpacing(4);
  amountRow->addWidget(MengeTxt, 1);
  auto* listColumn = new QVBoxLayout(LMDataPnl);
  listColumn->setContentsMargins(0, 0, 0, 0);
  listColumn->setSpacing(0);
  listColumn->addWidget(RezLiBo, 1);
  listColumn->addWidget(MengePnl);

  CalcPnl = Named<QWidget>(CalcSplt, "CalcPnl");
  CalcPnl->setMinimumHeight(17);
  QHBoxLayout* valueButtons = nullptr;
  QWidget* valueStrip = PaneTitleStrip(CalcPnl, "Panel1", Panel1, valueButtons);
  Panel1->setText(toQ(" Tageswerte"));
  TSliderBtn = Named<QToolButton>(valueStrip, "TSliderBtn");
  TSliderBtn->setAutoRaise(true);
  TSliderBtn->setFixedSize(14, 14);
  TSliderBtn->setIcon(QIcon(DiaryPixmap(DiaryPicture::Bars)));
  TSliderBtn->setStyleSheet(
      QStringLiteral("QToolButton { border: none; padding: 0; }"
                     "QToolButton:hover { background: #2a2aa8; }"));
  THelpBtn = PaneButton(valueStrip, "THelpBtn", PanePicture::Help);
  TCloseBtn = PaneButton(valueStrip, "TCloseBtn", PanePicture::Close);
  valueButtons->addWidget(TSliderBtn);
  valueButtons->addWidget(THelpBtn);
  valueButtons->addWidget(TCloseBtn);
  DiagrammLiBo = Named<TContextListBox>(CalcPnl, "DiagrammLiBo");
  DiagrammLiBo->setItemDelegate(new DayValueDelegate(this));
  DiagrammLiBo->setUniformItemSizes(true);
  // No minimum height of its own: collapsed, the day values are their title strip alone.
  DiagrammLiBo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
  DiagrammLiBo->setStyleSheet(QStringLiteral("QListWidget { background: #f8f8ff; }"));
  auto* valueColumn = new QVBoxLayout(CalcPnl);
  valueColumn->setContentsMargins(0, 0, 0, 0);
  valueColumn->setSpacing(0);
  valueColumn->addWidget(valueStrip);
  valueColumn->addWidget(DiagrammLiBo, 1);
  CalcSplt->addWidget(LMDataPnl);
  CalcSplt->addWidget(CalcPnl);
  CalcSplt->setStretchFactor(0, 1);
  CalcSplt->setStretchFactor(1, 0);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(4);
  column->addWidget(titleStrip);
  auto* personRow = new QHBoxLayout;
  personRow->setContentsMargins(8, 2, 8, 0);
  personRow->addWidget(Label1);
  personRow->addWidget(PersonCoBo, 1);
  column->addLayout(personRow);
  auto* dateRow = new QHBoxLayout;
  dateRow->setContentsMargins(8, 0, 8, 0);
  dateRow->addWidget(DatePnl);
  column->addLayout(dateRow);
  column->addWidget(CalcSplt, 1);

  TCloseBtn->setToolTip(toQ(GetLangText(735)));
  TENCloseBtn->setToolTip(toQ(GetLangText(735)));
  TENHelpBtn->setToolTip(toQ(GetLangText(736)));
  THelpBtn->setToolTip(toQ(GetLangText(736)));
  TSliderBtn->setToolTip(toQ(GetLangText(737)));
  AddRezBtn->setToolTip(toQ(GetLangText(add_ ? 894 : 892)));
  DelRezBtn->setToolTip(toQ(GetLangText(893)));

  connect(PersonCoBo, &QComboBox::currentIndexChanged, this, [this] { PersonCoBoChange(); });
  connect(AddRezBtn, &QToolButton::clicked, this, [this] { AddRezBtnClick(); });
  connect(DelRezBtn, &QToolButton::clicked, this, [this] { DelRezBtnClick(); });
  connect(MengeEdt, &QLineEdit::editingFinished, this, [this] { MengeEdtExit(); });
  connect(RezLiBo, &QListWidget::itemClicked, this, [this] { RezLiBoClick(); });
  connect(RezLiBo, &QListWidget::currentRowChanged, this, [this] { RezLiBoClick(); });
  connect(DiagrammLiBo, &QListWidget::itemClicked, this, [this] { RezLiBoClick(); });
  connect(RezLiBo, &QListWidget::itemDoubleClicked, this, [this] { RezLiBoDblClick(); });
  connect(DiagrammLiBo, &QListWidget::itemDoubleClicked, this, [this] { RezLiBoDblClick(); });
  connect(TSliderBtn, &QToolButton::clicked, this, [this] { TSliderBtnClick(); });
  connect(TCloseBtn, &QToolButton::clicked, this, [this] { TCloseBtnClick(); });
  connect(THelpBtn, &QToolButton::clicked, this, [this] { THelpBtnClick(); });
  connect(TENHelpBtn, &QToolButton::clicked, this, [this] { TENHelpBtnClick(); });
  connect(TENCloseBtn, &QToolButton::clicked, this, [this] { TENCloseBtnClick(); });

  // A host that is a dialog (the food browser) would take one of the calendar's buttons for its
  // default button and press it at an Enter typed into the amount.
  for (QPushButton* b : findChildren<QPushButton*>()) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }

  if (LangDlg) LangDlg->TranslateForm(this);
  RezTitle->setText(toQ(GetLangText(580)));
  unitCaption_ = MengeTxt->text();

  // The main window's panel lives in the consumption pane; a hosted one fills its host.
  QWidget* host = parent;
  if (!add_) {
    if (MainWindowAccess* main = MainWindow())
      if (QWidget* pane = main->PaneOf(MainPane::Consumption)) {
        main->DockForm(this, pane);
        host = nullptr;
      }
  }
  if (host) {
    if (!host->layout()) DockColumn(host);
    host->layout()->addWidget(this);
  }
  FillPersonCombo();
  if (ENApplogMod)
    listener_ = ENApplogMod->AddDiaryListener([this] {
      RefreshDayPanel();
      RefreshDayValuesList();
    });
  CalcSplt->setSizes({400, 17});
}

TENAddDayDlg::~TENAddDayDlg() {
  if (ENApplogMod && listener_ >= 0) ENApplogMod->RemoveDiaryListener(listener_);
}

void TENAddDayDlg::CalendarDate(int& day, int& month, int& year) const {
  Calendar->GetDate(day, month, year);
}

int TENAddDayDlg::FocusedEntryIndex() const {
  const int row = RezLiBo->currentRow();
  return row < 0 ? -1 : RezLiBo->GetItemData(row);
}

void TENAddDayDlg::FillPersonCombo() {
  filling_ = true;
  PersonCoBo->clear();
  if (ENApplogMod) {
    for (const std::string& name : ENApplogMod->PersonNames()) PersonCoBo->addItem(toQ(name));
    // The active person; the last equal item wins.
    const QString active = toQ(ENApplogMod->GetActivePersonName());
    int found = -1;
    for (int i = 0; i < PersonCoBo->count(); ++i)
      if (PersonCoBo->itemText(i) == active) found = i;
    PersonCoBo->setCurrentIndex(found);
  }
  filling_ = false;
}

void TENAddDayDlg::FillDayEntryList() {
  const int focused = FocusedEntryIndex();
  RezLiBo->clear();
  if (!ENApplogMod) return;
  int d = 0, m = 0, y = 0;
  CalendarDate(d, m, y);
  std::vector<std::pair<std::string, int>> items;
  ENApplogMod->FillDayEntryList(d, m, y, items);
  // Sorted by name, as the list box sorts its items.
  std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
    return QString::compare(toQ(a.first), toQ(b.first), Qt::CaseInsensitive) < 0;
  });
  for (const auto& [name, index] : items) {
    RezLiBo->addItem(toQ(name));
    RezLiBo->SetItemData(RezLiBo->count() - 1, index);
  }
  for (int i = 0; i < RezLiBo->count(); ++i)
    if (RezLiBo->GetItemData(i) == focused) {
      RezLiBo->setCurrentRow(i, QItemSelectionModel::NoUpdate);
      break;
    }
  // No entry focused (another day, the entry gone): the amount of none is shown.
  if (FocusedEntryIndex() < 0) {
    MengeEdt->clear();
    MengeTxt->setText(unitCaption_);
  }
}

void TENAddDayDlg::RefreshDayPanel() {
  FillPersonCombo();
  // Without an active person (a fresh settings file) the person shown becomes the active one,
  // so that "+" adds to the diary it shows.
  if (ENApplogMod && PersonCoBo->currentIndex() < 0 && PersonCoBo->count() > 0) {
    ENApplogMod->SwitchPerson(fromQ(PersonCoBo->itemText(0)));
    int d = 0, m = 0, y = 0;
    CalendarDate(d, m, y);
    ENApplogMod->LoadMonth(m, y);
    FillPersonCombo();
  }
  FillDayEntryList();
}

void TENAddDayDlg::RefreshDayValuesList() {
  if (!ENApplogMod) return;
  int d = 0, m = 0, y = 0;
  CalendarDate(d, m, y);
  ENApplogMod->AggregateDayValues(d, m, y);
  DiagrammLiBo->clear();
  for (size_t i = 0; i < ENApplogMod->dayValues.size(); ++i) DiagrammLiBo->addItem(QString());
  RezLiBo->viewport()->update();
}

void TENAddDayDlg::keyPressEvent(QKeyEvent* e) {
  // Enter has ended the edit of the field it was typed in; it goes no further, to no default
  // button of the window that hosts the panel.
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    e->accept();
    return;
  }
  QWidget::keyPressEvent(e);
}

void TENAddDayDlg::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  if (!e->spontaneous()) FormShow();
}

void TENAddDayDlg::FormShow() {
  RezTitle->setText(toQ(GetLangText(580)));
  // The day values start collapsed to their title strip.
  CalcSplt->setSizes({std::max(1, CalcSplt->height() - 17), 17});
  DayPanelDateChanged();
}

void TENAddDayDlg::DayPanelDateChanged() {
  if (!ENApplogMod) return;
  int d = 0, m = 0, y = 0;
  CalendarDate(d, m, y);
  ENApplogMod->LoadMonth(m, y);
  // The amount box belonged to an entry of the day left.
  RezLiBo->setCurrentRow(-1);
  RefreshDayPanel();
  RefreshDayValuesList();
}

void TENAddDayDlg::PersonCoBoChange() {
  if (filling_ || !ENApplogMod || PersonCoBo->currentIndex() < 0) return;
  // Months and weight log of the old person are written and dropped first.
  ENApplogMod->SwitchPerson(fromQ(PersonCoBo->currentText()));
  DayPanelDateChanged();
}

void TENAddDayDlg::AddRezBtnClick() {
  if (!ENApplogMod) return;
  int d = 0, m = 0, y = 0;
  CalendarDate(d, m, y);
  if (add_)
    add_(d, m, y);
  else if (ChooseRezDlg)
    ChooseRezDlg->AddSelectedToDiary(d, m, y);
  DayChangedHere(d, m, y);
  ENApplogMod->NotifyDiaryChanged();
}

void TENAddDayDlg::DayChangedHere(int d, int m, int y) {
  FillDayEntryList();
  if (ENDAY* day = ENApplogMod->GetDay(d, m, y)) ENApplogMod->CalcDaySums(day);
  RefreshDayValuesList();
  ENApplogMod->SaveAllMonths();
}

ENENTRY* TENAddDayDlg::FocusedEntry(int& d, int& m, int& y, int& index) const {
  index = FocusedEntryIndex();
  if (index < 0 || !ENApplogMod) return nullptr;
  CalendarDate(d, m, y);
  return ENApplogMod->GetDayEntry(d, m, y, index);
}

void TENAddDayDlg::DelRezBtnClick() {
  int d = 0, m = 0, y = 0, index = -1;
  if (!FocusedEntry(d, m, y, index)) return;
  // The module sums the day, writes the month and tells every view.
  ENApplogMod->DeleteEntry(d, m, y, index);
  FillDayEntryList();
  RefreshDayValuesList();
}

void TENAddDayDlg::MengeEdtExit() {
  int d = 0, m = 0, y = 0, index = -1;
  ENENTRY* e = FocusedEntry(d, m, y, index);
  if (!e) return;
  std::string text = fromQ(MengeEdt->text());
  const double value = TypedAmount(text);
  MengeEdt->setText(toQ(text));
  if (value == e->amount) return;
  // An amount of 0 (or no number) keeps the entry's amount; one below zero is refused.
  if (!ENApplogMod->ChangeEntryAmount(d, m, y, index, value)) {
    MengeEdt->setText(toQ(FormatGeneral(e->amount)));
    return;
  }
  FillDayEntryList();
  RefreshDayValuesList();
}

void TENAddDayDlg::RezLiBoClick() {
  int d = 0, m = 0, y = 0, index = -1;
  if (const ENENTRY* e = FocusedEntry(d, m, y, index)) {
    MengeEdt->setText(toQ(FormatGeneral(e->amount)));
    MengeTxt->setText(toQ(e->unit));
  }
}

void TENAddDayDlg::RezLiBoDblClick() {
  int d = 0, m = 0, y = 0, index = -1;
  ENENTRY* e = FocusedEntry(d, m, y, index);
  if (!e) return;
  if (!e->isRecipe) {
    if (FoodBrowser* browser = Linked<FoodBrowser>()) browser->ShowFood(e->foodKey);
    return;
  }
  RecipeCalc* calc = ctx().calc;
  if (!calc) return;
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
  // The window may have run anything: the module finds the entry again.
  ENApplogMod->TakeRecipeRecalculation(d, m, y, index, amount);
}

void TENAddDayDlg::TSliderBtnClick() {
  showBars_ = !showBars_;
  DiagrammLiBo->viewport()->update();
}

void TENAddDayDlg::TCloseBtnClick() {
  const QList<int> sizes = CalcSplt->sizes();
  const int total = sizes.value(0) + sizes.value(1);
  const int open = sizes.value(1) != 17 ? 17 : total / 2;
  CalcSplt->setSizes({total - open, open});
}

void TENAddDayDlg::THelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Tip_DayValue.htm");
}

void TENAddDayDlg::TENHelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Win_DayCalc.htm");
}

void TENAddDayDlg::TENCloseBtnClick() {
  if (closeRequested) {
    closeRequested();
    return;
  }
  if (MainWindowAccess* main = MainWindow()) main->ToggleConsumptionPane(false);
}

}  // namespace tav
