#include "results/coefficient_export.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>

#include "numeric/number_text.h"
#include "platform/save_target.h"

namespace {

const char kDirectConvention[] =
    "H(z) = sum(numerator[k]*z^-k) / sum(denominator[k]*z^-k), denominator[0] = 1; "
    "y(n) = sum(numerator[k]*x(n-k)) - sum(denominator[k]*y(n-k), k >= 1)";
const char kSectionConvention[] =
    "H(z) = product over the sections of (b0 + b1*z^-1 + b2*z^-2) / (a0 + a1*z^-1 + a2*z^-2), a0 = 1, "
    "each section's gain folded into b; y(n) = b0*x(n) + b1*x(n-1) + b2*x(n-2) - a1*y(n-1) - a2*y(n-2)";

const char* Convention(CoefficientLayout layout) {
  return layout == CoefficientLayout::kDirect ? kDirectConvention : kSectionConvention;
}

// The direct form's columns, the shorter one padded with zeros.
double At(const std::vector<double>& values, std::size_t k) { return k < values.size() ? values[k] : 0.0; }

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// FNV-1a: a short fingerprint of a header's content, not a protection against anyone.
std::string ShortHash(const std::string& text) {
  std::uint64_t hash = 14695981039346656037u;
  for (const unsigned char c : text) hash = (hash ^ c) * 1099511628211u;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(hash ^ (hash >> 32)));
  return hex;
}

std::string ArrayBody(const std::vector<double>& values, const char* indent) {
  std::string text;
  for (double v : values) text += indent + ExactNumberText(v) + ",\n";
  return text;
}

}  // namespace

std::string CoefficientsCsv(const FilterCoefficients& filter, CoefficientLayout layout) {
  std::string text = std::string("# ") + Convention(layout) + "\n";
  if (layout == CoefficientLayout::kSections) {
    text += "section,b0,b1,b2,a0,a1,a2\n";
    int section = 0;
    for (const auto& row : SectionRowsOf(filter)) {
      text += std::to_string(++section);
      for (double v : row) {
        text += ',';
        text += ExactNumberText(v);
      }
      text += "\n";
    }
    return text;
  }
  text += "k,numerator,denominator\n";
  const DirectForm form = DirectFormOf(filter).value_or(DirectForm{});
  const std::size_t rows = std::max(form.numerator.size(), form.denominator.size());
  for (std::size_t k = 0; k < rows; ++k)
    text += std::to_string(k) + "," + ExactNumberText(At(form.numerator, k)) + "," +
            ExactNumberText(At(form.denominator, k)) + "\n";
  return text;
}

std::string HeaderPrefix(const std::string& file_name) {
  std::string name = NameOf(file_name);
  if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.resize(dot);
  bool any = false;
  for (char& c : name) {
    const bool plain = std::isalnum(static_cast<unsigned char>(c)) && static_cast<unsigned char>(c) < 0x80;
    any = any || plain;
    if (!plain) c = '_';
  }
  if (!any) return "velmar_filter";
  if (std::isdigit(static_cast<unsigned char>(name.front()))) name = "f_" + name;
  // Identifiers that begin with '_' and a capital, or hold "__", are the compiler's.
  if (name.front() == '_') name = "f" + name;
  std::size_t doubled = name.find("__");
  for (; doubled != std::string::npos; doubled = name.find("__")) name.erase(doubled, 1);
  return name;
}

bool IsHeaderPrefix(const std::string& text) {
  const auto latin = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  if (text.empty() || !latin(text.front()) || text.find("__") != std::string::npos) return false;
  return std::all_of(text.begin(), text.end(), [&](char c) { return latin(c) || (c >= '0' && c <= '9') || c == '_'; });
}

std::string CoefficientsHeader(const FilterCoefficients& filter, CoefficientLayout layout, const std::string& prefix) {
  std::string text;
  if (layout == CoefficientLayout::kSections) {
    const auto rows = SectionRowsOf(filter);
    text += "/* Rows {b0, b1, b2, a0, a1, a2}, in the order the signal passes the sections. */\n";
    text += "#define " + prefix + "_SECTION_COUNT " + std::to_string(rows.size()) + "\n";
    text += "static const double " + prefix + "_sos[" + prefix + "_SECTION_COUNT][6] = {\n";
    for (const auto& row : rows) {
      text += "    {";
      for (std::size_t j = 0; j < row.size(); ++j) {
        if (j) text += ", ";
        text += ExactNumberText(row[j]);
      }
      text += "},\n";
    }
    text += "};\n";
  } else {
    const DirectForm form = DirectFormOf(filter).value_or(DirectForm{});
    text += "#define " + prefix + "_NUMERATOR_LENGTH " + std::to_string(form.numerator.size()) + "\n";
    text += "#define " + prefix + "_DENOMINATOR_LENGTH " + std::to_string(form.denominator.size()) + "\n";
    text += "static const double " + prefix + "_numerator[" + prefix + "_NUMERATOR_LENGTH] = {\n" +
            ArrayBody(form.numerator, "    ") + "};\n";
    text += "static const double " + prefix + "_denominator[" + prefix + "_DENOMINATOR_LENGTH] = {\n" +
            ArrayBody(form.denominator, "    ") + "};\n";
  }
  const std::string comment = "/* Coefficients of a digital filter, written by Velmar.\n * " + filter.design +
                              ".\n * " + Convention(layout) + ".\n */\n";
  const std::string guard = Upper(prefix) + "_COEFFICIENTS_" + ShortHash(comment + text) + "_H";
  return comment + "#ifndef " + guard + "\n#define " + guard + "\n\n" + text + "\n#endif /* " + guard + " */\n";
}
