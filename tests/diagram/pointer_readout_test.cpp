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

TEST(PictureFileTest, TheTypedExtensionOrTheChosenFilterGivesTheFormat) {
  using enum TPictureFormat;
  MessageRecorder messages;
  const auto corrected = [](const std::string& name, TPictureFormat chosen) {
    const TPictureChoice c = CorrectPictureFileName({name, chosen});
    return std::make_pair(c.name, c.format);
  };
  // A typed extension of the three wins over the filter, in any case, without a message.
  EXPECT_EQ(corrected("/tmp/Диаграмма.BMP", kSvg), std::make_pair(std::string("/tmp/Диаграмма.BMP"), kBmp));
  EXPECT_EQ(corrected("/tmp/a.png", kBmp), std::make_pair(std::string("/tmp/a.png"), kPng));
  EXPECT_EQ(corrected("/tmp/a.Svg", kPng), std::make_pair(std::string("/tmp/a.Svg"), kSvg));
  EXPECT_TRUE(messages.Messages().empty());
  // .jpg becomes .bmp whatever the filter; another extension, or none, takes the filter's.
  EXPECT_EQ(corrected("/tmp/a.b/picture.jpg", kPng), std::make_pair(std::string("/tmp/a.b/picture.bmp"), kBmp));
  EXPECT_EQ(corrected("/tmp/a.b/picture", kBmp), std::make_pair(std::string("/tmp/a.b/picture.bmp"), kBmp));
  EXPECT_EQ(corrected("/tmp/a.b/picture.gif", kSvg), std::make_pair(std::string("/tmp/a.b/picture.svg"), kSvg));
  EXPECT_EQ(
      messages.Messages(),
      (std::vector<std::string>{"/tmp/a.b/picture.jpg:\nФормат файлов .jpg не поддерживается.Произведена коррекция.",
                                "/tmp/a.b/picture:\nФормат файлов  не поддерживается.Произведена коррекция.",
                                "/tmp/a.b/picture.gif:\nФормат файлов .gif не поддерживается.Произведена коррекция."}));
  EXPECT_EQ(FileExtension("x.TbL"), ".tbl");
  // The dialog's filters in order: BMP, PNG, SVG.
  EXPECT_EQ(PictureFormatOfFilter(0), kBmp);
  EXPECT_EQ(PictureFormatOfFilter(1), kPng);
  EXPECT_EQ(PictureFormatOfFilter(2), kSvg);
  EXPECT_EQ(PictureFormatOfFilter(-1), kBmp);
}

}  // namespace
