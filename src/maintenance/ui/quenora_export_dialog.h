#pragma once
// The window "Abgleich Quenora": the nutrients chosen for the sibling program, picked from the
// nutrient table into a grid and written to "QN_Sync/bsl.snc" of the data root, read back at
// every showing. The food page shows the groups of the food table; its buttons have no work
// yet and stay off. The page "Synchronisation" is empty.
#include <QDialog>
#include <vector>

#include "maintenance/sibling_export.h"

class QPushButton;
class QTableWidget;
class QTabWidget;
class QTreeWidget;

namespace tav {

class TContextListBox;

class TQuenoraDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TQuenoraDlg(QWidget* parent = nullptr);

  void FormCreate();
  void FormShow();
  void AddStoffBtnClick();
  void RemoveStoffBtnClick();
  void StartExportBtnClick() { SaveSiblingNutrients(); }
  void CloseBtnClick() { close(); }

  void FillBlsNutrientList();
  void LoadSiblingNutrients();
  void ShowSiblingNutrients();
  void SaveSiblingNutrients();
  void LoadBlsStructure();

  const std::vector<SiblingNutrient>& Chosen() const { return chosen_; }

  QTabWidget* QNSyncMnu;
  QWidget* SyncPage;
  QWidget* BLSPage;
  QPushButton* StartExportBtn;
  QTabWidget* PageControl1;
  QWidget* TabSheet1;
  QWidget* TabSheet2;
  QTreeWidget* BLSTre;
  QTreeWidget* SelBLSTre;
  QPushButton* Button3;
  QPushButton* Button4;
  QTableWidget* StoffGrd;
  TContextListBox* StoffLiBo;
  QPushButton* AddStoffBtn;
  QPushButton* RemoveStoffBtn;
  QPushButton* CloseBtn;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  std::vector<SiblingNutrient> chosen_;
  StoreFileGuard file_;  // how bsl.snc read, before it is written anew
};

extern TQuenoraDlg* QuenoraDlg;

}  // namespace tav
