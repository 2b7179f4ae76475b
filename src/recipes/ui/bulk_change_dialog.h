#pragma once
// The bulk change "Massendatenänderungen": sets the keywords, categories, source and creation
// data of all listed, the selected or the marked recipes of the recipe list at once
// (recipes/bulk_change.h). Each changed recipe is stored as the editor stores an edit.
#include <QDialog>

#include "recipes/bulk_change.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace tav {

class TMultiChangeDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TMultiChangeDlg(QWidget* parent = nullptr);

  void FormCreate();
  void OKBtnClick();
  // Closes the window without changing anything (also Esc).
  void Button1Click();
  void HelpBtnClick();
  void StichwortEdtChange();
  void GattungEdtChange();
  void QuelleEdtChange();
  void AutorEdtChange();
  void EMailEdtChange();
  void DatumEdtChange();
  void AutorLiBoChange();

  // Changes the recipes of the list in the chosen scope; gives how many were changed.
  int RunBulkChange();
  BulkChangeSettings Settings() const;

  QGroupBox* ScopeGrp;
  QRadioButton* AlleRecipesRdb;
  QRadioButton* AlleSelectRdb;
  QRadioButton* AlleMarkedRdb;
  QGroupBox* FieldGrp;
  QCheckBox* StichwortChk;
  QLineEdit* StichwortEdt;
  QComboBox* StichwortLiBo;
  QCheckBox* GattungChk;
  QComboBox* GattungEdt;
  QComboBox* GattungLiBo;
  QCheckBox* QuelleChk;
  QPlainTextEdit* QuelleEdt;
  QComboBox* QuelleLiBo;
  QCheckBox* AutorChk;
  QLineEdit* AutorEdt;
  QCheckBox* EMailChk;
  QLineEdit* EMailEdt;
  QCheckBox* DatumChk;
  QLineEdit* DatumEdt;
  QToolButton* HelpBtn;
  QPushButton* OKBtn;
  QPushButton* Button1;

  int ChangedCount = 0;

 protected:
  void showEvent(QShowEvent* event) override;
};

extern TMultiChangeDlg* MultiChangeDlg;

}  // namespace tav
