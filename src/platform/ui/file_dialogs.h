#pragma once
// Open and save dialogs. A filter is written as pairs "description|patterns|…" with the
// patterns of one pair separated by ';'. Tests install an asker instead of the window.

#include <functional>
#include <optional>
#include <string>

#include <QStringList>

class QWidget;

struct FileDialogRequest {
  enum class Mode { kOpen, kSave };
  Mode mode = Mode::kOpen;
  std::string title;
  std::string filter;
  std::string default_extension;  // added to a name typed without one
  std::string file_name;          // proposed name
  bool confirm_overwrite = false;
};

// The chosen file name, or nothing when the user cancelled. With several filters, chosen_filter
// receives the number of the one chosen (0 when an asker answers).
std::optional<std::string> AskFileName(QWidget* parent, const FileDialogRequest& request,
                                       int* chosen_filter = nullptr);

using FileNameAsker = std::function<std::optional<std::string>(const FileDialogRequest& request)>;
// Installs an asker and returns the previous one; an empty one restores the dialog window.
FileNameAsker SetFileNameAsker(FileNameAsker asker);

// The filter as the file dialog lists it: one entry per description, its patterns in brackets.
QStringList NameFilters(const std::string& filter);
