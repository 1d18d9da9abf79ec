#include <gtest/gtest.h>

#include "diagram/picture_file.h"
#include "diagram/pointer_readout.h"
#include "diagram/recording_canvas.h"
#include "platform/messages.h"

namespace {

TEST(PointerReadoutTest, ValuesHaveFiveSignificantDigitsAndTheLabelDecimalsPlusTwo) {
  EXPECT_EQ(FixedSignificant(1234.5678, 5, 3), "1234,600");
  EXPECT_EQ(FixedSignificant(3.14159265, 5, 7), "3,1416000");
  EXPECT_EQ(FixedSignificant(0.000123456, 5, 9), "0,000123460");
  EXPECT_EQ(FixedSignificant(-0.5, 5, 3), "-0,500");
  EXPECT_EQ(FixedSignificant(0, 5, 2), "0,00");
  EXPECT_EQ(FixedSignificant(123456, 5, 2), "1,2346E+05");
}

// The net of the 300 × 180 recorded diagram is 31..281 × 11..162.
TEST(PointerReadoutTest, EmptyWithinTwoPixelsOfTheNetsEdges) {
  RecordedDiagram d;
  EXPECT_EQ(PointerReadout(d, 156, 86), "(0,000; 0,008)");  // x = 0, y = 1 - 64·2/129
  EXPECT_NE(PointerReadout(d, 33, 13), "");
  EXPECT_NE(PointerReadout(d, 279, 160), "");
  EXPECT_EQ(PointerReadout(d, 32, 86), "");
  EXPECT_EQ(PointerReadout(d, 280, 86), "");
  EXPECT_EQ(PointerReadout(d, 156, 12), "");
  EXPECT_EQ(PointerReadout(d, 156, 161), "");
  d.SetRangeX(0, 0.05);  // three label decimals: five in the read-out
  EXPECT_EQ(PointerReadout(d, 37, 22), "(0,00000; 1,000)");
}

TEST(PictureFileTest, OnlyTheBmpExtensionPassesUncorrected) {
  MessageRecorder messages;
  EXPECT_EQ(CorrectBmpFileName("/tmp/Диаграмма.BMP"), "/tmp/Диаграмма.BMP");
  EXPECT_EQ(CorrectBmpFileName("/tmp/a.b/picture.jpg"), "/tmp/a.b/picture.bmp");
  EXPECT_EQ(CorrectBmpFileName("/tmp/a.b/picture"), "/tmp/a.b/picture.bmp");
  EXPECT_EQ(messages.Messages(),
            (std::vector<std::string>{
                "/tmp/a.b/picture.jpg:\nФормат файлов .jpg не поддерживается.Произведена коррекция.",
                "/tmp/a.b/picture:\nФормат файлов  не поддерживается.Произведена коррекция."}));
  EXPECT_EQ(FileExtension("x.TbL"), ".tbl");
}

}  // namespace
