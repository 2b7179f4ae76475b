#pragma once
// The list of the diary persons: new, edit and delete; new and changed persons are edited in the
// person dialog. The persons are the diary module's.
#include <QDialog>

class QPushButton;
class QTableWidget;

namespace tav {

class TPersListDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TPersListDlg(QWidget* parent = nullptr);
  ~TPersListDlg() override;

  void FillGrid();
  void NewBtnClick();
  void EditBtnClick();
  void DelBtnClick();
  void HelpBtnClick();

  QTableWidget* PersListGrd;
  QPushButton* NewBtn;
  QPushButton* DelBtn;
  QPushButton* EditBtn;
  QPushButton* OKBtn;
  QPushButton* HelpBtn;

 protected:
  void showEvent(QShowEvent* e) override;
  void done(int result) override;
};

extern TPersListDlg* PersListDlg;

}  // namespace tav
