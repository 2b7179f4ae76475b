#pragma once
// The standard view: the frame of the recipe on screen, with the data pane (title, ingredients,
// key figures and picture) at the top and the preparation text below it. It docks into the main
// window's centre pane through TMainFrm::ShowStandardView.
#include <QWidget>

class QAction;
class QMenu;
class QSplitter;
class QTextEdit;

namespace tav {

class TshowRezDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TshowRezDlg(QWidget* parent = nullptr);

  // Item data of the list entry whose recipe this view shows.
  int GetStdViewItem() const { return StdViewItem; }
  void SetStdViewItem(int item) { StdViewItem = item; }

  // Popup menu commands (the form's double click runs editMnuClick too).
  void editMnuClick();
  void LexShowMnuClick();
  void showHTMLMnuClick();
  void showPrintMnuClick();
  void HelpBtnClick();

  QWidget* DataParPanel = nullptr;  // hosts the data pane
  QSplitter* RezSplit = nullptr;
  QWidget* OrderParPanel = nullptr;
  QTextEdit* RezTextRtf = nullptr;
  QMenu* PopupMnu = nullptr;
  QAction* editMnu = nullptr;
  QAction* LexShowMnu = nullptr;
  QAction* showHTMLMnu = nullptr;
  QAction* showPrintMnu = nullptr;
  QAction* HelpBtn = nullptr;

  int StdViewItem = -1;

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnCreate();
  bool sized_ = false;
};

extern TshowRezDlg* showRezDlg;

}  // namespace tav
