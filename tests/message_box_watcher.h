#pragma once

#include <string>

namespace testing_support {

// Watches for the next message box that this process shows, as an operator
// sees it. On Windows a second thread finds the box by its window class,
// reads caption and text, and presses OK; elsewhere the box is the line on
// standard error that the plug-in writes, captured meanwhile.
class MessageBoxWatcher {
 public:
  // Waits at most `timeoutMs` for the box to appear.
  explicit MessageBoxWatcher(int timeoutMs = 15000);
  ~MessageBoxWatcher();
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  // Waits for the box and returns its text, or "<no box>" when none
  // appeared in time.
  std::string Finish();
  const std::string& Caption() const { return m_caption; }

 private:
  void* m_state = nullptr;  // the system-specific watcher
  std::string m_caption;
  std::string m_text;
  bool m_finished = false;
};

}  // namespace testing_support
