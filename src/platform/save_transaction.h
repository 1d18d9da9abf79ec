#pragma once
// Several files saved all or none. Each file is first made complete beside its target, its old
// content kept on disk; only when every one is ready do they take their places, and when one
// cannot, those already in place get their old content back. Files for a folder that does not
// exist yet are made in a hidden folder beside it, which takes the folder's name (and makes its
// missing parents) only at the end, so that a failed or stopped save leaves no folder behind.

#include <functional>
#include <memory>
#include <string>
#include <vector>

// What went wrong, for the user.
struct SaveFailure {
  std::string path;           // the file or folder, as it was named
  int error = 0;              // errno
  bool read_only = false;     // refused: the file's mode allows no writing
  bool foreign_link = false;  // refused: another user's link in a shared sticky folder
  bool stopped = false;       // not a failure: a stop was asked for
  // Old contents that could not be put back, and where they are kept instead ("" for a new
  // file or folder that could not be taken away again).
  struct Kept {
    std::string path;
    std::string kept_in;
  };
  std::vector<Kept> not_undone;
};

class SaveTransaction {
 public:
  // Asked before each step; when it answers yes, what was done is undone and the save stops.
  using StopRequest = std::function<bool()>;
  explicit SaveTransaction(StopRequest stop_requested = {});
  // What is not committed is undone.
  ~SaveTransaction();
  SaveTransaction(const SaveTransaction&) = delete;
  SaveTransaction& operator=(const SaveTransaction&) = delete;

  // The whole content of a file.
  void Add(std::string path, std::string bytes);
  // The whole content of a file name in folder, which is made with its missing parents.
  void AddToFolder(std::string folder, std::string name, std::string bytes);

  // Makes every file ready beside its target without touching any target.
  bool Stage();
  // Stages if needed, then puts everything in place: streams first (they cannot take back what
  // they sent), then rewrites in place, renames and new folders last, as they hardly fail.
  bool Commit();

  const SaveFailure& Failure() const { return failure_; }

  class Step;

 private:
  bool Stopped();
  bool Undo();

  struct Pending {
    std::string folder;  // "" for a file on its own
    std::string path;    // the file, or its name in folder
    std::string bytes;
  };
  StopRequest stop_requested_;
  std::vector<Pending> pending_;
  std::vector<std::unique_ptr<Step>> steps_;
  std::size_t installed_ = 0;
  bool staged_ = false;
  SaveFailure failure_;
};
