#pragma once

#include <string>

namespace cabrillo {

// Base name of the Cabrillo log file for an own callsign: "/" and "\" become
// "_", surrounding white space goes, and an empty result is "TAVIN". So that
// the name cannot point elsewhere, every character that Windows forbids in
// file names also becomes "_", and a device name (CON, PRN, AUX, NUL,
// COM1-COM9, LPT1-LPT9, any case) before the first dot gets "_" after it.
std::string CabrilloFileBase(const std::string& callsign);

}  // namespace cabrillo
