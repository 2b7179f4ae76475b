#pragma once
// The drawn picture of the current freezer: its top, one compartment picture per compartment in
// use (the current one, or all of them, highlighted) with its number and name in the inventory
// view, and its bottom. Compartment i occupies the rows 64 + 48 i to 64 + 48 i + 47 of the
// picture; a widget lower than the picture shows it scaled down to its height.
#include <QImage>
#include <QWidget>

class QPainter;

namespace tav {

class TCoolDlg;

// Draws the freezer onto `p` with its top at (x, 10). `labels` draws the compartments' numbers
// and names; `current` is the highlighted compartment (-1 none, -2 all).
void DrawFreezer(QPainter& p, const TCoolDlg& dlg, int x, bool labels, int current);
// The height DrawFreezer fills, from the top margin to the bottom picture and a margin below it.
int FreezerHeight(const TCoolDlg& dlg);

class FreezerPicture : public QWidget {
  Q_OBJECT
 public:
  FreezerPicture(TCoolDlg* dlg, QWidget* parent);
  // The factor the picture is drawn with (1 when it fits) and a widget position's picture row.
  double Scale() const;
  int PictureY(const QPointF& at) const;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  TCoolDlg* dlg_;
};

}  // namespace tav
