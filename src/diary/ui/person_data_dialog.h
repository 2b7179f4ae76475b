#pragma once
// The person dialog: name, birth date, sex, height, weight and activity with the figures computed
// from them (body-mass index, energies, weights), the daily-requirement rows, and the daily
// point score. Opened modally by the person list and for the active person; ShowPerson first.
#include <QDialog>
#include <string>
#include <vector>

#include "diary/person_energy.h"
#include "diary/person_store.h"
#include "nutrients/nutrient_table.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class QTableWidget;

namespace tav {

class TPersDataDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TPersDataDlg(QWidget* parent = nullptr);
  ~TPersDataDlg() override;

  // Makes `person` the edited one (a new person when its name is empty) and fills the dialog.
  void ShowPerson(ENPERSON* person);
  bool WasPersonStored() const { return stored_; }
  // Checks and stores the first page; false when a check refused (its message was shown).
  bool StorePerson();
  void CalcPersonEnergy();
  void CalcPointScore();
  ENPERSON* EditedPerson() const { return state_.person; }

  // Handlers.
  void FormShow();
  void MaleRdbClick();
  void ManuellChkClick();
  void ManuelEdtChange();
  // Changing the page stores first; false keeps the page.
  bool PageControl1Changing();
  void OKBtnClick();
  void CancelBtnClick();
  void HelpBtnClick();

  // The requirement page.
  void FillRequirementGrid();
  void FillRequirementRow(int index);
  void ShowDailyRequirement();
  void AddBtnClick();
  void DelBtnClick();
  void TagessatzEdtChange();
  void AlarmCoBoChange();

  QTabWidget* PageControl1;
  QWidget* TabSheet1;
  QWidget* TabSheet2;
  QWidget* FSTab;
  QLineEdit* NameEdt;
  QLineEdit* GebDatEdt;
  QRadioButton* FemaleRdb;
  QRadioButton* MaleRdb;
  QComboBox* SchwangerCoBo;
  QLineEdit* GroesseEdt;
  QLineEdit* GewichtEdt;
  QSlider* WorkTck;
  QSlider* SportTck;
  QLabel* BMITxt;
  QLabel* BMITextTxt;
  QLabel* GrundumsatzTxt;
  QLabel* WorkTxt;
  QLabel* SumTxt;
  QLabel* IdealTxt;
  QLabel* NormalTxt;
  QLabel* SurfaceTxt;
  QCheckBox* ManuellChk;
  QLineEdit* ManuelEdt;
  QLabel* ManuelKCalTxt;
  QTableWidget* StoffGrd;
  QGroupBox* StoffInputGrp;
  QLabel* StoffNameTxt;
  QLineEdit* TagessatzEdt;
  QLabel* EinheitTxt;
  QLabel* CalcValueTxt;
  QComboBox* AlarmCoBo;
  QListWidget* StoffLiBo;
  QPushButton* AddBtn;
  QPushButton* DelBtn;
  QRadioButton* NormalRdb;
  QRadioButton* DiaetRdb;
  QLabel* WWErgTxt;
  QLineEdit* ManFSStarsEdt;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QPushButton* HelpBtn;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  PersonInput Input() const;
  PersonForm Form() const;
  // The standard value of a nutrient for the person being edited.
  double StandardFor(const std::string& code) const;
  int CurrentRequirement() const;
  static ISTOFF NutrientOf(const std::string& code);
  void ShowPregnancy(bool shown);

  PersonEditState state_;
  bool stored_ = false;
  bool filling_ = false;
  int shownPage_ = 0;
  std::vector<std::string> stoffCodes_;
};

extern TPersDataDlg* PersDataDlg;

}  // namespace tav
