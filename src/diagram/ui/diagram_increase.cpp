#include "diagram/ui/diagram_increase.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "diagram/picture_file.h"
#include "diagram/pointer_readout.h"
#include "diagram/series_data.h"
#include "diagram/ui/diagram_widget.h"
#include "diagram/ui/tool_glyphs.h"
#include "diagram/ui/up_down.h"
#include "platform/atomic_file.h"
#include "platform/messages.h"
#include "platform/ui/file_dialogs.h"

namespace {

// The enlarged diagram writes larger than the small ones.
TFont EnlargedFont(bool bold_italic) { return TFont{"Liberation Serif", 16, bold_italic, bold_italic, clBlack}; }

QToolButton* MakeToolButton(QToolBar* bar, const char* hint, TToolGlyph glyph, bool toggle) {
  auto* button = new QToolButton(bar);
  button->setToolTip(QString::fromUtf8(hint));
  button->setIcon(ToolGlyph(glyph));
  button->setCheckable(toggle);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  bar->addWidget(button);
  return button;
}

}  // namespace

TDiagramIncrease::TDiagramIncrease(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Диаграмма");
  setWindowFlags(Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  resize(812, 591);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  BuildToolBar();
  BuildMenu();

  ScrollBox1 = new QScrollArea(this);
  ScrollBox1->setFrameShape(QFrame::NoFrame);
  auto* box = new QWidget;
  ScrollBox1->setWidget(box);
  ScrollBox1->setWidgetResizable(true);
  layout->addWidget(ScrollBox1, 1);

  Diagram1 = new TDiagram(box);
  Diagram1->SetFontNameX(EnlargedFont(true));
  Diagram1->SetFontNameY(EnlargedFont(true));
  Diagram1->SetFontName(EnlargedFont(true));
  Diagram1->SetFontNet(EnlargedFont(false));
  Diagram1->SetRangeX(-1, 100);
  Diagram1->SetOnMouseMove([this](TDiagramCore*, TShiftState, int x, int y) { ShowCoordinates(x, y); });
  connect(Diagram1, &TDiagram::Clicked, this, &TDiagramIncrease::ToggleFeeler);

  UpDown1 = new TUpDown(Qt::Vertical, box);
  UpDown2 = new TUpDown(Qt::Vertical, box);
  UpDown3 = new TUpDown(Qt::Horizontal, box);
  UpDown4 = new TUpDown(Qt::Horizontal, box);
  // The spin buttons follow the net, which moves with the label widths.
  ConnectAxisSpins({UpDown1, UpDown2, UpDown3, UpDown4}, Diagram1, this, [this] { PlaceSpinButtons(); });
  for (TUpDown* spin : {UpDown1, UpDown2, UpDown3, UpDown4}) {
    spin->hide();
    // While an arrow is held only the grid follows; the series come back on release.
    connect(spin, &TUpDown::Pressed, this, [this] {
      if (SpeedButton1->isChecked()) Diagram1->EnableLine(false);
    });
    connect(spin, &TUpDown::Released, this, [this] {
      if (!SpeedButton1->isChecked()) return;
      Diagram1->EnableLine(true);
      Diagram1->ShowDiagram();
    });
  }
  // The diagram follows the scroll box's size, and the spin buttons follow the net it is then
  // drawn with (a hidden diagram draws at its new size only when it is shown).
  ScrollBox1->viewport()->installEventFilter(this);
  connect(Diagram1, &TDiagram::Resized, this, &TDiagramIncrease::PlaceSpinButtons);
}

TDiagramIncrease::~TDiagramIncrease() {
  // The linked series belong to the source diagram.
  Diagram1->Base().ClearNext();
}

void TDiagramIncrease::BuildToolBar() {
  auto* bar = new QToolBar(this);
  bar->setIconSize(QSize(16, 16));
  SpeedButtonMeasure = MakeToolButton(bar, "Измерения", TToolGlyph::Measure, true);
  SpeedButtonMeasure->setChecked(true);
  SpeedButtonLimit = MakeToolButton(bar, "Пределы", TToolGlyph::Limits, true);
  SpeedButtonRetLim = MakeToolButton(bar, "Исходные пределы", TToolGlyph::ReturnLimits, false);
  SpeedButton1 = MakeToolButton(bar, "Не показывать график при изменении пределов", TToolGlyph::HideWhileZooming, true);
  bar->addSeparator();
  SpeedButtonBmp = MakeToolButton(bar, "Сохранить как рисунок", TToolGlyph::Save, false);
  SpeedButtonCopy = MakeToolButton(bar, "Копировать", TToolGlyph::Copy, false);
  bar->addSeparator();
  SpeedButtonClose = MakeToolButton(bar, "Закрыть", TToolGlyph::Close, false);
  bar->addSeparator();
  Panel2 = new QLabel(bar);
  Panel2->setFixedSize(191, 22);
  Panel2->setFrameShape(QFrame::Panel);
  Panel2->setFrameShadow(QFrame::Sunken);
  Panel2->setAlignment(Qt::AlignCenter);
  bar->addWidget(Panel2);
  layout()->addWidget(bar);

  connect(SpeedButtonMeasure, &QToolButton::clicked, this, &TDiagramIncrease::ToggleFeeler);
  connect(SpeedButtonLimit, &QToolButton::clicked, this, &TDiagramIncrease::ToggleSpinButtons);
  connect(SpeedButtonRetLim, &QToolButton::clicked, this, &TDiagramIncrease::ReturnToInitialRange);
  connect(SpeedButtonBmp, &QToolButton::clicked, this, [this] { Diagram1->SaveBmpFile(); });
  connect(SpeedButtonCopy, &QToolButton::clicked, this, [this] { Diagram1->CopyToClipboard(); });
  connect(SpeedButtonClose, &QToolButton::clicked, this, &QDialog::close);
}

void TDiagramIncrease::BuildMenu() {
  auto* menu_bar = new QMenuBar(this);
  QMenu* file = menu_bar->addMenu("Файл");
  connect(file->addAction("Закрыть"), &QAction::triggered, this, &QDialog::close);
  QMenu* diagram = menu_bar->addMenu("Диаграмма");
  MenuMeasure = diagram->addAction("Измерения");
  MenuMeasure->setCheckable(true);
  MenuMeasure->setChecked(true);
  MenuLimits = diagram->addAction("Пределы");
  MenuLimits->setCheckable(true);
  QAction* return_limits = diagram->addAction("Исходные пределы");
  diagram->addSeparator();
  QAction* save = diagram->addAction("Сохранить как рисунок");
  QAction* copy = diagram->addAction("Копировать в буфер обмена");
  diagram->addSeparator();
  MenuSaveData = diagram->addAction("Сохранить данные...");
  MenuCopyData = diagram->addAction("Копировать данные");
  layout()->setMenuBar(menu_bar);

  connect(MenuMeasure, &QAction::triggered, this, &TDiagramIncrease::ToggleFeeler);
  connect(MenuLimits, &QAction::triggered, this, &TDiagramIncrease::ToggleSpinButtons);
  connect(return_limits, &QAction::triggered, this, &TDiagramIncrease::ReturnToInitialRange);
  connect(save, &QAction::triggered, this, [this] { Diagram1->SaveBmpFile(); });
  connect(copy, &QAction::triggered, this, [this] { Diagram1->CopyToClipboard(); });
  connect(MenuSaveData, &QAction::triggered, this, &TDiagramIncrease::SaveData);
  connect(MenuCopyData, &QAction::triggered, this, &TDiagramIncrease::CopyData);
}

void TDiagramIncrease::SaveData() {
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::kSave;
  request.filter = "Данные CSV (*.csv)|*.csv";
  request.default_extension = "csv";
  request.file_name = "Диаграмма.csv";
  request.confirm_overwrite = true;
  const std::optional<std::string> name = AskFileName(this, request);
  if (!name) return;
  AtomicFileWriter file(*name);
  file.Write(SeriesDataText(Diagram1->Base(), TSeriesDataText::kCsv));
  if (!file.Commit()) ShowMessage(file.FailureMessage(kCannotSavePictureMessage));
}

void TDiagramIncrease::CopyData() {
  QGuiApplication::clipboard()->setText(
      QString::fromStdString(SeriesDataText(Diagram1->Base(), TSeriesDataText::kTabbed)));
}

int TDiagramIncrease::ShowFor(TDiagramCore* source) {
  if (source == nullptr) {
    source_ = nullptr;
    return 0;
  }
  CopyFrom(source);
  return modal_runner_ ? modal_runner_() : exec();
}

void TDiagramIncrease::CopyFrom(TDiagramCore* source) {
  Diagram1->Base().Hide();
  Diagram1->EnableLine(false);
  source_ = source;
  Diagram1->SetColorBackDiagram(source->GetColorBackDiagram());
  Diagram1->SetColorBackNet(source->GetColorBackNet());
  Diagram1->SetColorNetLine(source->GetColorNetLine());
  Diagram1->SetPenStyleNetLine(source->GetPenStyleNetLine());
  Diagram1->SetNameY(source->GetNameY());
  Diagram1->SetNameX(source->GetNameX());
  Diagram1->SetNameDiagram(source->GetNameDiagram());
  Diagram1->SetLimitXmin(source->GetLimitXmin());
  Diagram1->SetLimitXmax(source->GetLimitXmax());
  Diagram1->SetLimitYmin(source->GetLimitYmin());
  Diagram1->SetLimitYmax(source->GetLimitYmax());
  Diagram1->SetWholeNumberAxisX(source->IsWholeNumberAxisX());
  Diagram1->SetEqualScale(source->IsEqualScale());
  if (source->IsEqualScale()) {
    // What the small diagram was asked to hold, not its view widened to its own shape.
    const TViewRanges& wanted = source->GetWantedRanges();
    Diagram1->SetRangeX(wanted.xmin, wanted.xmax);
    Diagram1->SetRangeY(wanted.ymin, wanted.ymax);
  } else {
    Diagram1->SetRangeX(source->GetXmin(), source->GetXmax());
    Diagram1->SetRangeY(source->GetYmin(), source->GetYmax());
  }
  Diagram1->SetBitmapX(&source->GetBitmapX());
  Diagram1->SetBitmapY(&source->GetBitmapY());
  // The source's chain is drawn here without copying a single value.
  Diagram1->Base().SetNext(&source->Base());
  Diagram1->EnableLine(true);
  Diagram1->ShowDiagram();
  PlaceSpinButtons();
  setWindowTitle(QString::fromStdString(source->GetNameDiagram()));
  initial_xmin_ = Diagram1->GetXmin();
  initial_xmax_ = Diagram1->GetXmax();
  initial_ymin_ = Diagram1->GetYmin();
  initial_ymax_ = Diagram1->GetYmax();
}

void TDiagramIncrease::WriteBack() {
  if (source_ == nullptr) return;
  source_->EnableLine(false);
  // Both ends of an axis at once: one end at a time would reorder against the old other end and
  // mangle a range lying wholly above or below the old one.
  source_->SetRangeX(Diagram1->GetXmin(), Diagram1->GetXmax());
  source_->SetRangeY(Diagram1->GetYmin(), Diagram1->GetYmax());
  Diagram1->Base().ClearNext();
  source_->EnableLine(true);
  source_->ShowDiagram();
}

void TDiagramIncrease::done(int result) {
  WriteBack();
  QDialog::done(result);
}

void TDiagramIncrease::showEvent(QShowEvent* event) {
  if (first_show_pending_) {
    first_show_pending_ = false;
    setWindowState(windowState() | Qt::WindowMaximized);
  }
  QDialog::showEvent(event);
}

bool TDiagramIncrease::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ScrollBox1->viewport() && event->type() == QEvent::Resize) LayoutDiagram();
  return QDialog::eventFilter(watched, event);
}

void TDiagramIncrease::LayoutDiagram() {
  const QSize client = ScrollBox1->viewport()->size();
  const int left = UpDown1->width() + 5;
  Diagram1->setGeometry(left, 5, client.width() - (UpDown1->width() + 20), client.height() - (UpDown3->height() + 10));
  PlaceSpinButtons();
}

void TDiagramIncrease::PlaceSpinButtons() {
  const QPoint at = Diagram1->pos();
  UpDown1->move(5, Diagram1->Get_yb_net() + at.y());
  UpDown2->move(5, Diagram1->Get_ye_net() + at.y() - UpDown2->height());
  UpDown3->move(Diagram1->Get_xb_net() + at.x(), at.y() + Diagram1->height());
  UpDown4->move(Diagram1->Get_xe_net() + at.x() - UpDown4->width(), at.y() + Diagram1->height());
}

void TDiagramIncrease::ToggleFeeler() {
  Diagram1->SetShowFeeler(!Diagram1->GetShowFeeler());
  SpeedButtonMeasure->setChecked(Diagram1->GetShowFeeler());
  MenuMeasure->setChecked(Diagram1->GetShowFeeler());
}

void TDiagramIncrease::ToggleSpinButtons() {
  const bool show = UpDown1->isHidden();
  for (TUpDown* spin : {UpDown1, UpDown2, UpDown3, UpDown4}) spin->setVisible(show);
  SpeedButtonLimit->setChecked(show);
  MenuLimits->setChecked(show);
}

void TDiagramIncrease::ReturnToInitialRange() {
  Diagram1->SetRangeX(initial_xmin_, initial_xmax_);
  Diagram1->SetRangeY(initial_ymin_, initial_ymax_);
  PlaceSpinButtons();
}

void TDiagramIncrease::ShowCoordinates(int x, int y) {
  const QString text = QString::fromStdString(PointerReadout(*Diagram1, x, y));
  if (Panel2->text() != text) Panel2->setText(text);
}
