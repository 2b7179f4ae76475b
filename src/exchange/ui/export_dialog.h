#pragma once
// Recipe export.
#include <QDialog>

namespace tav {

class TExportDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TExportDlg(QWidget* parent = nullptr);
};

extern TExportDlg* ExportDlg;

}  // namespace tav
