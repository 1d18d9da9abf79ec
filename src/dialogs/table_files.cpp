#include "dialogs/table_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>

#include "platform/messages.h"

namespace {

constexpr std::size_t kValueBytes = sizeof(double);
static_assert(kValueBytes == 8 && sizeof(std::uint64_t) == 8);

std::uint64_t ToLittleEndian(std::uint64_t bits) {
  if constexpr (std::endian::native == std::endian::big) {
    std::uint64_t swapped = 0;
    for (int i = 0; i < 8; ++i) swapped = (swapped << 8) | ((bits >> (8 * i)) & 0xFF);
    return swapped;
  }
  return bits;
}

// Up to limit bytes of an open descriptor; stops early at the end of the file, or on a read
// error, whose errno goes to error.
std::string ReadUpTo(int fd, std::size_t limit, int& error) {
  std::string bytes(limit, '\0');
  std::size_t filled = 0;
  while (filled < limit) {
    const ssize_t got = read(fd, bytes.data() + filled, limit - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) error = errno;
    if (got <= 0) break;
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  return bytes;
}

}  // namespace

std::string EncodeTableFile(const double* values, int count) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(std::max(count, 0)) * kValueBytes);
  for (int i = 0; i < count; ++i) {
    const std::uint64_t bits = ToLittleEndian(std::bit_cast<std::uint64_t>(values[i]));
    char raw[kValueBytes];
    std::memcpy(raw, &bits, kValueBytes);
    bytes.append(raw, kValueBytes);
  }
  return bytes;
}

std::vector<double> DecodeTableFile(std::string_view bytes, int max_values) {
  const std::size_t whole = bytes.size() / kValueBytes;
  const std::size_t count = std::min(whole, static_cast<std::size_t>(std::max(max_values, 0)));
  std::vector<double> values(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, bytes.data() + i * kValueBytes, kValueBytes);
    values[i] = std::bit_cast<double>(ToLittleEndian(bits));
  }
  return values;
}

TableFileRead ReadTableFile(const std::string& path, int max_values) {
  TableFileRead read;
  // Non-blocking, so that a pipe cannot hang the open; anything but a regular file is refused.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    read.error = errno;
    return read;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0) {
    read.error = errno;
  } else if (!S_ISREG(info.st_mode)) {
    read.error = S_ISDIR(info.st_mode) ? EISDIR : ENODEV;
  } else {
    const std::size_t limit = static_cast<std::size_t>(std::max(max_values, 0)) * kValueBytes;
    const std::string bytes = ReadUpTo(fd, limit, read.error);
    read.values = DecodeTableFile(bytes, max_values);
    // The size tells what lies beyond the values read; where it says less than was read (some
    // system files), what was read counts.
    const std::uint64_t size = std::max<std::uint64_t>(static_cast<std::uint64_t>(info.st_size), bytes.size());
    read.values_in_file = size / kValueBytes;
    read.tail_bytes = static_cast<int>(size % kValueBytes);
  }
  close(fd);
  if (read.error != 0) read.values.clear();
  return read;
}

std::vector<ReplacedValue> ReplaceUnusableValues(std::vector<double>& values, double limit) {
  std::vector<ReplacedValue> replaced;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const double original = values[i];
    if (std::fabs(original) <= limit) continue;  // NaN fails this test too
    values[i] = std::isnan(original) ? 0.0 : std::copysign(limit, original);
    replaced.push_back({static_cast<int>(i), original, values[i]});
  }
  return replaced;
}

std::string SpreadsheetText(const TableCells& cells, int work_count) {
  const int last = std::clamp(work_count, 1, TableCells::kValueCells) - 1;
  std::string text;
  for (int row = 0; row < TableCells::kRows; ++row) {
    for (int column = 0; column < TableCells::kColumns; ++column) {
      text += cells.Text(column, row);
      text += '\t';
      if (TableCells::IsValueRow(row) && TableCells::CellToIndex(column, row) == last) return text;
    }
    text += "\r\n";
  }
  return text;
}

std::string LowerCaseExtension(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

std::string WithExtension(const std::string& path, const std::string& extension) {
  return std::filesystem::path(path).replace_extension(extension).string();
}

std::optional<std::string> ChooseTableSaveName(const SaveDialog& ask_name) {
  std::string proposed = "Таблица.tbl";
  for (bool first = true;; first = false) {
    proposed = WithExtension(proposed, ".tbl");
    if (!first) ShowMessage(kUnsupportedFormatMessage);
    std::optional<std::string> chosen = ask_name(proposed);
    if (!chosen || LowerCaseExtension(*chosen) == ".tbl") return chosen;
    proposed = *chosen;
  }
}

std::optional<std::string> ChooseTableOpenName(const OpenDialog& ask_name) {
  for (bool first = true;; first = false) {
    if (!first) ShowMessage(kUnsupportedFormatMessage);
    std::optional<std::string> chosen = ask_name(!first);
    if (!chosen) return chosen;
    const std::string extension = LowerCaseExtension(*chosen);
    if (extension == ".tbl" || extension == ".inp") return chosen;
  }
}
