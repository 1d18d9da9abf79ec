#pragma once
// Drives a table editor window the way a user does: key presses into the in-place editor and
// clicks on cells.

#include <QTest>
#include <string>

#include "dialogs/table_cells.h"
#include "dialogs/ui/table_editor.h"
#include "dialogs/ui/table_grid.h"

inline QModelIndex CellOf(TTabEditorForm& form, int index) {
  const CellPosition cell = TableCells::IndexToCell(index);
  return form.StringGrid1->GridModel().index(cell.row, cell.column);
}

inline void ClickCell(TTabEditorForm& form, int column, int row) {
  const QModelIndex cell = form.StringGrid1->GridModel().index(row, column);
  QTest::mouseClick(form.StringGrid1->viewport(), Qt::LeftButton, {}, form.StringGrid1->visualRect(cell).center());
}

// Types into the cell under the cursor (its editor is open in the "Курсор" mode).
inline void TypeText(TTabEditorForm& form, const char* text) {
  QTest::keyClicks(form.StringGrid1->OpenEditor(), QString::fromUtf8(text));
}

inline void PressEnter(TTabEditorForm& form) { QTest::keyClick(form.StringGrid1->OpenEditor(), Qt::Key_Return); }

// Each text followed by Enter, which walks on to the next cell.
inline void TypeValues(TTabEditorForm& form, std::initializer_list<const char*> texts) {
  for (const char* text : texts) {
    TypeText(form, text);
    PressEnter(form);
  }
}

inline std::string CellText(TTabEditorForm& form, int index) {
  const CellPosition cell = TableCells::IndexToCell(index);
  return form.Model().CellText(cell.column, cell.row);
}
