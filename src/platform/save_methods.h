#pragma once
// The three ways new content reaches a file. Each leaves the file as it was until Commit; a
// failed Commit leaves it as it was too, except a stream, which cannot take back what it sent.

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
  // Readies the content without touching the file: complete on disk beside it, or room reserved.
  virtual bool Stage(std::string_view content) = 0;
  // Puts the content in place; Stage runs first if it has not.
  virtual bool Commit(std::string_view content) = 0;
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
// A temporary beside a missing or regular target, with the target's owner and mode.
std::unique_ptr<FileSave> StartReplaceSave(const SaveTarget& target, int& error);
// The regular target opened for reading and writing.
std::unique_ptr<FileSave> StartInPlaceSave(const SaveTarget& target, int& error);
// The stream target opened (or its descriptor duplicated) for writing.
std::unique_ptr<FileSave> StartStreamSave(const SaveTarget& target, int& error);
