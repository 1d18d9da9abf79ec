#pragma once
// The desktop program's way of showing ShowMessage: a modal message box with an OK button.

// Installs the message box as the handler of ShowMessage (a QApplication must exist).
void InstallMessageBoxHandler();
