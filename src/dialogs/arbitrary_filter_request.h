#pragma once
// The arbitrary-filter dialog without its window: it prepares the two coefficient tables on
// its first showing and, on "Анализ", checks that the non-recursive part is not all zeros before
// it asks the analysis run to take the filter.

#include <span>
#include <string>

#include "analysis/analysis_sources.h"

class TableModel;

inline const std::string kBrokenChainMessage =
    "Коэффициенты нерекурсивной части цифрового фильтра заданы некорректно:\n Цифровая цепь содержит разрыв. "
    "Повторите ввод.";

// Whether a signal can pass: some non-recursive coefficient differs from 0.
bool HasUnbrokenChain(std::span<const double> non_recursive);

class ArbitraryFilterRequest : public FilterRequestSource {
 public:
  // Every showing withdraws a request; the first also titles and names the tables and gives the
  // non-recursive one the single value a(0) = 1 (the filter passes the signal unchanged).
  void Show(TableModel& non_recursive, TableModel& recursive);
  // "Анализ": requests the analysis and returns true (the dialog closes), or shows the
  // broken-chain message and returns false (the dialog stays). The recursive part is not checked.
  bool RequestAnalysis(const TableModel& non_recursive);
  // "Закрыть": closes without a request.
  void Close() { analysis_requested_ = false; }

  bool IsAnalysisRequested() const override { return analysis_requested_; }
  // Called by the analysis run once it has taken the coefficients.
  void ClearAnalysisRequest() override { analysis_requested_ = false; }

 private:
  bool first_show_ = true;
  bool analysis_requested_ = false;
};
