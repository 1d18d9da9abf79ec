#include "platform/ui/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>
#include <utility>

#include "platform/ui/modal.h"

namespace {

FileNameAsker& Asker() {
  static FileNameAsker asker;
  return asker;
}

}  // namespace

QStringList NameFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
    for (QString& pattern : patterns) pattern = pattern.trimmed();
    // The dialog takes the patterns from the last brackets and shows the text before them.
    filters << parts[i] + " (" + patterns.join(' ') + ")";
  }
  return filters;
}

std::optional<std::string> AskFileName(QWidget* parent, const FileDialogRequest& request) {
  if (Asker()) return Asker()(request);
  const bool save = request.mode == FileDialogRequest::Mode::kSave;
  QFileDialog dialog(parent, QString::fromStdString(request.title.empty() ? (save ? "Сохранить" : "Открыть")
                                                                          : request.title));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
  dialog.setNameFilters(NameFilters(request.filter));
  dialog.setDefaultSuffix(QString::fromStdString(request.default_extension));
  dialog.selectFile(QString::fromStdString(request.file_name));
  if (RunModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(dialog.selectedFiles().first()).toStdString();
}

FileNameAsker SetFileNameAsker(FileNameAsker asker) { return std::exchange(Asker(), std::move(asker)); }
