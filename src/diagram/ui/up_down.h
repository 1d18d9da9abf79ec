#pragma once
// A pair of arrow buttons without a value of its own, as at the ends of a diagram's axes: each
// click (repeated while an arrow is held) asks to increase or reduce.

#include <QWidget>
#include <functional>

class QToolButton;
class TDiagramCore;

class TUpDown : public QWidget {
  Q_OBJECT

 public:
  // Vertical: 16 × 30, up arrow above; horizontal: 30 × 16, right arrow on the right.
  TUpDown(Qt::Orientation orientation, QWidget* parent);

  // The up or right arrow, and the down or left one.
  QToolButton* IncreaseButton() const { return increase_; }
  QToolButton* ReduceButton() const { return reduce_; }

 signals:
  void Increased();
  void Reduced();
  // A mouse button went down on either arrow, or came up again (once per hold, not per repeat).
  void Pressed();
  void Released();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QToolButton* MakeArrow(Qt::ArrowType arrow, const QRect& place);

  QToolButton* increase_;
  QToolButton* reduce_;
};

// The four spin buttons at the ends of a diagram's axes.
struct TAxisSpins {
  TUpDown* ymax;
  TUpDown* ymin;
  TUpDown* xmin;
  TUpDown* xmax;
};

// Makes each spin button move its end of the diagram's view range (up or right: Increase…, down or
// left: Reduce…); `after`, if given, runs after every step.
void ConnectAxisSpins(const TAxisSpins& spins, TDiagramCore* diagram, QObject* context, std::function<void()> after);
