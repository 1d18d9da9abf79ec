#include "platform/ui/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QStringList>
#include <QTreeView>
#include <utility>

#include "platform/ui/modal.h"

namespace {

FileNameAsker& Asker() {
  static FileNameAsker asker;
  return asker;
}

// The size, type and date columns of the file list in Russian. The file model writes sizes and
// dates in the process's locale and names folders and drives in English whatever the translations
// say; the types of files it takes from the MIME database in the default locale's language.
class RussianFileColumns : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || files == nullptr) return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    const QFileInfo info = files->fileInfo(source);
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    switch (index.column()) {
      case kSizeColumn:
        return info.isDir() ? QString() : russian.formattedDataSize(info.size());
      case kTypeColumn:
        if (info.isRoot()) return QStringLiteral("Диск");
        if (info.isDir()) return QStringLiteral("Папка");
        return QIdentityProxyModel::data(index, role);
      case kDateColumn:
        return russian.toString(files->lastModified(source), QLocale::ShortFormat);
      default:
        return QIdentityProxyModel::data(index, role);
    }
  }

 private:
  static constexpr int kSizeColumn = 1;
  static constexpr int kTypeColumn = 2;
  static constexpr int kDateColumn = 3;
};

// The file list's columns wide enough for a size, a type and a date written in Russian.
void FitFileColumns(QFileDialog& dialog) {
  auto* view = dialog.findChild<QTreeView*>("treeView");
  if (view == nullptr) return;
  const QFontMetrics metrics(view->font());
  const int margin = 3 * metrics.horizontalAdvance('0');
  view->header()->resizeSection(1, metrics.horizontalAdvance("1000 байты") + margin);
  view->header()->resizeSection(2, metrics.horizontalAdvance("Изображение Windows BMP") + margin);
  view->header()->resizeSection(3, metrics.horizontalAdvance("00.00.0000 00:00") + margin);
}

// The index of the filter chosen. With the details hidden the dialog gives the chosen filter
// without its patterns, and two filters may have the same patterns.
int ChosenFilter(const QFileDialog& dialog) {
  const QString chosen = dialog.selectedNameFilter();
  const QStringList filters = dialog.nameFilters();
  for (qsizetype i = 0; i < filters.size(); ++i)
    if (filters[i] == chosen || filters[i].startsWith(chosen + " (")) return static_cast<int>(i);
  return 0;
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
  const std::optional<FileDialogChoice> choice = AskFileAndFilter(parent, request);
  if (!choice) return std::nullopt;
  return choice->name;
}

std::optional<FileDialogChoice> AskFileAndFilter(QWidget* parent, const FileDialogRequest& request) {
  if (Asker()) {
    std::optional<std::string> name = Asker()(request);
    if (!name) return std::nullopt;
    return FileDialogChoice{std::move(*name), 0};
  }
  const bool save = request.mode == FileDialogRequest::Mode::kSave;
  QFileDialog dialog(parent, QString::fromStdString(request.title.empty() ? (save ? "Сохранить" : "Открыть")
                                                                          : request.title));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setProxyModel(new RussianFileColumns(&dialog));
  dialog.resize(dialog.sizeHint().expandedTo(QSize(840, 480)));
  FitFileColumns(dialog);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
  dialog.setNameFilters(NameFilters(request.filter));
  dialog.setDefaultSuffix(QString::fromStdString(request.default_extension));
  dialog.selectFile(QString::fromStdString(request.file_name));
  if (RunModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FileDialogChoice{QDir::toNativeSeparators(dialog.selectedFiles().first()).toStdString(),
                          ChosenFilter(dialog)};
}

FileNameAsker SetFileNameAsker(FileNameAsker asker) { return std::exchange(Asker(), std::move(asker)); }
