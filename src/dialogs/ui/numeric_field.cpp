#include "dialogs/ui/numeric_field.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include "dialogs/field_texts.h"
#include "platform/messages.h"

NumericField::NumericField(QWidget* parent) : FilteredLineEdit(parent) {}

void NumericField::SetReadOnlyLook(bool read_only) {
  setReadOnly(read_only);
  SetBase(read_only ? window()->palette().color(QPalette::Window) : QPalette().color(QPalette::Base));
}

void NumericField::SetEnabledLook(bool enabled) {
  setEnabled(enabled);
  SetBase(enabled ? QPalette().color(QPalette::Base) : parentWidget()->palette().color(QPalette::Window));
}

void NumericField::ShowText(const std::string& text) {
  const QString shown = QString::fromStdString(text);
  if (this->text() != shown) setText(shown);
}

void NumericField::ReportInvalid() {
  const QPalette previous = palette();
  SetBase(Qt::red);
  ShowMessage(kInvalidCharactersMessage);
  setPalette(previous);
  if (isVisible()) {
    setFocus(Qt::OtherFocusReason);
    selectAll();
  }
}

void NumericField::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    CommitOnEnter();
    return;
  }
  FilteredLineEdit::keyPressEvent(event);
}

void NumericField::focusOutEvent(QFocusEvent* event) {
  FilteredLineEdit::focusOutEvent(event);
  // Another window (a message box, another program) taking the focus is not leaving the field.
  const bool to_other_window =
      event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
  if (!to_other_window && !isReadOnly()) emit Left();
}

void NumericField::CommitOnEnter() {
  if (isReadOnly()) return;
  emit Left();
  if (isVisible()) {
    setFocus(Qt::OtherFocusReason);
    selectAll();
  }
}

void NumericField::SetBase(const QColor& colour) {
  QPalette shades = palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    shades.setColor(group, QPalette::Base, colour);
  }
  setPalette(shades);
}
