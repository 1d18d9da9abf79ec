#include "dialogs/field_texts.h"

#include <algorithm>

void FieldTexts::Write(int field, std::string text) {
  texts_.at(static_cast<std::size_t>(field)) = std::move(text);
  if (std::find(written_.begin(), written_.end(), field) == written_.end()) written_.push_back(field);
}

std::vector<int> FieldTexts::TakeWritten() {
  std::vector<int> written;
  written.swap(written_);
  return written;
}
