#include "diagram/ui/diagram_widget.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImageWriter>
#include <QMouseEvent>
#include <QPainter>
#include <memory>
#include <new>
#include <optional>

#include "diagram/picture_file.h"
#include "diagram/ui/picture_file_dialog.h"
#include "diagram/ui/qt_canvas.h"
#include "platform/atomic_file.h"
#include "platform/messages.h"

namespace {

TShiftState ShiftOf(const QMouseEvent* event) {
  TShiftState shift = 0;
  const Qt::KeyboardModifiers keys = event->modifiers();
  const Qt::MouseButtons buttons = event->buttons();
  if (keys & Qt::ShiftModifier) shift |= ssShift;
  if (keys & Qt::AltModifier) shift |= ssAlt;
  if (keys & Qt::ControlModifier) shift |= ssCtrl;
  if (buttons & Qt::LeftButton) shift |= ssLeft;
  if (buttons & Qt::RightButton) shift |= ssRight;
  if (buttons & Qt::MiddleButton) shift |= ssMiddle;
  return shift;
}

}  // namespace

TDiagram::TDiagram(QWidget* parent)
    : QWidget(parent),
      TDiagramCore(std::make_unique<TQtCanvas>()),
      canvas_(static_cast<TQtCanvas*>(&GetCanvas())) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  SetSize(width(), height());
  ShowDiagram();
}

const QImage& TDiagram::Picture() { return canvas_->Image(); }

void TDiagram::CopyToClipboard() {
  SetPrintMode();
  QGuiApplication::clipboard()->setImage(Picture());
  ResetPrintMode();
}

void TDiagram::SaveBmpFile() {
  std::optional<std::string> name;
  try {
    name = ChoosePictureFile(TPictureDialogSettings{}, this);
  } catch (const std::bad_alloc&) {
    ShowMessage("Не удаётся сохранить файл. Не достаточно памяти.");
    return;
  }
  if (name) SaveBmpFile(*name);
}

bool TDiagram::SaveBmpFile(const std::string& name) {
  const std::string corrected = CorrectBmpFileName(name);
  QString problem;
  const std::optional<std::string> bytes = PrintModeBmp(problem);
  if (!bytes) {
    ShowMessage(corrected + ":\n" + problem.toStdString());
    return false;
  }
  AtomicFileWriter file(corrected);
  file.Write(*bytes);
  if (!file.Commit()) {
    ShowMessage(file.FailureMessage(kCannotSavePictureMessage));
    return false;
  }
  return true;
}

std::optional<std::string> TDiagram::PrintModeBmp(QString& problem) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "bmp");
  SetPrintMode();
  const bool written = writer.write(Picture());
  ResetPrintMode();
  if (!written) {
    problem = writer.errorString();
    return std::nullopt;
  }
  return buffer.data().toStdString();
}

void TDiagram::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, Picture());
}

void TDiagram::resizeEvent(QResizeEvent*) {
  SetSize(width(), height());
  ShowDiagram();
  emit Resized();
}

void TDiagram::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  MouseMove(ShiftOf(event), at.x(), at.y());
  QWidget::mouseMoveEvent(event);
}

void TDiagram::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::LeftButton) left_pressed_ = true;
  emit MouseDown(event->button(), at.x(), at.y());
}

void TDiagram::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  emit MouseUp(event->button(), at.x(), at.y());
  if (event->button() == Qt::LeftButton && left_pressed_) {
    left_pressed_ = false;
    if (rect().contains(at)) emit Clicked();
  }
}

void TDiagram::PictureChanged() { update(); }

void TDiagram::CursorChanged() { setCursor(ToQCursor(GetCursor())); }
