#pragma once
// The files of the table editor. A table file (".tbl", and ".inp" of the sibling program, read
// only) holds the values as consecutive little-endian IEEE 754 doubles, index 0 first, with no
// header. The spreadsheet export is tab-separated text with CR LF line ends.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/table_cells.h"

inline const std::string kUnsupportedFormatMessage = "Формат файлов с указанным расширением не поддерживатеся.";
inline const std::string kCannotCreateFileMessage = "Не удаётся создать файл";
inline const std::string kCannotOpenFileMessage = "Не удаётся открыть файл";

// The bytes of a table file holding count values.
std::string EncodeTableFile(const double* values, int count);
// The whole 8-byte values of bytes, at most max_values of them; a shorter tail is ignored.
std::vector<double> DecodeTableFile(std::string_view bytes, int max_values);

// A table file as read: its first values and what was left out.
struct TableFileRead {
  std::vector<double> values;        // at most the values asked for, exactly as stored
  std::uint64_t values_in_file = 0;  // whole values the file holds
  int tail_bytes = 0;                // bytes after the last whole value (0 … 7), ignored
  int error = 0;                     // errno when the file could not be read; values empty then
  explicit operator bool() const { return error == 0; }
};
// Reads at most max_values values without reading further into the file. Fails with an errno
// when path is not a regular file that can be read: missing (ENOENT), a folder (EISDIR), a
// device or a pipe (ENODEV), unreadable (EACCES, EIO, …).
TableFileRead ReadTableFile(const std::string& path, int max_values);

// A value of a table file that the analysis cannot take, and what it became.
struct ReplacedValue {
  int index = 0;
  double original = 0;
  double replacement = 0;
};
// Makes every value fit for the analysis run: NaN becomes 0; an infinity or a magnitude beyond
// limit becomes ±limit, where the filters hold their values too. Returns what it replaced.
std::vector<ReplacedValue> ReplaceUnusableValues(std::vector<double>& values, double limit);

// The grid as spreadsheet text: every row from the top, each cell's text followed by a tab,
// CR LF after each row; header rows whole, and the text ends right after the tab of value
// work_count − 1, with no line break.
std::string SpreadsheetText(const TableCells& cells, int work_count);

// The extension of the file name, lower-cased (ASCII), with its point: ".tbl"; "" if none.
std::string LowerCaseExtension(const std::string& path);
// The path with its extension replaced (or added).
std::string WithExtension(const std::string& path, const std::string& extension);

// The save dialog's loop: proposes "Таблица.tbl" (its extension forced to ".tbl"), and while
// the chosen name does not end in ".tbl" says so and proposes that name again as ".tbl".
// ask_name runs the dialog with a proposed name and gives the chosen one, or nothing on cancel.
using SaveDialog = std::function<std::optional<std::string>(const std::string& proposed)>;
std::optional<std::string> ChooseTableSaveName(const SaveDialog& ask_name);

// The open dialog's loop: while the chosen name is neither ".tbl" nor ".inp", says so and asks
// again with the dialog's name emptied (clear_name true from the second pass on).
using OpenDialog = std::function<std::optional<std::string>(bool clear_name)>;
std::optional<std::string> ChooseTableOpenName(const OpenDialog& ask_name);
