#pragma once
// Saves a file the way careful editors do. The name is followed through symbolic links to the
// file itself. A read-only file is refused and nothing is written. An ordinary file is replaced
// only once its new content is completely on disk: the bytes go to a temporary beside it (within
// the longest name the system allows), with the file's mode and owner, which is renamed over it.
// Where a rename would not keep the file what it is (other hard links to it, a folder that
// takes no new files, an owner that cannot be given back) the file is rewritten in place, its
// old content kept aside and put back unless the new content is complete and reads back the
// same. Devices, pipes and standard output are written directly. A failure at any point leaves
// the old file as it was and no temporary behind.

#include <memory>
#include <string>
#include <string_view>

#include "platform/save_methods.h"
#include "platform/save_target.h"

class AtomicFileWriter {
 public:
  // Looks at the file and gets ready to write it; the file itself is not touched yet.
  explicit AtomicFileWriter(std::string path);
  // An uncommitted writer leaves the file as it was.
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Whether the file can be written; otherwise Error() says why.
  bool IsOpen() const { return save_ != nullptr && error_ == 0; }
  // Appends bytes to the new content.
  void Write(std::string_view bytes);
  // Readies the whole new content without touching the file (a complete temporary, or room
  // reserved), so that several files can be put in place only when all of them are ready.
  bool Stage();
  // Stages if needed and puts the new content in place. Returns whether all succeeded.
  bool Commit();

  const std::string& Path() const { return path_; }
  // How the file is being written; meaningful while IsOpen.
  SaveMethod Method() const;
  // errno of the first failure (0 while all is well).
  int Error() const { return error_; }
  // The failure is the refusal of a file whose mode allows no writing.
  bool IsReadOnlyTarget() const { return target_.read_only; }
  // "<text>\n<file>\n<reason in Russian>" for the user.
  std::string FailureMessage(std::string_view text) const;

 private:
  void Start();
  bool Failed(int error);

  std::string path_;
  SaveTarget target_;
  std::unique_ptr<FileSave> save_;
  std::string content_;
  int error_ = 0;
};

inline constexpr std::string_view kReadOnlyFileReason = "Файл доступен только для чтения";
