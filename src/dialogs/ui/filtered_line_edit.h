#pragma once
// A line edit whose every way of taking in text passes one key filter: typed characters one by
// one, and pasted text (the paste keys, the context menu, a middle click, a drop) as if each of
// its characters were typed, going in whole or not at all.

#include <QLineEdit>

#include "numeric/key_filters.h"

class QMenu;

// The object name of the paste command in a FilteredLineEdit's context menu.
inline constexpr char kPasteActionName[] = "edit-paste";

class FilteredLineEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit FilteredLineEdit(QWidget* parent = nullptr) : QLineEdit(parent) {}

  // Puts text in place of the selection if the filter takes every character of it; returns
  // whether it went in.
  bool PasteFiltered(const QString& text);
  // The line edit's own context menu, its paste command going through the filter.
  QMenu* CreateContextMenu();

 protected:
  // The character a typed key inserts, or kNullKey when it is refused.
  virtual char32_t FilterTypedKey(char32_t key, const EditFieldState& edit) const = 0;
  // The same for a character of pasted text.
  virtual char32_t FilterPastedKey(char32_t key, const EditFieldState& edit) const { return FilterTypedKey(key, edit); }
  // The text and selection, in characters.
  EditFieldState State() const;

  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};
