#include "session/recent_projects.h"

#include <algorithm>
#include <fstream>

#include "platform/atomic_file.h"

RecentProjects::RecentProjects(std::string file) : file_(std::move(file)) {
  if (file_.empty()) return;
  std::ifstream in(file_);
  std::string line;
  while (paths_.size() < kCount && std::getline(in, line))
    if (!line.empty() && std::find(paths_.begin(), paths_.end(), line) == paths_.end()) paths_.push_back(line);
}

void RecentProjects::Add(const std::string& path) {
  if (path.empty() || path.find('\n') != std::string::npos) return;  // not a line of the file
  std::erase(paths_, path);
  paths_.insert(paths_.begin(), path);
  if (paths_.size() > kCount) paths_.resize(kCount);
  Write();
}

void RecentProjects::Remove(const std::string& path) {
  std::erase(paths_, path);
  Write();
}

void RecentProjects::Write() const {
  if (file_.empty()) return;
  std::string text;
  for (const std::string& path : paths_) text += path + "\n";
  AtomicFileWriter writer(file_);
  if (!writer.IsOpen()) return;
  writer.Write(text);
  writer.Commit();
}
