#include "results/ui/formula_pictures.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>
#include <vector>

namespace {

constexpr int kPixelSize = 16;
constexpr int kExponentPixelSize = 11;
constexpr int kExponentRise = 6;

// A piece of a formula: text on the base line or raised as an exponent.
struct Piece {
  QString text;
  bool exponent = false;
};

std::vector<Piece> Pieces(Formula formula) {
  switch (formula) {
    case Formula::kAngularFrequency: return {{"ωT"}};
    case Formula::kCyclicFrequency: return {{"fT"}};
    case Formula::kAmplitudeResponse: return {{"|H(e"}, {"jωT", true}, {")|"}};
    case Formula::kPhaseResponse: return {{"ψ(ωT), рад"}};
    case Formula::kInputSpectrum: return {{"X(e"}, {"jωT", true}, {")"}};
    case Formula::kOutputSpectrum: return {{"Y(e"}, {"jωT", true}, {")"}};
    case Formula::kGroupDelay: return {{"τ(ωT), тактов"}};
  }
  return {};
}

QFont PieceFont(bool exponent) {
  QFont font("Liberation Serif");
  font.setPixelSize(exponent ? kExponentPixelSize : kPixelSize);
  font.setBold(true);
  font.setItalic(true);
  return font;
}

}  // namespace

TBitmap FormulaPicture(Formula formula) {
  const std::vector<Piece> pieces = Pieces(formula);
  const QFontMetrics base(PieceFont(false));
  int width = 2;
  for (const Piece& piece : pieces) width += QFontMetrics(PieceFont(piece.exponent)).horizontalAdvance(piece.text);
  const int height = base.height() + kExponentRise / 2;

  QImage image(width + 2, height, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::black);
    int x = 1;
    const int baseline = kExponentRise / 2 + base.ascent();
    for (const Piece& piece : pieces) {
      const QFont font = PieceFont(piece.exponent);
      p.setFont(font);
      p.drawText(x, piece.exponent ? baseline - kExponentRise : baseline, piece.text);
      x += QFontMetrics(font).horizontalAdvance(piece.text);
    }
  }
  TBitmap bitmap;
  bitmap.Width = image.width();
  bitmap.Height = image.height();
  bitmap.Pixels.reserve(static_cast<std::size_t>(bitmap.Width) * bitmap.Height);
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    bitmap.Pixels.insert(bitmap.Pixels.end(), row, row + image.width());
  }
  return bitmap;
}
