#include <cstdio>

#include "platform/plugin/message_box.h"
#include "platform/calls/system_instance.h"

namespace platform {
namespace {

// Without a window system the notice goes to standard error as one line and
// the call returns at once, as if the operator had pressed OK.
class StderrMessageBox : public MessageBoxService {
 public:
  void Show(Owner, const std::string& text, const char* caption, unsigned) override {
    std::string line = caption != nullptr ? caption : "Error";
    line += ": ";
    for (char ch : text) line += (ch == '\r' || ch == '\n') ? ' ' : ch;
    line += '\n';
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
  }
};

}  // namespace

MessageBoxService& SystemMessageBox() { return SystemInstance<StderrMessageBox>(); }

}  // namespace platform
