#include <gtest/gtest.h>

#include "diagram/keeper_chain.h"
#include "diagram/series_data.h"
#include "platform/messages.h"

namespace {

std::vector<int> Numbers(TKeeperChain& chain) {
  std::vector<int> numbers;
  for (TKeeper* k = &chain.Base(); k != nullptr; k = k->GetNext()) numbers.push_back(k->GetNumber());
  return numbers;
}

TEST(KeeperChainTest, NewSeriesAreNumberedInOrder) {
  TKeeperChain chain;
  EXPECT_EQ(chain.GetKeeperListLength(), 1);
  EXPECT_EQ(chain.NewKeeper(), 1);
  EXPECT_EQ(chain.NewKeeper(), 2);
  TKeeper* third = chain.PNewKeeper();
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(third->GetNumber(), 3);
  EXPECT_EQ(chain.GetKeeper(3), third);
  EXPECT_EQ(chain.GetKeeper(0), &chain.Base());
  EXPECT_EQ(chain.GetKeeper(4), nullptr);
  EXPECT_EQ(chain.GetKeeperListLength(), 4);

  chain.NewKeeperList(5);
  EXPECT_EQ(Numbers(chain), (std::vector<int>{0, 1, 2, 3, 4}));
  chain.NewKeeperList(1);
  EXPECT_EQ(Numbers(chain), std::vector<int>{0});
  chain.NewKeeperList(0);
  EXPECT_EQ(chain.GetKeeperListLength(), 1);
}

TEST(KeeperChainTest, DeletingRenumbersAndTheBaseStays) {
  MessageRecorder messages;
  TKeeperChain chain;
  chain.NewKeeperList(5);
  TKeeper* former_three = chain.GetKeeper(3);
  chain.DeleteKeeper(2);
  EXPECT_EQ(Numbers(chain), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(chain.GetKeeper(2), former_three);

  chain.PDeleteKeeper(&chain.Base());
  chain.DeleteKeeper(0);
  EXPECT_EQ(messages.Messages(), (std::vector<std::string>(2, "Diagram: Попытка удалить базовый график отменена.")));
  TKeeper stranger;
  chain.PDeleteKeeper(&stranger);
  chain.DeleteKeeper(9);
  EXPECT_EQ(chain.GetKeeperListLength(), 4);

  chain.PDeleteKeeper(chain.GetKeeper(3));  // the last one
  EXPECT_EQ(Numbers(chain), (std::vector<int>{0, 1, 2}));
}

TEST(KeeperChainTest, AChainHoldsAtMost256Series) {
  MessageRecorder messages;
  TKeeperChain chain;
  chain.NewKeeperList(255);
  EXPECT_EQ(chain.GetKeeperListLength(), 255);
  EXPECT_EQ(chain.NewKeeper(), 255);
  EXPECT_EQ(chain.GetKeeperListLength(), 256);
  EXPECT_TRUE(messages.Messages().empty());
  EXPECT_EQ(chain.NewKeeper(), 0);
  EXPECT_EQ(chain.PNewKeeper(), nullptr);
  EXPECT_EQ(messages.Messages(), (std::vector<std::string>{"Diagram: Отказано в выделении памяти при создании графика.",
                                                           "Diagram: Hе удалось создать график."}));
  EXPECT_EQ(chain.GetKeeperListLength(), 256);
  EXPECT_EQ(chain.GetKeeper(255)->GetNext(), nullptr);
}

TEST(KeeperChainTest, ABorrowedChainIsNeverFreed) {
  TKeeperChain owner;
  owner.NewKeeperList(3);
  const double values[] = {1, 2};
  owner.GetKeeper(2)->SetArray(values, 2, 0, 1);
  {
    TKeeperChain borrower;
    borrower.Base().SetNext(&owner.Base());
    EXPECT_EQ(borrower.GetKeeperListLength(), 4);
    borrower.Base().ClearNext();
  }  // the sanitizer would report freeing the owner's series here
  EXPECT_EQ(owner.GetKeeperListLength(), 3);
  EXPECT_EQ(owner.GetKeeper(2)->GetYmax(), 2);
}

// Column pairs per visible series, 17 significant digits; the shorter series leaves empty cells.
TEST(KeeperChainTest, SeriesDataHasAColumnPairPerVisibleSeries) {
  TKeeperChain chain;
  const double first[] = {1, 0.1, -2.5};
  const double second[] = {1.0 / 3, 2};
  const double hidden[] = {7, 7, 7, 7};
  chain.Base().SetArray(first, 3, 0, 1);
  TKeeper* k2 = chain.PNewKeeper();
  k2->SetArray(hidden, 4, 0, 3);
  k2->Hide();
  chain.PNewKeeper()->SetArray(second, 2, -1, 1);
  EXPECT_EQ(SeriesDataText(chain.Base(), TSeriesDataText::kCsv),
            "x1,y1,x2,y2\n"
            "0,1,-1,0.3333333333333333\n"
            "0.5,0.1,1,2\n"
            "1,-2.5,,\n");
  EXPECT_EQ(SeriesDataText(chain.Base(), TSeriesDataText::kTabbed),
            "x1\ty1\tx2\ty2\n"
            "0\t1\t-1\t0,3333333333333333\n"
            "0,5\t0,1\t1\t2\n"
            "1\t-2,5\t\t\n");
  // From a later series on, as the enlarged view reads a linked chain behind its hidden base.
  EXPECT_EQ(SeriesDataText(*k2->GetNext(), TSeriesDataText::kCsv), "x1,y1\n-1,0.3333333333333333\n1,2\n");

  // A z-plane: the points of a marker series, each as often as it coincides; the circle gives none.
  TKeeperChain plane;
  const TMarkedPoint zeros[] = {{-1, 0, 2}, {0.5, -0.25, 1}};
  plane.Base().SetPoints(zeros, 2, msCircle);
  plane.PNewKeeper()->SetCircle(1);
  EXPECT_EQ(SeriesDataText(plane.Base(), TSeriesDataText::kCsv), "x1,y1\n-1,0\n-1,0\n0.5,-0.25\n");
}

}  // namespace
