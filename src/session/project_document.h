#pragma once
// The project a window works on: the file it came from and whether the session has changed since
// it was opened or saved. A change is anything the project would save differently, so a change
// undone by hand is no change.

#include <string>

#include "session/project_settings.h"
#include "session/session.h"

class ProjectDocument {
 public:
  // The session as it stands is a new, unchanged project.
  explicit ProjectDocument(Session& session);
  ProjectDocument(const ProjectDocument&) = delete;
  ProjectDocument& operator=(const ProjectDocument&) = delete;

  // The file of the project; empty for a new one.
  const std::string& Path() const { return path_; }
  // frequency: the window's frequency axis, "angular" or "cyclic", which the project saves too.
  bool HasUnsavedChanges(const std::string& frequency) const;
  // "Вельмар", then " — " and the file's name for a saved project, then " *" for changes.
  std::string Title(const std::string& frequency) const;

  // Reads and checks the whole file, then puts its settings into the session (the analysis is
  // the caller's to run, then MarkSaved). A bad file throws ProjectError and changes nothing.
  ProjectSettings Open(const std::string& path);
  // The settings of a new project, put into the session.
  ProjectSettings New();
  // Writes the project through the careful writer; throws ProjectError, the file as it was.
  void Save(const std::string& path, const std::string& frequency);
  // The session as it stands is what the project holds.
  void MarkSaved(const std::string& frequency);

 private:
  std::string Text(const std::string& frequency) const;

  Session& session_;
  std::string path_;
  std::string saved_text_;
};
