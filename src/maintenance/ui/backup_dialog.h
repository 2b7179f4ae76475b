#pragma once
// The window "Datensicherung": its first page backs the chosen data up into a new dated folder
// below the backup path, its second lists the backups found there with their logs, deletes one
// or restores one and then ends the program (every window would otherwise write its old data
// back). The work itself is DataBackup's; the choices are kept in the settings section
// "Backup".
#include <QDialog>

#include "maintenance/data_backup.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;

namespace tav {

class TBackupDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TBackupDlg(QWidget* parent = nullptr);

  void FormCreate();
  void FormShow();
  void BStartBtnClick();
  void RStartBtnClick();
  void DelBtnClick();
  void BackupsLiBoClick() { ShowBackupLog(); }
  void BackupPCtlChange();
  void BKBookLiBoClick();
  void HelpBtnClick();

  // The language folders found when the window was created.
  const std::vector<std::string>& LanguageFolders() const { return languageFolders_; }
  // Puts a separator at the end of the path field and stores it; false (message 1050) for an
  // empty field, which would name the file system's root.
  bool SaveBackupPath();
  void ListBackups();
  void ShowBackupLog();
  // The path the list of backups was read from; restore and delete act there only.
  const std::string& ListedPath() const { return listedPath_; }

  QTabWidget* BackupPCtl;
  QWidget* BackupPnl;
  QWidget* RestorePnl;
  QGroupBox* BChooseGrp;
  QCheckBox* BKBookChk;
  QRadioButton* BKBookChooseChk;
  QRadioButton* BKBookAllChk;
  QListWidget* BKBookLiBo;
  QCheckBox* BCRecPicsChk;
  QCheckBox* BCZutPicsChk;
  QCheckBox* BCDBsChk;
  QCheckBox* BCKontenChk;
  QCheckBox* BCLexikonChk;
  QCheckBox* BCHTMLChk;
  QGroupBox* BStartGrp;
  QLabel* Label1;
  QLineEdit* BPathEdt;
  QPushButton* BStartBtn;
  QGroupBox* BLogbuchGrp;
  QListWidget* BLogLiBo;
  QGroupBox* RLogbuchGrp;
  QListWidget* RLogLiBo;
  QGroupBox* GroupBox3;
  QListWidget* BackupsLiBo;
  QPushButton* DelBtn;
  QPushButton* RStartBtn;
  QGroupBox* GroupBox4;
  QListWidget* LogfileLiBo;
  QToolButton* HelpBtn;
  QPushButton* CancelBtn;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // One line to the log list of the page on show, which follows its newest line.
  void AddLogLine(const std::string& text);
  DataBackup MakeBackup();
  std::string SelectedBackup() const;

  std::vector<std::string> languageFolders_;
  std::string listedPath_;
};

extern TBackupDlg* BackupDlg;

}  // namespace tav
