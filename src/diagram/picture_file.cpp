#include "diagram/picture_file.h"

#include <iterator>

#include "platform/messages.h"

namespace {

// Position of the extension's dot, or npos; a dot in a folder name does not count.
std::size_t ExtensionDot(const std::string& name) {
  const std::size_t dot = name.find_last_of('.');
  const std::size_t slash = name.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::string::npos;
  return dot;
}

}  // namespace

TPictureFormat PictureFormatOfFilter(int index) {
  return index >= 0 && index < static_cast<int>(std::size(kPictureFormats)) ? kPictureFormats[index]
                                                                            : TPictureFormat::kBmp;
}

std::string PictureExtension(TPictureFormat format) {
  switch (format) {
    case TPictureFormat::kPng: return ".png";
    case TPictureFormat::kSvg: return ".svg";
    case TPictureFormat::kBmp: break;
  }
  return ".bmp";
}

std::string FileExtension(const std::string& name) {
  const std::size_t dot = ExtensionDot(name);
  if (dot == std::string::npos) return "";
  std::string ext = name.substr(dot);
  for (char& ch : ext) {
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  }
  return ext;
}

TPictureChoice CorrectPictureFileName(const TPictureChoice& chosen) {
  const std::string ext = FileExtension(chosen.name);
  for (TPictureFormat format : kPictureFormats) {
    if (ext == PictureExtension(format)) return {chosen.name, format};
  }
  const TPictureFormat format = ext == ".jpg" ? TPictureFormat::kBmp : chosen.format;
  ShowMessage(chosen.name + ":\nФормат файлов " + ext + " не поддерживается.Произведена коррекция.");
  return {chosen.name.substr(0, ExtensionDot(chosen.name)) + PictureExtension(format), format};
}
