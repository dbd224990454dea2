#pragma once

#include <string>
#include <vector>

#include "platform/cdialog.h"

// The Cabrillo header dialog: one text member per field control, exchanged
// with the controls when the dialog opens and when OK is pressed.
class Cabrillo : public platform::CDialog {
 public:
  Cabrillo();
  ~Cabrillo() override = default;

  std::vector<platform::DialogControl> Layout() const override;
  const char* Caption() const override { return "CQ UT CONTEST"; }
  void OnInitDialog(platform::DialogControls& controls) override;

  std::string m_contest;
  std::string m_callsign;
  std::string m_claimed;
  std::string m_catOperator;
  std::string m_catBand;
  std::string m_catMode;
  std::string m_catPower;
  std::string m_catAssisted;
  std::string m_catTransmitter;
  std::string m_location;
  std::string m_email;
  std::string m_operators;
  std::string m_club;
  std::string m_name;
  std::string m_address;
  std::string m_soapbox;

 protected:
  void DoDataExchange(platform::CDataExchange* dx) override;
};
