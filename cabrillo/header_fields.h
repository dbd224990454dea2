#pragma once

#include <string>

#include "cabrillo/cabrillo_log.h"

namespace cabrillo {

// One field of the Cabrillo header: the dialog control that shows it, its
// header line, the CCabrilloLog member that holds it and its settings key.
struct HeaderField {
  enum Flag : unsigned {
    kLoad = 1u << 0,       // an edit starts from the settings file's value
    kSave = 1u << 1,       // OK writes the value to the settings file
    kShownOnly = 1u << 2,  // OK leaves the value as it was
    kKept = 1u << 3,       // an edit starts from the last edit's value
    kMultiLine = 1u << 4,  // several lines: "<CR>" and "<LF>" in the settings
                           // file, one header line each in the log
    kScore = 1u << 5,      // the header line gives the claimed score instead
  };

  int control;                        // id of the dialog control
  const char* tag;                    // of the header line; nullptr: no line
  std::string CCabrilloLog::*member;  // holds the value
  const char* key;                    // in the settings file; nullptr: none
  // Keys are read and written in the order of their places, from 1; the
  // order fixes where keys new to the file go.
  int place;
  unsigned flags;  // Flag bits
  // What an edit starts from without kLoad or kKept, and with kLoad when the
  // file lacks `key`; nullptr: the callsign handed to EditHeader.
  const char* initial;
};

// The sixteen fields in the order of the header lines; the dialog's order is
// the form's.
extern const HeaderField kHeaderFields[16];

}  // namespace cabrillo
