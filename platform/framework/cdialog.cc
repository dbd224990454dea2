#include "platform/framework/cdialog.h"

namespace platform {

void DDX_Text(CDataExchange* dx, int id, std::string& value) {
  if (dx->m_bSaveAndValidate) {
    value = dx->m_controls.GetText(id);
  } else {
    dx->m_controls.SetText(id, value);
  }
}

void DDX_CBString(CDataExchange* dx, int id, std::string& value) {
  if (dx->m_bSaveAndValidate) {
    value = dx->m_controls.GetText(id);
  } else if (!dx->m_controls.SelectComboPrefix(id, value)) {
    dx->m_controls.SetText(id, value);
  }
}

void CDialog::OnInitDialog(DialogControls& controls) {
  CDataExchange dx(controls, false);
  DoDataExchange(&dx);
}

void CDialog::OnOK(DialogControls& controls) {
  CDataExchange dx(controls, true);
  DoDataExchange(&dx);
}

}  // namespace platform
