#pragma once
// The program's one way of telling the user something: a modal message.
// The desktop application installs a message box, the command-line tool prints to stderr,
// and tests install a MessageRecorder and assert the exact texts.

#include <functional>
#include <string>
#include <vector>

using MessageHandler = std::function<void(const std::string&)>;

// Shows text through the installed handler (by default: "message: <text>" on stderr).
void ShowMessage(const std::string& text);

// Installs a handler and returns the previous one; an empty handler restores the default.
MessageHandler SetMessageHandler(MessageHandler handler);

// Keeps every message shown while it lives, in order; restores the previous handler on destruction.
class MessageRecorder {
 public:
  MessageRecorder();
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  const std::vector<std::string>& Messages() const { return messages_; }
  void Clear() { messages_.clear(); }

 private:
  std::vector<std::string> messages_;
  MessageHandler previous_;
};
