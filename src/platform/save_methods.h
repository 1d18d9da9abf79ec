#pragma once
// The three ways new content reaches a file. Each leaves the file as it was until Install, and
// keeps its old content on disk from Stage until Finish, so that Revert can put it back after
// Install (a stream cannot take back what it sent). A failed Install leaves the file as it was,
// except a stream.

#include <memory>
#include <string>
#include <string_view>

#include "platform/save_target.h"

enum class SaveMethod {
  kStream,   // written as it goes: a device, a pipe, standard output
  kInPlace,  // the file itself is rewritten, its old content kept aside until the new is verified
  kReplace,  // a complete new file beside the target is renamed over it
};

class FileSave {
 public:
  virtual ~FileSave() = default;
  virtual SaveMethod Method() const = 0;
  // Readies the content without touching the file: complete on disk beside it, or room
  // reserved, and the old content kept on disk.
  virtual bool Stage(std::string_view content) = 0;
  // Puts the content in place; Stage runs first if it has not. The old content stays kept.
  virtual bool Install(std::string_view content) = 0;
  // After Install: puts the old content back. Whether it is back; if not, it stays kept where
  // KeptOldContent says.
  virtual bool Revert() = 0;
  // After Install: lets the old content go.
  virtual void Finish() = 0;
  // Where the old content is kept after a revert that failed ("" when it is not).
  virtual std::string KeptOldContent() const { return {}; }
  // errno of the failure.
  int Error() const { return error_; }

 protected:
  bool Fail(int error) {
    error_ = error;
    return false;
  }

 private:
  int error_ = 0;
};

// Each gives nothing, with the reason in error, when it cannot start.
// A temporary beside a missing or regular target, with the target's owner, mode and extended
// attributes (its access list among them).
std::unique_ptr<FileSave> StartReplaceSave(const SaveTarget& target, int& error);
// The regular target opened for reading and writing.
std::unique_ptr<FileSave> StartInPlaceSave(const SaveTarget& target, int& error);
// The stream target opened (or its descriptor duplicated) for writing.
std::unique_ptr<FileSave> StartStreamSave(const SaveTarget& target, int& error);

// A hidden name beside path, unique to this process and attempt, ending in "." and kind
// (".name.<pid>-<attempt>.tmp"), that stays within the longest name the file system takes
// however long path's own name is.
std::string HiddenNameBeside(const std::string& path, int attempt, std::string_view kind);

// Makes the changes in folder (a rename, a new name) last through a power cut; a folder that
// cannot be synced changes nothing.
void SyncFolder(const std::string& folder);
