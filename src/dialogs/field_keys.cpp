#include "dialogs/field_keys.h"

namespace {

// Characters, not bytes, of a UTF-8 text.
int CharacterCount(const std::string& text) {
  int count = 0;
  for (const char byte : text) count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
  return count;
}

}  // namespace

char32_t FilterFieldKey(FieldKeys keys, char32_t key, const EditFieldState& edit, int max_chars) {
  switch (keys) {
    case FieldKeys::kUnsigned: FilterDecimalKey(key, edit); break;
    case FieldKeys::kSigned: FilterSignedDecimalKey(key, edit); break;
    case FieldKeys::kDigits: FilterDigitKey(key); break;
  }
  if (key == kNullKey || key == kBackspaceKey) return key;
  if (CharacterCount(edit.text) - edit.selection_length + 1 > max_chars) return kNullKey;
  return key;
}
