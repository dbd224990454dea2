#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "platform/tools/operator_away.h"

namespace platform {
namespace {

// Standard input and error both read from and write to the null device: a
// terminal form needs a terminal on standard input, and a notice is a line
// on standard error.
struct Saved {
  int input = -1;
  int error = -1;
};

void Restore(int saved, int target) {
  if (saved < 0) return;
  dup2(saved, target);
  close(saved);
}

}  // namespace

OperatorAway::OperatorAway() {
  Saved* saved = new Saved;
  m_state = saved;
  const int null = open("/dev/null", O_RDWR | O_CLOEXEC);
  if (null < 0) return;
  std::fflush(stderr);
  saved->input = dup(STDIN_FILENO);
  saved->error = dup(STDERR_FILENO);
  if (saved->input >= 0 && dup2(null, STDIN_FILENO) < 0) Restore(saved->input, STDIN_FILENO);
  if (saved->error >= 0 && dup2(null, STDERR_FILENO) < 0) Restore(saved->error, STDERR_FILENO);
  close(null);
}

OperatorAway::~OperatorAway() {
  Saved* saved = static_cast<Saved*>(m_state);
  std::fflush(stderr);
  std::cin.clear();
  Restore(saved->input, STDIN_FILENO);
  Restore(saved->error, STDERR_FILENO);
  delete saved;
}

}  // namespace platform
