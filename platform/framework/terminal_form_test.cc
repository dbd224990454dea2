#include "platform/framework/terminal_form.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "resources/cabrillo_form.h"

namespace platform {
namespace {

class HeaderDialog : public CDialog {
 public:
  HeaderDialog() : CDialog(IDD_CABRILLO) {}
  std::vector<DialogControl> Layout() const override { return CabrilloFormLayout(); }
  const char* Caption() const override { return "CQ UT CONTEST"; }
  void OnInitDialog(DialogControls& controls) override {
    ++inits;
    for (const DialogControl& control : Layout()) {
      for (const char* entry : control.entries) {
        controls.AddComboEntry(control.id, entry);
      }
    }
    CDialog::OnInitDialog(controls);
  }

  std::vector<std::string> Members() const {
    return {contest,        callsign, claimed, catOperator, catBand, catMode, catPower, catAssisted,
            catTransmitter, location, email,   operators,   club,    name,    address,  soapbox};
  }

  int inits = 0;
  std::string contest = "CQ UT CONTEST", callsign = "UT1AA", claimed = "1234", catOperator = "mul",
              catBand = "ALL", catMode = "CW", catPower = "HIGH", catAssisted = "NON-ASSISTED",
              catTransmitter = "ONE", location, email, operators = "UT1AA\r\nUT2BB", club, name,
              address, soapbox = "Old soap";

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, IDC_CONTEST, contest);
    DDX_Text(dx, IDC_CALLSIGN, callsign);
    DDX_Text(dx, IDC_CLAIMED, claimed);
    DDX_CBString(dx, IDC_CAT_OPERATOR, catOperator);
    DDX_CBString(dx, IDC_CAT_BAND, catBand);
    DDX_CBString(dx, IDC_CAT_MODE, catMode);
    DDX_CBString(dx, IDC_CAT_POWER, catPower);
    DDX_CBString(dx, IDC_CAT_ASSISTED, catAssisted);
    DDX_CBString(dx, IDC_CAT_TRANSMITTER, catTransmitter);
    DDX_Text(dx, IDC_LOCATION, location);
    DDX_Text(dx, IDC_EMAIL, email);
    DDX_Text(dx, IDC_OPERATORS, operators);
    DDX_Text(dx, IDC_CLUB, club);
    DDX_Text(dx, IDC_NAME, name);
    DDX_Text(dx, IDC_ADDRESS, address);
    DDX_Text(dx, IDC_SOAPBOX, soapbox);
  }
};

using Member = std::string HeaderDialog::*;

// One answer line (or block of lines) per control in layout order, empty
// unless given.
std::string Answers(const std::map<int, std::string>& answers) {
  std::string script;
  for (const DialogControl& control : CabrilloFormLayout()) {
    auto it = answers.find(control.id);
    script += (it != answers.end() ? it->second : "") + "\n";
  }
  return script;
}

struct FormCase {
  const char* name;
  std::map<int, std::string> answers;
  std::string confirm;  // the rest of the input, after the fields
  DialogRunner::Result result;
  std::vector<std::pair<Member, std::string>> changed;
};

const FormCase kFormCases[] = {
    {"empty lines keep values", {}, "\n", DialogRunner::kOk, {}},
    {"lines replace one-line edits",
     {{IDC_CALLSIGN, "UT2XX"}, {IDC_LOCATION, "KN29"}, {IDC_NAME, " Ivan "}},
     "ok\n",
     DialogRunner::kOk,
     {{&HeaderDialog::callsign, "UT2XX"},
      {&HeaderDialog::location, "KN29"},
      {&HeaderDialog::name, " Ivan "}}},
    {"numbers pick entries of the sorted lists",
     {{IDC_CAT_BAND, "1"},
      {IDC_CAT_MODE, "2"},
      {IDC_CAT_OPERATOR, "3"},
      {IDC_CAT_TRANSMITTER, "3"}},
     "O\n",
     DialogRunner::kOk,
     {{&HeaderDialog::catBand, "10M"},
      {&HeaderDialog::catMode, "MIXED"},
      {&HeaderDialog::catOperator, "SINGLE-OP"},
      {&HeaderDialog::catTransmitter, "UNLIMITED"}}},
    {"other combo text is taken as typed",
     {{IDC_CAT_BAND, "0"},
      {IDC_CAT_MODE, "4"},
      {IDC_CAT_POWER, "MEDIUM"},
      {IDC_CAT_ASSISTED, "assisted"},
      {IDC_CAT_TRANSMITTER, "1x"}},
     "o\n",
     DialogRunner::kOk,
     {{&HeaderDialog::catBand, "0"},
      {&HeaderDialog::catMode, "4"},
      {&HeaderDialog::catPower, "MEDIUM"},
      {&HeaderDialog::catAssisted, "assisted"},
      {&HeaderDialog::catTransmitter, "1x"}}},
    {"multi-line lines are joined with CR LF",
     {{IDC_ADDRESS, "Street 1\nKyiv\n."}, {IDC_SOAPBOX, "One\n\n-\nFour\n."}},
     "\n",
     DialogRunner::kOk,
     {{&HeaderDialog::address, "Street 1\r\nKyiv"},
      {&HeaderDialog::soapbox, "One\r\n\r\n-\r\nFour"}}},
    // As the prompt says: "." first keeps the value, "-" first empties it.
    {"a lone dot keeps a multi-line edit, a dash empties it",
     {{IDC_OPERATORS, "."}, {IDC_SOAPBOX, "-"}},
     "\n",
     DialogRunner::kOk,
     {{&HeaderDialog::soapbox, ""}}},
    {"an unknown confirmation is asked again",
     {{IDC_CALLSIGN, "UT2XX"}},
     "yes\n\n",
     DialogRunner::kOk,
     {{&HeaderDialog::callsign, "UT2XX"}}},
    {"cancel keeps the members",
     {{IDC_CALLSIGN, "UT2XX"}, {IDC_ADDRESS, "Street 1\n."}},
     "c\n\n",
     DialogRunner::kCancel,
     {}},
    {"cancel in words", {{IDC_CAT_BAND, "2"}}, "Cancel\nok\n", DialogRunner::kCancel, {}},
    {"cancel after an unknown confirmation", {}, "x\nC\n\n", DialogRunner::kCancel, {}},
    {"end of input at the confirmation", {{IDC_CALLSIGN, "UT2XX"}}, "", DialogRunner::kCancel, {}},
    {"end of input after an unknown confirmation", {}, "x\n", DialogRunner::kCancel, {}},
};

void PrintTo(const FormCase& c, std::ostream* os) { *os << c.name; }

class TerminalFormCase : public ::testing::TestWithParam<FormCase> {};

TEST_P(TerminalFormCase, SetsMembersOnOkOnly) {
  const FormCase& c = GetParam();
  // LF and CR LF line ends give the same form.
  for (const char* eol : {"\n", "\r\n"}) {
    std::string input;
    for (char ch : Answers(c.answers) + c.confirm) {
      input += ch == '\n' ? std::string(eol) : std::string(1, ch);
    }
    HeaderDialog expected;
    if (c.result == DialogRunner::kOk) expected.catOperator = "MULTI-OP";
    for (const auto& change : c.changed) expected.*change.first = change.second;

    HeaderDialog dialog;
    std::istringstream in(input);
    std::ostringstream out;
    const char* ends = eol[0] == '\r' ? " with CR LF" : "";
    EXPECT_EQ(RunTerminalForm(dialog, in, out), c.result) << c.name << ends;
    EXPECT_EQ(dialog.Members(), expected.Members()) << c.name << ends;
    EXPECT_EQ(dialog.inits, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, TerminalFormCase, ::testing::ValuesIn(kFormCases));

TEST(TerminalFormTest, EndOfInputAnywhereCancels) {
  const std::string script = Answers({{IDC_CALLSIGN, "UT2XX"}, {IDC_ADDRESS, "Street 1\nKyiv\n."}});
  size_t lines = 0;
  for (size_t pos = 0; pos < script.size(); ++pos) {
    if (script[pos] != '\n') continue;
    ++lines;
    HeaderDialog dialog;
    std::istringstream in(script.substr(0, pos + 1));
    std::ostringstream out;
    EXPECT_EQ(RunTerminalForm(dialog, in, out), DialogRunner::kCancel) << "after line " << lines;
    EXPECT_EQ(dialog.Members(), HeaderDialog().Members());
  }
  EXPECT_EQ(lines, CabrilloFormLayout().size() + 2);
}

TEST(TerminalFormTest, ShowsFieldsInOrderWithValuesAndEntries) {
  HeaderDialog dialog;
  std::istringstream in(Answers({}) + "c\n");
  std::ostringstream out;
  RunTerminalForm(dialog, in, out);
  const std::string text = out.str();

  EXPECT_EQ(text.rfind("== CQ UT CONTEST ==\n", 0), 0u) << text;
  size_t at = 0;
  for (const char* shown : {
           "CONTEST [CQ UT CONTEST]: ",
           "CALLSIGN [UT1AA]: ",
           "CLAIMED [1234]: ",
           "CATEGORY-OPERATOR [MULTI-OP]\n"
           "  1) CHECKLOG\n  2) MULTI-OP\n  3) SINGLE-OP\n",
           "CATEGORY-BAND [ALL]\n  1) 10M\n  2) 15M\n  3) 20M\n  4) 40M\n"
           "  5) 80M\n  6) ALL\n",
           "CATEGORY-ASSISTED [NON-ASSISTED]\n",
           "LOCATION []: ",
           "OPERATORS:\n  | UT1AA\n  | UT2BB\n"
           "New lines, then a line \".\" to end; an empty line or \".\" first keeps the "
           "value, \"-\" empties it: ",
           "ADDRESS: (empty)\n",
           "SOAPBOX:\n  | Old soap\n",
           "OK or Cancel? [O/c]: ",
       }) {
    size_t found = text.find(shown, at);
    ASSERT_NE(found, std::string::npos) << shown << "\nin\n" << text;
    at = found;
  }
}

TEST(FormControlsTest, ListsSortWithoutRegardToCase) {
  FormControls controls;
  for (const char* entry : {"b", "A", "c", "a2", "B", "10M", "80M", "ALL"}) {
    controls.AddComboEntry(7, entry);
  }
  EXPECT_EQ(controls.ComboEntries(7),
            (std::vector<std::string>{"10M", "80M", "A", "a2", "ALL", "b", "B", "c"}));
  EXPECT_TRUE(controls.ComboEntries(8).empty());
  EXPECT_EQ(controls.GetText(7), "");
}

TEST(FormControlsTest, SelectComboPrefix) {
  struct Case {
    std::string prefix;
    bool selected;
    std::string text;
  };
  const Case cases[] = {
      {"mul", true, "MULTI-OP"},    {"S", true, "SINGLE-OP"}, {"single-op", true, "SINGLE-OP"},
      {"two", true, "TWO-A"},       {"", false, "kept"},      {"x", false, "kept"},
      {"MULTI-OPS", false, "kept"}, {"ULTI", false, "kept"},
  };
  for (const Case& c : cases) {
    FormControls controls;
    for (const char* entry : {"SINGLE-OP", "TWO-B", "MULTI-OP", "TWO-A"}) {
      controls.AddComboEntry(1, entry);
    }
    controls.SetText(1, "kept");
    EXPECT_EQ(controls.SelectComboPrefix(1, c.prefix), c.selected) << c.prefix;
    EXPECT_EQ(controls.GetText(1), c.text) << c.prefix;
  }
  FormControls empty;
  EXPECT_FALSE(empty.SelectComboPrefix(1, "a"));
}

// Puts `target` in place of descriptor `fd` until destroyed.
class Redirect {
 public:
  Redirect(int fd, int target) : m_fd(fd), m_saved(dup(fd)) {
    std::cout.flush();
    std::fflush(stdout);
    dup2(target, m_fd);
  }
  ~Redirect() {
    std::cout.flush();
    std::fflush(stdout);
    dup2(m_saved, m_fd);
    close(m_saved);
    std::cin.clear();
    std::clearerr(stdin);
  }

 private:
  int m_fd;
  int m_saved;
};

// A pseudo terminal: the form's side is `slave`, the operator's `master`.
struct Pty {
  Pty() {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return;
    slave = open(ptsname(master), O_RDWR | O_NOCTTY);
    termios mode;
    if (slave >= 0 && tcgetattr(slave, &mode) == 0) {
      mode.c_lflag &= ~static_cast<tcflag_t>(ECHO);
      tcsetattr(slave, TCSANOW, &mode);
    }
  }
  ~Pty() {
    if (slave >= 0) close(slave);
    if (master >= 0) close(master);
  }
  std::string ReadShown() {
    std::string shown;
    char buffer[4096];
    pollfd ready = {master, POLLIN, 0};
    while (poll(&ready, 1, 200) > 0 && (ready.revents & POLLIN)) {
      ssize_t got = read(master, buffer, sizeof buffer);
      if (got <= 0) break;
      shown.append(buffer, static_cast<size_t>(got));
    }
    return shown;
  }
  int master = -1;
  int slave = -1;
};

TEST(SystemDialogRunnerTest, CannotShowWithoutTerminals) {
  int null = open("/dev/null", O_RDWR);
  ASSERT_GE(null, 0);
  Pty pty;
  if (pty.slave < 0) GTEST_SKIP() << "no pseudo terminal";
  ASSERT_TRUE(isatty(pty.slave));
  // Should the form run after all, it meets the end of input, not a wait.
  ASSERT_EQ(write(pty.master, "\x04", 1), 1);
  const std::pair<int, int> cases[] = {
      {null, null}, {null, pty.slave}, {pty.slave, null}};  // stdin, stdout
  for (const auto& c : cases) {
    HeaderDialog dialog;
    DialogRunner::Result result;
    {
      Redirect in(STDIN_FILENO, c.first);
      Redirect out(STDOUT_FILENO, c.second);
      result = SystemDialogRunner().RunModal(dialog);
    }
    EXPECT_EQ(result, DialogRunner::kCannotShow);
    EXPECT_EQ(dialog.inits, 0);
  }
  close(null);
}

TEST(SystemDialogRunnerTest, ShowsFormOnTerminalAndAgainAfterEndOfInput) {
  Pty pty;
  if (pty.slave < 0) GTEST_SKIP() << "no pseudo terminal";
  HeaderDialog first;
  HeaderDialog second;
  DialogRunner::Result ended;
  DialogRunner::Result confirmed;
  {
    Redirect in(STDIN_FILENO, pty.slave);
    Redirect out(STDOUT_FILENO, pty.slave);
    ASSERT_EQ(write(pty.master, "UT2XX\n\x04", 7), 7);  // Ctrl-D: end of input
    ended = SystemDialogRunner().RunModal(first);
    std::string script = Answers({{IDC_CALLSIGN, "UT3YY"}}) + "ok\n\x04";
    ASSERT_EQ(write(pty.master, script.data(), script.size()), static_cast<ssize_t>(script.size()));
    confirmed = SystemDialogRunner().RunModal(second);
  }
  EXPECT_EQ(ended, DialogRunner::kCancel);
  EXPECT_EQ(first.inits, 1);
  EXPECT_EQ(first.contest, "CQ UT CONTEST");
  EXPECT_EQ(confirmed, DialogRunner::kOk);
  EXPECT_EQ(second.callsign, "UT3YY");
  EXPECT_NE(pty.ReadShown().find("CALLSIGN [UT1AA]: "), std::string::npos);
}

}  // namespace
}  // namespace platform
