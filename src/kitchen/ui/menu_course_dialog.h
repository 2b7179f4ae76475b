#pragma once
// The course editor "Menü-Gestaltung": title and planned persons of the open menu and, six at a
// time (a scroll bar for more), each course's print title, type, persons and description. It
// works on a copy and hands it back only on OK. Courses are added and removed in the planner.
#include <QDialog>

#include <vector>

#include "kitchen/menus/menu_courses.h"
#include "recipedb/recipe_model.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QToolButton;

namespace tav {

class TMenuEditDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TMenuEditDlg(QWidget* parent = nullptr);
  ~TMenuEditDlg() override;

  // Makes `menu` the target (kept by the caller) and shows a copy of it with the course types
  // `types` to choose from; the caller then shows the dialog modally and, when the edit is
  // confirmed, shows what changed.
  void LoadMenuForEdit(REZBLOCK* menu, const std::vector<MN_TYPE>& types);
  bool IsEditConfirmed() const { return confirmed_; }

  void ShowMenuEdit();
  // Shows the six courses from the scroll position on.
  void FillCoursePanels();
  // Takes the six panels back into the courses they show.
  void StoreCoursePanels();

  void FormCreate();
  void OKBtnClick();
  void CancelBtnClick();
  void TitleEdtChange();
  void HelpBtnClick();

  struct CoursePanel {
    QWidget* panel;
    QLineEdit* recipe;
    QComboBox* type;
    QLineEdit* serving;
    QLabel* servingType;
    QPlainTextEdit* desc;
  };

  QLabel* Label7;
  QLineEdit* TitleEdt;
  QLabel* Label2;
  QLineEdit* ServingEdt;
  QLabel* RezTitle;
  QWidget* InfoPnl;
  QLabel* Label1;
  QLabel* Label4;
  QWidget* RecipePnl;
  QLabel* Label3;
  QLabel* Label13;
  QLabel* Label14;
  QLabel* Label15;
  CoursePanel Courses[6];
  QScrollBar* RecipeScroll;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  QToolButton* HelpBtn;

  // The copy being edited.
  REZBLOCK Work;

 protected:
  void done(int result) override;

 private:
  REZBLOCK* target_ = nullptr;
  bool confirmed_ = false;
  int shownTop_ = 0;  // the course panel 1 shows
};

extern TMenuEditDlg* MenuEditDlg;

}  // namespace tav
