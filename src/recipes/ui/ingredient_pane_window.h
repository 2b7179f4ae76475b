#pragma once
// The ingredient pane of the standard view: the ingredient lines of the recipe on screen,
// scaled to the chosen servings, with group headings and description lines set apart; each
// line's hint spells it out in full.
#include <QWidget>
#include <string>

class QLabel;

namespace tav {

class TContextListBox;
class TDataRezDlg;

class TZutatRezDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TZutatRezDlg(QWidget* parent = nullptr);

  // Refills the list from the data pane's ShownRecipe.
  void FillIngredientPane(TDataRezDlg* data);
  // The full wording of ingredient line `line` of ShownRecipe.
  void GetIngredientLineText(TDataRezDlg* data, int line, std::string& out) const;
  void ZwutatLiBoDblClick();

  QLabel* Panel1 = nullptr;  // caption bar
  TContextListBox* ZutatLiBo = nullptr;

 private:
  void OnCreate();
};

extern TZutatRezDlg* ZutatRezDlg;

}  // namespace tav
