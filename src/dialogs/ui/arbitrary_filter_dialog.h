#pragma once
// The arbitrary-filter dialog: the two halves of the difference equation as block diagrams; a
// click on one opens its coefficient table, "Анализ" checks the non-recursive part and asks the
// analysis run to take the filter.

#include <QDialog>

#include "dialogs/arbitrary_filter_request.h"

class QFrame;
class QPushButton;
class BlockDiagramPicture;
class TTabEditorForm;

class TInputForm : public QDialog {
  Q_OBJECT

 public:
  // A view of the request, which outlives it.
  explicit TInputForm(ArbitraryFilterRequest& request, QWidget* parent = nullptr);

  bool IsAnalysisRequested() const { return request_.IsAnalysisRequested(); }
  void ClearAnalysisRequest() { request_.ClearAnalysisRequest(); }
  void ShowModal();
  // The coefficient tables a click opens, made after the dialog; neither owned.
  void SetTables(TTabEditorForm* a_table, TTabEditorForm* b_table);

  QFrame* Panel1;
  BlockDiagramPicture* Image1;
  QFrame* Panel2;
  BlockDiagramPicture* Image2;
  QPushButton* Button1;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void Button1Click();
  void Image1Click();
  void Image2Click();
  void N7Click();

  ArbitraryFilterRequest& request_;
  TTabEditorForm* a_table_ = nullptr;
  TTabEditorForm* b_table_ = nullptr;
};
