#pragma once

#include <cstdint>
#include <string>

namespace tools {

struct CivilDate {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
};

struct TimeOfDay {
  int hour = 0;    // 0..23
  int minute = 0;  // 0..59
  int second = 0;  // 0..59
};

// Parses an ADIF date "YYYYMMDD": exactly eight digits naming a real
// Gregorian calendar day of the years 1900 to 9999. On failure `problem`
// says why and `date` is unchanged.
bool ParseAdifDate(const std::string& text, CivilDate* date, std::string* problem);

// Parses an ADIF time "HHMM" or "HHMMSS" (exactly four or six digits, hour
// 0-23, minute and second 0-59; seconds are 0 when not given).
bool ParseAdifTime(const std::string& text, TimeOfDay* time, std::string* problem);

// The OLE Automation date of a valid date and time: days since 1899-12-30
// 00:00 plus the seconds of the day divided by 86400. The same fields always
// give the same bits.
double ToOleDate(const CivilDate& date, const TimeOfDay& time);

// The calendar day and time of an OLE Automation date from 1900 on, to the
// nearest second: the inverse of ToOleDate.
void OleToCivil(double ole, CivilDate* date, TimeOfDay* time);

// Parses a frequency in MHz written as decimal digits with at most one '.'
// (like "14.025", "7.0123", ".5" or "3"), with at least one digit, no sign
// and no blanks, into Hz without floating point: "14.025" gives 14025000.
// Digits beyond the sixth decimal (below 1 Hz) are dropped. Values above
// 4294.967295 MHz (the 32-bit Hz range) are refused.
bool ParseFrequencyMhz(const std::string& text, uint32_t* hz, std::string* problem);

// The frequency in MHz with at least three decimals and no trailing zeros
// beyond them: 14025000 gives "14.025", 7012340 gives "7.01234". Parses back
// to the same value.
std::string FormatFrequencyMhz(uint32_t hz);

// The band label without surrounding blanks, in ASCII lower case: "20M"
// gives "20m".
std::string NormalizeBand(const std::string& band);

// The band of the ADIF band table (160m to 70cm, edges inclusive) that holds
// `hz`, as a lower-case label; "" when no band holds it.
std::string BandOfFrequency(uint32_t hz);

// The lower edge in Hz of `band` (a lower-case label of the band table):
// 1800000 for "160m", 14000000 for "20m"; 0 for a band not in the table.
// Handed over for a QSO without FREQ, it appears in a Cabrillo QSO line as
// 1800, 14000 and so on, the convention for an unknown frequency.
uint32_t BandLowerEdgeHz(const std::string& band);

// The mode the plug-in is given for an ADIF MODE: blanks around it dropped,
// ASCII upper case; the phone modes "SSB", "USB" and "LSB" (the last two
// written by older exports) all give "SSB". Whatever else is written passes
// upper-cased, for the plug-in to accept or refuse: "cw " gives "CW", "rtty"
// "RTTY".
std::string HostMode(const std::string& mode);

// The exchange as sent on the air from ADIF's pair of fields: `text`
// (STX_STRING or SRX_STRING) and `serial` (STX or SRX), in ASCII upper case
// and with every blank inside dropped ("015 cd" gives "015CD").
//   - `text` empty or all blanks: `serial`;
//   - `text` without a leading digit while `serial` is a number: the
//     serial's digits as written, then `text` ("15" and "CD" give "15CD",
//     "015" and "CD" give "015CD"; no zeros are added or removed);
//   - otherwise `text` ("015CD" stays "015CD" whatever `serial` holds).
std::string JoinExchange(const std::string& text, const std::string& serial);

// `text` without its blanks around, in ASCII upper case: how calls and
// codes reach the plug-in (" ur5aa " gives "UR5AA").
std::string UpperTrimmed(const std::string& text);

// The multiplier code carried by an exchange: the run of ASCII letters that
// follows the leading decimal digits, as written. "015CD" gives "CD", "RT"
// gives "RT", "015" and "" give "", "015CD7" gives "CD".
std::string MultCodeFromExchange(const std::string& exchange);

// The OLE Automation date of a contest start: `date` as "YYYY-MM-DD" or
// "YYYYMMDD" (the same calendar rules as ParseAdifDate) at `hour` 0-23, on
// the full hour.
bool ContestStartToOle(const std::string& date, int hour, double* ole, std::string* problem);

}  // namespace tools
