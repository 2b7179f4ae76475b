#pragma once
// The book statistics: live and deleted recipes and the wasted space of every book with the
// advice whether to compress it, the recipes per main category, and counts of the reference
// data. The user can compress one book or all of them from here.
#include <QDialog>

#include "services/registered.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace tav {

// What the statistics count of the lexicon (a kitchen window, which registers itself).
class LexiconCounts {
 public:
  virtual ~LexiconCounts() = default;
  virtual int CountLexiconChapters() const = 0;
  virtual int CountLexiconEntries() const = 0;
};

class TStatistikDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TStatistikDlg(QWidget* parent = nullptr);

  // Fills the three grids from the books' indexes and the reference tables.
  void ComputeStatistics();

  void DBGrdClick();
  void reorgOneBtnClick();
  void reorgAllBtnClick();
  void HelpBtnClick();

  QTableWidget* DBGrd;
  QTableWidget* GattGrd;
  QTableWidget* SonstGrd;
  QLabel* WaitTxt;
  QPushButton* reorgOneBtn;
  QPushButton* reorgAllBtn;
  QPushButton* OKBtn;
  QToolButton* HelpBtn;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The book name of the selected book row, "" for the totals row or none.
  std::string SelectedBook() const;
  void Compress(int mode, const std::string& book);
};

extern TStatistikDlg* StatistikDlg;

}  // namespace tav
