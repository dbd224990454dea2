#pragma once

#include <cstdint>
#include <string>

#include "platform/plugin/settings_file.h"
#include "stats/contest.h"
#include "stats/contest_facts.h"

namespace stats {

// One results request: sorts the band list, scores every band row, writes
// each counted QSO's points, multiplier mark and serial value into the
// store, and rebuilds `resultsText` (title, one row per band, total, score
// line, then `credit` with no line end). Stores the score under "Claimed" in
// the settings file and returns it. Points are summed in 64 bits; each
// row's points and the score are clamped to the 32-bit range, never wrapped.
int32_t ComputeResults(Contest& contest, const std::string& credit,
                       platform::SettingsFile& settings, std::string* resultsText);

// Sorts labels in place, descending by their text left-padded with '0' to
// 20 characters, so metre bands come longest wavelength first.
void SortBands(BandList& bands);

}  // namespace stats
