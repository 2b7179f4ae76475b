#pragma once
// The tips window as the other windows see it: they show a tip, mostly once as a hint.
// TAssistDlg implements it and enters itself as the Registered one; TipsWindow() is null while there is none.
#include <cstdint>

#include "services/registered.h"

namespace tav {

class TipsAccess {
 public:
  virtual ~TipsAccess() = default;
  // Modes: 0 plain, 1 always (also a tip switched off), 2 one-time hint, 3 random start tip.
  virtual void ShowTip(uint16_t tip, int mode) = 0;
};

inline TipsAccess* TipsWindow() {
  return Registered<TipsAccess>::Get();
}

}  // namespace tav
