#pragma once
// The diagram as a window control: it owns a picture of its own size, lays itself out anew on
// every resize, follows the mouse with the feeler and exports the picture in print mode. The
// picture is painted when it is needed (shown, read, drawn on): once for all the changes of an
// event, and not at all while the diagram is hidden.

#include <QImage>
#include <QWidget>
#include <optional>
#include <string>

#include "diagram/diagram_core.h"
#include "diagram/picture_file.h"

class TQtCanvas;

class TDiagram : public QWidget, public TDiagramCore {
  Q_OBJECT

 public:
  explicit TDiagram(QWidget* parent = nullptr);

  // The picture of the diagram as it stands.
  const QImage& Picture();
  // Lays the diagram out at the control's present size and paints it, shown or not, so that
  // showing it later only copies the picture.
  void PaintAhead();
  // Puts the print-mode picture on the clipboard.
  void CopyToClipboard();
  // Asks for a file name and format (BMP, PNG or SVG) and saves the print-mode picture there.
  void SaveBmpFile();
  // Saves the print-mode picture under the chosen name, in the format its extension names, else
  // the chosen one (CorrectPictureFileName corrects the name, with a message). PNG is written at
  // the screen's pixel ratio. The file is replaced only once the whole picture is written; a
  // failure is told with the file's name and the reason. Returns whether the file was written.
  bool SavePictureFile(const TPictureChoice& chosen);
  bool SaveBmpFile(const std::string& name) { return SavePictureFile({name, TPictureFormat::kBmp}); }
  // The print-mode picture as the bytes of a file of the format, a PNG at the given pixel ratio;
  // nothing, with Qt's reason, when it cannot be encoded.
  std::optional<std::string> PrintModePicture(TPictureFormat format, qreal pixel_ratio, QString& problem);

 signals:
  // A left click (press and release on the diagram).
  void Clicked();
  void MouseDown(Qt::MouseButton button, int x, int y);
  void MouseUp(Qt::MouseButton button, int x, int y);
  // The diagram has been redrawn at a new size.
  void Resized();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool PaintsLater() const override { return true; }
  void PictureChanged() override;
  void PictureOutdated() override;
  void CursorChanged() override;
  int MarginOrigin() const override;

 private:
  TQtCanvas* canvas_;
  bool left_pressed_ = false;
  bool in_paint_event_ = false;
};
