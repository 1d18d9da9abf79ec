#pragma once
// The project file: a UTF-8 TOML text whose keys are velmar-cli's options without the dashes,
// grouped in [filter], [signal], [analysis] and [measure], under `format = 1`.

#include <string>
#include <utility>

#include "session/project_settings.h"

constexpr int kProjectFormat = 1;

// A project file that cannot be read or used. what() is for velmar-cli, in English
// ("lab.velmar:3:6: wp takes a number"); Russian() for the window ("Файл «lab.velmar», строка 3,
// столбец 6: wp: нужно число").
class ProjectError : public UsageError {
 public:
  ProjectError(const std::string& english, std::string russian) : UsageError(english), russian_(std::move(russian)) {}
  const std::string& Russian() const { return russian_; }

 private:
  std::string russian_;
};

// The settings of a project text; path names the file in messages and is the folder a relative
// table file is found in. A text that is not TOML, an unknown key, a value of the wrong type or
// out of range, a list over 500 values or a newer format throws ProjectError naming the file, the
// line and the column and what is wrong: nothing is half-read.
ProjectSettings ReadProject(const std::string& text, const std::string& path);

// The same for the file itself; a file that cannot be read throws ProjectError too.
ProjectSettings ReadProjectFile(const std::string& path);

// The project text of settings: ReadProject gives them back, and they write the same text again.
std::string WriteProject(const ProjectSettings& settings);
