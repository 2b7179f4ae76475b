#pragma once
// The tips window: one tip of the day from "Assist.dat" of the language folder, shown at start,
// from the help menu and once as a hint by other windows.
#include <QPointer>
#include <QWidget>
#include <cstdint>

#include "services/ui/tips_access.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTextEdit;

namespace tav {

class TAssistDlg : public QWidget, public TipsAccess {
  Q_OBJECT
 public:
  explicit TAssistDlg(QWidget* parent = nullptr);
  ~TAssistDlg() override;

  // Modes: 0 plain, 1 always (also a tip switched off), 2 one-time hint, 3 random start tip.
  void ShowTip(uint16_t tip, int mode, QWidget* window) override;
  using TipsAccess::ShowTip;
  // While false ShowTip does nothing.
  void EnableTips(bool enabled) { enabled_ = enabled; }

  // "StartTip" of the settings: a tip is shown at start.
  static bool StartTipOn();

  uint16_t CurrentTip() const { return current_; }
  uint16_t TipCount() const { return count_; }

  void nextTipBtnClick();
  void IDCancClick();

  QLabel* HeadTxt = nullptr;
  QTextEdit* TextEdt = nullptr;
  QPushButton* IDCanc = nullptr;
  QPushButton* nextTipBtn = nullptr;
  QCheckBox* NextTipChk = nullptr;
  QCheckBox* StartTipChk = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  std::string TipsFile() const;
  void ShowRandomTip();
  bool LoadTip();
  void SaveSwitches();
  bool TipOn(int tip) const;
  // Shows the tip over `host` (the window it is about, or null for the main window), where a
  // modal host's modality does not block it.
  void ShowOver(QWidget* host);
  // A question or file dialog opened over the tip: the tip goes away until it is answered. The
  // host closing: the tip stays, over the main window.
  void WatchModal(QWidget* window, bool shown);
  void Resume();

  uint16_t current_ = 0;
  uint16_t count_ = 1;
  bool enabled_ = true;
  QPointer<QWidget> host_;
  bool suspended_ = false;
};

extern TAssistDlg* AssistDlg;

}  // namespace tav
