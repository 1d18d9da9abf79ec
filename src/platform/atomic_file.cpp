#include "platform/atomic_file.h"

#include <cerrno>
#include <utility>

#include "platform/file_failure.h"

AtomicFileWriter::AtomicFileWriter(std::string path) : path_(std::move(path)), target_(InspectSaveTarget(path_)) {
  Start();
}

AtomicFileWriter::~AtomicFileWriter() = default;

void AtomicFileWriter::Start() {
  switch (target_.kind) {
    case TargetKind::kUnusable:
      error_ = target_.error;
      return;
    case TargetKind::kStream:
      save_ = StartStreamSave(target_, error_);
      return;
    case TargetKind::kMissing:
      save_ = StartReplaceSave(target_, error_);
      return;
    case TargetKind::kRegular:
      // A rename would part the file from its other names.
      if (target_.info.st_nlink <= 1) {
        save_ = StartReplaceSave(target_, error_);
        // No new file in the folder, or not with the file's owner: the file itself still can be.
        if (save_ || (error_ != EACCES && error_ != EPERM)) return;
        error_ = 0;
      }
      save_ = StartInPlaceSave(target_, error_);
      return;
  }
}

void AtomicFileWriter::Write(std::string_view bytes) {
  if (IsOpen()) content_.append(bytes);
}

bool AtomicFileWriter::Stage() {
  if (!IsOpen()) return false;
  return save_->Stage(content_) || Failed(save_->Error());
}

bool AtomicFileWriter::Commit() {
  if (!IsOpen()) return false;
  const bool committed = save_->Commit(content_) || Failed(save_->Error());
  save_.reset();  // closes what the save holds; a second Commit finds nothing open
  return committed;
}

SaveMethod AtomicFileWriter::Method() const { return save_ ? save_->Method() : SaveMethod::kReplace; }

std::string AtomicFileWriter::FailureMessage(std::string_view text) const {
  return IsReadOnlyTarget() ? FileFailureMessage(text, path_, kReadOnlyFileReason)
                            : FileFailureMessage(text, path_, error_);
}

bool AtomicFileWriter::Failed(int error) {
  error_ = error != 0 ? error : EIO;
  save_.reset();  // removes a temporary
  return false;
}
