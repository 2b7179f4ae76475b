#pragma once
// Every call that changes a file on disk (create, write, truncate, rename, remove) passes
// through BeforeFileChange first. The kill-point tests stop a child process there, before one
// change after the other, and look at what the interrupted operation left behind.
#include <functional>

namespace tav {

void BeforeFileChange();

// Test hook: called before each file-changing call; an empty function switches it off.
void SetFileChangeHookForTest(std::function<void()> hook);

}  // namespace tav
