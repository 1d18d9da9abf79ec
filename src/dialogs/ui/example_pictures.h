#pragma once
// The large example pictures of the filter library's pages: a typical amplitude response of each
// recursive design with the notation of its fields, and a typical impulse response of each
// non-recursive design with its window's formula; each in the band type of its page.

#include <QWidget>

#include "filter/band_type.h"

// Maps a rectangle of values onto a rectangle of pixels (y grows upwards).
class PlotMap {
 public:
  PlotMap(QRectF pixels, double x0, double x1, double y0, double y1)
      : pixels_(pixels), x0_(x0), y0_(y0), sx_(pixels.width() / (x1 - x0)), sy_(pixels.height() / (y1 - y0)) {}
  QPointF operator()(double x, double y) const {
    return {pixels_.left() + (x - x0_) * sx_, pixels_.bottom() - (y - y0_) * sy_};
  }
  const QRectF& Pixels() const { return pixels_; }

 private:
  QRectF pixels_;
  double x0_, y0_;
  double sx_, sy_;  // pixels per unit
};

class ExamplePicture : public QWidget {
 public:
  ExamplePicture(const QString& hint, QWidget* parent);
  QSize sizeHint() const override { return {280, 300}; }
  QSize minimumSizeHint() const override { return sizeHint(); }
};

// |H(e^jωT)| over 0 … π with the pass-band and stop-band edges and levels marked.
class AmplitudeExample : public ExamplePicture {
 public:
  enum class Kind { kButterworth, kChebyshev };
  AmplitudeExample(Kind kind, QWidget* parent = nullptr);
  void SetBand(BandType band);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Kind kind_;
  BandType band_ = BandType::kLowPass;
};

// h(n) over n = 0 … N as stems, the window's outline, and the window's formula under them.
class ImpulseExample : public ExamplePicture {
 public:
  enum class Kind { kWindowed, kFrequencySampling };
  ImpulseExample(Kind kind, QWidget* parent = nullptr);
  void SetBand(BandType band);
  void SetWindow(FirWindow window);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Kind kind_;
  BandType band_ = BandType::kLowPass;
  FirWindow window_ = FirWindow::kRectangular;
};
