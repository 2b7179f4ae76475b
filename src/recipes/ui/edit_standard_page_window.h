#pragma once
// The recipe editor's standard page "Standard-Eingabe": title, keywords, categories, the
// ingredient line list, servings, time, costs, energy, author, source, rating and difficulty,
// the picture panel and the preparation text of the recipe being edited.
#include <QPixmap>
#include <QWidget>
#include <cstdint>
#include <map>

#include "recipedb/recipe_model.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTextEdit;
class QToolButton;
class QVBoxLayout;

namespace tav {

// The rating pictures: 0 to 5 stars for the quality (113 x 18), 0 to 5 marks for the difficulty
// (111 x 15), on white.
QPixmap RatingPicture(bool difficulty, int rating);

class TNEditDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TNEditDlg(QWidget* parent = nullptr);
  ~TNEditDlg() override;

  // Keeps the recipe, puts the rating panels back on this page and fills the controls.
  void NEditLoadRez(REZBLOCK* recipe);
  // Every control from the recipe (the options window calls it after a change).
  void NEditFillControls();
  // The controls back into the recipe.
  void NEditStoreRez();
  // The title as typed into the recipe (a title left alone stays as it was).
  void NEditStoreTitle();
  // Hides the other pages, docks into the editor and takes the editor's picture panel.
  void NEditShowPage();
  // The nutrient calculation window on this page's recipe, modally.
  void NEditCalcEnergy();
  // Offers to rescale the amounts when the servings typed differ from the loaded ones.
  void CheckServingsChange();
  // The rating panels onto the quick entry page (true) or back onto this page (false).
  void PlaceRatingPanels(bool toQuickPage);
  void ShowQualityStars(char rating);
  void ShowDifficultyStars(char rating);
  // The selected categories into the recipe's ten ids (while the full list is shown).
  void NEditStoreCategories();
  void NEditLayout();

  void FormCreate();
  void GattNeuBtnClick();
  void GattLiBoEnter();
  void GattLiBoExit();
  void fillAutorBtnClick();
  void PortAnzEdtExit();
  void CalcEnergieBtnClick();
  // A press at x on a rating picture.
  void QualityImgMouseDown(int x);
  void DifficultyImgMouseDown(int x);
  // Fills the category list with the recipe's own categories.
  void FillRecipeCategories();
  // The rating panels stand on the quick entry page.
  bool RatingsLent() const;

  REZBLOCK* editRecipe = nullptr;
  bool editingCategories = false;
  int32_t loadedServings = 0;

  QScrollArea* ScrollBox = nullptr;
  QGroupBox* NameGrp = nullptr;
  QLineEdit* TitelEdt = nullptr;
  QGroupBox* SWortGrp = nullptr;
  QPlainTextEdit* SWortEdt = nullptr;
  QGroupBox* GattGrp = nullptr;
  QListWidget* GattLiBo = nullptr;
  QToolButton* GattNeuBtn = nullptr;
  QGroupBox* EditZutatGrp = nullptr;
  QGroupBox* InfoGrp = nullptr;
  QLabel* PortAnzTxt = nullptr;
  QLineEdit* PortAnzEdt = nullptr;
  QComboBox* PortArtCoBo = nullptr;
  QLabel* ZeitAnzTxt = nullptr;
  QLineEdit* ZeitAnzEdt = nullptr;
  QLabel* KostTxt = nullptr;
  QLineEdit* KostEdt = nullptr;
  QLabel* EnergieLbl = nullptr;
  QLineEdit* EnergieEdt = nullptr;
  QLabel* EnergieTxt = nullptr;
  QPushButton* CalcEnergieBtn = nullptr;
  QLabel* AutornameTxt = nullptr;
  QLineEdit* AutornameEdt = nullptr;
  QToolButton* fillAutorBtn = nullptr;
  QLabel* QuelleTxt = nullptr;
  QPlainTextEdit* QuelleEdt = nullptr;
  QWidget* QualityPnl = nullptr;
  QLabel* QualityTxt = nullptr;
  QLabel* QualityImg[6] = {};
  QWidget* DifficultyPnl = nullptr;
  QLabel* DifficultyTxt = nullptr;
  QLabel* DifficultyImg[6] = {};
  QGroupBox* PicGrp = nullptr;
  QWidget* NEditPicPnl = nullptr;
  QGroupBox* TextGrp = nullptr;
  QTextEdit* TextRtf = nullptr;
  QMenu* PopupMnu = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The text a control shows, and whether the user changed it since the page was filled.
  QString Shown(QWidget* w) const;
  bool Edited(QWidget* w) const;
  QVBoxLayout* ratingHome_ = nullptr;
  std::map<QWidget*, QString> filled_;
};

extern TNEditDlg* NEditDlg;

}  // namespace tav
