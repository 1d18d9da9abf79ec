#include "platform/ui/modal.h"

#include <QDialog>
#include <utility>

namespace {

ModalAnswerer& Answerer() {
  static ModalAnswerer answerer;
  return answerer;
}

}  // namespace

int RunModal(QDialog& dialog) {
  if (Answerer()) {
    if (const std::optional<int> result = Answerer()(dialog)) return *result;
  }
  return dialog.exec();
}

ModalAnswerer SetModalAnswerer(ModalAnswerer answerer) { return std::exchange(Answerer(), std::move(answerer)); }
