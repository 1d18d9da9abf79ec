#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/field_keys.h"
#include "dialogs/filter_library_fields.h"
#include "platform/messages.h"

namespace {

using enum LibraryField;

char32_t Typed(FieldKeys keys, char32_t key, const std::string& text, int start, int length, int max_chars) {
  return FilterFieldKey(keys, key, EditFieldState{text, start, length}, max_chars);
}

TEST(FieldKeysTest, LengthLimitCountsCharactersAndTheReplacedSelection) {
  // "Бесконечность" is 13 characters (26 bytes): nothing more fits into a field of 6 …
  EXPECT_EQ(Typed(FieldKeys::kUnsigned, U'5', "Бесконечность", 13, 0, 6), kNullKey);
  // … unless it is selected and typed over.
  EXPECT_EQ(Typed(FieldKeys::kUnsigned, U'5', "Бесконечность", 0, 13, 6), U'5');
  EXPECT_EQ(Typed(FieldKeys::kUnsigned, U'5', "1,234", 5, 0, 6), U'5');
  EXPECT_EQ(Typed(FieldKeys::kUnsigned, U'5', "1,2345", 6, 0, 6), kNullKey);
  EXPECT_EQ(Typed(FieldKeys::kUnsigned, U'5', "1,2345", 2, 1, 6), U'5');
  EXPECT_EQ(Typed(FieldKeys::kUnsigned, kBackspaceKey, "1,2345", 6, 0, 6), kBackspaceKey);
  // The filter's own rules first: a point becomes a comma, letters and minus signs are refused.
  EXPECT_EQ(Typed(FieldKeys::kUnsigned, U'.', "15", 2, 0, 6), U',');
  EXPECT_EQ(Typed(FieldKeys::kUnsigned, U'-', "", 0, 0, 6), kNullKey);
  EXPECT_EQ(Typed(FieldKeys::kSigned, U'-', "5", 0, 0, 6), U'-');
  EXPECT_EQ(Typed(FieldKeys::kSigned, U'-', "5", 1, 0, 6), kNullKey);
  EXPECT_EQ(Typed(FieldKeys::kDigits, U',', "1", 1, 0, 3), kNullKey);
  EXPECT_EQ(Typed(FieldKeys::kDigits, U'7', "12", 2, 0, 3), U'7');
  EXPECT_EQ(Typed(FieldKeys::kDigits, U'7', "123", 3, 0, 3), kNullKey);
}

TEST(FieldKeysTest, PasteIsTypedThroughTheFilterWholeOrNotAtAll) {
  const KeyFilter signed6 = [](char32_t key, const EditFieldState& edit) {
    return FilterFieldKey(FieldKeys::kSigned, key, edit, 6);
  };
  using Pasted = std::optional<std::string>;
  EXPECT_EQ(FilterPastedText({"", 0, 0}, U"-1.5", signed6), Pasted("-1,5"));
  EXPECT_EQ(FilterPastedText({"12", 2, 0}, U"-1", signed6), std::nullopt);   // the minus would not be first
  EXPECT_EQ(FilterPastedText({"1,2", 3, 0}, U"5,", signed6), std::nullopt);  // a second comma
  EXPECT_EQ(FilterPastedText({"1,2", 0, 3}, U"5,", signed6), Pasted("5,"));  // … unless the selection held it
  EXPECT_EQ(FilterPastedText({"1234", 4, 0}, U"56", signed6), Pasted("56"));
  EXPECT_EQ(FilterPastedText({"1234", 4, 0}, U"567", signed6), std::nullopt);  // 7 characters
  EXPECT_EQ(FilterPastedText({"", 0, 0}, U"\t 42\r\n", signed6), Pasted("42"));
  EXPECT_EQ(FilterPastedText({"", 0, 0}, U"4\b2", signed6), std::nullopt);  // a Backspace is no character
  EXPECT_EQ(FilterPastedText({"", 0, 0}, U"  ", signed6), std::nullopt);
  // Positions count characters: the selection of the second word of a Cyrillic text.
  EXPECT_EQ(WithoutSelection({"Дано 1,5", 5, 3}).text, "Дано ");
  EXPECT_EQ(FilterPastedText({"Дано 1,5", 5, 3}, U"7", signed6), Pasted("7"));
}

TEST(FilterLibraryFieldsTest, PassLevelAboveTheRippleBandRewritesTheRipple) {
  FilterLibraryModel library;
  FilterLibraryFields fields(library);
  fields.TakeRewritten();
  MessageRecorder recorder;
  ASSERT_EQ(fields.Commit(Edit15, "0,2"), CommitResult::kCommitted);  // lower ripple level 0,8
  EXPECT_EQ(fields.Text(Edit15), "0,2000");
  fields.TakeRewritten();
  ASSERT_EQ(fields.Commit(Edit10, "0,85"), CommitResult::kCommitted);
  EXPECT_EQ(recorder.Messages(),
            std::vector<std::string>{"Уровень верхней границы полосы пропускания должен быть не больше нижнего "
                                     "уровня пульсаций.\n Произведена коррекция"});
  EXPECT_EQ(fields.Text(Edit10), "0,8500");
  EXPECT_EQ(fields.Text(Edit15), "0,1500");  // the band now ends at Lp: r = 1 − 0,85
  EXPECT_EQ(fields.Text(Edit14), "15,00");
  const std::vector<LibraryField> rewritten = fields.TakeRewritten();
  for (LibraryField field : {Edit10, Edit15, Edit14, Edit11, Edit13, Edit17}) {
    EXPECT_NE(std::find(rewritten.begin(), rewritten.end(), field), rewritten.end()) << static_cast<int>(field);
  }
  EXPECT_EQ(std::find(rewritten.begin(), rewritten.end(), Edit12), rewritten.end());
}

TEST(FilterLibraryFieldsTest, CutOffPairsOrdersAndUnreadableTexts) {
  FilterLibraryModel library;
  FilterLibraryFields fields(library);
  fields.TakeRewritten();
  MessageRecorder recorder;
  ASSERT_EQ(fields.Commit(Edit22, "0,25"), CommitResult::kCommitted);
  EXPECT_EQ(fields.Text(Edit16), "1,57");  // 2π·0,25
  EXPECT_EQ(fields.Text(Edit19), "1,00");  // the other page keeps its own
  ASSERT_EQ(fields.Commit(Edit18, "0"), CommitResult::kCommitted);
  EXPECT_EQ(fields.Text(Edit18), "1");
  EXPECT_EQ(recorder.Messages(),
            std::vector<std::string>{"Порядок ЦФ должен быть положительным.\nПроизведена коррекция."});

  fields.TakeRewritten();
  EXPECT_EQ(fields.Commit(Edit21, ""), CommitResult::kInvalid);
  EXPECT_EQ(fields.Commit(Edit1, "1,2,3"), CommitResult::kInvalid);
  EXPECT_TRUE(fields.TakeRewritten().empty());
  EXPECT_EQ(library.FrSamplingDesign().GetOrder(), 10);
  EXPECT_DOUBLE_EQ(library.ButterworthDesign().GetWp(), 1.0);
  // Fields that cannot be typed into are never committed.
  EXPECT_EQ(fields.Commit(Edit5, "50"), CommitResult::kUnchanged);
  EXPECT_EQ(fields.Commit(Edit7, "5"), CommitResult::kUnchanged);  // width mode
  EXPECT_EQ(library.ButterworthDesign().GetOrder(), 30);
}

TEST(FilterLibraryFieldsTest, SecondEdgesAndKaiserFieldsReachTheDesigns) {
  FilterLibraryModel library;
  FilterLibraryFields fields(library);
  MessageRecorder recorder;
  // Low-pass has no second edge, nor the rectangular window Kaiser's fields.
  EXPECT_EQ(fields.Commit(Edit23, "2,5"), CommitResult::kUnchanged);
  EXPECT_EQ(fields.Commit(Edit32, "40"), CommitResult::kUnchanged);
  EXPECT_DOUBLE_EQ(library.ButterworthDesign().GetWp2(), 2.0);

  fields.SetBand(kButterworthKind, BandType::kBandPass);
  EXPECT_EQ(library.ButterworthDesign().GetBand(), BandType::kBandPass);
  EXPECT_EQ(library.ChebyshevDesign().GetBand(), BandType::kLowPass);  // each page its own
  ASSERT_EQ(fields.Commit(Edit23, "2,5"), CommitResult::kCommitted);
  EXPECT_DOUBLE_EQ(library.ButterworthDesign().GetWp2(), 2.5);
  EXPECT_EQ(fields.Text(Edit24), "0,398");  // 2,5/2π
  // A second edge below the first moves halfway between the first and π: (1 + π)/2.
  ASSERT_EQ(fields.Commit(Edit23, "0,5"), CommitResult::kCommitted);
  EXPECT_EQ(fields.Text(Edit23), "2,07");
  EXPECT_EQ(fields.Text(Edit24), "0,330");
  EXPECT_EQ(fields.Text(Edit1), "1,00");
  // The same for the cyclic cut-offs of a band-stop: fc2 = (1/2π + 0,5)/2.
  fields.SetBand(kFrSamplingKind, BandType::kBandStop);
  ASSERT_EQ(fields.Commit(Edit30, "0,1"), CommitResult::kCommitted);
  EXPECT_EQ(fields.Text(Edit30), "0,33");
  EXPECT_EQ(fields.Text(Edit29), "2,07");
  const std::string second_edge =
      "Вторая граница полосы пропускания должна быть больше первой.\n Произведена коррекция.";
  const std::string second_cutoff = "Верхняя частота среза должна быть больше нижней.\n Произведена коррекция.";
  EXPECT_EQ(recorder.Messages(), (std::vector<std::string>{second_edge, second_cutoff}));

  // Kaiser: the attenuation writes β and, with Δω = 10 % of ωc = 1, the order ⌈(A − 8)/0,2285⌉ + 1.
  fields.SetWindow(kWeighingKind, FirWindow::kKaiser);
  EXPECT_TRUE(fields.IsEditable(Edit31));
  EXPECT_EQ(fields.Text(Edit18), "229");  // chosen with A = 60: ⌈52/0,2285⌉ + 1
  fields.TakeRewritten();
  ASSERT_EQ(fields.Commit(Edit32, "40"), CommitResult::kCommitted);
  EXPECT_EQ(fields.Text(Edit31), "3,40");  // 0,5842·19^0,4 + 0,07886·19 = 3,3953
  EXPECT_EQ(fields.Text(Edit18), "142");   // ⌈140,04⌉ + 1
  const std::vector<LibraryField> rewritten = fields.TakeRewritten();
  for (LibraryField field : {Edit31, Edit32, Edit18}) {
    EXPECT_NE(std::find(rewritten.begin(), rewritten.end(), field), rewritten.end()) << static_cast<int>(field);
  }
  ASSERT_EQ(fields.Commit(Edit33, "20"), CommitResult::kCommitted);
  EXPECT_EQ(fields.Text(Edit18), "72");  // ⌈70,02⌉ + 1
  ASSERT_EQ(fields.Commit(Edit32, "60"), CommitResult::kCommitted);
  EXPECT_EQ(fields.Text(Edit31), "5,65");  // 0,1102·51,3
  EXPECT_EQ(fields.Text(Edit18), "115");   // ⌈113,79⌉ + 1
  EXPECT_EQ(fields.Text(Edit21), "10");    // the other page keeps its own
  // A first cut-off set above the second while low-pass: the band type moves the second to (2,5 + π)/2.
  ASSERT_EQ(fields.Commit(Edit19, "2,5"), CommitResult::kCommitted);
  fields.SetBand(kWeighingKind, BandType::kBandPass);
  EXPECT_EQ(fields.Text(Edit27), "2,82");
  EXPECT_EQ(recorder.Messages().size(), 3u);
}

}  // namespace
