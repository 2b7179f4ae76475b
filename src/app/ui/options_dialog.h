#pragma once
// The options window. It is also the options store: every part of the program reads and writes
// options through it.
#include <QDialog>

#include "services/options_store.h"

namespace tav {

class TParaDlg : public QDialog, public OptionsStore {
  Q_OBJECT
 public:
  // Loads every option and starts the log file.
  explicit TParaDlg(QWidget* parent = nullptr);

 protected:
  void OnVisualStylesChanged(bool on) override;
};

extern TParaDlg* ParaDlg;

}  // namespace tav
