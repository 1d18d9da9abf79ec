#include "dialogs/ui/arbitrary_filter_dialog.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/ui/block_diagram_picture.h"
#include "dialogs/ui/table_editor.h"
#include "platform/ui/modal.h"

namespace {

QFrame* PicturePanel(QWidget* parent, BlockDiagramPicture* picture, const char* hint) {
  auto* panel = new QFrame(parent);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(2);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(2, 2, 2, 2);
  picture->setParent(panel);
  picture->setToolTip(hint);
  layout->addWidget(picture);
  // The pressed look: the panel sinks while the button is held on its picture.
  QObject::connect(picture, &BlockDiagramPicture::MouseDown, panel, [panel] { panel->setFrameShadow(QFrame::Sunken); });
  QObject::connect(picture, &BlockDiagramPicture::MouseUp, panel, [panel] { panel->setFrameShadow(QFrame::Raised); });
  return panel;
}

}  // namespace

TInputForm::TInputForm(ArbitraryFilterRequest& request, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      request_(request) {
  setObjectName("InputForm");
  setWindowTitle("Параметры цифрового фильтра");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(8);

  auto* menu_bar = new QMenuBar(this);
  QMenu* menu = menu_bar->addMenu("Фильтр");
  menu->addAction("Анализ", this, &TInputForm::Button1Click);
  menu->addSeparator();
  menu->addAction("Коэффициенты нерекурсивной части", this, &TInputForm::Image1Click);
  menu->addAction("Коэффициенты рекурсивной части", this, &TInputForm::Image2Click);
  menu->addSeparator();
  menu->addAction("Закрыть", this, &TInputForm::N7Click);
  layout->setMenuBar(menu_bar);

  Image1 = new BlockDiagramPicture(FilterStructure::kNonRecursive);
  Panel1 = PicturePanel(this, Image1, "Изменить коэффициенты нерекурсивной части");
  Image2 = new BlockDiagramPicture(FilterStructure::kRecursive);
  Panel2 = PicturePanel(this, Image2, "Изменить коэффициенты рекурсивной части");
  layout->addWidget(Panel1, 1);
  layout->addWidget(Panel2, 1);

  Button1 = new QPushButton("Анализ", this);
  Button1->setToolTip("Анализ цифрового фильтра");
  Button1->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  buttons->addStretch();
  layout->addLayout(buttons);

  connect(Image1, &BlockDiagramPicture::Clicked, this, &TInputForm::Image1Click);
  connect(Image2, &BlockDiagramPicture::Clicked, this, &TInputForm::Image2Click);
  connect(Button1, &QPushButton::clicked, this, &TInputForm::Button1Click);
  setFixedSize(308, 355 + menu_bar->sizeHint().height());
}

void TInputForm::ShowModal() { RunModal(*this); }

void TInputForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TInputForm::SetTables(TTabEditorForm* a_table, TTabEditorForm* b_table) {
  a_table_ = a_table;
  b_table_ = b_table;
}

void TInputForm::FormShow() { request_.Show(a_table_->Model(), b_table_->Model()); }

void TInputForm::Button1Click() {
  if (request_.RequestAnalysis(a_table_->Model())) accept();
}

void TInputForm::Image1Click() { a_table_->ShowModal(); }

void TInputForm::Image2Click() { b_table_->ShowModal(); }

void TInputForm::N7Click() {
  request_.Close();
  reject();
}
