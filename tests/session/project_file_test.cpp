#include "session/project_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "session/recent_projects.h"
#include "support/temporary_folder.h"

namespace {

// Settings with a value in every group, in the least friendly spellings a double and a path can take.
ProjectSettings EveryKindOfValue() {
  ProjectSettings s;
  s.filter = FilterChoice::kArbitrary;
  s.a = {0.1, -0.30000000000000004, 1e-300, 5e-324, 1.7976931348623157e308, -0.0, 3};
  s.b = {0.5};
  s.signal = SignalChoice::kTableFile;
  s.table_file = "/tmp/таблицы/\"a\\b\"\n\t\x7f.tbl";
  s.interval = 4000;
  s.points = 1024;
  s.afc = 3;
  s.frequency = "cyclic";
  s.measure = std::make_pair(-3.0, -40.0);
  return s;
}

TEST(ProjectFileTest, WhatIsWrittenReadsBackExactlyAndWritesTheSameText) {
  const ProjectSettings arbitrary = EveryKindOfValue();
  // Written by hand: integers where doubles go, comments, any order.
  const ProjectSettings chebyshev = ReadProject(
      "[signal] # the two cosines\nswitched-on = true\nbiharmonic = true\nw2 = 2.5\nphi1 = -1\n"
      "oscillations = \"12\"\ndecimation = 3\n[filter]\nchebyshev = true\nfp = 0.1\nlp-db = -3\n"
      "ripple = 12.5\norder = 7\n",
      "lab.velmar");
  ProjectSettings window;
  window.filter = FilterChoice::kWindow;
  window.wc = 1;
  window.hamming = true;
  window.signal = SignalChoice::kSamples;
  window.samples = {1, 0.25};
  ProjectSettings kaiser;
  kaiser.filter = FilterChoice::kFrSampling;
  kaiser.band = BandType::kBandStop;
  kaiser.fc = 0.1;
  kaiser.fc2 = 0.3;
  kaiser.kaiser = 3;
  kaiser.attenuation_db = -60;
  kaiser.transition = 5;
  for (const ProjectSettings& settings : {arbitrary, chebyshev, window, kaiser}) {
    const std::string text = WriteProject(settings);
    ASSERT_EQ(text.rfind("format = 1\n\n[filter]\n", 0), 0u) << text;
    const ProjectSettings read = ReadProject(text, "/p/lab.velmar");
    EXPECT_EQ(WriteProject(read), text);
    EXPECT_EQ(read.filter, settings.filter);
    EXPECT_EQ(read.signal, settings.signal);
  }
  const ProjectSettings read = ReadProject(WriteProject(arbitrary), "/p/lab.velmar");
  ASSERT_EQ(read.a.size(), arbitrary.a.size());
  for (std::size_t i = 0; i < read.a.size(); ++i) EXPECT_EQ(std::signbit(read.a[i]), std::signbit(arbitrary.a[i]));
  EXPECT_EQ(read.a, arbitrary.a);
  EXPECT_EQ(read.table_file, arbitrary.table_file);
  EXPECT_EQ(read.measure, arbitrary.measure);
  EXPECT_EQ(read.frequency, "cyclic");
  EXPECT_EQ(ReadProject(WriteProject(chebyshev), "lab.velmar").ripple_percent, 12.5);
  EXPECT_EQ(ReadProject(WriteProject(kaiser), "lab.velmar").band, BandType::kBandStop);
  // A relative table file lies beside the project.
  EXPECT_EQ(ReadProject("[signal]\ntable = \"t.tbl\"\n", "/p/lab.velmar").table_file, "/p/t.tbl");
}

TEST(ProjectFileTest, ABadFileIsRefusedWithItsLineAndColumn) {
  std::string long_list = "[signal]\nsamples = [0";
  for (int i = 0; i < 500; ++i) long_list += ", 1";
  const std::pair<std::string, std::string> bad[] = {
      {"format = 1\n[filter\n", "lab.velmar:2:8: not a TOML text: "},
      {"format = 1\nformat = 1\n", "lab.velmar:2:10: not a TOML text: "},
      {"format = 2\n[filter]\nslope = 1\n", "lab.velmar:1:10: format 2 is newer than this program reads (1)"},
      {"format = 0\n", "lab.velmar:1:10: format must be 1"},
      {"format = \"1\"\n", "lab.velmar:1:10: format must be a whole number"},
      {"[filter]\nbutterworth = true\nslope = 1\n", "lab.velmar:3:1: unknown key 'slope' in [filter]"},
      {"[signal]\nwp = 1\n", "lab.velmar:2:1: unknown key 'wp' in [signal]"},
      {"wp = 1\n", "lab.velmar:1:1: unknown key 'wp'"},
      {"filter = 1\n", "lab.velmar:1:10: [filter] must be a table"},
      {"[filter]\nbutterworth = true\nwp = \"1\"\n", "lab.velmar:3:6: wp takes a number"},
      {"[filter]\nbutterworth = 1\n", "lab.velmar:2:15: butterworth takes true or false"},
      {"[filter]\nwindow = true\nband = \"mid\"\n", "lab.velmar:3:8: option --band: use low, high, pass or stop"},
      {"[filter]\narbitrary = [1, \"2\"]\n", "lab.velmar:2:17: arbitrary takes a number"},
      {"[filter]\narbitrary = 1\n", "lab.velmar:2:13: arbitrary takes a list of numbers in [ ]"},
      {"[signal]\nbiharmonic = true\noscillations = 12\n", "lab.velmar:3:16: oscillations takes a text"},
      {long_list + "]\n", "lab.velmar:2:11: option --samples: a table holds at most 500 values, 501 given"},
      {"[filter]\nbutterworth = true\nwp = -1\n", "lab.velmar:3:6: option --wp must not be negative"},
      {"[filter]\nbutterworth = true\norder = 1e3\n", "lab.velmar:3:9: order takes a whole number"},
      {"[filter]\nbutterworth = true\nwp = inf\n", "lab.velmar:3:6: option --wp: 'inf' is not a number"},
      {"[analysis]\ninterval = 3000\n", "lab.velmar:2:12: option --interval: 3000 is not one of"},
      {"[analysis]\nfrequency = \"radial\"\n", "lab.velmar:2:13: frequency: use \"angular\" or \"cyclic\""},
      {"[measure]\nmeasure = [1]\n", "lab.velmar:2:11: option --measure takes two levels"},
      {"[filter]\nbutterworth = true\nchebyshev = true\n", "lab.velmar: choose one filter"},
      {"[filter]\nripple = 1\n", "lab.velmar: --ripple and --ripple-db belong to --chebyshev"},
  };
  for (const auto& [text, message] : bad) {
    try {
      ReadProject(text, "lab.velmar");
      ADD_FAILURE() << text;
    } catch (const UsageError& error) {
      EXPECT_EQ(std::string(error.what()).rfind(message, 0), 0u) << text << error.what();
    }
  }
}

TEST(RecentProjectsTest, TheLatestFirstOnceFiveAtMostKeptBetweenSittings) {
  TemporaryFolder folder;
  const std::string file = folder.PathOf("recent.txt");
  {
    RecentProjects recent(file);
    EXPECT_TRUE(recent.Paths().empty());
    for (const char* path : {"/a", "/b", "/c", "/d", "/e", "/f", "/c", "bad\nname"}) recent.Add(path);
    EXPECT_EQ(recent.Paths(), (std::vector<std::string>{"/c", "/f", "/e", "/d", "/b"}));
    recent.Remove("/e");
  }
  EXPECT_EQ(RecentProjects(file).Paths(), (std::vector<std::string>{"/c", "/f", "/d", "/b"}));
}

}  // namespace
