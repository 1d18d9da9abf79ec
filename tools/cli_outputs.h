#pragma once
// The files a run writes, all or none: every file is first made complete beside its target,
// and only when all of them are ready does any take the place of what was there.

#include <cstdio>
#include <string>
#include <vector>

// Refuses (UsageError) two outputs that are the same file: the same device and inode, or, for
// files still to be made, the same name once links, "." and ".." are resolved. "-" is standard
// output.
void CheckDistinctOutputs(const std::vector<std::string>& targets);

// Whether target is the file standard output already writes to ("-", /dev/stdout, …).
bool IsStandardOutput(const std::string& target);

// Flushes standard output: whether everything written to it arrived; if not, says why on err.
bool FinishStandardOutput(std::FILE* out, std::FILE* err);

class CliOutputs {
 public:
  // A folder to make, with its missing parents, before the files; taken away if the run fails.
  void AddFolder(std::string folder) { folders_.push_back(std::move(folder)); }
  // The whole content of one output; target "-" is standard output.
  void Add(std::string target, std::string bytes) { outputs_.push_back({std::move(target), std::move(bytes)}); }
  // Stages every file, then writes standard output, then puts the files in place: streams
  // first, then rewrites in place (which put the old content back if they fail), renames
  // last. Returns false after saying why on err.
  bool WriteAll(std::FILE* out, std::FILE* err) const;

 private:
  struct Output {
    std::string target;
    std::string bytes;
  };
  std::vector<std::string> folders_;
  std::vector<Output> outputs_;
};
