#include "dialogs/ui/dialog_frame.h"

#include <QAbstractButton>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLayout>

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

void StyleIcons::Set() {
  for (const auto& [button, picture] : pending_) button->setIcon(button->style()->standardIcon(picture));
  pending_.clear();
}
