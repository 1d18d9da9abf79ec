#include "app/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <exception>
#include <filesystem>
#include <utility>

#include "app/exception_display.h"
#include "app/input_dialogs.h"
#include "app/splash_window.h"
#include "diagram/ui/diagram_frame.h"
#include "diagram/ui/diagram_widget.h"
#include "diagram/ui/idle_painter.h"
#include "dialogs/ui/arbitrary_filter_dialog.h"
#include "dialogs/ui/lib_form.h"
#include "dialogs/ui/table_editor.h"
#include "platform/messages.h"
#include "platform/questions.h"
#include "platform/replaceable.h"
#include "platform/ui/file_dialogs.h"
#include "platform/ui/screen_cursor.h"
#include "results/show_results.h"
#include "results/ui/coefficients_form.h"
#include "results/ui/result_diagrams.h"
#include "session/project_file.h"
#include "session/session.h"

namespace {

// Where the recent projects are kept: the program's configuration folder, made when missing.
std::string RecentProjectsFile() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  if (folder.isEmpty() || !QDir().mkpath(folder)) return {};
  return (folder + "/recent-projects.txt").toStdString();
}

const char kSignalTitle[] = "Сигнал на входе цифрового фильтра";

constexpr int kPageCount = 5;
const char* const kPageCaptions[kPageCount] = {"Временные характеристики ЦФ", "Частотные характеристики ЦФ",
                                               "Прохождение сигнала", "Спектры сигналов", "Нули и полюсы"};
constexpr int kZeroPolePage = 4;

// The stability line: green when stable, red when not, grey when unknown, in the diagrams' serif.
void ShowStability(QLabel* label, const ZeroPoleSet& roots) {
  label->setText(QString::fromStdString(StabilityText(roots)));
  label->setStyleSheet(roots.stability == Stability::kStable     ? "color: #006400;"
                       : roots.stability == Stability::kUnstable ? "color: #b40000;"
                                                                 : "color: #505050;");
}

// The width at which a frame of this height would have its diagram's plot rectangle square,
// measured at a trial width (the frames of a hidden page get no resize events to measure by).
int SquarePlotWidth(const TDiagramFrame& frame, int trial_width, int height) {
  const TNetLayout layout = frame.Diagram->LayoutAt(trial_width, height);
  return layout.h_out + trial_width - layout.w_out;
}

TTabEditorForm* MakeTableEditor(TableModel& model, QWidget* parent) { return new TTabEditorForm(model, parent); }

Replaceable<TableEditorFactory>& CurrentTableEditorFactory() {
  static Replaceable<TableEditorFactory> factory(MakeTableEditor);
  return factory;
}

}  // namespace

TableEditorFactory SetTableEditorFactory(TableEditorFactory factory) {
  return CurrentTableEditorFactory().Set(std::move(factory));
}

TRYNForm::TRYNForm(Session& session, QWidget* parent)
    : QMainWindow(parent), session_(session), project_(session), recent_(RecentProjectsFile()) {
  setObjectName("RYNForm");
  setWindowTitle("Вельмар");
  setAcceptDrops(true);
  Image1 = FrequencyAxisPicture(false);
  Image2 = FrequencyAxisPicture(true);
  BuildPages();
  BuildMenu();
  StyleDiagrams();
  ConnectMouseMoves();

  // The splash stays on the screen while the other windows are created.
  auto* splash = new THelloForm;
  splash->show();
  splash->repaint();
}

void TRYNForm::BuildPages() {
  PageControl1 = new QTabWidget(this);
  setCentralWidget(PageControl1);
  for (int page = 0; page < kPageCount; ++page) {
    TabSheets[page] = new QWidget;
    TabSheets[page]->setMouseTracking(true);
    TabSheets[page]->installEventFilter(this);
    PageControl1->addTab(TabSheets[page], kPageCaptions[page]);
  }
  TDiagramFrame** members[kResultDiagramCount] = {&DFh,   &DFg,        &DFMag,       &DFPh,       &DFInput,
                                                  &DFOut, &DFInSpectr, &DFOutSpectr, &DFZeroPole, &DFGroupDelay};
  for (int d = 0; d < kResultDiagramCount; ++d) {
    frames_[d] = *members[d] = new TDiagramFrame(TabSheets[d / 2]);
    frames_[d]->setObjectName(ResultDiagramName(static_cast<ResultDiagram>(d)));
  }
  // The two diagrams of a page over one axis line their x values up.
  for (int page = 0; page < kZeroPolePage; ++page) {
    TDiagramCore::ShareLeftMargin({frames_[2 * page]->Diagram, frames_[2 * page + 1]->Diagram});
  }
  LabelStability = new QLabel(TabSheets[kZeroPolePage]);
  LabelStability->setObjectName("LabelStability");
  QFont font("Liberation Serif");
  font.setPixelSize(16);
  font.setBold(true);
  LabelStability->setFont(font);
  PageControl1->setMouseTracking(true);
  PageControl1->installEventFilter(this);
  connect(PageControl1, &QTabWidget::currentChanged, this, [this](int page) {
    if (page == kZeroPolePage && !FFirstPaint) ShowZeroPoles();
  });
}

void TRYNForm::BuildMenu() {
  QMenu* project = menuBar()->addMenu("Проект");
  NProjectNew = project->addAction("Новый", this, &TRYNForm::ProjectNewClick);
  NProjectOpen = project->addAction("Открыть...", this, &TRYNForm::ProjectOpenClick);
  NProjectSave = project->addAction("Сохранить", this, &TRYNForm::ProjectSaveClick);
  NProjectSaveAs = project->addAction("Сохранить как...", this, &TRYNForm::ProjectSaveAsClick);
  project_menu_ = project;
  FillRecentProjectItems();

  QMenu* signal = menuBar()->addMenu("Сигнал");
  N21 = signal->addAction("Произвольный", this, &TRYNForm::N21Click);
  N22 = signal->addAction("Бигармонический", this, &TRYNForm::N22Click);

  QMenu* filter = menuBar()->addMenu("Фильтр");
  N3 = filter->addAction("Библиотека", this, &TRYNForm::N3Click);
  N4 = filter->addAction("Произвольный фильтр", this, &TRYNForm::N4Click);
  filter->addSeparator();
  NCoefficients = filter->addAction("Коэффициенты фильтра...", this, &TRYNForm::NCoefficientsClick);

  QMenu* result = menuBar()->addMenu("Результат");
  N6 = result->addAction("Временные характеристики ЦФ", this, [this] { ShowPage(0); });
  N7 = result->addAction("Частотные характеристики ЦФ", this, [this] { ShowPage(1); });
  N8 = result->addAction("Прохождение сигнала", this, [this] { ShowPage(2); });
  N9 = result->addAction("Спектры сигналов", this, [this] { ShowPage(3); });
  NZeroPole = result->addAction("Нули и полюсы", this, [this] { ShowPage(kZeroPolePage); });
  result->addSeparator();

  auto radio_group = [this](QMenu* menu, std::initializer_list<QAction*> items, QAction* checked) {
    auto* group = new QActionGroup(this);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction* item : items) {
      item->setCheckable(true);
      group->addAction(item);
      menu->addAction(item);
    }
    checked->setChecked(true);
    checked->setProperty("radioChecked", true);
  };

  QMenu* interval = result->addMenu("Интервал анализа");
  N10001 = new QAction("1000 тактов", this);
  N20001 = new QAction("2000 тактов", this);
  N40001 = new QAction("4000 тактов", this);
  radio_group(interval, {N10001, N20001, N40001}, N20001);
  connect(N10001, &QAction::triggered, this, [this] { SetInterval(N10001, 1000); });
  connect(N20001, &QAction::triggered, this, [this] { SetInterval(N20001, 2000); });
  connect(N40001, &QAction::triggered, this, [this] { SetInterval(N40001, 4000); });
  result->addSeparator();

  QMenu* resolution = result->addMenu("Разрешение по частоте");
  N10002 = new QAction("1024 точек", this);
  N20002 = new QAction("2048 точек", this);
  N40002 = new QAction("4096 точек", this);
  radio_group(resolution, {N10002, N20002, N40002}, N20002);
  connect(N10002, &QAction::triggered, this, [this] { SetResolution(N10002, 1024); });
  connect(N20002, &QAction::triggered, this, [this] { SetResolution(N20002, 2048); });
  connect(N40002, &QAction::triggered, this, [this] { SetResolution(N40002, 4096); });

  QMenu* afc = result->addMenu("АЧХ");
  N15 = new QAction("Ненормированная", this);
  N16 = new QAction("Нормированная", this);
  N17 = new QAction("Нормированная в [дБ]", this);
  radio_group(afc, {N15, N16, N17}, N15);
  connect(N15, &QAction::triggered, this, [this] { SetAfcMode(N15, 1); });
  connect(N16, &QAction::triggered, this, [this] { SetAfcMode(N16, 2); });
  connect(N17, &QAction::triggered, this, [this] { SetAfcMode(N17, 3); });
  afc->addSeparator();
  N24 = afc->addAction("Измерение параметров...", this, &TRYNForm::N24Click);
  N24->setEnabled(false);

  QMenu* unit = result->addMenu("Частота");
  N19 = new QAction("Круговая", this);
  N20 = new QAction("Циклическая", this);
  radio_group(unit, {N19, N20}, N19);
  connect(N19, &QAction::triggered, this, [this] { SetFrequencyUnit(N19, Image1); });
  connect(N20, &QAction::triggered, this, [this] { SetFrequencyUnit(N20, Image2); });

  N1 = menuBar()->addAction("Выход", this, &TRYNForm::N1Click);
}

void TRYNForm::StyleDiagrams() {
  for (int d = 0; d < kResultDiagramCount; ++d) {
    StyleResultDiagram(*frames_[d]->Diagram, static_cast<ResultDiagram>(d), false);
  }
}

void TRYNForm::ConnectMouseMoves() {
  // Moving over one diagram of a page shows its tools and hides those of the other.
  for (int d = 0; d < kResultDiagramCount; ++d) {
    TDiagramFrame* frame = frames_[d];
    TDiagramFrame* other = frames_[d ^ 1];
    frame->Diagram->SetOnMouseMove([frame, other](TDiagramCore* sender, TShiftState shift, int x, int y) {
      frame->DiagramMouseMove(sender, shift, x, y);
      other->HideTools();
    });
  }
}

bool TRYNForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) FormMouseMove();
  if (watched == PageControl1 && event->type() == QEvent::Paint && FFirstPaint) {
    // The first analysis runs a modal window: not from inside a paint event.
    QTimer::singleShot(0, this, &TRYNForm::FormPaint);
  }
  // Once laid out, the diagrams follow the window when it is resized or restored.
  if (watched == PageControl1 && event->type() == QEvent::Resize && !FFirstPaint) PlaceFrames();
  // The tab widget sizes the page shown after itself, and a hidden page only once it is shown:
  // the fifth page follows the size of the page shown.
  if (watched == PageControl1->currentWidget() && event->type() == QEvent::Resize && !FFirstPaint) PlaceZeroPolePage();
  return QMainWindow::eventFilter(watched, event);
}

void TRYNForm::FormMouseMove() {
  for (TDiagramFrame* frame : frames_) frame->HideTools();
}

void TRYNForm::PlaceFrames() {
  const int width = PageControl1->width();
  const int height = PageControl1->height();
  for (int page = 0; page < kZeroPolePage; ++page) {
    TDiagramFrame* upper = frames_[2 * page];
    TDiagramFrame* lower = frames_[2 * page + 1];
    // Each diagram lays itself out when its frame is resized: at once on the page shown, on
    // being shown (or ahead of it, TIdlePainter) on the others.
    upper->setGeometry(8, 4, width - 20, height / 2 - 20);
    lower->setGeometry(8, upper->y() + upper->height(), width - 20, height / 2 - 20);
  }
  PlaceZeroPolePage();
}

void TRYNForm::PlaceZeroPolePage() {
  // The z-plane keeps equal scales, so it is about square: as wide as its height asks for (at
  // most half the page), the group delay beside it taking the rest; the stability line under both.
  // Every page has the size of the one shown, which a hidden page is given only when it is shown:
  // its frames are laid out (and painted ahead) at that size, each diagram when its frame is resized.
  constexpr int kLineHeight = 24;
  const int width = std::max(0, PageControl1->width() - 20);
  const int height = std::max(0, PageControl1->currentWidget()->height() - kLineHeight - 8);
  int plane = std::min(height, width / 2);
  for (int pass = 0; pass < 2; ++pass) {  // the label widths may change with the width
    plane = std::clamp(SquarePlotWidth(*DFZeroPole, plane, height), 0, width / 2);
  }
  DFZeroPole->setGeometry(8, 4, plane, height);
  DFGroupDelay->setGeometry(8 + plane, 4, width - plane, height);
  LabelStability->setGeometry(12, 4 + height, std::max(0, width - 8), kLineHeight);
}

void TRYNForm::FormPaint() {
  if (!FFirstPaint) return;
  PlaceFrames();
  FFirstPaint = false;
  // The pages not shown are painted while the program waits for input.
  new TIdlePainter(this, std::vector<TDiagramFrame*>(frames_.begin(), frames_.end()));

  if (!CreateTableEditors()) {
    // Nothing can be analysed without them: the program ends, as after a failed start-up.
    close();
    return;
  }
  for (TDiagramFrame* frame : frames_) frame->SetEnlargedView(DiagramIncrease);
  for (TTabEditorForm* table : {TabAKoef, TabBKoef, TabSignal}) table->DiagramFrame1->SetEnlargedView(DiagramIncrease);
  TabBKoef->SetFirstIndex(1);

  HourglassCursor hourglass;
  session_.run->RunAnalysis(0);
  ShowResults();
  TabSignal->SetTitle(kSignalTitle);
  TabSignal->SetTableName("x");
  InputForm->SetTables(TabAKoef, TabBKoef);
  ConnectSignalTable(*BGSForm, *TabSignal);
  project_.MarkSaved(FrequencyAxis());
  if (!pending_project_.empty())
    QTimer::singleShot(0, this, [this] { OpenProject(std::exchange(pending_project_, std::string())); });
}

bool TRYNForm::CreateTableEditors() {
  const TableEditorFactory& make = *CurrentTableEditorFactory();
  try {
    TabAKoef = make(session_.a, this);
    TabBKoef = make(session_.b, this);
    TabSignal = make(session_.signal, this);
    return true;
  } catch (const std::exception& error) {
    ShowException(error);
  } catch (...) {
    ShowUnknownException();
  }
  return false;
}

void TRYNForm::ShowResults() {
  session_.plan.PlanResponses(*session_.run, SettingsOf(session_.signal, session_.biharmonic, N20->isChecked()));
  for (int d = 0; d < kResultDiagramCount; ++d) {
    if (d == ::DFZeroPole) continue;
    ShowPlannedResult(*frames_[d]->Diagram, session_.plan[static_cast<ResultDiagram>(d)]);
    frames_[d]->SaveRange();
  }
  if (FollowAnalysedFilter(session_.coefficients, *session_.run, session_.library) && coefficients_form_ != nullptr)
    coefficients_form_->ShowCoefficients(session_.coefficients);
  zero_poles_shown_ = false;
  // Roots already found (the filter is the same) cost nothing: the page follows at once and is
  // painted with the others; new roots wait until the page is shown.
  if (PageControl1->currentIndex() == kZeroPolePage || session_.run->ZeroPolesKnown()) ShowZeroPoles();
  UpdateTitle();
}

void TRYNForm::ShowZeroPoles() {
  if (zero_poles_shown_) return;
  HourglassCursor hourglass;
  session_.plan.PlanZeroPoles(*session_.run);
  ShowPlannedResult(*DFZeroPole->Diagram, session_.plan[::DFZeroPole]);
  DFZeroPole->SaveRange();
  ShowStability(LabelStability, session_.run->ZeroPoles());
  zero_poles_shown_ = true;
}

// ---- commands ----

void TRYNForm::N21Click() {
  TabSignal->SetTitle(kSignalTitle);
  TabSignal->SetTableName("x");
  TabSignal->ShowModal();
  HourglassCursor hourglass;
  session_.run->ShowWindow();
  ShowResults();
}

void TRYNForm::N22Click() {
  ShowBGSForm(*BGSForm, session_.biharmonic);
  HourglassCursor hourglass;
  session_.run->ShowWindow();
  ShowResults();
}

void TRYNForm::N3Click() {
  ShowLibForm(*LibForm, session_.library);
  HourglassCursor hourglass;
  session_.run->RunAnalysis(1);
  ShowResults();
  if (session_.run->IsLibraryFilter() && (N16->isChecked() || N17->isChecked())) N24->setEnabled(true);
}

void TRYNForm::N4Click() {
  InputForm->ShowModal();
  if (!InputForm->IsAnalysisRequested()) return;
  HourglassCursor hourglass;
  session_.run->RunAnalysis(0);
  ShowResults();
}

void TRYNForm::NCoefficientsClick() {
  if (coefficients_form_ == nullptr) {
    coefficients_form_ = new TCoefficientsForm(this);
    coefficients_form_->ShowCoefficients(session_.coefficients);
    coefficients_form_->move(geometry().center() - coefficients_form_->rect().center());
  }
  coefficients_form_->show();
  coefficients_form_->raise();
  coefficients_form_->activateWindow();
}

void TRYNForm::ShowPage(int page) { PageControl1->setCurrentIndex(page); }

bool TRYNForm::CheckRadio(QAction* item) {
  const bool was_checked = item->property("radioChecked").toBool();
  item->setChecked(true);
  if (was_checked) return false;
  for (QAction* other : item->actionGroup()->actions()) other->setProperty("radioChecked", other == item);
  return true;
}

void TRYNForm::SetInterval(QAction* item, int interval) {
  if (!CheckRadio(item)) return;
  HourglassCursor hourglass;
  session_.run->SetInterval(interval);
  ShowResults();
}

void TRYNForm::SetResolution(QAction* item, int points) {
  if (!CheckRadio(item)) return;
  HourglassCursor hourglass;
  session_.run->SetResolution(points);
  ShowResults();
}

void TRYNForm::SetAfcMode(QAction* item, int mode) {
  if (!CheckRadio(item)) return;
  {
    HourglassCursor hourglass;
    session_.run->SetAfcMode(mode);
    DFMag->Diagram->SetNameDiagram(AmplitudeResponseName(mode));
    ShowResults();
  }
  if (mode == 1) {
    N24->setEnabled(false);
  } else if (session_.run->IsLibraryFilter()) {
    N24->setEnabled(true);
  }
}

void TRYNForm::N24Click() { ShowMeasureForm(*MeasureForm); }

void TRYNForm::SetFrequencyUnit(QAction* item, const TBitmap& picture) {
  if (!CheckRadio(item)) return;
  HourglassCursor hourglass;
  for (int d = 0; d < kResultDiagramCount; ++d) {
    if (IsFrequencyDiagram(static_cast<ResultDiagram>(d))) frames_[d]->Diagram->SetBitmapX(&picture);
  }
  ShowResults();
}

void TRYNForm::N1Click() {
  if (!AgreeToLeaveProject()) return;
  leaving_agreed_ = true;
  QApplication::quit();
}

namespace {

// The project file among what is dragged, or "".
std::string DraggedProject(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().front();
  return url.isLocalFile() && url.toLocalFile().endsWith(".velmar") ? url.toLocalFile().toStdString() : std::string();
}

}  // namespace

void TRYNForm::dragEnterEvent(QDragEnterEvent* event) {
  if (!DraggedProject(event->mimeData()).empty()) event->acceptProposedAction();
}

void TRYNForm::dropEvent(QDropEvent* event) {
  const std::string path = DraggedProject(event->mimeData());
  if (path.empty()) return;
  event->acceptProposedAction();
  if (AgreeToLeaveProject()) OpenProject(path);
}

void TRYNForm::closeEvent(QCloseEvent* event) {
  if (!leaving_agreed_ && !AgreeToLeaveProject()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

namespace {

const char kProjectFilter[] = "Проекты Вельмар (*.velmar)|*.velmar|Все файлы (*.*)|*";

}  // namespace

bool TRYNForm::AgreeToLeaveProject() {
  if (!project_.HasUnsavedChanges(FrequencyAxis())) return true;
  const Answer answer = Ask({"Вельмар", "Сохранить изменения в проекте?", QuestionButtons::kYesNoCancel, Answer::kNo});
  if (answer == Answer::kCancel) return false;
  return answer == Answer::kNo || ProjectSaveClick();
}

void TRYNForm::ProjectNewClick() {
  if (!AgreeToLeaveProject()) return;
  ShowOpenedProject(project_.New());
}

void TRYNForm::ProjectOpenClick() {
  if (!AgreeToLeaveProject()) return;
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::kOpen;
  request.title = "Открыть проект";
  request.filter = kProjectFilter;
  if (const std::optional<std::string> name = AskFileName(this, request)) OpenProject(*name);
}

void TRYNForm::OpenProject(const std::string& path) {
  ProjectSettings settings;
  try {
    settings = project_.Open(path);
  } catch (const ProjectError& error) {
    ShowMessage("Проект не открыт.\n" + error.Russian());
    return;
  }
  ShowOpenedProject(settings);
  RememberProject();
}

void TRYNForm::ShowOpenedProject(const ProjectSettings& settings) {
  const auto check = [this](std::initializer_list<std::pair<QAction*, int>> items, int value) {
    for (const auto& [item, v] : items)
      if (v == value) CheckRadio(item);
  };
  check({{N10001, 1000}, {N20001, 2000}, {N40001, 4000}}, session_.run->IntervalLength());
  check({{N10002, 1024}, {N20002, 2048}, {N40002, 4096}}, session_.run->FrequencyPoints());
  check({{N15, 1}, {N16, 2}, {N17, 3}}, session_.run->GetAfcMode());
  DFMag->Diagram->SetNameDiagram(AmplitudeResponseName(session_.run->GetAfcMode()));
  const bool cyclic = settings.frequency == "cyclic";
  CheckRadio(cyclic ? N20 : N19);
  for (int d = 0; d < kResultDiagramCount; ++d) {
    if (IsFrequencyDiagram(static_cast<ResultDiagram>(d))) frames_[d]->Diagram->SetBitmapX(cyclic ? &Image2 : &Image1);
  }
  {
    HourglassCursor hourglass;
    session_.run->RunAnalysis(settings.filter == FilterChoice::kArbitrary ? 0 : 1);
    ShowResults();
  }
  // The library dialog shows the designs the project set.
  if (LibForm != nullptr) LibForm->ShowDesigns();
  N24->setEnabled(session_.run->GetAfcMode() != 1 && session_.run->IsLibraryFilter());
  project_.MarkSaved(FrequencyAxis());
  UpdateTitle();
}

bool TRYNForm::ProjectSaveClick() {
  return project_.Path().empty() ? ProjectSaveAsClick() : SaveProject(project_.Path());
}

bool TRYNForm::ProjectSaveAsClick() {
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::kSave;
  request.title = "Сохранить проект";
  request.filter = kProjectFilter;
  request.default_extension = "velmar";
  request.file_name = project_.Path().empty() ? "проект.velmar" : project_.Path();
  request.confirm_overwrite = true;
  const std::optional<std::string> name = AskFileName(this, request);
  return name && SaveProject(*name);
}

bool TRYNForm::SaveProject(const std::string& path) {
  try {
    project_.Save(path, FrequencyAxis());
  } catch (const ProjectError& error) {
    ShowMessage("Проект не сохранён.\n" + error.Russian());
    return false;
  }
  UpdateTitle();
  RememberProject();
  return true;
}

void TRYNForm::RememberProject() {
  recent_.Add(std::filesystem::absolute(project_.Path()).string());
  FillRecentProjectItems();
}

void TRYNForm::FillRecentProjectItems() {
  for (QAction* item : recent_items_) delete item;
  recent_items_.clear();
  if (recent_.Paths().empty()) return;
  recent_items_.push_back(project_menu_->addSeparator());
  int number = 0;
  for (const std::string& path : recent_.Paths()) {
    const QString name = QString::fromStdString(std::filesystem::path(path).filename().string());
    QAction* item = project_menu_->addAction(QString("&%1 %2").arg(++number).arg(name), this, [this, path] {
      if (AgreeToLeaveProject()) OpenProject(path);
    });
    item->setToolTip(QString::fromStdString(path));
    item->setStatusTip(QString::fromStdString(path));
    recent_items_.push_back(item);
  }
}

std::string TRYNForm::FrequencyAxis() const { return N20->isChecked() ? "cyclic" : "angular"; }

void TRYNForm::UpdateTitle() { setWindowTitle(QString::fromStdString(project_.Title(FrequencyAxis()))); }
