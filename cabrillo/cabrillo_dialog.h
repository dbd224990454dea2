#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/framework/cdialog.h"
#include "stats/contest_facts.h"

namespace cabrillo {

// The Cabrillo header dialog: the text of each field control, exchanged with
// the controls when the dialog opens and when OK is pressed.
class Cabrillo : public platform::CDialog {
 public:
  Cabrillo();
  ~Cabrillo() override = default;

  std::vector<platform::DialogControl> Layout() const override;
  const char* Caption() const override { return stats::kContestName; }
  void OnInitDialog(platform::DialogControls& controls) override;

  std::map<int, std::string> m_values;  // by control id; absent: empty

 protected:
  void DoDataExchange(platform::CDataExchange* dx) override;
};

}  // namespace cabrillo
