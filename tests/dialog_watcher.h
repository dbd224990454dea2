#pragma once

#include <string>

namespace testing_support {

// Plays the operator at the next dialog with the caption given: a second
// thread finds it among this process's windows, presses the button with
// `buttonId` (1 OK, 2 Cancel), and reports whether it found it. Where
// dialogs are terminal forms, none is shown to a test (standard input is
// not a terminal) and Finish() reports false.
class DialogWatcher {
 public:
  DialogWatcher(const std::string& caption, int buttonId);
  ~DialogWatcher();
  DialogWatcher(const DialogWatcher&) = delete;
  DialogWatcher& operator=(const DialogWatcher&) = delete;

  bool Finish();

  // Whether this system shows dialogs as windows that a watcher can find.
  static const bool kShowsWindows;

 private:
  void* m_state = nullptr;  // the system-specific watcher
  bool m_found = false;
  bool m_finished = false;
};

}  // namespace testing_support
