#pragma once
// The files a run writes, all or none: every file is first made complete beside its target,
// standard output is written next, and only when all of that succeeded do the files take the
// place of what was there; a file that cannot puts the others back.

#include <cstdio>
#include <string>
#include <vector>

// A file the run reads or writes, and the option that names it.
struct NamedFile {
  std::string option;  // "--time-csv"
  std::string path;    // "-" is standard output
};

// Refuses (UsageError, naming both options) an output that is an input, or two outputs that
// are one file: the same device and inode, or, for files still to be made, the same name once
// links, "." and ".." are resolved. Devices and pipes are no files to protect (two outputs may
// go to /dev/null), but standard output takes one output only.
void CheckDistinctFiles(const std::vector<NamedFile>& inputs, const std::vector<NamedFile>& outputs);

// Whether target is the file standard output already writes to ("-", /dev/stdout, …).
bool IsStandardOutput(const std::string& target);

// Flushes standard output: whether everything written to it arrived; if not, says why on err
// (except for a reader that has gone away, which needs no words).
bool FinishStandardOutput(std::FILE* out, std::FILE* err);

class CliOutputs {
 public:
  // The whole content of one output; target "-" is standard output.
  void Add(std::string target, std::string bytes) { outputs_.push_back({std::move(target), "", std::move(bytes)}); }
  // A file name in folder; the folder is made, with its missing parents, only when everything
  // else has been written.
  void AddToFolder(std::string folder, std::string name, std::string bytes) {
    outputs_.push_back({std::move(name), std::move(folder), std::move(bytes)});
  }
  // Text for report (standard output or standard error) once the files are staged.
  void Report(std::string text, std::FILE* report) {
    report_ = std::move(text);
    report_to_ = report;
  }
  // Stages every file, writes standard output and the report, then puts the files in place.
  // Returns the exit status: 0, 1 after saying why on err, or 128 + a signal that stopped it.
  int WriteAll(std::FILE* out, std::FILE* err);

 private:
  struct Output {
    std::string target;
    std::string folder;
    std::string bytes;
  };
  std::vector<Output> outputs_;
  std::string report_;
  std::FILE* report_to_ = nullptr;
};
