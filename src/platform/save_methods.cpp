#include "platform/save_methods.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <utility>

#include "platform/file_attributes.h"

namespace {

// Every byte, from the start of the file (pwrite) or where the descriptor stands (write).
bool WriteAll(int fd, std::string_view bytes, bool from_start = false) {
  for (off_t offset = 0; !bytes.empty();) {
    const ssize_t written =
        from_start ? pwrite(fd, bytes.data(), bytes.size(), offset) : write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return false;
    if (written == 0) {
      errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
    offset += written;
  }
  return true;
}

bool ReadAll(int fd, std::string& bytes) {
  bytes.clear();
  char buffer[1 << 16];
  for (off_t offset = 0;;) {
    const ssize_t got = pread(fd, buffer, sizeof buffer, offset);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) return true;
    bytes.append(buffer, static_cast<std::size_t>(got));
    offset += got;
  }
}

// A new file under a hidden name beside path (made with mode); its descriptor and name, or -1.
int CreateBeside(const std::string& path, std::string_view kind, mode_t mode, std::string& name) {
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    name = HiddenNameBeside(path, attempt, kind);
    fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) name.clear();
  return fd;
}

// Owner, mode and extended attributes of original on fd, so that the new file lets in exactly
// whom the old one did.
bool MakeLike(int fd, const std::string& original, const struct stat& info) {
  struct stat own {};
  if (fstat(fd, &own) != 0) return false;
  if ((own.st_uid != info.st_uid || own.st_gid != info.st_gid) && fchown(fd, info.st_uid, info.st_gid) != 0)
    return false;
  // After fchown, which may clear set-id bits; again after the access list, which sets the
  // group bits to its mask (the same bits the old mode has) and may clear set-group-id.
  if (fchmod(fd, info.st_mode & 07777) != 0 || !CopyExtendedAttributes(original, fd)) return false;
  return fstat(fd, &own) == 0 &&
         ((own.st_mode & 07777) == (info.st_mode & 07777) || fchmod(fd, info.st_mode & 07777) == 0);
}

// bytes in a new file beside path, or, where that folder takes no new files, in the system's
// temporary folder; written and synced. Its name, or "" with errno.
std::string KeepCopy(const std::string& path, std::string_view bytes) {
  std::string name;
  int fd = CreateBeside(path, "old", 0600, name);
  if (fd < 0) {
    const int error = errno;
    const char* folder = std::getenv("TMPDIR");
    fd = CreateBeside(std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") + "/velmar-" + NameOf(path),
                      "old", 0600, name);
    if (fd < 0) {
      errno = error;
      return {};
    }
  }
  const bool kept = WriteAll(fd, bytes) && fsync(fd) == 0;
  const int error = errno;
  close(fd);
  if (kept) {
    SyncFolder(FolderOf(name));
    return name;
  }
  unlink(name.c_str());
  errno = error;
  return {};
}

class ReplaceSave final : public FileSave {
 public:
  ReplaceSave(const SaveTarget& target, std::string temporary, int fd)
      : target_(target.path),
        existed_(target.kind == TargetKind::kRegular),
        info_(target.info),
        temporary_(std::move(temporary)),
        fd_(fd) {}
  ~ReplaceSave() override {
    if (installed_) Revert();
    RemoveTemporary();
    if (!installed_) RemoveBackup();  // the old file is where it was
  }

  SaveMethod Method() const override { return SaveMethod::kReplace; }

  bool Stage(std::string_view content) override {
    if (staged_) return true;
    if (fd_ < 0) return false;
    if (!WriteAll(fd_, content) || fsync(fd_) != 0 || close(std::exchange(fd_, -1)) != 0) return Abandon(errno);
    if (existed_ && !KeepOld()) return Abandon(errno);
    staged_ = true;
    return true;
  }

  bool Install(std::string_view content) override {
    if (!Stage(content) || temporary_.empty()) return false;
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) return Abandon(errno);
    temporary_.clear();
    installed_ = true;
    SyncFolder(FolderOf(target_));
    return true;
  }

  bool Revert() override {
    if (!installed_) return true;
    const bool back = existed_ ? std::rename(backup_.c_str(), target_.c_str()) == 0 : unlink(target_.c_str()) == 0;
    if (!back) return Fail(errno);
    installed_ = false;
    backup_.clear();
    SyncFolder(FolderOf(target_));
    return true;
  }

  void Finish() override {
    installed_ = false;
    RemoveBackup();
  }

  std::string KeptOldContent() const override { return installed_ ? backup_ : std::string(); }

 private:
  // The old file under a second name beside it (the same file, owner, mode and attributes), or,
  // where the file system makes no second names, a copy made like it.
  bool KeepOld() {
    for (int attempt = 0; attempt < 100; ++attempt) {
      backup_ = HiddenNameBeside(target_, attempt, "old");
      if (link(target_.c_str(), backup_.c_str()) == 0) return true;
      if (errno != EEXIST) break;
    }
    backup_.clear();
    const int in = open(target_.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    std::string old;
    const bool read = in >= 0 && ReadAll(in, old);
    const int error = errno;
    if (in >= 0) close(in);
    if (!read) {
      errno = error;
      return false;
    }
    const int fd = CreateBeside(target_, "old", 0600, backup_);
    if (fd < 0) return false;
    const bool kept = MakeLike(fd, target_, info_) && WriteAll(fd, old) && fsync(fd) == 0;
    const int failure = errno;
    close(fd);
    errno = failure;
    return kept;
  }

  bool Abandon(int error) {
    RemoveTemporary();
    RemoveBackup();
    return Fail(error);
  }

  void RemoveTemporary() {
    if (fd_ >= 0) close(std::exchange(fd_, -1));
    if (!temporary_.empty()) unlink(temporary_.c_str());
    temporary_.clear();
  }

  void RemoveBackup() {
    if (!backup_.empty()) unlink(backup_.c_str());
    backup_.clear();
  }

  std::string target_;
  bool existed_;
  struct stat info_;
  std::string temporary_;
  std::string backup_;
  int fd_;
  bool staged_ = false;
  bool installed_ = false;
};

class InPlaceSave final : public FileSave {
 public:
  InPlaceSave(std::string target, int fd) : target_(std::move(target)), fd_(fd) {}
  ~InPlaceSave() override {
    if (installed_) Revert();
    if (!kept_) RemoveBackup();
    close(fd_);
  }

  SaveMethod Method() const override { return SaveMethod::kInPlace; }

  bool Stage(std::string_view content) override {
    if (staged_) return true;
    if (!ReadAll(fd_, old_content_)) return Fail(errno);
    if (content.size() > old_content_.size() && !ReserveRoom(content.size())) return Fail(errno);
    // On disk too, so that a crash in the middle of the rewrite does not take the old content along.
    backup_ = KeepCopy(target_, old_content_);
    if (backup_.empty()) return Fail(errno);
    staged_ = true;
    return true;
  }

  bool Install(std::string_view content) override {
    if (!Stage(content)) return false;
    if (Rewrite(content) && Holds(content)) {
      installed_ = true;
      return true;
    }
    const int error = errno;
    kept_ = !(Rewrite(old_content_) && Holds(old_content_));  // it fitted before, so it fits again
    return Fail(error);
  }

  bool Revert() override {
    if (!installed_) return true;
    installed_ = false;
    kept_ = !(Rewrite(old_content_) && Holds(old_content_));
    if (kept_) return Fail(errno);
    RemoveBackup();
    return true;
  }

  void Finish() override {
    installed_ = false;
    RemoveBackup();
  }

  std::string KeptOldContent() const override { return kept_ ? backup_ : std::string(); }

 private:
  // Blocks for the larger content, the size unchanged; where the file system cannot reserve,
  // the rewrite finds out and puts the old content back.
  bool ReserveRoom(std::size_t size) {
    if (fallocate(fd_, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0) return true;
    return errno == EOPNOTSUPP || errno == ENOSYS;
  }

  bool Rewrite(std::string_view bytes) {
    return WriteAll(fd_, bytes, true) && ftruncate(fd_, static_cast<off_t>(bytes.size())) == 0 && fsync(fd_) == 0;
  }

  bool Holds(std::string_view bytes) {
    std::string now;
    if (!ReadAll(fd_, now)) return false;
    if (now == bytes) return true;
    errno = EIO;
    return false;
  }

  void RemoveBackup() {
    if (!backup_.empty()) unlink(backup_.c_str());
    backup_.clear();
  }

  std::string target_;
  int fd_;
  std::string old_content_;
  std::string backup_;  // the old content on disk
  bool staged_ = false;
  bool installed_ = false;
  bool kept_ = false;  // the old content could not be put back: the backup stays
};

class StreamSave final : public FileSave {
 public:
  explicit StreamSave(int fd) : fd_(fd) {}
  ~StreamSave() override {
    if (fd_ >= 0) close(fd_);
  }

  SaveMethod Method() const override { return SaveMethod::kStream; }
  bool Stage(std::string_view) override { return fd_ >= 0; }

  bool Install(std::string_view content) override {
    if (fd_ < 0) return false;
    const bool written = WriteAll(fd_, content);
    const int error = errno;
    const bool closed = close(std::exchange(fd_, -1)) == 0;
    if (!written) return Fail(error);
    return closed || Fail(errno);
  }

  // What a stream sent cannot be taken back, nor needs keeping.
  bool Revert() override { return true; }
  void Finish() override {}

 private:
  int fd_;
};

}  // namespace

std::string HiddenNameBeside(const std::string& path, int attempt, std::string_view kind) {
  std::string suffix = ".";
  suffix += std::to_string(getpid());
  suffix += '-';
  suffix += std::to_string(attempt);
  suffix += '.';
  suffix += kind;
  std::string name = NameOf(path);
  const std::size_t room = NAME_MAX - 1 - suffix.size();
  if (name.size() > room) {
    std::size_t cut = room;  // not inside a UTF-8 character
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    name.resize(cut);
  }
  std::string hidden = FolderOf(path);
  if (hidden != "/") hidden += '/';
  hidden += '.';
  hidden += name;
  hidden += suffix;
  return hidden;
}

void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

std::unique_ptr<FileSave> StartReplaceSave(const SaveTarget& target, int& error) {
  std::string temporary;
  const int fd = CreateBeside(target.path, "tmp", 0666, temporary);
  if (fd < 0) {
    error = errno;
    return nullptr;
  }
  if (target.kind == TargetKind::kRegular && !MakeLike(fd, target.path, target.info)) {
    error = errno;
    close(fd);
    unlink(temporary.c_str());
    return nullptr;
  }
  return std::make_unique<ReplaceSave>(target, temporary, fd);
}

std::unique_ptr<FileSave> StartInPlaceSave(const SaveTarget& target, int& error) {
  const int fd = open(target.path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    error = errno;
    return nullptr;
  }
  return std::make_unique<InPlaceSave>(target.path, fd);
}

std::unique_ptr<FileSave> StartStreamSave(const SaveTarget& target, int& error) {
  const int fd = target.descriptor >= 0 ? fcntl(target.descriptor, F_DUPFD_CLOEXEC, 0)
                                        : open(target.path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    error = errno;
    return nullptr;
  }
  return std::make_unique<StreamSave>(fd);
}
