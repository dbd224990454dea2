#include "cabrillo/cabrillo_dialog.h"

#include "resources/cabrillo_form.h"

Cabrillo::Cabrillo() : platform::CDialog(IDD_CABRILLO) {}

std::vector<platform::DialogControl> Cabrillo::Layout() const {
  return CabrilloFormLayout();
}

void Cabrillo::OnInitDialog(platform::DialogControls& controls) {
  for (const platform::DialogControl& control : CabrilloFormLayout()) {
    for (const char* entry : control.entries) controls.AddComboEntry(control.id, entry);
  }
  platform::CDialog::OnInitDialog(controls);
}

void Cabrillo::DoDataExchange(platform::CDataExchange* dx) {
  using platform::DDX_CBString;
  using platform::DDX_Text;
  DDX_Text(dx, IDC_CONTEST, m_contest);
  DDX_Text(dx, IDC_CALLSIGN, m_callsign);
  DDX_Text(dx, IDC_CLAIMED, m_claimed);
  DDX_CBString(dx, IDC_CAT_OPERATOR, m_catOperator);
  DDX_CBString(dx, IDC_CAT_BAND, m_catBand);
  DDX_CBString(dx, IDC_CAT_MODE, m_catMode);
  DDX_CBString(dx, IDC_CAT_POWER, m_catPower);
  DDX_CBString(dx, IDC_CAT_ASSISTED, m_catAssisted);
  DDX_CBString(dx, IDC_CAT_TRANSMITTER, m_catTransmitter);
  DDX_Text(dx, IDC_LOCATION, m_location);
  DDX_Text(dx, IDC_EMAIL, m_email);
  DDX_Text(dx, IDC_OPERATORS, m_operators);
  DDX_Text(dx, IDC_CLUB, m_club);
  DDX_Text(dx, IDC_NAME, m_name);
  DDX_Text(dx, IDC_ADDRESS, m_address);
  DDX_Text(dx, IDC_SOAPBOX, m_soapbox);
}
