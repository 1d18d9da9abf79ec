#include "platform/ui/key_press.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

void SendKeyPress(QWidget* target, Qt::Key key, const char* text) {
  if (target == nullptr) return;
  QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, QString::fromUtf8(text));
  QCoreApplication::sendEvent(target, &down);
  QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, QString::fromUtf8(text));
  QCoreApplication::sendEvent(target, &up);
}
