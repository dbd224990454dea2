#include "platform/tools/notice_capture.h"

namespace platform {

NoticeCapture::~NoticeCapture() { Stop(); }

std::vector<std::string> NoticeCapture::Finish() {
  Stop();
  return m_notices;
}

}  // namespace platform
