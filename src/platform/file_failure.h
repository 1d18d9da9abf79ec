#pragma once
// How a failed file operation is told to the user: the program's own text, the file's full
// name on a line of its own, and the reason in Russian on the next.

#include <string>
#include <string_view>

// The reason behind an errno value, in Russian for the failures a user meets with files
// (no such file, no permission, a full disk …); other values fall back to strerror.
std::string FileErrorReason(int error);

// "<text>\n<path>\n<reason>", e.g. "Не удаётся открыть файл\nsignal.tbl\nНет такого файла или папки".
std::string FileFailureMessage(std::string_view text, std::string_view path, int error);
// The same with a reason of the program's own.
std::string FileFailureMessage(std::string_view text, std::string_view path, std::string_view reason);
