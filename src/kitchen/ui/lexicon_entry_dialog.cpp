#include "kitchen/ui/lexicon_entry_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "kitchen/ui/lexicon_chapters_dialog.h"
#include "kitchen/ui/lexicon_dialog.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/tools_module.h"
#include "services/ui/form_controls.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TLexInpDlg* LexInpDlg = nullptr;

namespace {

// The lines of a keyword field that are not empty.
std::vector<std::string> KeywordLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
    pos = end + 1;
  }
  return lines;
}

}  // namespace

TLexInpDlg::TLexInpDlg(QWidget* parent) : QDialog(parent) {
  LexInpDlg = this;
  setObjectName(QStringLiteral("LexInpDlg"));
  setWindowTitle(toQ("Lexikon-Eintrag \xE4ndern"));
  setModal(true);
  setSizeGripEnabled(true);

  TitelLbl = Captioned<QLabel>(this, "TitelLbl", "&Begriff:");
  TitelTxt = Named<QLineEdit>(this, "TitelTxt");
  TitelTxt->setMaxLength(198);
  KapitelLbl = Captioned<QLabel>(this, "KapitelLbl", "&Kapitel:");
  KapitelCoBo = Named<QComboBox>(this, "KapitelCoBo");
  KapitelCoBo->setEditable(true);
  KapitelCoBo->setInsertPolicy(QComboBox::NoInsert);
  KapitelCoBo->setMinimumWidth(180);
  KeywordsLbl = Captioned<QLabel>(this, "KeywordsLbl", "&Stichw\xF6rter (eines je Zeile):");
  KeywordsTxt = Named<QPlainTextEdit>(this, "KeywordsTxt");
  KeywordsTxt->setLineWrapMode(QPlainTextEdit::NoWrap);
  KeywordsTxt->setTabChangesFocus(true);
  TextLbl = Captioned<QLabel>(this, "TextLbl", "&Erkl\xE4rung:");
  TextTxt = Named<QPlainTextEdit>(this, "TextTxt");
  TextTxt->setTabChangesFocus(true);
  TitelLbl->setBuddy(TitelTxt);
  KapitelLbl->setBuddy(KapitelCoBo);
  KeywordsLbl->setBuddy(KeywordsTxt);
  TextLbl->setBuddy(TextTxt);
  IDOk = Captioned<QPushButton>(this, "IDOk", "&OK");
  IDCancel = Captioned<QPushButton>(this, "IDCancel", "&Abbrechen");
  WikipediaBtn = Captioned<QPushButton>(this, "WikipediaBtn", "in &Wikipedia");
  // No default button: Enter in the title or the chapter ends that edit and stores nothing.
  for (QPushButton* b : {IDOk, IDCancel, WikipediaBtn}) b->setAutoDefault(false);
  HilfeBtn = Named<QToolButton>(this, "HilfeBtn");
  HilfeBtn->setText(QStringLiteral("?"));

  auto* grid = new QGridLayout;
  grid->addWidget(TitelLbl, 0, 0);
  grid->addWidget(TitelTxt, 0, 1);
  grid->addWidget(KapitelLbl, 0, 2);
  grid->addWidget(KapitelCoBo, 0, 3);
  grid->setColumnStretch(1, 1);
  auto* keywords = new QVBoxLayout;
  keywords->addWidget(KeywordsLbl);
  keywords->addWidget(KeywordsTxt, 1);
  auto* text = new QVBoxLayout;
  text->addWidget(TextLbl);
  text->addWidget(TextTxt, 1);
  auto* middle = new QHBoxLayout;
  middle->addLayout(keywords, 1);
  middle->addLayout(text, 3);
  auto* buttons = DialogButtonRow(HilfeBtn, {WikipediaBtn, IDOk, IDCancel});
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(middle, 1);
  layout->addLayout(buttons);
  resize(640, 400);

  connect(IDOk, &QPushButton::clicked, this, [this] { SaveLexiconEntry(); });
  connect(IDCancel, &QPushButton::clicked, this, [this] { IDCancelClick(); });
  connect(WikipediaBtn, &QPushButton::clicked, this, [this] { WikipediaBtnClick(); });
  connect(HilfeBtn, &QToolButton::clicked, this, [this] { HilfeBtnClick(); });
  if (LangDlg) LangDlg->TranslateForm(this);
}

TLexInpDlg::~TLexInpDlg() {
  if (LexInpDlg == this) LexInpDlg = nullptr;
}

void TLexInpDlg::SetLexiconEntry(const LEXINDEX* entry) {
  Loaded = LEXBLOCK();
  IsEdit = entry != nullptr;
  EditedEntry = entry ? *entry : LEXINDEX();
  const LexiconFiles files = LexShowDlg ? LexShowDlg->Files() : LexiconFiles(std::string());
  TitelTxt->setText(entry ? toQ(entry->title) : QString());
  KeywordsTxt->setPlainText(entry ? MemoText(files.ReadLexiconKeywords(*entry)) : QString());
  TextTxt->setPlainText(entry ? MemoText(files.ReadLexiconText(*entry)) : QString());
  Loaded.Chapter = entry ? entry->chapter : LexBookDlg ? LexBookDlg->ChapterOfCurrentTab() : 0;
  if (LexBookDlg) LexBookDlg->FillChapterCombo(KapitelCoBo, Loaded.Chapter);
  // The loaded values as the controls give them back, so that OK without a change is no change.
  Loaded.Title = fromQ(TitelTxt->text());
  Loaded.Keywords = CrLfText(KeywordsTxt->toPlainText());
  Loaded.Text = CrLfText(TextTxt->toPlainText());
}

void TLexInpDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CenterOnForm(this);
  TitelTxt->setFocus();
}

void TLexInpDlg::done(int result) {
  // Only OK confirms; Escape and the close box count as cancelled.
  if (result != QDialog::Accepted) Cancelled = true;
  QDialog::done(result);
}

void TLexInpDlg::SaveLexiconEntry() {
  const std::string chapterName = fromQ(KapitelCoBo->currentText());
  const int16_t chapter = LexBookDlg ? ChapterNumberByName(LexBookDlg->Chapters, chapterName) : 0;
  if (chapter == 0) {
    MessageBox(GetLangText(1010), GetLangText(2), MB_OK | MB_ICONINFORMATION);
    KapitelCoBo->setFocus();
    return;
  }
  Cancelled = false;
  accept();
  LEXBLOCK now;
  now.Title = fromQ(TitelTxt->text());
  now.Chapter = chapter;
  now.Text = CrLfText(TextTxt->toPlainText());
  now.Keywords = CrLfText(KeywordsTxt->toPlainText());
  if (now.Title == Loaded.Title &&
      static_cast<uint16_t>(now.Chapter) == static_cast<uint16_t>(Loaded.Chapter) &&
      now.Keywords == Loaded.Keywords && now.Text == Loaded.Text)
    return;
  Loaded.Title = now.Title;
  if (!LexShowDlg) return;
  const LexiconFiles files = LexShowDlg->Files();
  // The new version first: when it cannot be written the old one stays live.
  if (files.AppendLexiconEntry(now.Chapter, now.Title, KeywordLines(now.Keywords), now.Text) &&
      IsEdit)
    files.MarkLexiconEntryDeleted(EditedEntry);
}

void TLexInpDlg::IDCancelClick() {
  Cancelled = true;
  reject();
}

void TLexInpDlg::WikipediaBtnClick() {
  WebSearch(fromQ(TitelTxt->text()));
}

void TLexInpDlg::HilfeBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_LexInp.htm");
}

}  // namespace tav
