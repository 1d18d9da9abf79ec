#include "diagram/ui/diagram_frame.h"

#include <QToolButton>

#include "diagram/ui/diagram_increase.h"
#include "diagram/ui/diagram_widget.h"
#include "diagram/ui/up_down.h"

namespace {

constexpr int kPanelWidth = 161;
constexpr int kPanelHeight = 29;

}  // namespace

TDiagramFrame::TDiagramFrame(QWidget* parent) : QWidget(parent) {
  Diagram = new TDiagram(this);
  Diagram->SetShowFeeler(false);
  Diagram->setGeometry(rect());

  Panel = new QFrame(this);
  Panel->setFrameShape(QFrame::Panel);
  Panel->setFrameShadow(QFrame::Raised);
  Panel->setAutoFillBackground(true);
  Panel->setFixedSize(kPanelWidth, kPanelHeight);
  SpeedButtonMeasure = MakeButton(8, "Измерения", TToolGlyph::Measure, true);
  SpeedButtonLim = MakeButton(32, "Пределы", TToolGlyph::Limits, true);
  SpeedButtonRetLim = MakeButton(56, "Исходные пределы", TToolGlyph::ReturnLimits, false);
  SpeedButtonIncrease = MakeButton(80, "Увеличение", TToolGlyph::Increase, false);
  SpeedButtonSave = MakeButton(104, "Сохранить рисунок", TToolGlyph::Save, false);
  SpeedButtonCopy = MakeButton(128, "Копировать в буфер обмена", TToolGlyph::Copy, false);
  Panel->hide();

  UpDown1 = new TUpDown(Qt::Vertical, this);
  UpDown2 = new TUpDown(Qt::Vertical, this);
  UpDown3 = new TUpDown(Qt::Horizontal, this);
  UpDown4 = new TUpDown(Qt::Horizontal, this);
  // The layout may change with the label widths, so the controls follow every step.
  ConnectAxisSpins({UpDown1, UpDown2, UpDown3, UpDown4}, Diagram, this, [this] { PlaceControls(); });
  for (TUpDown* spin : {UpDown1, UpDown2, UpDown3, UpDown4}) spin->hide();

  Diagram->SetOnMouseMove(
      [this](TDiagramCore* sender, TShiftState shift, int x, int y) { DiagramMouseMove(sender, shift, x, y); });
  connect(Diagram, &TDiagram::Clicked, this, &TDiagramFrame::ToggleFeeler);
  connect(Diagram, &TDiagram::MouseDown, this, [this](Qt::MouseButton button, int, int) { DiagramMouseDown(button); });
  connect(Diagram, &TDiagram::Resized, this, &TDiagramFrame::PlaceControls);
  connect(SpeedButtonMeasure, &QToolButton::clicked, this, &TDiagramFrame::ToggleFeeler);
  connect(SpeedButtonLim, &QToolButton::clicked, this, &TDiagramFrame::ToggleSpinButtons);
  connect(SpeedButtonRetLim, &QToolButton::clicked, this, &TDiagramFrame::ReturnToSavedRange);
  connect(SpeedButtonIncrease, &QToolButton::clicked, this, &TDiagramFrame::OpenEnlargedView);
  connect(SpeedButtonSave, &QToolButton::clicked, this, [this] { Diagram->SaveBmpFile(); });
  connect(SpeedButtonCopy, &QToolButton::clicked, this, [this] { Diagram->CopyToClipboard(); });

  SaveRange();
  tools_suppressed_ = false;
}

QToolButton* TDiagramFrame::MakeButton(int x, const char* hint, TToolGlyph glyph, bool toggle) {
  auto* button = new QToolButton(Panel);
  button->setGeometry(x, (kPanelHeight - 22) / 2, 23, 22);
  button->setAutoRaise(true);
  button->setCheckable(toggle);
  button->setToolTip(QString::fromUtf8(hint));
  button->setIcon(ToolGlyph(glyph));
  button->setIconSize(QSize(16, 16));
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

void TDiagramFrame::SaveRange() {
  initial_xmin_ = Diagram->GetXmin();
  initial_xmax_ = Diagram->GetXmax();
  initial_ymin_ = Diagram->GetYmin();
  initial_ymax_ = Diagram->GetYmax();
  PlaceControls();
}

void TDiagramFrame::LayoutDiagram() {
  // The spin buttons get a strip left of and below the diagram, so that they hide none of its
  // tick labels; without them the diagram fills the frame.
  if (SpeedButtonLim->isChecked()) {
    Diagram->setGeometry(UpDown1->width(), 0, width() - UpDown1->width(), height() - UpDown3->height());
  } else {
    Diagram->setGeometry(rect());
  }
}

void TDiagramFrame::PlaceControls() {
  const QPoint at = Diagram->pos();
  const int xb = at.x() + Diagram->Get_xb_net();
  const int xe = at.x() + Diagram->Get_xe_net();
  const int yb = at.y() + Diagram->Get_yb_net();
  const int ye = at.y() + Diagram->Get_ye_net();
  const int below = at.y() + Diagram->height();
  Panel->move(xe - Panel->width() - 10, yb + 10);
  UpDown1->move(at.x() - UpDown1->width(), yb);
  UpDown2->move(at.x() - UpDown2->width(), ye - UpDown2->height());
  UpDown3->move(xb, below);
  UpDown4->move(xe - UpDown4->width(), below);
}

void TDiagramFrame::PaintAhead() {
  LayoutDiagram();
  Diagram->PaintAhead();
}

void TDiagramFrame::HideTools() {
  Panel->hide();
  for (TUpDown* spin : {UpDown1, UpDown2, UpDown3, UpDown4}) spin->hide();
  tools_suppressed_ = false;
}

void TDiagramFrame::ShowTools() {
  if (tools_suppressed_ || !Panel->isHidden()) return;
  PlaceControls();  // the net may have moved since: a diagram sharing its margin widened it
  Panel->show();
  Panel->raise();
  if (!SpeedButtonLim->isChecked()) return;
  for (TUpDown* spin : {UpDown1, UpDown2, UpDown3, UpDown4}) {
    spin->show();
    spin->raise();
  }
}

void TDiagramFrame::DiagramMouseMove(TDiagramCore*, TShiftState, int, int) { ShowTools(); }

void TDiagramFrame::ToggleFeeler() {
  Diagram->SetShowFeeler(!Diagram->GetShowFeeler());
  SpeedButtonMeasure->setChecked(Diagram->GetShowFeeler());
}

void TDiagramFrame::DiagramMouseDown(Qt::MouseButton button) {
  if (button != Qt::RightButton) return;
  // A right click hides the tools until the next right click.
  if (tools_suppressed_) {
    tools_suppressed_ = false;
    ShowTools();
  } else {
    HideTools();
    tools_suppressed_ = true;
  }
}

void TDiagramFrame::ToggleSpinButtons() {
  const bool show = UpDown1->isHidden();
  for (TUpDown* spin : {UpDown1, UpDown2, UpDown3, UpDown4}) {
    spin->setVisible(show);
    if (show) spin->raise();
  }
  LayoutDiagram();
  PlaceControls();
}

void TDiagramFrame::ReturnToSavedRange() {
  Diagram->SetRangeX(initial_xmin_, initial_xmax_);
  Diagram->SetRangeY(initial_ymin_, initial_ymax_);
  PlaceControls();
}

void TDiagramFrame::OpenEnlargedView() {
  if (enlarged_view_ == nullptr) return;
  enlarged_view_->ShowFor(Diagram);
  PlaceControls();
}

// The diagram redraws itself at its new size and the controls follow it (TDiagram::Resized).
void TDiagramFrame::resizeEvent(QResizeEvent*) { LayoutDiagram(); }
