#include "platform/save_target.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

// As many links as the system itself follows before it gives up with ELOOP.
constexpr int kMaxLinks = 40;

SaveTarget Unusable(std::string path, int error) {
  SaveTarget target;
  target.path = std::move(path);
  target.error = error;
  return target;
}

std::string CanonicalFolder(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(FolderOf(path).c_str(), resolved) != nullptr ? resolved : "";
}

// /dev/stdout, /dev/fd/1 and /proc/self/fd/1 name a descriptor this process already holds; its
// link text ("pipe:[…]", or a file opened for appending) is no place to write to by name.
int OwnDescriptor(const std::string& path) {
  const std::string name = NameOf(path);
  if (name.empty() || name.size() > 9 || name.find_first_not_of("0123456789") != std::string::npos) return -1;
  if (CanonicalFolder(path) != "/proc/" + std::to_string(getpid()) + "/fd") return -1;
  return std::atoi(name.c_str());
}

// Whether the kernel's protected_symlinks rule forbids following this link: it sits in a sticky
// folder that everyone may write to, and belongs neither to this user nor to the folder's owner.
bool IsForeignLink(const std::string& path, const struct stat& link) {
  struct stat folder {};
  if (stat(FolderOf(path).c_str(), &folder) != 0) return false;
  const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
  return shared && link.st_uid != geteuid() && link.st_uid != folder.st_uid;
}

// The name a symbolic link points at; a relative one counts from the link's folder.
bool FollowLink(std::string& path) {
  char text[PATH_MAX];
  const ssize_t length = readlink(path.c_str(), text, sizeof text);
  if (length < 0) return false;
  if (length == 0 || static_cast<std::size_t>(length) == sizeof text) {
    errno = ENAMETOOLONG;
    return false;
  }
  std::string target(text, static_cast<std::size_t>(length));
  path = target.front() == '/' ? std::move(target) : FolderOf(path) + "/" + target;
  return true;
}

SaveTarget Inspect(const std::string& path, const struct stat& info) {
  SaveTarget target;
  target.path = path;
  target.info = info;
  if (S_ISDIR(info.st_mode)) return Unusable(path, EISDIR);
  if (!S_ISREG(info.st_mode)) {
    target.kind = TargetKind::kStream;
    return target;
  }
  // By the mode bits, so that even a user whom the system would let write (root) is refused.
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    target = Unusable(path, EACCES);
    target.read_only = true;
    return target;
  }
  if (faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return Unusable(path, errno);
  target.kind = TargetKind::kRegular;
  return target;
}

}  // namespace

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

SaveTarget InspectSaveTarget(const std::string& path) {
  if (path.empty()) return Unusable(path, ENOENT);
  std::string current = path;
  for (int hop = 0; hop <= kMaxLinks; ++hop) {
    if (const int descriptor = OwnDescriptor(current); descriptor >= 0) {
      SaveTarget target;
      target.kind = TargetKind::kStream;
      target.path = current;
      target.descriptor = descriptor;
      return target;
    }
    struct stat info {};
    if (lstat(current.c_str(), &info) != 0) {
      if (errno != ENOENT) return Unusable(current, errno);
      SaveTarget target;
      target.kind = TargetKind::kMissing;
      target.path = current;
      return target;
    }
    if (!S_ISLNK(info.st_mode)) return Inspect(current, info);
    if (IsForeignLink(current, info)) {
      SaveTarget target = Unusable(current, EACCES);
      target.foreign_link = true;
      return target;
    }
    if (!FollowLink(current)) return Unusable(current, errno);
  }
  return Unusable(path, ELOOP);
}
