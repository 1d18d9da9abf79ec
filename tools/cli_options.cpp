#include "cli_options.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <set>

#include "analysis/analysis_sources.h"
#include "results/coefficient_export.h"

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

double NonNegative(const std::string& option, double value) {
  if (value < 0) throw UsageError("option " + option + " must not be negative");
  return value;
}

}  // namespace

CliOptions ParseCliOptions(const std::vector<std::string>& args) {
  CliOptions o;
  int filters = 0, signals = 0;
  using Handler = std::function<void(const std::string&, const std::string&)>;
  auto number = [](std::optional<double>& target) {
    return Handler([&target](const std::string& opt, const std::string& v) { target = ParseNumber(opt, v); });
  };
  auto non_negative = [](std::optional<double>& target) {
    return Handler(
        [&target](const std::string& opt, const std::string& v) { target = NonNegative(opt, ParseNumber(opt, v)); });
  };
  auto output = [](std::string& target) {
    return Handler([&target](const std::string& opt, const std::string& v) {
      if (v.empty()) throw UsageError("option " + opt + " needs a file name, or - for standard output");
      target = v;
    });
  };
  const std::map<std::string, Handler> with_value = {
      {"--arbitrary",
       [&](const std::string& opt, const std::string& v) {
         o.filter = FilterChoice::kArbitrary;
         o.a = ParseTable(opt, v);
         ++filters;
       }},
      {"--recursive", [&](const std::string& opt, const std::string& v) { o.b = ParseTable(opt, v); }},
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
      {"--order", [&](const std::string& opt, const std::string& v) { o.order = ParseInteger(opt, v); }},
      {"--table",
       [&](const std::string&, const std::string& v) {
         o.signal = SignalChoice::kTableFile;
         o.table_file = v;
         ++signals;
       }},
      {"--samples",
       [&](const std::string& opt, const std::string& v) {
         o.signal = SignalChoice::kSamples;
         o.samples = ParseTable(opt, v);
         ++signals;
       }},
      {"--w1", non_negative(o.w1)},
      {"--a1", non_negative(o.a1)},
      {"--phi1", number(o.phi1)},
      {"--w2", non_negative(o.w2)},
      {"--a2", non_negative(o.a2)},
      {"--phi2", number(o.phi2)},
      {"--oscillations",
       [&](const std::string& opt, const std::string& v) {
         if (v != "1" && v != "2" && v != "12") throw UsageError("option " + opt + ": use 1, 2 or 12");
         o.oscillations = v;
       }},
      {"--decimation",
       [&](const std::string& opt, const std::string& v) {
         o.decimation = ParseInteger(opt, v);
         if (*o.decimation < 1) throw UsageError("option " + opt + " must be at least 1");
       }},
      {"--interval",
       [&](const std::string& opt, const std::string& v) {
         o.interval = ParseChoice(opt, v, {1000, 2000, 4000});
       }},
      {"--points",
       [&](const std::string& opt, const std::string& v) {
         o.points = ParseChoice(opt, v, {1024, 2048, 4096});
       }},
      {"--afc",
       [&](const std::string& opt, const std::string& v) {
         o.afc = ParseChoice(opt, v, {1, 2, 3});
       }},
      {"--time-csv", output(o.time_csv)},
      {"--freq-csv", output(o.freq_csv)},
      {"--coefficients-csv", output(o.coefficients_csv)},
      {"--c-header", output(o.c_header)},
      {"--c-prefix",
       [&](const std::string& opt, const std::string& v) {
         if (!IsHeaderPrefix(v))
           throw UsageError("option " + opt + ": '" + v +
                            "' is no C identifier: a Latin letter, then letters, digits and single underscores");
         o.c_prefix = v;
       }},
      {"--coefficients-layout",
       [&](const std::string& opt, const std::string& v) {
         if (v != "direct" && v != "sos") throw UsageError("option " + opt + ": use direct or sos");
         o.coefficients_layout = v;
       }},
      {"--zpk-csv", output(o.zpk_csv)},
      {"--pictures",
       [&](const std::string& opt, const std::string& v) {
         if (v.empty()) throw UsageError("option " + opt + " needs a folder");
         o.pictures_dir = v;
       }},
      {"--format",
       [&](const std::string& opt, const std::string& v) {
         for (TPictureFormat format : kPictureFormats)
           if (PictureExtension(format) == "." + v) o.picture_format = format;
         if (!o.picture_format) throw UsageError("option " + opt + ": " + v + " is not one of bmp, png, svg");
       }},
      {"--measure",
       [&](const std::string& opt, const std::string& v) {
         const std::vector<double> levels = ParseList(opt, v);
         if (levels.size() != 2) throw UsageError("option " + opt + " takes two levels: PASS,STOP");
         o.measure = std::make_pair(levels[0], levels[1]);
       }},
  };
  // Each filter option chooses the filter and is counted, so that a second choice is refused.
  const auto choose = [&](FilterChoice filter) {
    return [&o, &filters, filter] {
      o.filter = filter;
      ++filters;
    };
  };
  const std::map<std::string, std::function<void()>> flags = {
      {"--butterworth", choose(FilterChoice::kButterworth)},
      {"--chebyshev", choose(FilterChoice::kChebyshev)},
      {"--window", choose(FilterChoice::kWindow)},
      {"--fsampling", choose(FilterChoice::kFrSampling)},
      {"--hamming", [&] { o.hamming = true; }},
      {"--biharmonic",
       [&] {
         o.signal = SignalChoice::kBiharmonic;
         ++signals;
       }},
      {"--switched-on", [&] { o.switched_on = true; }},
      {"--help", [&] { o.help = true; }},
      {"-h", [&] { o.help = true; }},
  };

  std::set<std::string> given;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> value;
    if (const std::size_t eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = name.substr(eq + 1);
      name = name.substr(0, eq);
    }
    // A second value would silently replace the first.
    if ((flags.contains(name) || with_value.contains(name)) && !given.insert(name == "-h" ? "--help" : name).second)
      throw UsageError("option " + name + " is given more than once");
    if (const auto flag = flags.find(name); flag != flags.end()) {
      if (value) throw UsageError("option " + name + " takes no value");
      flag->second();
      continue;
    }
    const auto option = with_value.find(name);
    if (option == with_value.end()) throw UsageError("unknown option '" + args[i] + "'");
    if (!value) {
      if (i + 1 >= args.size()) throw UsageError("option " + name + " needs a value");
      value = args[++i];
    }
    option->second(name, *value);
  }

  if (filters > 1)
    throw UsageError("choose one filter: --arbitrary, --butterworth, --chebyshev, --window or --fsampling");
  if (signals > 1) throw UsageError("choose one signal: --table, --samples or --biharmonic");
  if (!o.b.empty() && o.filter != FilterChoice::kArbitrary) throw UsageError("--recursive belongs to --arbitrary");
  const bool recursive_design = o.filter == FilterChoice::kButterworth || o.filter == FilterChoice::kChebyshev;
  const bool fir_design = o.filter == FilterChoice::kWindow || o.filter == FilterChoice::kFrSampling;
  if (!recursive_design && (o.wp || o.fp || o.lp || o.lp_db || o.ls || o.ls_db || o.transition))
    throw UsageError(
        "--wp, --fp, --lp, --lp-db, --ls, --ls-db and --transition belong to --butterworth or --chebyshev");
  if (o.filter != FilterChoice::kChebyshev && (o.ripple_percent || o.ripple_db))
    throw UsageError("--ripple and --ripple-db belong to --chebyshev");
  if (!fir_design && (o.wc || o.fc || o.hamming))
    throw UsageError("--wc, --fc and --hamming belong to --window or --fsampling");
  if (!recursive_design && !fir_design && o.order) throw UsageError("--order belongs to a library design");
  if (recursive_design && o.order && o.transition)
    throw UsageError("give either --transition (automatic order) or --order, not both");
  if ((o.wp && o.fp) || (o.wc && o.fc) || (o.lp && o.lp_db) || (o.ls && o.ls_db) || (o.ripple_percent && o.ripple_db))
    throw UsageError("a quantity is given twice (for instance --wp and --fp)");
  const bool biharmonic_values =
      o.w1 || o.a1 || o.phi1 || o.w2 || o.a2 || o.phi2 || o.oscillations != "1" || o.decimation || o.switched_on;
  if (o.signal != SignalChoice::kBiharmonic && biharmonic_values)
    throw UsageError(
        "--w1, --a1, --phi1, --w2, --a2, --phi2, --oscillations, --decimation and --switched-on belong to "
        "--biharmonic");
  if (o.measure && o.afc == 1) throw UsageError("--measure needs --afc 2 or --afc 3");
  if ((o.time_csv == "-") + (o.freq_csv == "-") + (o.coefficients_csv == "-") + (o.c_header == "-") +
          (o.zpk_csv == "-") >
      1)
    throw UsageError("only one output can go to standard output");
  if (!o.c_prefix.empty() && o.c_header.empty()) throw UsageError("--c-prefix belongs to --c-header");
  if (!o.coefficients_layout.empty() && o.coefficients_csv.empty() && o.c_header.empty())
    throw UsageError("--coefficients-layout belongs to --coefficients-csv or --c-header");
  if (o.coefficients_layout == "sos" && !recursive_design)
    throw UsageError(
        "--coefficients-layout sos needs a cascade of sections (--butterworth or --chebyshev); "
        "this filter is in direct form: use --coefficients-layout direct");
  if (o.picture_format && o.pictures_dir.empty()) throw UsageError("--format belongs to --pictures");
  return o;
}

std::string CliUsage() {
  return R"(Usage: velmar-cli [OPTIONS]
Runs the analysis of a digital filter and a test signal without a window.

Filter (one; default: the identity a = 1):
  --arbitrary A0,A1,...      non-recursive coefficients a(0), a(1), ... (at most 500)
  --recursive B1,B2,...      recursive coefficients b(1), b(2), ... (with --arbitrary, at most 500)
  --butterworth | --chebyshev
      --wp W | --fp F        pass-band edge, angular (0..pi] or cyclic (0..0.5]
      --lp L | --lp-db X     level at the pass-band edge
      --ls L | --ls-db X     level at the stop-band edge
      --transition PERCENT   relative transition width: the order follows from it
      --order N              the order itself (the transition width follows from it)
      --ripple PERCENT | --ripple-db X   pass-band ripple (Chebyshev)
  --window | --fsampling     windowed or frequency-sampling FIR low-pass
      --wc W | --fc F        cut-off, angular or cyclic
      --order N              order (up to 500)
      --hamming              Hamming window instead of the rectangular one
Signal (one; default: the empty table):
  --table FILE               a .tbl or .inp table of doubles
  --samples X0,X1,...        the samples themselves (at most 500)
  --biharmonic               the sum of two cosines A*cos(w*n + phi):
      --w1 W --a1 A --phi1 P --w2 W --a2 A --phi2 P   (radians; default w1 = 1, a1 = 1)
      --oscillations 1|2|12  which oscillations are on (default 1)
      --decimation D         keep every D-th sample (default 1: every sample)
      --switched-on          switched on at n = 0 instead of steady state
Settings:
  --interval 1000|2000|4000  analysis interval in samples (default 2000)
  --points 1024|2048|4096    frequency points (default 2048)
  --afc 1|2|3                amplitude response: 1 plain, 2 normalised, 3 normalised in dB
Output:
  --time-csv FILE|-          n,h,g,x,y for n = 0 .. interval-1
  --freq-csv FILE|-          k,omega,amplitude,phase,input_spectrum,output_spectrum,group_delay
                             (group delay in samples; empty where it is undefined)
  --zpk-csv FILE|-           kind,re,im,multiplicity: the distinct zeros, then the poles, each by
                             angle and radius, then gain,K,0,1 with H(z) = K*prod(1 - z_i/z) /
                             prod(1 - p_i/z) (times z^(zeros - poles), the filter's pure delay)
  --pictures DIR             the ten diagrams as the main window shows them, in print mode: 1200 x 400
                             DIR/DFh.bmp, DIR/DFg.bmp, ... DIR/DFOutSpectr.bmp, DIR/DFGroupDelay.bmp,
                             and the z-plane, 640 x 600: DIR/DFZeroPole.bmp
      --format bmp|png|svg   their format (default bmp); the names take its extension
  --coefficients-csv FILE|-  the coefficients of the analysed filter (decimal point, exact),
                             the first line stating the convention:
                               sos:    section,b0,b1,b2,a0,a1,a2 with H(z) = product of
                                       (b0 + b1 z^-1 + b2 z^-2) / (1 + a1 z^-1 + a2 z^-2), a0 = 1,
                                       each section's gain folded into b
                               direct: k,numerator,denominator with H(z) =
                                       sum numerator_k z^-k / sum denominator_k z^-k, denominator_0 = 1
  --c-header FILE|-          the same coefficients as static const double arrays in a C header
      --c-prefix NAME        the prefix of its identifiers (NAME_sos, NAME_SECTION_COUNT, ...);
                             default: the file's name made an identifier; the include guard is
                             NAME upper-cased with a short hash of the header's content
  --coefficients-layout direct|sos   layout of both (default: sos for --butterworth and
                             --chebyshev, direct otherwise; sos needs one of those two)
  --measure PASS,STOP        measure the pass and stop band at these levels (needs --afc 2 or 3),
                             e.g. --measure 0.707,0.01 or --afc 3 --measure -3,-40
  --help                     this text
Every option is given at most once. Messages of the program are printed to standard error as
"message: <text>"; after a message that corrects a value, "corrected: OPTION = VALUE" names the
value used. No output may be the table read. The outputs are written all or none: each file is
complete before standard output is written and before any file takes the place of an old one;
if one cannot, the others get their old content back. Saving follows a symbolic link to its
file (not another user's link in a shared sticky folder such as /tmp), keeps the file's mode,
owner and extended attributes (its access list), and refuses a read-only file; devices, pipes
and /dev/stdout are written directly.
Exit status: 0 done (a corrected value is no error), 1 failed while running (such as a full
disk; no file is changed), 2 bad usage, 128+N stopped by signal N (SIGINT, SIGTERM, SIGHUP;
no file is changed).
)";
}
