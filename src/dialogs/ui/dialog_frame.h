#pragma once
// What the program's fixed dialogs share: a frame that cannot be resized, with only the
// system menu and the close box, and the interface font.

#include <QFont>
#include <initializer_list>

class QDialog;
class QGroupBox;
class QGridLayout;
class QString;
class QWidget;

// Caption, fixed size from the layout, title-bar buttons and font.
void SetUpFixedDialog(QDialog& dialog, const QString& caption);
// The interface font: a sans-serif face with Cyrillic letters.
QFont DialogFont();
// A group box whose contents sit in a grid.
QGroupBox* GridGroup(const QString& title, QGridLayout*& grid);
// Widgets side by side, sharing the width equally.
QWidget* RowOf(std::initializer_list<QWidget*> widgets);
