#pragma once
// The desktop program's way of showing ShowMessage and asking Ask: modal message boxes, a message
// with an OK button, a question with Russian answer buttons.

// Installs the message box as the handler of ShowMessage (a QApplication must exist).
void InstallMessageBoxHandler();
// Installs the question box as the handler of Ask.
void InstallQuestionBoxHandler();
