#include "cli_options.h"

#include <functional>
#include <map>
#include <set>

#include "results/coefficient_export.h"
#include "session/project_file.h"
#include "session/settings_options.h"

CliOptions ParseCliOptions(const std::vector<std::string>& args) {
  CliOptions o;
  SettingsOptions settings(o);
  using Handler = std::function<void(const std::string&, const std::string&)>;
  auto output = [](std::string& target) {
    return Handler([&target](const std::string& opt, const std::string& v) {
      if (v.empty()) throw UsageError("option " + opt + " needs a file name, or - for standard output");
      target = v;
    });
  };
  const std::map<std::string, Handler> with_value = {
      {"--project",
       [&](const std::string& opt, const std::string& v) {
         if (v.empty()) throw UsageError("option " + opt + " needs a file name");
         o.project_file = v;
       }},
      {"--save-project", output(o.save_project)},
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
  };

  // The options with their values, each given at most once: a second value would silently
  // replace the first.
  std::vector<std::pair<std::string, std::optional<std::string>>> read;
  std::set<std::string> given;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> value;
    if (const std::size_t eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = name.substr(eq + 1);
      name = name.substr(0, eq);
    }
    if (name == "-h") name = "--help";
    const bool flag = name == "--help" || settings.IsFlag(name);
    if (!flag && !settings.TakesValue(name) && !with_value.contains(name))
      throw UsageError("unknown option '" + args[i] + "'");
    if (!given.insert(name).second) throw UsageError("option " + name + " is given more than once");
    if (flag && value) throw UsageError("option " + name + " takes no value");
    if (!flag && !value) {
      if (i + 1 >= args.size()) throw UsageError("option " + name + " needs a value");
      value = args[++i];
    }
    read.emplace_back(name, value);
  }

  // The project's settings first, then the command line's over them; a filter or a signal chosen
  // on the command line replaces the project's with all its values.
  for (const auto& [name, value] : read)
    if (const auto option = with_value.find(name); option != with_value.end()) option->second(name, *value);
  if (!o.project_file.empty()) static_cast<ProjectSettings&>(o) = ReadProjectFile(o.project_file);
  for (const auto& [name, value] : read) {
    if (SettingsOptions::ChoosesFilter(name)) ForgetFilter(o);
    if (SettingsOptions::ChoosesSignal(name)) ForgetSignal(o);
  }
  for (const auto& [name, value] : read) {
    if (name == "--help") o.help = true;
    else if (settings.IsFlag(name)) settings.ApplyFlag(name);
    else if (settings.TakesValue(name)) settings.Apply(name, *value);
  }
  settings.Finish();

  const bool recursive_design = o.filter == FilterChoice::kButterworth || o.filter == FilterChoice::kChebyshev;
  if ((o.time_csv == "-") + (o.freq_csv == "-") + (o.coefficients_csv == "-") + (o.c_header == "-") +
          (o.zpk_csv == "-") + (o.save_project == "-") >
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

Project:
  --project FILE             start from the filter, signal, settings and measurement of this
                             project (a .velmar TOML file); the options given here take precedence
  --save-project FILE|-      write the filter, signal, settings and measurement of this run as a
                             project, with the other outputs

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
  --window | --fsampling     windowed or frequency-sampling FIR filter
      --band low|high|pass|stop   low-pass (default), high-pass, band-pass or band-stop
      --wc W | --fc F        cut-off, angular or cyclic (the lower one for pass and stop)
      --wc2 W | --fc2 F      the upper cut-off (pass and stop; default 2 rad)
      --order N              order (up to 500)
      --hamming | --hann | --blackman   window instead of the rectangular one
      --kaiser BETA          Kaiser window with this beta (0..100), also over the beta
                             that --attenuation-db gives
      --attenuation-db A     Kaiser window for a stop-band attenuation of A dB: beta follows
                             from A, and the order from A and --transition (default 10 % of
                             the cut-off wc) unless --order is given
      --transition PERCENT   with the Kaiser window: the transition width for the order
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
