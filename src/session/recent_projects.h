#pragma once
// The projects opened or saved last, the latest first, as the menu "Проект" lists them; kept in a
// text file of one path a line between sittings.

#include <string>
#include <vector>

class RecentProjects {
 public:
  static constexpr std::size_t kCount = 5;

  // The list kept in file; none when it cannot be read.
  explicit RecentProjects(std::string file);

  const std::vector<std::string>& Paths() const { return paths_; }
  // Puts path first (once) and writes the list back; a list that cannot be written is kept for
  // this sitting only.
  void Add(const std::string& path);
  void Remove(const std::string& path);

 private:
  void Write() const;

  std::string file_;
  std::vector<std::string> paths_;
};
