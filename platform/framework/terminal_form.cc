#include "platform/framework/terminal_form.h"

#include <algorithm>
#include <cctype>
#include <istream>
#include <ostream>

namespace platform {
namespace {

char Upper(char ch) { return static_cast<char>(std::toupper(static_cast<unsigned char>(ch))); }

bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Upper(x) < Upper(y); });
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](char x, char y) { return Upper(x) == Upper(y); });
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && StartsWithNoCase(a, b);
}

// False at the end of the input.
bool ReadLine(std::istream& in, std::string& line) {
  if (!std::getline(in, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += text[i];
    }
  }
  return lines;
}

// A number from 1 to `count` written in digits only, else 0.
size_t EntryNumber(const std::string& answer, size_t count) {
  if (answer.empty() || answer.size() > 9) return 0;
  size_t number = 0;
  for (char ch : answer) {
    if (!std::isdigit(static_cast<unsigned char>(ch))) return 0;
    number = number * 10 + static_cast<size_t>(ch - '0');
  }
  return number <= count ? number : 0;
}

bool AskEdit(const DialogControl& control, FormControls& controls, std::istream& in,
             std::ostream& out) {
  out << control.label << " [" << controls.GetText(control.id) << "]: " << std::flush;
  std::string answer;
  if (!ReadLine(in, answer)) return false;
  if (!answer.empty()) controls.SetText(control.id, answer);
  return true;
}

bool AskCombo(const DialogControl& control, FormControls& controls, std::istream& in,
              std::ostream& out) {
  const std::vector<std::string>& entries = controls.ComboEntries(control.id);
  out << control.label << " [" << controls.GetText(control.id) << "]\n";
  for (size_t i = 0; i < entries.size(); ++i) {
    out << "  " << i + 1 << ") " << entries[i] << '\n';
  }
  out << "Number or text: " << std::flush;
  std::string answer;
  if (!ReadLine(in, answer)) return false;
  if (answer.empty()) return true;
  size_t number = EntryNumber(answer, entries.size());
  controls.SetText(control.id, number > 0 ? entries[number - 1] : answer);
  return true;
}

bool AskMultiLine(const DialogControl& control, FormControls& controls, std::istream& in,
                  std::ostream& out) {
  std::string value = controls.GetText(control.id);
  out << control.label << ':';
  if (value.empty()) {
    out << " (empty)\n";
  } else {
    out << '\n';
    for (const std::string& line : SplitLines(value)) {
      out << "  | " << line << '\n';
    }
  }
  out << "New lines, then a line \".\" to end; an empty line or \".\" first "
         "keeps the value, \"-\" empties it: "
      << std::flush;
  std::string line;
  if (!ReadLine(in, line)) return false;
  if (line.empty() || line == ".") return true;
  std::string text;
  if (line != "-") {
    for (bool first = true; line != "."; first = false) {
      if (!first) text += "\r\n";
      text += line;
      if (!ReadLine(in, line)) return false;
    }
  }
  controls.SetText(control.id, text);
  return true;
}

}  // namespace

std::string FormControls::GetText(int id) {
  auto it = m_texts.find(id);
  return it != m_texts.end() ? it->second : std::string();
}

void FormControls::SetText(int id, const std::string& text) { m_texts[id] = text; }

void FormControls::AddComboEntry(int id, const std::string& entry) {
  std::vector<std::string>& list = m_lists[id];
  list.insert(std::upper_bound(list.begin(), list.end(), entry, LessNoCase), entry);
}

bool FormControls::SelectComboPrefix(int id, const std::string& prefix) {
  if (prefix.empty()) return false;
  for (const std::string& entry : ComboEntries(id)) {
    if (StartsWithNoCase(entry, prefix)) {
      m_texts[id] = entry;
      return true;
    }
  }
  return false;
}

const std::vector<std::string>& FormControls::ComboEntries(int id) const {
  static const std::vector<std::string> kNone;
  auto it = m_lists.find(id);
  return it != m_lists.end() ? it->second : kNone;
}

DialogRunner::Result RunTerminalForm(CDialog& dialog, std::istream& in, std::ostream& out) {
  FormControls controls;
  dialog.OnInitDialog(controls);
  out << "== " << dialog.Caption() << " ==\n"
      << "An empty line keeps the value shown.\n";
  for (const DialogControl& control : dialog.Layout()) {
    bool answered = false;
    switch (control.kind) {
      case DialogControl::kEdit:
        answered = AskEdit(control, controls, in, out);
        break;
      case DialogControl::kCombo:
        answered = AskCombo(control, controls, in, out);
        break;
      case DialogControl::kMultiLineEdit:
        answered = AskMultiLine(control, controls, in, out);
        break;
    }
    if (!answered) {
      out << '\n';
      return DialogRunner::kCancel;
    }
  }
  for (;;) {
    out << "OK or Cancel? [O/c]: " << std::flush;
    std::string answer;
    if (!ReadLine(in, answer)) {
      out << '\n';
      return DialogRunner::kCancel;
    }
    if (answer.empty() || EqualsNoCase(answer, "o") || EqualsNoCase(answer, "ok")) {
      dialog.OnOK(controls);
      return DialogRunner::kOk;
    }
    if (EqualsNoCase(answer, "c") || EqualsNoCase(answer, "cancel")) {
      return DialogRunner::kCancel;
    }
  }
}

}  // namespace platform
