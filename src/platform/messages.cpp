#include "platform/messages.h"

#include <cstdio>
#include <utility>

#include "platform/replaceable.h"

namespace {

void PrintToStderr(const std::string& text) { std::fprintf(stderr, "message: %s\n", text.c_str()); }

Replaceable<MessageHandler>& CurrentHandler() {
  static Replaceable<MessageHandler> handler(PrintToStderr);
  return handler;
}

}  // namespace

void ShowMessage(const std::string& text) { (*CurrentHandler())(text); }

MessageHandler SetMessageHandler(MessageHandler handler) { return CurrentHandler().Set(std::move(handler)); }

MessageRecorder::MessageRecorder()
    : previous_(SetMessageHandler([this](const std::string& text) { messages_.push_back(text); })) {}

MessageRecorder::~MessageRecorder() { SetMessageHandler(std::move(previous_)); }
