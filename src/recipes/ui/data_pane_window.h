#pragma once
// Data pane of the standard view (title, ingredients, text).
#include <QWidget>

namespace tav {

class TDataRezDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TDataRezDlg(QWidget* parent = nullptr);
};

extern TDataRezDlg* DataRezDlg;

}  // namespace tav
