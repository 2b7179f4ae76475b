#pragma once
// A planned recipe of the week plan: its title, book and day, with the servings planned and a
// remark to edit, and a button that shows the recipe. The dialog edits the plan's entry itself.
#include <QDialog>
#include <cstdint>

#include "kitchen/weekplan/week_plan.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tav {

// Shows a planned recipe at its planned servings: the recipe view on screen follows the
// servings, then the recipe list selects and shows the recipe.
void ShowPlannedRecipe(int16_t book, int32_t number, int servings);

class TWPParaDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TWPParaDlg(QWidget* parent = nullptr);

  // The entry the next showing displays and edits (null: none).
  void SetWPParaEntry(WPLAN* entry) { entry_ = entry; }

  void FormShow();
  // Takes the servings (the leading number of the field, 0 without one) and the remark.
  void OKBtnClick();
  void ShowRezBtnClick();

  QLabel* TitelLbl = nullptr;
  QLabel* WPPTitel = nullptr;
  QLabel* BookLbl = nullptr;
  QLabel* WPPKBookName = nullptr;
  QLabel* DateLbl = nullptr;
  QLabel* WPPDate = nullptr;
  QLabel* ServLbl = nullptr;
  QLineEdit* WPPAnzServ = nullptr;
  QLabel* WPPArtServ = nullptr;
  QLabel* BemLbl = nullptr;
  QLineEdit* WPPBem = nullptr;
  QPushButton* ShowRezBtn = nullptr;
  QPushButton* OKBtn = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  WPLAN* entry_ = nullptr;
};

extern TWPParaDlg* WPParaDlg;

}  // namespace tav
