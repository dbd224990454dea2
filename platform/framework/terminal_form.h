#pragma once

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "platform/framework/cdialog.h"

namespace platform {

// Controls held in memory, for dialogs drawn as a terminal form. A control
// exists once it is given a text or an entry; an unknown id reads as empty.
class FormControls : public DialogControls {
 public:
  std::string GetText(int id) override;
  void SetText(int id, const std::string& text) override;
  // Inserts after the entries that equal `entry` without regard to case.
  void AddComboEntry(int id, const std::string& entry) override;
  bool SelectComboPrefix(int id, const std::string& prefix) override;

  // The list of combo `id` in its sorted order; empty for other controls.
  const std::vector<std::string>& ComboEntries(int id) const;

 private:
  std::map<int, std::string> m_texts;
  std::map<int, std::vector<std::string>> m_lists;
};

// Runs `dialog` as a form: fills FormControls through OnInitDialog, writes
// the caption to `out`, then asks for every control of Layout() in order,
// showing its current value, and finally asks "OK or Cancel? [O/c]".
//
// Answers are lines of `in` (a trailing CR is dropped); an empty line keeps
// the value. A one-line edit takes the line as its text. A combo lists its
// entries numbered from 1: a number in range picks that entry, any other
// line is taken as typed. A multi-line edit takes lines up to one holding
// only "." and joins them with CR LF; an empty line or "." as the first line
// keeps the value, and "-" as the first line empties it, as its prompt says.
// The last question accepts "", "o", "ok" (OK) and "c", "cancel" (Cancel)
// in either case and is repeated for other answers.
//
// Returns kOk after dialog.OnOK, or kCancel when the operator cancels or
// `in` ends before the form is done; the dialog's members then stay as
// they were.
DialogRunner::Result RunTerminalForm(CDialog& dialog, std::istream& in, std::ostream& out);

}  // namespace platform
