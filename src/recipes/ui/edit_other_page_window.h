#pragma once
// The recipe editor's page "Sonstige Angaben": the recipe's text for the menu card, and its
// picture references, web addresses and local files apart.
#include <QWidget>

#include "recipedb/recipe_model.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QScrollArea;
class QTextEdit;

namespace tav {

class TAEditDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TAEditDlg(QWidget* parent = nullptr);
  ~TAEditDlg() override;

  // The editor shell's page operations.
  void AEditLoadRez(REZBLOCK* recipe);
  void AEditStoreRez();
  void AEditShowPage();

  void EnableClipBoard();

  REZBLOCK* editRecipe = nullptr;

  QScrollArea* ScrollBox;
  QLabel* TitleTxt;
  QGroupBox* CardGrp;
  QTextEdit* CardEdt;
  QGroupBox* PicGrp;
  QLabel* PicURLsLbl;
  QComboBox* PicURLsCoBo;
  QLabel* PicFilesLbl;
  QComboBox* PicFilesCoBo;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

extern TAEditDlg* AEditDlg;

}  // namespace tav
