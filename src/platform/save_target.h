#pragma once
// What a file name points at when it is about to be written: the file itself, found through
// any symbolic links, and what kind of thing it is. Nothing is opened or changed. A link in a
// sticky folder that everyone may write to (/tmp) is followed only when it belongs to this user
// or to the folder's owner, as the kernel's protected_symlinks rule has it: the writer resolves
// links itself, so the kernel would never apply that rule.

#include <sys/stat.h>

#include <string>

enum class TargetKind {
  kMissing,   // nothing there yet: a new file is made under `path`
  kRegular,   // an ordinary file the user may write
  kStream,    // a device, a pipe, a socket or a descriptor of this process (/dev/stdout)
  kUnusable,  // cannot be written: `error` says why
};

struct SaveTarget {
  TargetKind kind = TargetKind::kUnusable;
  std::string path;           // after symbolic links
  struct stat info {};        // kRegular: the file as it is now
  int descriptor = -1;        // kStream through /dev/fd/N or /proc/self/fd/N: N
  int error = 0;              // kUnusable: errno
  bool read_only = false;     // kUnusable because the file's mode allows no writing at all
  bool foreign_link = false;  // kUnusable because a link in a shared sticky folder is another user's
};

SaveTarget InspectSaveTarget(const std::string& path);

// The folder part of a path ("." when there is none) and its last part.
std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);
