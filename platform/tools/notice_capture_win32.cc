#include <windows.h>

#include <memory>

#include "platform/tools/notice_capture.h"

namespace platform {
namespace {

// A message box is a dialog of class "#32770" that carries its text in the
// static control 0xFFFF. A thread-local CBT hook sees it activated, after
// its controls are filled and before the operator can close it.
constexpr int kMessageBoxTextId = 0xFFFF;

struct Hook {
  HHOOK handle = nullptr;
  std::vector<std::string>* notices = nullptr;
};

Hook* g_activeHook = nullptr;

std::string OneLine(const char* text) {
  std::string line;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p == '\r' && p[1] == '\n') continue;
    line += (*p == '\r' || *p == '\n') ? ' ' : *p;
  }
  return line;
}

LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && g_activeHook != nullptr) {
    HWND window = reinterpret_cast<HWND>(wParam);
    char cls[16] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0 && GetDlgItem(window, kMessageBoxTextId) != nullptr) {
      char caption[256] = "";
      char text[1024] = "";
      GetWindowTextA(window, caption, sizeof caption);
      GetDlgItemTextA(window, kMessageBoxTextId, text, sizeof text);
      const std::string notice = OneLine(caption) + ": " + OneLine(text);
      std::vector<std::string>& notices = *g_activeHook->notices;
      // A box is activated again when the operator returns to it.
      if (notices.empty() || notices.back() != notice) notices.push_back(notice);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

NoticeCapture::NoticeCapture() {
  Hook* hook = new Hook;
  hook->notices = &m_notices;
  hook->handle = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
  m_state = hook;
  if (hook->handle != nullptr) g_activeHook = hook;
}

void NoticeCapture::Stop() {
  if (m_state == nullptr) return;
  std::unique_ptr<Hook> hook(static_cast<Hook*>(m_state));
  m_state = nullptr;
  if (hook->handle != nullptr) UnhookWindowsHookEx(hook->handle);
  if (g_activeHook == hook.get()) g_activeHook = nullptr;
}

}  // namespace platform
