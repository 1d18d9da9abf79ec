#include "dialogs/table_cell_input.h"

#include <algorithm>

namespace {

constexpr char32_t kTabKey = 9;
constexpr char32_t kEnterKey = 13;

bool HasMisplacedMinus(const std::string& text) {
  for (std::size_t at = text.find('-', 1); at != std::string::npos; at = text.find('-', at + 1)) {
    if (!FollowsExponentMark(text, at)) return true;
  }
  return false;
}

}  // namespace

void FilterCellKey(char32_t& key, const EditFieldState& cell, int max_chars) {
  if (key == kBackspaceKey || key == kTabKey || key == kEnterKey) return;
  if (CharacterCount(cell.text) >= max_chars) {
    key = kNullKey;
    return;
  }
  if (key == U'.') key = U',';
  if (DecideByExponent(key, cell)) return;
  const bool repeated =
      (key == U',' || key == U'-') && MantissaOf(cell.text).find(static_cast<char>(key)) != std::string::npos;
  const bool allowed = key == U',' || key == U'-' || (key >= U'0' && key <= U'9');
  if (repeated || !allowed) key = kNullKey;
}

char32_t FilterTypedCellKey(char32_t key, const EditFieldState& edit, int max_chars) {
  FilterCellKey(key, WithoutSelection(edit), max_chars);
  return key;
}

char32_t FilterPastedCellKey(char32_t key, const EditFieldState& edit, int max_chars) {
  key = FilterTypedCellKey(key, edit, max_chars);
  const EditFieldState cell = WithoutSelection(edit);
  const bool exponent_sign = FollowsExponentMark(cell.text, CharacterOffset(cell.text, cell.selection_start));
  return key == U'-' && edit.selection_start > 0 && !exponent_sign ? kNullKey : key;
}

CellEdit RemoveMisplacedMinus(CellEdit edit) {
  edit.caret = std::min(std::max(edit.caret, 0), CharacterCount(edit.text));
  while (HasMisplacedMinus(edit.text) && edit.caret > 0) {
    const std::size_t from = CharacterOffset(edit.text, edit.caret - 1);
    const std::size_t to = CharacterOffset(edit.text, edit.caret);
    edit.text.erase(from, to - from);
    --edit.caret;
  }
  return edit;
}
