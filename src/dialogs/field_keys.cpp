#include "dialogs/field_keys.h"

namespace {

bool IsBlank(char32_t c) { return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n'; }

bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

std::u32string_view Trimmed(std::u32string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

void AppendUtf8(std::string& text, char32_t c) {
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | (c >> 6));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (c >> 18));
    text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
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

std::optional<std::string> FilterPastedText(const EditFieldState& edit, std::u32string_view pasted,
                                            const KeyFilter& filter) {
  pasted = Trimmed(pasted);
  if (pasted.empty()) return std::nullopt;
  EditFieldState field = WithoutSelection(edit);
  std::string inserted;
  for (const char32_t typed : pasted) {
    // Backspace passes the filters as a key, but a paste only ever inserts characters.
    if (IsControl(typed)) return std::nullopt;
    const char32_t key = filter(typed, field);
    if (key == kNullKey) return std::nullopt;
    std::string character;
    AppendUtf8(character, key);
    field.text.insert(CharacterOffset(field.text, field.selection_start), character);
    ++field.selection_start;
    inserted += character;
  }
  return inserted;
}
