#include "platform/messages.h"

#include <cstdio>
#include <utility>

namespace {

void PrintToStderr(const std::string& text) { std::fprintf(stderr, "message: %s\n", text.c_str()); }

MessageHandler& CurrentHandler() {
  static MessageHandler handler = PrintToStderr;
  return handler;
}

}  // namespace

void ShowMessage(const std::string& text) { CurrentHandler()(text); }

MessageHandler SetMessageHandler(MessageHandler handler) {
  if (!handler) handler = PrintToStderr;
  return std::exchange(CurrentHandler(), std::move(handler));
}

MessageRecorder::MessageRecorder()
    : previous_(SetMessageHandler([this](const std::string& text) { messages_.push_back(text); })) {}

MessageRecorder::~MessageRecorder() { SetMessageHandler(std::move(previous_)); }
