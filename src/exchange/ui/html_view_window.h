#pragma once
// The text/HTML view of the shown recipe: the recipe selected in the recipe list as a page of
// the view template in a browser, or (option 19 off) as readable text in a read-only memo. The
// export writes the page into the data root's "Export/$$$.html" or "Export/$$$.txt"; the view
// shows that file. It docks into the main window's centre pane.
#include <QWidget>
#include <string>

#include "recipes/ui/recipe_output_views.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QTextBrowser;

namespace tav {

class THTMLRezDlg : public QWidget, public RecipeOutputView {
  Q_OBJECT
 public:
  explicit THTMLRezDlg(QWidget* parent = nullptr);
  ~THTMLRezDlg() override;

  // RecipeOutputView
  QWidget* ViewWidget() override { return this; }
  void ShowListRecipe(int item) override { RenderRecipeView(item); }
  void RefreshView() override { RefreshHTMLView(); }
  std::string ShownServingType() const override { return GetHTMLServingType(); }

  // Shows the recipe selected in the recipe list (`pos` is kept for the next refresh); with
  // nothing selected the view keeps what it shows.
  void RenderRecipeView(int pos);
  void RefreshHTMLView();
  // Option 19 read again: the page or the text, rendered anew.
  void ApplyHTMLViewMode();
  // The selection of the page or of the text to the clipboard.
  void CopyHTMLSelection();
  std::string GetHTMLServingType() const { return ViewServingType; }
  // The memo filled from "Export/$$$.txt", which is deleted afterwards.
  void LoadTextView();

  // Popup menu commands.
  void editMnuClick();
  void showLexikonMnuClick();
  void ZeigeRezeptinStandarddarstellung1Click();
  void showPrintMnuClick();
  void HelpBtnClick();

  QPlainTextEdit* ViewText = nullptr;
  QWidget* ViewHTML = nullptr;
  QMenu* PopupMnu = nullptr;
  QAction* editMnu = nullptr;
  QAction* showLexikonMnu = nullptr;
  QAction* ZeigeRezeptinStandarddarstellung1 = nullptr;
  QAction* showPrintMnu = nullptr;
  QAction* HelpBtn = nullptr;

  bool HtmlMode = true;
  int ListPosition = -1;
  int ViewServings = 0;
  std::string ViewServingType;
  QTextBrowser* Browser = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  void ShowForm();
  bool templateMissingSaid_ = false;
};

extern THTMLRezDlg* HTMLRezDlg;

}  // namespace tav
