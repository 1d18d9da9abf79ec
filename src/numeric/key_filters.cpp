#include "numeric/key_filters.h"

namespace {

bool IsDigit(char32_t key) { return key >= U'0' && key <= U'9'; }

}  // namespace

void FilterDecimalKey(char32_t& key, const EditFieldState& edit) {
  if (key == U'.') key = U',';
  if (key == U',') {
    if (edit.text.find(',') != std::string::npos) key = kNullKey;
    return;
  }
  if (key == kBackspaceKey) return;
  if (!IsDigit(key)) key = kNullKey;
}

void FilterSignedDecimalKey(char32_t& key, const EditFieldState& edit) {
  if (key != U'-') {
    FilterDecimalKey(key, edit);
    return;
  }
  if (edit.selection_start != 0) {
    key = kNullKey;
  } else if (edit.selection_length == 0 && edit.text.find('-') != std::string::npos) {
    key = kNullKey;
  }
}

bool FilterDigitKey(char32_t& key) {
  if (key == kBackspaceKey || IsDigit(key)) return true;
  key = kNullKey;
  return false;
}
