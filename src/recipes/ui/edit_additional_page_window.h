#pragma once
// The recipe editor's page "Zusätzliche Angaben": remarks by person, the three times, points,
// who created and changed the recipe and when, the recipe identifier, and the stored nutrient
// sums, of which single ones can be removed.
#include <QWidget>

#include "recipedb/recipe_model.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTableWidget;
class QTextEdit;

namespace tav {

class TZEditDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TZEditDlg(QWidget* parent = nullptr);
  ~TZEditDlg() override;

  // The editor shell's page operations.
  void ZEditLoadRez(REZBLOCK* recipe);
  void ZEditStoreRez();
  void ZEditShowPage();

  void FormCreate();
  void RemarkUserCoBoChange();
  void DelRemarkBtnClick();
  void CreateRezIDBtnClick();
  void DelStoffBtnClick();
  void EnableClipboard();

  REZBLOCK* editRecipe = nullptr;
  int32_t remarkIndex = 0;

  QScrollArea* ScrollBox;
  QLabel* TitleTxt;
  QGroupBox* TimeGrp;
  QLabel* TimePrepLbl;
  QLineEdit* TimePrepEdt;
  QLabel* TimeCookLbl;
  QLineEdit* TimeCookEdt;
  QLabel* TimeAllLbl;
  QLineEdit* TimeAllEdt;
  QGroupBox* RemarkGrp;
  QLabel* RemarkUserLbl;
  QComboBox* RemarkUserCoBo;
  QTextEdit* RemarkEdt;
  QPushButton* DelRemarkBtn;
  QGroupBox* OtherGrp;
  QTableWidget* ErfasserGrd;
  QLabel* FSStarsLbl;
  QLineEdit* FSStarsEdt;
  QLabel* RezIDLbl;
  QLabel* RezIDTxt;
  QPushButton* CreateRezIDBtn;
  QGroupBox* StoffGrp;
  QLabel* StoffLbl;
  QComboBox* StoffCoBo;
  QPushButton* DelStoffBtn;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The remark for the user when the recipe has none yet: listed last, added to the recipe
  // only when it gets a text, so that looking at the page changes nothing.
  bool userRemarkPending_ = false;
  std::string pendingText_;
  // The grid's texts as loaded; a cell is written back only when it was changed.
  std::string gridLoaded_[2][3];

  std::string UserName() const;
  std::string RemarkText(int index) const;
  void SetRemarkText(int index, const std::string& text);
  void TakeRemarkField();
  void ShowRemark(int index);
  void ShowRecipeId();
};

extern TZEditDlg* ZEditDlg;

}  // namespace tav
