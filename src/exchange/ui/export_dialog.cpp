#include "exchange/ui/export_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "exchange/ui/recipe_list_snapshot_qt.h"
#include "platform/qt/qt_text.h"
#include "recipes/ui/key_figures_dialog.h"
#include "recipes/ui/lexicon_access.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/file_dialog_filter.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"
#include "services/ui/named_controls.h"
#include "services/ui/tips_access.h"

namespace tav {

TExportDlg* ExportDlg = nullptr;

namespace {

// Pending window messages run at most this often during a run (milliseconds).
constexpr int kEventInterval = 40;

// A radio button with a flat "Optionen" button beside it.
QHBoxLayout* WithOptions(QRadioButton* radio, QToolButton* options) {
  auto* row = new QHBoxLayout;
  row->addWidget(radio);
  row->addStretch(1);
  row->addWidget(options);
  return row;
}

}  // namespace

TExportDlg::TExportDlg(QWidget* parent) : QDialog(parent) {
  ExportDlg = this;
  setObjectName(QStringLiteral("ExportDlg"));
  setWindowTitle(toQ("Rezepte exportieren"));

  GroupBox4 = Named<QGroupBox>(this, "GroupBox4");
  GroupBox4->setTitle(toQ(" Exportmenge "));
  mAktRezRdb = Captioned<QRadioButton>(GroupBox4, "mAktRezRdb", "aktuelles &Rezept");
  mSelRezRdb = Captioned<QRadioButton>(GroupBox4, "mSelRezRdb", "alle &selektierten Rezepte");
  mMarkRezRdb = Captioned<QRadioButton>(GroupBox4, "mMarkRezRdb", "alle &markierten Rezepte");
  mAllRezRdb = Captioned<QRadioButton>(GroupBox4, "mAllRezRdb", "alle Rezepte des &Kochbuchs");
  mSuchRezRdb = Captioned<QRadioButton>(GroupBox4, "mSuchRezRdb", "alle Rezepte der S&uchliste");
  auto* sets = new QVBoxLayout(GroupBox4);
  for (QRadioButton* b : {mAktRezRdb, mSelRezRdb, mMarkRezRdb, mAllRezRdb, mSuchRezRdb})
    sets->addWidget(b);

  GroupBox3 = Named<QGroupBox>(this, "GroupBox3");
  GroupBox3->setTitle(toQ(" Exportformat"));
  mKMLFmtRdb = Captioned<QRadioButton>(GroupBox3, "mKMLFmtRdb", "&CookML-Format (XML)");
  mMMFmtRdb = Captioned<QRadioButton>(GroupBox3, "mMMFmtRdb", "&Mealmaster - Format");
  mHTMLFmtRdb = Captioned<QRadioButton>(GroupBox3, "mHTMLFmtRdb", "&HTML-Format");
  mLesFmtRdb = Captioned<QRadioButton>(GroupBox3, "mLesFmtRdb", "&Lesbares Format");
  mRKFmtRdb = Captioned<QRadioButton>(GroupBox3, "mRKFmtRdb", "RezKonv-Format");
  MMOptBtn = Named<QToolButton>(GroupBox3, "MMOptBtn");
  HTMLOptBtn = Named<QToolButton>(GroupBox3, "HTMLOptBtn");
  for (QToolButton* b : {MMOptBtn, HTMLOptBtn}) {
    b->setText(toQ("Optionen"));
    b->setAutoRaise(true);
  }
  auto* formats = new QVBoxLayout(GroupBox3);
  formats->addWidget(mKMLFmtRdb);
  formats->addLayout(WithOptions(mMMFmtRdb, MMOptBtn));
  formats->addLayout(WithOptions(mHTMLFmtRdb, HTMLOptBtn));
  formats->addWidget(mLesFmtRdb);
  formats->addWidget(mRKFmtRdb);
  // A format whose writer is not part of the program yet cannot be chosen.
  for (uint8_t f : {kFormatMealMaster, kFormatRezKonv, kFormatText, kFormatHTML, kFormatCookML})
    FormatButton(f)->setEnabled(MakeExportWriter(f) != nullptr);

  GroupBox5 = Named<QGroupBox>(this, "GroupBox5");
  GroupBox5->setTitle(toQ(" Exportmedium "));
  ClipRdb = Captioned<QRadioButton>(GroupBox5, "ClipRdb", "im Cli&pboard ablegen");
  FileRdb = Captioned<QRadioButton>(GroupBox5, "FileRdb", "Speichern in &Datei");
  TileChk = Named<QCheckBox>(GroupBox5, "TileChk");
  TileChk->setText(toQ("Alle"));
  TileAnzEdt = Named<QLineEdit>(GroupBox5, "TileAnzEdt");
  TileAnzEdt->setText(QStringLiteral("100"));
  TileAnzEdt->setMaxLength(98);
  Tile1Txt = Named<QLabel>(GroupBox5, "Tile1Txt");
  Tile1Txt->setText(toQ("Rezepte"));
  Tile2Txt = Named<QLabel>(GroupBox5, "Tile2Txt");
  Tile2Txt->setText(toQ("eine neue Datei beginnen"));
  auto* split = new QHBoxLayout;
  split->addWidget(TileChk);
  split->addWidget(TileAnzEdt);
  split->addWidget(Tile1Txt);
  split->addStretch(1);
  auto* splitText = new QHBoxLayout;
  splitText->addSpacing(20);
  splitText->addWidget(Tile2Txt);
  auto* target = new QVBoxLayout(GroupBox5);
  target->addWidget(ClipRdb);
  target->addWidget(FileRdb);
  target->addLayout(split);
  target->addLayout(splitText);

  GroupBox2 = Named<QGroupBox>(this, "GroupBox2");
  GroupBox2->setTitle(toQ(" Logbuch: "));
  LogLiBo = Named<QListWidget>(GroupBox2, "LogLiBo");
  // Lines differ in length: each is measured, so the longest can be scrolled to in full.
  LogLiBo->setTextElideMode(Qt::ElideNone);
  auto* log = new QVBoxLayout(GroupBox2);
  log->addWidget(LogLiBo);

  OKBtn = Named<QPushButton>(this, "OKBtn");
  OKBtn->setText(toQ("St&art"));
  OKBtn->setDefault(true);
  CancelBtn = Named<QPushButton>(this, "CancelBtn");
  CancelBtn->setText(toQ("&Abbrechen"));
  HelpBtn = Named<QToolButton>(this, "HelpBtn");
  HelpBtn->setText(QStringLiteral("?"));

  auto* left = new QVBoxLayout;
  left->addWidget(GroupBox4);
  left->addWidget(GroupBox3);
  left->addWidget(GroupBox5);
  left->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addWidget(GroupBox2, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(DialogButtonRow(HelpBtn, {OKBtn, CancelBtn}));

  const std::pair<QRadioButton*, uint8_t> formatButtons[] = {{mMMFmtRdb, kFormatMealMaster},
                                                             {mRKFmtRdb, kFormatRezKonv},
                                                             {mLesFmtRdb, kFormatText},
                                                             {mHTMLFmtRdb, kFormatHTML},
                                                             {mKMLFmtRdb, kFormatCookML}};
  for (const auto& [button, format] : formatButtons) {
    const uint8_t f = format;
    connect(button, &QRadioButton::clicked, this, [this, f] { FormatClick(f); });
  }
  connect(FileRdb, &QRadioButton::toggled, this, [this] { FileRdbClick(); });
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  connect(MMOptBtn, &QToolButton::clicked, this, [this] { MMOptBtnClick(); });
  connect(HTMLOptBtn, &QToolButton::clicked, this, [this] { HTMLOptBtnClick(); });
  FormCreate();
}

void TExportDlg::FormCreate() {
  if (LangDlg) LangDlg->TranslateForm(this);
  // The count edit is as wide as a few digits, not as a line of text.
  const int digits = TileAnzEdt->fontMetrics().horizontalAdvance(QStringLiteral("0000000"));
  TileAnzEdt->setFixedWidth(std::max(TileAnzEdt->minimumWidth(), digits));
}

QRadioButton* TExportDlg::FormatButton(uint8_t format) const {
  switch (format) {
    case kFormatMealMaster:
      return mMMFmtRdb;
    case kFormatRezKonv:
      return mRKFmtRdb;
    case kFormatText:
      return mLesFmtRdb;
    case kFormatHTML:
      return mHTMLFmtRdb;
    default:
      return mKMLFmtRdb;
  }
}

QRadioButton* TExportDlg::SetButton(uint8_t set) const {
  switch (set) {
    case kSetAll:
      return mAllRezRdb;
    case kSetMarked:
      return mMarkRezRdb;
    case kSetSearchList:
      return mSuchRezRdb;
    case kSetSelected:
      return mSelRezRdb;
    default:
      return mAktRezRdb;
  }
}

void TExportDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TExportDlg::FormShow() {
  restoring_ = true;  // the buttons follow the stored choices without showing their tips
  LoadChoices();
  SetButton(WhatRez)->setChecked(true);
  (Ziel == kTargetClipboard ? ClipRdb : FileRdb)->setChecked(true);
  TileChk->setChecked(Split);
  TileAnzEdt->setText(QString::number(TileAnz));
  uint8_t format = Format;
  if (!FormatButton(format)->isEnabled()) format = kFormatCookML;
  FormatButton(format)->setChecked(true);
  FormatClick(format);
  FileRdbClick();
  LogLiBo->clear();
  ClearLog();
  AddLogLine(GetLangText(136));
  restoring_ = false;
  CenterOnForm(this);
  OKBtn->setFocus();
}

void TExportDlg::FormatClick(uint8_t format) {
  const bool cookML = format == kFormatCookML;
  ClipRdb->setEnabled(!cookML);
  if (cookML) FileRdb->setChecked(true);
  int tip = -1;
  if (format == kFormatMealMaster) tip = 0;
  if (format == kFormatHTML) tip = 2;
  if (cookML) tip = 24;
  if (tip >= 0 && !restoring_)
    if (TipsAccess* tips = TipsWindow()) tips->ShowTip(static_cast<uint16_t>(tip), 2);
}

void TExportDlg::FileRdbClick() {
  const bool file = FileRdb->isChecked();
  for (QWidget* w : std::initializer_list<QWidget*>{Tile1Txt, Tile2Txt, TileChk, TileAnzEdt})
    w->setEnabled(file);
}

void TExportDlg::TakeChoices() {
  const std::pair<QRadioButton*, uint8_t> sets[] = {{mAktRezRdb, kSetCurrent},
                                                    {mAllRezRdb, kSetAll},
                                                    {mMarkRezRdb, kSetMarked},
                                                    {mSuchRezRdb, kSetSearchList},
                                                    {mSelRezRdb, kSetSelected}};
  for (const auto& [button, set] : sets)
    if (button->isChecked()) WhatRez = set;
  Ziel = ClipRdb->isChecked() ? kTargetClipboard : kTargetFile;
  Split = TileChk->isChecked();
  TileText = fromQ(TileAnzEdt->text());
  for (uint8_t f : {kFormatMealMaster, kFormatRezKonv, kFormatText, kFormatHTML, kFormatCookML})
    if (FormatButton(f)->isChecked()) Format = f;
  list = TakeRecipeListSnapshot();
  keyFigures = KenndatenDlg;
}

void TExportDlg::OKBtnClick() {
  if (!IsRunning()) TakeChoices();
  StartExport();
}

void TExportDlg::CancelBtnClick() {
  close();
}

void TExportDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_Export.htm");
}

void TExportDlg::PassRecipeToLexicon(const REZBLOCK& recipe) {
  if (LexiconAccess* lexicon = Lexicon()) lexicon->SetLexiconRecipe(recipe);
}

void TExportDlg::MMOptBtnClick() {
  if (MainWindowAccess* main = MainWindow()) main->ShowOptionsWindow(4);
}

void TExportDlg::HTMLOptBtnClick() {
  if (MainWindowAccess* main = MainWindow()) main->ShowOptionsWindow(5);
}

void TExportDlg::closeEvent(QCloseEvent* event) {
  if (IsRunning()) {  // the run lets messages through; the window stays until it ends
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void TExportDlg::reject() {
  if (!IsRunning()) QDialog::reject();
}

// ---------------------------------------------------------------------------------------------
// What the run asks of the window

bool TExportDlg::ChooseExportFile(std::string& name) {
  name.clear();
  if (chooseFileForTest) return chooseFileForTest(name);
  QFileDialog dialog(this);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  HideScratchFiles(dialog);
  if (ctx().options) dialog.setDirectory(toQ(ctx().options->Str(4)));
  const QStringList filters =
      FileDialogFilters(Writer() ? GetLangText(Writer()->FilterText()) : std::string());
  dialog.setNameFilters(filters);
  if (!filters.isEmpty()) dialog.selectNameFilter(filters.front());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  name = fromQ(dialog.selectedFiles().front());
  return !name.empty();
}

void TExportDlg::ShowRunState(RunState state) {
  switch (state) {
    case kStarting:
      LogLiBo->setEnabled(true);
      CancelBtn->setEnabled(false);
      for (QWidget* w : std::initializer_list<QWidget*>{GroupBox3, GroupBox4, GroupBox5})
        w->setEnabled(false);
      QApplication::setOverrideCursor(Qt::BusyCursor);
      sinceEvents_.start();
      break;
    case kWriting:
      OKBtn->setText(toQ(GetLangText(170)));
      break;
    case kIdle:
      OKBtn->setText(toQ(GetLangText(172)));
      CancelBtn->setEnabled(true);
      CancelBtn->setText(toQ(GetLangText(574)));
      for (QWidget* w : std::initializer_list<QWidget*>{GroupBox3, GroupBox4, GroupBox5})
        w->setEnabled(true);
      QApplication::restoreOverrideCursor();
      sinceEvents_.invalidate();
      break;
  }
}

bool TExportDlg::WindowDue() const {
  return !sinceEvents_.isValid() || sinceEvents_.elapsed() >= kEventInterval;
}

void TExportDlg::LogLineAdded(const std::string& line) {
  LogLiBo->addItem(toQ(line));
}

void TExportDlg::LastLogLineRemoved() {
  delete LogLiBo->takeItem(LogLiBo->count() - 1);
}

void TExportDlg::LogCleared() {
  LogLiBo->clear();
}

void TExportDlg::ShowLastLogLine() {
  if (!WindowDue()) return;
  LogLiBo->setCurrentRow(LogLiBo->count() - 1);
  LogLiBo->repaint();
}

void TExportDlg::ProcessMessages() {
  if (!WindowDue()) return;
  QCoreApplication::processEvents();
  if (sinceEvents_.isValid()) sinceEvents_.start();
}

}  // namespace tav
