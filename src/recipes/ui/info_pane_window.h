#pragma once
// Information pane of the standard view (info, lexicon, season pages).
#include <QWidget>

namespace tav {

class TInfoRezDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TInfoRezDlg(QWidget* parent = nullptr);
};

extern TInfoRezDlg* InfoRezDlg;

}  // namespace tav
