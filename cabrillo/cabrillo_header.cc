// Loading, editing and saving the Cabrillo header values.

#include <vector>

#include "cabrillo/cabrillo_dialog.h"
#include "cabrillo/cabrillo_log.h"
#include "cabrillo/file_base.h"
#include "cabrillo/header_fields.h"
#include "cabrillo/replace_all.h"
#include "stats/contest_facts.h"

using stats::kSettingsPath;
using stats::kSettingsSection;

namespace cabrillo {
namespace {

bool Has(const HeaderField& field, unsigned flag) { return (field.flags & flag) != 0; }

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
  return ReplaceAll(ReplaceAll(stored, "<CR>", std::string("\r\n") + tag + ": "), "<LF>", "");
}

// The values an edit starts from.
void StartValues(CCabrilloLog& log, const std::string& callsign, platform::SettingsFile& settings) {
  for (const HeaderField* field : HeaderFieldsBy(&HeaderField::place)) {
    if (Has(*field, kKept)) continue;
    std::string& value = log.*field->member;
    value = field->initial != nullptr ? field->initial : callsign;
    if (!Has(*field, kLoad)) continue;
    value = settings.Read(kSettingsPath, kSettingsSection, field->key, value);
    if (Has(*field, kMultiLine)) value = PlainFromStored(value);
  }
}

void TakeValues(const Cabrillo& dialog, CCabrilloLog& log) {
  for (const HeaderField& field : kHeaderFields) {
    if (!Has(field, kShownOnly)) log.*field.member = dialog.m_values.at(field.control);
  }
}

void SaveValues(const CCabrilloLog& log, platform::SettingsFile& settings) {
  for (const HeaderField* field : HeaderFieldsBy(&HeaderField::place)) {
    if (!Has(*field, kSave)) continue;
    const std::string& value = log.*field->member;
    settings.Write(kSettingsPath, kSettingsSection, field->key,
                   Has(*field, kMultiLine) ? StoredFromPlain(value) : value);
  }
}

// A cancelled dialog still leaves header form: continuation lines without
// their tag would make the log file invalid.
void ToHeaderForm(CCabrilloLog& log) {
  for (const HeaderField& field : kHeaderFields) {
    if (!Has(field, kMultiLine)) continue;
    std::string& value = log.*field.member;
    value = HeaderFromStored(StoredFromPlain(value), field.tag);
  }
}

}  // namespace

int CCabrilloLog::EditHeader(const std::string& callsign, platform::SettingsFile& settings,
                             platform::DialogRunner& dialogs) {
  m_fileBase = CabrilloFileBase(callsign);
  StartValues(*this, callsign, settings);
  Cabrillo dialog;
  for (const HeaderField& field : kHeaderFields) {
    dialog.m_values[field.control] = this->*field.member;
  }
  const bool confirmed = dialogs.RunModal(dialog) == platform::DialogRunner::kOk;
  if (confirmed) {
    TakeValues(dialog, *this);
    SaveValues(*this, settings);
    m_qsoLines.clear();
  }
  ToHeaderForm(*this);
  return confirmed ? 1 : 0;
}

}  // namespace cabrillo
