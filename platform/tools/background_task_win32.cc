#include <windows.h>

#include "platform/tools/background_task.h"

namespace platform {
namespace {

DWORD WINAPI Run(void* task) {
  (*static_cast<std::function<void()>*>(task))();
  return 0;
}

}  // namespace

// A system thread rather than std::thread: the C++ library of the build
// that ships has no thread layer.
BackgroundTask::BackgroundTask(std::function<void()> work) : m_work(std::move(work)) {
  HANDLE thread = CreateThread(nullptr, 0, Run, &m_work, 0, nullptr);
  if (thread == nullptr) {
    m_work();
    return;
  }
  m_thread = thread;
}

void BackgroundTask::Wait() {
  if (m_thread == nullptr) return;
  WaitForSingleObject(static_cast<HANDLE>(m_thread), INFINITE);
  CloseHandle(static_cast<HANDLE>(m_thread));
  m_thread = nullptr;
}

}  // namespace platform
