#pragma once
// The options that describe the filter, the signal, the analysis settings and the measurement,
// read one at a time into settings. The command line and the project file both go through here,
// so a value gets the same checks and the same messages wherever it was written.

#include <functional>
#include <map>
#include <string>

#include "session/project_settings.h"

class SettingsOptions {
 public:
  explicit SettingsOptions(ProjectSettings& settings);
  SettingsOptions(const SettingsOptions&) = delete;
  SettingsOptions& operator=(const SettingsOptions&) = delete;

  // name: "--chebyshev", "--wp".
  bool IsFlag(const std::string& name) const { return flags_.contains(name); }
  bool TakesValue(const std::string& name) const { return with_value_.contains(name); }
  // Throw UsageError naming the option.
  void ApplyFlag(const std::string& name) { flags_.at(name)(); }
  void Apply(const std::string& name, const std::string& value) { with_value_.at(name)(name, value); }
  // The checks between the options read; throws UsageError.
  void Finish() const;

  // Whether the option chooses the filter (the signal): a choice made elsewhere is then forgotten.
  static bool ChoosesFilter(const std::string& name);
  static bool ChoosesSignal(const std::string& name);

 private:
  using Handler = std::function<void(const std::string&, const std::string&)>;
  ProjectSettings& s_;
  int filters_ = 0, signals_ = 0;
  std::map<std::string, Handler> with_value_;
  std::map<std::string, std::function<void()>> flags_;
};

// The value of --band: "low", "high", "pass" or "stop".
const char* BandName(BandType band);

// Back to the identity filter (the empty table), with none of the previous choice's values.
void ForgetFilter(ProjectSettings& settings);
void ForgetSignal(ProjectSettings& settings);
