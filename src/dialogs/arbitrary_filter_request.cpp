#include "dialogs/arbitrary_filter_request.h"

#include <algorithm>

#include "dialogs/table_model.h"
#include "platform/messages.h"

bool HasUnbrokenChain(std::span<const double> non_recursive) {
  return std::any_of(non_recursive.begin(), non_recursive.end(), [](double a) { return a != 0.0; });
}

void ArbitraryFilterRequest::Show(TableModel& non_recursive, TableModel& recursive) {
  if (first_show_) {
    non_recursive.SetTitle("Коэффициенты нерекурсивной части цифрового фильтра");
    non_recursive.SetTableName("a");
    const double identity = 1.0;
    non_recursive.SetValues(&identity, 1);
    non_recursive.SetDiagramVisible(false);
    recursive.SetTitle("Коэффициенты рекурсивной части цифрового фильтра");
    recursive.SetTableName("b");
    recursive.SetDiagramVisible(false);
    first_show_ = false;
  }
  analysis_requested_ = false;
}

bool ArbitraryFilterRequest::RequestAnalysis(const TableModel& non_recursive) {
  if (!HasUnbrokenChain(non_recursive.Values())) {
    ShowMessage(kBrokenChainMessage);
    return false;
  }
  analysis_requested_ = true;
  return true;
}
