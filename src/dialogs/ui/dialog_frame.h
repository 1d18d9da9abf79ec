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

// Buttons to be given the style's pictures. Those are looked up in the icon themes, which takes
// several milliseconds the first time: a dialog made while the program starts sets them when it
// is first shown (from setVisible, before its layout measures the buttons).
class StyleIcons {
 public:
  void Add(QAbstractButton* button, QStyle::StandardPixmap picture) { pending_.emplace_back(button, picture); }
  // Sets the pictures added since the last call.
  void Set();

 private:
  std::vector<std::pair<QAbstractButton*, QStyle::StandardPixmap>> pending_;
};
