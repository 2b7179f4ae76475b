#pragma once
// The cookbook window "Verwaltung der Kochbücher": creates, renames, describes and deletes books
// and chooses the book to open. It owns the cookbook list and builds the book items of the main
// window's menus.
#include <QDialog>
#include <functional>

#include "recipedb/cookbook_list.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace tav {

class TContextListBox;

class TKBookDlg : public QDialog, public CookbookList {
  Q_OBJECT
 public:
  // Reads the books of the data folder (ScanKBooks) and becomes ctx().books.
  explicit TKBookDlg(QWidget* parent = nullptr);
  ~TKBookDlg() override;

  // The book items of the main window's cookbook menu (the current book ticked) and of its four
  // move and copy sub-menus, one per book in list order; each item carries its book's name.
  void BuildKBookMenus();
  // Every book name in list order; the last book of exactly that name selected, else the first.
  void FillKBookCombo(QComboBox* combo, const std::string& name) const;
  // Every book name in list order, the first selected.
  void FillKBookList(QListWidget* list) const;

  // Applies the edited fields: renames, describes or creates the book. False when the name is
  // refused (message 165) or the book's files cannot take the new name; the edits stay.
  bool ApplyKBookChanges(bool reselect);

  void FormShow();
  void FormClose();
  void KBookLiBo2Click();
  void NewBtnClick();
  void overtakeBtnClick() { ApplyKBookChanges(true); }
  void DelBtnClick();
  void BackPicBtnClick();
  void kBookOrderBtnClick();
  void HelpBtnClick();
  void AktBookEdtChange();
  void DescBookEdtChange();
  void ToolBookChkClick();

  // Chooses a picture file for the background; false when the user cancels. Tests replace it.
  std::function<bool(std::string& path)> chooseBackgroundPicture;

  QLabel* KBookTxt;
  TContextListBox* KBookLiBo;
  QGroupBox* ActionTxt;
  QLabel* AktBookTxt;
  QLineEdit* AktBookEdt;
  QLabel* DescBookTxt;
  QLineEdit* DescBookEdt;
  QCheckBox* ToolBookChk;
  QLabel* BackPicTxt;
  QLineEdit* BackPicEdt;
  QToolButton* BackPicBtn;
  QPushButton* NewBtn;
  QPushButton* DelBtn;
  QPushButton* overtakeBtn;
  QPushButton* CancelBtn;
  QPushButton* kBookOrderBtn;
  QToolButton* HelpBtn;

  bool NewBookMode() const { return newBook_; }
  bool HasEdits() const { return nameEdited_ || descEdited_ || toolEdited_; }

 protected:
  // The list box and the book menus follow every change of the list.
  void BooksChanged() override;
  // The empty view shows the background picture of the book that became current.
  void BookSelected(const KBOOK& book) override;
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  void FillKBookLiBo();
  // The fields show the book (none: empty fields, tool-bar box ticked).
  void ShowBook(const KBOOK* book);
  void ClearEdits();
  // "Übernehmen" shows, as the default button, while there are edits to apply.
  void ShowOvertake(bool on);
  void SetAction(int text);
  void SelectBookItem(const std::string& name);
  int SelectedBook() const;

  bool nameEdited_ = false, descEdited_ = false, toolEdited_ = false;
  bool newBook_ = false;
  bool filling_ = false;  // the fields are being filled, not edited
};

extern TKBookDlg* KBookDlg;

}  // namespace tav
