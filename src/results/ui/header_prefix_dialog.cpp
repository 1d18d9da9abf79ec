#include "results/ui/header_prefix_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "platform/ui/modal.h"
#include "results/coefficient_export.h"

THeaderPrefixDialog::THeaderPrefixDialog(const std::string& proposed, CoefficientLayout layout, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), layout_(layout) {
  setObjectName("HeaderPrefixDialog");
  setWindowTitle("Экспорт в C");
  LabelPrefix = new QLabel("Префикс имён массивов и макросов в заголовке:");
  EditPrefix = new QLineEdit(QString::fromStdString(proposed));
  EditPrefix->setObjectName("EditPrefix");
  // A Latin letter, then letters, digits and single underscores: what IsHeaderPrefix accepts.
  EditPrefix->setValidator(
      new QRegularExpressionValidator(QRegularExpression("[A-Za-z](_?[A-Za-z0-9])*_?"), EditPrefix));
  LabelPrefix->setBuddy(EditPrefix);
  LabelNames = new QLabel;
  LabelNames->setEnabled(false);  // a hint, in the paler colour
  LabelNames->setWordWrap(true);
  ButtonOk = new QPushButton("Сохранить");
  ButtonOk->setDefault(true);
  ButtonCancel = new QPushButton("Отмена");
  connect(EditPrefix, &QLineEdit::textChanged, this, &THeaderPrefixDialog::EditPrefixChange);
  connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ButtonOk);
  buttons->addWidget(ButtonCancel);
  auto* column = new QVBoxLayout(this);
  column->addWidget(LabelPrefix);
  column->addWidget(EditPrefix);
  column->addWidget(LabelNames);
  column->addLayout(buttons);
  EditPrefixChange();
  setFixedWidth(440);
}

std::string THeaderPrefixDialog::Prefix() const { return EditPrefix->text().toStdString(); }

void THeaderPrefixDialog::EditPrefixChange() {
  const std::string prefix = Prefix();
  const bool usable = IsHeaderPrefix(prefix);
  ButtonOk->setEnabled(usable);
  const std::string names = layout_ == CoefficientLayout::kSections
                                ? prefix + "_sos, " + prefix + "_SECTION_COUNT"
                                : prefix + "_numerator, " + prefix + "_denominator, " + prefix + "_NUMERATOR_LENGTH";
  LabelNames->setText(
      QString::fromStdString(usable ? "Имена: " + names : "Введите имя, начинающееся с латинской буквы"));
}

std::optional<std::string> AskHeaderPrefix(const std::string& proposed, CoefficientLayout layout, QWidget* parent) {
  THeaderPrefixDialog dialog(proposed, layout, parent);
  if (RunModal(dialog) != QDialog::Accepted || !IsHeaderPrefix(dialog.Prefix())) return std::nullopt;
  return dialog.Prefix();
}
