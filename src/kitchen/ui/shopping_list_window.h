#pragma once
// The shopping list pane "Einkaufsliste", docked below the recipe list: the recipes to shop for,
// sorted by title. Recipes come by dragging them from the recipe list, by the recipe list's
// command and from the week plan; the pane opens the shopping dialog. Whenever the list becomes
// empty or not, the main window's pane closes or opens.
#include <QWidget>

#include "kitchen/shopping/shopping_list.h"
#include "recipedb/shopping_list_access.h"

class QLabel;
class QMenu;
class QToolButton;

namespace tav {

class TContextListBox;

class TKaufRezListDlg : public QWidget, public ShoppingListAccess {
  Q_OBJECT
 public:
  explicit TKaufRezListDlg(QWidget* parent = nullptr);
  ~TKaufRezListDlg() override;

  // What the recipe list, the cookbook list and the week plan ask.
  void AddToKaufList(const REZINDEX& entry, int portions) override;
  void RemoveFromKaufList(int16_t book, int32_t number) override;
  void RemoveKaufListEntry() override;
  int GetKaufListCount() const { return list.Count(); }
  void ClearKaufList();
  void LoadKaufList();

  // Handlers.
  void TCloseBtnClick();
  void FinishListClick();  // TShopBtn, double click, FinishList: the shopping dialog
  void ShowRezClick();
  void DelAllRezClick() { ClearKaufList(); }
  void HelpMnuClick();
  // A drag from the recipe list dropped here.
  void DropFromRecipeList();

  // The entry index of the selected list item, -1 for none.
  int SelectedEntry() const;
  // Selects the item of an entry index (-1: none).
  void SelectEntry(int index);

  // The entries, in file order; the list box shows them by title.
  ShoppingList list;

  QLabel* RezTitle = nullptr;
  QToolButton* TCloseBtn = nullptr;
  QToolButton* TShopBtn = nullptr;
  TContextListBox* EinkaufLiBo = nullptr;
  QMenu* KListPopup = nullptr;

 private:
  void BuildPopupMenu();
  // The list box again from the list's rows; the item of `select` (an entry index) selected.
  void FillListBox(int select);
  void PaneOpen(bool open);
};

extern TKaufRezListDlg* KaufRezListDlg;

}  // namespace tav
