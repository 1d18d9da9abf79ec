// Any bytes opened as a project: either settings or a message that names the file, never another
// fault; and the settings read write a text that reads back as the same text.

#include <cstddef>
#include <cstdint>
#include <string>

#include "session/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  ProjectSettings settings;
  try {
    settings = ReadProject(text, "fuzz.velmar");
  } catch (const UsageError& error) {
    if (!std::string(error.what()).starts_with("fuzz.velmar")) __builtin_trap();
    return 0;
  }
  const std::string written = WriteProject(settings);
  if (WriteProject(ReadProject(written, "fuzz.velmar")) != written) __builtin_trap();
  return 0;
}
