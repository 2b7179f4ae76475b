#pragma once
// The best-before window "MHD-Untersuchung der Gefrierschränke": the stored foods past or near
// their best-before month, most urgent first, each with its freezer and compartment. Opened at
// start (options 79 and 80) and from the main menu; a double click shows the food in the
// freezer window.
#include <QDialog>
#include <vector>

#include "kitchen/freezer/best_before.h"

class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;

namespace tav {

class TCoolMHDDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TCoolMHDDlg(QWidget* parent = nullptr);

  // 1 the start-up check, 0 the menu command.
  void SetBestBeforeMode(int mode) { Mode = mode; }
  bool GetBestBeforeMode() const { return Mode != 0; }
  // Builds the list from the freezer window's data with the options of the moment.
  bool BuildBestBeforeList(std::vector<CO_SLIST>& list) const;
  // Builds, sorts and shows the list; true when it is not empty.
  bool FillBestBeforeDialog();
  void LMittelLiBoDblClick();
  void HelpBtnClick();

  int Mode = 0;
  std::vector<CO_SLIST> Warnings;

  QWidget* LMittelPnl = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QListWidget* LMittelLiBo = nullptr;
  QLabel* NoLMittelTxt = nullptr;
  QWidget* PaintGraph = nullptr;
  QToolButton* HelpBtn = nullptr;
  QPushButton* CloseBtn = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
};

extern TCoolMHDDlg* CoolMHDDlg;

}  // namespace tav
