#include "kitchen/ui/lexicon_chapters_dialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "kitchen/ui/lexicon_dialog.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/context_list_box.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TLexBookDlg* LexBookDlg = nullptr;

TLexBookDlg::TLexBookDlg(QWidget* parent) : QDialog(parent) {
  LexBookDlg = this;
  setObjectName(QStringLiteral("LexBookDlg"));
  setWindowTitle(toQ("Oberbegriffe des Lexikons"));
  setModal(true);

  LBookLiBo = Named<TContextListBox>(this, "LBookLiBo");
  LBookLiBo->setSortingEnabled(true);
  ActionTxt = Named<QGroupBox>(this, "ActionTxt");
  AktBookEdt = Named<QLineEdit>(ActionTxt, "AktBookEdt");
  AktBookEdt->setMaxLength(198);
  overtakeBtn = Captioned<QPushButton>(ActionTxt, "overtakeBtn",
                                       "&\xDC"
                                       "bernehmen");
  overtakeBtn->setDefault(true);
  NewBtn = Captioned<QPushButton>(this, "NewBtn", "&Neu");
  DelBtn = Captioned<QPushButton>(this, "DelBtn", "&L\xF6schen");
  CancelBtn = Captioned<QPushButton>(this, "CancelBtn",
                                     "&Schlie\xDF"
                                     "en");
  HelpBtn = Named<QToolButton>(this, "HelpBtn");
  HelpBtn->setText(QStringLiteral("?"));

  auto* action = new QVBoxLayout(ActionTxt);
  action->addWidget(AktBookEdt);
  auto* take = new QHBoxLayout;
  take->addStretch(1);
  take->addWidget(overtakeBtn);
  action->addLayout(take);
  auto* side = new QVBoxLayout;
  side->addWidget(ActionTxt);
  auto* listButtons = new QHBoxLayout;
  listButtons->addWidget(NewBtn);
  listButtons->addWidget(DelBtn);
  listButtons->addStretch(1);
  side->addLayout(listButtons);
  side->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addWidget(LBookLiBo, 1);
  top->addLayout(side, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(DialogButtonRow(HelpBtn, {CancelBtn}));
  resize(480, 300);

  connect(LBookLiBo, &QListWidget::itemClicked, this, [this] { LBookLiBo2Click(); });
  connect(AktBookEdt, &QLineEdit::textEdited, this, [this] { AktBookEdtChange(); });
  connect(overtakeBtn, &QPushButton::clicked, this, [this] { ApplyChapterEdit(); });
  connect(NewBtn, &QPushButton::clicked, this, [this] { StartNewChapter(); });
  connect(DelBtn, &QPushButton::clicked, this, [this] { DelBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  if (LangDlg) LangDlg->TranslateForm(this);
}

TLexBookDlg::~TLexBookDlg() {
  if (LexBookDlg == this) LexBookDlg = nullptr;
}

LexiconFiles TLexBookDlg::Files() const {
  return LexiconFiles(ctx().options ? ctx().options->Str(52) : std::string());
}

void TLexBookDlg::LoadLexiconChapters() {
  Files().LoadLexiconChapters(Chapters, &ChapterFile);
  if (!LexShowDlg) return;
  QTabBar* tabs = LexShowDlg->LexBookTab;
  const QSignalBlocker quiet(tabs);
  while (tabs->count() > 0) tabs->removeTab(0);
  tabs->addTab(toQ(GetLangText(263)));
  for (const LEXBOOKS& c : Chapters) tabs->addTab(toQ(c.name));
  tabs->setCurrentIndex(0);
}

void TLexBookDlg::SaveLexiconChapters() {
  // A chapter file that cannot be written keeps the change in memory only.
  Files().SaveLexiconChapters(Chapters, &ChapterFile);
}

void TLexBookDlg::FillChapterCombo(QComboBox* combo, int16_t chapter) const {
  if (!combo) return;
  combo->clear();
  if (chapter == 0 && !Chapters.empty()) chapter = static_cast<int16_t>(Chapters[0].number);
  for (const LEXBOOKS& c : Chapters) {
    combo->addItem(toQ(c.name));
    if (static_cast<uint16_t>(c.number) == static_cast<uint16_t>(chapter))
      combo->setCurrentIndex(combo->count() - 1);
  }
}

int16_t TLexBookDlg::ChapterOfCurrentTab() const {
  if (!LexShowDlg || LexShowDlg->CurrentTab() == 0) return 0;
  const QTabBar* tabs = LexShowDlg->LexBookTab;
  return ChapterNumberByName(Chapters, fromQ(tabs->tabText(tabs->currentIndex())));
}

void TLexBookDlg::SelectChapterTab(int16_t chapter) {
  if (!LexShowDlg) return;
  const std::string* name = nullptr;
  for (const LEXBOOKS& c : Chapters)
    if (static_cast<uint16_t>(c.number) == static_cast<uint16_t>(chapter)) name = &c.name;
  if (!name) return;
  const QTabBar* tabs = LexShowDlg->LexBookTab;
  for (int i = 1; i < tabs->count(); ++i)
    if (fromQ(tabs->tabText(i)) == *name) {
      LexShowDlg->SelectLexiconTab(i);
      return;
    }
}

void TLexBookDlg::ListChapters() {
  LBookLiBo->clear();
  for (size_t i = 0; i < Chapters.size(); ++i) {
    auto* item = new QListWidgetItem(toQ(Chapters[i].name));
    item->setData(Qt::UserRole, static_cast<int>(i));
    LBookLiBo->addItem(item);
  }
}

void TLexBookDlg::FillChapterList() {
  const int row = LBookLiBo->currentRow();
  ListChapters();
  if (row >= 0 && LBookLiBo->count() > 0)
    LBookLiBo->setCurrentRow(std::min(row, LBookLiBo->count() - 1));
  DelBtn->setEnabled(Chapters.size() >= 2);
}

void TLexBookDlg::StartNewChapter() {
  LBookLiBo->clearSelection();
  LBookLiBo->setCurrentRow(-1);
  AktBookEdt->clear();
  NewMode = true;
  NameChanged = false;
  ActionTxt->setTitle(toQ(GetLangText(265)));
  overtakeBtn->hide();
  AktBookEdt->setFocus();
}

void TLexBookDlg::LBookLiBo2Click() {
  const int row = LBookLiBo->currentRow();
  if (row < 0) return;
  const size_t position = static_cast<size_t>(LBookLiBo->GetItemData(row));
  if (position >= Chapters.size()) return;
  // A pending name is taken over first, which sorts the list anew: the clicked chapter is
  // found again by its number.
  const int32_t number = Chapters[position].number;
  ApplyChapterEdit();
  size_t now = Chapters.size();
  for (size_t i = 0; i < Chapters.size(); ++i)
    if (Chapters[i].number == number) now = i;
  if (now == Chapters.size()) return;
  for (int i = 0; i < LBookLiBo->count(); ++i)
    if (LBookLiBo->GetItemData(i) == static_cast<int>(now)) LBookLiBo->setCurrentRow(i);
  AktBookEdt->setText(toQ(Chapters[now].name));
  NewMode = false;
  NameChanged = false;
  ActionTxt->setTitle(toQ(GetLangText(264)));
  overtakeBtn->hide();
  AktBookEdt->setFocus();
}

void TLexBookDlg::AktBookEdtChange() {
  overtakeBtn->show();
  NameChanged = true;
}

void TLexBookDlg::ApplyChapterEdit() {
  if (!NameChanged) return;
  const std::string name = fromQ(AktBookEdt->text()).substr(0, 198);
  if (NewMode) {
    const int16_t number = NewChapterNumber(Chapters, [](int count) {
      return static_cast<int>(QRandomGenerator::global()->bounded(count));
    });
    if (number == 0) {
      MessageBox(GetLangText(1014), GetLangText(2), MB_OK | MB_ICONINFORMATION);
      return;
    }
    Chapters.push_back({name, number});
  } else {
    const int row = LBookLiBo->currentRow();
    const size_t position =
        row < 0 ? Chapters.size() : static_cast<size_t>(LBookLiBo->GetItemData(row));
    if (row < 0 || !LBookLiBo->item(row)->isSelected() || position >= Chapters.size()) return;
    Chapters[position].name = name;
  }
  SortLexiconChapters(Chapters);
  ListChapters();
  SaveLexiconChapters();
  StartNewChapter();
}

void TLexBookDlg::DelBtnClick() {
  const int row = LBookLiBo->currentRow();
  if (row < 0 || !LBookLiBo->item(row)->isSelected()) return;
  const size_t position = static_cast<size_t>(LBookLiBo->GetItemData(row));
  if (position >= Chapters.size()) return;
  if (MessageBox(GetLangText(266), GetLangText(56), MB_YESNO | MB_ICONERROR) != IDYES) return;
  if (LexShowDlg) {
    LexShowDlg->LoadLexiconIndex();
    LexShowDlg->Files().MarkChapterEntriesDeleted(LexShowDlg->index,
                                                  static_cast<int16_t>(Chapters[position].number));
  }
  Chapters[position] = Chapters.back();
  Chapters.pop_back();
  SaveLexiconChapters();
  FillChapterList();
  StartNewChapter();
}

void TLexBookDlg::CancelBtnClick() {
  ApplyChapterEdit();
  accept();
}

void TLexBookDlg::reject() {
  // Escape and the close box end like the close button.
  ApplyChapterEdit();
  QDialog::reject();
}

void TLexBookDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_LexBook.htm");
}

void TLexBookDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ActionTxt->setTitle(toQ(GetLangText(265)));
  AktBookEdt->clear();
  overtakeBtn->hide();
  ListChapters();
  DelBtn->setEnabled(Chapters.size() >= 2);
  NewMode = true;
  NameChanged = false;
  CenterOnForm(this);
  AktBookEdt->setFocus();
}

void TLexBookDlg::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  if (LexShowDlg) LexShowDlg->RefreshLexiconChapters();
}

}  // namespace tav
