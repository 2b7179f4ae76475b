#pragma once
// The main window. It hosts the recipe list, the views, the week plan and the other panes.
#include <QMainWindow>

#include "platform/services.h"

namespace tav {

class TMainFrm : public QMainWindow, public ProgressSink {
  Q_OBJECT
 public:
  explicit TMainFrm(QWidget* parent = nullptr);
  void ProgressRelay(int kind, const std::string& text, int value) override;
};

extern TMainFrm* MainFrm;

}  // namespace tav
