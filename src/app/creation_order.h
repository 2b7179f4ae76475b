#pragma once
// Every window and data module notes its class name here when the start-up creates it, so the
// creation order of a run can be checked and no class is created twice.
#include <string>
#include <vector>

namespace tav {

// Appends the class name; throws std::logic_error when that class was created before.
void NoteCreated(const std::string& className);
// The class names in the order they were created in this run.
const std::vector<std::string>& CreatedWindows();
// Forgets the record (when a test has destroyed the windows again).
void ForgetCreatedWindows();

}  // namespace tav
