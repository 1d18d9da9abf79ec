#pragma once
// The command line of velmar-cli: what the user asked for, read and checked before anything runs.

#include <optional>
#include <string>
#include <vector>

#include "diagram/picture_file.h"
#include "session/project_settings.h"

// The command line: the settings of the work (from --project FILE, then the options given) and
// what to write.
struct CliOptions : ProjectSettings {
  std::string project_file;                      // "" none: the settings start from this project
  std::string save_project;                      // "" none, "-" standard output: the settings as a project
  std::string time_csv, freq_csv;                // "" none, "-" standard output
  std::string zpk_csv;                           // zeros, poles and gain; "" none, "-" standard output
  std::string pictures_dir;                      // "" none: the result diagrams as picture files there
  std::optional<TPictureFormat> picture_format;  // BMP unless given
  std::string coefficients_csv;                  // "" none, "-" standard output
  std::string c_header;                          // "" none, "-" standard output
  std::string c_prefix;                          // the header's identifiers; "" made from the header's file name
  std::string coefficients_layout;  // "" the filter's own (sos for a cascade, else direct), "direct" or "sos"
  bool help = false;
};

// Reads the arguments (without the program name) over the project of --project; throws UsageError.
CliOptions ParseCliOptions(const std::vector<std::string>& args);

std::string CliUsage();
