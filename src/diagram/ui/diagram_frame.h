#pragma once
// A diagram ready to be placed in any window: the diagram fills the frame; a small tool panel shows
// up in the net's top-right corner when the mouse moves over it, and four spin buttons at the ends
// of the axes move the view range step by step.

#include <QFrame>
#include <QWidget>

#include "diagram/graphics.h"
#include "diagram/ui/tool_glyphs.h"

class QToolButton;
class TDiagram;
class TDiagramCore;
class TUpDown;

class TDiagramIncrease;

class TDiagramFrame : public QWidget {
  Q_OBJECT

 public:
  explicit TDiagramFrame(QWidget* parent = nullptr);

  // Records the diagram's present range as the one "Исходные пределы" returns to.
  void SaveRange();
  // Puts the panel at the top right corner of the diagram's net and the spin buttons at the ends
  // of its axes, outside the diagram.
  void PlaceControls();
  // Hides the tools and ends their suppression by a right click.
  void HideTools();
  // Shows the panel (and, with "Пределы" down, the spin buttons) unless a right click suppressed them.
  void ShowTools();
  bool ToolsSuppressed() const { return tools_suppressed_; }
  // Fits the diagram to the frame's present size and paints its picture, shown or not: a hidden
  // frame, which takes its new size only when shown, is then shown without drawing.
  void PaintAhead();
  // The window "Увеличить" opens the diagram in; not owned. Without one the button does nothing.
  void SetEnlargedView(TDiagramIncrease* view) { enlarged_view_ = view; }

  // The diagram's mouse-move handler; a window that takes the diagram's handler over calls it.
  void DiagramMouseMove(TDiagramCore* sender, TShiftState shift, int x, int y);

  TDiagram* Diagram;
  QFrame* Panel;
  QToolButton* SpeedButtonMeasure;
  QToolButton* SpeedButtonSave;
  QToolButton* SpeedButtonCopy;
  QToolButton* SpeedButtonIncrease;
  QToolButton* SpeedButtonLim;
  QToolButton* SpeedButtonRetLim;
  TUpDown* UpDown1;  // Ymax
  TUpDown* UpDown2;  // Ymin
  TUpDown* UpDown3;  // Xmin
  TUpDown* UpDown4;  // Xmax

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The diagram fills the frame, less a strip for the spin buttons while "Пределы" is down.
  void LayoutDiagram();
  void ToggleFeeler();
  void DiagramMouseDown(Qt::MouseButton button);
  void ToggleSpinButtons();
  void ReturnToSavedRange();
  void OpenEnlargedView();
  QToolButton* MakeButton(int x, const char* hint, TToolGlyph glyph, bool toggle);

  double initial_xmin_ = -1;
  double initial_xmax_ = 1;
  double initial_ymin_ = -1;
  double initial_ymax_ = 1;
  bool tools_suppressed_ = false;
  TDiagramIncrease* enlarged_view_ = nullptr;
};
