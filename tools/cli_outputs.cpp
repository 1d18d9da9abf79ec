#include "cli_outputs.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>

#include "cli_options.h"
#include "platform/atomic_file.h"

namespace {

namespace fs = std::filesystem;

// What makes two names the same file.
struct FileIdentity {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  std::string resolved;  // a file still to be made: its full name after links
};

FileIdentity Identify(const std::string& target) {
  FileIdentity identity;
  struct stat info {};
  if (target == "-" ? fstat(STDOUT_FILENO, &info) == 0 : stat(target.c_str(), &info) == 0) {
    identity.exists = true;
    identity.device = info.st_dev;
    identity.inode = info.st_ino;
    return identity;
  }
  const fs::path made = fs::absolute(InspectSaveTarget(target).path);
  std::error_code error;
  const fs::path resolved = fs::weakly_canonical(made, error);
  identity.resolved = (error ? made : resolved).lexically_normal().string();
  return identity;
}

bool SameFile(const FileIdentity& a, const FileIdentity& b) {
  if (a.exists != b.exists) return false;
  return a.exists ? a.device == b.device && a.inode == b.inode : a.resolved == b.resolved;
}

// Folders made for the outputs, taken away again (if still empty) unless the run succeeds.
class MadeFolders {
 public:
  ~MadeFolders() {
    if (kept_) return;
    for (auto folder = made_.rbegin(); folder != made_.rend(); ++folder) rmdir(folder->c_str());
  }
  // Makes the folder and its missing parents, outermost first.
  bool Make(const std::string& folder) {
    std::vector<fs::path> missing;
    std::error_code error;
    for (fs::path p = fs::path(folder).lexically_normal(); !p.empty() && !fs::exists(p, error);
         p = p.parent_path()) {
      missing.push_back(p);
      if (p == p.parent_path()) break;
    }
    for (auto p = missing.rbegin(); p != missing.rend(); ++p) {
      if (mkdir(p->c_str(), 0777) == 0) {
        made_.push_back(*p);
      } else if (errno != EEXIST) {
        return false;
      }
    }
    return true;
  }
  void Keep() { kept_ = true; }

 private:
  std::vector<fs::path> made_;
  bool kept_ = false;
};

bool CannotWrite(std::FILE* err, const AtomicFileWriter& file) {
  const std::string reason = file.IsReadOnlyTarget() ? "the file is read-only" : std::strerror(file.Error());
  std::fprintf(err, "velmar-cli: cannot write '%s': %s\n", file.Path().c_str(), reason.c_str());
  return false;
}

bool WriteStandardOutput(std::FILE* out, const std::string& bytes, std::FILE* err) {
  std::fwrite(bytes.data(), 1, bytes.size(), out);
  return FinishStandardOutput(out, err);
}

}  // namespace

bool FinishStandardOutput(std::FILE* out, std::FILE* err) {
  if (std::fflush(out) == 0 && !std::ferror(out)) return true;
  const int error = errno;
  std::fprintf(err, "velmar-cli: cannot write to standard output: %s\n", std::strerror(error));
  return false;
}

void CheckDistinctOutputs(const std::vector<std::string>& targets) {
  std::vector<FileIdentity> identities;
  for (const std::string& target : targets) identities.push_back(Identify(target));
  for (std::size_t i = 0; i < targets.size(); ++i)
    for (std::size_t j = 0; j < i; ++j)
      if (SameFile(identities[i], identities[j]))
        throw UsageError("'" + targets[j] + "' and '" + targets[i] + "' are the same file");
}

bool IsStandardOutput(const std::string& target) { return target == "-" || SameFile(Identify(target), Identify("-")); }

bool CliOutputs::WriteAll(std::FILE* out, std::FILE* err) const {
  MadeFolders folders;
  for (const std::string& folder : folders_) {
    if (!folders.Make(folder)) {
      std::fprintf(err, "velmar-cli: cannot create the folder '%s': %s\n", folder.c_str(), std::strerror(errno));
      return false;
    }
  }
  std::vector<std::unique_ptr<AtomicFileWriter>> files;
  for (const Output& output : outputs_) {
    if (output.target == "-") continue;
    files.push_back(std::make_unique<AtomicFileWriter>(output.target));
    files.back()->Write(output.bytes);
    if (!files.back()->Stage()) return CannotWrite(err, *files.back());
  }
  for (const Output& output : outputs_)
    if (output.target == "-" && !WriteStandardOutput(out, output.bytes, err)) return false;
  // The likeliest to fail first, so that a failure leaves the rest as they were: streams, which
  // cannot take back what they sent, then rewrites in place; renames, which hardly fail, last.
  std::stable_sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return a->Method() < b->Method(); });
  for (const auto& file : files)
    if (!file->Commit()) return CannotWrite(err, *file);
  folders.Keep();
  return true;
}
