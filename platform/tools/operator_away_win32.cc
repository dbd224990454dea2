#include <windows.h>

#include "platform/tools/operator_away.h"

namespace platform {
namespace {

// A thread-local CBT hook sees each dialog activated, after its controls
// are filled and before its modal loop reads its first message; a Cancel
// posted then closes it from that loop. Dialogs and message boxes are both
// of class "#32770"; a message box with one button takes Cancel as that
// button.
HHOOK g_hook = nullptr;

LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND window = reinterpret_cast<HWND>(wParam);
    char cls[16] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0) {
      PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

struct OperatorAway::State {
  HHOOK hook = nullptr;  // null when another object holds the hook
};

OperatorAway::OperatorAway() : m_state(std::make_unique<State>()) {
  if (g_hook == nullptr) {
    g_hook = SetWindowsHookExA(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
    m_state->hook = g_hook;
  }
}

OperatorAway::~OperatorAway() {
  if (m_state->hook == nullptr) return;
  UnhookWindowsHookEx(m_state->hook);
  g_hook = nullptr;
}

}  // namespace platform
