#pragma once
// Names and formats of the picture files a diagram is saved to.

#include <string>

inline const std::string kCannotSavePictureMessage = "Не удаётся сохранить файл";

// The formats a diagram saves in, in the order of the save dialog's filters.
enum class TPictureFormat { kBmp, kPng, kSvg };
inline constexpr TPictureFormat kPictureFormats[] = {TPictureFormat::kBmp, TPictureFormat::kPng, TPictureFormat::kSvg};

// What the save-picture dialog offers.
struct TPictureDialogSettings {
  std::string default_extension = "bmp";
  std::string filter = "Bitmaps (*.bmp)|*.bmp|Рисунки PNG (*.png)|*.png|Рисунки SVG (*.svg)|*.svg";
  std::string initial_name = "Диаграмма.bmp";
  bool prompt_overwrite = true;
};

// A name from the save dialog and the filter chosen there.
struct TPictureChoice {
  std::string name;
  TPictureFormat format = TPictureFormat::kBmp;
};

// The format of the dialog's filter number `index` (BMP for any other number).
TPictureFormat PictureFormatOfFilter(int index);
// ".bmp", ".png" or ".svg".
std::string PictureExtension(TPictureFormat format);

// The extension of a file name with its dot, lower-cased ("" when there is none).
std::string FileExtension(const std::string& name);
// The file a chosen name is saved as. A typed ".bmp", ".png" or ".svg" (in any case) names the
// format and is kept. ".jpg" is told to the user and becomes ".bmp"; any other extension, or
// none, is told the same way and becomes the chosen filter's.
TPictureChoice CorrectPictureFileName(const TPictureChoice& chosen);
