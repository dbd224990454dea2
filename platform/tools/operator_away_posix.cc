#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "platform/tools/operator_away.h"

namespace platform {
namespace {

// Puts the descriptor kept in `saved` back at `target`, once.
void Restore(int* saved, int target) {
  if (*saved < 0) return;
  dup2(*saved, target);
  close(*saved);
  *saved = -1;
}

}  // namespace

// Standard input and error both read from and write to the null device: a
// terminal form needs a terminal on standard input, and a notice is a line
// on standard error.
struct OperatorAway::State {
  int input = -1;
  int error = -1;
};

OperatorAway::OperatorAway() : m_state(std::make_unique<State>()) {
  State* saved = m_state.get();
  const int null = open("/dev/null", O_RDWR | O_CLOEXEC);
  if (null < 0) return;
  std::fflush(stderr);
  saved->input = dup(STDIN_FILENO);
  saved->error = dup(STDERR_FILENO);
  if (saved->input >= 0 && dup2(null, STDIN_FILENO) < 0) Restore(&saved->input, STDIN_FILENO);
  if (saved->error >= 0 && dup2(null, STDERR_FILENO) < 0) Restore(&saved->error, STDERR_FILENO);
  close(null);
}

OperatorAway::~OperatorAway() {
  std::fflush(stderr);
  std::cin.clear();
  Restore(&m_state->input, STDIN_FILENO);
  Restore(&m_state->error, STDERR_FILENO);
}

}  // namespace platform
