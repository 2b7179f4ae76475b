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
};

extern TKBookDlg* KBookDlg;

}  // namespace tav
