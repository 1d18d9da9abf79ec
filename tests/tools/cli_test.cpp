#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "numeric/number_text.h"
#include "support/coefficient_csv.h"
#include "support/fir_edge.h"
#include "support/stated_interval.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

struct Result {
  int exit_code = -1;
  std::string out, err;
};

std::string ReadAll(const fs::path& path) { return ReadFile(path); }

// Width and height of a BMP file's picture; 0 × 0 for anything else.
std::pair<int, int> BmpSize(const std::string& bmp) {
  if (bmp.size() < 26 || bmp.compare(0, 2, "BM") != 0) return {0, 0};
  const auto word = [&](std::size_t at) {
    return static_cast<std::int16_t>(static_cast<unsigned char>(bmp[at]) | static_cast<unsigned char>(bmp[at + 1])
                                                                               << 8);
  };
  return {word(18), std::abs(word(22))};  // a picture stored top down has a negative height
}

class CliTest : public ::testing::Test {
 protected:
  // Runs velmar-cli in the test's folder; standard output goes to out.txt unless stdout says
  // otherwise (a shell redirection), and shell commands may go first (before).
  Result Run(const std::string& args, const std::string& stdout_to = "", const std::string& before = "") {
    const fs::path out = dir_ / "out.txt", err = dir_ / "err.txt";
    // Appended piece by piece: g++ 12 warns falsely (-Wrestrict) on "literal" + string once inlined.
    std::string command = "cd ";
    command += dir_.string() + " && " + before + " " + VELMAR_CLI + " " + args + " ";
    command += stdout_to.empty() ? std::string(">").append(out.string()) : stdout_to;
    command += " 2>" + err.string() + " </dev/null";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(out), ReadAll(err)};
  }

  void Write(const std::string& name, const std::string& text) { std::ofstream(dir_ / name) << text; }

  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  TemporaryFolder folder_;
  const fs::path& dir_ = folder_.Path();
};

TEST_F(CliTest, TimeCsvOfATypedFilterHoldsTheClosedForm) {
  const Result r = Run("--arbitrary 0.5 --recursive 0.5 --samples 1 --interval 1000 --time-csv -");
  ASSERT_EQ(r.exit_code, 0) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 1001u);
  EXPECT_EQ(lines[0], "n,h,g,x,y");
  // h(3) = 0.5^4, g(3) = 1 − 0.5^4; the single-sample input makes y = h.
  EXPECT_EQ(lines[4], "3,0.0625,0.9375,0,0.0625");
  // The summary goes to standard error when the CSV takes standard output.
  EXPECT_NE(r.err.find("filter: arbitrary\norder: 1\ntaps: 1\n"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("overflow: no"), std::string::npos);
}

TEST_F(CliTest, FrequencyCsvAndMeasurementOfADesignedFilter) {
  const fs::path csv = dir_ / "freq.csv";
  const Result r = Run("--chebyshev --wp 1 --afc 3 --points 1024 --measure -3,-40 --freq-csv " + csv.string());
  ASSERT_EQ(r.exit_code, 0) << r.err;
  const std::vector<std::string> rows = Lines(ReadAll(csv));
  ASSERT_EQ(rows.size(), 1025u);
  EXPECT_EQ(rows[0], "k,omega,amplitude,phase,input_spectrum,output_spectrum,group_delay");
  EXPECT_EQ(rows[1].rfind("0,-3.141592653589793,", 0), 0u) << rows[1];
  EXPECT_EQ(rows[1024].rfind("1023,3.141592653589793,", 0), 0u) << rows[1024];
  // The pass-band edge at −3 dB lies within a grid step of the designed ωp = 1.
  const std::string key = "Нормированная круговая частота верхней границы полосы пропускания: ";
  const std::size_t at = r.out.find(key);
  ASSERT_NE(at, std::string::npos) << r.out;
  double edge = 0;
  ASSERT_TRUE(TextToDouble(r.out.substr(at + key.size(), 6), edge));  // "1,0005±…" → 1,0005
  EXPECT_NEAR(edge, 1.0, 2 * 3.141592653589793 / 1023);
  EXPECT_NE(r.out.find("filter: chebyshev\n"), std::string::npos);
  EXPECT_NE(r.out.find("stable: yes\nmax pole radius: 0."), std::string::npos) << r.out;

  // A −39,8 dB side lobe of this filter lies between two grid points, beyond the last grid point
  // above −40 dB: the stated stop edge holds the crossing of the continuous response, computed
  // here from the written taps, and so does the pass edge.
  const Result lobe = Run("--fsampling --order 301 --wc 2.5 --afc 3 --measure -1,-40 --coefficients-csv -");
  ASSERT_EQ(lobe.exit_code, 0) << lobe.err;
  std::vector<double> taps;
  for (const std::vector<double>& row : ReadCoefficientCsv(lobe.out).rows) taps.push_back(row.at(0));
  ASSERT_EQ(taps.size(), 302u);
  const long double peak = FirGridPeak(taps, 2048);
  const auto stated = [&](const std::string& name) {
    const std::size_t found = lobe.err.find(name + ": ");
    if (found == std::string::npos) return StatedInterval("");
    const std::size_t from = found + name.size() + 2;
    return StatedInterval(lobe.err.substr(from, lobe.err.find('\n', from) - from));
  };
  const double stop_edge = LastFirCrossing(taps, peak, -40, 2.5), pass_edge = LastFirCrossing(taps, peak, -1, 2);
  EXPECT_NEAR(stop_edge, 2.7915, 1e-4);  // the lobe's, not 2,7717 below it
  EXPECT_TRUE(stated("Нормированная круговая частота нижней границы полосы подавления").Holds(stop_edge)) << lobe.err;
  EXPECT_TRUE(stated("Нормированная циклическая частота нижней границы полосы подавления")
                  .Holds(stop_edge / (2 * std::numbers::pi)));
  EXPECT_TRUE(stated("Нормированная круговая частота верхней границы полосы пропускания").Holds(pass_edge)) << lobe.err;
  EXPECT_TRUE(
      stated("Ширина переходной полосы в единицах нормированной круговой частоты").Holds(stop_edge - pass_edge));

  // The identity filter: its pass band reaches π, 0,5 in cycles, stated without a minus before 0.
  const Result identity = Run("--arbitrary 1 --afc 3 --measure -3,-40");
  ASSERT_EQ(identity.exit_code, 0) << identity.err;
  EXPECT_NE(identity.out.find("пропускания: 0,5000±0,00%\n"), std::string::npos) << identity.out;
  EXPECT_EQ(identity.out.find("-0,"), std::string::npos) << identity.out;

  // y(n) = x(n) + x(n − 1): a group delay of 0.5, its field empty at ±π where H vanishes.
  const Result two_taps = Run("--arbitrary 1,1 --points 1024 --freq-csv -");
  ASSERT_EQ(two_taps.exit_code, 0) << two_taps.err;
  const std::vector<std::string> two_rows = Lines(two_taps.out);
  ASSERT_EQ(two_rows.size(), 1025u);
  EXPECT_EQ(two_rows[1].back(), ',') << two_rows[1];
  EXPECT_EQ(two_rows[1024].back(), ',') << two_rows[1024];
  for (int k = 1; k < 1023; ++k) {
    const std::string& row = two_rows[static_cast<std::size_t>(k + 1)];
    ASSERT_NEAR(std::strtod(row.substr(row.rfind(',') + 1).c_str(), nullptr), 0.5, 1e-9) << row;
  }
  EXPECT_EQ(two_taps.out.find("nan"), std::string::npos);
  EXPECT_NE(Run("--help").out.find("--zpk-csv FILE|-"), std::string::npos);

  // Each row's omega is the ω it was computed at: −π advanced by Δ point by point up to the
  // middle, mirrored beyond. 1 − 2cos(ω700)·z⁻¹ + z⁻² has its zeros on the unit circle, next to
  // ±ω700: a delay of 1 wherever it is given, and not given there.
  std::vector<double> grid;
  double w = -3.141592653589793;
  for (int k = 0; k < 1024; ++k, w += 2 * 3.141592653589793 / 2047) grid.push_back(w);
  for (int k = 1024; k < 2048; ++k) grid.push_back(-grid[static_cast<std::size_t>(2047 - k)]);
  char coefficient[32];
  std::snprintf(coefficient, sizeof coefficient, "%.17g", -2 * std::cos(grid[700]));
  const Result zeros = Run(std::string("--arbitrary 1,") + coefficient + ",1 --freq-csv -");
  ASSERT_EQ(zeros.exit_code, 0) << zeros.err;
  const std::vector<std::string> zero_rows = Lines(zeros.out);
  ASSERT_EQ(zero_rows.size(), 2049u);
  for (std::size_t k = 0; k < grid.size(); ++k) {
    const std::string& row = zero_rows[k + 1];
    ASSERT_EQ(std::strtod(row.c_str() + row.find(',') + 1, nullptr), grid[k]) << row;
    const std::string tau = row.substr(row.rfind(',') + 1);
    if (!tau.empty()) {
      ASSERT_NEAR(std::strtod(tau.c_str(), nullptr), 1, 1e-9) << row;
    }
  }
  EXPECT_EQ(zero_rows[701].back(), ',') << zero_rows[701];
}

TEST_F(CliTest, MessagesGoToStandardErrorAndOverflowIsReported) {
  const Result r = Run("--arbitrary 1 --recursive 1.5 --zpk-csv zpk.csv");
  ASSERT_EQ(r.exit_code, 0);
  // H = z/(z − 1.5).
  EXPECT_EQ(ReadAll(dir_ / "zpk.csv"), "kind,re,im,multiplicity\nzero,0,0,1\npole,1.5,0,1\ngain,1,0,1\n");
  EXPECT_NE(r.out.find("stable: no\nmax pole radius: 1.5\n"), std::string::npos) << r.out;
  EXPECT_NE(r.err.find("message: Возникло переполнение разрядной сетки:\n Возможно цифровой фильтр неустойчив.\n "
                       "Анализ ИХ остановлен.\nmessage: Анализ ПХ остановлен.\n"),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.out.find("transient length: 63\noverflow: yes\n"), std::string::npos) << r.out;
  // A correction of a design value is a message too, and the run goes on with the value named
  // after it; so does an automatic order held at its limit.
  const std::pair<std::string, std::string> corrections[] = {
      {"--butterworth --wp 4", "Произведена коррекция.\ncorrected: --wp = 3.141592653589793\n"},
      {"--butterworth --order 10000",
       "message: Порядок фильтра должен быть меньше 200\n Произведена коррекция.\n"
       "corrected: --order = 200\n"},
      {"--butterworth --ls-db -400 --transition 1", "Произведена коррекция.\ncorrected: --order = 200\n"},
      {"--chebyshev --ripple 1e20", "corrected: --ripple = 50\ncorrected: --lp = 0.5\n"},
      {"--window --order 0", "Произведена коррекция.\ncorrected: --order = 1\n"},
      // The second cut-off kept from before lies below the new first; the estimated order beyond 500.
      {"--window --band pass --wc 2.5", "Произведена коррекция.\ncorrected: --wc2 = 2.8207963267948966\n"},
      {"--fsampling --attenuation-db 80 --wc 0.5", "Произведена коррекция.\ncorrected: --order = 500\n"},
      {"--window --band stop --wc 4", "Произведена коррекция.\ncorrected: --wc = 1.5707963267948966\n"},
      {"--biharmonic --w1 4", "Произведена коррекция.\ncorrected: --w1 = 3\n"}};
  for (const auto& [args, note] : corrections) {
    const Result corrected = Run(args);
    EXPECT_EQ(corrected.exit_code, 0) << args;
    EXPECT_NE(corrected.err.find(note), std::string::npos) << args << ": " << corrected.err;
  }
  EXPECT_NE(Run("--butterworth --order 10000").out.find("order: 200\n"), std::string::npos);
  EXPECT_EQ(Run("--butterworth --lp-db 3").err, "");  // a positive level in dB is read as negative, silently

  // z² − 1,999999999998·z + 0,999999999998: the poles 1 and 0,999999999998 exactly.
  const Result edge = Run("--arbitrary 1 --recursive 1.999999999998,-0.999999999998 --zpk-csv -");
  EXPECT_EQ(edge.out, "kind,re,im,multiplicity\nzero,0,0,2\npole,0.999999999998,0,1\npole,1,0,1\ngain,1,0,1\n");
  EXPECT_NE(edge.err.find("stable: no\nmax pole radius: 1\n"), std::string::npos) << edge.err;
  // Zeros beyond a double's range are told, the others listed.
  const Result wide = Run("--arbitrary 1e-300,1e300,1 --samples 1 --zpk-csv -");
  EXPECT_EQ(wide.exit_code, 0);
  EXPECT_EQ(wide.out, "kind,re,im,multiplicity\nzero,-1e-300,0,1\npole,0,0,2\ngain,1e-300,0,1\n");
  EXPECT_NE(wide.err.find("message: Не удалось найти 1 из 2 нулей фильтра.\n"), std::string::npos) << wide.err;
  // A gain far below a double's range keeps the zeros and is written with its own exponent.
  const Result low = Run("--butterworth --order 150 --wp 0.01 --zpk-csv -");
  EXPECT_NE(low.out.find("\nzero,-1,0,150\n"), std::string::npos);
  const std::string gain = low.out.substr(low.out.find("gain,"));
  EXPECT_LT(std::stoi(gain.substr(gain.find('e') + 1)), -307) << gain;
}

// count values "0,0,…,last".
std::string List(int count, const std::string& last = "1") {
  std::string list;
  for (int i = 1; i < count; ++i) list += "0,";
  return list + last;
}

TEST_F(CliTest, BadUsageExitsWithTwoAndWritesNothing) {
  const fs::path csv = dir_ / "never.csv";
  Write("bad.velmar", "format = 1\n[filter]\nbutterworth = true\nwp = \"1\"\n");
  Write("new.velmar", "format = 2\n");
  const std::pair<std::string, std::string> bad[] = {
      {"--bogus", "unknown option"},
      {"--interval 3000", "is not one of"},
      {"--butterworth --wp abc", "'abc' is not a number"},
      {"--butterworth --wp +-1", "'+-1' is not a number"},
      {"--butterworth --wp 1e-400", "'1e-400' is out of range"},
      {"--butterworth --order 99999999999", "is out of range"},
      {"--wp 1", "belong to --butterworth"},
      {"--table " + (dir_ / "missing.tbl").string(),
       "cannot read the table file '" + (dir_ / "missing.tbl").string() + "': No such file or directory"},
      {"--table " + dir_.string(), "cannot read the table file '" + dir_.string() + "': Is a directory"},
      {"--table /dev/null", "'/dev/null': it is not a regular file but a device, a pipe or a socket"},
      {"--c-header c.h --c-prefix 2nd", "option --c-prefix: '2nd' is no C identifier"},
      {"--c-prefix lowpass", "--c-prefix belongs to --c-header"},
      {"--measure 0.707,0.01", "needs --afc 2 or --afc 3"},
      {"--afc 2 --measure 0.71,0.01", "not in its list"},
      {"--arbitrary 0,0", "all 0"},
      {"--samples 1,,2", "is not a number"},
      {"--freq-csv \"\"", "--freq-csv needs a file name"},
      {"--zpk-csv - --freq-csv -", "only one output can go to standard output"},
      {"--butterworth --wp 1 --wp 2", "option --wp is given more than once"},
      {"--hamming --window --hamming", "option --hamming is given more than once"},
      {"--window --hann --attenuation-db 40", "choose one window"},
      {"--chebyshev --blackman", "--blackman, --kaiser and --attenuation-db belong to --window"},
      {"--window --band high --wc2 2", "--wc2 and --fc2 belong to --band pass or --band stop"},
      {"--window --band mid", "option --band: use low, high, pass or stop"},
      {"--arbitrary 1 --band high", "--band belongs to a library design"},
      {"--fsampling --hamming --transition 5",
       "--transition belongs to --butterworth or --chebyshev, or to the Kaiser"},
      {"--window --band pass --wc2 2 --fc2 0.3", "a quantity is given twice"},
      {"--arbitrary " + List(501), "--arbitrary: a table holds at most 500 values, 501 given"},
      {"--recursive " + List(600), "--recursive: a table holds at most 500 values, 600 given"},
      {"--samples " + List(501), "--samples: a table holds at most 500 values, 501 given"},
      {"--biharmonic --w1 3 --decimation 2", "decimation 2 is not offered"},
      {"--coefficients-layout sos --coefficients-csv c.csv", "sos needs a cascade of sections"},
      {"--window --coefficients-layout sos --c-header c.h", "sos needs a cascade of sections"},
      {"--butterworth --coefficients-layout direct", "--coefficients-layout belongs to --coefficients-csv"},
      {"--chebyshev --coefficients-layout iir --c-header c.h", "use direct or sos"},
      {"--coefficients-csv - --c-header -", "only one output can go to standard output"},
      {"--pictures pics --format jpg", "option --format: jpg is not one of bmp, png, svg"},
      {"--format svg", "--format belongs to --pictures"},
      {"--project bad.velmar", "velmar-cli: bad.velmar:4:6: wp takes a number"},
      {"--project new.velmar", "velmar-cli: new.velmar:1:10: format 2 is newer than this program reads (1)"},
      {"--project missing.velmar", "cannot read the project file 'missing.velmar': No such file or directory"},
      {"--project . --save-project p.velmar", "cannot read the project file '.': it is not a regular file"},
  };
  for (const auto& [args, reason] : bad) {
    const Result r = Run(args + " --time-csv " + csv.string());
    EXPECT_EQ(r.exit_code, 2) << args;
    EXPECT_TRUE(r.err.rfind("velmar-cli: ", 0) == 0 || r.err.find("\nvelmar-cli: ") != std::string::npos)
        << args << ": " << r.err;
    EXPECT_NE(r.err.find(reason), std::string::npos) << args << ": " << r.err;
    EXPECT_TRUE(r.out.empty()) << args;
    EXPECT_FALSE(fs::exists(csv)) << args;
  }
  // The most a table holds is allowed.
  EXPECT_EQ(Run("--arbitrary " + List(500) + " --recursive " + List(500, "0.5")).exit_code, 0);
}

TEST_F(CliTest, SignalsReachTheRunAsGiven) {
  // Samples keep every digit: no rounding to the four decimals the table shows.
  const Result samples = Run("--samples 1e-5,0.123456789,-2.5 --interval 1000 --time-csv -");
  ASSERT_EQ(samples.exit_code, 0) << samples.err;
  const std::vector<std::string> rows = Lines(samples.out);
  const double expected[] = {1e-5, 0.123456789, -2.5};
  for (int n = 0; n < 3; ++n) {
    std::istringstream row(rows[n + 1]);
    std::string field;
    for (int column = 0; column < 4; ++column) std::getline(row, field, ',');
    EXPECT_EQ(std::strtod(field.c_str(), nullptr), expected[n]) << rows[n + 1];
  }

  // ω = 3 leaves no decimation to choose but D = 1 itself: x(n) = cos(3n).
  const Result fast = Run("--biharmonic --w1 3 --decimation 1 --interval 1000 --time-csv -");
  ASSERT_EQ(fast.exit_code, 0) << fast.err;
  const std::vector<std::string> fast_rows = Lines(fast.out);
  std::istringstream row(fast_rows[2]);  // n = 1
  std::string field;
  for (int column = 0; column < 4; ++column) std::getline(row, field, ',');
  EXPECT_NEAR(std::strtod(field.c_str(), nullptr), std::cos(3.0), 1e-12) << fast_rows[2];
}

// A project gives what its options give, byte for byte, and saves them as the same text again.
TEST_F(CliTest, AProjectRunsAsItsOptionsAndSavesTheSameText) {
  const std::string outputs = " --time-csv t.csv --freq-csv f.csv --zpk-csv z.csv";
  const auto files = [&] { return ReadAll(dir_ / "t.csv") + ReadAll(dir_ / "f.csv") + ReadAll(dir_ / "z.csv"); };
  const auto same_run = [&](const std::string& options, const std::string& project_args) {
    const Result direct = Run(options + outputs);
    ASSERT_EQ(direct.exit_code, 0) << options << direct.err;
    const std::string written = files();
    const Result from_project = Run(project_args + outputs);
    EXPECT_EQ(from_project.exit_code, 0) << project_args << from_project.err;
    EXPECT_EQ(from_project.out, direct.out) << project_args;
    EXPECT_EQ(from_project.err, direct.err) << project_args;
    EXPECT_TRUE(files() == written) << project_args;
  };
  Write("t.inp", std::string("\0\0\0\0\0\0\xF8\x3F", 8));
  const std::string kinds[] = {
      "--butterworth --wp 0.8 --lp-db -3 --ls-db -40 --transition 20 --samples 1,0.5 --afc 3 --measure -3,-40",
      "--chebyshev --fp 0.1 --order 6 --ripple 5 --biharmonic --w1 0.3 --a1 2 --phi1 1 --w2 2 --a2 0.5 --phi2 -1 "
      "--oscillations 12 --switched-on --interval 1000",
      "--window --wc 1 --order 1000 --hamming --points 1024",  // the order is corrected, with its message
      "--fsampling --fc 0.2 --order 20 --afc 2 --measure 0.707,0.01",
      "--window --band stop --wc 0.8 --wc2 2 --kaiser 4 --attenuation-db 50 --transition 20 --points 1024",
      "--fsampling --band high --fc 0.3 --blackman --order 21",
      "--arbitrary 0.5,0.25 --recursive 0.5 --samples 1,0.1,0.30000000000000004 --interval 4000",
      "--arbitrary 1,-1 --table t.inp"};
  for (const std::string& options : kinds) {
    ASSERT_EQ(Run(options + " --save-project p.velmar").exit_code, 0) << options;
    same_run(options, "--project p.velmar");
    ASSERT_EQ(Run("--project p.velmar --save-project q.velmar").exit_code, 0) << options;
    EXPECT_EQ(ReadAll(dir_ / "q.velmar"), ReadAll(dir_ / "p.velmar")) << options;
  }
  // Written by hand, as a lab handout; the command line takes precedence, and a filter chosen
  // there replaces the project's with all its values.
  Write("lab.velmar",
        "format = 1\n\n[filter]\nchebyshev = true  # the lab's filter\nwp = 1.0\norder = 10\nripple-db = 1.0\n\n"
        "[signal]\nbiharmonic = true\nw1 = 0.3\nphi1 = 1.0\ndecimation = 1\nswitched-on = false\n\n"
        "[analysis]\ninterval = 4000\npoints = 4096\nafc = 3\n\n[measure]\nmeasure = [-3.0, -40.0]\n");
  const std::string lab_signal = "--biharmonic --w1 0.3 --phi1 1 --decimation 1 --points 4096 --afc 3";
  const std::string lab = "--chebyshev --wp 1 --order 10 --ripple-db 1 " + lab_signal;
  same_run(lab + " --interval 4000 --measure -3,-40", "--project lab.velmar");
  same_run(lab + " --interval 1000 --measure -6,-40", "--project lab.velmar --interval 1000 --measure=-6,-40");
  same_run("--butterworth " + lab_signal + " --interval 4000 --measure -3,-40", "--butterworth --project lab.velmar");
}

TEST_F(CliTest, OutputsThatAreOneFileAreRefused) {
  Write("a.csv", "old");
  ASSERT_EQ(link((dir_ / "a.csv").c_str(), (dir_ / "b.csv").c_str()), 0);
  ASSERT_EQ(symlink("/dev/stdout", (dir_ / "stdout").c_str()), 0);
  const std::string same[] = {"--time-csv same.csv --freq-csv ./same.csv",       "--time-csv a.csv --freq-csv b.csv",
                              "--freq-csv pics/../pics/DFg.bmp --pictures pics", "--time-csv - --freq-csv stdout",
                              "--coefficients-csv same.csv --c-header same.csv", "--zpk-csv a.csv --freq-csv b.csv"};
  for (const std::string& args : same) {
    const Result r = Run(args);
    EXPECT_EQ(r.exit_code, 2) << args;
    EXPECT_NE(r.err.find("are the same file"), std::string::npos) << args << ": " << r.err;
    EXPECT_TRUE(r.out.empty()) << args;
  }
  EXPECT_FALSE(fs::exists(dir_ / "same.csv"));
  EXPECT_FALSE(fs::exists(dir_ / "pics"));
  EXPECT_EQ(ReadAll(dir_ / "a.csv"), "old");

  // No output replaces the table read, whatever name either has.
  const std::string table("\0\0\0\0\0\0\xF8\x3F", 8);  // 1.5
  Write("t.inp", table);
  ASSERT_EQ(symlink("t.inp", (dir_ / "link.inp").c_str()), 0);
  fs::create_directory(dir_ / "pics");
  Write("pics/DFh.bmp", table);
  const std::pair<std::string, std::string> inputs[] = {
      {"--table t.inp --time-csv t.inp", "--time-csv 't.inp' and --table 't.inp' are the same file"},
      {"--table link.inp --freq-csv ./t.inp", "--freq-csv './t.inp' and --table 'link.inp' are the same file"},
      {"--table pics/DFh.bmp --pictures pics/",
       "--pictures 'pics/DFh.bmp' and --table 'pics/DFh.bmp' are the same file"},
      {"--project p.velmar --save-project ./p.velmar",
       "--save-project './p.velmar' and --project 'p.velmar' are the same file"}};
  Write("p.velmar", "format = 1\n");
  for (const auto& [args, clash] : inputs) {
    const Result r = Run(args);
    EXPECT_EQ(r.exit_code, 2) << args;
    EXPECT_NE(r.err.find(clash + ": an output may not overwrite an input"), std::string::npos) << args << ": " << r.err;
  }
  EXPECT_EQ(ReadAll(dir_ / "t.inp"), table);
  EXPECT_EQ(ReadAll(dir_ / "pics/DFh.bmp"), table);
  EXPECT_EQ(ReadAll(dir_ / "p.velmar"), "format = 1\n");

  // Devices that discard or stream are no files to protect.
  const Result discarded = Run("--time-csv /dev/null --freq-csv /dev/null --zpk-csv /dev/null");
  EXPECT_EQ(discarded.exit_code, 0) << discarded.err;
}

TEST_F(CliTest, OutputsAreWrittenAllOrNone) {
  Write("time.csv", "old time");
  Write("read-only.csv", "old");
  fs::permissions(dir_ / "read-only.csv", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const std::pair<std::string, std::string> failing[] = {
      {"--freq-csv missing/freq.csv", "cannot write 'missing/freq.csv': No such file or directory"},
      {"--freq-csv read-only.csv", "cannot write 'read-only.csv': the file is read-only"},
      {"--coefficients-csv freq.csv --c-header read-only.csv", "cannot write 'read-only.csv': the file is read-only"},
      {"--freq-csv freq.csv --pictures new/pics --afc 3", "cannot write 'new/pics/DFh.bmp': File too large"}};
  for (const auto& [args, reason] : failing) {
    // Files may not grow past 500 KiB, as on a nearly full disk: a CSV fits, a picture does not.
    const Result r = Run("--interval 1000 --time-csv time.csv " + args, "", "trap \"\" XFSZ; ulimit -f 1000;");
    EXPECT_EQ(r.exit_code, 1) << args;
    EXPECT_NE(r.err.find(reason), std::string::npos) << args << ": " << r.err;
    EXPECT_TRUE(r.out.empty()) << args;
  }
  EXPECT_EQ(ReadAll(dir_ / "time.csv"), "old time");
  EXPECT_EQ(ReadAll(dir_ / "read-only.csv"), "old");
  EXPECT_FALSE(fs::exists(dir_ / "freq.csv"));
  EXPECT_FALSE(fs::exists(dir_ / "new"));  // the folders made for the pictures are gone again

  // An old picture stays whole when the new ones cannot be written.
  fs::create_directory(dir_ / "pics");
  Write("pics/DFh.bmp", "old picture");
  EXPECT_EQ(Run("--pictures pics", "", "trap \"\" XFSZ; ulimit -f 1000;").exit_code, 1);
  EXPECT_EQ(ReadAll(dir_ / "pics/DFh.bmp"), "old picture");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "pics"), {}), 1);

  // As under cron: no XDG_RUNTIME_DIR, and still no word on standard error but the program's own.
  const Result written = Run("--interval 1000 --time-csv time.csv --pictures pics", "", "env -u XDG_RUNTIME_DIR");
  ASSERT_EQ(written.exit_code, 0) << written.err;
  EXPECT_EQ(written.err, "");
  EXPECT_EQ(ReadAll(dir_ / "time.csv").rfind("n,h,g,x,y\n0,1,1,0,0\n", 0), 0u);
  EXPECT_EQ(ReadAll(dir_ / "pics/DFh.bmp").substr(0, 2), "BM");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "pics"), {}), 10);
  // Besides the eight, the z-plane (square-ish, its scales being equal) and the group delay.
  EXPECT_EQ(BmpSize(ReadAll(dir_ / "pics/DFZeroPole.bmp")), (std::pair{640, 600}));
  EXPECT_EQ(BmpSize(ReadAll(dir_ / "pics/DFGroupDelay.bmp")), (std::pair{1200, 400}));
  EXPECT_EQ(BmpSize(ReadAll(dir_ / "pics/DFOutSpectr.bmp")), (std::pair{1200, 400}));

  // The other formats: the same names with their extension, beside the BMP files.
  ASSERT_EQ(Run("--interval 1000 --pictures pics --format png").exit_code, 0);
  ASSERT_EQ(Run("--interval 1000 --pictures pics --format svg").exit_code, 0);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "pics"), {}), 30);
  const std::string png = ReadAll(dir_ / "pics/DFOutSpectr.png");
  ASSERT_GE(png.size(), 24u);
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x04\xb0\0\0\x01\x90", 8));  // 1200 × 400
  const std::string svg = ReadAll(dir_ / "pics/DFh.svg");
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_NE(svg.find("viewBox=\"0 0 1200 400\""), std::string::npos);
  EXPECT_NE(svg.find("<path"), std::string::npos);
}

TEST_F(CliTest, CoefficientsOfTheAnalysedFilterInEitherLayout) {
  // A cascade: its sections by default, the summary moved to standard error.
  const Result sos = Run("--chebyshev --order 10 --coefficients-csv -");
  ASSERT_EQ(sos.exit_code, 0) << sos.err;
  const std::vector<std::string> rows = Lines(sos.out);
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[0].rfind("# H(z) = product over the sections of", 0), 0u) << rows[0];
  EXPECT_EQ(rows[1], "section,b0,b1,b2,a0,a1,a2");
  EXPECT_EQ(rows[6].rfind("5,", 0), 0u) << rows[6];
  EXPECT_NE(sos.err.find("filter: chebyshev\norder: 10\nsections: 5\n"), std::string::npos) << sos.err;

  // A typed filter: its direct form, the recursive coefficients negated into the denominator.
  const Result direct = Run("--arbitrary 0.5 --recursive 0.5 --coefficients-csv -");
  ASSERT_EQ(direct.exit_code, 0) << direct.err;
  const std::vector<std::string> direct_rows = Lines(direct.out);
  ASSERT_EQ(direct_rows.size(), 4u);
  EXPECT_EQ(direct_rows[0].rfind("# H(z) = sum(numerator[k]*z^-k)", 0), 0u) << direct_rows[0];
  EXPECT_EQ(direct_rows[1], "k,numerator,denominator");
  EXPECT_EQ(direct_rows[2], "0,0.5,1");
  EXPECT_EQ(direct_rows[3], "1,0,-0.5");

  // A non-recursive design as a C header named after its file.
  const Result header = Run("--window --order 4 --c-header taps.h");
  ASSERT_EQ(header.exit_code, 0) << header.err;
  const std::string text = ReadAll(dir_ / "taps.h");
  EXPECT_NE(text.find("#define taps_NUMERATOR_LENGTH 5\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Windowed FIR low-pass, order 4: rectangular window, wc = 1 rad/sample"), std::string::npos);
  // A Kaiser band-stop: the taps symmetric about the centre 1 − (ωc2 − ωc1)/π, described in the header.
  const std::string stop = "--window --band stop --wc 1 --wc2 2 --kaiser 3 --order 11";
  const Result taps = Run(stop + " --coefficients-csv - --c-header stop.h");
  ASSERT_EQ(taps.exit_code, 0) << taps.err;
  const std::vector<std::string> tap_rows = Lines(taps.out);
  ASSERT_EQ(tap_rows.size(), 14u);
  const auto tap = [&](int k) {
    const std::string& row = tap_rows[k + 2];
    return std::strtod(row.c_str() + row.find(',') + 1, nullptr);
  };
  EXPECT_NEAR(tap(5), 1 - 1 / std::numbers::pi, 1e-12);
  for (int k = 0; k < 11; ++k) EXPECT_EQ(tap(k), tap(10 - k)) << k;
  EXPECT_EQ(tap(11), 0);
  EXPECT_NE(ReadAll(dir_ / "stop.h")
                .find("Windowed FIR band-stop, order 11: Kaiser window (beta = 3), wc = 1 rad/sample (fc = "
                      "0.1591549431), wc2 = 2 rad/sample (fc2 = 0.3183098862)."),
            std::string::npos);
  // Its zeros: the header, ten zeros, the tenfold pole at the origin and the gain.
  const Result zpk = Run(stop + " --zpk-csv -");
  EXPECT_EQ(Lines(zpk.out).size(), 13u) << zpk.out;

  // Two headers of one name in two folders never share a guard, so neither hides the other.
  fs::create_directory(dir_ / "d1");
  fs::create_directory(dir_ / "d2");
  ASSERT_EQ(Run("--chebyshev --order 4 --c-header d1/cheb.h").exit_code, 0);
  ASSERT_EQ(Run("--chebyshev --order 6 --c-header d2/cheb.h").exit_code, 0);
  const auto guard = [&](const char* name) {
    const std::string header_text = ReadAll(dir_ / name);
    const std::size_t at = header_text.find("#ifndef ");
    return at == std::string::npos ? "" : header_text.substr(at, header_text.find('\n', at) - at);
  };
  EXPECT_EQ(guard("d1/cheb.h").rfind("#ifndef CHEB_COEFFICIENTS_", 0), 0u) << guard("d1/cheb.h");
  EXPECT_NE(guard("d1/cheb.h"), guard("d2/cheb.h"));

  // A direct form beyond a double's range fails while running, and nothing is written.
  const Result narrow =
      Run("--butterworth --wp 0.01 --order 200 --coefficients-layout direct "
          "--coefficients-csv d.csv --time-csv t.csv");
  EXPECT_EQ(narrow.exit_code, 1);
  EXPECT_NE(narrow.err.find("the direct form of this filter does not fit in doubles"), std::string::npos) << narrow.err;
  EXPECT_FALSE(fs::exists(dir_ / "d.csv"));
  EXPECT_FALSE(fs::exists(dir_ / "t.csv"));

  // Chebyshev 60 multiplied out fits in doubles but is not the filter: refused the same way, as CSV
  // and as a C header; a low order passes.
  for (const char* output : {"--coefficients-csv d.csv", "--c-header d.h"}) {
    const Result wrong = Run(std::string("--chebyshev --order 60 --coefficients-layout direct ") + output);
    EXPECT_EQ(wrong.exit_code, 1) << output;
    EXPECT_NE(wrong.err.find("the direct form of this filter, rounded to doubles, is not the filter"),
              std::string::npos)
        << wrong.err;
    EXPECT_FALSE(fs::exists(dir_ / "d.csv") || fs::exists(dir_ / "d.h")) << output;
  }
  EXPECT_EQ(Run("--chebyshev --order 8 --coefficients-layout direct --c-header d.h").exit_code, 0);
}

TEST_F(CliTest, StandardOutputIsWrittenWhereItStandsAndItsFailureIsAnError) {
  // Standard output is written before any file takes its place.
  for (const char* args : {"--time-csv -", "--arbitrary 1 --time-csv sf.csv", "--help"}) {
    const Result r = Run(args, ">/dev/full");
    EXPECT_EQ(r.exit_code, 1) << args;
    EXPECT_NE(r.err.find("velmar-cli: cannot write to standard output: No space left on device"), std::string::npos)
        << args << ": " << r.err;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1);  // err.txt: no sf.csv, nothing hidden

  // Through a link to /dev/stdout, appended to what standard output already holds.
  Write("log.txt", "before\n");
  ASSERT_EQ(symlink("/dev/stdout", (dir_ / "stdout").c_str()), 0);
  const Result r = Run("--interval 1000 --time-csv stdout", ">>log.txt");
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(ReadAll(dir_ / "log.txt").rfind("before\nn,h,g,x,y\n0,1,1,0,0\n", 0), 0u);
  EXPECT_TRUE(fs::is_symlink(dir_ / "stdout"));
  EXPECT_NE(r.err.find("filter: arbitrary\n"), std::string::npos) << r.err;  // the summary moves aside
}

TEST_F(CliTest, AFileThatCannotTakeItsPlaceLeavesTheOthersAsTheyWere) {
  if (std::system("unshare -m true 2>/dev/null") != 0) GTEST_SKIP() << "needs a mount namespace (root)";
  Write("a.csv", "old a");
  Write("b.csv", "old b");
  ASSERT_EQ(link((dir_ / "b.csv").c_str(), (dir_ / "b2.csv").c_str()), 0);  // rewritten in place
  Write("c.csv", "old c");
  Write("mounted", "over c");
  // c.csv is a mount point: renaming over it fails, after a.csv and b.csv took their places.
  const Result r = Run("--arbitrary 1 --samples 1 --time-csv a.csv --freq-csv b.csv --zpk-csv c.csv", "",
                       "unshare -m sh -c 'mount --bind mounted c.csv && exec \"$0\" \"$@\"'");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_NE(r.err.find("velmar-cli: cannot write 'c.csv': Device or resource busy"), std::string::npos) << r.err;
  EXPECT_EQ(ReadAll(dir_ / "a.csv"), "old a");
  EXPECT_EQ(ReadAll(dir_ / "b2.csv"), "old b");
  EXPECT_EQ(ReadAll(dir_ / "c.csv"), "old c");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 7);  // and out.txt, err.txt: nothing kept aside
}

// velmar-cli started in the test's folder with its standard output into a pipe, its standard
// error into err.txt.
struct Child {
  pid_t pid = -1;
  int out = -1;  // the pipe's reading end
};

TEST_F(CliTest, SignalsAndAReaderThatGoesAwayLeaveNothingBehind) {
  const char* const argv[] = {VELMAR_CLI,   "--points", "4096",       "--freq-csv", "-",
                              "--time-csv", "t.csv",    "--pictures", "p",          nullptr};
  const std::string err = (dir_ / "err.txt").string();
  const auto start = [&] {
    int pipe_ends[2];
    EXPECT_EQ(pipe(pipe_ends), 0);
    Child child{fork(), pipe_ends[0]};
    if (child.pid == 0) {  // nothing but async-signal-safe calls until exec
      const int err_fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (dup2(pipe_ends[1], 1) < 0 || dup2(err_fd, 2) < 0 || chdir(dir_.c_str()) != 0) _exit(126);
      close(pipe_ends[0]);
      execv(argv[0], const_cast<char* const*>(argv));
      _exit(127);
    }
    close(pipe_ends[1]);
    return child;
  };
  // The exit code, or 1000 + the signal that ended it.
  const auto finish = [](const Child& child) {
    int status = 0;
    waitpid(child.pid, &status, 0);
    close(child.out);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
  };
  const auto nothing_left = [&](const std::string& what) {
    EXPECT_EQ(ReadAll(dir_ / "t.csv"), "old") << what;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 2) << what;  // t.csv and err.txt: no temporaries, no p
    EXPECT_EQ(ReadAll(err), "") << what;
  };
  Write("t.csv", "old");

  // A reader that has gone before the first byte, as "| head" soon is: a write error, no words.
  Child gone = start();
  close(std::exchange(gone.out, -1));
  EXPECT_EQ(finish(gone), 1);
  nothing_left("reader gone");

  // Standard output is written once every file is staged, and stalls when the pipe is full.
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    const Child stalled = start();
    const int full = fcntl(stalled.out, F_GETPIPE_SZ) - PIPE_BUF;
    int queued = 0;
    for (int wait = 0; wait < 6000 && queued <= full; ++wait) {
      ioctl(stalled.out, FIONREAD, &queued);
      if (queued <= full) usleep(10000);
    }
    ASSERT_GT(queued, full) << "velmar-cli never filled its standard output";
    kill(stalled.pid, signal_number);
    EXPECT_EQ(finish(stalled), 128 + signal_number) << signal_number;
    nothing_left(strsignal(signal_number));
  }
}

}  // namespace
