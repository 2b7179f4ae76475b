#pragma once
// The inputs of the food search, shared by the search window and the chooser's search page:
// the three kinds with their edits and lists, the start button, the result grid and its two
// notices. The controls carry the component names both windows give them.
#include <QObject>

#include <string>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QVBoxLayout;
class QWidget;

namespace tav {

class FoodSearchInputs : public QObject {
  Q_OBJECT
 public:
  // Creates the controls as children of `parent`; the grid's titles are given.
  FoodSearchInputs(QWidget* parent, const QStringList& gridTitles);

  // The inputs in rows, and the result area (grid and notices).
  QGridLayout* InputLayout();
  QVBoxLayout* ResultLayout();

  // Runs the search of the checked kind into the grid (FillBLSResultGrid); the number of hits,
  // or -1 when no search ran (no kind checked: message 375; no nutrient chosen).
  int StartSearch();
  // Before any search: the notice "no search yet", grid and "nothing found" hidden.
  void ShowNoSearchYet();
  // Whether the grid is shown and holds a food in its first row.
  bool HasResult() const;

  QRadioButton* BLSRdb;
  QLineEdit* BLSEdt;
  QLabel* BLSExTxt;
  QRadioButton* LMRdb;
  QLineEdit* LMEdt;
  QRadioButton* MengeRdb;
  QComboBox* StoffCoBo;
  QComboBox* CompCoBo;
  QLineEdit* MengeEdt;
  QPushButton* StartBtn;
  QTableWidget* SearchResultGrd;
  QLabel* NoResTxt;
  QLabel* NothFoundTxt;
  std::vector<std::string> codes;  // of the StoffCoBo rows

 signals:
  // An input was changed, so the start button is the default button again.
  void InputChanged();
};

// Runs SearchBLS of the food browser and writes the hits into the grid; the number of hits.
int FillBLSResultGrid(char kind, const std::string& text, int op, const std::string& code,
                      QTableWidget* grid);

}  // namespace tav
