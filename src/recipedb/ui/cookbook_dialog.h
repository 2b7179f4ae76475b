#pragma once
// Cookbook window; owns the cookbook list.
#include <QDialog>

#include "recipedb/cookbook_list.h"

namespace tav {

class TKBookDlg : public QDialog, public CookbookList {
  Q_OBJECT
 public:
  // Reads the books of the data folder (ScanKBooks) and becomes ctx().books.
  explicit TKBookDlg(QWidget* parent = nullptr);
  ~TKBookDlg() override;

  // The book items of the main window's cookbook menu (the current book ticked) and of its four
  // move and copy sub-menus, one per book in list order; each item carries its book's name.
  void BuildKBookMenus();

 protected:
  void BooksChanged() override { BuildKBookMenus(); }
  // The empty view shows the background picture of the book that became current.
  void BookSelected(const KBOOK& book) override;
};

extern TKBookDlg* KBookDlg;

}  // namespace tav
