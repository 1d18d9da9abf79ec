#pragma once
// What a table cell accepts while the user types into it: digits, one decimal comma and one
// leading minus sign, at most a few characters.

#include <string>

// Filters one typed character against the cell's present text (UTF-8). Backspace, Tab and Enter
// pass; any other character is refused (set to the null character) once the text holds
// max_chars characters. A point becomes a comma; a second comma or minus sign, and anything
// that is not a digit, is refused.
void FilterCellKey(char32_t& key, const std::string& text, int max_chars);

// The in-place editor after a change of its text: a minus sign that is not the first character
// is taken back by Backspace presses at the caret, as many as it takes.
struct CellEdit {
  std::string text;  // UTF-8
  int caret = 0;     // in characters
};
CellEdit RemoveMisplacedMinus(CellEdit edit);
