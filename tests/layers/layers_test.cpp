// Every #include of src/ and tools/ read against the table of src/layers.txt: no file includes a
// layer above its own, and no core file includes Qt.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kRoot = VELMAR_SOURCE_DIR;

class LayerTable {
 public:
  // "layer kind rests-on…" lines; '#' starts a comment. Problems go to errors: an unknown kind, a
  // layer named twice, or resting on one not listed before it (which also rules out cycles).
  static LayerTable Parse(std::istream& in, std::vector<std::string>& errors) {
    LayerTable table;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
      std::istringstream fields(line.substr(0, line.find('#')));
      std::string layer, kind, below;
      if (!(fields >> layer)) continue;
      const std::string where = "src/layers.txt:" + std::to_string(number) + ": ";
      fields >> kind;
      if (kind != "core" && kind != "qt") errors.push_back(where + "kind of " + layer + " is neither core nor qt");
      if (table.layers_.count(layer) != 0) errors.push_back(where + layer + " is listed twice");
      Layer& entry = table.layers_[layer];
      entry.core = kind == "core";
      entry.reaches.insert(layer);
      while (fields >> below) {
        const auto found = table.layers_.find(below);
        if (found == table.layers_.end() || below == layer) {
          errors.push_back(where + layer + " rests on " + below + ", which is not listed before it");
          continue;
        }
        entry.reaches.insert(found->second.reaches.begin(), found->second.reaches.end());
      }
    }
    return table;
  }

  bool Has(const std::string& layer) const { return layers_.count(layer) != 0; }
  bool IsCore(const std::string& layer) const { return Has(layer) && layers_.at(layer).core; }
  // Whether a file of layer `from` may include one of layer `to`.
  bool Allows(const std::string& from, const std::string& to) const {
    return Has(from) && layers_.at(from).reaches.count(to) != 0;
  }

 private:
  struct Layer {
    bool core = true;
    std::set<std::string> reaches;  // itself and every layer below it
  };
  std::map<std::string, Layer> layers_;
};

// The layer of a file given relative to the root: "src/dialogs/ui/x.cpp" is in dialogs/ui,
// "tools/x.cpp" in tools; empty for a file in no layer's folder.
std::string LayerOf(const fs::path& file) {
  std::vector<std::string> parts;
  for (const fs::path& part : file.parent_path()) parts.push_back(part.string());
  if (!parts.empty() && parts[0] == "tools") return "tools";
  if (parts.size() < 2 || parts[0] != "src") return "";
  return parts.size() >= 3 && parts[2] == "ui" ? parts[1] + "/ui" : parts[1];
}

// <QWidget>, <QtCore/qglobal.h>, <qglobal.h>.
bool IsQtHeader(const std::string& name) {
  const auto each = [](const std::string& text, auto in_class) {
    return std::all_of(text.begin(), text.end(), [&](unsigned char ch) { return in_class(ch); });
  };
  const std::string folder = name.substr(0, name.find('/'));
  if (folder[0] == 'Q' && each(folder, [](unsigned char ch) { return std::isalnum(ch) != 0; })) return true;
  return name[0] == 'q' && name.size() > 2 && name.ends_with(".h") &&
         each(name.substr(1, name.size() - 3),
              [](unsigned char ch) { return std::islower(ch) || std::isdigit(ch) || ch == '_'; });
}

// The opening mark ('"' or '<') and the name of an #include line; nothing for any other line.
std::optional<std::pair<char, std::string>> IncludeOf(const std::string& line) {
  const auto next = [&](std::size_t from) { return std::min(line.find_first_not_of(" \t", from), line.size()); };
  std::size_t i = next(0);
  if (i == line.size() || line[i] != '#') return std::nullopt;
  i = next(i + 1);
  if (line.compare(i, 7, "include") != 0) return std::nullopt;
  i = next(i + 7);
  if (i == line.size() || (line[i] != '"' && line[i] != '<')) return std::nullopt;
  const std::size_t end = line.find(line[i] == '"' ? '"' : '>', i + 1);
  if (end == std::string::npos || end == i + 1) return std::nullopt;
  return std::pair{line[i], line.substr(i + 1, end - i - 1)};
}

// The offences of one file (its path relative to the root, its lines in `in`), each as
// "file:line: what".
std::vector<std::string> CheckFile(const LayerTable& table, const fs::path& file, std::istream& in) {
  std::vector<std::string> offences;
  const std::string layer = LayerOf(file);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    const auto include = IncludeOf(line);
    if (!include) continue;
    const std::string where = file.generic_string() + ":" + std::to_string(number) + ": ";
    if (!table.Has(layer)) {
      offences.push_back(where + "the file lies in no layer of src/layers.txt");
      break;
    }
    const bool quoted = include->first == '"';
    const std::string& name = include->second;
    fs::path target;
    if (quoted && fs::exists(kRoot / file.parent_path() / name)) target = file.parent_path() / name;
    else if (fs::exists(kRoot / "src" / name)) target = fs::path("src") / name;
    if (target.empty()) {
      if (quoted) offences.push_back(where + "\"" + name + "\" is not a file of src/ or of the including folder");
      else if (table.IsCore(layer) && IsQtHeader(name))
        offences.push_back(where + "the core layer " + layer + " includes Qt's <" + name + ">");
      continue;
    }
    const std::string target_layer = LayerOf(target.lexically_normal());
    if (!table.Allows(layer, target_layer))
      offences.push_back(where + "includes " + name + " of layer " + target_layer + ", which " + layer +
                         " does not rest on");
  }
  return offences;
}

LayerTable ProjectTable(std::vector<std::string>& errors) {
  std::ifstream in(kRoot / "src" / "layers.txt");
  if (!in) errors.push_back("src/layers.txt cannot be read");
  return LayerTable::Parse(in, errors);
}

std::vector<std::string> Check(const LayerTable& table, const std::string& file, const std::string& text) {
  std::istringstream in(text);
  return CheckFile(table, file, in);
}

TEST(LayersTest, EveryIncludeOfSrcAndToolsKeepsToTheTable) {
  std::vector<std::string> offences;
  const LayerTable table = ProjectTable(offences);
  int files = 0;
  for (const char* folder : {"src", "tools"}) {
    for (const auto& entry : fs::recursive_directory_iterator(kRoot / folder)) {
      const std::string extension = entry.path().extension().string();
      if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
      std::ifstream in(entry.path());
      const std::vector<std::string> found = CheckFile(table, fs::relative(entry.path(), kRoot), in);
      offences.insert(offences.end(), found.begin(), found.end());
      ++files;
    }
  }
  EXPECT_GT(files, 100);
  std::string report;
  for (const std::string& offence : offences) report += offence + "\n";
  EXPECT_TRUE(offences.empty()) << report;
}

TEST(LayersTest, TheCheckNamesTheFileAndLineOfAnUpwardIncludeAndOfQtInTheCore) {
  std::vector<std::string> errors;
  const LayerTable table = ProjectTable(errors);
  ASSERT_TRUE(errors.empty());
  // Down, and along through the layers a layer rests on, is allowed; up and sideways is not.
  EXPECT_TRUE(Check(table, "src/filter/a.cpp", "#include \"numeric/numeric.h\"\n#include <vector>\n").empty());
  EXPECT_TRUE(Check(table, "src/app/a.cpp", "#include \"platform/messages.h\"\n#include <QWidget>\n").empty());
  EXPECT_EQ(Check(table, "src/filter/a.cpp", "// a filter\n\n  #  include \"dialogs/table_model.h\"\n"),
            std::vector<std::string>{"src/filter/a.cpp:3: includes dialogs/table_model.h of layer dialogs, which "
                                     "filter does not rest on"});
  EXPECT_EQ(Check(table, "src/diagram/a.h", "#include \"filter/digital_filter.h\"\n").size(), 1u);
  EXPECT_EQ(Check(table, "src/dialogs/ui/a.cpp", "#include \"results/result_plan.h\"\n").size(), 1u);
  EXPECT_EQ(Check(table, "src/dialogs/a.cpp", "#include \"dialogs/ui/table_grid.h\"\n").size(), 1u);
  EXPECT_EQ(Check(table, "src/numeric/a.cpp", "#include <cmath>\n#include <QString>\n"),
            std::vector<std::string>{"src/numeric/a.cpp:2: the core layer numeric includes Qt's <QString>"});
  EXPECT_EQ(Check(table, "src/results/a.cpp", "#include <QtCore/qglobal.h>\n").size(), 1u);
  EXPECT_EQ(Check(table, "src/filter/a.cpp", "#include \"filter/no_such_file.h\"\n").size(), 1u);
  EXPECT_EQ(Check(table, "src/unlisted/a.cpp", "#include <vector>\n").size(), 1u);

  // A table with a cycle or an unknown kind is refused.
  std::istringstream cyclic("a core b\nb core a\nc gui\n");
  LayerTable::Parse(cyclic, errors);
  EXPECT_EQ(errors.size(), 2u);
}

}  // namespace
