#pragma once
// The compression window "Datenbank komprimieren": compresses the current book, every book or
// the books chosen in its list, and shows a log of the run.
#include <QDialog>

#include "recipedb/book_compression.h"

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace tav {

class TReorgDlg : public QDialog, public BookCompression {
  Q_OBJECT
 public:
  explicit TReorgDlg(QWidget* parent = nullptr);

  // Mode 0 the current book, 1 every book, 2 the named book; fills the book list and empties
  // the log. The caller then shows the window modally.
  void PrepareReorgDlg(int16_t mode, const std::string& bookName);

  void FormCreate();
  void OKBtnClick();
  void CancelBtnClick();
  void KBookLiBoClick();
  void HelpBtnClick();

  QRadioButton* AktRdb;
  QRadioButton* AllRdb;
  QRadioButton* ExactRdb;
  QListWidget* KBookLiBo;
  QListWidget* LogLiBo;
  QLabel* StatusTxt;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QToolButton* HelpBtn;

 protected:
  void showEvent(QShowEvent* event) override;
  void OnLogLine(const std::string& text) override;
  void OnLogCleared() override;
  void OnStatus(const std::string& text) override;
};

extern TReorgDlg* ReorgDlg;

}  // namespace tav
