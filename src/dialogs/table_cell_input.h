#pragma once
// What a table cell accepts while the user types into it: digits, one decimal comma and one
// leading minus sign, at most a few characters.

#include <string>

#include "numeric/key_filters.h"

// Filters one typed character against the cell's present text (UTF-8). Backspace, Tab and Enter
// pass; any other character is refused (set to the null character) once the text holds
// max_chars characters. A point becomes a comma; a second comma or minus sign, and anything
// that is not a digit, is refused.
void FilterCellKey(char32_t& key, const std::string& text, int max_chars);

// The in-place editor's filter: a typed character goes in place of the selection, so the text
// it is checked against is the one without the selection (Ctrl+A and typing replaces a value).
char32_t FilterTypedCellKey(char32_t key, const EditFieldState& edit, int max_chars);
// A pasted character: as typed, but a minus anywhere but first, which typing would take back
// at once, refuses the paste.
char32_t FilterPastedCellKey(char32_t key, const EditFieldState& edit, int max_chars);

// The in-place editor after a change of its text: a minus sign that is not the first character
// is taken back by Backspace presses at the caret, as many as it takes.
struct CellEdit {
  std::string text;  // UTF-8
  int caret = 0;     // in characters
};
CellEdit RemoveMisplacedMinus(CellEdit edit);
