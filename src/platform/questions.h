#pragma once
// The program's way of asking the user before a step that would lose what was typed: a modal
// question with answer buttons. The desktop application installs a message box; where nobody
// answers (the command-line tool, a test that does not script an answer) the question takes its
// default answer, the one that does what the program did before it asked.

#include <functional>
#include <string>

enum class Answer { kYes, kNo, kCancel };
enum class QuestionButtons {
  kYesNo,        // "Да", "Нет"; closing the question answers "Нет"
  kYesNoCancel,  // "Да", "Нет", "Отмена"; closing the question answers "Отмена"
};

struct Question {
  std::string caption;
  std::string text;
  QuestionButtons buttons = QuestionButtons::kYesNo;
  Answer default_answer = Answer::kNo;  // when nobody answers
};

using QuestionHandler = std::function<Answer(const Question&)>;

// Asks through the installed handler (by default: the question's default answer).
Answer Ask(const Question& question);

// Installs a handler and returns the previous one; an empty handler restores the default.
QuestionHandler SetQuestionHandler(QuestionHandler handler);
