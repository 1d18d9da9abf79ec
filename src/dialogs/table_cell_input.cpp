#include "dialogs/table_cell_input.h"

#include <algorithm>

#include "numeric/key_filters.h"

namespace {

constexpr char32_t kTabKey = 9;
constexpr char32_t kEnterKey = 13;

int CountCharacters(const std::string& text) {
  int count = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;  // not a continuation byte
  }
  return count;
}

// Byte offset of the character with the given number.
std::size_t ByteOffset(const std::string& text, int character) {
  std::size_t offset = 0;
  for (int seen = 0; offset < text.size(); ++offset) {
    if ((static_cast<unsigned char>(text[offset]) & 0xC0) != 0x80 && seen++ == character) break;
  }
  return offset;
}

bool HasMinusAfterFirst(const std::string& text) { return text.find('-', 1) != std::string::npos; }

}  // namespace

void FilterCellKey(char32_t& key, const std::string& text, int max_chars) {
  if (key == kBackspaceKey || key == kTabKey || key == kEnterKey) return;
  if (CountCharacters(text) >= max_chars) {
    key = kNullKey;
    return;
  }
  if (key == U'.') key = U',';
  const bool repeated = (key == U',' || key == U'-') && text.find(static_cast<char>(key)) != std::string::npos;
  const bool allowed = key == U',' || key == U'-' || (key >= U'0' && key <= U'9');
  if (repeated || !allowed) key = kNullKey;
}

CellEdit RemoveMisplacedMinus(CellEdit edit) {
  edit.caret = std::min(std::max(edit.caret, 0), CountCharacters(edit.text));
  while (HasMinusAfterFirst(edit.text) && edit.caret > 0) {
    const std::size_t from = ByteOffset(edit.text, edit.caret - 1);
    const std::size_t to = ByteOffset(edit.text, edit.caret);
    edit.text.erase(from, to - from);
    --edit.caret;
  }
  return edit;
}
