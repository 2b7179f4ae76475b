#include "kitchen/ui/lexicon_dialog.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "kitchen/ui/lexicon_chapters_dialog.h"
#include "kitchen/ui/lexicon_entry_dialog.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/tools_module.h"
#include "services/ui/context_list_box.h"
#include "services/ui/form_controls.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"
#include "services/ui/tips_access.h"

namespace tav {

TLexShowDlg* LexShowDlg = nullptr;

TLexShowDlg::TLexShowDlg(QWidget* parent) : QDialog(parent) {
  LexShowDlg = this;
  Registered<LexiconAccess>::Enter(this);
  Registered<LexiconCounts>::Enter(this);
  setObjectName(QStringLiteral("LexShowDlg"));
  setWindowTitle(toQ("Lexikon des Kochens"));
  setSizeGripEnabled(true);

  LexBookTab = Named<QTabBar>(this, "LexBookTab");
  LexBookTab->setExpanding(false);
  LexBookTab->setUsesScrollButtons(true);
  LexChooseLiBo = Named<TContextListBox>(nullptr, "LexChooseLiBo");
  LexTxt = Named<QPlainTextEdit>(nullptr, "LexTxt");
  LexTxt->setReadOnly(true);
  LexSplit = Named<QSplitter>(this, "LexSplit");
  LexSplit->addWidget(LexChooseLiBo);
  LexSplit->addWidget(LexTxt);
  LexSplit->setStretchFactor(0, 2);
  LexSplit->setStretchFactor(1, 3);
  LexSplit->setChildrenCollapsible(false);
  HilfeBtn = Named<QToolButton>(this, "HilfeBtn");
  HilfeBtn->setText(QStringLiteral("?"));
  NewBtn = Captioned<QPushButton>(this, "NewBtn", "&Neu");
  EditBtn = Captioned<QPushButton>(this, "EditBtn", "\xC4&ndern");
  DelBtn = Captioned<QPushButton>(this, "DelBtn", "&L\xF6schen");
  LexBookBtn = Captioned<QPushButton>(this, "LexBookBtn", "&Kapitel ...");
  WikipediaBtn = Captioned<QPushButton>(this, "WikipediaBtn", "in &Wikipedia");
  IDCancel = Captioned<QPushButton>(this, "IDCancel",
                                    "&Schlie\xDF"
                                    "en");

  // The window has no default button: Enter in its list or tabs presses none.
  for (QPushButton* b : {NewBtn, EditBtn, DelBtn, LexBookBtn, WikipediaBtn, IDCancel})
    b->setAutoDefault(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(HilfeBtn);
  for (QPushButton* b : {NewBtn, EditBtn, DelBtn, LexBookBtn}) buttons->addWidget(b);
  buttons->addSpacing(12);
  buttons->addWidget(WikipediaBtn);
  buttons->addStretch(1);
  buttons->addWidget(IDCancel);
  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(0);
  layout->addWidget(LexBookTab);
  layout->addWidget(LexSplit, 1);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  resize(860, 500);

  connect(LexBookTab, &QTabBar::currentChanged, this, [this] { LexBookTabChange(); });
  // A click and the arrow keys both make a line current, which shows its text (the list is
  // filled anew whenever the text is emptied, so there is no current line without its text).
  connect(LexChooseLiBo, &QListWidget::currentRowChanged, this, [this] { LexChooseLiBo2Click(); });
  connect(LexChooseLiBo, &QListWidget::itemDoubleClicked, this, [this] { EditBtnClick(); });
  LexTxt->viewport()->installEventFilter(this);
  connect(NewBtn, &QPushButton::clicked, this, [this] { NewBtnClick(); });
  connect(EditBtn, &QPushButton::clicked, this, [this] { EditBtnClick(); });
  connect(DelBtn, &QPushButton::clicked, this, [this] { DelBtnClick(); });
  connect(LexBookBtn, &QPushButton::clicked, this, [this] { LexBookBtnClick(); });
  connect(WikipediaBtn, &QPushButton::clicked, this, [this] { WikipediaBtnClick(); });
  connect(HilfeBtn, &QToolButton::clicked, this, [this] { HilfeBtnClick(); });
  connect(IDCancel, &QPushButton::clicked, this, [this] { IDCancelClick(); });
  FormCreate();
}

TLexShowDlg::~TLexShowDlg() {
  Registered<LexiconAccess>::Leave(this);
  Registered<LexiconCounts>::Leave(this);
  if (LexShowDlg == this) LexShowDlg = nullptr;
}

void TLexShowDlg::FormCreate() {
  if (LexBookDlg) LexBookDlg->LoadLexiconChapters();
  LoadLexiconIndex();
  if (LangDlg) LangDlg->TranslateForm(this);
}

// --- what the recipe windows ask ------------------------------------------------------------

void TLexShowDlg::ShowLexicon() {
  show();
  raise();
  activateWindow();
}

void TLexShowDlg::SetLexiconRecipe(const REZBLOCK& r) {
  TakeLexiconRecipe(r);
  if (!isVisible()) return;
  SelectLexiconTab(0);
  UpdateRecipeLexiconTerms(false);
}

void TLexShowDlg::UpdateRecipeLexiconTerms(bool force) {
  if (!force && TermsFound) return;
  FindRecipeLexiconTerms();
  TermsFound = true;
  if (CurrentTab() == 0 || force) FillLexiconList();
}

void TLexShowDlg::SelectLexiconTab(int tab) {
  if (tab >= 0 && tab < LexBookTab->count() && tab != LexBookTab->currentIndex()) {
    const QSignalBlocker quiet(LexBookTab);
    LexBookTab->setCurrentIndex(tab);
  }
  LexTxt->clear();
  FillLexiconList();
}

void TLexShowDlg::CopyLexiconTermList(QListWidget* target) {
  if (!target) return;
  target->clear();
  for (int i = 0; i < LexChooseLiBo->count(); ++i) target->addItem(LexChooseLiBo->item(i)->text());
}

void TLexShowDlg::SelectLexiconTerm(const std::string& term) {
  const QString text = toQ(term);
  for (int i = 0; i < LexChooseLiBo->count(); ++i) {
    if (LexChooseLiBo->item(i)->text() != text) continue;
    LexChooseLiBo->setCurrentRow(i);
    ShowEntryText(LexChooseLiBo->GetItemData(i));
    return;
  }
}

int TLexShowDlg::CountLexiconChapters() const {
  return LexBookDlg ? LexBookDlg->CountLexiconChapters() : 0;
}

void TLexShowDlg::CopyLexiconText(QPlainTextEdit* target) {
  if (target) target->setPlainText(LexTxt->toPlainText());
}

// --- list and entries -----------------------------------------------------------------------

int TLexShowDlg::CurrentTab() const {
  return LexBookTab->currentIndex() < 0 ? 0 : LexBookTab->currentIndex();
}

void TLexShowDlg::FillLexiconList() {
  const QSignalBlocker quiet(LexChooseLiBo);
  LexChooseLiBo->clear();
  if (CurrentTab() == 0) {
    for (const LEXINDEXAKTREZ& t : terms) {
      LexChooseLiBo->addItem(toQ(t.word));
      LexChooseLiBo->SetItemData(LexChooseLiBo->count() - 1, t.entryIndex);
    }
    return;
  }
  const int16_t chapter = LexBookDlg ? LexBookDlg->ChapterOfCurrentTab() : 0;
  for (size_t i = 0; i < index.size(); ++i) {
    if (static_cast<uint16_t>(index[i].chapter) != static_cast<uint16_t>(chapter)) continue;
    LexChooseLiBo->addItem(toQ(index[i].title));
    LexChooseLiBo->SetItemData(LexChooseLiBo->count() - 1, static_cast<int>(i));
  }
}

int TLexShowDlg::SelectedEntry() const {
  const int row = LexChooseLiBo->currentRow();
  if (row < 0 || !LexChooseLiBo->item(row)->isSelected()) return -1;
  return LexChooseLiBo->GetItemData(row);
}

void TLexShowDlg::ShowEntryText(int position) {
  const LEXINDEX* e = Entry(position);
  LexTxt->setPlainText(e ? MemoText(Files().ReadLexiconText(*e)) : QString());
}

bool TLexShowDlg::FindLexiconEntry(const std::string& word, bool withKeywords, bool select,
                                   int& out) {
  if (!CookingLexicon::FindLexiconEntry(word, withKeywords, out)) return false;
  if (!select) return true;
  const int16_t chapter = index[static_cast<size_t>(out)].chapter;
  const int16_t shown = LexBookDlg ? LexBookDlg->ChapterOfCurrentTab() : 0;
  if (static_cast<uint16_t>(shown) != static_cast<uint16_t>(chapter) && LexBookDlg)
    LexBookDlg->SelectChapterTab(chapter);
  bool result = true;
  const QString text = toQ(word);
  for (int i = 0; i < LexChooseLiBo->count(); ++i) {
    if (LexChooseLiBo->item(i)->text() != text) continue;
    const QSignalBlocker quiet(LexChooseLiBo);
    LexChooseLiBo->setCurrentRow(i);
    const int data = LexChooseLiBo->GetItemData(i);
    if (data == -1) result = false;
    ShowEntryText(data);
  }
  return result;
}

void TLexShowDlg::EditLexiconChapters() {
  if (LexBookDlg) LexBookDlg->exec();
  LoadLexiconIndex();
  FillLexiconList();
}

void TLexShowDlg::RefreshLexiconChapters() {
  if (LexBookDlg) LexBookDlg->LoadLexiconChapters();
  LoadLexiconIndex();
  FillLexiconList();
}

void TLexShowDlg::OnLexiconReorganized() {
  FillLexiconList();
  LexTxt->clear();
}

// --- events -----------------------------------------------------------------------------------

void TLexShowDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  LexTxt->clear();
  // The index first, so that the terms point into the index the list then shows.
  LoadLexiconIndex();
  FindRecipeLexiconTerms();
  TermsFound = true;
  FillLexiconList();
  CenterOnForm(this);
  // The tip stands over this window, once the window is up: shown with it, the window's own
  // activation would put it behind.
  QTimer::singleShot(0, this, [this] {
    if (!isVisible()) return;
    if (TipsAccess* tips = TipsWindow()) tips->ShowTip(10, 2, this);
  });
}

void TLexShowDlg::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  // A hidden window always stands on the recipe's terms.
  SelectLexiconTab(0);
}

bool TLexShowDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == LexTxt->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    EditBtnClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TLexShowDlg::LexBookTabChange() {
  LexTxt->clear();
  FillLexiconList();
}

void TLexShowDlg::LexChooseLiBo2Click() {
  const int row = LexChooseLiBo->currentRow();
  if (row < 0) return;
  const int data = LexChooseLiBo->GetItemData(row);
  if (data == -1) return;
  ShowEntryText(data);
}

void TLexShowDlg::AfterEntryEdit() {
  LoadLexiconIndex();
  FindRecipeLexiconTerms();
  FillLexiconList();
  int found = -1;
  if (LexInpDlg) FindLexiconEntry(LexInpDlg->GetLexiconEditTitle(), false, true, found);
}

void TLexShowDlg::NewBtnClick() {
  if (!LexInpDlg) return;
  LexInpDlg->SetLexiconEntry(nullptr);
  LexInpDlg->exec();
  if (LexInpDlg->LexiconEditCancelled()) return;
  AfterEntryEdit();
}

void TLexShowDlg::EditBtnClick() {
  const LEXINDEX* e = Entry(SelectedEntry());
  if (!e || !LexInpDlg) return;
  LexInpDlg->SetLexiconEntry(e);
  LexInpDlg->exec();
  if (LexInpDlg->LexiconEditCancelled()) return;
  AfterEntryEdit();
}

void TLexShowDlg::DelBtnClick() {
  const LEXINDEX* e = Entry(SelectedEntry());
  if (!e) return;
  if (MessageBox(GetLangText(261), GetLangText(17), MB_YESNO | MB_ICONQUESTION) == IDNO) return;
  Files().MarkLexiconEntryDeleted(*e);
  LexTxt->clear();
  LoadLexiconIndex();
  FindRecipeLexiconTerms();
  FillLexiconList();
}

void TLexShowDlg::LexBookBtnClick() {
  const int row = LexChooseLiBo->currentRow();
  const std::string title = row >= 0 && LexChooseLiBo->item(row)->isSelected()
                                ? fromQ(LexChooseLiBo->item(row)->text())
                                : std::string();
  EditLexiconChapters();
  int found = -1;
  FindLexiconEntry(title, false, true, found);
}

void TLexShowDlg::WikipediaBtnClick() {
  const int row = LexChooseLiBo->currentRow();
  if (LexChooseLiBo->count() == 0 || row < 0 || !LexChooseLiBo->item(row)->isSelected()) return;
  WebSearch(fromQ(LexChooseLiBo->item(row)->text()));
}

void TLexShowDlg::HilfeBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_LexShow.htm");
}

void TLexShowDlg::IDCancelClick() {
  close();
}

}  // namespace tav
