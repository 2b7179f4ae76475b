#pragma once
// The ingredient picker "Zutaten-Auswahl": one ingredient of the catalogue, chosen from a sorted
// list.
#include <QDialog>

#include "recipedb/ingredient_catalogue.h"

class QGroupBox;
class QListWidget;
class QPushButton;

namespace tav {

class TGetZutatDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TGetZutatDlg(QWidget* parent = nullptr);
  ~TGetZutatDlg() override;

  // The ingredient of the last choice; its plural is empty after Cancel.
  const REZZUTATEN& ChosenZutat() const { return chosen; }

  void FormShow();
  void OKBtnClick();
  void CancelBtnClick();
  // Cancel, Escape and the window's close button alike.
  void reject() override;

  QGroupBox* ZutatGrp;
  QListWidget* ZutatLiBo;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  REZZUTATEN chosen;

 protected:
  void showEvent(QShowEvent* event) override;
};

extern TGetZutatDlg* GetZutatDlg;

}  // namespace tav
