#pragma once
// Asking the user for the name and format of a picture file. A port: the desktop program asks with
// the program's save dialog, tests install their own answer so that nothing waits for a modal window.

#include <functional>
#include <optional>
#include <string>

#include "diagram/picture_file.h"

class QWidget;

// The chosen name with the format of the chosen filter, or nothing when the user cancelled.
using PictureFileChooser = std::function<std::optional<TPictureChoice>(const TPictureDialogSettings&, QWidget* parent)>;

// Installs a chooser and returns the previous one; an empty chooser restores the save dialog.
PictureFileChooser SetPictureFileChooser(PictureFileChooser chooser);
std::optional<TPictureChoice> ChoosePictureFile(const TPictureDialogSettings& settings, QWidget* parent);
