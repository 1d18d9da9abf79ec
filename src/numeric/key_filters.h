#pragma once
// Keystroke filters of the numeric edit fields, written over the field's text and selection so
// that they need no window. A refused key is set to the null character.

#include <string>
#include <string_view>

constexpr char32_t kNullKey = 0;
constexpr char32_t kBackspaceKey = 8;

// What a key filter needs to know of an edit field. Positions count characters, not bytes.
struct EditFieldState {
  std::string text;  // UTF-8
  int selection_start = 0;
  int selection_length = 0;
};

// Digits, one comma ('.' is turned into ','), and backspace; an exponent as below.
void FilterDecimalKey(char32_t& key, const EditFieldState& edit);
// As FilterDecimalKey, plus one leading minus.
void FilterSignedDecimalKey(char32_t& key, const EditFieldState& edit);
// Digits and backspace; returns whether the key passed.
bool FilterDigitKey(char32_t& key);

// Exponent notation, which every decimal filter takes besides its own rules: one 'e' or 'E' right
// after a digit, then an optional sign, then digits ("1e-3", "-2,5E2"). Decides a key typed at the
// caret of a field without selection (true; the key set to the null character when refused), or
// leaves it to the filter's own rules (false), which then hold for the text before the exponent.
bool DecideByExponent(char32_t& key, const EditFieldState& edit);
// The text before its exponent (all of it when it has none).
std::string_view MantissaOf(std::string_view text);
// Whether the character before a byte offset marks an exponent, so that a sign may stand there.
bool FollowsExponentMark(std::string_view text, std::size_t offset);

// Characters, not bytes, of a UTF-8 text.
int CharacterCount(std::string_view text);
// The byte offset of a character of a UTF-8 text; the text's size for one past the end or more.
std::size_t CharacterOffset(std::string_view text, int character);
// The field with its selection deleted, the caret where the selection began.
EditFieldState WithoutSelection(const EditFieldState& edit);
