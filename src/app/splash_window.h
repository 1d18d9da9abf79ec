#pragma once
// The splash window: shown while the program's windows are created, it closes itself ten
// seconds after it was first drawn, or at a click or a key pressed in any window of the program.
// It stays on top of other windows except while a modal window of the program is open: the
// analysis window, messages and dialogs come over it.

#include <QWidget>

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
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  void FormPaint();
  void FormClick();
  void FormKeyPress();
  void Timer1Timer();
  bool IsOtherModalWindow(QObject* object) const;
  void SetStayOnTop(bool on);

  bool first_paint_ = true;
};
