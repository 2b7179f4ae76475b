#include "maintenance/ui/backup_dialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstdlib>

#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "platform/settings_store.h"
#include "recipedb/cookbook_list.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TBackupDlg* BackupDlg = nullptr;

namespace {

const char kSection[] = "Software\\Brimo\\Tavolin\\Backup";

std::string ReadValue(const char* name, const std::string& def) {
  return ctx().userSettings ? ctx().userSettings->Read(kSection, name, def) : def;
}

void WriteValue(const std::string& name, const std::string& value) {
  if (ctx().userSettings) ctx().userSettings->WriteString(kSection, name, value);
}

bool ReadFlag(const char* name) {
  return std::atoi(ReadValue(name, "1").c_str()) == 1;
}

void WriteFlag(const char* name, bool on) {
  WriteValue(name, on ? "1" : "0");
}

// One of the six set boxes with its settings value.
struct SetBox {
  QCheckBox* TBackupDlg::*box;
  const char* value;
};
const SetBox kSetBoxes[] = {
    {&TBackupDlg::BCRecPicsChk, "BCRecPics"}, {&TBackupDlg::BCZutPicsChk, "BCZutPics"},
    {&TBackupDlg::BCDBsChk, "BCDBs"},         {&TBackupDlg::BCLexikonChk, "BCLexikon"},
    {&TBackupDlg::BCKontenChk, "BCKonten"},   {&TBackupDlg::BCHTMLChk, "BCHTML"},
};

}  // namespace

TBackupDlg::TBackupDlg(QWidget* parent) : QDialog(parent) {
  BackupDlg = this;
  setObjectName(QStringLiteral("BackupDlg"));
  setWindowTitle(toQ("Datensicherung"));

  BackupPCtl = Named<QTabWidget>(this, "BackupPCtl");
  BackupPnl = Named<QWidget>(nullptr, "BackupPnl");
  RestorePnl = Named<QWidget>(nullptr, "RestorePnl");
  BackupPCtl->addTab(BackupPnl, toQ("Backup (Sichern der Datenbank)"));
  BackupPCtl->addTab(RestorePnl, toQ("Restore (Wiedereinspielen der Datenbank)"));

  // The backup page: what to save, where, and the log of the run.
  BChooseGrp = Named<QGroupBox>(BackupPnl, "BChooseGrp");
  BChooseGrp->setTitle(toQ(" Was soll ales gesichert werden ? "));
  BKBookChk = Captioned<QCheckBox>(BChooseGrp, "BKBookChk",
                                   "Kochb\xFC"
                                   "cher");
  BKBookChooseChk = Captioned<QRadioButton>(BChooseGrp, "BKBookChooseChk",
                                            "Nur die Kochb\xFC"
                                            "cher:");
  BKBookAllChk = Captioned<QRadioButton>(BChooseGrp, "BKBookAllChk",
                                         "alle Kochb\xFC"
                                         "cher");
  BKBookLiBo = Named<QListWidget>(BChooseGrp, "BKBookLiBo");
  BCRecPicsChk = Captioned<QCheckBox>(BChooseGrp, "BCRecPicsChk", "Rezeptbilder");
  BCZutPicsChk = Captioned<QCheckBox>(BChooseGrp, "BCZutPicsChk", "Zutatenbilder");
  BCDBsChk =
      Captioned<QCheckBox>(BChooseGrp, "BCDBsChk",
                           "Interne Datenbanken (Zutaten, Einheiten, Gattungen, H\xE4ndler usw.)");
  BCKontenChk = Captioned<QCheckBox>(BChooseGrp, "BCKontenChk",
                                     "Pers\xF6nliche Konten (Gewichts- und Verbrauchsdatenbanken)");
  BCLexikonChk = Captioned<QCheckBox>(BChooseGrp, "BCLexikonChk", "Lexikon-Eintragungen");
  BCHTMLChk = Captioned<QCheckBox>(BChooseGrp, "BCHTMLChk", "HTML-Vorlagen");
  auto* books = new QGridLayout;
  books->addWidget(BKBookChk, 0, 0, 1, 2);
  books->addWidget(BKBookAllChk, 1, 0);
  books->addWidget(BKBookChooseChk, 2, 0);
  books->addWidget(BKBookLiBo, 1, 1, 3, 1);
  books->setRowStretch(3, 1);
  books->setColumnStretch(1, 1);
  books->setColumnMinimumWidth(0, 20);
  auto* choose = new QVBoxLayout(BChooseGrp);
  choose->addLayout(books, 1);
  for (const SetBox& s : kSetBoxes) choose->addWidget(this->*(s.box));

  BStartGrp = Named<QGroupBox>(BackupPnl, "BStartGrp");
  BStartGrp->setTitle(toQ(" Start der Sicherung: "));
  Label1 = Captioned<QLabel>(BStartGrp, "Label1", "Backup-Pfad:");
  BPathEdt = Named<QLineEdit>(BStartGrp, "BPathEdt");
  BStartBtn = Captioned<QPushButton>(BStartGrp, "BStartBtn", "Backup &starten");
  auto* start = new QHBoxLayout(BStartGrp);
  start->addWidget(Label1);
  start->addWidget(BPathEdt, 1);
  start->addWidget(BStartBtn);

  BLogbuchGrp = Named<QGroupBox>(BackupPnl, "BLogbuchGrp");
  BLogbuchGrp->setTitle(toQ(" Verlauf des Backups: "));
  BLogLiBo = Named<QListWidget>(BLogbuchGrp, "BLogLiBo");
  (new QVBoxLayout(BLogbuchGrp))->addWidget(BLogLiBo);
  auto* backupPage = new QVBoxLayout(BackupPnl);
  backupPage->addWidget(BChooseGrp, 3);
  backupPage->addWidget(BStartGrp);
  backupPage->addWidget(BLogbuchGrp, 2);

  // The restore page: the backups, the log of the chosen one, the log of the restore.
  GroupBox3 = Named<QGroupBox>(RestorePnl, "GroupBox3");
  GroupBox3->setTitle(toQ(" Auswahl der Sicherung: "));
  BackupsLiBo = Named<QListWidget>(GroupBox3, "BackupsLiBo");
  DelBtn = Captioned<QPushButton>(GroupBox3, "DelBtn", "&L\xF6schen");
  RStartBtn = Captioned<QPushButton>(GroupBox3, "RStartBtn", "&Wiederherstellen starten");
  auto* chooseButtons = new QVBoxLayout;
  chooseButtons->addWidget(RStartBtn);
  chooseButtons->addWidget(DelBtn);
  chooseButtons->addStretch(1);
  auto* backups = new QHBoxLayout(GroupBox3);
  backups->addWidget(BackupsLiBo, 1);
  backups->addLayout(chooseButtons);
  GroupBox4 = Named<QGroupBox>(RestorePnl, "GroupBox4");
  GroupBox4->setTitle(toQ(" Damaliges Logfile "));
  LogfileLiBo = Named<QListWidget>(GroupBox4, "LogfileLiBo");
  (new QVBoxLayout(GroupBox4))->addWidget(LogfileLiBo);
  RLogbuchGrp = Named<QGroupBox>(RestorePnl, "RLogbuchGrp");
  RLogbuchGrp->setTitle(toQ(" Verlauf der Wiederherstellung: "));
  RLogLiBo = Named<QListWidget>(RLogbuchGrp, "RLogLiBo");
  (new QVBoxLayout(RLogbuchGrp))->addWidget(RLogLiBo);
  auto* restorePage = new QVBoxLayout(RestorePnl);
  restorePage->addWidget(GroupBox3, 2);
  restorePage->addWidget(GroupBox4, 2);
  restorePage->addWidget(RLogbuchGrp, 2);

  HelpBtn = Named<QToolButton>(this, "HelpBtn");
  HelpBtn->setText(QStringLiteral("?"));
  CancelBtn = Captioned<QPushButton>(this, "CancelBtn",
                                     "&Schlie\xDF"
                                     "en");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BackupPCtl, 1);
  layout->addLayout(DialogButtonRow(HelpBtn, {CancelBtn}));
  resize(560, 600);

  connect(BStartBtn, &QPushButton::clicked, this, [this] { BStartBtnClick(); });
  connect(RStartBtn, &QPushButton::clicked, this, [this] { RStartBtnClick(); });
  connect(DelBtn, &QPushButton::clicked, this, [this] { DelBtnClick(); });
  connect(BackupsLiBo, &QListWidget::itemClicked, this, [this] { BackupsLiBoClick(); });
  connect(BackupsLiBo, &QListWidget::currentRowChanged, this, [this] { ShowBackupLog(); });
  connect(BackupPCtl, &QTabWidget::currentChanged, this, [this] { BackupPCtlChange(); });
  connect(BKBookLiBo, &QListWidget::itemClicked, this, [this] { BKBookLiBoClick(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { close(); });
  FormCreate();
}

void TBackupDlg::FormCreate() {
  {
    const QSignalBlocker quiet(BackupPCtl);
    BackupPCtl->setCurrentWidget(BackupPnl);
  }
  languageFolders_ = FindLanguageFolders(ctx().options ? ctx().options->Str(2) : std::string());
  if (LangDlg) LangDlg->TranslateForm(this);
}

void TBackupDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TBackupDlg::FormShow() {
  BChooseGrp->setEnabled(true);
  BStartGrp->setEnabled(true);
  BLogbuchGrp->hide();
  RLogbuchGrp->hide();
  BKBookLiBo->clear();
  if (ctx().books)
    for (const KBOOK& book : ctx().books->Books()) {
      auto* item = new QListWidgetItem(toQ(book.name), BKBookLiBo);
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      item->setCheckState(Qt::Unchecked);
    }
  for (int n = 0;; ++n) {
    const std::string name = ReadValue(("KBook" + std::to_string(n)).c_str(), "");
    if (name.empty()) break;
    for (int i = 0; i < BKBookLiBo->count(); ++i)
      if (fromQ(BKBookLiBo->item(i)->text()) == name)
        BKBookLiBo->item(i)->setCheckState(Qt::Checked);
  }
  const std::string root = ctx().options ? WithSeparator(ctx().options->Str(90)) : std::string();
  BPathEdt->setText(toQ(ReadValue("BackupPath", root + "Backup/")));
  BKBookChk->setChecked(ReadFlag("BKBook"));
  (ReadFlag("BKBookAll") ? BKBookAllChk : BKBookChooseChk)->setChecked(true);
  for (const SetBox& s : kSetBoxes) (this->*(s.box))->setChecked(ReadFlag(s.value));
  if (BackupPCtl->currentWidget() == RestorePnl) ListBackups();
  CenterOnForm(this);
}

bool TBackupDlg::SaveBackupPath() {
  std::string path = fromQ(BPathEdt->text());
  if (path.empty()) {
    // A single separator would name the root of the file system.
    ShowError(1050);
    return false;
  }
  if (!IsSeparator(path.back())) path += '/';
  WriteValue("BackupPath", path);
  BPathEdt->setText(toQ(path));
  return true;
}

void TBackupDlg::AddLogLine(const std::string& text) {
  QListWidget* list = BackupPCtl->currentWidget() == RestorePnl ? RLogLiBo : BLogLiBo;
  list->addItem(toQ(text));
  list->setCurrentRow(list->count() - 1);
  list->scrollToBottom();
}

DataBackup TBackupDlg::MakeBackup() {
  BackupPlaces places = BackupPlaces::FromProgram();
  places.languageFolders = languageFolders_;
  // The books in the order of the list, which is what the choices refer to.
  places.books.clear();
  for (int i = 0; i < BKBookLiBo->count(); ++i)
    places.books.push_back(fromQ(BKBookLiBo->item(i)->text()));
  DataBackup backup(std::move(places));
  backup.onLogLine = [this](const std::string& line) {
    AddLogLine(line);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  };
  return backup;
}

void TBackupDlg::BStartBtnClick() {
  if (!SaveBackupPath()) return;
  BChooseGrp->setEnabled(false);
  BStartGrp->setEnabled(false);
  BLogbuchGrp->show();
  RLogbuchGrp->show();
  BLogLiBo->clear();
  BackupSets sets;
  if (BKBookLiBo->count() > 0) {
    int n = 0;
    for (int i = 0; i < BKBookLiBo->count(); ++i)
      if (BKBookLiBo->item(i)->checkState() == Qt::Checked) {
        sets.chosenBooks.push_back(fromQ(BKBookLiBo->item(i)->text()));
        WriteValue("KBook" + std::to_string(n++), sets.chosenBooks.back());
      }
    WriteValue("KBook" + std::to_string(n), "");
  }
  sets.books = BKBookChk->isChecked();
  sets.allBooks = BKBookAllChk->isChecked();
  sets.recipePictures = BCRecPicsChk->isChecked();
  sets.ingredientPictures = BCZutPicsChk->isChecked();
  sets.databases = BCDBsChk->isChecked();
  sets.lexicon = BCLexikonChk->isChecked();
  sets.accounts = BCKontenChk->isChecked();
  sets.htmlTemplates = BCHTMLChk->isChecked();
  WriteFlag("BKBook", sets.books);
  WriteFlag("BKBookAll", sets.allBooks);
  for (const SetBox& s : kSetBoxes) WriteFlag(s.value, (this->*(s.box))->isChecked());
  DataBackup backup = MakeBackup();
  std::string folder;
  backup.RunBackup(fromQ(BPathEdt->text()), sets, folder);
  BChooseGrp->setEnabled(true);
  BStartGrp->setEnabled(true);
}

void TBackupDlg::BackupPCtlChange() {
  if (BackupPCtl->currentWidget() != RestorePnl) return;
  if (SaveBackupPath())
    ListBackups();
  else
    BackupsLiBo->clear();
}

void TBackupDlg::ListBackups() {
  const QSignalBlocker quiet(BackupsLiBo);
  BackupsLiBo->clear();
  listedPath_ = fromQ(BPathEdt->text());
  if (!listedPath_.empty())
    for (const std::string& name : MakeBackup().ListBackups(listedPath_))
      BackupsLiBo->addItem(toQ(name));
  BackupsLiBo->setCurrentRow(BackupsLiBo->count() - 1);
  ShowBackupLog();
}

std::string TBackupDlg::SelectedBackup() const {
  const QListWidgetItem* item = BackupsLiBo->currentItem();
  return item && item->isSelected() ? fromQ(item->text()) : std::string();
}

void TBackupDlg::ShowBackupLog() {
  LogfileLiBo->clear();
  const std::string name = SelectedBackup();
  if (name.empty()) return;
  for (const std::string& line : MakeBackup().ReadBackupLog(listedPath_, name))
    LogfileLiBo->addItem(toQ(line));
}

void TBackupDlg::RStartBtnClick() {
  const std::string name = SelectedBackup();
  if (name.empty()) return;
  if (MessageBox(GetLangText(602), GetLangText(17), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  DataBackup backup = MakeBackup();
  // The backup as it was listed, never whatever the path field holds by now.
  if (!backup.IsBackup(listedPath_, name)) {
    ShowError(1056);
    ListBackups();
    return;
  }
  RLogbuchGrp->show();
  RLogLiBo->clear();
  RestoreCounts counts;
  const bool complete = backup.RestoreBackup(listedPath_, name, counts);
  if (complete)
    MessageBox(GetLangText(603), GetLangText(2), MB_OK | MB_ICONINFORMATION);
  else
    MessageBox(GetLangText(1053), GetLangText(15), MB_OK | MB_ICONERROR);
  // Every window holds the data from before: none may write it back on the way out.
  if (ctx().exitProcess) ctx().exitProcess(0);
}

void TBackupDlg::DelBtnClick() {
  const std::string name = SelectedBackup();
  if (name.empty()) return;
  if (MessageBox(GetLangText(601), GetLangText(17), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  DataBackup backup = MakeBackup();
  if (!backup.IsBackup(listedPath_, name)) {
    ShowError(1056);
  } else if (!backup.DeleteBackup(listedPath_, name)) {
    ShowError(1055, WithSeparator(listedPath_) + name);
  }
  ListBackups();
}

void TBackupDlg::BKBookLiBoClick() {
  BKBookChooseChk->setChecked(true);
}

void TBackupDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_Backup.htm");
}

}  // namespace tav
