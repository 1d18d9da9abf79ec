#pragma once
// What a table cell accepts while the user types into it: digits, one decimal comma, one leading
// minus sign and an exponent, at most a few characters.

#include <string>

#include "numeric/key_filters.h"

// Filters one character typed at the caret of a cell's text (UTF-8, no selection). Backspace, Tab
// and Enter pass; any other character is refused (set to the null character) once the text holds
// max_chars characters. A point becomes a comma; a second comma or minus sign, and anything
// that is not a digit, is refused; an exponent is taken as the numeric fields take it.
void FilterCellKey(char32_t& key, const EditFieldState& cell, int max_chars);

// The in-place editor's filter: a typed character goes in place of the selection, so the text
// it is checked against is the one without the selection (Ctrl+A and typing replaces a value).
char32_t FilterTypedCellKey(char32_t key, const EditFieldState& edit, int max_chars);
// A pasted character: as typed, but a minus anywhere but first (or as an exponent's sign), which
// typing would take back at once, refuses the paste.
char32_t FilterPastedCellKey(char32_t key, const EditFieldState& edit, int max_chars);

// The in-place editor after a change of its text: a minus sign that is neither the first
// character nor an exponent's sign is taken back by Backspace presses at the caret, as many as it
// takes.
struct CellEdit {
  std::string text;  // UTF-8
  int caret = 0;     // in characters
};
CellEdit RemoveMisplacedMinus(CellEdit edit);
