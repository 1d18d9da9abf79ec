#include "platform/save_transaction.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "platform/atomic_file.h"

namespace fs = std::filesystem;

// One file, or a new folder with its files.
class SaveTransaction::Step {
 public:
  virtual ~Step() = default;
  virtual bool Stage(SaveFailure& failure) = 0;
  // Steps are put in place in this order.
  virtual int Order() const = 0;
  virtual bool Install(SaveFailure& failure) = 0;
  virtual bool Revert(SaveFailure& failure) = 0;
  virtual void Finish() = 0;
};

namespace {

void Describe(SaveFailure& failure, const AtomicFileWriter& file, const std::string& shown_path) {
  failure.path = shown_path;
  failure.error = file.Error();
  failure.read_only = file.IsReadOnlyTarget();
  failure.foreign_link = file.IsForeignLink();
  if (const std::string kept = file.KeptOldContent(); !kept.empty()) failure.not_undone.push_back({shown_path, kept});
}

class FileStep final : public SaveTransaction::Step {
 public:
  FileStep(std::string path, std::string bytes) : path_(std::move(path)), bytes_(std::move(bytes)) {}

  bool Stage(SaveFailure& failure) override {
    file_ = std::make_unique<AtomicFileWriter>(path_);
    file_->Write(bytes_);
    bytes_ = {};
    return file_->Stage() || Fails(failure);
  }
  int Order() const override { return static_cast<int>(file_->Method()); }
  bool Install(SaveFailure& failure) override { return file_->Install() || Fails(failure); }
  bool Revert(SaveFailure& failure) override {
    if (file_->Revert()) return true;
    failure.not_undone.push_back({path_, file_->KeptOldContent()});
    return false;
  }
  void Finish() override { file_->Finish(); }

 private:
  bool Fails(SaveFailure& failure) {
    Describe(failure, *file_, path_);
    return false;
  }

  std::string path_;
  std::string bytes_;
  std::unique_ptr<AtomicFileWriter> file_;
};

// The folder's name without a trailing '/'.
fs::path FolderPath(const std::string& folder) {
  fs::path path = fs::path(folder).lexically_normal();
  if (path.filename().empty() && path.has_parent_path() && path != path.root_path()) path = path.parent_path();
  return path;
}

// A folder that does not exist yet: made under a hidden name beside its topmost missing part,
// filled, and renamed into place at the end.
class FolderStep final : public SaveTransaction::Step {
 public:
  FolderStep(std::string folder, std::vector<std::pair<std::string, std::string>> files)
      : folder_(std::move(folder)), files_(std::move(files)) {}
  ~FolderStep() override {
    if (installed_) {
      SaveFailure ignored;
      Revert(ignored);
    }
    if (!installed_) RemoveMade(staging_);
  }

  bool Stage(SaveFailure& failure) override {
    failure.path = folder_;
    std::vector<std::string> missing;
    fs::path base = FolderPath(folder_);
    for (struct stat info{}; stat(base.c_str(), &info) != 0;) {
      if (errno != ENOENT) return Fails(failure, errno);
      missing.insert(missing.begin(), base.filename().string());
      base = base.parent_path();
      if (base.empty()) base = ".";
    }
    if (missing.empty()) return Fails(failure, EEXIST);  // made meanwhile
    base_ = base.string();
    top_ = (base / missing.front()).string();
    for (int attempt = 0; attempt < 100 && staging_.empty(); ++attempt) {
      const std::string name = HiddenNameBeside(top_, attempt, "tmp");
      if (mkdir(name.c_str(), 0777) == 0) staging_ = name;
      else if (errno != EEXIST) return Fails(failure, errno);
    }
    if (staging_.empty()) return Fails(failure, EEXIST);
    std::string inner = staging_;
    for (std::size_t i = 1; i < missing.size(); ++i) {
      inner += "/" + missing[i];
      if (mkdir(inner.c_str(), 0777) != 0) return Fails(failure, errno);
      made_.push_back(missing[i]);
    }
    for (auto& [name, bytes] : files_) {
      AtomicFileWriter file(inner + "/" + name);
      file.Write(bytes);
      bytes = {};
      if (!file.Commit()) {
        Describe(failure, file, (fs::path(folder_) / name).string());
        return false;
      }
    }
    for (std::string folder = inner; folder.size() >= staging_.size(); folder = FolderOf(folder)) SyncFolder(folder);
    return true;
  }

  int Order() const override { return static_cast<int>(SaveMethod::kReplace) + 1; }

  bool Install(SaveFailure& failure) override {
    if (!RenameNew(staging_, top_)) {
      failure.path = folder_;
      failure.error = errno;
      return false;
    }
    installed_ = true;
    SyncFolder(base_);
    return true;
  }

  bool Revert(SaveFailure& failure) override {
    if (!installed_) return true;
    if (!RemoveMade(top_)) {
      failure.not_undone.push_back({top_, ""});
      return false;
    }
    installed_ = false;
    staging_.clear();
    SyncFolder(base_);
    return true;
  }

  void Finish() override {
    installed_ = false;
    staging_.clear();
  }

 private:
  bool Fails(SaveFailure& failure, int error) {
    failure.error = error;
    return false;
  }

  // Renames from over to, which must not exist.
  static bool RenameNew(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // A file system that cannot refuse by itself.
    struct stat info {};
    if (lstat(to.c_str(), &info) == 0) {
      errno = EEXIST;
      return false;
    }
    return std::rename(from.c_str(), to.c_str()) == 0;
  }

  // Takes away what this step made under root, and root itself.
  bool RemoveMade(const std::string& root) {
    if (root.empty()) return true;
    std::string inner = root;
    for (const std::string& name : made_) inner += "/" + name;
    for (const auto& [name, bytes] : files_) unlink((inner + "/" + name).c_str());
    bool removed = true;
    for (std::size_t depth = made_.size() + 1; depth-- > 0; inner = FolderOf(inner))
      removed = (rmdir(inner.c_str()) == 0 || errno == ENOENT) && removed;
    return removed;
  }

  std::string folder_;
  std::vector<std::pair<std::string, std::string>> files_;
  std::string base_;               // the deepest folder that exists
  std::string top_;                // the topmost missing folder, in base_
  std::string staging_;            // the hidden folder that becomes top_
  std::vector<std::string> made_;  // the missing folders below top_, outermost first
  bool installed_ = false;
};

bool IsFolderMissing(const std::string& folder) {
  struct stat info {};
  return stat(FolderPath(folder).c_str(), &info) != 0 && errno == ENOENT;
}

}  // namespace

SaveTransaction::SaveTransaction(StopRequest stop_requested) : stop_requested_(std::move(stop_requested)) {}

SaveTransaction::~SaveTransaction() { Undo(); }

void SaveTransaction::Add(std::string path, std::string bytes) {
  pending_.push_back({"", std::move(path), std::move(bytes)});
}

void SaveTransaction::AddToFolder(std::string folder, std::string name, std::string bytes) {
  pending_.push_back({std::move(folder), std::move(name), std::move(bytes)});
}

bool SaveTransaction::Stage() {
  if (staged_) return true;
  std::vector<std::string> missing_folders;  // each made in one step, with all its files
  for (Pending& p : pending_) {
    if (p.folder.empty() || !IsFolderMissing(p.folder)) {
      steps_.push_back(std::make_unique<FileStep>(p.folder.empty() ? p.path : (fs::path(p.folder) / p.path).string(),
                                                  std::move(p.bytes)));
      continue;
    }
    if (std::find(missing_folders.begin(), missing_folders.end(), p.folder) != missing_folders.end()) continue;
    missing_folders.push_back(p.folder);
    std::vector<std::pair<std::string, std::string>> files;
    for (Pending& q : pending_)
      if (q.folder == p.folder) files.emplace_back(q.path, std::move(q.bytes));
    steps_.push_back(std::make_unique<FolderStep>(p.folder, std::move(files)));
  }
  pending_.clear();
  for (const auto& step : steps_)
    if (Stopped() || !step->Stage(failure_)) return Undo();
  staged_ = true;
  return !Stopped() || Undo();
}

bool SaveTransaction::Commit() {
  if (!Stage()) return false;
  std::stable_sort(steps_.begin(), steps_.end(), [](const auto& a, const auto& b) { return a->Order() < b->Order(); });
  for (const auto& step : steps_) {
    if (Stopped() || !step->Install(failure_)) return Undo();
    ++installed_;
  }
  if (Stopped()) return Undo();
  for (const auto& step : steps_) step->Finish();
  steps_.clear();
  installed_ = 0;
  return true;
}

bool SaveTransaction::Stopped() {
  if (failure_.stopped || !stop_requested_ || !stop_requested_()) return failure_.stopped;
  failure_.stopped = true;
  return true;
}

bool SaveTransaction::Undo() {
  for (std::size_t i = installed_; i-- > 0;) steps_[i]->Revert(failure_);
  installed_ = 0;
  steps_.clear();  // takes away what was staged
  pending_.clear();
  return false;
}
