#pragma once
// Saves a file the way careful editors do. The name is followed through symbolic links to the
// file itself (not through another user's link in a shared sticky folder such as /tmp). A
// read-only file is refused and nothing is written. An ordinary file is replaced only once its
// new content is completely on disk: the bytes go to a temporary beside it (within the longest
// name the system allows), with the file's mode, owner and extended attributes (its access
// list among them), which is renamed over it. Where a rename would not keep the file what it is
// (other hard links to it, a folder that takes no new files, an owner or an attribute that
// cannot be given back) the file is rewritten in place, its old content kept aside on disk and
// put back unless the new content is complete and reads back the same. Devices, pipes and
// standard output are written directly. A failure at any point leaves the old file as it was
// and no temporary behind.

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
  // reserved, and the old content kept on disk), so that several files can be put in place only
  // when all of them are ready.
  bool Stage();
  // Stages if needed and puts the new content in place. Returns whether all succeeded.
  bool Commit();

  // The steps of Commit, for several files saved together: Install puts the new content in
  // place and keeps the old on disk, Revert puts the old content back, Finish lets it go. A
  // writer that is installed but not finished reverts when it ends.
  bool Install();
  bool Revert();
  void Finish();
  // Where the old content is kept when a revert could not put it back ("" when it is not).
  std::string KeptOldContent() const;

  const std::string& Path() const { return path_; }
  // How the file is being written; meaningful while IsOpen.
  SaveMethod Method() const;
  // errno of the first failure (0 while all is well).
  int Error() const { return error_; }
  // The failure is the refusal of a file whose mode allows no writing.
  bool IsReadOnlyTarget() const { return target_.read_only; }
  // The failure is the refusal of another user's link in a shared sticky folder.
  bool IsForeignLink() const { return target_.foreign_link; }
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
  std::string kept_;  // KeptOldContent of a save that failed
};

inline constexpr std::string_view kReadOnlyFileReason = "Файл доступен только для чтения";
// Begins the line of a failure message that says where the old content is, when it could not be put back.
inline constexpr std::string_view kKeptOldContentText = "Прежнее содержимое файла сохранено в файле ";
inline constexpr std::string_view kForeignLinkReason =
    "Символическая ссылка в общей папке принадлежит другому пользователю: запись по ней запрещена";
