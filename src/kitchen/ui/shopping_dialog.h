#pragma once
// The shopping dialog "Einkaufsliste erstellen": which recipes of the shopping list count and
// for how many servings, the computed list of things to buy grouped by dealer (buy or not,
// dealer per ingredient, rows editable and movable), other errands, and the buying list as a
// text file for the editor or the printer. Servings, buy marks and errands are kept in the
// settings between showings.
#include <QDialog>
#include <vector>

#include "kitchen/shopping/shopping_computation.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace tav {

class DealerTable;

class TEinkaufDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TEinkaufDlg(QWidget* parent = nullptr);

  // Fills the dialog from the shopping list and the saved state (at every showing).
  void PrepareEinkaufList();
  // The grid again from the ticked recipes.
  void BuildZutatenListe();
  // Writes Kauflist.txt from the dialog as it is; false (message 221 said) when it cannot.
  bool WriteKaufListText();

  // Handlers.
  void RezeptLiBoClick();
  void RezeptLiBoClickCheck(int item);
  void MengeEdtChange();
  void ZutatGrdClick(int row, int col);
  void HaendlerCoBoChange(int index);
  void HaendlerBtnClick();
  void editListClick();
  void printListClick();
  void HelpBtnClick();
  void OKBtnClick();

  // The grid's data rows in the order shown (rows moved by the user included).
  std::vector<ShoppingRow> GridRows() const;
  void SetGridRows(const std::vector<ShoppingRow>& rows);
  // The texts of the ticked recipe items, in list order.
  std::vector<std::string> TickedItems() const;

  std::vector<KAUFZETTEL> records;
  bool dealersChanged = false;

  QGroupBox* RezGrp = nullptr;
  QListWidget* RezeptLiBo = nullptr;
  QLabel* MengeLbl = nullptr;
  QLineEdit* MengeEdt = nullptr;
  QLabel* MengeTxt = nullptr;
  QGroupBox* SonstGrp = nullptr;
  QPlainTextEdit* SonstEdt = nullptr;
  QGroupBox* ZutatGrp = nullptr;
  QTableWidget* ZutatGrd = nullptr;
  QLabel* HaendlerLbl = nullptr;
  QComboBox* HaendlerCoBo = nullptr;
  QToolButton* HaendlerBtn = nullptr;
  QPushButton* editList = nullptr;
  QPushButton* printList = nullptr;
  QPushButton* OKBtn = nullptr;
  QToolButton* HelpBtn = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 public:
  void done(int result) override;

 private:
  DealerTable* Table() const;
  void FillDealerCombo();
  // Row of the grid (a model row) shown at visual place `place`.
  int ModelRow(int place) const;
  QString Cell(int row, int col) const;
  void SetCell(int row, int col, const QString& text);
  std::vector<bool> Ticks() const;

  bool filling_ = false;
  bool tipShown_ = false;
};

extern TEinkaufDlg* EinkaufDlg;

}  // namespace tav
