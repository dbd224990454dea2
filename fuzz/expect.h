#pragma once

#include <sanitizer/common_interface_defs.h>

#include <cstdlib>
#include <string>

// Stops the fuzz target when a promise of the code under test is broken.
// The message goes where sanitizer reports go, which is standard error even
// when libFuzzer runs with -close_fd_mask=2.
#define FUZZ_EXPECT(condition)                                                                  \
  do {                                                                                          \
    if (!(condition)) {                                                                         \
      __sanitizer_report_error_summary((std::string("broken promise: ") + #condition + " at " + \
                                        __FILE__ + ":" + std::to_string(__LINE__))              \
                                           .c_str());                                           \
      std::abort();                                                                             \
    }                                                                                           \
  } while (0)
