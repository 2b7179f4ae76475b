#pragma once
// The data pane of the standard view: the title bar over the ingredient pane (left) and the
// information pane (right). It holds the recipe on screen, ShownRecipe, which the other windows
// of the program read.
#include <QWidget>
#include <cstdint>
#include <string>

#include "recipedb/recipe_model.h"

class QLabel;
class QSplitter;

namespace tav {

class TDataRezDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TDataRezDlg(QWidget* parent = nullptr);

  // Reads the recipe of a recipe-list entry and fills every pane. `item` is the entry's item
  // data: a search-result position in search mode, else a position in the book index. Unless
  // forced, a recipe already on screen (the same book and number) is left as it is.
  void ShowRecipe(int item, bool force);
  // Shows the recipe on screen again for other servings (-1 its own, -2 following it).
  void RedisplayCurrentRecipe(int servings);
  std::string GetShownServingType() const { return ShownRecipe.servingType; }
  // Name (file or address) of the first picture of the recipe on screen; empty without one.
  std::string GetShownPictureName() const;

  QLabel* RezTitle = nullptr;
  QWidget* ZutatPanel = nullptr;  // hosts the ingredient pane
  QSplitter* DataSplit = nullptr;
  QWidget* InfoDatPanel = nullptr;  // hosts the information pane

  int DataItem = -1;
  // The recipe on screen: servings replaced by the chosen servings, amounts scaled to them.
  REZBLOCK ShownRecipe;

 private:
  void OnCreate();
  // Book and number of the recipe on screen; number -1 while none is.
  int16_t shownBook_ = 0;
  int32_t shownNumber_ = -1;
};

extern TDataRezDlg* DataRezDlg;

}  // namespace tav
