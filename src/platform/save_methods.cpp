#include "platform/save_methods.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <utility>

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

// A hidden name beside the target, unique to this process and attempt, that stays within the
// longest name the file system takes however long the target's own name is.
std::string TemporaryName(const std::string& target, int attempt) {
  std::string suffix = ".";
  suffix += std::to_string(getpid());
  suffix += '-';
  suffix += std::to_string(attempt);
  suffix += ".tmp";
  std::string name = NameOf(target);
  const std::size_t room = NAME_MAX - 1 - suffix.size();
  if (name.size() > room) {
    std::size_t cut = room;  // not inside a UTF-8 character
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    name.resize(cut);
  }
  std::string temporary = FolderOf(target);
  if (temporary != "/") temporary += '/';
  temporary += '.';
  temporary += name;
  temporary += suffix;
  return temporary;
}

bool KeepOwnerAndMode(int fd, const struct stat& original) {
  struct stat own {};
  if (fstat(fd, &own) != 0) return false;
  if ((own.st_uid != original.st_uid || own.st_gid != original.st_gid) &&
      fchown(fd, original.st_uid, original.st_gid) != 0)
    return false;
  return fchmod(fd, original.st_mode & 07777) == 0;  // after fchown, which may clear set-id bits
}

// So that the rename itself survives a power cut; a folder that cannot be synced changes nothing.
void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

class ReplaceSave final : public FileSave {
 public:
  ReplaceSave(std::string target, std::string temporary, int fd)
      : target_(std::move(target)), temporary_(std::move(temporary)), fd_(fd) {}
  ~ReplaceSave() override { RemoveTemporary(); }

  SaveMethod Method() const override { return SaveMethod::kReplace; }

  bool Stage(std::string_view content) override {
    if (staged_) return true;
    if (fd_ < 0) return false;
    if (!WriteAll(fd_, content) || fsync(fd_) != 0 || close(std::exchange(fd_, -1)) != 0) return Abandon(errno);
    staged_ = true;
    return true;
  }

  bool Commit(std::string_view content) override {
    if (!Stage(content) || temporary_.empty()) return false;
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) return Abandon(errno);
    temporary_.clear();
    SyncFolder(FolderOf(target_));
    return true;
  }

 private:
  bool Abandon(int error) {
    RemoveTemporary();
    return Fail(error);
  }

  void RemoveTemporary() {
    if (fd_ >= 0) close(std::exchange(fd_, -1));
    if (!temporary_.empty()) unlink(temporary_.c_str());
    temporary_.clear();
  }

  std::string target_;
  std::string temporary_;
  int fd_;
  bool staged_ = false;
};

class InPlaceSave final : public FileSave {
 public:
  explicit InPlaceSave(int fd) : fd_(fd) {}
  ~InPlaceSave() override { close(fd_); }

  SaveMethod Method() const override { return SaveMethod::kInPlace; }

  bool Stage(std::string_view content) override {
    if (staged_) return true;
    if (!ReadAll(fd_, old_content_)) return Fail(errno);
    if (content.size() > old_content_.size() && !ReserveRoom(content.size())) return Fail(errno);
    staged_ = true;
    return true;
  }

  bool Commit(std::string_view content) override {
    if (!Stage(content)) return false;
    if (Rewrite(content) && Holds(content)) return true;
    const int error = errno;
    Rewrite(old_content_);  // it fitted before, so it fits again
    return Fail(error);
  }

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

  int fd_;
  std::string old_content_;
  bool staged_ = false;
};

class StreamSave final : public FileSave {
 public:
  explicit StreamSave(int fd) : fd_(fd) {}
  ~StreamSave() override {
    if (fd_ >= 0) close(fd_);
  }

  SaveMethod Method() const override { return SaveMethod::kStream; }
  bool Stage(std::string_view) override { return fd_ >= 0; }

  bool Commit(std::string_view content) override {
    if (fd_ < 0) return false;
    const bool written = WriteAll(fd_, content);
    const int error = errno;
    const bool closed = close(std::exchange(fd_, -1)) == 0;
    if (!written) return Fail(error);
    return closed || Fail(errno);
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<FileSave> StartReplaceSave(const SaveTarget& target, int& error) {
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = TemporaryName(target.path, attempt);
    fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    error = errno;
    return nullptr;
  }
  if (target.kind == TargetKind::kRegular && !KeepOwnerAndMode(fd, target.info)) {
    error = errno;
    close(fd);
    unlink(temporary.c_str());
    return nullptr;
  }
  return std::make_unique<ReplaceSave>(target.path, temporary, fd);
}

std::unique_ptr<FileSave> StartInPlaceSave(const SaveTarget& target, int& error) {
  const int fd = open(target.path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    error = errno;
    return nullptr;
  }
  return std::make_unique<InPlaceSave>(fd);
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
