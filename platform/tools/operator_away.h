#pragma once

#include <memory>

namespace platform {

// While the object lives, nothing the calling thread shows waits for an
// operator: every dialog and message box it opens is closed at once, as by
// its Cancel button (a message box by its one button), and a dialog that
// would be a form on a terminal finds no terminal. What notices say on
// standard error meanwhile is dropped, whichever thread writes it. For a
// program that drives a plug-in through thousands of resets with nobody
// to answer. One at a time; not copied.
class OperatorAway {
 public:
  OperatorAway();
  ~OperatorAway();

 private:
  struct State;  // the system-specific arrangement
  std::unique_ptr<State> m_state;
};

}  // namespace platform
