#include "diagram/picture_file.h"

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

std::string FileExtension(const std::string& name) {
  const std::size_t dot = ExtensionDot(name);
  if (dot == std::string::npos) return "";
  std::string ext = name.substr(dot);
  for (char& ch : ext) {
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  }
  return ext;
}

std::string CorrectBmpFileName(const std::string& name) {
  const std::string ext = FileExtension(name);
  if (ext == ".bmp") return name;
  ShowMessage(name + ":\nФормат файлов " + ext + " не поддерживается.Произведена коррекция.");
  return name.substr(0, ExtensionDot(name)) + ".bmp";
}
