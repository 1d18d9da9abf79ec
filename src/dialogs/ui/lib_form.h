#pragma once
// "Вельмар: Библиотека фильтров": four pages of design parameters, one per method. Every field is
// committed to its design when left; "Выбрать фильтр" chooses the active page's filter and
// closes. Show it with exec(); afterwards the analysis run asks the library whether a filter was
// chosen.

#include <QDialog>
#include <array>
#include <vector>

#include "dialogs/filter_library_fields.h"
#include "dialogs/filter_library_model.h"
#include "dialogs/ui/dialog_frame.h"

class AmplitudeExample;
class FormulaLabel;
class ImpulseExample;
class NumericField;
class QAction;
class QButtonGroup;
class QGridLayout;
class QGroupBox;
class QMenuBar;
class QRadioButton;
class QTabWidget;
class QToolBar;
class QToolButton;
class Formula;

class TLibForm : public QDialog {
  Q_OBJECT

 public:
  // A view of the fields, which outlive it.
  explicit TLibForm(FilterLibraryFields& fields, QWidget* parent = nullptr);

  FilterLibraryModel& Library() { return fields_.Library(); }
  const FilterLibraryFields& Fields() const { return fields_; }
  int GetFilterKind() const { return fields_.Library().GetFilterKind(); }
  bool IsFilterSelected() const { return fields_.Library().IsFilterSelected(); }
  void ClearFilterSelected() { fields_.Library().ClearFilterSelected(); }
  // Shows the fields, the level display, the entry mode, the page, the band types and the windows
  // as the fields and the designs hold them: a project opened since the last showing may have
  // changed them (the session rewrites the fields' texts).
  void ShowDesigns();
  // Gives the buttons their pictures when first shown.
  void setVisible(bool visible) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildMenu(QMenuBar* menu);
  QToolBar* BuildToolBar();
  QWidget* BuildLowPassPage(bool chebyshev);
  QWidget* BuildFirPage(bool weighing);
  // "Тип фильтра": the band type of a page's design.
  QGroupBox* BuildBandGroup(int page);
  // "Взвешивание": the windows a page offers, and Kaiser's fields on the windowed page.
  QGroupBox* BuildWindowGroup(bool weighing);

  // A field under its symbol in a line and column of a group's grid; a level field gets its
  // decibel symbol in the same place, shown instead of the other in decibel mode.
  struct Cell {
    int line, column;
  };
  NumericField* AddField(LibraryField id, QGridLayout* grid, Cell cell, const Formula& symbol,
                         const QString& symbol_hint, const QString& field_hint = {});
  NumericField* AddLevelField(LibraryField id, QGridLayout* grid, Cell cell, const Formula& symbol,
                              const Formula& decibel_symbol, const QString& symbol_hint, const QString& decibel_hint);
  FormulaLabel* AddSymbol(QGridLayout* grid, Cell cell, const Formula& symbol, const QString& hint);
  NumericField* AddEdit(LibraryField id, QGridLayout* grid, Cell cell, const QString& hint);

  void SpeedButton1Click();
  void SpeedButton3Click();
  void N11Click();
  void N13Click();
  void N14Click();
  void RadioButton1Click();
  void RadioButton3Click();
  // A band type chosen on a page.
  void BandClick(int page, BandType band);
  // The leave handler of every field: the design's setter, then the fields that depend on it.
  void EditExit(LibraryField id);

  // The active page takes the focus, committing an edit in progress; false if that entry
  // could not be read.
  bool CommitEditInProgress();
  void ShowRewrittenFields();
  // The band types, windows and example pictures as the designs hold them.
  void ShowChoices();
  // Which fields may be typed into, and with which keys, after a change of mode, band type or
  // window.
  void ApplyFieldModes();

  FilterLibraryFields& fields_;
  StyleIcons style_icons_;
  std::array<NumericField*, kLastLibraryField + 1> edits_{};
  // The symbol above each field but a level field.
  std::array<FormulaLabel*, kLastLibraryField + 1> symbols_{};
  // The symbols of the level fields, as ratios and in decibels; one of each pair is shown.
  std::vector<FormulaLabel*> linear_symbols_;
  std::vector<FormulaLabel*> decibel_symbols_;
  QTabWidget* PageControl1 = nullptr;
  QToolButton* SpeedButton2 = nullptr;
  QAction* N11 = nullptr;
  QAction* N13 = nullptr;
  QAction* N14 = nullptr;
  // The windowed page's windows in the order of FirWindow; the frequency-sampling page's two.
  std::vector<QRadioButton*> weighing_windows_;
  QRadioButton* RadioButton3 = nullptr;
  QRadioButton* RadioButton4 = nullptr;
  std::array<std::array<QRadioButton*, 4>, 4> band_buttons_{};
  std::array<AmplitudeExample*, 2> amplitude_examples_{};
  std::array<ImpulseExample*, 2> impulse_examples_{};
  bool entry_invalid_ = false;
};
