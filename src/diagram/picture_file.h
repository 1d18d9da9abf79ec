#pragma once
// Names of the picture files a diagram is saved to.

#include <string>

inline const std::string kCannotSavePictureMessage = "Не удаётся сохранить файл";

// What the save-picture dialog offers.
struct TPictureDialogSettings {
  std::string default_extension = "bmp";
  std::string filter = "Bitmaps (*.bmp)|*.bmp";
  std::string initial_name = "Диаграмма.bmp";
  bool prompt_overwrite = true;
};

// The extension of a file name with its dot, lower-cased ("" when there is none).
std::string FileExtension(const std::string& name);
// A name whose extension is not ".bmp" (in any case) is told to the user and given ".bmp" instead.
std::string CorrectBmpFileName(const std::string& name);
