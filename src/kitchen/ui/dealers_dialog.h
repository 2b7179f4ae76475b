#pragma once
// The dealer window "Händler und Abteilungen zum Erwerb von Zutaten": dealers and shop counters
// in visiting order, each with the ingredients bought there, in a tree. The window owns the
// dealer table for the whole run (read from Haendler.dat when it is created); OK writes it,
// closing in any other way reads the file again.
#include <QDialog>

#include "kitchen/shopping/dealers.h"

class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tav {

class TThekeDlg : public QDialog, public DealerTable {
  Q_OBJECT
 public:
  explicit TThekeDlg(QWidget* parent = nullptr);
  ~TThekeDlg() override;

  void FillThekeTree();
  void FillHaendlerList();
  // Makes the dealer node k current and selected (the last node when there are fewer).
  void SelectHaendlerNode(int k);
  void ShowZutatControls(bool visible);

  // Handlers.
  void HaendlerLiBoClick();
  void ThekeTreeChange(QTreeWidgetItem* node);
  void HaendlerEdtChange();
  void ZutatEdtChange();
  void NewHaendlerBtnClick();
  void DelHaendlerBtnClick();
  void ToolUpBtnClick() { MoveDealer(-1); }
  void ToolDownBtnClick() { MoveDealer(1); }
  void NewZutatBtnClick();
  void DelZutatBtnClick();
  void OKBtnClick();
  void HelpBtnClick();
  // An ingredient node dropped on a node: it moves to that node's dealer (at its end).
  void ThekeTreeDragDrop(QTreeWidgetItem* target);
  bool CanDragIngredient() const;

  QTreeWidget* ThekeTree = nullptr;
  QGroupBox* HaendlerGrp = nullptr;
  QLineEdit* HaendlerEdt = nullptr;
  QListWidget* HaendlerLiBo = nullptr;
  QPushButton* NewHaendlerBtn = nullptr;
  QToolButton* ToolUpBtn = nullptr;
  QToolButton* ToolDownBtn = nullptr;
  QPushButton* DelHaendlerBtn = nullptr;
  QGroupBox* ZutatPnl = nullptr;
  QLineEdit* ZutatEdt = nullptr;
  QPushButton* NewZutatBtn = nullptr;
  QPushButton* DelZutatBtn = nullptr;
  QToolButton* HelpBtn = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CloseBtn = nullptr;

  // The node the user selected last, or null.
  QTreeWidgetItem* currentNode = nullptr;

 public:
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void MoveDealer(int step);
  // The dealer index of a node (its own for a dealer node, its parent's for an ingredient).
  static int DealerOf(const QTreeWidgetItem* node);
  static bool IsIngredient(const QTreeWidgetItem* node);
  void SelectListRow(int row);
  void MakeCurrent(QTreeWidgetItem* node);

  bool updating_ = false;
};

extern TThekeDlg* ThekeDlg;

}  // namespace tav
