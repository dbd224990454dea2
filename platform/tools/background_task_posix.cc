#include <pthread.h>

#include "platform/tools/background_task.h"

namespace platform {
namespace {

void* Run(void* task) {
  (*static_cast<std::function<void()>*>(task))();
  return nullptr;
}

}  // namespace

BackgroundTask::BackgroundTask(std::function<void()> work) : m_work(std::move(work)) {
  pthread_t* thread = new pthread_t;
  if (pthread_create(thread, nullptr, Run, &m_work) != 0) {
    delete thread;
    m_work();
    return;
  }
  m_thread = thread;
}

void BackgroundTask::Wait() {
  if (m_thread == nullptr) return;
  pthread_t* thread = static_cast<pthread_t*>(m_thread);
  pthread_join(*thread, nullptr);
  delete thread;
  m_thread = nullptr;
}

}  // namespace platform
