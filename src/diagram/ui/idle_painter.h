#pragma once
// Paints the pictures of hidden diagram frames while the program is idle: after the window has
// put its visible part on the screen, one frame at a time, so that input is never kept waiting
// for more than one picture, and showing a page later only copies its pictures.

#include <QObject>
#include <QTimer>
#include <vector>

class QWidget;
class TDiagramFrame;

class TIdlePainter : public QObject {
 public:
  // Watches the window's screen updates; the frames belong to the window.
  TIdlePainter(QWidget* window, std::vector<TDiagramFrame*> frames);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Paints the next hidden frame whose picture is out of date, if any, and comes back for more.
  void PaintNext();

  std::vector<TDiagramFrame*> frames_;
  QTimer next_;
};
