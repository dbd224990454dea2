// Loading, editing and saving the Cabrillo header values.

#include "cabrillo/cabrillo_dialog.h"
#include "cabrillo/cabrillo_log.h"
#include "cabrillo/file_base.h"
#include "cabrillo/replace_all.h"
#include "stats/scoring.h"

namespace {

// Stored form keeps a multi-line value on one settings line.
std::string PlainFromStored(const std::string& stored) {
  return ReplaceAll(ReplaceAll(stored, "<CR>", "\r"), "<LF>", "\n");
}

std::string StoredFromPlain(const std::string& plain) {
  return ReplaceAll(ReplaceAll(plain, "\r", "<CR>"), "\n", "<LF>");
}

// Header form: each line break followed by the tag, ready to be written
// after one tag as several header lines.
std::string HeaderFromStored(const std::string& stored, const char* tag) {
  return ReplaceAll(ReplaceAll(stored, "<CR>", std::string("\r\n") + tag + ": "), "<LF>",
                    "");
}

}  // namespace

int CCabrilloLog::EditHeader(const std::string& callsign,
                             platform::SettingsFile& settings,
                             platform::DialogRunner& dialogs) {
  m_callsign = callsign;
  m_fileBase = CabrilloFileBase(callsign);

  auto read = [&](const char* key, const std::string& fallback) {
    return settings.Read(kSettingsPath, kSettingsSection, key, fallback);
  };
  m_operators = PlainFromStored(read("Operators", callsign));
  m_name = read("Name", "");
  m_address = PlainFromStored(read("Address", ""));
  m_claimed = read("Claimed", "");
  m_contest = "CQ UT CONTEST";
  m_catOperator = "SINGLE-OP";
  m_catBand = "ALL";
  m_catMode = "CW";
  m_catPower = "HIGH";
  m_catAssisted = "NON-ASSISTED";
  m_catTransmitter = "ONE";
  m_email = read("Email", "");
  m_club = read("Club", "");
  m_soapbox = PlainFromStored(read("SoapBox", ""));

  Cabrillo dialog;
  dialog.m_contest = m_contest;
  dialog.m_callsign = callsign;
  dialog.m_claimed = m_claimed;
  dialog.m_catOperator = m_catOperator;
  dialog.m_catBand = m_catBand;
  dialog.m_catMode = m_catMode;
  dialog.m_catPower = m_catPower;
  dialog.m_catAssisted = m_catAssisted;
  dialog.m_catTransmitter = m_catTransmitter;
  dialog.m_location = m_location;
  dialog.m_email = m_email;
  dialog.m_operators = m_operators;
  dialog.m_club = m_club;
  dialog.m_name = m_name;
  dialog.m_address = m_address;
  dialog.m_soapbox = m_soapbox;

  const bool confirmed = dialogs.RunModal(dialog) == platform::DialogRunner::kOk;
  if (confirmed) {
    m_callsign = dialog.m_callsign;
    m_operators = dialog.m_operators;
    m_catOperator = dialog.m_catOperator;
    m_catBand = dialog.m_catBand;
    m_catMode = dialog.m_catMode;
    m_catPower = dialog.m_catPower;
    m_catAssisted = dialog.m_catAssisted;
    m_catTransmitter = dialog.m_catTransmitter;
    m_location = dialog.m_location;
    m_name = dialog.m_name;
    m_address = dialog.m_address;
    m_contest = dialog.m_contest;
    m_email = dialog.m_email;
    m_club = dialog.m_club;
    m_soapbox = dialog.m_soapbox;
  }

  m_operators = StoredFromPlain(m_operators);
  m_address = StoredFromPlain(m_address);
  m_soapbox = StoredFromPlain(m_soapbox);

  if (confirmed) {
    auto write = [&](const char* key, const std::string& value) {
      settings.Write(kSettingsPath, kSettingsSection, key, value);
    };
    write("Operators", m_operators);
    write("Name", m_name);
    write("Address", m_address);
    write("Category", m_catOperator);
    write("Contest", m_contest);
    write("Email", m_email);
    write("Club", m_club);
    write("SoapBox", m_soapbox);
  }

  // A cancelled dialog still leaves header form: continuation lines without
  // their tag would make the log file invalid.
  m_soapbox = HeaderFromStored(m_soapbox, "SOAPBOX");
  m_address = HeaderFromStored(m_address, "ADDRESS");
  m_operators = HeaderFromStored(m_operators, "OPERATORS");

  if (!confirmed) return 0;
  m_qsoLines.clear();
  return 1;
}
