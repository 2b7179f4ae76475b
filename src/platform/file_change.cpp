#include "platform/file_change.h"

namespace tav {

namespace {
std::function<void()>& Hook() {
  static std::function<void()> hook;
  return hook;
}
}  // namespace

void BeforeFileChange() {
  if (Hook()) Hook()();
}

void SetFileChangeHookForTest(std::function<void()> hook) { Hook() = std::move(hook); }

}  // namespace tav
