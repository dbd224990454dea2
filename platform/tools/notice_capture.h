#pragma once

#include <string>
#include <vector>

namespace platform {

// Collects the notices (message boxes) that the calling thread shows while
// the object lives, so a host program can repeat what a plug-in told the
// operator. The notices are still shown as usual. One capture at a time.
class NoticeCapture {
 public:
  NoticeCapture();
  ~NoticeCapture();
  NoticeCapture(const NoticeCapture&) = delete;
  NoticeCapture& operator=(const NoticeCapture&) = delete;

  // Stops collecting and returns the notices in the order shown, each as
  // "caption: text" with line breaks read as blanks. Later calls return the
  // same list.
  std::vector<std::string> Finish();

 private:
  // Ends the capture and frees m_state; the notices stay. Idempotent.
  void Stop();

  void* m_state = nullptr;  // the system-specific capture
  std::vector<std::string> m_notices;
};

}  // namespace platform
