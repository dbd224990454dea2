#pragma once

#include <functional>
#include <map>
#include <string>

#include "platform/framework/cdialog.h"
#include "platform/framework/terminal_form.h"

namespace testing_support {

// Runs dialogs without a screen: the controls live in memory, `edit` plays
// the operator, and `result` is how the operator closes the dialog.
class FakeDialogRunner : public platform::DialogRunner {
 public:
  Result RunModal(platform::CDialog& dialog) override {
    ++runs;
    caption = dialog.Caption();
    platform::FormControls controls;
    dialog.OnInitDialog(controls);
    shown.clear();
    for (const platform::DialogControl& c : dialog.Layout()) {
      shown[c.id] = controls.GetText(c.id);
    }
    if (edit) edit(controls);
    if (result == kOk) dialog.OnOK(controls);
    return result;
  }

  Result result = kOk;
  std::function<void(platform::DialogControls&)> edit;
  std::map<int, std::string> shown;  // control texts when the dialog opened
  std::string caption;
  int runs = 0;
};

}  // namespace testing_support
