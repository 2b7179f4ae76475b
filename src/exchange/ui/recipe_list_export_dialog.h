#pragma once
// The window "Rezeptliste exportieren": the titles of the recipe list's entries (all, the
// marked or the selected ones) one a line into a text file or to the printer. Shown modally
// from the main menu and from the recipe list's popup menu (through RecipeListExport).
#include <QDialog>
#include <functional>
#include <string>

#include "exchange/recipe_title_list.h"
#include "recipes/ui/recipe_list_export_access.h"

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace tav {

class TExpRezListDlg : public QDialog, public RecipeListExport {
  Q_OBJECT
 public:
  explicit TExpRezListDlg(QWidget* parent = nullptr);
  ~TExpRezListDlg() override;

  void FormCreate();
  void FormShow();
  void OKBtnClick();
  void CancelBtnClick();
  void ShowRecipeListExport() override;

  QGroupBox* GroupBox1;  // which recipes
  QRadioButton* mAllRezRdb;
  QRadioButton* mMarkRezRdb;
  QRadioButton* mSelRezRdb;
  QGroupBox* GroupBox2;  // where to
  QRadioButton* FileRdb;
  QRadioButton* PrintRdb;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

  // Test hook: the save dialog's answer (false: cancelled) instead of the dialog.
  std::function<bool(std::string&)> chooseFileForTest;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool ChooseListFile(std::string& path);
};

extern TExpRezListDlg* ExpRezListDlg;

}  // namespace tav
