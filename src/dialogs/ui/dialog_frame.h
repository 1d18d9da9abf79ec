#pragma once
// What the program's fixed dialogs share: a frame that cannot be resized, with only the
// system menu and the close box, and the interface font.

#include <QFont>
#include <QStyle>
#include <initializer_list>
#include <utility>
#include <vector>

class QAbstractButton;
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
// Gives the buttons the style's pictures when the window is first polished, just before it is
// first shown (and laid out): the pictures are looked up in the icon themes, which takes several
// milliseconds the first time, better spent then than while the program starts.
void SetStyleIconsOnFirstShow(QWidget& window,
                              std::vector<std::pair<QAbstractButton*, QStyle::StandardPixmap>> icons);
