#pragma once
// The texts a dialog's model writes into its edit fields, and what became of a field's text when
// the user left it.

#include <string>
#include <vector>

inline const std::string kInvalidCharactersMessage = "Введены некорректные символы.";

enum class CommitResult {
  kUnchanged,  // the field still holds what the program wrote: nothing to do
  kCommitted,  // the value went to the model; corrections were shown by the model itself
  kInvalid,    // not a number: the dialog reports it and the model is unchanged
  kRestored,   // the same unreadable text left again: the field shows the value in effect once more
};

// Field texts by field number, with the fields written since the dialog last looked. A field is
// compared with what was written into it so that leaving an untouched field never re-reads a
// rounded text as a new value.
class FieldTexts {
 public:
  explicit FieldTexts(int field_count) : texts_(static_cast<std::size_t>(field_count)) {}

  void Write(int field, std::string text);
  const std::string& Text(int field) const { return texts_.at(static_cast<std::size_t>(field)); }
  bool Holds(int field, const std::string& text) const { return Text(field) == text; }
  // The fields written since the last call, in the order of their first write.
  std::vector<int> TakeWritten();

 private:
  std::vector<std::string> texts_;
  std::vector<int> written_;
};
