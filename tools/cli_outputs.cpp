#include "cli_outputs.h"

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "cli_options.h"
#include "cli_signals.h"
#include "platform/save_target.h"
#include "platform/save_transaction.h"

namespace {

namespace fs = std::filesystem;

// What makes two names the same file.
struct FileIdentity {
  bool standard_output = false;  // "-", or a name of this process's standard output (/dev/stdout)
  bool file = true;              // a file to protect: not a device that discards or streams, nor a pipe
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  std::string resolved;  // a file still to be made: its full name after links
};

// An output's "-" is standard output; an input's is a file of that name.
FileIdentity Identify(const std::string& target, bool output = true) {
  FileIdentity identity;
  identity.standard_output = output && (target == "-" || InspectSaveTarget(target).descriptor == STDOUT_FILENO);
  struct stat info {};
  if (identity.standard_output ? fstat(STDOUT_FILENO, &info) == 0 : stat(target.c_str(), &info) == 0) {
    identity.file = !S_ISCHR(info.st_mode) && !S_ISFIFO(info.st_mode) && !S_ISSOCK(info.st_mode);
    identity.exists = true;
    identity.device = info.st_dev;
    identity.inode = info.st_ino;
    return identity;
  }
  if (identity.standard_output) return identity;  // closed: nothing to compare but the name
  const fs::path made = fs::absolute(InspectSaveTarget(target).path);
  std::error_code error;
  const fs::path resolved = fs::weakly_canonical(made, error);
  identity.resolved = (error ? made : resolved).lexically_normal().string();
  return identity;
}

bool SameFile(const FileIdentity& a, const FileIdentity& b) {
  if (a.standard_output && b.standard_output) return true;
  if (!a.file || !b.file || a.exists != b.exists) return false;
  return a.exists ? a.device == b.device && a.inode == b.inode : a.resolved == b.resolved;
}

bool CannotWriteStandardOutput(std::FILE* err, int error) {
  // A reader that has gone away, as with "| head", or a signal that stops the run: no words.
  if (error != EPIPE && PendingInterrupt() == 0)
    std::fprintf(err, "velmar-cli: cannot write to standard output: %s\n", std::strerror(error));
  return false;
}

// Writes bytes to standard output after what stdio holds, a pipe's worth at a time once poll()
// says it fits, so that a stalled reader cannot keep a signal from stopping the run.
bool WriteStandardOutput(std::FILE* out, std::string_view bytes, std::FILE* err) {
  if (std::fflush(out) != 0 || std::ferror(out)) return CannotWriteStandardOutput(err, errno);
  pollfd watched[2] = {{fileno(out), POLLOUT, 0}, {InterruptDescriptor(), POLLIN, 0}};
  while (!bytes.empty()) {
    if (PendingInterrupt() != 0) return false;
    if (poll(watched, watched[1].fd >= 0 ? 2 : 1, -1) < 0) {
      if (errno == EINTR) continue;
      return CannotWriteStandardOutput(err, errno);
    }
    if ((watched[1].revents & POLLIN) != 0) return false;
    if (watched[0].revents == 0) continue;
    const ssize_t written = write(watched[0].fd, bytes.data(), std::min<std::size_t>(bytes.size(), PIPE_BUF));
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return CannotWriteStandardOutput(err, errno);
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

void CannotWrite(std::FILE* err, const SaveFailure& failure) {
  const std::string reason =
      failure.read_only      ? "the file is read-only"
      : failure.foreign_link ? "it is a symbolic link of another user in a shared folder (such as /tmp), not followed"
                             : std::strerror(failure.error);
  std::fprintf(err, "velmar-cli: cannot write '%s': %s\n", failure.path.c_str(), reason.c_str());
  for (const SaveFailure::Kept& kept : failure.not_undone) {
    if (kept.kept_in.empty()) std::fprintf(err, "velmar-cli: could not take '%s' away again\n", kept.path.c_str());
    else
      std::fprintf(err, "velmar-cli: could not put back the old content of '%s'; it is kept in '%s'\n",
                   kept.path.c_str(), kept.kept_in.c_str());
  }
}

}  // namespace

bool FinishStandardOutput(std::FILE* out, std::FILE* err) {
  if (std::fflush(out) == 0 && !std::ferror(out)) return true;
  return CannotWriteStandardOutput(err, errno);
}

void CheckDistinctFiles(const std::vector<NamedFile>& inputs, const std::vector<NamedFile>& outputs) {
  std::vector<FileIdentity> read, written;
  for (const NamedFile& input : inputs) read.push_back(Identify(input.path, false));
  const auto clash = [](const NamedFile& a, const NamedFile& b) {
    return a.option + " '" + a.path + "' and " + b.option + " '" + b.path + "' are the same file";
  };
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    written.push_back(Identify(outputs[i].path));
    for (std::size_t j = 0; j < inputs.size(); ++j)
      if (SameFile(written[i], read[j]))
        throw UsageError(clash(outputs[i], inputs[j]) + ": an output may not overwrite an input");
    for (std::size_t j = 0; j < i; ++j)
      if (SameFile(written[i], written[j])) throw UsageError(clash(outputs[j], outputs[i]));
  }
}

bool IsStandardOutput(const std::string& target) {
  const FileIdentity identity = Identify(target);
  return identity.standard_output || SameFile(identity, Identify("-"));
}

int CliOutputs::WriteAll(std::FILE* out, std::FILE* err) {
  // From here on a signal lets the files take back what they did before the run ends.
  DeferInterrupts();
  SaveTransaction files([] { return PendingInterrupt() != 0; });
  std::string standard_output;
  for (Output& output : outputs_) {
    if (!output.folder.empty()) {
      files.AddToFolder(output.folder, output.target, std::move(output.bytes));
    } else if (output.target == "-") {
      standard_output += output.bytes;
    } else {
      files.Add(output.target, std::move(output.bytes));
    }
  }
  if (report_to_ == out) standard_output += report_;
  bool standard_output_failed = false;
  if (files.Stage()) {
    standard_output_failed = !WriteStandardOutput(out, standard_output, err);
    if (!standard_output_failed && report_to_ != out && report_to_ != nullptr) std::fputs(report_.c_str(), report_to_);
    if (!standard_output_failed && files.Commit()) return 0;
  }
  if (const int signal_number = PendingInterrupt()) return 128 + signal_number;
  if (!standard_output_failed) CannotWrite(err, files.Failure());
  return 1;
}
