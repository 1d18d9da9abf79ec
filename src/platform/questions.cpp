#include "platform/questions.h"

#include <utility>

#include "platform/replaceable.h"

namespace {

Answer DefaultAnswer(const Question& question) { return question.default_answer; }

Replaceable<QuestionHandler>& CurrentHandler() {
  static Replaceable<QuestionHandler> handler(DefaultAnswer);
  return handler;
}

}  // namespace

Answer Ask(const Question& question) { return (*CurrentHandler())(question); }

QuestionHandler SetQuestionHandler(QuestionHandler handler) { return CurrentHandler().Set(std::move(handler)); }
