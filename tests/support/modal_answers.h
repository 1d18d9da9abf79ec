#pragma once
// Answers the program's modal windows and file dialogs in window tests, so that no test waits
// for a person; restores the previous answerers when it ends.

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/questions.h"
#include "platform/ui/file_dialogs.h"
#include "platform/ui/modal.h"

class ScopedModalAnswerer {
 public:
  explicit ScopedModalAnswerer(ModalAnswerer answerer) : previous_(SetModalAnswerer(std::move(answerer))) {}
  ~ScopedModalAnswerer() { SetModalAnswerer(std::move(previous_)); }

 private:
  ModalAnswerer previous_;
};

// Answers the program's questions in turn, then with their default answers, and keeps every
// question asked.
class ScriptedAnswers {
 public:
  explicit ScriptedAnswers(std::vector<Answer> answers)
      : answers_(std::move(answers)), previous_(SetQuestionHandler([this](const Question& question) {
          questions_.push_back(question);
          return next_ < answers_.size() ? answers_[next_++] : question.default_answer;
        })) {}
  ~ScriptedAnswers() { SetQuestionHandler(std::move(previous_)); }

  const std::vector<Question>& Questions() const { return questions_; }

 private:
  std::vector<Answer> answers_;
  std::size_t next_ = 0;
  std::vector<Question> questions_;
  QuestionHandler previous_;
};

// Gives the file names in turn (nothing = cancel) and keeps every request it was asked.
class ScriptedFileDialogs {
 public:
  explicit ScriptedFileDialogs(std::vector<std::optional<std::string>> answers)
      : answers_(std::move(answers)), previous_(SetFileNameAsker([this](const FileDialogRequest& request) {
          requests_.push_back(request);
          if (next_ >= answers_.size()) return std::optional<std::string>();
          return answers_[next_++];
        })) {}
  ~ScriptedFileDialogs() { SetFileNameAsker(std::move(previous_)); }

  const std::vector<FileDialogRequest>& Requests() const { return requests_; }

 private:
  std::vector<std::optional<std::string>> answers_;
  std::size_t next_ = 0;
  std::vector<FileDialogRequest> requests_;
  FileNameAsker previous_;
};
