#pragma once
// The first-start takeover window "Tavolin-Updater V4": shown before anything else when an
// installation left "Data/DE/Einheit.datu". For an older installation the user ticks the data
// the update replaces; a fresh installation gets the welcome and takes everything. Starting
// does the whole takeover (DataTakeover); closing the window otherwise ends the program. It
// comes before the language texts, so its texts are its own German ones.
#include <QDialog>

#include "maintenance/data_takeover.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tav {

class TUpdaterDlg : public QDialog, public DataTakeover {
  Q_OBJECT
 public:
  // Reads the installed version and moves the settings keys of former generations.
  explicit TUpdaterDlg(const std::string& dataRoot = std::string(), QWidget* parent = nullptr);
  // The dialog for an older installation, or the welcome for a fresh one.
  void PrepareUpdateDialog();

  void IDStartClick();
  void IDCancelClick() { close(); }
  // Shows the explanation of the box last clicked.
  void BoxClick(QCheckBox* box);
  // Closing before the takeover was started ends the program.
  void FormClose();

  bool Started() const { return started_; }

  QPushButton* IDStart;
  QPushButton* IDCancel;
  QFrame* UpdateGrp;
  QLabel* Label1;
  QGroupBox* a;
  QCheckBox* RezepteCB;
  QCheckBox* GattungenCB;
  QCheckBox* ZutatenCB;
  QCheckBox* EinheitenCB;
  QCheckBox* LexikaCB;
  QCheckBox* HTMLCB;
  QCheckBox* BackPicCB;
  QPlainTextEdit* MemoTxt;
  QFrame* HelloGrp;
  QFrame* Panel1;
  QLabel* Image1;
  QLabel* Label2;
  QPlainTextEdit* HelloTxt;

 public slots:
  void reject() override;

 private:
  bool started_ = false;
};

extern TUpdaterDlg* UpdaterDlg;

}  // namespace tav
