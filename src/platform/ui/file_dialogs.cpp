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
#include <algorithm>
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
      case kSizeColumn: return info.isDir() ? QString() : russian.formattedDataSize(info.size());
      case kTypeColumn:
        if (info.isRoot()) return QStringLiteral("Диск");
        if (info.isDir()) return QStringLiteral("Папка");
        return QIdentityProxyModel::data(index, role);
      case kDateColumn: return russian.toString(files->lastModified(source), QLocale::ShortFormat);
      default: return QIdentityProxyModel::data(index, role);
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

// The number of the filter the dialog shows as `shown`: whole, or its description alone (as
// it names it with its details hidden); -1 for none.
qsizetype FilterIndex(const std::string& filter, const QString& shown) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  const QStringList whole = NameFilters(filter);
  for (qsizetype i = 0; i < whole.size(); ++i) {
    if (shown == whole[i] || shown == parts[2 * i]) return i;
  }
  return -1;
}

// The extension of the first pattern ("*.png") of filter number `index`; empty when it has none.
QString FilterExtension(const std::string& filter, qsizetype index) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  if (index < 0 || 2 * index + 1 >= parts.size()) return {};
  const QString first = parts[2 * index + 1].split(';').first().trimmed();
  return first.startsWith("*.") && first.indexOf('*', 2) < 0 ? first.mid(2) : QString();
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
  QFileDialog dialog(parent,
                     QString::fromStdString(request.title.empty() ? (save ? "Сохранить" : "Открыть") : request.title));
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
  // A name typed without an extension takes the one of the filter chosen last (the dialog itself
  // changes an extension that is there).
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& shown) {
    const QString extension = FilterExtension(request.filter, FilterIndex(request.filter, shown));
    if (!extension.isEmpty()) dialog.setDefaultSuffix(extension);
  });
  dialog.selectFile(QString::fromStdString(request.file_name));
  if (RunModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FileDialogChoice{QDir::toNativeSeparators(dialog.selectedFiles().first()).toStdString(),
                          std::max<int>(0, static_cast<int>(FilterIndex(request.filter, dialog.selectedNameFilter())))};
}

FileNameAsker SetFileNameAsker(FileNameAsker asker) { return std::exchange(Asker(), std::move(asker)); }
