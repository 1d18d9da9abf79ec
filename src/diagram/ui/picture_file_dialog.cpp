#include "diagram/ui/picture_file_dialog.h"

#include <QFileDialog>
#include <QStringList>
#include <utility>

namespace {

std::optional<std::string> AskWithSaveDialog(const TPictureDialogSettings& settings, QWidget* parent) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !settings.prompt_overwrite);
  dialog.setDefaultSuffix(QString::fromStdString(settings.default_extension));
  dialog.setNameFilter(QString::fromStdString(QtFileFilter(settings.filter)));
  dialog.selectFile(QString::fromStdString(settings.initial_name));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}

PictureFileChooser& CurrentChooser() {
  static PictureFileChooser chooser = AskWithSaveDialog;
  return chooser;
}

}  // namespace

PictureFileChooser SetPictureFileChooser(PictureFileChooser chooser) {
  if (!chooser) chooser = AskWithSaveDialog;
  return std::exchange(CurrentChooser(), std::move(chooser));
}

std::optional<std::string> ChoosePictureFile(const TPictureDialogSettings& settings, QWidget* parent) {
  return CurrentChooser()(settings, parent);
}

std::string QtFileFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& name = parts[i];
    filters << (name.contains('(') ? name : name + " (" + QString(parts[i + 1]).replace(';', ' ') + ")");
  }
  if (parts.size() % 2 == 1) filters << parts.last();
  return filters.join(";;").toStdString();
}
