#include "dialogs/ui/filtered_line_edit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <string>

#include "dialogs/field_keys.h"

namespace {

// The paste command of a line edit's context menu, known by the text Qt gives it (in the
// language of the loaded translation), which may be followed by a tab and its shortcut.
bool IsPasteAction(const QAction& action) {
  return action.text().section(QLatin1Char('\t'), 0, 0) == QCoreApplication::translate("QLineEdit", "&Paste");
}

}  // namespace

bool FilteredLineEdit::PasteFiltered(const QString& text) {
  if (isReadOnly()) return false;
  const std::u32string pasted = text.toStdU32String();
  const std::optional<std::string> inserted = FilterPastedText(
      State(), pasted, [this](char32_t key, const EditFieldState& edit) { return FilterPastedKey(key, edit); });
  if (!inserted) return false;
  insert(QString::fromStdString(*inserted));
  return true;
}

QMenu* FilteredLineEdit::CreateContextMenu() {
  QMenu* menu = createStandardContextMenu();
  for (QAction* action : menu->actions()) {
    if (!IsPasteAction(*action)) continue;
    action->setObjectName(kPasteActionName);
    disconnect(action, &QAction::triggered, nullptr, nullptr);
    connect(action, &QAction::triggered, this, [this] { PasteFiltered(QGuiApplication::clipboard()->text()); });
  }
  return menu;
}

EditFieldState FilteredLineEdit::State() const {
  const bool selection = hasSelectedText();
  return {text().toStdString(), selection ? selectionStart() : cursorPosition(),
          selection ? static_cast<int>(selectedText().size()) : 0};
}

void FilteredLineEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    PasteFiltered(QGuiApplication::clipboard()->text());
    event->accept();
    return;
  }
  const std::u32string typed = event->text().toStdU32String();
  const bool character = !typed.empty() && QChar::isPrint(typed.front()) &&
                         !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
  if (!character || isReadOnly()) {
    QLineEdit::keyPressEvent(event);  // editing and shortcut keys: Backspace, arrows, Ctrl+A …
    return;
  }
  event->accept();
  if (typed.size() > 1) {  // an input method may type several characters at once
    PasteFiltered(event->text());
    return;
  }
  const char32_t key = FilterTypedKey(typed.front(), State());
  if (key == kNullKey) return;
  if (key == typed.front()) QLineEdit::keyPressEvent(event);
  else insert(QString::fromUcs4(&key, 1));
}

void FilteredLineEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = CreateContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

void FilteredLineEdit::mouseReleaseEvent(QMouseEvent* event) {
  const bool selection_paste = event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection();
  if (!selection_paste || isReadOnly()) {
    QLineEdit::mouseReleaseEvent(event);
    return;
  }
  deselect();
  PasteFiltered(QGuiApplication::clipboard()->text(QClipboard::Selection));
  event->accept();
}

void FilteredLineEdit::dropEvent(QDropEvent* event) {
  if (isReadOnly() || !event->mimeData()->hasText()) {
    QLineEdit::dropEvent(event);
    return;
  }
  deselect();
  setCursorPosition(cursorPositionAt(event->position().toPoint()));
  if (PasteFiltered(event->mimeData()->text())) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}
