#pragma once
// The import window "Rezepte importieren": source (clipboard or files), target book, start and
// stop button and the log of the run. The import itself is RecipeImporter's work; the window
// gives it the file dialog, the log list, the busy cursor and the pending window messages.
#include <QDialog>
#include <QElapsedTimer>

#include "exchange/import_driver.h"

class QGroupBox;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace tav {

class TImportDlg : public QDialog, public RecipeImporter {
  Q_OBJECT
 public:
  explicit TImportDlg(QWidget* parent = nullptr);

  void FormCreate();
  void FormShow();
  void OKBtnClick();
  void CancelBtnClick();
  void HelpBtnClick();

  // Fills ImportLiBo with every book and selects the current one (option 6).
  void FillTargetBookList();
  // The clipboard into the current book, with the window shown while it runs; the notice of
  // the count follows with option 48. Gives the number of recipes imported.
  int QuickImport();
  // The watched folder's import: the window (hidden) shows file mode and the book it used.
  int ImportFileIntoBook(const std::string& fileName, const std::string& bookName);

  QGroupBox* MediumGrp;
  QRadioButton* ClipRdb;
  QRadioButton* FileRdb;
  QGroupBox* ZielGrp;
  QListWidget* ImportLiBo;
  QGroupBox* LogGrp;
  QListWidget* LogLiBo;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QToolButton* HelpBtn;

  // Test hook: the open-file dialog's answer (false: cancelled) instead of the dialog.
  std::function<bool(std::vector<std::string>&)> chooseFilesForTest;

  // Where the file dialog opens: the import folder of the options, else the data root's
  // Import folder, else the home folder.
  static std::string ImportStartFolder();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

  bool ChooseImportFiles(std::vector<std::string>& files) override;
  void ShowRunState(bool running) override;
  void LogLineAdded(const std::string& line) override;
  void LogLineSet(int position, const std::string& line) override;
  void LogLineRemoved(int position) override;
  void LogCleared() override;
  void ShowLastLogLine() override;
  void ProcessMessages() override;
  bool ImportBlocked() const override;

 private:
  void TakeChoices();
  // During a run the list is shown and messages are let through only every few milliseconds.
  bool WindowDue() const;
  bool skipClipboardProbe_ = false;
  QElapsedTimer sinceEvents_;  // the window is kept live without slowing a long run down
};

extern TImportDlg* ImportDlg;

}  // namespace tav
