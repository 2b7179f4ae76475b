#pragma once
// The key-figure choice window: which figures the recipe view, the HTML page, the text export
// and the printout show, in which order and under which text. The window is the store of the
// choice (KeyFigureChoice) for the whole program; OK writes "Kenndaten.dat".
#include <QDialog>

#include "recipes/key_figure_choice.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;
class QTreeWidget;

namespace tav {

class TKenndatenDlg : public QDialog, public KeyFigureChoice {
  Q_OBJECT
 public:
  explicit TKenndatenDlg(QWidget* parent = nullptr);

  // Rebuilds the tree with the current kind's figures; selects the node of list index
  // `select` (-1: none).
  void RefreshKeyFigureTree(int select);
  // The list index of the selected node, -1 for none.
  int SelectedFigure() const;

  void FormCreate();
  void OKBtnClick();
  void CloseBtnClick();
  void HelpBtnClick();
  void DataTypeCoBoChange();
  void KenndatenAddBtnClick();
  void BLSDatenAddBtnClick();
  void ShowDataDelBtnClick();
  void ShowDataUpBtnClick();
  void ShowDataDownBtnClick();
  // A drop on the tree from `source` (the tree, KenndatenLiBo or BLSDatenLiBo) before the
  // node of list index `before` (-1: below the last node).
  void ShowDataTreeDragDrop(QObject* source, int before);
  void ShowDataTreeChange();
  void ShowTextEdtChange();

  QLabel* DataTypeTxt = nullptr;
  QComboBox* DataTypeCoBo = nullptr;
  QGroupBox* ShowDataGrp = nullptr;
  QTreeWidget* ShowDataTree = nullptr;
  QPushButton* ShowDataDelBtn = nullptr;
  QToolButton* ShowDataUpBtn = nullptr;
  QToolButton* ShowDataDownBtn = nullptr;
  QGroupBox* KenndatenGrp = nullptr;
  QListWidget* KenndatenLiBo = nullptr;
  QPushButton* KenndatenAddBtn = nullptr;
  QGroupBox* BLSDatenGrp = nullptr;
  QListWidget* BLSDatenLiBo = nullptr;
  QPushButton* BLSDatenAddBtn = nullptr;
  QGroupBox* ShowTextGrp = nullptr;
  QLabel* ShowTextTxt = nullptr;
  QLineEdit* ShowTextEdt = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CloseBtn = nullptr;
  QToolButton* HelpBtn = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The node of a list index (null when the tree does not show it).
  int NodeRow(int index) const;
  void MoveSelected(int step);
  PARA_SHOWDATA NutrientItemFigure(int row) const;

  std::vector<PARA_SHOWDATA> shownWith_;  // the list when the window was shown
  bool filling_ = false;
};

extern TKenndatenDlg* KenndatenDlg;

}  // namespace tav
