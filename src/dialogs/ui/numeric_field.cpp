#include "dialogs/ui/numeric_field.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include "dialogs/field_texts.h"
#include "platform/messages.h"

NumericField::NumericField(QWidget* parent) : QLineEdit(parent) {}

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
  const QString typed = event->text();
  const bool character = !typed.isEmpty() && typed.at(0).isPrint() &&
                         !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
  if (!character || isReadOnly()) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const char32_t original = typed.toUcs4().value(0);
  const bool selection = hasSelectedText();
  const EditFieldState state{Text(), selection ? selectionStart() : cursorPosition(),
                             selection ? static_cast<int>(selectedText().size()) : 0};
  const char32_t key = FilterFieldKey(keys_, original, state, max_chars_);
  if (key == kNullKey) return;
  if (key == original) QLineEdit::keyPressEvent(event);
  else insert(QString::fromUcs4(&key, 1));
}

void NumericField::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // Another window (a message box, another program) taking the focus is not leaving the field.
  const bool to_other_window = event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
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
