#include <windows.h>

#include "tests/dialog_watcher.h"

namespace testing_support {

const bool DialogWatcher::kShowsWindows = true;
namespace {

struct Watch {
  std::string caption;
  int button = IDCANCEL;
  DWORD pid = GetCurrentProcessId();
  HWND dialog = nullptr;
  HANDLE thread = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
  Watch* watch = reinterpret_cast<Watch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != watch->pid || !IsWindowVisible(window)) return TRUE;
  char cls[64] = "", text[256] = "";
  GetClassNameA(window, cls, sizeof cls);
  GetWindowTextA(window, text, sizeof text);
  if (lstrcmpA(cls, "#32770") != 0 || watch->caption != text) return TRUE;
  watch->dialog = window;
  return FALSE;
}

DWORD WINAPI Run(void* param) {
  Watch* watch = static_cast<Watch*>(param);
  for (int i = 0; i < 300 && watch->dialog == nullptr; ++i) {
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(watch));
    if (watch->dialog == nullptr) Sleep(50);
  }
  if (watch->dialog != nullptr) {
    PostMessageA(GetDlgItem(watch->dialog, watch->button), BM_CLICK, 0, 0);
  }
  return 0;
}

}  // namespace

DialogWatcher::DialogWatcher(const std::string& caption, int buttonId) {
  Watch* watch = new Watch;
  watch->caption = caption;
  watch->button = buttonId;
  watch->thread = CreateThread(nullptr, 0, Run, watch, 0, nullptr);
  m_state = watch;
}

DialogWatcher::~DialogWatcher() {
  Finish();
  delete static_cast<Watch*>(m_state);
}

bool DialogWatcher::Finish() {
  if (m_finished) return m_found;
  m_finished = true;
  Watch* watch = static_cast<Watch*>(m_state);
  WaitForSingleObject(watch->thread, INFINITE);
  CloseHandle(watch->thread);
  m_found = watch->dialog != nullptr;
  return m_found;
}

}  // namespace testing_support
