#pragma once
// Text/HTML view of the shown recipe.
#include <QWidget>

namespace tav {

class THTMLRezDlg : public QWidget {
  Q_OBJECT
 public:
  explicit THTMLRezDlg(QWidget* parent = nullptr);
};

extern THTMLRezDlg* HTMLRezDlg;

}  // namespace tav
