#include "dialogs/ui/dialog_frame.h"

#include <QAbstractButton>
#include <QDialog>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLayout>
#include <QPointer>

namespace {

// Waits for the window's first polish, sets the pictures and goes.
class StyleIconSetter : public QObject {
 public:
  StyleIconSetter(QWidget& window, std::vector<std::pair<QAbstractButton*, QStyle::StandardPixmap>> icons)
      : QObject(&window), window_(window) {
    for (const auto& [button, pixmap] : icons) icons_.emplace_back(button, pixmap);
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Polish) {
      window_.removeEventFilter(this);
      for (const auto& [button, pixmap] : icons_) {
        if (button) button->setIcon(window_.style()->standardIcon(pixmap));
      }
      deleteLater();
    }
    return false;
  }

 private:
  QWidget& window_;
  std::vector<std::pair<QPointer<QAbstractButton>, QStyle::StandardPixmap>> icons_;
};

}  // namespace

QFont DialogFont() {
  QFont font("Liberation Sans");
  font.setPixelSize(12);
  return font;
}

void SetUpFixedDialog(QDialog& dialog, const QString& caption) {
  dialog.setWindowTitle(caption);
  dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowCloseButtonHint);
  dialog.setModal(true);
  if (dialog.layout() != nullptr) dialog.layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QGroupBox* GridGroup(const QString& title, QGridLayout*& grid) {
  auto* group = new QGroupBox(title);
  grid = new QGridLayout(group);
  grid->setContentsMargins(8, 6, 8, 8);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(3);
  return group;
}

QWidget* RowOf(std::initializer_list<QWidget*> widgets) {
  auto* row = new QWidget;
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(8);
  for (QWidget* widget : widgets) layout->addWidget(widget, 1);
  return row;
}

void SetStyleIconsOnFirstShow(QWidget& window,
                              std::vector<std::pair<QAbstractButton*, QStyle::StandardPixmap>> icons) {
  if (window.testAttribute(Qt::WA_WState_Polished)) {
    for (const auto& [button, pixmap] : icons) button->setIcon(window.style()->standardIcon(pixmap));
    return;
  }
  new StyleIconSetter(window, std::move(icons));
}
