#pragma once

#include <exception>
#include <functional>

namespace platform {

// Runs `work` on a thread of its own from construction until Wait, which
// the destructor calls if nobody did. When no thread can be made, `work`
// runs at once on the calling thread instead, so the outcome is the same.
// `work` must not throw.
class BackgroundTask {
 public:
  explicit BackgroundTask(std::function<void()> work);
  ~BackgroundTask() { Wait(); }
  BackgroundTask(const BackgroundTask&) = delete;
  BackgroundTask& operator=(const BackgroundTask&) = delete;

  // Returns once `work` has ended. Idempotent.
  void Wait();

 private:
  std::function<void()> m_work;
  void* m_thread = nullptr;  // the system's thread; null once waited for
};

// Runs `work(0)` on the calling thread and `work(1)` on a thread of its
// own, returning once both have ended: a loop that takes every other item
// by the number it is given spreads over two cores. An exception of either
// half is thrown here once both have ended, the calling thread's first.
template <typename Work>
void RunInTwo(Work work) {
  std::exception_ptr failed;
  {
    BackgroundTask second([&] {
      try {
        work(1);
      } catch (...) {
        failed = std::current_exception();
      }
    });
    work(0);
  }
  if (failed) std::rethrow_exception(failed);
}

}  // namespace platform
