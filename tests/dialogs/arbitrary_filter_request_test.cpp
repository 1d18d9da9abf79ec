#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/arbitrary_filter_request.h"
#include "dialogs/table_model.h"
#include "platform/messages.h"

namespace {

const std::string kBroken =
    "Коэффициенты нерекурсивной части цифрового фильтра заданы некорректно:\n"
    " Цифровая цепь содержит разрыв. Повторите ввод.";

TEST(ArbitraryFilterRequestTest, FirstShowingPreparesTheTablesForTheIdentityFilter) {
  TableModel a;
  TableModel b;
  b.SetFirstIndex(1);
  ArbitraryFilterRequest dialog;
  dialog.Show(a, b);
  EXPECT_EQ(a.Title(), "Коэффициенты нерекурсивной части цифрового фильтра");
  EXPECT_EQ(b.Title(), "Коэффициенты рекурсивной части цифрового фильтра");
  EXPECT_EQ(a.CellText(0, 0), "a(0)");
  EXPECT_EQ(b.CellText(0, 0), "b(1)");
  EXPECT_EQ(a.Cells().ValueText(0), "1,0000");
  EXPECT_EQ(std::vector<double>(a.Values().begin(), a.Values().end()), std::vector<double>{1.0});
  EXPECT_EQ(b.ValueCount(), 0);
  EXPECT_FALSE(a.IsDiagramVisible());
  EXPECT_FALSE(b.IsDiagramVisible());

  MessageRecorder messages;
  EXPECT_TRUE(dialog.RequestAnalysis(a));
  EXPECT_TRUE(dialog.IsAnalysisRequested());
  EXPECT_TRUE(messages.Messages().empty());
  dialog.ClearAnalysisRequest();
  EXPECT_FALSE(dialog.IsAnalysisRequested());

  // Later showings leave the tables alone but withdraw a request, as "Закрыть" does.
  const double delay[] = {0, 1};
  a.SetValues(delay, 2);
  dialog.RequestAnalysis(a);
  dialog.Show(a, b);
  EXPECT_EQ(a.ValueCount(), 2);
  EXPECT_FALSE(dialog.IsAnalysisRequested());
  EXPECT_TRUE(dialog.RequestAnalysis(a));  // a pure one-sample delay
  dialog.Close();
  EXPECT_FALSE(dialog.IsAnalysisRequested());
}

TEST(ArbitraryFilterRequestTest, AllZeroNonRecursivePartIsABrokenChain) {
  TableModel a;
  TableModel b;
  ArbitraryFilterRequest dialog;
  dialog.Show(a, b);
  a.Show();
  a.NewTable();
  a.Accept();
  a.Close();
  MessageRecorder messages;
  EXPECT_FALSE(dialog.RequestAnalysis(a));
  EXPECT_EQ(messages.Messages(), std::vector<std::string>{kBroken});
  EXPECT_FALSE(dialog.IsAnalysisRequested());

  // Edits not processed do not count: the check reads the accepted values.
  a.Show();
  a.SetValueText(0, "5");
  a.Close();
  EXPECT_FALSE(dialog.RequestAnalysis(a));
  EXPECT_FALSE(HasUnbrokenChain(std::vector<double>{-0.0, 0.0}));
  EXPECT_FALSE(HasUnbrokenChain(std::vector<double>{}));
  EXPECT_TRUE(HasUnbrokenChain(std::vector<double>{0.0, 0.0, 1e-300}));
}

}  // namespace
