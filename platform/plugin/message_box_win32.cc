#include <windows.h>

#include "platform/plugin/message_box.h"
#include "platform/calls/system_instance.h"

namespace platform {
namespace {

class Win32MessageBox : public MessageBoxService {
 public:
  void Show(Owner owner, const std::string& text, const char* caption, unsigned style) override {
    // GetActiveWindow answers for the calling thread, which is the host's
    // user-interface thread: its active window, or none.
    HWND window = owner == kActiveWindow ? GetActiveWindow() : nullptr;
    MessageBoxA(window, text.c_str(), caption, style);
  }
};

}  // namespace

MessageBoxService& SystemMessageBox() { return SystemInstance<Win32MessageBox>(); }

}  // namespace platform
