#include "numeric/key_filters.h"

namespace {

bool IsDigit(char32_t key) { return key >= U'0' && key <= U'9'; }
bool IsExponentMark(char32_t key) { return key == U'e' || key == U'E'; }
bool IsSign(char32_t key) { return key == U'-' || key == U'+'; }

bool IsContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// Digits only, after an optional sign: what may follow an exponent mark.
bool IsExponentTail(std::string_view tail) {
  if (!tail.empty() && IsSign(static_cast<unsigned char>(tail.front()))) tail.remove_prefix(1);
  for (const char c : tail) {
    if (!IsDigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

enum class ExponentVerdict { kMantissa, kPass, kRefuse };

ExponentVerdict ExponentKey(char32_t key, const EditFieldState& edit) {
  const std::string_view text = edit.text;
  const std::size_t caret = CharacterOffset(text, edit.selection_start);
  const std::size_t mark = text.find_first_of("eE");
  const char32_t before = caret > 0 ? static_cast<unsigned char>(text[caret - 1]) : 0;
  if (IsExponentMark(key)) {
    const bool fits = mark == std::string_view::npos && IsDigit(before) && IsExponentTail(text.substr(caret));
    return fits ? ExponentVerdict::kPass : ExponentVerdict::kRefuse;
  }
  if (mark == std::string_view::npos || caret <= mark) return ExponentVerdict::kMantissa;
  // Inside the exponent: its sign right after the mark, digits after that.
  const bool sign_follows = caret < text.size() && IsSign(static_cast<unsigned char>(text[caret]));
  if (IsSign(key)) return caret == mark + 1 && !sign_follows ? ExponentVerdict::kPass : ExponentVerdict::kRefuse;
  if (IsDigit(key)) return sign_follows ? ExponentVerdict::kRefuse : ExponentVerdict::kPass;
  return ExponentVerdict::kRefuse;
}

}  // namespace

bool DecideByExponent(char32_t& key, const EditFieldState& edit) {
  switch (ExponentKey(key, edit)) {
    case ExponentVerdict::kPass: return true;
    case ExponentVerdict::kRefuse: key = kNullKey; return true;
    case ExponentVerdict::kMantissa: break;
  }
  return false;
}

std::string_view MantissaOf(std::string_view text) { return text.substr(0, text.find_first_of("eE")); }

bool FollowsExponentMark(std::string_view text, std::size_t offset) {
  return offset > 0 && offset <= text.size() && IsExponentMark(static_cast<unsigned char>(text[offset - 1]));
}

void FilterDecimalKey(char32_t& key, const EditFieldState& edit) {
  if (key == U'.') key = U',';
  if (key == kBackspaceKey) return;
  if (DecideByExponent(key, WithoutSelection(edit))) return;
  if (key == U',') {
    if (edit.text.find(',') != std::string::npos) key = kNullKey;
    return;
  }
  if (!IsDigit(key)) key = kNullKey;
}

void FilterSignedDecimalKey(char32_t& key, const EditFieldState& edit) {
  if (key != U'-') {
    FilterDecimalKey(key, edit);
    return;
  }
  if (DecideByExponent(key, WithoutSelection(edit))) return;
  // The leading minus; an exponent's own sign does not count.
  if (edit.selection_start != 0) {
    key = kNullKey;
  } else if (edit.selection_length == 0 && MantissaOf(edit.text).find('-') != std::string_view::npos) {
    key = kNullKey;
  }
}

bool FilterDigitKey(char32_t& key) {
  if (key == kBackspaceKey || IsDigit(key)) return true;
  key = kNullKey;
  return false;
}

int CharacterCount(std::string_view text) {
  int count = 0;
  for (const char byte : text) count += !IsContinuationByte(byte);
  return count;
}

std::size_t CharacterOffset(std::string_view text, int character) {
  std::size_t offset = 0;
  for (int seen = 0; offset < text.size(); ++offset) {
    if (!IsContinuationByte(text[offset]) && seen++ == character) break;
  }
  return offset;
}

EditFieldState WithoutSelection(const EditFieldState& edit) {
  const std::size_t from = CharacterOffset(edit.text, edit.selection_start);
  const std::size_t to = CharacterOffset(edit.text, edit.selection_start + edit.selection_length);
  EditFieldState result{edit.text, edit.selection_start, 0};
  result.text.erase(from, to - from);
  return result;
}
