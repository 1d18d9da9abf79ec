#pragma once
// Every modal window of the program is run through here, so that a test can answer it instead
// of a person: the answerer gets the window and either answers it (returning the result) or
// lets it run as usual (returning nothing).

#include <functional>
#include <optional>

class QDialog;

using ModalAnswerer = std::function<std::optional<int>(QDialog& dialog)>;

// Runs the dialog modally (or lets the installed answerer answer it) and returns its result.
int RunModal(QDialog& dialog);

// Installs an answerer and returns the previous one; an empty one restores plain exec().
ModalAnswerer SetModalAnswerer(ModalAnswerer answerer);
