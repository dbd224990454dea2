#include <gtest/gtest.h>

#include "tests/message_box_watcher.h"

namespace testing_support {

MessageBoxWatcher::MessageBoxWatcher(int) { ::testing::internal::CaptureStderr(); }

MessageBoxWatcher::~MessageBoxWatcher() { Finish(); }

std::string MessageBoxWatcher::Finish() {
  if (m_finished) return m_text;
  m_finished = true;
  std::string line = ::testing::internal::GetCapturedStderr();
  if (!line.empty() && line.back() == '\n') line.pop_back();
  const std::size_t colon = line.find(": ");
  if (line.empty() || colon == std::string::npos || line.find('\n') != std::string::npos) {
    m_text = "<no box>";
    return m_text;
  }
  m_caption = line.substr(0, colon);
  m_text = line.substr(colon + 2);
  return m_text;
}

}  // namespace testing_support
