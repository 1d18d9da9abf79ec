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
    case TargetKind::kUnusable: error_ = target_.error; return;
    case TargetKind::kStream: save_ = StartStreamSave(target_, error_); return;
    case TargetKind::kMissing: save_ = StartReplaceSave(target_, error_); return;
    case TargetKind::kRegular:
      // A rename would part the file from its other names.
      if (target_.info.st_nlink <= 1) {
        save_ = StartReplaceSave(target_, error_);
        // No new file in the folder, or not with the file's owner or attributes: the file
        // itself still can be rewritten, and keeps them all.
        if (save_) return;
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
  if (!Install()) return false;
  Finish();
  return true;
}

bool AtomicFileWriter::Install() {
  if (!IsOpen()) return false;
  return save_->Install(content_) || Failed(save_->Error());
}

bool AtomicFileWriter::Revert() {
  if (save_ == nullptr) return true;
  if (save_->Revert()) return true;
  error_ = save_->Error() != 0 ? save_->Error() : EIO;
  return false;
}

void AtomicFileWriter::Finish() {
  if (save_ == nullptr) return;
  save_->Finish();
  save_.reset();  // closes what the save holds; a second Commit finds nothing open
}

std::string AtomicFileWriter::KeptOldContent() const { return save_ ? save_->KeptOldContent() : kept_; }

SaveMethod AtomicFileWriter::Method() const { return save_ ? save_->Method() : SaveMethod::kReplace; }

std::string AtomicFileWriter::FailureMessage(std::string_view text) const {
  std::string message = IsReadOnlyTarget() ? FileFailureMessage(text, path_, kReadOnlyFileReason)
                        : IsForeignLink()  ? FileFailureMessage(text, path_, kForeignLinkReason)
                                           : FileFailureMessage(text, path_, error_);
  if (const std::string kept = KeptOldContent(); !kept.empty())
    message += "\n" + std::string(kKeptOldContentText) + kept;
  return message;
}

bool AtomicFileWriter::Failed(int error) {
  error_ = error != 0 ? error : EIO;
  kept_ = save_->KeptOldContent();
  save_.reset();  // removes a temporary
  return false;
}
