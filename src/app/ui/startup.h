#pragma once
// The program's start-up: data root, first-start takeover, start picture, and the creation of
// every window and data module in their fixed order.
class QApplication;

namespace tav {

// The whole program after the settings and services are in place: start-up, message loop.
// Returns 0 when the loop has ended, also after an error was shown.
int RunProgram(QApplication& app);

// Everything before the message loop: the takeover check, the start picture, the creation of
// every window and data module, what start-up has to say about damaged or unwritable files, and
// the first show of the main window. False (after its message, with the process asked to end)
// when there is no data root or no usable language file.
bool StartProgram();

// Creates the windows and data modules once, in their fixed order, each through its global.
void CreateAllWindows();
// Deletes them again in reverse order and clears their globals (tests only: the program keeps
// them until the process ends).
void DestroyAllWindows();

}  // namespace tav
