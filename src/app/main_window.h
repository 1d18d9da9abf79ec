#pragma once
// The main window: the results of the analysis on five pages of two diagrams each, and every
// command in its main menu. Each command that changes something runs the analysis window and
// then refills the diagrams.

#include <QMainWindow>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "diagram/graphics.h"
#include "results/result_plan.h"
#include "session/project_document.h"
#include "session/recent_projects.h"

class QAction;
class QMenu;
class QLabel;
class QTabWidget;
class TBGSForm;
class TCalcForm;
class TCoefficientsForm;
class TFFT0Form;
class TInputForm;
class TLibForm;
class TMeasureForm;
class TDiagramFrame;
class TDiagramIncrease;
class TTabEditorForm;
class TableModel;
struct Session;

// Makes one table editor, a view of the table; the main window makes its three with it on its
// first paint.
using TableEditorFactory = std::function<TTabEditorForm*(TableModel& model, QWidget* parent)>;
// Installs a factory (an empty one restores the plain constructor) and returns the previous one.
TableEditorFactory SetTableEditorFactory(TableEditorFactory factory);

class TRYNForm : public QMainWindow {
  Q_OBJECT

 public:
  // A view of the session, which outlives it.
  explicit TRYNForm(Session& session, QWidget* parent = nullptr);

  Session& CurrentSession() { return session_; }
  const ProjectDocument& Project() const { return project_; }
  // The recent projects' items at the end of "Проект", the latest first.
  const std::vector<QAction*>& RecentProjectItems() const { return recent_items_; }
  // Opens a project file and analyses it; a bad file gets a message and changes nothing.
  void OpenProject(const std::string& path);
  // The same once the first paint has analysed the start-up filter.
  void OpenProjectAfterStartUp(const std::string& path) { pending_project_ = path; }

  // Refills every diagram and the stability line from the results of the last run.
  void ShowResults();
  // Whether the first paint (layout, table editors, first analysis) is still to come.
  bool IsFirstPaintPending() const { return FFirstPaint; }
  TDiagramFrame* Frame(ResultDiagram diagram) const { return frames_[diagram]; }
  // The coefficients window, once "Коэффициенты фильтра..." has opened it.
  TCoefficientsForm* CoefficientsForm() const { return coefficients_form_; }

  QTabWidget* PageControl1;
  std::array<QWidget*, 5> TabSheets{};
  TDiagramFrame* DFh;
  TDiagramFrame* DFg;
  TDiagramFrame* DFMag;
  TDiagramFrame* DFPh;
  TDiagramFrame* DFInput;
  TDiagramFrame* DFOut;
  TDiagramFrame* DFInSpectr;
  TDiagramFrame* DFOutSpectr;
  TDiagramFrame* DFZeroPole;
  TDiagramFrame* DFGroupDelay;
  // Under the z-plane: "Устойчив" or "Неустойчив" with the largest pole radius.
  QLabel* LabelStability;
  // The x-axis pictures of the frequency diagrams: ωT and fT.
  TBitmap Image1;
  TBitmap Image2;

  // "Проект": "Новый", "Открыть...", "Сохранить", "Сохранить как...".
  QAction* NProjectNew;
  QAction* NProjectOpen;
  QAction* NProjectSave;
  QAction* NProjectSaveAs;
  QAction* N21;
  QAction* N22;
  QAction* N3;
  QAction* N4;
  QAction* NCoefficients;  // "Коэффициенты фильтра..."
  QAction* N6;
  QAction* N7;
  QAction* N8;
  QAction* N9;
  QAction* NZeroPole;
  QAction* N10001;
  QAction* N20001;
  QAction* N40001;
  QAction* N10002;
  QAction* N20002;
  QAction* N40002;
  QAction* N15;
  QAction* N16;
  QAction* N17;
  QAction* N24;
  QAction* N19;
  QAction* N20;
  QAction* N1;

  // The child windows, owned as the main window's children: made at start-up, the three table
  // editors on the first paint.
  TDiagramIncrease* DiagramIncrease = nullptr;  // the enlarged view of every diagram
  TCalcForm* CalcForm = nullptr;
  TInputForm* InputForm = nullptr;
  TLibForm* LibForm = nullptr;
  TFFT0Form* FFT0Form = nullptr;
  TBGSForm* BGSForm = nullptr;
  TMeasureForm* MeasureForm = nullptr;
  TTabEditorForm* TabAKoef = nullptr;
  TTabEditorForm* TabBKoef = nullptr;
  TTabEditorForm* TabSignal = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // A project file dropped on the window opens it.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildPages();
  void BuildMenu();
  void StyleDiagrams();
  void ConnectMouseMoves();

  // Lays the two frames of each page out over the page's size.
  void PlaceFrames();
  // The fifth page: its frames and the stability line under them.
  void PlaceZeroPolePage();
  void FormPaint();
  // TabAKoef, TabBKoef and TabSignal; false (after the exception display) if one cannot be made.
  bool CreateTableEditors();
  void FormMouseMove();
  void N21Click();
  void N22Click();
  void N3Click();
  void N4Click();
  void NCoefficientsClick();
  void ShowPage(int page);
  // The z-plane and the stability line of the last analysis, once: new roots are found when the
  // page is shown, not by every analysis.
  void ShowZeroPoles();
  void SetInterval(QAction* item, int interval);
  void SetResolution(QAction* item, int points);
  void SetAfcMode(QAction* item, int mode);
  void N24Click();
  void SetFrequencyUnit(QAction* item, const TBitmap& picture);
  void N1Click();
  void ProjectNewClick();
  void ProjectOpenClick();
  // Whether the project was saved.
  bool ProjectSaveClick();
  bool ProjectSaveAsClick();
  // Writes the project to path, or shows why it could not.
  bool SaveProject(const std::string& path);
  // Before the work is left: "Сохранить изменения в проекте?"; false when the user cancels.
  bool AgreeToLeaveProject();
  // The menu's analysis settings and frequency axis as the session and settings hold them, a run
  // of the analysis, and the project marked saved.
  void ShowOpenedProject(const ProjectSettings& settings);
  // "angular" or "cyclic", as the menu "Частота" has it.
  std::string FrequencyAxis() const;
  void UpdateTitle();
  // The project just opened or saved goes first in the recent list and its items.
  void RememberProject();
  void FillRecentProjectItems();
  // Checks one radio item of a submenu and unchecks the others; false if it was checked already.
  bool CheckRadio(QAction* item);

  Session& session_;
  ProjectDocument project_;
  // "Выход" has asked already; the close that follows does not ask again.
  bool leaving_agreed_ = false;
  std::string pending_project_;
  RecentProjects recent_;
  QMenu* project_menu_ = nullptr;
  std::vector<QAction*> recent_items_;
  bool FFirstPaint = true;
  std::array<TDiagramFrame*, kResultDiagramCount> frames_{};
  bool zero_poles_shown_ = false;
  TCoefficientsForm* coefficients_form_ = nullptr;
};
