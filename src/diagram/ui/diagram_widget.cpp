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
#include "diagram/ui/svg_canvas.h"
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
    : QWidget(parent), TDiagramCore(std::make_unique<TQtCanvas>()), canvas_(static_cast<TQtCanvas*>(&GetCanvas())) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  SetSize(width(), height());
  ShowDiagram();
}

const QImage& TDiagram::Picture() {
  PaintIfOutdated();
  return canvas_->Image();
}

void TDiagram::PaintAhead() {
  if (width() != GetWidth() || height() != GetHeight()) {
    SetSize(width(), height());
    ShowDiagram();
  }
  PaintIfOutdated();
}

// Stacked diagrams lie in one window: its coordinates line their nets up, wherever each diagram
// sits in its frame (beside the spin buttons or not).
int TDiagram::MarginOrigin() const { return mapTo(window(), QPoint(0, 0)).x(); }

void TDiagram::CopyToClipboard() {
  SetPrintMode();
  QGuiApplication::clipboard()->setImage(Picture());
  ResetPrintMode();
}

void TDiagram::SaveBmpFile() {
  std::optional<TPictureChoice> chosen;
  try {
    chosen = ChoosePictureFile(TPictureDialogSettings{}, this);
  } catch (const std::bad_alloc&) {
    ShowMessage("Не удаётся сохранить файл. Не достаточно памяти.");
    return;
  }
  if (chosen) SavePictureFile(*chosen);
}

bool TDiagram::SavePictureFile(const TPictureChoice& chosen) {
  const TPictureChoice file_choice = CorrectPictureFileName(chosen);
  QString problem;
  const std::optional<std::string> bytes = PrintModePicture(file_choice.format, devicePixelRatioF(), problem);
  if (!bytes) {
    ShowMessage(file_choice.name + ":\n" + problem.toStdString());
    return false;
  }
  AtomicFileWriter file(file_choice.name);
  file.Write(*bytes);
  if (!file.Commit()) {
    ShowMessage(file.FailureMessage(kCannotSavePictureMessage));
    return false;
  }
  return true;
}

std::optional<std::string> TDiagram::PrintModePicture(TPictureFormat format, qreal pixel_ratio, QString& problem) {
  struct PrintModeWhileDrawing {
    TDiagram& d;
    explicit PrintModeWhileDrawing(TDiagram& diagram) : d(diagram) { d.SetPrintMode(); }
    ~PrintModeWhileDrawing() { d.ResetPrintMode(); }
  };
  const PrintModeWhileDrawing print_mode(*this);
  if (format == TPictureFormat::kSvg) {
    TSvgCanvas svg(QString::fromStdString(GetNameDiagram()));
    ShowDiagramOn(svg);
    const QByteArray document = svg.Document();
    if (document.isEmpty()) {
      problem = "Пустой рисунок";
      return std::nullopt;
    }
    return document.toStdString();
  }
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format == TPictureFormat::kPng ? "png" : "bmp");
  bool written = false;
  if (format == TPictureFormat::kPng) {
    // The same picture on the screen's pixels, which the file states as its resolution.
    TQtCanvas sharp(pixel_ratio);
    ShowDiagramOn(sharp);
    QImage image = sharp.Image();
    const int dots_per_metre = qRound(pixel_ratio * 96 / 0.0254);
    image.setDotsPerMeterX(dots_per_metre);
    image.setDotsPerMeterY(dots_per_metre);
    written = writer.write(image);
  } else {
    written = writer.write(Picture());
  }
  if (!written) {
    problem = writer.errorString();
    return std::nullopt;
  }
  return buffer.data().toStdString();
}

void TDiagram::paintEvent(QPaintEvent*) {
  in_paint_event_ = true;
  const QImage& picture = Picture();
  in_paint_event_ = false;
  QPainter painter(this);
  painter.drawImage(0, 0, picture);
}

void TDiagram::resizeEvent(QResizeEvent*) {
  // A hidden diagram may have been laid out at this size ahead of being shown (PaintAhead).
  if (width() != GetWidth() || height() != GetHeight()) {
    SetSize(width(), height());
    ShowDiagram();
  }
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

void TDiagram::PictureChanged() {
  if (!in_paint_event_) update();
}

void TDiagram::PictureOutdated() { update(); }

void TDiagram::CursorChanged() { setCursor(ToQCursor(GetCursor())); }
