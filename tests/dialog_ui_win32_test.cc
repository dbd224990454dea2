// The Cabrillo header dialog shown for real from its template: the test runs
// it modally on the main thread while a second thread plays the operator.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "cabrillo/cabrillo_dialog.h"
#include "platform/framework/cdialog.h"
#include "resources/cabrillo_dialog_ids.h"
#include "resources/cabrillo_form.h"

using cabrillo::Cabrillo;

namespace {

using platform::DialogControl;
using platform::DialogRunner;
using Values = std::map<int, std::string>;

constexpr char kCaption[] = "CQ UT CONTEST";

// The plug-in's header dialog holding `values`.
class HeaderDialog : public Cabrillo {
 public:
  explicit HeaderDialog(const Values& values) { m_values = values; }
};

// What EditHeader puts into a dialog when no settings file exists.
Values FreshValues() {
  return {{IDC_CONTEST, "CQ UT CONTEST"}, {IDC_CALLSIGN, "UR5ABC"},
          {IDC_CLAIMED, "1234"},          {IDC_CAT_OPERATOR, "SINGLE-OP"},
          {IDC_CAT_BAND, "ALL"},          {IDC_CAT_MODE, "CW"},
          {IDC_CAT_POWER, "HIGH"},        {IDC_CAT_ASSISTED, "NON-ASSISTED"},
          {IDC_CAT_TRANSMITTER, "ONE"},   {IDC_OPERATORS, "UR5ABC"}};
}

std::string TextOf(HWND window) {
  LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
  LRESULT copied =
      SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(std::max<LRESULT>(copied, 0)));
  return text;
}

std::string ClassOf(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

void SetText(HWND dialog, int id, const std::string& text) {
  SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Press(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Polls `done` for up to `ms` milliseconds.
bool WaitFor(const std::function<bool()>& done, int ms) {
  for (int waited = 0; waited < ms; waited += 20) {
    if (done()) return true;
    Sleep(20);
  }
  return done();
}

struct Search {
  DWORD thread;
  HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param) {
  Search* search = reinterpret_cast<Search*>(param);
  if (GetWindowThreadProcessId(window, nullptr) != search->thread || !IsWindowVisible(window) ||
      ClassOf(window) != "#32770" || TextOf(window) != kCaption) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

struct DrivenRun {
  DialogRunner::Result result;
  bool shown;     // the dialog appeared to the operator
  bool leftOpen;  // the operator's actions did not close it
};

// Runs `dialog` with SystemDialogRunner on this thread; once it is visible,
// `operate` acts on it from a second thread. A dialog still open a few
// seconds later is cancelled so that a failure cannot hang the test.
DrivenRun RunDriven(platform::CDialog& dialog, const std::function<void(HWND)>& operate) {
  Search search{GetCurrentThreadId(), nullptr};
  std::atomic<bool> shown{false};
  std::atomic<bool> leftOpen{false};
  std::thread driver([&] {
    WaitFor(
        [&] {
          EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
          return search.found != nullptr;
        },
        10000);
    if (search.found == nullptr) return;
    HWND window = search.found;
    shown = true;
    operate(window);
    if (!WaitFor([&] { return !IsWindow(window); }, 5000)) {
      leftOpen = true;
      PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    }
  });
  DialogRunner::Result result = platform::SystemDialogRunner().RunModal(dialog);
  driver.join();
  return {result, shown, leftOpen};
}

struct ControlView {
  std::string windowClass;  // empty when the id does not exist
  DWORD style = 0;
  DWORD exStyle = 0;
  std::string label;  // the label just before the control
  std::string text;
  RECT rect{};                       // in the dialog's client coordinates; a combo closed
  std::vector<std::string> entries;  // a combo's list, in list order
  bool listShowsAll = false;         // the dropped list is tall enough for them
};

struct DialogView {
  std::string fontFace;
  LONG fontHeight = 0;
  SIZE client{};
  SIZE templateSize{};        // 255 x 314 dialog units in pixels
  std::vector<int> tabOrder;  // ids of the controls other than labels
  std::map<int, ControlView> controls;
};

DialogView Inspect(HWND dialog) {
  DialogView view;
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
  view.fontFace = font.lfFaceName;
  view.fontHeight = font.lfHeight;
  RECT client{};
  GetClientRect(dialog, &client);
  view.client = {client.right, client.bottom};
  RECT units{0, 0, 255, 314};
  MapDialogRect(dialog, &units);
  view.templateSize = {units.right, units.bottom};

  std::string label;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == "Static") {
      label = TextOf(child);
      continue;
    }
    int id = GetDlgCtrlID(child);
    ControlView& control = view.controls[id];
    view.tabOrder.push_back(id);
    control.windowClass = ClassOf(child);
    control.style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
    control.exStyle = static_cast<DWORD>(GetWindowLongA(child, GWL_EXSTYLE));
    control.label = label;
    control.text = TextOf(child);
    GetWindowRect(child, &control.rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&control.rect), 2);
    label.clear();
    if (control.windowClass != "ComboBox") continue;
    LRESULT count = SendMessageA(child, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      char entry[64] = "";
      SendMessageA(child, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
      control.entries.push_back(entry);
    }
    RECT dropped{};
    SendMessageA(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    LRESULT itemHeight = SendMessageA(child, CB_GETITEMHEIGHT, 0, 0);
    control.listShowsAll = dropped.bottom - dropped.top >= count * itemHeight;
  }
  return view;
}

bool HasAll(DWORD style, DWORD bits) { return (style & bits) == bits; }

// Shows `dialog`, reads it as drawn, then presses `button`.
DialogView InspectThenPress(HeaderDialog& dialog, int button, DrivenRun* run) {
  DialogView view;
  *run = RunDriven(dialog, [&](HWND window) {
    view = Inspect(window);
    Press(window, button);
  });
  return view;
}

TEST(CabrilloDialogUi, TemplateShowsTheFormInOrder) {
  HeaderDialog dialog(FreshValues());
  DrivenRun run;
  DialogView view = InspectThenPress(dialog, IDCANCEL, &run);
  ASSERT_TRUE(run.shown) << "no visible #32770 window captioned " << kCaption;
  EXPECT_EQ(DialogRunner::kCancel, run.result);

  EXPECT_EQ("MS Sans Serif", view.fontFace);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(-MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72), view.fontHeight);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(view.templateSize.cx, view.client.cx);
  EXPECT_EQ(view.templateSize.cy, view.client.cy);

  std::vector<int> expectedOrder;
  for (const DialogControl& control : CabrilloFormLayout()) {
    expectedOrder.push_back(control.id);
  }
  expectedOrder.push_back(IDOK);
  expectedOrder.push_back(IDCANCEL);
  EXPECT_EQ(expectedOrder, view.tabOrder);

  Values fresh = FreshValues();
  for (const DialogControl& control : CabrilloFormLayout()) {
    SCOPED_TRACE(control.label);
    const ControlView& shown = view.controls[control.id];
    DWORD style = shown.style;
    EXPECT_EQ(control.label, shown.label);
    EXPECT_EQ(fresh[control.id], shown.text);
    EXPECT_TRUE(HasAll(style, WS_TABSTOP | WS_VISIBLE));
    EXPECT_FALSE(style & WS_DISABLED);
    if (control.kind == DialogControl::kCombo) {
      EXPECT_EQ("ComboBox", shown.windowClass);
      EXPECT_EQ(static_cast<DWORD>(CBS_DROPDOWN), style & 0x3);
      // WS_VSCROLL cannot be seen here: the combo hands it to its list,
      // which hides it while all entries fit.
      EXPECT_TRUE(HasAll(style, CBS_SORT | CBS_AUTOHSCROLL));
      EXPECT_TRUE(shown.listShowsAll);
      std::vector<std::string> sorted(control.entries.begin(), control.entries.end());
      std::sort(sorted.begin(), sorted.end());
      EXPECT_EQ(sorted, shown.entries);
      continue;
    }
    EXPECT_EQ("Edit", shown.windowClass);
    // An edit trades WS_BORDER for the sunken client edge when created.
    EXPECT_TRUE((style & WS_BORDER) || (shown.exStyle & WS_EX_CLIENTEDGE));
    if (control.kind == DialogControl::kEdit) {
      EXPECT_TRUE(style & ES_AUTOHSCROLL);
      EXPECT_FALSE(style & (ES_MULTILINE | ES_WANTRETURN));
    } else {
      EXPECT_TRUE(HasAll(style, ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL));
      EXPECT_EQ(!control.enterConfirms, (style & ES_WANTRETURN) != 0);
    }
  }

  EXPECT_EQ("Button", view.controls[IDOK].windowClass);
  EXPECT_EQ("OK", view.controls[IDOK].text);
  EXPECT_EQ(static_cast<DWORD>(BS_DEFPUSHBUTTON), view.controls[IDOK].style & BS_TYPEMASK);
  EXPECT_EQ("Button", view.controls[IDCANCEL].windowClass);
  EXPECT_EQ("CANCEL", view.controls[IDCANCEL].text);
}

TEST(CabrilloDialogUi, ControlsFitWithoutOverlapping) {
  HeaderDialog dialog(FreshValues());
  DrivenRun run;
  DialogView view = InspectThenPress(dialog, IDCANCEL, &run);
  ASSERT_TRUE(run.shown);
  RECT client{0, 0, view.client.cx, view.client.cy};
  for (const auto& [id, control] : view.controls) {
    RECT inside{};
    IntersectRect(&inside, &control.rect, &client);
    EXPECT_TRUE(EqualRect(&inside, &control.rect)) << id << " sticks out";
    for (const auto& [otherId, other] : view.controls) {
      RECT common{};
      if (otherId <= id) continue;
      EXPECT_FALSE(IntersectRect(&common, &control.rect, &other.rect))
          << id << " overlaps " << otherId;
    }
  }
  const RECT& callsign = view.controls[IDC_CALLSIGN].rect;
  const RECT& claimed = view.controls[IDC_CLAIMED].rect;
  EXPECT_EQ(callsign.top, claimed.top);
  EXPECT_GT(claimed.left, callsign.right);
}

TEST(CabrilloDialogUi, ComboShowsFirstEntryBeginningWithItsValue) {
  struct Case {
    int id;
    const char* member;
    const char* shown;
  };
  const Case cases[] = {
      {IDC_CAT_OPERATOR, "mul", "MULTI-OP"},  // any case
      {IDC_CAT_BAND, "1", "10M"},             // first in sorted order
      {IDC_CAT_MODE, "", ""},
      {IDC_CAT_POWER, "Q", "QRP"},
      {IDC_CAT_ASSISTED, "non-assisted", "NON-ASSISTED"},
      {IDC_CAT_TRANSMITTER, "SO2R", "SO2R"},  // no entry begins with it
  };
  Values values;
  for (const Case& c : cases) values[c.id] = c.member;
  HeaderDialog dialog(values);
  DrivenRun run;
  DialogView view = InspectThenPress(dialog, IDOK, &run);
  ASSERT_TRUE(run.shown);
  EXPECT_EQ(DialogRunner::kOk, run.result);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.member);
    EXPECT_EQ(c.shown, view.controls[c.id].text);
    EXPECT_EQ(c.shown, dialog.m_values[c.id]) << "OK takes the edit field";
  }
}

// What an operator might type into every field; multi-line fields get CR LF.
Values TypedValues() {
  return {{IDC_CONTEST, "UT DX TEST"},
          {IDC_CALLSIGN, "UR5ABC/P"},
          {IDC_CLAIMED, "999"},
          {IDC_CAT_OPERATOR, "CHECKLOG"},
          {IDC_CAT_BAND, "20M"},
          {IDC_CAT_MODE, "ssb"},
          {IDC_CAT_POWER, "QRP"},
          {IDC_CAT_ASSISTED, "ASSISTED"},
          {IDC_CAT_TRANSMITTER, "SO2R"},
          {IDC_LOCATION, "KYIV"},
          {IDC_EMAIL, "ur5abc@" + std::string(300, 'x') + ".example"},
          {IDC_OPERATORS, "UR5ABC\r\nUT2XYZ"},
          {IDC_CLUB, "Kyiv Radio Club"},
          {IDC_NAME, "Taras Example"},
          {IDC_ADDRESS, "Street 1\r\nKyiv"},
          {IDC_SOAPBOX, "Line one\r\nLine two\r\nLine three"}};
}

TEST(CabrilloDialogUi, OkDeliversWhatWasTyped) {
  HeaderDialog dialog(FreshValues());
  Values typed = TypedValues();
  DrivenRun run = RunDriven(dialog, [&](HWND window) {
    for (const auto& [id, text] : typed) SetText(window, id, text);
    Press(window, IDOK);
  });
  ASSERT_TRUE(run.shown);
  EXPECT_FALSE(run.leftOpen);
  EXPECT_EQ(DialogRunner::kOk, run.result);
  EXPECT_EQ(typed, dialog.m_values);
}

TEST(CabrilloDialogUi, TypingPastTheFieldWidthKeepsEveryCharacter) {
  const std::string longText = "UR5ABC UT2XYZ US0AAA UX1BBB UY7CCC UZ9DDD EM5EEE EN3FFF EO8GGG";
  HeaderDialog dialog(FreshValues());
  DrivenRun run = RunDriven(dialog, [&](HWND window) {
    for (const DialogControl& control : CabrilloFormLayout()) {
      if (control.kind == DialogControl::kMultiLineEdit) continue;
      HWND field = GetDlgItem(window, control.id);
      if (control.kind == DialogControl::kCombo) {
        field = FindWindowExA(field, nullptr, "Edit", nullptr);
      }
      SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
      for (char c : longText) PostMessageA(field, WM_CHAR, c, 1);
    }
    Press(window, IDOK);
  });
  ASSERT_TRUE(run.shown);
  EXPECT_EQ(DialogRunner::kOk, run.result);
  for (const DialogControl& control : CabrilloFormLayout()) {
    if (control.kind == DialogControl::kMultiLineEdit) continue;
    EXPECT_EQ(longText, dialog.m_values[control.id]) << control.label;
  }
}

struct CancelWay {
  const char* name;
  void (*act)(HWND dialog);
};

class CabrilloDialogCancel : public testing::TestWithParam<CancelWay> {};

TEST_P(CabrilloDialogCancel, LeavesMembersUnchanged) {
  HeaderDialog dialog(FreshValues());
  DrivenRun run = RunDriven(dialog, [&](HWND window) {
    for (const auto& [id, text] : TypedValues()) SetText(window, id, text);
    GetParam().act(window);
  });
  ASSERT_TRUE(run.shown);
  EXPECT_FALSE(run.leftOpen);
  EXPECT_EQ(DialogRunner::kCancel, run.result);
  Values fresh = FreshValues();
  for (const DialogControl& control : CabrilloFormLayout()) fresh[control.id];
  EXPECT_EQ(fresh, dialog.m_values);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, CabrilloDialogCancel,
    testing::Values(CancelWay{"CancelButton", [](HWND window) { Press(window, IDCANCEL); }},
                    CancelWay{"Escape",
                              [](HWND window) {
                                PostMessageA(GetDlgItem(window, IDC_NAME), WM_KEYDOWN, VK_ESCAPE,
                                             1);
                              }},
                    CancelWay{
                        "CloseBox",
                        [](HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); }}),
    [](const testing::TestParamInfo<CancelWay>& info) { return std::string(info.param.name); });

struct EnterCase {
  const char* name;
  int id;
  const char* before;
  bool confirms;      // Enter presses OK instead of breaking the line
  const char* after;  // the member after the dialog ended with OK
};

class CabrilloDialogEnter : public testing::TestWithParam<EnterCase> {};

TEST_P(CabrilloDialogEnter, BreaksTheLineOrConfirms) {
  const EnterCase& c = GetParam();
  Values values = FreshValues();
  values[c.id] = c.before;
  HeaderDialog dialog(values);
  bool focused = false;
  bool stillOpen = false;
  DrivenRun run = RunDriven(dialog, [&](HWND window) {
    HWND field = GetDlgItem(window, c.id);
    SendMessageA(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui);
    focused = gui.hwndFocus == field;
    int end = static_cast<int>(strlen(c.before));
    SendMessageA(field, EM_SETSEL, end, end);
    PostMessageA(gui.hwndFocus, WM_KEYDOWN, VK_RETURN, 1);
    // The line break arrives as a character posted after the key.
    WaitFor([&] { return !IsWindowVisible(window) || TextOf(field) != c.before; }, 3000);
    stillOpen = IsWindowVisible(window);
    if (stillOpen) Press(window, IDOK);
  });
  ASSERT_TRUE(run.shown);
  EXPECT_TRUE(focused);
  EXPECT_FALSE(run.leftOpen);
  EXPECT_EQ(DialogRunner::kOk, run.result);
  EXPECT_EQ(!c.confirms, stillOpen);
  EXPECT_EQ(c.after, dialog.m_values[c.id]);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CabrilloDialogEnter,
    testing::Values(EnterCase{"Address", IDC_ADDRESS, "Street 1", false, "Street 1\r\n"},
                    EnterCase{"Soapbox", IDC_SOAPBOX, "73", false, "73\r\n"},
                    EnterCase{"Operators", IDC_OPERATORS, "UR5ABC", true, "UR5ABC"},
                    EnterCase{"Name", IDC_NAME, "Taras", true, "Taras"}),
    [](const testing::TestParamInfo<EnterCase>& info) { return std::string(info.param.name); });

TEST(CabrilloDialogUi, MissingTemplateCannotBeShown) {
  class NoTemplate : public platform::CDialog {
   public:
    NoTemplate() : CDialog(9999) {}
    std::vector<DialogControl> Layout() const override { return {}; }
    const char* Caption() const override { return kCaption; }

   protected:
    void DoDataExchange(platform::CDataExchange*) override {}
  } dialog;
  EXPECT_EQ(DialogRunner::kCannotShow, platform::SystemDialogRunner().RunModal(dialog));
}

class ThrowingDialog : public HeaderDialog {
 public:
  explicit ThrowingDialog(bool onSave) : HeaderDialog(FreshValues()), m_onSave(onSave) {}

 protected:
  void DoDataExchange(platform::CDataExchange* dx) override {
    if (dx->m_bSaveAndValidate == m_onSave) {
      throw std::runtime_error("exchange");
    }
    HeaderDialog::DoDataExchange(dx);
  }

 private:
  bool m_onSave;
};

TEST(CabrilloDialogUi, ExceptionInDataExchangeEndsAsCancel) {
  ThrowingDialog onOpen(false);
  EXPECT_EQ(DialogRunner::kCancel, platform::SystemDialogRunner().RunModal(onOpen));

  ThrowingDialog onOk(true);
  DrivenRun run = RunDriven(onOk, [](HWND window) { Press(window, IDOK); });
  ASSERT_TRUE(run.shown);
  EXPECT_EQ(DialogRunner::kCancel, run.result);
}

// Not a check: keeps a filled-in dialog on the screen for
// tests/dialog_screenshot.sh (DIALOG_HOLD_SECONDS, default 8).
TEST(CabrilloDialogUi, DISABLED_HoldOpenForScreenshot) {
  Values values = FreshValues();
  values[IDC_OPERATORS] = "UR5ABC\r\nUT2XYZ";
  values[IDC_EMAIL] = "ur5abc@example.org";
  values[IDC_CLUB] = "Kyiv Radio Club";
  values[IDC_NAME] = "Taras Example";
  values[IDC_ADDRESS] = "Street 1\r\nKyiv";
  values[IDC_SOAPBOX] = "Nice contest, 73!\r\nThanks to all";
  HeaderDialog dialog(values);
  char seconds[16] = "8";
  GetEnvironmentVariableA("DIALOG_HOLD_SECONDS", seconds, sizeof seconds);
  DrivenRun run = RunDriven(dialog, [&](HWND window) {
    Sleep(1000 * std::max(1, atoi(seconds)));
    Press(window, IDCANCEL);
  });
  EXPECT_TRUE(run.shown);
}

}  // namespace
