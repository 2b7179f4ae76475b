#include "exchange/ui/auto_import_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "exchange/ui/import_dialog.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"
#include "services/ui/named_controls.h"

namespace tav {

TAutoImpDlg* AutoImpDlg = nullptr;

TAutoImpDlg::TAutoImpDlg(QWidget* parent) : QDialog(parent) {
  AutoImpDlg = this;
  setObjectName(QStringLiteral("AutoImpDlg"));
  setWindowTitle(toQ("Auto-Import von Rezeptdateien"));

  FilterCoBo = Named<QComboBox>(this, "FilterCoBo");
  ImpListGrd = Named<QTableWidget>(this, "ImpListGrd");
  ImpListGrd->setColumnCount(2);
  ImpListGrd->setSelectionBehavior(QAbstractItemView::SelectRows);
  ImpListGrd->setSelectionMode(QAbstractItemView::SingleSelection);
  ImpListGrd->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ImpListGrd->verticalHeader()->hide();
  ImpListGrd->horizontalHeader()->setStretchLastSection(true);
  ImpListGrd->setShowGrid(false);
  StartBtn = Captioned<QPushButton>(this, "StartBtn", "Auto-&Import jetzt ausf\xFChren");
  StartOneBtm = Captioned<QPushButton>(this, "StartOneBtm", "Datei jetzt importieren");
  DelBtn = Captioned<QPushButton>(this, "DelBtn", "Datei l\xF6schen");
  LogBookBtn = Captioned<QPushButton>(this, "LogBookBtn", "Logbuch anzeigen");
  IAOptionsBtn = Captioned<QPushButton>(this, "IAOptionsBtn", "Optionen");
  IDCancelBtn = Captioned<QPushButton>(this, "IDCancelBtn",
                                       "&Schlie\xDF"
                                       "en");
  HelpBtn = Named<QToolButton>(this, "HelpBtn");
  HelpBtn->setText(QStringLiteral("?"));
  AutoImpTimer = new QTimer(this);
  AutoImpTimer->setObjectName(QStringLiteral("AutoImpTimer"));

  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {StartBtn, StartOneBtm, DelBtn, LogBookBtn}) buttons->addWidget(b);
  buttons->addStretch(1);
  buttons->addWidget(IAOptionsBtn);
  auto* files = new QVBoxLayout;
  files->addWidget(FilterCoBo);
  files->addWidget(ImpListGrd, 1);
  auto* top = new QHBoxLayout;
  top->addLayout(files, 1);
  top->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(DialogButtonRow(HelpBtn, {IDCancelBtn}));

  importFile = [](const std::string& file, const std::string& book) {
    return ImportDlg ? ImportDlg->ImportFileIntoBook(file, book) : -1;
  };
  connect(FilterCoBo, &QComboBox::currentIndexChanged, this, [this] { FilterCoBoChange(); });
  connect(StartBtn, &QPushButton::clicked, this, [this] { StartBtnClick(); });
  connect(StartOneBtm, &QPushButton::clicked, this, [this] { StartOneBtmClick(); });
  connect(DelBtn, &QPushButton::clicked, this, [this] { DelBtnClick(); });
  connect(LogBookBtn, &QPushButton::clicked, this, [this] { LogBookBtnClick(); });
  connect(IAOptionsBtn, &QPushButton::clicked, this, [this] { IAOptionsBtnClick(); });
  connect(IDCancelBtn, &QPushButton::clicked, this, [this] { close(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  connect(AutoImpTimer, &QTimer::timeout, this, [this] { AutoImpTimerTimer(); });
  FormCreate();
}

void TAutoImpDlg::FormCreate() {
  ApplyAutoImportTimer();
  if (LangDlg) LangDlg->TranslateForm(this);
  const QSignalBlocker quiet(FilterCoBo);
  FilterCoBo->clear();
  for (int text : {361, 362, 363}) FilterCoBo->addItem(toQ(GetLangText(text)));
}

void TAutoImpDlg::ApplyAutoImportTimer() {
  const int minutes = ctx().options ? ctx().options->Int(42) : 3;
  AutoImpTimer->setInterval((minutes < 1 ? 1 : minutes) * 60000);
  if (ctx().options && ctx().options->Flag(41))
    AutoImpTimer->start();
  else
    AutoImpTimer->stop();
}

void TAutoImpDlg::IAOptionsBtnClick() {
  MainWindowAccess* main = MainWindow();
  if (!main) return;
  main->ShowOptionsWindow(kAutoImportOptionsPage);
  // The folder's list and the timer follow what was set there.
  ApplyAutoImportTimer();
  FillAutoImportList();
}

void TAutoImpDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TAutoImpDlg::FormShow() {
  {
    const QSignalBlocker quiet(FilterCoBo);
    FilterCoBo->setCurrentIndex(2);
  }
  ImpListGrd->setColumnWidth(0, 150);
  ImpListGrd->setColumnWidth(1, 250);
  ImpListGrd->setHorizontalHeaderLabels({toQ(GetLangText(333)), toQ(GetLangText(334))});
  FillAutoImportList();
  CenterOnForm(this);
}

void TAutoImpDlg::FillAutoImportList() {
  const std::vector<FolderFile> files = ListWatchedFolder(FilterCoBo->currentIndex());
  ImpListGrd->clearContents();
  ImpListGrd->setRowCount(files.empty() ? 1 : static_cast<int>(files.size()));
  if (files.empty()) {
    ImpListGrd->setItem(0, 0, new QTableWidgetItem(QString()));
    ImpListGrd->setItem(0, 1, new QTableWidgetItem(toQ(GetLangText(332))));
    return;
  }
  for (size_t i = 0; i < files.size(); ++i) {
    const int row = static_cast<int>(i);
    const int state = files[i].state == kImported ? 329 : files[i].state == kNoRecipe ? 330 : 331;
    ImpListGrd->setItem(row, 0, new QTableWidgetItem(toQ(files[i].name)));
    ImpListGrd->setItem(row, 1, new QTableWidgetItem(toQ(GetLangText(state))));
  }
}

std::string TAutoImpDlg::SelectedFile() const {
  const int row = ImpListGrd->currentRow();
  const QTableWidgetItem* item = row >= 0 ? ImpListGrd->item(row, 0) : nullptr;
  return item ? fromQ(item->text()) : std::string();
}

void TAutoImpDlg::StartBtnClick() {
  RunAutoImport();
  FillAutoImportList();
}

void TAutoImpDlg::StartOneBtmClick() {
  const std::string name = SelectedFile();
  if (name.empty()) return;
  const int result = AutoImportFile(WatchedFolder() + name);
  FillAutoImportList();
  if (result != 0) ReloadIfAutoImportBook();
}

void TAutoImpDlg::DelBtnClick() {
  const std::string name = SelectedFile();
  if (name.empty()) return;
  if (!RemoveFile(WatchedFolder() + name)) {
    ShowError(850);
    return;
  }
  FillAutoImportList();
}

void TAutoImpDlg::LogBookBtnClick() {
  ShellOpenFile(FindFileNoCase(WatchedFolder() + "Logbuch.txt"));
}

void TAutoImpDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_AImport.htm");
}

void TAutoImpDlg::AutoImpTimerTimer() {
  // Never over an open window: this one, a modal one, or a run still in hand.
  if (isVisible() || QApplication::activeModalWidget() || IsBusy()) return;
  RunAutoImport();
}

}  // namespace tav
