#include "app/splash_window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace {

// A screen this small in both directions gets the splash over all of it.
constexpr int kSmallScreenWidth = 800;
constexpr int kSmallScreenHeight = 600;

// A low-pass amplitude response and a decaying impulse response, as ornaments.
void DrawCurves(QPainter& p, const QRectF& area) {
  p.setPen(QPen(QColor(120, 200, 140), 3));
  QPainterPath response;
  for (int i = 0; i <= 200; ++i) {
    const double w = i / 200.0;
    const double gain = 1.0 / std::sqrt(1.0 + std::pow(w / 0.35, 12));
    const QPointF point(area.left() + w * area.width(), area.bottom() - gain * area.height() * 0.8);
    i == 0 ? response.moveTo(point) : response.lineTo(point);
  }
  p.drawPath(response);
  p.setPen(QPen(QColor(130, 170, 255), 2));
  p.setBrush(QColor(130, 170, 255));
  const double base = area.bottom();
  for (int n = 0; n < 24; ++n) {
    const double x = area.left() + area.width() * (0.55 + n * 0.018);
    const double h = std::exp(-n / 5.0) * std::cos(n * 0.9) * area.height() * 0.45;
    p.drawLine(QPointF(x, base - area.height() * 0.3), QPointF(x, base - area.height() * 0.3 - h));
    p.drawEllipse(QPointF(x, base - area.height() * 0.3 - h), 2.5, 2.5);
  }
}

}  // namespace

SplashPicture::SplashPicture(QWidget* parent) : QWidget(parent) {}

void SplashPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r = rect();
  QLinearGradient sky(r.topLeft(), r.bottomRight());
  sky.setColorAt(0, QColor(18, 34, 74));
  sky.setColorAt(1, QColor(42, 86, 140));
  p.fillRect(r, sky);
  DrawCurves(p, QRectF(r.left() + r.width() * 0.08, r.top() + r.height() * 0.45, r.width() * 0.84, r.height() * 0.42));

  p.setPen(Qt::white);
  QFont title("Liberation Serif");
  title.setPixelSize(static_cast<int>(r.height() * 0.16));
  title.setBold(true);
  title.setItalic(true);
  p.setFont(title);
  p.drawText(QRectF(r.left(), r.top() + r.height() * 0.08, r.width(), r.height() * 0.2), Qt::AlignCenter, "Вельмар");
  QFont subtitle("Liberation Sans");
  subtitle.setPixelSize(static_cast<int>(r.height() * 0.045));
  p.setFont(subtitle);
  p.setPen(QColor(210, 225, 250));
  p.drawText(QRectF(r.left(), r.top() + r.height() * 0.29, r.width(), r.height() * 0.08), Qt::AlignCenter,
             "Исследование линейных цифровых фильтров");
  QFont note("Liberation Sans");
  note.setPixelSize(static_cast<int>(r.height() * 0.028));
  p.setFont(note);
  p.setPen(QColor(170, 190, 225));
  p.drawText(r.adjusted(0, 0, -16, -10), Qt::AlignRight | Qt::AlignBottom, "Нажмите любую клавишу");
}

void SplashPicture::mousePressEvent(QMouseEvent*) { emit Clicked(); }

THelloForm::THelloForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setAttribute(Qt::WA_DeleteOnClose);
  // Closing the main window ends the program even while the splash is up.
  setAttribute(Qt::WA_QuitOnClose, false);
  setObjectName("HelloForm");
  setCursor(Qt::BusyCursor);
  setToolTip("Нажмите любую клавишу");
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Window);
  Image1 = new SplashPicture(this);
  Timer1 = new QTimer(this);
  Timer1->setInterval(kLifetimeMs);
  Timer1->setSingleShot(true);
  connect(Timer1, &QTimer::timeout, this, &THelloForm::Timer1Timer);
  connect(Image1, &SplashPicture::Clicked, this, &THelloForm::FormClick);
  // The picture covers the window: its first drawing is the window's first drawing.
  Image1->installEventFilter(this);
  // Keys and modal windows anywhere in the program concern the splash.
  QCoreApplication::instance()->installEventFilter(this);
  FormCreate();
}

void THelloForm::FormCreate() {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  if (screen.width() < kSmallScreenWidth && screen.height() < kSmallScreenHeight) {
    setGeometry(screen);
    Image1->setGeometry(0, 0, screen.width() - 2, screen.height() - 2);
    setWindowState(Qt::WindowMaximized);
  } else {
    resize(kWidth, kHeight);
    Image1->setGeometry(0, 0, kWidth, kHeight);
    move(screen.center() - rect().center());
  }
}

void THelloForm::paintEvent(QPaintEvent*) { FormPaint(); }

void THelloForm::FormPaint() {
  if (!first_paint_) return;
  first_paint_ = false;
  Timer1->start();
}

void THelloForm::mousePressEvent(QMouseEvent*) { FormClick(); }

bool THelloForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Image1 && event->type() == QEvent::Paint) FormPaint();
  switch (event->type()) {
    case QEvent::KeyPress:
      // The key still goes where it was aimed.
      if (isVisible()) FormKeyPress();
      break;
    case QEvent::Show:
      // Before the window reaches the screen.
      if (isVisible() && IsOtherModalWindow(watched)) Lift(static_cast<QWidget*>(watched));
      break;
    case QEvent::Hide:
      if (IsOtherModalWindow(watched)) Lower(static_cast<QWidget*>(watched));
      break;
    default: break;
  }
  return QWidget::eventFilter(watched, event);
}

void THelloForm::closeEvent(QCloseEvent* event) {
  for (const QPointer<QWidget>& window : std::vector<QPointer<QWidget>>(lifted_)) {
    if (window) Lower(window);
  }
  QWidget::closeEvent(event);
}

bool THelloForm::IsOtherModalWindow(QObject* object) const {
  const auto* widget = qobject_cast<QWidget*>(object);
  return widget != nullptr && widget != this && widget->isWindow() && widget->isModal();
}

void THelloForm::Lift(QWidget* window) {
  QWindow* handle = window->windowHandle();
  if (handle == nullptr || handle->flags().testFlag(Qt::WindowStaysOnTopHint)) return;
  handle->setFlag(Qt::WindowStaysOnTopHint, true);
  lifted_.emplace_back(window);
}

void THelloForm::Lower(QWidget* window) {
  const auto found = std::find(lifted_.begin(), lifted_.end(), window);
  if (found == lifted_.end()) return;
  lifted_.erase(found);
  if (QWindow* handle = window->windowHandle()) handle->setFlag(Qt::WindowStaysOnTopHint, false);
}

void THelloForm::FormKeyPress() { close(); }

void THelloForm::FormClick() { close(); }

void THelloForm::Timer1Timer() {
  Timer1->stop();
  close();
}
