#include "platform/file_attributes.h"

#include <sys/xattr.h>

#include <cerrno>
#include <map>
#include <optional>
#include <vector>

namespace {

using Attributes = std::map<std::string, std::string>;

bool Unsupported(int error) { return error == ENOTSUP || error == ENOSYS; }

// Calls read(buffer, size) until the buffer is large enough for what it returns (an attribute
// may grow between asking for its size and reading it).
template <class Read>
std::optional<std::string> ReadGrowing(Read read) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    const ssize_t size = read(nullptr, 0);
    if (size < 0) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    const ssize_t got = read(bytes.data(), bytes.size());
    if (got >= 0) {
      bytes.resize(static_cast<std::size_t>(got));
      return bytes;
    }
    if (errno != ERANGE) return std::nullopt;
  }
  return std::nullopt;
}

std::vector<std::string> Names(const std::string& list) {
  std::vector<std::string> names;
  for (std::size_t start = 0; start < list.size();) {
    const std::size_t end = list.find('\0', start);
    names.push_back(list.substr(start, end - start));
    start = end == std::string::npos ? list.size() : end + 1;
  }
  return names;
}

// Every attribute of the file at path (through no link: path is the file itself), or of fd.
std::optional<Attributes> AttributesOf(const std::string& path, int fd) {
  const auto list = ReadGrowing([&](char* buffer, std::size_t size) {
    return fd >= 0 ? flistxattr(fd, buffer, size) : listxattr(path.c_str(), buffer, size);
  });
  if (!list) {
    if (Unsupported(errno)) return Attributes{};
    return std::nullopt;
  }
  Attributes attributes;
  for (const std::string& name : Names(*list)) {
    const auto value = ReadGrowing([&](char* buffer, std::size_t size) {
      return fd >= 0 ? fgetxattr(fd, name.c_str(), buffer, size) : getxattr(path.c_str(), name.c_str(), buffer, size);
    });
    if (value) {
      attributes[name] = *value;
    } else if (errno != ENODATA) {  // gone meanwhile: nothing to carry
      return std::nullopt;
    }
  }
  return attributes;
}

}  // namespace

bool CopyExtendedAttributes(const std::string& original, int fd) {
  const std::optional<Attributes> wanted = AttributesOf(original, -1);
  if (!wanted) return false;
  const std::optional<Attributes> present = AttributesOf({}, fd);
  if (!present) return false;
  for (const auto& [name, value] : *present) {
    if (!wanted->contains(name) && fremovexattr(fd, name.c_str()) != 0 && errno != ENODATA) return false;
  }
  for (const auto& [name, value] : *wanted) {
    const auto same = present->find(name);
    if (same != present->end() && same->second == value) continue;
    if (fsetxattr(fd, name.c_str(), value.data(), value.size(), 0) != 0) return false;
  }
  return true;
}
