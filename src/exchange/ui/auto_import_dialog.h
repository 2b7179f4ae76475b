#pragma once
// The window "Auto-Import von Rezeptdateien": the files of the watched folder with their state,
// importing all of them or one, deleting one, the folder's log. It holds the timer that imports
// the folder while the program runs (options 41 and 42); a tick does nothing while this or any
// other modal window is open.
#include <QDialog>

#include "exchange/auto_import.h"

class QComboBox;
class QPushButton;
class QTableWidget;
class QTimer;
class QToolButton;

namespace tav {

class TAutoImpDlg : public QDialog, public AutoImport {
  Q_OBJECT
 public:
  explicit TAutoImpDlg(QWidget* parent = nullptr);

  void FormCreate();
  void FormShow();
  // The timer from options 41 (on or off) and 42 (minutes, at least 1); the options window
  // calls it after its changes.
  void ApplyAutoImportTimer();
  // Fills the grid by the filter: name and state of each file, or the no-files row.
  void FillAutoImportList();
  void FilterCoBoChange() { FillAutoImportList(); }
  void StartBtnClick();
  void StartOneBtmClick();
  void DelBtnClick();
  void LogBookBtnClick();
  // The options window on its Auto-Import page.
  void IAOptionsBtnClick();
  static constexpr int kAutoImportOptionsPage = 6;
  void HelpBtnClick();
  void AutoImpTimerTimer();

  QComboBox* FilterCoBo;
  QTableWidget* ImpListGrd;
  QPushButton* StartBtn;
  QPushButton* StartOneBtm;
  QPushButton* DelBtn;
  QPushButton* LogBookBtn;
  QPushButton* IAOptionsBtn;
  QPushButton* IDCancelBtn;
  QToolButton* HelpBtn;
  QTimer* AutoImpTimer;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The file name of the selected row; "" for none (or the no-files row).
  std::string SelectedFile() const;
};

extern TAutoImpDlg* AutoImpDlg;

}  // namespace tav
