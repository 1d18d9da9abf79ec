#pragma once
// Replaces a file only once its new content is completely on disk: the bytes go to a
// temporary file in the same folder, which is renamed over the target at the end. A failure
// at any point leaves the old file as it was and removes the temporary.

#include <string>
#include <string_view>

class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::string path);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Whether the temporary file could be created.
  bool IsOpen() const { return fd_ >= 0; }
  // Appends bytes; a failure is remembered and makes Commit fail.
  void Write(std::string_view bytes);
  // Flushes, closes and renames the temporary over the target. Returns whether all succeeded.
  bool Commit();

 private:
  void Discard();

  std::string path_;
  std::string temporary_;
  int fd_ = -1;
  bool failed_ = false;
};

// Writes bytes to path through an AtomicFileWriter; returns whether the file now holds them.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);
