#include "dialogs/table_cell_input.h"

#include <algorithm>

#include "dialogs/field_keys.h"

namespace {

constexpr char32_t kTabKey = 9;
constexpr char32_t kEnterKey = 13;

bool HasMinusAfterFirst(const std::string& text) { return text.find('-', 1) != std::string::npos; }

}  // namespace

void FilterCellKey(char32_t& key, const std::string& text, int max_chars) {
  if (key == kBackspaceKey || key == kTabKey || key == kEnterKey) return;
  if (CharacterCount(text) >= max_chars) {
    key = kNullKey;
    return;
  }
  if (key == U'.') key = U',';
  const bool repeated = (key == U',' || key == U'-') && text.find(static_cast<char>(key)) != std::string::npos;
  const bool allowed = key == U',' || key == U'-' || (key >= U'0' && key <= U'9');
  if (repeated || !allowed) key = kNullKey;
}

char32_t FilterTypedCellKey(char32_t key, const EditFieldState& edit, int max_chars) {
  FilterCellKey(key, WithoutSelection(edit).text, max_chars);
  return key;
}

char32_t FilterPastedCellKey(char32_t key, const EditFieldState& edit, int max_chars) {
  key = FilterTypedCellKey(key, edit, max_chars);
  return key == U'-' && edit.selection_start > 0 ? kNullKey : key;
}

CellEdit RemoveMisplacedMinus(CellEdit edit) {
  edit.caret = std::min(std::max(edit.caret, 0), CharacterCount(edit.text));
  while (HasMinusAfterFirst(edit.text) && edit.caret > 0) {
    const std::size_t from = CharacterOffset(edit.text, edit.caret - 1);
    const std::size_t to = CharacterOffset(edit.text, edit.caret);
    edit.text.erase(from, to - from);
    --edit.caret;
  }
  return edit;
}
