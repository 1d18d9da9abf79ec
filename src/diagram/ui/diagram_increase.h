#pragma once
// The enlarged view: one maximised modal window that shows any diagram large, with a tool bar, a
// menu, spin buttons and a read-out of the pointer's coordinates. It links the diagram's series
// instead of copying them, and on closing hands its view range back to the diagram.

#include <QDialog>
#include <functional>

#include "diagram/graphics.h"

class QAction;
class QLabel;
class QScrollArea;
class QToolButton;
class TDiagram;
class TDiagramCore;
class TUpDown;

class TDiagramIncrease : public QDialog {
  Q_OBJECT

 public:
  explicit TDiagramIncrease(QWidget* parent = nullptr);
  ~TDiagramIncrease() override;

  // Shows `source` enlarged until the window is closed and returns the modal result; without a
  // source only forgets the former one and returns 0.
  int ShowFor(TDiagramCore* source);
  // Takes the source's look, limits, range and pictures and links its series behind its own base.
  void CopyFrom(TDiagramCore* source);
  // Hands the view range back to the source and unlinks its series.
  void WriteBack();

  // How ShowFor waits for the window; exec() unless a test replaces it (to show it modelessly).
  void SetModalRunner(std::function<int()> runner) { modal_runner_ = std::move(runner); }

  TDiagramCore* Source() const { return source_; }

  TDiagram* Diagram1;
  QToolButton* SpeedButtonMeasure;
  QToolButton* SpeedButtonLimit;
  QToolButton* SpeedButtonRetLim;
  QToolButton* SpeedButton1;  // do not draw the series while a spin button is held
  QToolButton* SpeedButtonBmp;
  QToolButton* SpeedButtonCopy;
  QToolButton* SpeedButtonClose;
  QLabel* Panel2;
  QScrollArea* ScrollBox1;
  TUpDown* UpDown1;  // Ymax
  TUpDown* UpDown2;  // Ymin
  TUpDown* UpDown3;  // Xmin
  TUpDown* UpDown4;  // Xmax
  QAction* MenuMeasure;
  QAction* MenuLimits;
  QAction* MenuSaveData;  // "Сохранить данные..."
  QAction* MenuCopyData;  // "Копировать данные"

 public slots:
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenu();
  void BuildToolBar();
  void ToggleFeeler();
  void ToggleSpinButtons();
  void ReturnToInitialRange();
  // The samples of the diagram's series: CSV into a file the user names, tabbed text to the clipboard.
  void SaveData();
  void CopyData();
  // Fits the diagram into the scroll box and puts the spin buttons at its axes' ends.
  void LayoutDiagram();
  void PlaceSpinButtons();
  void ShowCoordinates(int x, int y);

  bool first_show_pending_ = true;
  TDiagramCore* source_ = nullptr;
  double initial_xmin_ = -1;
  double initial_xmax_ = 1;
  double initial_ymin_ = -1;
  double initial_ymax_ = 1;
  std::function<int()> modal_runner_;
};
