#pragma once
// The splash window: shown while the program's windows are created, it closes itself ten
// seconds after it was first drawn, or at a click or a key pressed in any window of the program.
// It stays on top of other windows; the program's modal windows (the analysis window, messages,
// dialogs) opened meanwhile stay on top as well while it lives, and come over it.

#include <QPointer>
#include <QWidget>
#include <vector>

class QTimer;

// The picture of the splash window, drawn at any size.
class SplashPicture : public QWidget {
  Q_OBJECT

 public:
  explicit SplashPicture(QWidget* parent = nullptr);

 signals:
  void Clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
};

class THelloForm : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 792;
  static constexpr int kHeight = 573;
  static constexpr int kLifetimeMs = 10000;

  explicit THelloForm(QWidget* parent = nullptr);

  SplashPicture* Image1;
  QTimer* Timer1;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  void FormPaint();
  void FormClick();
  void FormKeyPress();
  void Timer1Timer();
  bool IsOtherModalWindow(QObject* object) const;
  // A modal window about to be shown stays on top too, so that it comes over the splash.
  void Lift(QWidget* window);
  // Back to an ordinary window: it has been hidden, or the splash goes.
  void Lower(QWidget* window);

  bool first_paint_ = true;
  std::vector<QPointer<QWidget>> lifted_;
};
