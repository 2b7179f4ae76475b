#pragma once
class QWidget;

namespace tav {
// Centres the control over the form (the main window when none is given) on the primary screen.
void CenterOnForm(QWidget* control, QWidget* form = nullptr);
}  // namespace tav
