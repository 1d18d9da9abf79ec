#include "session/settings_options.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "analysis/analysis_sources.h"

namespace {

// A finite number in C notation; anything else is a usage error naming the option.
double ParseNumber(const std::string& option, const std::string& text) {
  double value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  // One plus sign may stand for none; "+-1" is not a number.
  if (first != last && *first == '+' && last - first > 1 && first[1] != '-' && first[1] != '+') ++first;
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec == std::errc::result_out_of_range && ptr == last)
    throw UsageError("option " + option + ": '" + text + "' is out of range");
  if (text.empty() || ec != std::errc() || ptr != last || !std::isfinite(value))
    throw UsageError("option " + option + ": '" + text + "' is not a number");
  return value;
}

int ParseInteger(const std::string& option, const std::string& text) {
  int value = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec == std::errc::result_out_of_range && ptr == text.data() + text.size())
    throw UsageError("option " + option + ": '" + text + "' is out of range");
  if (text.empty() || ec != std::errc() || ptr != text.data() + text.size())
    throw UsageError("option " + option + ": '" + text + "' is not a whole number");
  return value;
}

std::vector<double> ParseList(const std::string& option, const std::string& text) {
  std::vector<double> values;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    values.push_back(
        ParseNumber(option, text.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return values;
}

// A list that fills a table: no more values than the table holds.
std::vector<double> ParseTable(const std::string& option, const std::string& text) {
  std::vector<double> values = ParseList(option, text);
  if (values.size() > static_cast<std::size_t>(kTableCapacity))
    throw UsageError("option " + option + ": a table holds at most " + std::to_string(kTableCapacity) + " values, " +
                     std::to_string(values.size()) + " given");
  return values;
}

int ParseChoice(const std::string& option, const std::string& text, std::initializer_list<int> allowed) {
  const int value = ParseInteger(option, text);
  for (int a : allowed)
    if (a == value) return value;
  std::string list;
  for (int a : allowed) list += (list.empty() ? "" : ", ") + std::to_string(a);
  throw UsageError("option " + option + ": " + text + " is not one of " + list);
}

BandType ParseBand(const std::string& option, const std::string& text) {
  for (BandType band : {BandType::kLowPass, BandType::kHighPass, BandType::kBandPass, BandType::kBandStop})
    if (text == BandName(band)) return band;
  throw UsageError("option " + option + ": use low, high, pass or stop");
}

double NonNegative(const std::string& option, double value) {
  if (value < 0) throw UsageError("option " + option + " must not be negative");
  return value;
}

}  // namespace

SettingsOptions::SettingsOptions(ProjectSettings& settings) : s_(settings) {
  ProjectSettings& o = s_;
  auto number = [](std::optional<double>& target) {
    return Handler([&target](const std::string& opt, const std::string& v) { target = ParseNumber(opt, v); });
  };
  auto non_negative = [](std::optional<double>& target) {
    return Handler(
        [&target](const std::string& opt, const std::string& v) { target = NonNegative(opt, ParseNumber(opt, v)); });
  };
  with_value_ = {
      {"--arbitrary",
       [this, &o](const std::string& opt, const std::string& v) {
         o.filter = FilterChoice::kArbitrary;
         o.a = ParseTable(opt, v);
         ++filters_;
       }},
      {"--recursive", [&o](const std::string& opt, const std::string& v) { o.b = ParseTable(opt, v); }},
      {"--wp", non_negative(o.wp)},
      {"--fp", non_negative(o.fp)},
      {"--lp", non_negative(o.lp)},
      {"--lp-db", number(o.lp_db)},
      {"--ls", non_negative(o.ls)},
      {"--ls-db", number(o.ls_db)},
      {"--transition", non_negative(o.transition)},
      {"--ripple", non_negative(o.ripple_percent)},
      {"--ripple-db", number(o.ripple_db)},
      {"--wc", non_negative(o.wc)},
      {"--fc", non_negative(o.fc)},
      {"--order", [&o](const std::string& opt, const std::string& v) { o.order = ParseInteger(opt, v); }},
      {"--band", [&o](const std::string& opt, const std::string& v) { o.band = ParseBand(opt, v); }},
      {"--wc2", non_negative(o.wc2)},
      {"--fc2", non_negative(o.fc2)},
      {"--kaiser", non_negative(o.kaiser)},
      {"--attenuation-db", number(o.attenuation_db)},
      {"--table",
       [this, &o](const std::string&, const std::string& v) {
         o.signal = SignalChoice::kTableFile;
         o.table_file = v;
         ++signals_;
       }},
      {"--samples",
       [this, &o](const std::string& opt, const std::string& v) {
         o.signal = SignalChoice::kSamples;
         o.samples = ParseTable(opt, v);
         ++signals_;
       }},
      {"--w1", non_negative(o.w1)},
      {"--a1", non_negative(o.a1)},
      {"--phi1", number(o.phi1)},
      {"--w2", non_negative(o.w2)},
      {"--a2", non_negative(o.a2)},
      {"--phi2", number(o.phi2)},
      {"--oscillations",
       [&o](const std::string& opt, const std::string& v) {
         if (v != "1" && v != "2" && v != "12") throw UsageError("option " + opt + ": use 1, 2 or 12");
         o.oscillations = v;
       }},
      {"--decimation",
       [&o](const std::string& opt, const std::string& v) {
         o.decimation = ParseInteger(opt, v);
         if (*o.decimation < 1) throw UsageError("option " + opt + " must be at least 1");
       }},
      {"--interval",
       [&o](const std::string& opt, const std::string& v) {
         o.interval = ParseChoice(opt, v, {1000, 2000, 4000});
       }},
      {"--points",
       [&o](const std::string& opt, const std::string& v) {
         o.points = ParseChoice(opt, v, {1024, 2048, 4096});
       }},
      {"--afc",
       [&o](const std::string& opt, const std::string& v) {
         o.afc = ParseChoice(opt, v, {1, 2, 3});
       }},
      {"--measure",
       [&o](const std::string& opt, const std::string& v) {
         const std::vector<double> levels = ParseList(opt, v);
         if (levels.size() != 2) throw UsageError("option " + opt + " takes two levels: PASS,STOP");
         o.measure = std::make_pair(levels[0], levels[1]);
       }},
  };
  // Each filter option chooses the filter and is counted, so that a second choice is refused.
  const auto choose = [this, &o](FilterChoice filter) {
    return [this, &o, filter] {
      o.filter = filter;
      ++filters_;
    };
  };
  flags_ = {
      {"--butterworth", choose(FilterChoice::kButterworth)},
      {"--chebyshev", choose(FilterChoice::kChebyshev)},
      {"--window", choose(FilterChoice::kWindow)},
      {"--fsampling", choose(FilterChoice::kFrSampling)},
      {"--hamming", [&o] { o.hamming = true; }},
      {"--hann", [&o] { o.hann = true; }},
      {"--blackman", [&o] { o.blackman = true; }},
      {"--biharmonic",
       [this, &o] {
         o.signal = SignalChoice::kBiharmonic;
         ++signals_;
       }},
      {"--switched-on", [&o] { o.switched_on = true; }},
  };
}

void SettingsOptions::Finish() const {
  const ProjectSettings& o = s_;
  if (filters_ > 1)
    throw UsageError("choose one filter: --arbitrary, --butterworth, --chebyshev, --window or --fsampling");
  if (signals_ > 1) throw UsageError("choose one signal: --table, --samples or --biharmonic");
  if (!o.b.empty() && o.filter != FilterChoice::kArbitrary) throw UsageError("--recursive belongs to --arbitrary");
  const bool recursive_design = o.filter == FilterChoice::kButterworth || o.filter == FilterChoice::kChebyshev;
  const bool fir_design = o.filter == FilterChoice::kWindow || o.filter == FilterChoice::kFrSampling;
  const bool kaiser = o.kaiser || o.attenuation_db;
  if (!recursive_design && (o.wp || o.fp || o.lp || o.lp_db || o.ls || o.ls_db))
    throw UsageError("--wp, --fp, --lp, --lp-db, --ls and --ls-db belong to --butterworth or --chebyshev");
  if (o.transition && !recursive_design && !(fir_design && kaiser))
    throw UsageError("--transition belongs to --butterworth or --chebyshev, or to the Kaiser window");
  if (o.filter != FilterChoice::kChebyshev && (o.ripple_percent || o.ripple_db))
    throw UsageError("--ripple and --ripple-db belong to --chebyshev");
  if (!fir_design && (o.wc || o.fc || o.wc2 || o.fc2 || o.hamming || o.hann || o.blackman || kaiser))
    throw UsageError(
        "--wc, --fc, --wc2, --fc2, --hamming, --hann, --blackman, --kaiser and --attenuation-db belong to --window or "
        "--fsampling");
  if (o.hamming + o.hann + o.blackman + kaiser > 1)
    throw UsageError("choose one window: --hamming, --hann, --blackman or --kaiser (--attenuation-db)");
  if (!recursive_design && !fir_design && o.band) throw UsageError("--band belongs to a library design");
  const bool two_cutoffs = o.band && HasTwoCutoffs(*o.band);
  if ((o.wc2 || o.fc2) && !two_cutoffs) throw UsageError("--wc2 and --fc2 belong to --band pass or --band stop");
  if (!recursive_design && !fir_design && o.order) throw UsageError("--order belongs to a library design");
  if (recursive_design && o.order && o.transition)
    throw UsageError("give either --transition (automatic order) or --order, not both");
  if ((o.wp && o.fp) || (o.wc && o.fc) || (o.wc2 && o.fc2) || (o.lp && o.lp_db) || (o.ls && o.ls_db) ||
      (o.ripple_percent && o.ripple_db))
    throw UsageError("a quantity is given twice (for instance --wp and --fp)");
  const bool biharmonic_values =
      o.w1 || o.a1 || o.phi1 || o.w2 || o.a2 || o.phi2 || o.oscillations != "1" || o.decimation || o.switched_on;
  if (o.signal != SignalChoice::kBiharmonic && biharmonic_values)
    throw UsageError(
        "--w1, --a1, --phi1, --w2, --a2, --phi2, --oscillations, --decimation and --switched-on belong to "
        "--biharmonic");
  if (o.measure && o.afc == 1) throw UsageError("--measure needs --afc 2 or --afc 3");
}

bool SettingsOptions::ChoosesFilter(const std::string& name) {
  return name == "--arbitrary" || name == "--butterworth" || name == "--chebyshev" || name == "--window" ||
         name == "--fsampling";
}

bool SettingsOptions::ChoosesSignal(const std::string& name) {
  return name == "--table" || name == "--samples" || name == "--biharmonic";
}

const char* BandName(BandType band) {
  switch (band) {
    case BandType::kLowPass: return "low";
    case BandType::kHighPass: return "high";
    case BandType::kBandPass: return "pass";
    case BandType::kBandStop: return "stop";
  }
  return "low";
}

void ForgetFilter(ProjectSettings& s) {
  const ProjectSettings none;
  s.filter = none.filter;
  s.a = none.a;
  s.b = none.b;
  s.wp = s.fp = s.lp = s.lp_db = s.ls = s.ls_db = s.transition = s.ripple_percent = s.ripple_db = s.wc = s.fc =
      std::nullopt;
  s.order = std::nullopt;
  s.band = std::nullopt;
  s.wc2 = s.fc2 = s.kaiser = s.attenuation_db = std::nullopt;
  s.hamming = none.hamming;
  s.hann = none.hann;
  s.blackman = none.blackman;
}

void ForgetSignal(ProjectSettings& s) {
  const ProjectSettings none;
  s.signal = none.signal;
  s.table_file = none.table_file;
  s.samples = none.samples;
  s.w1 = s.a1 = s.phi1 = s.w2 = s.a2 = s.phi2 = std::nullopt;
  s.oscillations = none.oscillations;
  s.decimation = std::nullopt;
  s.switched_on = none.switched_on;
}
