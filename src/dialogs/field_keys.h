#pragma once
// What a numeric edit field of a dialog lets the user type: its key filter and its length limit.
// The limit only holds typing back; the program itself may write longer texts into a field.
// Pasted text passes the same filter, character by character, and goes in whole or not at all.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "numeric/key_filters.h"

enum class FieldKeys {
  kUnsigned,  // digits and one decimal comma, and an exponent
  kSigned,    // the same with one leading minus
  kDigits,    // digits only
};

// The character a typed key inserts into the field, or kNullKey when it is refused. Backspace
// always passes; any other key is refused once the field would hold more than max_chars
// characters (replacing the selection counts).
char32_t FilterFieldKey(FieldKeys keys, char32_t key, const EditFieldState& edit, int max_chars);

// A field's key filter: the character a typed key inserts, or kNullKey.
using KeyFilter = std::function<char32_t(char32_t key, const EditFieldState& edit)>;

// Pasted text typed through a field's key filter: the selection goes first, then each character
// is offered to the filter at the caret as if typed. Gives the characters to insert in place of
// the selection (a point may have become a comma), or nothing when the filter refuses any of them
// or there is nothing to paste. Blanks and line breaks around the text are dropped, as a copied
// spreadsheet cell carries them; control characters inside refuse the paste.
std::optional<std::string> FilterPastedText(const EditFieldState& edit, std::u32string_view pasted,
                                            const KeyFilter& filter);
