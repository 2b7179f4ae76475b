#include "recipes/ui/duplicate_search_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
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
#include <new>

#include "platform/numbers.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "platform/settings_store.h"
#include "recipedb/cookbook_list.h"
#include "recipedb/recipe_store.h"
#include "recipes/ui/recipe_list_window.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/text_tools.h"
#include "services/tools_module.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"
#include "services/ui/tips_access.h"

namespace tav {

TDupesDlg* DupesDlg = nullptr;

namespace {}  // namespace

TDupesDlg::TDupesDlg(QWidget* parent) : QDialog(parent), bookChoice_(this) {
  DupesDlg = this;
  setObjectName(QStringLiteral("DupesDlg"));
  setWindowTitle(QStringLiteral("Suche nach doppelten Rezepten"));

  BookGrp = bookChoice_.group;
  BookAktRdb = bookChoice_.current;
  BookAllRdb = bookChoice_.all;
  BookSelRdb = bookChoice_.chosen;
  KBookLiBo = bookChoice_.list;

  CritGrp = Named<QGroupBox>(this, "CritGrp");
  CritGrp->setTitle(QStringLiteral(" Kriterien: "));
  SameTitleTxt = Captioned<QLabel>(CritGrp, "SameTitleTxt", "Der gleiche Rezepttitel und:");
  ZutatPercentEdt = Named<QLineEdit>(CritGrp, "ZutatPercentEdt");
  ZutatPercentEdt->setText(QStringLiteral("50"));
  ZutatPercentEdt->setMaxLength(3);
  ZutatPercentTxt = Captioned<QLabel>(CritGrp, "ZutatPercentTxt", "% der Zutaten sind gleich");
  SameZutatAnzChk = Captioned<QCheckBox>(CritGrp, "SameZutatAnzChk", "gleiche Zutatenanzahl");
  SameZutatAnzChk->setChecked(true);
  SameTextChk = Captioned<QCheckBox>(CritGrp, "SameTextChk", "gleicher Anleitungstext");
  SameAutorChk = Captioned<QCheckBox>(CritGrp, "SameAutorChk", "gleicher Erfasser");
  SameQuelleChk = Captioned<QCheckBox>(CritGrp, "SameQuelleChk", "gleiche Quelle");
  SameGattChk = Captioned<QCheckBox>(CritGrp, "SameGattChk", "gleiche Gattungen");
  SameStichChk = Captioned<QCheckBox>(CritGrp, "SameStichChk", "gleiche Stichproben");
  auto* crit = new QVBoxLayout(CritGrp);
  crit->addWidget(SameTitleTxt);
  auto* percent = new QHBoxLayout;
  percent->addWidget(ZutatPercentEdt);
  percent->addWidget(ZutatPercentTxt, 1);
  crit->addLayout(percent);
  for (QCheckBox* c :
       {SameZutatAnzChk, SameTextChk, SameAutorChk, SameQuelleChk, SameGattChk, SameStichChk})
    crit->addWidget(c);

  LogGrp = Named<QGroupBox>(this, "LogGrp");
  LogGrp->setTitle(QStringLiteral(" Fortschritt: "));
  LogLiBo = Named<QListWidget>(LogGrp, "LogLiBo");
  auto* log = new QVBoxLayout(LogGrp);
  log->addWidget(LogLiBo);

  ProgressBar = Named<QProgressBar>(this, "ProgressBar");
  ProgressBar->setTextVisible(false);
  HelpBtn = Named<QToolButton>(this, "HelpBtn");
  HelpBtn->setText(QStringLiteral("?"));
  OKBtn = Captioned<QPushButton>(this, "OKBtn", "St&art");
  OKBtn->setDefault(true);
  CloseBtn = Captioned<QPushButton>(this, "CloseBtn",
                                    "&Schlie\xDF"
                                    "en");
  Timer1 = new QTimer(this);
  Timer1->setInterval(500);

  auto* left = new QVBoxLayout;
  left->addWidget(BookGrp, 1);
  left->addWidget(CritGrp);
  auto* columns = new QHBoxLayout;
  columns->addLayout(left);
  columns->addWidget(LogGrp, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns, 1);
  layout->addWidget(ProgressBar);
  layout->addLayout(DialogButtonRow(HelpBtn, {OKBtn, CloseBtn}));

  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CloseBtn, &QPushButton::clicked, this, [this] { CloseBtnClick(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  connect(KBookLiBo, &QListWidget::itemClicked, this, [this] { KBookLiBoClick(); });
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
  FormCreate();
}

void TDupesDlg::FormCreate() {
  if (LangDlg) LangDlg->TranslateForm(this);
  MaxDupes = 1000;
  std::string text;
  long long v = 0;
  if (ctx().userSettings && ctx().userSettings->ReadString(kRegParam, "MaxDupes", text) &&
      ParseInt(text, v) && v > 0 && v <= 1000000)
    MaxDupes = static_cast<int>(v);
}

void TDupesDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  BookAktRdb->setChecked(true);
  bookChoice_.FillAllBooks();
  LogLiBo->clear();
  ProgressBar->hide();
  OKBtn->setDefault(true);
  CenterOnForm(this);
}

bool TDupesDlg::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) FormActivate();
  return QDialog::event(e);
}

void TDupesDlg::FormActivate() {
  if (auto* tips = TipsWindow()) tips->ShowTip(22, 2);
}

void TDupesDlg::reject() {
  // A running search ends first; the close button is off meanwhile, and so is Esc.
  if (DupesRunning) return;
  QDialog::reject();
}

void TDupesDlg::KBookLiBoClick() {
  BookSelRdb->setChecked(true);
}

void TDupesDlg::CloseBtnClick() {
  close();
}

void TDupesDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_Dupes.htm");
}

void TDupesDlg::Log(const std::string& line) {
  LogLiBo->addItem(toQ(line));
  LogLiBo->setCurrentRow(LogLiBo->count() - 1);
  LogLiBo->repaint();
}

void TDupesDlg::UpdateDupesProgress() {
  ProgressBar->setValue(std::min(DupesDone, ProgressBar->maximum()));
}

int TDupesDlg::ScanBookForDupes(const std::string& name, std::vector<DUPESENTRY>& table) {
  table.clear();
  if (!ctx().books || ctx().books->CountKBookRecipes(name, false) == 0) return 0;
  try {
    tav::ScanBookForDupes(TdbList::BookFilePath(name, ".bok"), SameZutatAnzChk->isChecked(), table);
  } catch (const std::bad_alloc&) {
    table.clear();
    table.shrink_to_fit();
    MessageBox(GetLangText(311), GetLangText(15), MB_OK | MB_ICONERROR);
  }
  return static_cast<int>(table.size());
}

int TDupesDlg::CompareDupes() {
  DuplicateFinder finder;
  finder.criteria.percent =
      static_cast<int>(std::clamp(ReadLong(fromQ(ZutatPercentEdt->text())), 0L, 100L));
  finder.criteria.sameLineCount = SameZutatAnzChk->isChecked();
  finder.criteria.sameText = SameTextChk->isChecked();
  finder.criteria.sameAuthor = SameAutorChk->isChecked();
  finder.criteria.sameSource = SameQuelleChk->isChecked();
  finder.criteria.sameCategories = SameGattChk->isChecked();
  finder.criteria.sameKeywords = SameStichChk->isChecked();
  finder.maxDupes = MaxDupes;
  finder.books = std::move(Books);
  EventPump events;
  finder.keepGoing = [&] {
    DupesDone = finder.done;
    events.Run();
    return DupesRunning;
  };
  finder.onResult = [](const REZINDEX& e) {
    if (ChooseRezDlg) ChooseRezDlg->AddToSearchResult(e);
  };
  const int groups = finder.CompareDupes();
  DupesDone = finder.done;
  Books = std::move(finder.books);
  HitList = std::move(finder.hitList);
  if (finder.stoppedAtMax)
    MessageBox(FormatLangText(GetLangText(678), {std::to_string(MaxDupes)}), GetLangText(2), MB_OK);
  return groups;
}

void TDupesDlg::OKBtnClick() {
  if (DupesRunning) {
    DupesRunning = false;
    return;
  }
  DupesTotal = DupesDone = 0;
  DupesRunning = true;
  CloseBtn->setEnabled(false);
  OKBtn->setText(toQ(GetLangText(170)));
  LogLiBo->clear();
  Log(GetLangText(302));
  Log(GetLangText(303));
  if (ChooseRezDlg) ChooseRezDlg->ResetSearchResult();
  Books.clear();
  HitList.clear();

  const std::vector<std::string> names = bookChoice_.ChosenNames();
  for (const std::string& name : names) {
    DUPESBOOK book;
    const int n = ScanBookForDupes(name, book.entries);
    if (n <= 0) continue;
    DupesTotal += n;
    book.bookId = ctx().books ? ctx().books->FindKBookId(name) : 0;
    book.name = name;
    book.count = n;
    Books.push_back(std::move(book));
    QApplication::processEvents();
  }

  int groups = 0;
  bool closeAfter = false;
  if (Books.empty()) {
    MessageBox(GetLangText(304), GetLangText(2), MB_OK);
    closeAfter = true;
  } else {
    Timer1->start();
    ProgressBar->setRange(0, std::max(DupesTotal, 1));
    UpdateDupesProgress();
    ProgressBar->show();
    Log(GetLangText(305));
    if (DupesRunning) groups = CompareDupes();
  }
  const bool stopped = !DupesRunning;
  Books.clear();
  Timer1->stop();
  UpdateDupesProgress();

  Log("");
  Log(GetLangText(306) + std::to_string(groups) + GetLangText(307));
  if (groups > 0) {
    if (ChooseRezDlg) ChooseRezDlg->ShowSearchResult();
    Log(GetLangText(308));
  }
  Log("");
  if (stopped) {
    Log(GetLangText(309));
    Log("");
  }
  Log(GetLangText(310));
  OKBtn->setText(QStringLiteral("&OK"));
  CloseBtn->setEnabled(true);
  DupesRunning = false;
  if (closeAfter) close();

  if (groups > 0 && MessageBox(GetLangText(420), GetLangText(17), MB_YESNO | MB_ICONERROR) == IDYES)
    DeleteDuplicates();
}

void TDupesDlg::DeleteDuplicates() {
  OptionsStore* options = ctx().options;
  if (options && ctx().books) {
    std::vector<BookNameId> refs;
    for (const KBOOK& b : ctx().books->Books())
      refs.push_back({b.name, static_cast<int16_t>(ctx().books->FindKBookId(b.name))});
    options->SyncAutoDelBooks(refs);
  }
  const auto gone = ChooseCopiesToDelete(HitList, [options](int16_t bookId, bool& never) {
    return options ? options->FindAutoDelBook(bookId, &never) : kNoAutoDelBook;
  });
  int deleted = 0;
  TdbList* store = ctx().dbList;
  for (const auto& [book, number] : gone) {
    if (!ChooseRezDlg || !store) break;
    ChooseRezDlg->DeleteRecipeByKey(book, number);
    REZINDEX e;
    if (store->ReadIndexEntryByKey(book, number, e) && e.deleted != 0) ++deleted;
  }
  // Every copy sits in a never-delete book: say so rather than report a deletion.
  MessageBox(GetLangText(deleted > 0 ? 442 : 970), GetLangText(17), MB_OK);
}

}  // namespace tav
