#include "session/correction_notes.h"

#include <cmath>
#include <utility>

#include "numeric/number_text.h"
#include "platform/messages.h"

namespace {

// A correction moves a value far; a value that went through a unit and back moves by rounding.
bool Changed(double before, double after) {
  return std::fabs(after - before) > 1e-9 * std::max(std::fabs(before), std::fabs(after));
}

// The designs' messages about the order all begin so.
bool IsOrderMessage(const std::string& text) { return text.rfind("Порядок", 0) == 0; }

}  // namespace

CorrectionNotes::CorrectionNotes(std::FILE* err, std::vector<CorrectedQuantity> watched)
    : err_(err), watched_(std::move(watched)) {
  previous_ = SetMessageHandler([this](const std::string& text) {
    messages_.push_back(text);
    previous_(text);
  });
}

CorrectionNotes::~CorrectionNotes() { SetMessageHandler(std::move(previous_)); }

void CorrectionNotes::Apply(const std::string& option, double given, const std::function<double(double)>& set,
                            double scale) {
  std::vector<double> before;
  for (const CorrectedQuantity& q : watched_) before.push_back(q.used());
  messages_.clear();
  const double kept = set(given * scale);
  if (messages_.empty() || err_ == nullptr) return;
  const auto note = [&](const std::string& name, double value) {
    std::fprintf(err_, "corrected: %s = %s\n", name.c_str(), ExactNumberText(value).c_str());
  };
  if (Changed(given, kept / scale)) note(option, kept / scale);
  bool order_message = false;
  for (const std::string& text : messages_) order_message = order_message || IsOrderMessage(text);
  for (std::size_t i = 0; i < watched_.size(); ++i) {
    const CorrectedQuantity& q = watched_[i];
    if (q.option == option) continue;
    // The order follows the other values silently; it is corrected only where a message says so.
    const bool order = q.option == "--order";
    if (order ? order_message : Changed(before[i], q.used())) note(q.option, q.used());
  }
}
