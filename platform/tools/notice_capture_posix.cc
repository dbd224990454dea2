#include <unistd.h>

#include <cstdio>
#include <memory>

#include "platform/tools/notice_capture.h"

namespace platform {
namespace {

// Without a window system a notice is a line "caption: text" on standard
// error. Meanwhile standard error goes to a scratch file; on Finish its
// content is passed on unchanged and read line by line.
struct Redirect {
  std::FILE* scratch = nullptr;
  int savedError = -1;
};

}  // namespace

NoticeCapture::NoticeCapture() {
  Redirect* redirect = new Redirect;
  m_state = redirect;
  std::fflush(stderr);
  redirect->scratch = std::tmpfile();
  if (redirect->scratch == nullptr) return;
  redirect->savedError = dup(STDERR_FILENO);
  if (redirect->savedError < 0 || dup2(fileno(redirect->scratch), STDERR_FILENO) < 0) {
    if (redirect->savedError >= 0) close(redirect->savedError);
    redirect->savedError = -1;
    std::fclose(redirect->scratch);
    redirect->scratch = nullptr;
  }
}

void NoticeCapture::Stop() {
  if (m_state == nullptr) return;
  std::unique_ptr<Redirect> redirect(static_cast<Redirect*>(m_state));
  m_state = nullptr;
  if (redirect->scratch == nullptr) return;
  std::fflush(stderr);
  dup2(redirect->savedError, STDERR_FILENO);
  close(redirect->savedError);
  std::string text;
  std::rewind(redirect->scratch);
  char buffer[4096];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, redirect->scratch)) > 0) {
    text.append(buffer, got);
  }
  std::fclose(redirect->scratch);
  redirect->scratch = nullptr;
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    if (end > begin) m_notices.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
}

}  // namespace platform
