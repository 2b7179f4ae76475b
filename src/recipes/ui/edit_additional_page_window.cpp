#include "recipes/ui/edit_additional_page_window.h"

#include <algorithm>

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "nutrients/nutrient_table.h"
#include "platform/qt/qt_text.h"
#include "recipes/ui/edit_page_dock.h"
#include "services/context.h"
#include "services/dates.h"
#include "services/options_store.h"
#include "services/ui/form_controls.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"

namespace tav {

TZEditDlg* ZEditDlg = nullptr;

namespace {

QLabel* Caption(QWidget* parent, const char* name, const char* text) {
  auto* l = Named<QLabel>(parent, name);
  l->setText(QString::fromUtf8(text));
  return l;
}

// The text of a line edit when the user changed it, else the recipe's own text unchanged.
void TakeEdit(const QLineEdit* edit, std::string& field) {
  if (edit->isModified()) field = fromQ(edit->text());
}

std::string* GridField(REZBLOCK& r, int row, int col) {
  std::string* fields[2][3] = {{&r.createdBy, &r.createdDate, &r.createdEmail},
                               {&r.changedBy, &r.changedDate, &r.changedEmail}};
  return fields[row][col];
}

}  // namespace

TZEditDlg::TZEditDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  ZEditDlg = this;
  setObjectName(QStringLiteral("ZEditDlg"));
  setWindowTitle(QString::fromUtf8("  Zusätzliche Angaben"));

  QWidget* box = PageScrollBox(this, "ScrollBox", ScrollBox);

  TitleTxt = PageTitleLabel(box, "TitleTxt");

  TimeGrp = Named<QGroupBox>(box, "TimeGrp");
  TimeGrp->setTitle(QString::fromUtf8(" Zeiten: "));
  TimePrepLbl = Caption(TimeGrp, "TimePrepLbl", "Vorbereitungszeit:");
  TimePrepEdt = Named<QLineEdit>(TimeGrp, "TimePrepEdt");
  TimeCookLbl = Caption(TimeGrp, "TimeCookLbl", "Zeit fürs Kochen:");
  TimeCookEdt = Named<QLineEdit>(TimeGrp, "TimeCookEdt");
  TimeAllLbl = Caption(TimeGrp, "TimeAllLbl", "Zeit insgesamt:");
  TimeAllEdt = Named<QLineEdit>(TimeGrp, "TimeAllEdt");
  auto* times = new QGridLayout(TimeGrp);
  times->addWidget(TimePrepLbl, 0, 0);
  times->addWidget(TimePrepEdt, 0, 1);
  times->addWidget(TimeCookLbl, 1, 0);
  times->addWidget(TimeCookEdt, 1, 1);
  times->addWidget(TimeAllLbl, 2, 0);
  times->addWidget(TimeAllEdt, 2, 1);
  times->setColumnStretch(1, 1);
  times->setRowStretch(3, 1);

  StoffGrp = Named<QGroupBox>(box, "StoffGrp");
  StoffGrp->setTitle(QString::fromUtf8(" Summen von BLS-Inhaltsstoffen: "));
  StoffLbl = Caption(StoffGrp, "StoffLbl", "Inhaltsstoffe:");
  StoffCoBo = Named<QComboBox>(StoffGrp, "StoffCoBo");
  DelStoffBtn = Named<QPushButton>(StoffGrp, "DelStoffBtn");
  DelStoffBtn->setText(QString::fromUtf8("&löschen"));
  auto* stoffe = new QGridLayout(StoffGrp);
  stoffe->addWidget(StoffLbl, 0, 0, 1, 2);
  stoffe->addWidget(StoffCoBo, 1, 0);
  stoffe->addWidget(DelStoffBtn, 1, 1);
  stoffe->setColumnStretch(0, 1);
  stoffe->setRowStretch(2, 1);

  RemarkGrp = Named<QGroupBox>(box, "RemarkGrp");
  RemarkGrp->setTitle(QString::fromUtf8(" Anmerkungen: "));
  RemarkUserLbl = Caption(RemarkGrp, "RemarkUserLbl", "Von der Person:");
  RemarkUserCoBo = Named<QComboBox>(RemarkGrp, "RemarkUserCoBo");
  RemarkEdt = Named<QTextEdit>(RemarkGrp, "RemarkEdt");
  RemarkEdt->setAcceptRichText(false);
  RemarkEdt->setTabChangesFocus(true);
  DelRemarkBtn = Named<QPushButton>(RemarkGrp, "DelRemarkBtn");
  DelRemarkBtn->setText(QString::fromUtf8("&löschen"));
  auto* remarkTop = new QHBoxLayout;
  remarkTop->addWidget(RemarkUserLbl);
  remarkTop->addWidget(RemarkUserCoBo, 1);
  remarkTop->addWidget(DelRemarkBtn);
  auto* remarks = new QVBoxLayout(RemarkGrp);
  remarks->addLayout(remarkTop);
  remarks->addWidget(RemarkEdt, 1);

  OtherGrp = Named<QGroupBox>(box, "OtherGrp");
  OtherGrp->setTitle(QString::fromUtf8(" Sonstiges: "));
  ErfasserGrd = Named<QTableWidget>(OtherGrp, "ErfasserGrd");
  ErfasserGrd->setRowCount(2);
  ErfasserGrd->setColumnCount(3);
  ErfasserGrd->horizontalHeader()->setStretchLastSection(true);
  ErfasserGrd->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  ErfasserGrd->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ErfasserGrd->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) ErfasserGrd->setItem(r, c, new QTableWidgetItem());
  FSStarsLbl = Caption(OtherGrp, "FSStarsLbl", "Freß-Sternchen:");
  FSStarsEdt = Named<QLineEdit>(OtherGrp, "FSStarsEdt");
  RezIDLbl = Caption(OtherGrp, "RezIDLbl", "Rezept-ID:");
  RezIDTxt = Named<QLabel>(OtherGrp, "RezIDTxt");
  RezIDTxt->setFont(TitleTxt->font());
  RezIDTxt->setTextInteractionFlags(Qt::TextSelectableByMouse);
  CreateRezIDBtn = Named<QPushButton>(OtherGrp, "CreateRezIDBtn");
  CreateRezIDBtn->setText(QString::fromUtf8("Neu erzeugen"));
  auto* side = new QGridLayout;
  side->addWidget(FSStarsLbl, 0, 0);
  side->addWidget(FSStarsEdt, 0, 1);
  side->addWidget(RezIDLbl, 1, 0);
  side->addWidget(RezIDTxt, 1, 1);
  side->addWidget(CreateRezIDBtn, 2, 1, Qt::AlignLeft);
  side->setRowStretch(3, 1);
  auto* other = new QHBoxLayout(OtherGrp);
  other->addWidget(ErfasserGrd, 1);
  other->addSpacing(12);
  other->addLayout(side);

  auto* upper = new QHBoxLayout;
  upper->addWidget(TimeGrp, 1);
  upper->addWidget(StoffGrp, 1);
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(TitleTxt);
  layout->addLayout(upper);
  layout->addWidget(RemarkGrp, 1);
  layout->addWidget(OtherGrp);

  for (QWidget* w : {static_cast<QWidget*>(TimePrepEdt), static_cast<QWidget*>(TimeCookEdt),
                     static_cast<QWidget*>(TimeAllEdt), static_cast<QWidget*>(FSStarsEdt),
                     static_cast<QWidget*>(RemarkEdt)})
    w->installEventFilter(this);
  connect(RemarkUserCoBo, &QComboBox::activated, this, [this] { RemarkUserCoBoChange(); });
  connect(DelRemarkBtn, &QPushButton::clicked, this, [this] { DelRemarkBtnClick(); });
  connect(CreateRezIDBtn, &QPushButton::clicked, this, [this] { CreateRezIDBtnClick(); });
  connect(DelStoffBtn, &QPushButton::clicked, this, [this] { DelStoffBtnClick(); });
  FormCreate();
}

TZEditDlg::~TZEditDlg() {
  if (ZEditDlg == this) ZEditDlg = nullptr;
}

void TZEditDlg::FormCreate() {
  if (LangDlg) LangDlg->TranslateForm(this);
  ErfasserGrd->setHorizontalHeaderLabels(
      {toQ(GetLangText(520)), toQ(GetLangText(521)), toQ(GetLangText(522))});
  ErfasserGrd->setVerticalHeaderLabels({toQ(GetLangText(523)), toQ(GetLangText(524))});
  ErfasserGrd->setColumnWidth(0, 150);
  ErfasserGrd->setColumnWidth(1, 90);
  ErfasserGrd->verticalHeader()->setMinimumWidth(80);
  ErfasserGrd->setMinimumWidth(80 + 150 + 90 + 150);
  const int rows = ErfasserGrd->horizontalHeader()->sizeHint().height() +
                   2 * ErfasserGrd->verticalHeader()->defaultSectionSize() +
                   2 * ErfasserGrd->frameWidth();
  ErfasserGrd->setFixedHeight(rows);
}

bool TZEditDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) EnableClipboard();
  return QWidget::eventFilter(watched, event);
}

void TZEditDlg::EnableClipboard() {
  if (auto* main = MainWindow()) main->UpdateClipboardMenu();
}

std::string TZEditDlg::UserName() const {
  return ctx().options ? ctx().options->Str(10) : std::string();
}

std::string TZEditDlg::RemarkText(int index) const {
  if (!editRecipe || index < 0) return std::string();
  if (index < static_cast<int>(editRecipe->remarks.size())) return editRecipe->remarks[index].text;
  return userRemarkPending_ ? pendingText_ : std::string();
}

void TZEditDlg::SetRemarkText(int index, const std::string& text) {
  if (!editRecipe || index < 0) return;
  if (index < static_cast<int>(editRecipe->remarks.size())) {
    editRecipe->remarks[index].text = text;
  } else if (userRemarkPending_) {
    pendingText_ = text;
    // Once it has a text the user's remark belongs to the recipe.
    if (!text.empty()) {
      editRecipe->remarks.push_back({text, UserName()});
      userRemarkPending_ = false;
    }
  }
}

// The remark field into the remark shown, when the user changed it.
void TZEditDlg::TakeRemarkField() {
  if (RemarkEdt->document()->isModified()) SetRemarkText(remarkIndex, fromQ(RemarkEdt->toPlainText()));
  RemarkEdt->document()->setModified(false);
}

void TZEditDlg::ShowRemark(int index) {
  remarkIndex = index;
  RemarkUserCoBo->setCurrentIndex(index);
  RemarkEdt->setPlainText(toQ(RemarkText(index)));
  RemarkEdt->document()->setModified(false);
}

void TZEditDlg::ShowRecipeId() {
  if (!editRecipe) return;
  RezIDTxt->setText(QString::number(editRecipe->recipeIdHigh) + QLatin1Char(',') +
                    QString::number(editRecipe->recipeIdLow));
}

void TZEditDlg::ZEditLoadRez(REZBLOCK* recipe) {
  editRecipe = recipe;
  if (!recipe) return;
  ShowRecipeId();
  TitleTxt->setText(toQ(recipe->title));
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) {
      gridLoaded_[r][c] = *GridField(*recipe, r, c);
      ErfasserGrd->item(r, c)->setText(toQ(gridLoaded_[r][c]));
    }
  TimePrepEdt->setText(toQ(recipe->prepTime));
  TimeCookEdt->setText(toQ(recipe->cookTime));
  TimeAllEdt->setText(toQ(recipe->totalTime));
  FSStarsEdt->setText(toQ(recipe->points));

  const std::string user = UserName();
  RemarkUserCoBo->clear();
  int chosen = 0;
  for (size_t i = 0; i < recipe->remarks.size(); ++i) {
    RemarkUserCoBo->addItem(toQ(recipe->remarks[i].author));
    if (recipe->remarks[i].author == user) chosen = static_cast<int>(i);
  }
  userRemarkPending_ = std::none_of(recipe->remarks.begin(), recipe->remarks.end(),
                                    [&](const REZREMARK& m) { return m.author == user; });
  pendingText_.clear();
  if (userRemarkPending_) {
    RemarkUserCoBo->addItem(toQ(user));
    chosen = RemarkUserCoBo->count() - 1;
  }
  ShowRemark(chosen);

  StoffCoBo->clear();
  for (const REZSTOFFMENGE& n : recipe->nutrients) {
    ISTOFF stoff;
    std::string name, unit;
    if (ctx().nutrients && ctx().nutrients->FindStoffByCode(n.code, &stoff)) {
      name = stoff.name;
      const std::string u = stoff.unit;
      if (const size_t slash = u.find('/'); slash != std::string::npos) unit = u.substr(0, slash);
    }
    StoffCoBo->addItem(toQ(name + " " + n.value + " " + unit));
  }
  if (StoffCoBo->count() > 0) StoffCoBo->setCurrentIndex(0);
}

void TZEditDlg::ZEditStoreRez() {
  if (!editRecipe) return;
  TakeRemarkField();
  TakeEdit(TimePrepEdt, editRecipe->prepTime);
  TakeEdit(TimeCookEdt, editRecipe->cookTime);
  TakeEdit(TimeAllEdt, editRecipe->totalTime);
  TakeEdit(FSStarsEdt, editRecipe->points);
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) {
      const std::string cell = fromQ(ErfasserGrd->item(r, c)->text());
      if (cell != gridLoaded_[r][c]) *GridField(*editRecipe, r, c) = gridLoaded_[r][c] = cell;
    }
}

void TZEditDlg::ZEditShowPage() {
  DockEditPage(this);
}

void TZEditDlg::RemarkUserCoBoChange() {
  TakeRemarkField();
  ShowRemark(RemarkUserCoBo->currentIndex());
}

void TZEditDlg::DelRemarkBtnClick() {
  const int index = RemarkUserCoBo->currentIndex();
  if (!editRecipe || index < 0) return;
  const std::string user = UserName();
  const bool inRecipe = index < static_cast<int>(editRecipe->remarks.size());
  const std::string author = inRecipe ? editRecipe->remarks[index].author : user;
  if (!user.empty() && author == user) {
    // The user's own remark stays and is stored empty.
    RemarkEdt->clear();
    RemarkEdt->document()->setModified(true);
    return;
  }
  if (inRecipe)
    editRecipe->remarks.erase(editRecipe->remarks.begin() + index);
  else
    userRemarkPending_ = false;
  RemarkUserCoBo->removeItem(index);
  ShowRemark(RemarkUserCoBo->count() > 0 ? 0 : -1);
}

void TZEditDlg::CreateRezIDBtnClick() {
  if (!editRecipe) return;
  int32_t id[2] = {0, 0};
  NewRecipeId(id);
  editRecipe->recipeIdLow = id[0];
  editRecipe->recipeIdHigh = id[1];
  ShowRecipeId();
}

void TZEditDlg::DelStoffBtnClick() {
  const int index = StoffCoBo->currentIndex();
  if (!editRecipe || index < 0 || index >= static_cast<int>(editRecipe->nutrients.size())) return;
  editRecipe->nutrients.erase(editRecipe->nutrients.begin() + index);
  StoffCoBo->removeItem(index);
  StoffCoBo->setCurrentIndex(StoffCoBo->count() > 0 ? 0 : -1);
}

}  // namespace tav
