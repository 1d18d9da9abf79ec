#include "dialogs/table_load_report.h"

#include <cmath>

#include "numeric/general_format.h"

namespace {

// Enough to show which entries are meant; the rest is counted.
constexpr std::size_t kListedReplacements = 10;

std::string ValueText(double value) {
  if (std::isnan(value)) return "не число (NaN)";
  if (std::isinf(value)) return value > 0 ? "+∞" : "−∞";
  return FormatGeneral(value);
}

std::string ReplacementLines(const std::vector<ReplacedValue>& replaced,
                             const std::function<std::string(int index)>& entry_name) {
  std::string lines = "\nЗначения, непригодные для расчёта, заменены:";
  for (std::size_t i = 0; i < replaced.size() && i < kListedReplacements; ++i) {
    const ReplacedValue& entry = replaced[i];
    lines.append("\n").append(entry_name(entry.index)).append(": ").append(ValueText(entry.original));
    lines.append(" → ").append(FormatGeneral(entry.replacement));
  }
  if (replaced.size() > kListedReplacements) {
    lines += "\n… и ещё " + std::to_string(replaced.size() - kListedReplacements);
  }
  return lines;
}

}  // namespace

std::string TableLoadReport(const std::string& path, const TableFileRead& read,
                            const std::vector<ReplacedValue>& replaced, int capacity,
                            const std::function<std::string(int index)>& entry_name) {
  std::string details;
  if (read.values_in_file > read.values.size()) {
    details += "\nЗначений в файле: " + std::to_string(read.values_in_file) + "; таблица вмещает " +
               std::to_string(capacity) + ", прочитаны первые " + std::to_string(read.values.size()) + ".";
  }
  if (!replaced.empty()) details += ReplacementLines(replaced, entry_name);
  if (read.tail_bytes > 0) {
    details +=
        "\nОстаток в конце файла короче одного значения и пропущен (байт: " + std::to_string(read.tail_bytes) + ").";
  }
  if (details.empty()) return {};
  return kTableLoadedWithChangesMessage + "\n" + path + details;
}
