#pragma once
// "Ändern der Portionsmenge": the number of servings for which the shown recipe is displayed
// and printed; the recipe itself does not change.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tav {

class TPersAnzDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TPersAnzDlg(QWidget* parent = nullptr);
  ~TPersAnzDlg() override;

  void FormShow();
  void OKBtnClick();
  void OrgAnzBtnClick();

  QLabel* AktMengeTxt;
  QLabel* NewAnzLbl;
  QLineEdit* NewAnzEdt;
  QLabel* PortionBezTxt;
  QLabel* HinweisTxt;
  QPushButton* OrgAnzBtn;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  std::string ShownServingType() const;
  void RedisplayShown(int servings);
};

extern TPersAnzDlg* PersAnzDlg;

}  // namespace tav
