#include <windows.h>

#include <string>
#include <vector>

#include "platform/framework/cdialog.h"
#include "platform/calls/system_instance.h"

namespace platform {
namespace {

class Win32DialogControls : public DialogControls {
 public:
  explicit Win32DialogControls(HWND dialog) : m_dialog(dialog) {}

  std::string GetText(int id) override {
    HWND item = GetDlgItem(m_dialog, id);
    if (item == nullptr) return std::string();
    // A fixed buffer would cut long texts; a combo answers with the length
    // of its edit field.
    LRESULT length = SendMessageA(item, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    UINT copied = GetDlgItemTextA(m_dialog, id, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), copied);
  }

  void SetText(int id, const std::string& text) override {
    SetDlgItemTextA(m_dialog, id, text.c_str());
  }

  void AddComboEntry(int id, const std::string& entry) override {
    SendDlgItemMessageA(m_dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }

  bool SelectComboPrefix(int id, const std::string& prefix) override {
    if (prefix.empty()) return false;
    LRESULT index = SendDlgItemMessageA(m_dialog, id, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(prefix.c_str()));
    return index != CB_ERR;
  }

 private:
  HWND m_dialog;
};

// What the dialog procedure needs while one dialog runs; kept in DWLP_USER.
struct Session {
  CDialog* dialog;
  Win32DialogControls controls;
};

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(window, DWLP_USER, lParam);
  }
  Session* session = reinterpret_cast<Session*>(GetWindowLongPtrA(window, DWLP_USER));
  if (session == nullptr) return FALSE;
  // An exception must not unwind through the system's frames.
  try {
    switch (message) {
      case WM_INITDIALOG:
        session->controls = Win32DialogControls(window);
        session->dialog->OnInitDialog(session->controls);
        return TRUE;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
          session->dialog->OnOK(session->controls);
          EndDialog(window, IDOK);
          return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
          EndDialog(window, IDCANCEL);
          return TRUE;
        }
        return FALSE;
      default:
        return FALSE;
    }
  } catch (...) {
    EndDialog(window, IDCANCEL);
    return TRUE;
  }
}

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&DialogProc), &module);
  return module;
}

class Win32DialogRunner : public DialogRunner {
 public:
  Result RunModal(CDialog& dialog) override {
    Session session{&dialog, Win32DialogControls(nullptr)};
    // The template lives in this module, which is the plug-in and not the
    // host's executable. GetActiveWindow answers for the calling thread.
    INT_PTR result =
        DialogBoxParamA(ThisModule(), MAKEINTRESOURCEA(dialog.TemplateId()), GetActiveWindow(),
                        DialogProc, reinterpret_cast<LPARAM>(&session));
    switch (result) {
      case IDOK:
        return kOk;
      case IDCANCEL:
        return kCancel;
      case 0:
      case -1:
        return kCannotShow;
      default:
        return kCancel;
    }
  }
};

}  // namespace

DialogRunner& SystemDialogRunner() { return SystemInstance<Win32DialogRunner>(); }

}  // namespace platform
