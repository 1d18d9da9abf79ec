// Any bytes opened as a table file in the table editor: no fault, between 1 and 500 values, each
// of them a finite number, one for each whole 8 bytes up to the table's capacity.

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "dialogs/table_model.h"
#include "platform/messages.h"

namespace {

void Check(bool holds) {
  if (!holds) __builtin_trap();
}

// The input as a file with a name, without touching the disk.
std::string AsFile(const std::uint8_t* data, std::size_t size) {
  static const int fd = memfd_create("table.tbl", MFD_CLOEXEC);
  Check(fd >= 0 && ftruncate(fd, 0) == 0);
  Check(pwrite(fd, data, size, 0) == static_cast<ssize_t>(size));
  return "/proc/self/fd/" + std::to_string(fd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = AsFile(data, size);
  MessageRecorder messages;  // what the editor would tell the user
  TableModel table;
  Check(table.LoadFile(path));
  const std::size_t values = std::min<std::size_t>(size / 8, TableModel::kCapacity);
  Check(table.WorkCount() == static_cast<int>(std::max<std::size_t>(values, 1)));
  for (const double value : table.WorkValues()) Check(std::isfinite(value));
  return 0;
}
