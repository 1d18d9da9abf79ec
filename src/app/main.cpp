// Вельмар: the desktop application for studying linear digital filters.

#include <QApplication>
#include <QIcon>
#include <QStringList>
#include <string>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "app/exception_display.h"
#include "app/russian_language.h"
#include "app/start_up.h"
#include "platform/ui/message_box.h"

namespace {

// Every resize paints the diagrams anew on pictures of the new size, a few megabytes each. Memory
// freed by the old ones is kept for the new instead of going back to the system, which would
// hand it out again page by page, at a fault each: some milliseconds per picture.
void KeepFreedMemoryForPictures() {
#if defined(__GLIBC__)
  constexpr int kLargestKept = 32 << 20;  // the largest threshold the allocator takes
  mallopt(M_MMAP_THRESHOLD, kLargestKept);
  mallopt(M_TRIM_THRESHOLD, 8 * kLargestKept);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  KeepFreedMemoryForPictures();
  VelmarApplication application(argc, argv);
  // Not the display name: the platform would append that to every window caption.
  QApplication::setApplicationName("Вельмар");
  QApplication::setWindowIcon(QIcon(":/velmar.png"));
  // The platform's own dialogs (files, overwrite questions) speak the program's language.
  InstallRussianLanguage();
  InstallMessageBoxHandler();
  InstallQuestionBoxHandler();
  // "velmar FILE.velmar": the project opened after the start-up.
  const QStringList arguments = QApplication::arguments();
  return RunApplication(arguments.size() > 1 ? arguments[1].toStdString() : std::string());
}
