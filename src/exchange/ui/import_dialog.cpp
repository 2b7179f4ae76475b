#include "exchange/ui/import_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "exchange/ui/export_dialog.h"
#include "platform/qt/qt_text.h"
#include "recipes/ui/alert_dialog.h"
#include "recipes/ui/recipe_editor_window.h"
#include "services/context.h"
#include "platform/paths.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/file_dialog_filter.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TImportDlg* ImportDlg = nullptr;

namespace {

// Pending window messages run at most this often during a run (milliseconds).
constexpr int kEventInterval = 40;

}  // namespace

TImportDlg::TImportDlg(QWidget* parent) : QDialog(parent) {
  ImportDlg = this;
  setObjectName(QStringLiteral("ImportDlg"));
  setWindowTitle(toQ("Rezepte importieren"));

  MediumGrp = Named<QGroupBox>(this, "MediumGrp");
  MediumGrp->setTitle(toQ("Importmedium"));
  ClipRdb = Named<QRadioButton>(MediumGrp, "ClipRdb");
  ClipRdb->setText(toQ("vom Clipboard"));
  FileRdb = Named<QRadioButton>(MediumGrp, "FileRdb");
  FileRdb->setText(toQ("aus einer Datei"));
  ZielGrp = Named<QGroupBox>(this, "ZielGrp");
  ZielGrp->setTitle(toQ("Ziel-Kochbuch"));
  ImportLiBo = Named<QListWidget>(ZielGrp, "ImportLiBo");
  LogGrp = Named<QGroupBox>(this, "LogGrp");
  LogGrp->setTitle(toQ("Logbuch:"));
  LogLiBo = Named<QListWidget>(LogGrp, "LogLiBo");
  // Lines differ in width (a file name can be long): each keeps its own, none is cut.
  LogLiBo->setTextElideMode(Qt::ElideNone);
  OKBtn = Named<QPushButton>(this, "OKBtn");
  OKBtn->setText(toQ("&Start"));
  OKBtn->setDefault(true);
  CancelBtn = Named<QPushButton>(this, "CancelBtn");
  CancelBtn->setText(
      toQ("&Schlie\xDF"
          "en"));
  HelpBtn = Named<QToolButton>(this, "HelpBtn");
  HelpBtn->setText(QStringLiteral("?"));

  auto* medium = new QVBoxLayout(MediumGrp);
  medium->addWidget(ClipRdb);
  medium->addWidget(FileRdb);
  auto* target = new QVBoxLayout(ZielGrp);
  target->addWidget(ImportLiBo);
  auto* left = new QVBoxLayout;
  left->addWidget(MediumGrp);
  left->addWidget(ZielGrp, 1);
  auto* log = new QVBoxLayout(LogGrp);
  log->addWidget(LogLiBo);
  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addWidget(LogGrp, 1);
  auto* buttons = DialogButtonRow(HelpBtn, {OKBtn, CancelBtn});
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);

  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  FormCreate();
}

void TImportDlg::FormCreate() {
  FileRdb->setChecked(true);
  skipClipboardProbe_ = false;
  if (LangDlg) LangDlg->TranslateForm(this);
}

void TImportDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TImportDlg::FormShow() {
  if (!skipClipboardProbe_) {
    const int probe = ProbeClipboard();
    if (probe == 1)
      ClipRdb->setChecked(true);
    else if (probe == 0)
      FileRdb->setChecked(true);
  }
  FillTargetBookList();
  CenterOnForm(this);
  OKBtn->setFocus();
}

void TImportDlg::FillTargetBookList() {
  int selected = -1;
  const std::vector<std::string> names =
      TargetBookNames(ctx().options ? ctx().options->Str(6) : std::string(), selected);
  ImportLiBo->clear();
  for (const std::string& name : names) ImportLiBo->addItem(toQ(name));
  ImportLiBo->setCurrentRow(selected);
}

void TImportDlg::TakeChoices() {
  clipboardSource = ClipRdb->isChecked();
  const QListWidgetItem* item = ImportLiBo->currentItem();
  targetBook = item ? fromQ(item->text()) : std::string();
}

void TImportDlg::OKBtnClick() {
  if (!IsRunning()) TakeChoices();
  StartImport();
}

void TImportDlg::CancelBtnClick() {
  close();
}

void TImportDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_Import.htm");
}

void TImportDlg::closeEvent(QCloseEvent* event) {
  if (IsRunning()) {  // the window stays while its run ends; the close asks it to stop
    StartImport();
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void TImportDlg::reject() {
  if (IsRunning()) {
    StartImport();
    return;
  }
  QDialog::reject();
}

int TImportDlg::QuickImport() {
  ClipRdb->setChecked(true);
  skipClipboardProbe_ = true;
  show();
  TakeChoices();
  const int count = StartImport();
  hide();
  skipClipboardProbe_ = false;
  if (ctx().options && ctx().options->Flag(48) && AlertDlg) {
    AlertDlg->SetAlertText(GetLangText(184), QuickImportNotice(count));
    AlertDlg->exec();
  }
  return count;
}

int TImportDlg::ImportFileIntoBook(const std::string& fileName, const std::string& bookName) {
  const int count = RecipeImporter::ImportFileIntoBook(fileName, bookName);
  if (count < 0) return count;
  FileRdb->setChecked(true);
  FillTargetBookList();
  const QList<QListWidgetItem*> used = ImportLiBo->findItems(toQ(targetBook), Qt::MatchExactly);
  if (!used.isEmpty()) ImportLiBo->setCurrentItem(used.back());
  return count;
}

// ---------------------------------------------------------------------------------------------
// What the run asks of the window

std::string TImportDlg::ImportStartFolder() {
  // The import folder of the options, else the data root's, else the home folder; never the
  // working folder, where the file dialog would start for a folder that does not exist.
  const OptionsStore* options = ctx().options;
  const std::string data = options ? options->Str(2) : std::string();  // the root + "Data/"
  const std::string root = data.size() > 5 ? data.substr(0, data.size() - 5) : std::string();
  for (const std::string& folder :
       {options ? options->Str(3) : std::string(), root.empty() ? root : root + "Import/"})
    if (!folder.empty() && DirExists(folder)) return folder;
  return fromQ(QDir::homePath()) + "/";
}

bool TImportDlg::ChooseImportFiles(std::vector<std::string>& files) {
  files.clear();
  if (chooseFilesForTest) return chooseFilesForTest(files);
  QFileDialog dialog(this);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setOption(QFileDialog::ReadOnly, false);
  dialog.setDirectory(toQ(ImportStartFolder()));
  const QStringList filters = FileDialogFilters(GetLangText(175));
  dialog.setNameFilters(filters);
  if (filters.size() >= 7) dialog.selectNameFilter(filters[6]);
  if (dialog.exec() != QDialog::Accepted) return false;
  for (const QString& file : dialog.selectedFiles()) files.push_back(fromQ(file));
  return !files.empty();
}

void TImportDlg::ShowRunState(bool running) {
  OKBtn->setText(toQ(GetLangText(running ? 170 : 172)));
  CancelBtn->setEnabled(!running);
  if (running) {
    QApplication::setOverrideCursor(Qt::BusyCursor);
    sinceEvents_.start();
  } else {
    QApplication::restoreOverrideCursor();
    sinceEvents_.invalidate();
  }
}

bool TImportDlg::WindowDue() const {
  return !sinceEvents_.isValid() || sinceEvents_.elapsed() >= kEventInterval;
}

void TImportDlg::LogLineAdded(const std::string& line) {
  LogLiBo->addItem(toQ(line));
  LogLiBo->item(LogLiBo->count() - 1)->setToolTip(toQ(line));  // the whole line, however narrow
}

void TImportDlg::LogLineSet(int position, const std::string& line) {
  if (QListWidgetItem* item = LogLiBo->item(position)) {
    item->setText(toQ(line));
    item->setToolTip(toQ(line));
  }
}

void TImportDlg::LogLineRemoved(int position) {
  delete LogLiBo->takeItem(position);
}

void TImportDlg::LogCleared() {
  LogLiBo->clear();
}

void TImportDlg::ShowLastLogLine() {
  if (!WindowDue()) return;
  LogLiBo->setCurrentRow(LogLiBo->count() - 1);
  LogLiBo->repaint();
}

void TImportDlg::ProcessMessages() {
  if (!WindowDue()) return;
  QCoreApplication::processEvents();
  if (sinceEvents_.isValid()) sinceEvents_.start();
}

bool TImportDlg::ImportBlocked() const {
  return isVisible() || (EditRezDlg && EditRezDlg->isVisible()) ||
         (ExportDlg && ExportDlg->isVisible());
}

}  // namespace tav
