#pragma once
// The ingredient line list of the recipe editor: the lines of the recipe being edited with
// buttons to add, change, delete and move them. It lives in the standard page's ingredient
// group and moves into the ingredient chooser while that is open.
#include <QWidget>

#include "recipedb/recipe_model.h"

class QListWidget;
class QPushButton;
class QToolButton;

namespace tav {

class TEditZutatDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TEditZutatDlg(QWidget* parent = nullptr);
  ~TEditZutatDlg() override;

  void SetIngredientListRecipe(REZBLOCK* recipe);
  // Rebuilds the list from the recipe's lines; the selection is kept where it can be.
  void FillIngredientList();
  void FindLineBlock(int& first, int& last) const;
  // Removes the block of line `index` (-1: of the selected line); its first position or -1.
  int DeleteLineBlock(int index);
  void InsertLineGap(int at, int n);
  // Appends (-1) or overwrites a line, then refills the list and its buttons.
  void StoreLineAt(int index, const REZZUTAT& line);
  // -1 selects the last line, -2 clears the selection.
  void SelectIngredientLine(int index);
  void UpdateLineButtons();
  // Into the ingredient chooser (true) or back onto the standard page (false).
  void PlaceIngredientList(bool intoChooser);
  // The selected position, -1 for none.
  int SelectedLine() const;
  bool InChooser() const { return inChooser_; }

  void ZutatLiBoClick();
  void ZutatEditBtnClick();
  void ZutatNeuBtnClick();
  void ZutatDelBtnClick();
  void ZutatUpBtnClick();
  void ZutatDownBtnClick();
  void FormCreate();

  REZBLOCK* ListRecipe = nullptr;

  QListWidget* ZutatLiBo = nullptr;
  QPushButton* ZutatNeuBtn = nullptr;
  QPushButton* ZutatEditBtn = nullptr;
  QPushButton* ZutatDelBtn = nullptr;
  QToolButton* ZutatUpBtn = nullptr;
  QToolButton* ZutatDownBtn = nullptr;

 private:
  void MoveBlock(bool down);
  // Opens the chooser modally with the list inside it.
  void OpenChooser(int line);
  bool inChooser_ = false;
};

extern TEditZutatDlg* EditZutatDlg;

}  // namespace tav
