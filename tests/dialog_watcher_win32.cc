#include <windows.h>

#include "tests/dialog_watcher.h"

namespace testing_support {

const bool DialogWatcher::kShowsWindows = true;
namespace {

struct Watch {
  std::string caption;
  int button = IDCANCEL;
  DWORD pid = GetCurrentProcessId();
  std::map<int, std::string> typed;
  std::map<int, std::string> shown;
  HWND dialog = nullptr;
  HANDLE thread = nullptr;
};

BOOL CALLBACK ReadControl(HWND control, LPARAM param) {
  Watch* watch = reinterpret_cast<Watch*>(param);
  const int length = GetWindowTextLengthA(control);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(control, &text[0], length + 1);
  text.resize(static_cast<std::size_t>(length));
  // A combo's edit field is its child with id 1001; the combo itself is the
  // dialog's control.
  if (GetParent(control) == watch->dialog) watch->shown[GetDlgCtrlID(control)] = text;
  return TRUE;
}

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
    // Let the dialog finish its initialisation before reading it.
    Sleep(200);
    EnumChildWindows(watch->dialog, ReadControl, reinterpret_cast<LPARAM>(watch));
    for (const auto& entry : watch->typed) {
      SendMessageA(GetDlgItem(watch->dialog, entry.first), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(entry.second.c_str()));
    }
    PostMessageA(GetDlgItem(watch->dialog, watch->button), BM_CLICK, 0, 0);
  }
  return 0;
}

}  // namespace

DialogWatcher::DialogWatcher(const std::string& caption, int buttonId,
                             const std::map<int, std::string>& typed) {
  Watch* watch = new Watch;
  watch->typed = typed;
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
  m_shown = watch->shown;
  return m_found;
}

}  // namespace testing_support
