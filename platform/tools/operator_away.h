#pragma once

namespace platform {

// While the object lives, nothing the calling thread shows waits for an
// operator: every dialog and message box it opens is closed at once, as by
// its Cancel button (a message box by its one button), and a dialog that
// would be a form on a terminal finds no terminal. What notices say on
// standard error meanwhile is dropped. For a program that drives a plug-in
// through thousands of resets with nobody to answer. One at a time.
class OperatorAway {
 public:
  OperatorAway();
  ~OperatorAway();
  OperatorAway(const OperatorAway&) = delete;
  OperatorAway& operator=(const OperatorAway&) = delete;

 private:
  void* m_state = nullptr;  // the system-specific arrangement
};

}  // namespace platform
