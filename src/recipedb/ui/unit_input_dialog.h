#pragma once
// Input of one unit of measure ("Eingabe einer Einheit"): names, code, Meal-Master flag, and
// either the kinds of a fixed unit or the factor and target of a converting one.
#include <QDialog>

#include "recipedb/unit_table.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace tav {

class TInpEinheitDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TInpEinheitDlg(QWidget* parent = nullptr);

  // Hands the dialog the record to edit (a copy owned by the caller) and fills the fields; a
  // fixed unit loses factor and target first.
  void SetUnitInput(REZEINHEIT& unit);
  // True after OK, false after Cancel or the close box.
  bool Result() const { return result_; }
  // Refills the target list with the fixed units and their codes.
  void FillTargetCombo();

  void festeRdbClick();
  void umrechRdbClick();
  // Stores the fields into the record; a unit that cannot be written to the unit file is
  // refused with a message and the dialog stays open.
  void OKBtnClick();
  void HelpBtnClick();

  QLabel* NameTxt;
  QLineEdit* NameEdt;
  QLabel* PluralTxt;
  QLineEdit* PluralEdt;
  QLabel* ShortTxt;
  QLineEdit* ShortEdt;
  QLabel* AbkTxt;
  QLineEdit* AbkEdt;
  QCheckBox* MMChk;
  QLabel* UmrechTxt;
  QRadioButton* festeRdb;
  QRadioButton* umrechRdb;
  QGroupBox* ArtGrp;
  QCheckBox* FluessigChk;
  QCheckBox* MasseChk;
  QCheckBox* ZaehlChk;
  QCheckBox* LaengeChk;
  QCheckBox* KleinChk;
  QGroupBox* UmrechGrp;
  QLabel* FaktorTxt;
  QLineEdit* FaktorEdt;
  QLabel* DtEinheitTxt;
  QComboBox* DtEinheitCoBo;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QToolButton* HelpBtn;

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  REZEINHEIT* unit_ = nullptr;
  bool result_ = false;
};

extern TInpEinheitDlg* InpEinheitDlg;

}  // namespace tav
