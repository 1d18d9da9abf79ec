#pragma once
// What a numeric edit field of a dialog lets the user type: its key filter and its length limit.
// The limit only holds typing back; the program itself may write longer texts into a field.

#include "numeric/key_filters.h"

enum class FieldKeys {
  kUnsigned,  // digits and one decimal comma
  kSigned,    // the same with one leading minus
  kDigits,    // digits only
};

// The character a typed key inserts into the field, or kNullKey when it is refused. Backspace
// always passes; any other key is refused once the field would hold more than max_chars
// characters (replacing the selection counts).
char32_t FilterFieldKey(FieldKeys keys, char32_t key, const EditFieldState& edit, int max_chars);
