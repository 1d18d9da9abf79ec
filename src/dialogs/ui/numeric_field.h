#pragma once
// A numeric edit field of the dialogs: it filters typed and pasted keys, holds typing to a
// length, commits on Enter as on leaving, and shows an unreadable entry in red with the message
// about it.

#include <string>

#include "dialogs/field_keys.h"
#include "dialogs/ui/filtered_line_edit.h"

class NumericField : public FilteredLineEdit {
  Q_OBJECT

 public:
  explicit NumericField(QWidget* parent = nullptr);

  void SetKeys(FieldKeys keys) { keys_ = keys; }
  void SetMaxChars(int max_chars) { max_chars_ = max_chars; }
  // Read-only fields show the dialog's colour instead of an edit field's.
  void SetReadOnlyLook(bool read_only);
  // Disabled fields show their parent's colour.
  void SetEnabledLook(bool enabled);

  std::string Text() const { return text().toStdString(); }
  // Shows a text written by the program; an equal text is left alone so the cursor stays.
  void ShowText(const std::string& text);
  // The entry cannot be read: red while "Введены некорректные символы." is shown, then the
  // focus back in the field.
  void ReportInvalid();

 signals:
  // The user left the field for another control of the dialog, or pressed Enter in it.
  void Left();

 protected:
  char32_t FilterTypedKey(char32_t key, const EditFieldState& edit) const override {
    return FilterFieldKey(keys_, key, edit, max_chars_);
  }
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Enter runs the leave handler at once and keeps the focus in the field.
  void CommitOnEnter();
  void SetBase(const QColor& colour);

  FieldKeys keys_ = FieldKeys::kUnsigned;
  int max_chars_ = 32767;
};
