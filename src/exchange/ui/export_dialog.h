#pragma once
// The export window "Rezepte exportieren": which recipes, the format, the clipboard or a file
// (split every n recipes), a start button that stops a run when it is clicked again, and the
// log of the run. The run itself is ExportRun's work; the window gives it the save dialog, the
// recipe list, the log list, the busy cursor and the pending window messages.
#include <QDialog>
#include <QElapsedTimer>
#include <functional>

#include "exchange/export_run.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace tav {

class TExportDlg : public QDialog, public ExportRun {
  Q_OBJECT
 public:
  explicit TExportDlg(QWidget* parent = nullptr);

  void FormCreate();
  void FormShow();
  void FormatClick(uint8_t format);
  void FileRdbClick();
  void OKBtnClick();
  void CancelBtnClick();
  void HelpBtnClick();
  // The options window on its page "Export" (4) or "HTML-Export" (5).
  void MMOptBtnClick();
  void HTMLOptBtnClick();
  // Escape and the close button do nothing while a run lets window messages through.
  void reject() override;

  QGroupBox* GroupBox4;  // which recipes
  QRadioButton* mAktRezRdb;
  QRadioButton* mSelRezRdb;
  QRadioButton* mMarkRezRdb;
  QRadioButton* mAllRezRdb;
  QRadioButton* mSuchRezRdb;
  QGroupBox* GroupBox3;  // format
  QRadioButton* mKMLFmtRdb;
  QRadioButton* mMMFmtRdb;
  QRadioButton* mHTMLFmtRdb;
  QRadioButton* mLesFmtRdb;
  QRadioButton* mRKFmtRdb;
  QToolButton* MMOptBtn;
  QToolButton* HTMLOptBtn;
  QGroupBox* GroupBox5;  // target
  QRadioButton* ClipRdb;
  QRadioButton* FileRdb;
  QCheckBox* TileChk;
  QLineEdit* TileAnzEdt;
  QLabel* Tile1Txt;
  QLabel* Tile2Txt;
  QGroupBox* GroupBox2;
  QListWidget* LogLiBo;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QToolButton* HelpBtn;

  // Test hook: the save dialog's answer (false: cancelled) instead of the dialog.
  std::function<bool(std::string&)> chooseFileForTest;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

  bool ChooseExportFile(std::string& name) override;
  void ShowRunState(RunState state) override;
  void LogLineAdded(const std::string& line) override;
  void LastLogLineRemoved() override;
  void LogCleared() override;
  void ShowLastLogLine() override;
  void ProcessMessages() override;
  void PassRecipeToLexicon(const REZBLOCK& recipe) override;

 private:
  QRadioButton* FormatButton(uint8_t format) const;
  QRadioButton* SetButton(uint8_t set) const;
  void TakeChoices();
  // During a run the list is shown and messages are let through only every few milliseconds.
  bool WindowDue() const;
  bool restoring_ = false;  // FormShow sets the buttons: no tips then
  QElapsedTimer sinceEvents_;
};

extern TExportDlg* ExportDlg;

}  // namespace tav
