#include "diagram/ui/picture_file_dialog.h"

#include <utility>

#include "platform/replaceable.h"
#include "platform/ui/file_dialogs.h"

namespace {

std::optional<TPictureChoice> AskWithSaveDialog(const TPictureDialogSettings& settings, QWidget* parent) {
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::kSave;
  request.filter = settings.filter;
  request.default_extension = settings.default_extension;
  request.file_name = settings.initial_name;
  request.confirm_overwrite = settings.prompt_overwrite;
  std::optional<FileDialogChoice> choice = AskFileAndFilter(parent, request);
  if (!choice) return std::nullopt;
  return TPictureChoice{std::move(choice->name), PictureFormatOfFilter(choice->filter)};
}

Replaceable<PictureFileChooser>& CurrentChooser() {
  static Replaceable<PictureFileChooser> chooser(AskWithSaveDialog);
  return chooser;
}

}  // namespace

PictureFileChooser SetPictureFileChooser(PictureFileChooser chooser) {
  return CurrentChooser().Set(std::move(chooser));
}

std::optional<TPictureChoice> ChoosePictureFile(const TPictureDialogSettings& settings, QWidget* parent) {
  return (*CurrentChooser())(settings, parent);
}
