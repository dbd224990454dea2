#include <windows.h>

#include "tests/message_box_watcher.h"

namespace testing_support {
namespace {

struct Watch {
  HANDLE thread = nullptr;
  DWORD pid = GetCurrentProcessId();
  HWND box = nullptr;
  char caption[256] = "";
  char text[1024] = "";
  bool found = false;
  int timeoutMs = 15000;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
  Watch* watch = reinterpret_cast<Watch*>(param);
  char cls[64] = "";
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != watch->pid || !IsWindowVisible(window)) return TRUE;
  GetClassNameA(window, cls, sizeof cls);
  if (lstrcmpA(cls, "#32770") != 0) return TRUE;
  // A message box carries its text in the static control 0xFFFF.
  if (GetDlgItem(window, 0xFFFF) == nullptr) return TRUE;
  watch->box = window;
  return FALSE;
}

DWORD WINAPI Run(void* param) {
  Watch* watch = static_cast<Watch*>(param);
  for (int waited = 0; waited < watch->timeoutMs && watch->box == nullptr; waited += 50) {
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(watch));
    if (watch->box == nullptr) Sleep(50);
  }
  if (watch->box == nullptr) return 0;
  GetWindowTextA(watch->box, watch->caption, sizeof watch->caption);
  GetDlgItemTextA(watch->box, 0xFFFF, watch->text, sizeof watch->text);
  watch->found = true;
  PostMessageA(GetDlgItem(watch->box, IDOK), BM_CLICK, 0, 0);
  return 0;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher(int timeoutMs) {
  Watch* watch = new Watch;
  watch->timeoutMs = timeoutMs;
  watch->thread = CreateThread(nullptr, 0, Run, watch, 0, nullptr);
  m_state = watch;
}

MessageBoxWatcher::~MessageBoxWatcher() {
  Finish();
  delete static_cast<Watch*>(m_state);
}

std::string MessageBoxWatcher::Finish() {
  if (m_finished) return m_text;
  m_finished = true;
  Watch* watch = static_cast<Watch*>(m_state);
  WaitForSingleObject(watch->thread, INFINITE);
  CloseHandle(watch->thread);
  m_caption = watch->caption;
  m_text = watch->found ? watch->text : "<no box>";
  return m_text;
}

}  // namespace testing_support
