#pragma once
// The ingredient window "Zutatenliste": names, shopping-list flag, energy, piece weight, the
// units an ingredient is offered with, its season, food link, picture and dealer. It owns the
// ingredient catalogue.
#include <QDialog>
#include <functional>
#include <string>

#include "recipedb/ingredient_catalogue.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;
class QToolButton;

namespace tav {

class TContextListBox;

// The season of an ingredient as a strip of 48 quarter-month cells, coloured by the quarter of
// the year; main season dark green, secondary season light green. A click asks for the editor.
class SeasonStrip : public QWidget {
 public:
  explicit SeasonStrip(QWidget* parent);
  // The flag and the 48 marks; without an ingredient (any false) nothing is painted.
  void SetSeason(const std::string& marks, bool any);
  std::function<void()> clicked;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  std::string season_;
  bool any_ = false;
};

class TZutatenDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TZutatenDlg(QWidget* parent = nullptr);
  ~TZutatenDlg() override;

  // The ingredient catalogue, read when the window is created and when it is shown.
  IngredientCatalogue catalogue;

  // The catalogue index of the ingredient in the detail controls; -1 for none.
  int Current() const { return current_; }

  void FormShow();
  void FillZutatList();
  void ShowZutat();
  // Stores the detail controls into the current ingredient. False, after message 764, when a
  // name holds '#'; nothing is stored then.
  bool ApplyZutatEdits();
  void ShowZutatUnits();
  void EnableZutatUnitControls();
  void ShowZutatSeason();
  void ShowZutatBLSName();
  void TakeBLSEnergy();

  void ZutatLiBo2Click();
  void NeuBtnClick();
  void DelBtnClick();
  void FilterTabChange();
  void EinheitLiBo2Click();
  void AddUnitsOfKind(uint16_t mask);
  void InpSaisonBtnClick();
  void AddBLSBtnClick();
  void RemoveBLSBtnClick();
  void ShowBLSBtnClick();
  void MasseCoBoChange();
  void KList1TxtClick();
  void DelHaendlerBtnClick();
  void PicNewBtnClick();
  void PicDelBtnClick();
  void PicEditBtnClick();
  void OKBtnClick();
  void HelpBtnClick();

  // Chooses a picture file; false when the user cancels. Tests replace it.
  std::function<bool(std::string& path)> choosePictureFile;

  QTabBar* FilterTab;
  TContextListBox* ZutatLiBo;
  QPushButton* NeuBtn;
  QPushButton* DelBtn;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QToolButton* HelpBtn;
  QGroupBox* DetailGrp;
  QLabel* NameTxt;
  QLineEdit* NameEdt;
  QLabel* SingNameTxt;
  QLineEdit* SingNameEdt;
  QCheckBox* KListChk;
  QLabel* KList1Txt;
  QLabel* KList2Txt;
  QGroupBox* SaisonPnl;
  SeasonStrip* DataGrd;
  QLabel* NoSaisonTxt;
  QToolButton* InpSaisonBtn;
  QGroupBox* HaendlerPnl;
  QComboBox* HaendlerCoBo;
  QToolButton* DelHaendlerBtn;
  QGroupBox* EnergieGrp;
  QRadioButton* NoEnergieRdb;
  QRadioButton* UnwichtigRdb;
  QRadioButton* EnergieRdb;
  QLineEdit* EnergieEdt;
  QComboBox* EnergieEinheitCoBo;
  QLabel* ProTxt;
  QComboBox* MasseCoBo;
  QPushButton* CalcBLSBtn;
  QGroupBox* BLSPnl;
  QLabel* BLSKeyTxt;
  QLabel* BLSKey;
  QLabel* BLSBez;
  QLabel* NoBLSTxt;
  QPushButton* AddBLSBtn;
  QPushButton* RemoveBLSBtn;
  QPushButton* ShowBLSBtn;
  QGroupBox* WeightPnl;
  QLineEdit* WeightEdt;
  QLabel* WeightTxt;
  QGroupBox* PicGrp;
  QLabel* BmpNameTxt;
  QPushButton* PicNewBtn;
  QPushButton* PicDelBtn;
  QPushButton* PicEditBtn;
  QGroupBox* EinheitGrp;
  QRadioButton* alwaysRdb;
  QRadioButton* onlyRdb;
  TContextListBox* EinheitLiBo;
  QPushButton* FluessigBtn;
  QPushButton* GewichtBtn;
  QPushButton* ZaehlBtn;
  QPushButton* LaengeBtn;
  QPushButton* KleinBtn;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The catalogue index of the list selection, -1 for none.
  int SelectedZutat() const;
  REZZUTATEN* CurrentZutat();
  void SelectText(const std::string& text);
  void SelectRow(int row);
  void FillUnitList();
  void ShowLinkControls(bool linked);
  void SetPictureControls(bool any);

  int current_ = -1;
  int startPosition_ = 0;
  bool filling_ = false;  // the controls are being filled, not edited
};

extern TZutatenDlg* ZutatenDlg;

}  // namespace tav
