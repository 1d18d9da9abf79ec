#include "platform/ui/screen_cursor.h"

#include <QApplication>
#include <QCursor>

HourglassCursor::HourglassCursor() { ShowHourglassCursor(); }

HourglassCursor::~HourglassCursor() { RestoreScreenCursor(); }

void ShowHourglassCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

void RestoreScreenCursor() { QApplication::restoreOverrideCursor(); }
