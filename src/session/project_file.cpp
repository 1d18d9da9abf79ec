#include "session/project_file.h"

#include <toml++/toml.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "numeric/number_text.h"
#include "session/settings_options.h"

namespace {

// A project holds some kilobytes; a larger file is no project and is not read into memory.
constexpr std::uintmax_t kMaxProjectBytes = 1 << 20;

// The groups and their keys; the window's frequency axis is no option of velmar-cli.
const std::map<std::string, std::set<std::string>>& Groups() {
  static const std::map<std::string, std::set<std::string>> groups = {
      {"filter", {"arbitrary", "recursive", "butterworth", "chebyshev", "window",        "fsampling",  "wp",
                  "fp",        "lp",        "lp-db",       "ls",        "ls-db",         "transition", "ripple",
                  "ripple-db", "wc",        "fc",          "order",     "band",          "wc2",        "fc2",
                  "hamming",   "hann",      "blackman",    "kaiser",    "attenuation-db"}},
      {"signal",
       {"table", "samples", "biharmonic", "w1", "a1", "phi1", "w2", "a2", "phi2", "oscillations", "decimation",
        "switched-on"}},
      {"analysis", {"interval", "points", "afc", "frequency"}},
      {"measure", {"measure"}}};
  return groups;
}

bool IsList(const std::string& key) {
  return key == "arbitrary" || key == "recursive" || key == "samples" || key == "measure";
}
bool IsWhole(const std::string& key) {
  return key == "order" || key == "decimation" || key == "interval" || key == "points" || key == "afc";
}
bool IsText(const std::string& key) {
  return key == "table" || key == "oscillations" || key == "frequency" || key == "band";
}

class ProjectReader {
 public:
  explicit ProjectReader(std::string path) : path_(std::move(path)) {}

  ProjectSettings Read(const std::string& text) {
    toml::table root;
    try {
      root = toml::parse(text, path_);
    } catch (const toml::parse_error& error) {
      throw Error(error.source(), "not a TOML text: " + std::string(error.description()));
    }
    ReadFormat(root);
    ProjectSettings settings;
    SettingsOptions options(settings);
    for (auto&& [key, node] : root) {
      const std::string group(key.str());
      if (group == "format") continue;
      const auto keys = Groups().find(group);
      if (keys == Groups().end()) throw Error(key.source(), "unknown key '" + group + "'");
      const toml::table* table = node.as_table();
      if (!table) throw Error(node.source(), "[" + group + "] must be a table");
      for (auto&& [name, value] : *table) {
        const std::string option(name.str());
        if (!keys->second.contains(option))
          throw Error(name.source(), "unknown key '" + option + "' in [" + group + "]");
        Apply(settings, options, option, value);
      }
    }
    try {
      options.Finish();
    } catch (const UsageError& error) {
      throw UsageError(path_ + ": " + error.what());
    }
    return settings;
  }

 private:
  UsageError Error(const toml::source_region& where, const std::string& what) const {
    return UsageError(path_ + ":" + std::to_string(where.begin.line) + ":" + std::to_string(where.begin.column) + ": " +
                      what);
  }

  void ReadFormat(const toml::table& root) const {
    const toml::node* format = root.get("format");
    if (!format) return;
    const auto value = format->value_exact<std::int64_t>();
    if (!value) throw Error(format->source(), "format must be a whole number");
    if (*value > kProjectFormat)
      throw Error(format->source(), "format " + std::to_string(*value) + " is newer than this program reads (" +
                                        std::to_string(kProjectFormat) + "): the project is not opened");
    if (*value < kProjectFormat) throw Error(format->source(), "format must be " + std::to_string(kProjectFormat));
  }

  // A number as the command line writes it, or a wrong type.
  std::string NumberText(const std::string& key, const toml::node& node) const {
    if (const auto whole = node.value_exact<std::int64_t>()) return std::to_string(*whole);
    if (IsWhole(key)) throw Error(node.source(), key + " takes a whole number");
    if (const auto real = node.value_exact<double>()) return ExactNumberText(*real);
    throw Error(node.source(), key + " takes a number");
  }

  std::string ValueText(const std::string& key, const toml::node& node) const {
    if (IsText(key)) {
      if (const auto text = node.value_exact<std::string>()) return *text;
      throw Error(node.source(), key + " takes a text in quotes");
    }
    if (!IsList(key)) return NumberText(key, node);
    const toml::array* list = node.as_array();
    if (!list) throw Error(node.source(), key + " takes a list of numbers in [ ]");
    std::string text;
    for (const toml::node& item : *list) {
      if (!text.empty()) text += ',';
      text += NumberText(key, item);
    }
    return text;
  }

  void Apply(ProjectSettings& settings, SettingsOptions& options, const std::string& key,
             const toml::node& node) const {
    const std::string option = "--" + key;
    try {
      if (options.IsFlag(option)) {
        const auto on = node.value_exact<bool>();
        if (!on) throw Error(node.source(), key + " takes true or false");
        if (*on) options.ApplyFlag(option);
      } else if (key == "frequency") {
        settings.frequency = ValueText(key, node);
        if (settings.frequency != "angular" && settings.frequency != "cyclic")
          throw Error(node.source(), "frequency: use \"angular\" or \"cyclic\"");
      } else if (key == "table") {
        // A relative table file lies beside the project.
        const std::filesystem::path table = ValueText(key, node);
        options.Apply(option, table.is_absolute() || table.empty()
                                  ? table.string()
                                  : (std::filesystem::path(path_).parent_path() / table).string());
      } else {
        options.Apply(option, ValueText(key, node));
      }
    } catch (const UsageError& error) {
      const std::string what = error.what();
      if (what.starts_with(path_ + ":")) throw;
      throw Error(node.source(), what);
    }
  }

  std::string path_;
};

// A double as a TOML float: always with a point or an exponent, exact.
std::string Real(double value) {
  std::string text = ExactNumberText(value);
  if (text.find_first_of(".e") == std::string::npos) text += ".0";
  return text;
}

std::string List(const std::vector<double>& values) {
  std::string text;
  for (double value : values) {
    if (!text.empty()) text += ", ";
    text += Real(value);
  }
  return "[" + text + "]";
}

// A TOML basic string.
std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

class ProjectWriter {
 public:
  void Group(const char* name) { text_ += std::string("\n[") + name + "]\n"; }
  void Line(const char* key, const std::string& value) { text_ += std::string(key) + " = " + value + "\n"; }
  void Flag(const char* key, bool on) {
    if (on) Line(key, "true");
  }
  void Real(const char* key, const std::optional<double>& value) {
    if (value) Line(key, ::Real(*value));
  }
  void Whole(const char* key, const std::optional<int>& value) {
    if (value) Line(key, std::to_string(*value));
  }
  std::string text_ = "format = " + std::to_string(kProjectFormat) + "\n";
};

const char* FilterKey(FilterChoice filter) {
  switch (filter) {
    case FilterChoice::kButterworth: return "butterworth";
    case FilterChoice::kChebyshev: return "chebyshev";
    case FilterChoice::kWindow: return "window";
    case FilterChoice::kFrSampling: return "fsampling";
    default: return "arbitrary";
  }
}

}  // namespace

ProjectSettings ReadProject(const std::string& text, const std::string& path) { return ProjectReader(path).Read(text); }

ProjectSettings ReadProjectFile(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (error) throw UsageError("cannot read the project file '" + path + "': " + error.message());
  if (!std::filesystem::is_regular_file(status))
    throw UsageError("cannot read the project file '" + path + "': it is not a regular file");
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (size > kMaxProjectBytes) throw UsageError("the project file '" + path + "' is larger than 1 MB: no project");
  std::ifstream file(path, std::ios::binary);
  std::string text(error ? 0 : size, '\0');
  if (error || !file.read(text.data(), static_cast<std::streamsize>(text.size())))
    throw UsageError("cannot read the project file '" + path + "'");
  return ReadProject(text, path);
}

std::string WriteProject(const ProjectSettings& s) {
  ProjectWriter w;
  w.Group("filter");
  if (s.filter == FilterChoice::kArbitrary) {
    w.Line("arbitrary", List(s.a));
    if (!s.b.empty()) w.Line("recursive", List(s.b));
  } else {
    w.Line(FilterKey(s.filter), "true");
  }
  const std::pair<const char*, const std::optional<double>*> design[] = {{"wp", &s.wp},
                                                                         {"fp", &s.fp},
                                                                         {"lp", &s.lp},
                                                                         {"lp-db", &s.lp_db},
                                                                         {"ls", &s.ls},
                                                                         {"ls-db", &s.ls_db},
                                                                         {"transition", &s.transition},
                                                                         {"ripple", &s.ripple_percent},
                                                                         {"ripple-db", &s.ripple_db},
                                                                         {"wc", &s.wc},
                                                                         {"fc", &s.fc},
                                                                         {"wc2", &s.wc2},
                                                                         {"fc2", &s.fc2},
                                                                         {"kaiser", &s.kaiser},
                                                                         {"attenuation-db", &s.attenuation_db}};
  for (const auto& [key, value] : design) w.Real(key, *value);
  w.Whole("order", s.order);
  if (s.band) w.Line("band", Quoted(BandName(*s.band)));
  w.Flag("hamming", s.hamming);
  w.Flag("hann", s.hann);
  w.Flag("blackman", s.blackman);

  w.Group("signal");
  if (s.signal == SignalChoice::kTableFile) w.Line("table", Quoted(s.table_file));
  if (s.signal == SignalChoice::kSamples) w.Line("samples", List(s.samples));
  w.Flag("biharmonic", s.signal == SignalChoice::kBiharmonic);
  const std::pair<const char*, const std::optional<double>*> oscillations[] = {
      {"w1", &s.w1}, {"a1", &s.a1}, {"phi1", &s.phi1}, {"w2", &s.w2}, {"a2", &s.a2}, {"phi2", &s.phi2}};
  for (const auto& [key, value] : oscillations) w.Real(key, *value);
  if (s.oscillations != "1") w.Line("oscillations", Quoted(s.oscillations));
  w.Whole("decimation", s.decimation);
  w.Flag("switched-on", s.switched_on);

  w.Group("analysis");
  w.Line("interval", std::to_string(s.interval));
  w.Line("points", std::to_string(s.points));
  w.Line("afc", std::to_string(s.afc));
  if (!s.frequency.empty()) w.Line("frequency", Quoted(s.frequency));

  if (s.measure) {
    w.Group("measure");
    w.Line("measure", List({s.measure->first, s.measure->second}));
  }
  return w.text_;
}
