#pragma once
// The project file: a UTF-8 TOML text whose keys are velmar-cli's options without the dashes,
// grouped in [filter], [signal], [analysis] and [measure], under `format = 1`.

#include <string>

#include "session/project_settings.h"

constexpr int kProjectFormat = 1;

// The settings of a project text; path names the file in messages and is the folder a relative
// table file is found in. A text that is not TOML, an unknown key, a value of the wrong type or
// out of range, a list over 500 values or a newer format throws UsageError naming the file, the
// line and the column and what is wrong: nothing is half-read.
ProjectSettings ReadProject(const std::string& text, const std::string& path);

// The same for the file itself; a file that cannot be read throws UsageError too.
ProjectSettings ReadProjectFile(const std::string& path);

// The project text of settings: ReadProject gives them back, and they write the same text again.
std::string WriteProject(const ProjectSettings& settings);
