#pragma once

#include <string>
#include <vector>

#include "platform/framework/cobject.h"

namespace platform {

// The controls of a dialog while it runs, by control id. A runner provides
// them: real windows on Windows, a terminal form elsewhere, a fake in tests.
class DialogControls {
 public:
  virtual ~DialogControls() = default;
  // Text of an edit control or of a combo's edit field; multi-line texts
  // separate their lines with CR LF.
  virtual std::string GetText(int id) = 0;
  virtual void SetText(int id, const std::string& text) = 0;
  // Adds an entry to a combo's list, which keeps its entries sorted without
  // regard to case.
  virtual void AddComboEntry(int id, const std::string& entry) = 0;
  // Selects the first list entry that begins with `prefix` without regard to
  // case and shows it whole in the edit field. False, and nothing changed,
  // when no entry begins with it (an empty prefix matches none).
  virtual bool SelectComboPrefix(int id, const std::string& prefix) = 0;
};

// One control of a dialog's layout, for runners that draw the form
// themselves instead of from the dialog template.
struct DialogControl {
  enum Kind { kEdit, kMultiLineEdit, kCombo };
  int id;
  const char* label;
  Kind kind;
  std::vector<const char*> entries;  // a combo's list
  bool enterConfirms;                // Enter confirms the dialog instead of a new line
};

// Direction and controls of one data exchange.
class CDataExchange {
 public:
  CDataExchange(DialogControls& controls, bool saveAndValidate)
      : m_controls(controls), m_bSaveAndValidate(saveAndValidate) {}
  DialogControls& m_controls;
  const bool m_bSaveAndValidate;  // true: controls to members
};

// Member <-> edit control.
void DDX_Text(CDataExchange* dx, int id, std::string& value);
// Member <-> combo: loading selects the first entry that begins with the
// value (without regard to case), else puts the value unchanged in the edit
// field; saving takes the edit field's text unchanged.
void DDX_CBString(CDataExchange* dx, int id, std::string& value);

// A modal dialog built from a dialog template of this module.
class CDialog : public CObject {
 public:
  explicit CDialog(unsigned templateId) : m_templateId(templateId) {}
  ~CDialog() override = default;

  unsigned TemplateId() const { return m_templateId; }
  // The controls in tab order, for runners that draw the form themselves.
  virtual std::vector<DialogControl> Layout() const = 0;
  virtual const char* Caption() const = 0;

  // Called by the runner when the controls exist: fills them.
  virtual void OnInitDialog(DialogControls& controls);
  // Called by the runner when the operator confirms: members from controls.
  void OnOK(DialogControls& controls);

 protected:
  virtual void DoDataExchange(CDataExchange* dx) = 0;

 private:
  unsigned m_templateId;  // resource id of the dialog template
};

// Shows dialogs modally.
class DialogRunner {
 public:
  enum Result { kCannotShow = -1, kOk = 1, kCancel = 2 };
  virtual ~DialogRunner() = default;
  // Runs `dialog` until the operator closes it: kOk after OnOK, kCancel when
  // cancelled or closed, kCannotShow when it could not be shown at all.
  virtual Result RunModal(CDialog& dialog) = 0;
};

DialogRunner& SystemDialogRunner();

}  // namespace platform
