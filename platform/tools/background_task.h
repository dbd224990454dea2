#pragma once

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
// by the number it is given spreads over two cores.
template <typename Work>
void RunInTwo(Work work) {
  BackgroundTask second([&] { work(1); });
  work(0);
}

}  // namespace platform
