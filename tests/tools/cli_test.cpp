#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "numeric/number_text.h"

namespace {

namespace fs = std::filesystem;

struct Result {
  int exit_code = -1;
  std::string out, err;
};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("velmar_cli_test_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  Result Run(const std::string& args) {
    const fs::path out = dir_ / "out.txt", err = dir_ / "err.txt";
    const std::string command =
        std::string(VELMAR_CLI) + " " + args + " >" + out.string() + " 2>" + err.string() + " </dev/null";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(out), ReadAll(err)};
  }

  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  fs::path dir_;
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
  EXPECT_EQ(rows[0], "k,omega,amplitude,phase,input_spectrum,output_spectrum");
  EXPECT_EQ(rows[1].rfind("0,-3.1415926535897931,", 0), 0u) << rows[1];
  EXPECT_EQ(rows[1024].rfind("1023,3.1415926535897931,", 0), 0u) << rows[1024];
  // The pass-band edge at −3 dB lies within a grid step of the designed ωp = 1.
  const std::string key = "Нормированная круговая частота верхней границы полосы пропускания: ";
  const std::size_t at = r.out.find(key);
  ASSERT_NE(at, std::string::npos) << r.out;
  double edge = 0;
  ASSERT_TRUE(TextToDouble(r.out.substr(at + key.size(), 6), edge));  // "1,0005±…" → 1,0005
  EXPECT_NEAR(edge, 1.0, 2 * 3.141592653589793 / 1023);
  EXPECT_NE(r.out.find("filter: chebyshev\n"), std::string::npos);
}

TEST_F(CliTest, MessagesGoToStandardErrorAndOverflowIsReported) {
  const Result r = Run("--arbitrary 1 --recursive 1.5");
  ASSERT_EQ(r.exit_code, 0);
  EXPECT_NE(r.err.find("message: Возникло переполнение разрядной сетки:\n Возможно цифровой фильтр неустойчив.\n "
                       "Анализ ИХ остановлен.\nmessage: Анализ ПХ остановлен.\n"),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.out.find("transient length: 63\noverflow: yes\n"), std::string::npos) << r.out;
  // A correction of a design value is a message too, and the run goes on.
  const Result corrected = Run("--butterworth --wp 4");
  EXPECT_EQ(corrected.exit_code, 0);
  EXPECT_NE(corrected.err.find("message: "), std::string::npos);
}

TEST_F(CliTest, BadUsageExitsWithTwoAndWritesNothing) {
  const fs::path csv = dir_ / "never.csv";
  const std::vector<std::string> bad = {"--bogus", "--interval 3000", "--butterworth --wp abc", "--wp 1",
                                 "--table " + (dir_ / "missing.tbl").string(), "--measure 0.707,0.01",
                                 "--afc 2 --measure 0.71,0.01", "--arbitrary 0,0", "--samples 1,,2"};
  for (const std::string& args : bad) {
    const Result r = Run(args + " --time-csv " + csv.string());
    EXPECT_EQ(r.exit_code, 2) << args;
    EXPECT_TRUE(r.err.rfind("velmar-cli: ", 0) == 0 || r.err.find("\nvelmar-cli: ") != std::string::npos)
        << args << ": " << r.err;
    EXPECT_TRUE(r.out.empty()) << args;
    EXPECT_FALSE(fs::exists(csv)) << args;
  }
}

}  // namespace
