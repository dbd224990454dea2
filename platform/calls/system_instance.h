#pragma once

namespace platform {

// The one instance of a service implementation for this process, made on
// first use and kept until the process ends.
template <typename Implementation>
Implementation& SystemInstance() {
  static Implementation instance;
  return instance;
}

}  // namespace platform
