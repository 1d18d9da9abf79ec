#pragma once
// Driving the dialogs as a user would: an active window, fields typed into with real key presses,
// Tab to leave a field, and every message recorded instead of shown.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/messages.h"

template <class T>
T* Child(const QWidget& parent, const char* name) {
  T* child = parent.findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name;
  return child;
}

inline QLineEdit* Edit(const QWidget& parent, const char* name) { return Child<QLineEdit>(parent, name); }

// Shows the window and waits until it has the focus, so that focus moves between its fields
// send the leave events the dialogs rely on.
inline void ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// Clicks into the field, selects what it holds and types over it key by key.
inline void TypeInto(QLineEdit* edit, const QString& keys) {
  edit->setFocus(Qt::MouseFocusReason);
  edit->selectAll();
  QTest::keyClicks(edit, keys);
}

// A click on a check box or radio button, on its mark rather than in the middle of its row.
inline void ClickButton(QWidget* button) {
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

inline void PressTab(QWidget* widget) { QTest::keyClick(widget, Qt::Key_Tab); }
inline void PressEnter(QWidget* widget) { QTest::keyClick(widget, Qt::Key_Return); }

// Records every message; an optional probe runs while each message is "on the screen".
class MessageSpy {
 public:
  explicit MessageSpy(std::function<void()> probe = {}) : probe_(std::move(probe)) {
    previous_ = SetMessageHandler([this](const std::string& text) {
      messages_.push_back(text);
      if (probe_) probe_();
    });
  }
  ~MessageSpy() { SetMessageHandler(previous_); }
  MessageSpy(const MessageSpy&) = delete;
  MessageSpy& operator=(const MessageSpy&) = delete;

  const std::vector<std::string>& Messages() const { return messages_; }
  void Clear() { messages_.clear(); }

 private:
  std::function<void()> probe_;
  std::vector<std::string> messages_;
  MessageHandler previous_;
};
