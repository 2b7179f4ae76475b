#pragma once
// The tips window as the other windows see it: they show a tip, mostly once as a hint.
// TAssistDlg implements it and enters itself as the Registered one; TipsWindow() is null while there is none.
#include <cstdint>

#include "services/registered.h"

class QWidget;

namespace tav {

class TipsAccess {
 public:
  virtual ~TipsAccess() = default;
  // Modes: 0 plain, 1 always (also a tip switched off), 2 one-time hint, 3 random start tip.
  // The tip stands over `window`, the window it is about (a window that is not modal names
  // itself); without one over the modal window that is up, else over the main window.
  virtual void ShowTip(uint16_t tip, int mode, QWidget* window) = 0;
  void ShowTip(uint16_t tip, int mode) { ShowTip(tip, mode, nullptr); }
};

inline TipsAccess* TipsWindow() {
  return Registered<TipsAccess>::Get();
}

}  // namespace tav
