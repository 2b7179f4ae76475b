#include "recipes/ui/power_search_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/numbers.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "recipedb/category_table.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/ingredient_catalogue.h"
#include "recipedb/recipe_store.h"
#include "recipes/power_search.h"
#include "recipes/ui/empty_view_window.h"
#include "recipes/ui/recipe_list_window.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/context_list_box.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"
#include "services/ui/named_controls.h"
#include "services/ui/tips_access.h"

namespace tav {

TPSearchDlg* PSearchDlg = nullptr;

namespace {

QLabel* RowLabel(QWidget* parent, const char* name, const char* text) {
  auto* l = Named<QLabel>(parent, name);
  l->setText(toQ(text));
  return l;
}

// Fills a list box with items sorted as the user reads them (case and accents aside).
void FillSorted(TContextListBox* list, std::vector<ListItem> items) {
  std::stable_sort(items.begin(), items.end(), [](const ListItem& a, const ListItem& b) {
    return CompareTextNoCase(a.text, b.text) < 0;
  });
  list->clear();
  for (const ListItem& item : items) {
    list->addItem(toQ(item.text));
    list->SetItemData(list->count() - 1, item.data);
  }
}

std::vector<std::string> SelectedTexts(const QListWidget* list) {
  std::vector<std::string> out;
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->isSelected()) out.push_back(fromQ(list->item(i)->text()));
  return out;
}

}  // namespace

TPSearchDlg::TPSearchDlg(QWidget* parent) : QDialog(parent), bookChoice_(this) {
  PSearchDlg = this;
  setObjectName(QStringLiteral("PSearchDlg"));
  setWindowTitle(QStringLiteral("Powersuche"));

  // Words, energy, points and the three conditions.
  TitelTxt = RowLabel(this, "TitelTxt", "Titel:");
  TitelEdt = Named<QLineEdit>(this, "TitelEdt");
  TextTxt = RowLabel(this, "TextTxt", "Textstelle:");
  TextEdt = Named<QLineEdit>(this, "TextEdt");
  StichTxt = RowLabel(this, "StichTxt", "Stichwort:");
  StichEdt = Named<QLineEdit>(this, "StichEdt");
  AutorTxt = RowLabel(this, "AutorTxt", "Autor:");
  AutorEdt = Named<QLineEdit>(this, "AutorEdt");
  QuelleTxt = RowLabel(this, "QuelleTxt", "Quelle:");
  QuelleEdt = Named<QLineEdit>(this, "QuelleEdt");
  for (QLineEdit* e : {TitelEdt, TextEdt, StichEdt, AutorEdt, QuelleEdt}) e->setMaxLength(60);
  MaxTxt = RowLabel(this, "MaxTxt", "Maximal");
  EnergieEdt = Named<QLineEdit>(this, "EnergieEdt");
  EnergieTxt = RowLabel(this, "EnergieTxt", "kcal");
  FSStarsTxt = RowLabel(this, "FSStarsTxt", "Fre\xDF-Sterne:");
  WWCompareCoBo = Named<QComboBox>(this, "WWCompareCoBo");
  WWCompareCoBo->addItems({QStringLiteral("<"), QStringLiteral("="), QStringLiteral(">")});
  FSStarsEdt = Named<QLineEdit>(this, "FSStarsEdt");
  RezPicTxt = RowLabel(this, "RezPicTxt", "Rezeptbild:");
  RezPicChk = Captioned<QCheckBox>(this, "RezPicChk", "mu\xDF vorhanden sein");
  MarkTxt = RowLabel(this, "MarkTxt", "Markierung:");
  MarkChk = Captioned<QCheckBox>(this, "MarkChk", "mu\xDF markiert sein");
  CaseSensTxt = RowLabel(this, "CaseSensTxt", "Gro\xDF-/Klein:");
  CaseSensChk = Captioned<QCheckBox>(this, "CaseSensChk", "soll beachtet werden");
  ResetBtn = Captioned<QPushButton>(this, "ResetBtn", "L\xF6sche alle Such-Parameter");

  auto* criteria = new QGridLayout;
  int row = 0;
  for (auto [label, edit] : {std::pair{TitelTxt, TitelEdt},
                             {TextTxt, TextEdt},
                             {StichTxt, StichEdt},
                             {AutorTxt, AutorEdt},
                             {QuelleTxt, QuelleEdt}}) {
    criteria->addWidget(label, row, 0);
    criteria->addWidget(edit, row++, 1, 1, 2);
  }
  criteria->addWidget(MaxTxt, row, 0);
  criteria->addWidget(EnergieEdt, row, 1);
  criteria->addWidget(EnergieTxt, row++, 2);
  criteria->addWidget(FSStarsTxt, row, 0);
  auto* points = new QHBoxLayout;
  points->addWidget(WWCompareCoBo);
  points->addWidget(FSStarsEdt, 1);
  criteria->addLayout(points, row++, 1);
  for (auto [label, box] :
       {std::pair{RezPicTxt, RezPicChk}, {MarkTxt, MarkChk}, {CaseSensTxt, CaseSensChk}}) {
    criteria->addWidget(label, row, 0);
    criteria->addWidget(box, row++, 1, 1, 2);
  }
  criteria->addWidget(ResetBtn, row++, 0, 1, 3, Qt::AlignLeft);
  criteria->setColumnStretch(2, 1);

  // Books.
  BookGrp = bookChoice_.group;
  BookAktRdb = bookChoice_.current;
  BookAllRdb = bookChoice_.all;
  BookSelRdb = bookChoice_.chosen;
  KBookLiBo = bookChoice_.list;

  // Categories.
  GattGrp = Named<QGroupBox>(this, "GattGrp");
  GattGrp->setTitle(toQ(" In welchen Gattungen suchen ?"));
  GattAllRdb = Captioned<QRadioButton>(GattGrp, "GattAllRdb", "alle &Gattungen");
  GattSelRdb = Captioned<QRadioButton>(GattGrp, "GattSelRdb", "&nur folgende Gattungen");
  GattLiBo = Named<TContextListBox>(GattGrp, "GattLiBo");
  GattLiBo->SetMultiSelect(true);
  auto* gatt = new QVBoxLayout(GattGrp);
  gatt->addWidget(GattAllRdb);
  gatt->addWidget(GattSelRdb);
  gatt->addWidget(GattLiBo, 1);

  // Ingredients.
  ZutatGrp = Named<QGroupBox>(this, "ZutatGrp");
  ZutatGrp->setTitle(QStringLiteral(" Zutaten "));
  ZutNoneChk = Captioned<QCheckBox>(ZutatGrp, "ZutNoneChk", "Z&utaten nicht beachten");
  ZutAllAndChk = Captioned<QCheckBox>(ZutatGrp, "ZutAllAndChk",
                                      "alle folgenden &Zutaten m\xFCssen dabei sein");
  ZutOneAndChk = Captioned<QCheckBox>(ZutatGrp, "ZutOneAndChk",
                                      "eine der folgenden Zutaten mu\xDF &dabei sein");
  ZutatANDLiBo = Named<TContextListBox>(ZutatGrp, "ZutatANDLiBo");
  ZutatANDText = Named<QLineEdit>(ZutatGrp, "ZutatANDText");
  ZutatANDTextBtn = Captioned<QPushButton>(ZutatGrp, "ZutatANDTextBtn", "^ hinzuf\xFCgen");
  ZutOneNotChk = Captioned<QCheckBox>(ZutatGrp, "ZutOneNotChk",
                                      "k&eine der folgenden Zutaten darf dabei sein");
  ZutatNOTLiBo = Named<TContextListBox>(ZutatGrp, "ZutatNOTLiBo");
  ZutatNOTText = Named<QLineEdit>(ZutatGrp, "ZutatNOTText");
  ZutatNOTTextBtn = Captioned<QPushButton>(ZutatGrp, "ZutatNOTTextBtn", "^ hinzuf\xFCgen");
  ZutatANDLiBo->SetMultiSelect(true);
  ZutatNOTLiBo->SetMultiSelect(true);
  auto* zut = new QVBoxLayout(ZutatGrp);
  zut->addWidget(ZutNoneChk);
  zut->addWidget(ZutAllAndChk);
  zut->addWidget(ZutOneAndChk);
  zut->addWidget(ZutatANDLiBo, 1);
  auto* andRow = new QHBoxLayout;
  andRow->addWidget(ZutatANDText, 1);
  andRow->addWidget(ZutatANDTextBtn);
  zut->addLayout(andRow);
  zut->addSpacing(6);
  zut->addWidget(ZutOneNotChk);
  zut->addWidget(ZutatNOTLiBo, 1);
  auto* notRow = new QHBoxLayout;
  notRow->addWidget(ZutatNOTText, 1);
  notRow->addWidget(ZutatNOTTextBtn);
  zut->addLayout(notRow);

  // Progress and buttons.
  Process1Txt = RowLabel(this, "Process1Txt", "Suche l\xE4uft...");
  Process3Txt = RowLabel(this, "Process3Txt", "Gefundene Rezepte:");
  Process2Txt = RowLabel(this, "Process2Txt", "");
  ProgressBar = Named<QProgressBar>(this, "ProgressBar");
  ProgressBar->setRange(0, 100);
  ProgressBar->setTextVisible(false);
  HelpBtn = Named<QToolButton>(this, "HelpBtn");
  HelpBtn->setText(QStringLiteral("?"));
  StartBtn = Captioned<QPushButton>(this, "StartBtn", "&Start");
  StartBtn->setDefault(true);
  CancelBtn = Captioned<QPushButton>(this, "CancelBtn", "&Abbrechen");
  Timer = new QTimer(this);
  Timer->setInterval(500);

  auto* left = new QVBoxLayout;
  left->addLayout(criteria);
  left->addWidget(BookGrp, 1);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 3);
  columns->addWidget(GattGrp, 2);
  columns->addWidget(ZutatGrp, 3);
  auto* progress = new QHBoxLayout;
  progress->addWidget(Process1Txt);
  progress->addWidget(ProgressBar, 1);
  progress->addWidget(Process3Txt);
  progress->addWidget(Process2Txt);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns, 1);
  layout->addLayout(progress);
  layout->addLayout(DialogButtonRow(HelpBtn, {StartBtn, CancelBtn}));

  connect(StartBtn, &QPushButton::clicked, this, [this] { StartBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  connect(ResetBtn, &QPushButton::clicked, this, [this] { ResetBtnClick(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  connect(Timer, &QTimer::timeout, this, [this] { TimerTimer(); });
  connect(ZutatANDTextBtn, &QPushButton::clicked, this, [this] { ZutatANDTextBtnClick(); });
  connect(ZutatNOTTextBtn, &QPushButton::clicked, this, [this] { ZutatNOTTextBtnClick(); });
  // Ticking a box from the program runs its handler too, as the boxes depend on each other.
  connect(ZutNoneChk, &QCheckBox::toggled, this, [this] { ZutNoneChkClick(); });
  connect(ZutAllAndChk, &QCheckBox::toggled, this, [this] { ZutAllAndChkClick(); });
  connect(ZutOneAndChk, &QCheckBox::toggled, this, [this] { ZutOneAndChkClick(); });
  connect(ZutOneNotChk, &QCheckBox::toggled, this, [this] { ZutOneNotChkClick(); });
  connect(ZutatANDLiBo, &QListWidget::itemClicked, this, [this] { ZutatANDLiBoClick(); });
  connect(ZutatNOTLiBo, &QListWidget::itemClicked, this, [this] { ZutatNOTLiBoClick(); });
  connect(GattLiBo, &QListWidget::itemClicked, this, [this] { GattLiBoClick(); });
  connect(KBookLiBo, &QListWidget::itemClicked, this, [this] { KBookLiBoClick(); });
  FormCreate();
}

void TPSearchDlg::FormCreate() {
  BookAktRdb->setChecked(true);
  if (ctx().books) {
    // The names as the cookbook list gives them all at once, split at the section sign.
    uint16_t count = kAllBookNames;
    std::string joined;
    ctx().books->GetKBookName(count, joined);
    std::vector<std::string> names;
    size_t start = 0;
    for (uint16_t i = 0; i < count && start <= joined.size(); ++i) {
      const size_t end = joined.find(kBookNameSeparator, start);
      names.push_back(joined.substr(start, end == std::string::npos ? end : end - start));
      start = end == std::string::npos ? joined.size() + 1 : end + 1;
    }
    bookChoice_.FillNames(std::move(names));
  }
  GattAllRdb->setChecked(true);
  std::vector<ListItem> items;
  if (ctx().categories) ctx().categories->FillMainGattList(items);
  FillSorted(GattLiBo, items);
  items.clear();
  if (ctx().ingredients) ctx().ingredients->FillZutatList(items, true);
  FillSorted(ZutatANDLiBo, items);
  FillSorted(ZutatNOTLiBo, items);
  ResetSearchCriteria();
  if (LangDlg) LangDlg->TranslateForm(this);
  const bool kJ = ctx().options && ctx().options->Flag(16);
  EnergieTxt->setText(toQ((kJ ? "kJoule " : "kcal ") + GetLangText(616)));
}

void TPSearchDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Timer->stop();
  for (QWidget* w : {static_cast<QWidget*>(Process1Txt), static_cast<QWidget*>(Process2Txt),
                     static_cast<QWidget*>(Process3Txt), static_cast<QWidget*>(ProgressBar)})
    w->hide();
  TitelEdt->setFocus();
  CenterOnForm(this);
}

void TPSearchDlg::closeEvent(QCloseEvent* event) {
  Timer->stop();
  Searching = false;
  QDialog::closeEvent(event);
}

void TPSearchDlg::reject() {
  Searching = false;
  QDialog::reject();
}

void TPSearchDlg::ResetSearchCriteria() {
  for (QLineEdit* e : {TitelEdt, TextEdt, StichEdt, AutorEdt, QuelleEdt, EnergieEdt, FSStarsEdt})
    e->clear();
  WWCompareCoBo->setCurrentIndex(0);
  RezPicChk->setChecked(false);
  CaseSensChk->setChecked(false);
  MarkChk->setChecked(false);
  GattAllRdb->setChecked(true);
  ZutNoneChk->setChecked(true);
  ZutNoneChkClick();
  ZutatNOTText->clear();
  ZutatANDText->clear();
}

void TPSearchDlg::SetSearchText(int which, const std::string& text) {
  if (which == 0) TitelEdt->setText(toQ(text));
  if (which == 1) TextEdt->setText(toQ(text));
}

int TPSearchDlg::CountRecipesToSearch() const {
  int total = 0;
  if (ctx().books)
    for (const std::string& name : bookChoice_.ChosenNames())
      total += ctx().books->CountKBookRecipes(name, false);
  return total;
}

void TPSearchDlg::ShowSearchProgress() {
  ProgressBar->setValue(std::min(ScannedCount, ProgressBar->maximum()));
  Process2Txt->setText(QString::number(FoundCount) + QLatin1Char('/') +
                       QString::number(ScannedCount));
  Process2Txt->repaint();
}

void TPSearchDlg::StartBtnClick() {
  Timer->start();
  ShowSearchProgress();
  const int total = CountRecipesToSearch();
  for (QWidget* w : {static_cast<QWidget*>(Process1Txt), static_cast<QWidget*>(Process2Txt),
                     static_cast<QWidget*>(Process3Txt), static_cast<QWidget*>(ProgressBar)})
    w->show();
  ProgressBar->setRange(0, std::max(total, 1));
  ScannedCount = FoundCount = 0;
  if (ChooseRezDlg) ChooseRezDlg->ResetSearchResult();
  bool goOn = true;
  CaseSensitive = CaseSensChk->isChecked();
  AndWords = SelectedTexts(ZutatANDLiBo);
  NotWords = SelectedTexts(ZutatNOTLiBo);

  for (const std::string& name : bookChoice_.ChosenNames()) {
    goOn = SearchKBook(name);
    if (!goOn) break;
  }
  if (auto* tips = TipsWindow()) tips->ShowTip(7, 2);
  if (goOn) {
    if (FoundCount > 0) {
      if (ChooseRezDlg) ChooseRezDlg->ShowSearchResult();
      Timer->stop();
      ShowSearchProgress();
      accept();
      return;
    }
    Process1Txt->hide();
    MessageBox(GetLangText(1), GetLangText(2), MB_OK);
  }
  Timer->stop();
  ShowSearchProgress();
}

bool TPSearchDlg::SearchKBook(const std::string& name) {
  PowerSearchCriteria c;
  c.caseSensitive = CaseSensitive;
  c.title = fromQ(TitelEdt->text());
  c.author = fromQ(AutorEdt->text());
  c.source = fromQ(QuelleEdt->text());
  c.keyword = fromQ(StichEdt->text());
  c.text = fromQ(TextEdt->text());
  // Both decimal marks are taken in the number fields.
  c.points = ReadNumber(fromQ(FSStarsEdt->text()));
  c.pointsCompare = WWCompareCoBo->currentIndex();
  if (!GattAllRdb->isChecked())
    for (int i = 0; i < GattLiBo->count(); ++i)
      if (GattLiBo->item(i)->isSelected())
        c.categories.push_back(static_cast<uint16_t>(GattLiBo->GetItemData(i)));
  c.energyLimitKcal = ReadNumber(fromQ(EnergieEdt->text()));
  if (ctx().options && ctx().options->Flag(16)) c.energyLimitKcal *= kKcalPerKJ;
  c.marked = MarkChk->isChecked();
  c.picture = RezPicChk->isChecked();
  c.allAnd = ZutAllAndChk->isChecked();
  c.oneAnd = ZutOneAndChk->isChecked();
  c.oneNot = ZutOneNotChk->isChecked();
  c.andWords = AndWords;
  c.notWords = NotWords;

  Searching = true;
  StartBtn->setEnabled(false);
  const int bookId = ctx().books ? ctx().books->FindKBookId(name) : -1;
  PowerSearch search(c);
  const int scannedBefore = ScannedCount, foundBefore = FoundCount;
  EventPump events;
  search.onHit = [](const REZINDEX& e) {
    if (ChooseRezDlg) ChooseRezDlg->AddToSearchResult(e);
  };
  search.keepGoing = [&] {
    ScannedCount = scannedBefore + search.scannedCount;
    FoundCount = foundBefore + search.foundCount;
    events.Run();
    return Searching;
  };
  search.SearchBook(TdbList::BookFilePath(name, ".bok"), static_cast<int16_t>(bookId));
  ScannedCount = scannedBefore + search.scannedCount;
  FoundCount = foundBefore + search.foundCount;

  const bool result = Searching;
  Searching = false;
  StartBtn->setEnabled(true);
  if (auto* main = MainWindow()) main->ShowEmptyView(EmptyDlg, true);
  return result;
}

void TPSearchDlg::CancelBtnClick() {
  Searching = false;
  close();
}

void TPSearchDlg::ResetBtnClick() {
  ResetSearchCriteria();
  TitelEdt->setFocus();
}

void TPSearchDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_PSearch.htm");
}

void TPSearchDlg::AddTypedIngredient(QLineEdit* text, TContextListBox* list) {
  const QString typed = text->text();
  if (typed.isEmpty()) return;
  const std::string t = fromQ(typed);
  int at = 0;
  while (at < list->count() && CompareTextNoCase(fromQ(list->item(at)->text()), t) <= 0) ++at;
  list->insertItem(at, typed);
  list->item(at)->setSelected(true);
  list->scrollToItem(list->item(at));
  text->clear();
}

void TPSearchDlg::ZutatANDTextBtnClick() {
  if (ZutatANDText->text().isEmpty()) return;
  AddTypedIngredient(ZutatANDText, ZutatANDLiBo);
  if (!ZutAllAndChk->isChecked() && !ZutOneAndChk->isChecked()) ZutOneAndChk->setChecked(true);
}

void TPSearchDlg::ZutatNOTTextBtnClick() {
  if (ZutatNOTText->text().isEmpty()) return;
  AddTypedIngredient(ZutatNOTText, ZutatNOTLiBo);
  ZutOneNotChk->setChecked(true);
}

void TPSearchDlg::ZutNoneChkClick() {
  if (!ZutNoneChk->isChecked()) return;
  ZutAllAndChk->setChecked(false);
  ZutOneAndChk->setChecked(false);
  ZutOneNotChk->setChecked(false);
}

void TPSearchDlg::ZutAllAndChkClick() {
  if (!ZutAllAndChk->isChecked()) return;
  ZutOneAndChk->setChecked(false);
  ZutNoneChk->setChecked(false);
}

void TPSearchDlg::ZutOneAndChkClick() {
  if (!ZutOneAndChk->isChecked()) return;
  ZutAllAndChk->setChecked(false);
  ZutNoneChk->setChecked(false);
}

void TPSearchDlg::ZutOneNotChkClick() {
  if (ZutOneNotChk->isChecked()) ZutNoneChk->setChecked(false);
}

void TPSearchDlg::ZutatANDLiBoClick() {
  if (!ZutOneAndChk->isChecked()) ZutAllAndChk->setChecked(true);
  ZutNoneChk->setChecked(false);
}

void TPSearchDlg::ZutatNOTLiBoClick() {
  ZutOneNotChk->setChecked(true);
  ZutNoneChk->setChecked(false);
}

void TPSearchDlg::GattLiBoClick() {
  GattSelRdb->setChecked(true);
}

void TPSearchDlg::KBookLiBoClick() {
  BookSelRdb->setChecked(true);
}

}  // namespace tav
