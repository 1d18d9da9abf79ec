#pragma once
// A synthetic key press: the key goes down and up on the widget as if the user pressed it.

#include <Qt>

class QWidget;

void SendKeyPress(QWidget* target, Qt::Key key, const char* text = "");
