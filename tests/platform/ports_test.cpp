#include <gtest/gtest.h>

#include <cerrno>

#include "platform/file_failure.h"
#include "platform/messages.h"
#include "platform/progress.h"

namespace {

TEST(MessagesTest, RecorderKeepsOrderAndNestsAndRestores) {
  std::vector<std::string> outer_seen;
  MessageHandler before = SetMessageHandler([&](const std::string& t) { outer_seen.push_back(t); });
  {
    MessageRecorder outer;
    ShowMessage("one");
    {
      MessageRecorder inner;
      ShowMessage("two");
      ShowMessage("три");
      EXPECT_EQ(inner.Messages(), (std::vector<std::string>{"two", "три"}));
    }
    ShowMessage("four");
    EXPECT_EQ(outer.Messages(), (std::vector<std::string>{"one", "four"}));
  }
  ShowMessage("five");
  EXPECT_EQ(outer_seen, std::vector<std::string>{"five"});
  SetMessageHandler(before);
}

TEST(ProgressTest, StepStopsAtTheMaximumAndResetReturnsToTheMinimum) {
  ProgressBar bar;
  bar.SetMinimum(0);
  bar.SetMaximum(3);
  bar.SetStep(1);
  bar.SetPosition(0);
  for (int i = 0; i < 4; ++i) bar.StepIt();
  EXPECT_EQ(bar.Position(), 3);
  bar.Reset();
  EXPECT_EQ(bar.Position(), 0);
  bar.SetPosition(99);
  EXPECT_EQ(bar.Position(), 3);
}

TEST(FileFailureTest, NamesTheFileApartFromTheTextAndGivesTheReason) {
  EXPECT_EQ(FileFailureMessage("Не удаётся открыть файл", "signal.tbl", ENOENT),
            "Не удаётся открыть файл\nsignal.tbl\nНет такого файла или папки");
  EXPECT_EQ(FileErrorReason(ENOSPC), "На диске нет свободного места");
  EXPECT_EQ(FileErrorReason(EACCES), "Доступ запрещён");
  EXPECT_FALSE(FileErrorReason(EPIPE).empty());  // an unlisted value still says something
}

}  // namespace
