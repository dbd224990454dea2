#pragma once

#include <map>
#include <string>

namespace testing_support {

// Plays the operator at the next dialog with the caption given: a second
// thread finds it among this process's windows, presses the button with
// `buttonId` (1 OK, 2 Cancel), and reports whether it found it. Where
// dialogs are terminal forms, none is shown to a test (standard input is
// not a terminal) and Finish() reports false.
class DialogWatcher {
 public:
  // `typed` gives texts to put into controls, by id, before pressing.
  DialogWatcher(const std::string& caption, int buttonId,
                const std::map<int, std::string>& typed = {});
  ~DialogWatcher();
  DialogWatcher(const DialogWatcher&) = delete;
  DialogWatcher& operator=(const DialogWatcher&) = delete;

  bool Finish();
  // The texts of the dialog's controls, by id, as it opened.
  const std::map<int, std::string>& Shown() const { return m_shown; }

  // Whether this system shows dialogs as windows that a watcher can find.
  static const bool kShowsWindows;

 private:
  void* m_state = nullptr;  // the system-specific watcher
  std::map<int, std::string> m_shown;
  bool m_found = false;
  bool m_finished = false;
};

}  // namespace testing_support
