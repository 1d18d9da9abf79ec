#include "session/project_document.h"

#include <cstring>
#include <filesystem>

#include "platform/atomic_file.h"
#include "session/project_file.h"
#include "session/russian_usage.h"
#include "session/session_settings.h"

ProjectDocument::ProjectDocument(Session& session) : session_(session) { MarkSaved("angular"); }

std::string ProjectDocument::Text(const std::string& frequency) const {
  ProjectSettings settings = ProjectSettingsOf(session_);
  settings.frequency = frequency;
  return WriteProject(settings);
}

bool ProjectDocument::HasUnsavedChanges(const std::string& frequency) const { return Text(frequency) != saved_text_; }

std::string ProjectDocument::Title(const std::string& frequency) const {
  std::string title = "Вельмар";
  if (!path_.empty()) title += " — " + std::filesystem::path(path_).filename().string();
  if (HasUnsavedChanges(frequency)) title += " *";
  return title;
}

ProjectSettings ProjectDocument::Open(const std::string& path) {
  ProjectSettings settings = ReadProjectFile(path);
  try {
    CheckSettings(settings);
  } catch (const UsageError& error) {
    throw ProjectError(path + ": " + error.what(), "Файл «" + path + "»: " + RussianUsageText(error.what()));
  }
  ApplySettings(session_, settings, nullptr);
  path_ = path;
  return settings;
}

ProjectSettings ProjectDocument::New() {
  const ProjectSettings settings;
  ApplySettings(session_, settings, nullptr);
  path_.clear();
  return settings;
}

void ProjectDocument::Save(const std::string& path, const std::string& frequency) {
  const std::string text = Text(frequency);
  AtomicFileWriter writer(path);
  if (writer.IsOpen()) writer.Write(text);
  if (!writer.IsOpen() || !writer.Commit())
    throw ProjectError("cannot write '" + path + "': " + std::strerror(writer.Error()),
                       "Файл «" + path + "» не записан: " + FileErrorInRussian(writer.Error()));
  path_ = path;
  saved_text_ = text;
}

void ProjectDocument::MarkSaved(const std::string& frequency) { saved_text_ = Text(frequency); }
