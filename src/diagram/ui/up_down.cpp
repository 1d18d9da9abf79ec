#include "diagram/ui/up_down.h"

#include <QEvent>
#include <QToolButton>

#include "diagram/diagram_core.h"

namespace {

// A held arrow starts repeating after this delay, then repeats at this interval (ms).
constexpr int kRepeatDelay = 350;
constexpr int kRepeatInterval = 50;

}  // namespace

TUpDown::TUpDown(Qt::Orientation orientation, QWidget* parent) : QWidget(parent) {
  if (orientation == Qt::Vertical) {
    setFixedSize(16, 30);
    increase_ = MakeArrow(Qt::UpArrow, QRect(0, 0, 16, 15));
    reduce_ = MakeArrow(Qt::DownArrow, QRect(0, 15, 16, 15));
  } else {
    setFixedSize(30, 16);
    reduce_ = MakeArrow(Qt::LeftArrow, QRect(0, 0, 15, 16));
    increase_ = MakeArrow(Qt::RightArrow, QRect(15, 0, 15, 16));
  }
  connect(increase_, &QToolButton::clicked, this, &TUpDown::Increased);
  connect(reduce_, &QToolButton::clicked, this, &TUpDown::Reduced);
}

QToolButton* TUpDown::MakeArrow(Qt::ArrowType arrow, const QRect& place) {
  auto* button = new QToolButton(this);
  button->setArrowType(arrow);
  button->setGeometry(place);
  button->setAutoRepeat(true);
  button->setAutoRepeatDelay(kRepeatDelay);
  button->setAutoRepeatInterval(kRepeatInterval);
  button->setFocusPolicy(Qt::NoFocus);
  button->installEventFilter(this);
  return button;
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event) {
  if (watched == increase_ || watched == reduce_) {
    if (event->type() == QEvent::MouseButtonPress) emit Pressed();
    if (event->type() == QEvent::MouseButtonRelease) emit Released();
  }
  return QWidget::eventFilter(watched, event);
}

void ConnectAxisSpins(const TAxisSpins& spins, TDiagramCore* d, QObject* context, std::function<void()> after) {
  struct End {
    TUpDown* spin;
    std::function<void()> increase;
    std::function<void()> reduce;
  };
  const End ends[] = {
      {spins.ymax, [d] { d->IncreaseYmax(); }, [d] { d->ReduceYmax(); }},
      {spins.ymin, [d] { d->IncreaseYmin(); }, [d] { d->ReduceYmin(); }},
      {spins.xmin, [d] { d->IncreaseXmin(); }, [d] { d->ReduceXmin(); }},
      {spins.xmax, [d] { d->IncreaseXmax(); }, [d] { d->ReduceXmax(); }},
  };
  for (const End& end : ends) {
    QObject::connect(end.spin, &TUpDown::Increased, context, [step = end.increase, after] {
      step();
      if (after) after();
    });
    QObject::connect(end.spin, &TUpDown::Reduced, context, [step = end.reduce, after] {
      step();
      if (after) after();
    });
  }
}
