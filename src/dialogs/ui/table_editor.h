#pragma once
// The table editor window: one numbered sequence of up to 500 values typed into a grid, plotted
// on a second page, loaded from and saved to table files and exported for a spreadsheet. The
// values the rest of the program reads are the model's accepted ones; edits become accepted
// only when the window is closed with "Обработать данные".

#include <QDialog>
#include <string>

#include "dialogs/table_model.h"

class QAction;
class QTabWidget;
class QToolBar;
class QToolButton;
class TDiagramFrame;
class TableGrid;

class TTabEditorForm : public QDialog {
  Q_OBJECT

 public:
  // A view of the table, which outlives it.
  explicit TTabEditorForm(TableModel& model, QWidget* parent = nullptr);

  TableModel& Model() { return model_; }
  const TableModel& Model() const { return model_; }

  void SetTitle(const std::string& title);
  void SetTableName(const std::string& name);
  void SetFirstIndex(int index);
  void SetDiagramVisible(bool visible);
  void SetValues(const double* values, int n);
  void GetValues(const double*& values, int& count) const { model_.GetValues(values, count); }
  bool IsProcessed() const { return model_.IsProcessed(); }
  void ClearProcessed() { model_.ClearProcessed(); }
  // Shows the window modally; returns when it has been closed.
  void ShowModal();
  void setVisible(bool visible) override;

  QTabWidget* PageControl1;
  QWidget* TabSheetTable;
  QWidget* TabSheetDiagram;
  TableGrid* StringGrid1;
  TDiagramFrame* DiagramFrame1;
  QToolBar* ToolBar1;
  QToolButton* SpeedButton1;  // "Обработать данные"
  QToolButton* SpeedButton2;  // "Новая таблица"
  QToolButton* SpeedButton3;  // "Вставить столбец"
  QToolButton* SpeedButton4;  // "Удалить столбец"
  QToolButton* SpeedButton5;  // "Открыть"
  QToolButton* SpeedButton6;  // "Сохранить"
  QToolButton* SpeedButton7;  // "Сохранить в формате Exel"
  QToolButton* SpeedButton8;  // "Закрыть"
  QAction* N16;               // "Курсор"
  QAction* N17;               // "Рамка"
  QAction* N19;               // "Последовательный ввод"
  QAction* Enter1;            // "Переход по <Enter>"

 public slots:
  // Every way of closing but "Обработать данные" (the close box, "Закрыть") comes here: with
  // edits in the grid the user chooses to process them, to discard them, or to stay.
  void reject() override;
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenu();
  void BuildToolBar();
  void StyleDiagram();
  QToolButton* AddToolButton(const char* hint, int glyph, void (TTabEditorForm::*handler)());

  void FormShow();
  void FormPaint();
  void SpeedButton1Click();
  void SpeedButton2Click();
  void SpeedButton3Click();
  void SpeedButton4Click();
  void SpeedButton5Click();
  void SpeedButton6Click();
  void SpeedButton7Click();
  void SpeedButton8Click();
  void N16Click();
  void N17Click();
  void N19Click();
  void Enter1Click();
  void StringGrid1EnterPressed(bool* used);
  void PageControl1Change(int page);
  // False, with the cursor on the first cell that holds no number and the message about it,
  // when the grid cannot be taken as it is.
  bool CheckCellsReadable();

  TableModel& model_;
  bool layout_pending_ = true;
  bool opened_before_ = false;
  std::string open_name_;  // the open dialog keeps its last name
};

// The three table editors, created on the main window's first paint.
