#include "cabrillo/cabrillo_dialog.h"

#include "resources/cabrillo_form.h"

namespace cabrillo {

Cabrillo::Cabrillo() : platform::CDialog(IDD_CABRILLO) {}

std::vector<platform::DialogControl> Cabrillo::Layout() const { return CabrilloFormLayout(); }

void Cabrillo::OnInitDialog(platform::DialogControls& controls) {
  for (const platform::DialogControl& control : CabrilloFormLayout()) {
    for (const char* entry : control.entries) controls.AddComboEntry(control.id, entry);
  }
  platform::CDialog::OnInitDialog(controls);
}

void Cabrillo::DoDataExchange(platform::CDataExchange* dx) {
  for (const platform::DialogControl& control : CabrilloFormLayout()) {
    std::string& value = m_values[control.id];
    if (control.kind == platform::DialogControl::kCombo) {
      platform::DDX_CBString(dx, control.id, value);
    } else {
      platform::DDX_Text(dx, control.id, value);
    }
  }
}

}  // namespace cabrillo
