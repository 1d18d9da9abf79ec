#pragma once
// Keystroke filters of the numeric edit fields, written over the field's text and selection so
// that they need no window. A refused key is set to the null character.

#include <string>

constexpr char32_t kNullKey = 0;
constexpr char32_t kBackspaceKey = 8;

// What a key filter needs to know of an edit field. Positions count characters, not bytes.
struct EditFieldState {
  std::string text;  // UTF-8
  int selection_start = 0;
  int selection_length = 0;
};

// Digits, one comma ('.' is turned into ','), and backspace.
void FilterDecimalKey(char32_t& key, const EditFieldState& edit);
// As FilterDecimalKey, plus one leading minus.
void FilterSignedDecimalKey(char32_t& key, const EditFieldState& edit);
// Digits and backspace; returns whether the key passed.
bool FilterDigitKey(char32_t& key);
