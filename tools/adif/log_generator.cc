#include "tools/adif/log_generator.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "platform/framework/ole_date_time.h"
#include "stats/contest_facts.h"
#include "tools/adif/adif_values.h"

using platform::CalendarFields;
using platform::OleDateToCalendar;

namespace tools {
namespace {

constexpr uint32_t kContestSeconds = stats::kTourCount * stats::kTourHours * 3600;
constexpr size_t kRecentQsos = 256;
constexpr uint32_t kReofferPerMille = 30;
constexpr uint32_t kRepeatPerMille = 20;
constexpr uint32_t kRunChangePerMille = 50;

struct BandPlan {
  const char* label;
  uint32_t cwLowKhz, cwHighKhz, ssbLowKhz, ssbHighKhz;
  uint32_t weight;
};

const BandPlan kBands[] = {{"80m", 3500, 3570, 3600, 3775, 30},
                           {"40m", 7000, 7040, 7060, 7200, 35},
                           {"20m", 14000, 14070, 14125, 14300, 25},
                           {"15m", 21000, 21070, 21151, 21400, 7},
                           {"10m", 28000, 28070, 28300, 28600, 3}};
const char* const kPrefixes[] = {"UR", "US", "UT", "UV", "UW", "UX", "UY", "UZ", "EM", "EN", "EO"};
const char* const kOblastCodes[] = {"CH", "CN", "CR", "DN", "DO", "HA", "HE", "HM", "IF",
                                    "KI", "KO", "KR", "KV", "LU", "LV", "NI", "OD", "PO",
                                    "RI", "SL", "SU", "TE", "VI", "VO", "ZA", "ZH"};

std::string Serial(uint32_t number, const std::string& code) {
  char text[16];
  std::snprintf(text, sizeof text, "%03u", static_cast<unsigned>(number));
  return text + code;
}

// The codes of `count` stations' areas: the own one, the oblast codes, then
// "AA", "AB" and on, each once.
std::vector<std::string> MultCodes(const std::string& own, size_t count) {
  std::vector<std::string> codes{own};
  for (const char* code : kOblastCodes) {
    if (codes.size() < count && code != own) codes.push_back(code);
  }
  for (uint32_t i = 0; codes.size() < count; ++i) {
    const std::string code{static_cast<char>('A' + i / 26 % 26), static_cast<char>('A' + i % 26)};
    if (code != own) codes.push_back(code);
  }
  return codes;
}

// `ole` to the whole second, with the bits that the ADIF reader gives the
// same date and time.
double WholeSecond(double ole) {
  CivilDate date;
  TimeOfDay time;
  OleToCivil(ole, &date, &time);
  return ToOleDate(date, time);
}

}  // namespace

uint32_t DrawBelow(std::mt19937* engine, uint32_t bound) {
  if (bound == 0) return 0;
  // Rejecting the top partial block keeps every residue equally likely.
  const uint64_t range = uint64_t{1} << 32;
  const uint64_t limit = range - range % bound;
  uint64_t value;
  do {
    value = static_cast<uint32_t>((*engine)());
  } while (value >= limit);
  return static_cast<uint32_t>(value % bound);
}

ContestLog::ContestLog(const ContestLogOptions& options)
    : m_options(options), m_engine(options.seed) {
  const std::vector<std::string> codes = MultCodes(options.ownMultCode, options.multCodeCount);
  const size_t stationCount = options.stationCount != 0
                                  ? options.stationCount
                                  : std::max<size_t>(10, options.qsoCount * 3 / 4);
  std::set<std::string> calls{options.ownCall};
  while (m_stations.size() < stationCount) {
    Station s;
    s.call = kPrefixes[Below(11)] + std::to_string(Below(10));
    for (uint32_t k = 0, n = Chance(400) ? 2 : 3; k < n; ++k) {
      s.call += static_cast<char>('A' + Below(26));
    }
    if (!calls.insert(s.call).second) continue;
    s.code = codes[Below(static_cast<uint32_t>(codes.size()))];
    s.group = "G" + std::to_string(1 + Below(5));
    s.sendsRt = Chance(10);
    m_stations.push_back(std::move(s));
  }
  m_recent.reserve(kRecentQsos);
}

bool ContestLog::Next(AdifQso* qso) {
  if (m_given == m_options.qsoCount) return false;
  const uint32_t kind = Below(1000);
  if (kind < kReofferPerMille && !m_recent.empty()) {
    *qso = m_recent[Below(static_cast<uint32_t>(m_recent.size()))].qso;
  } else if (kind < kReofferPerMille + kRepeatPerMille && !m_recent.empty()) {
    const Recent earlier = m_recent[Below(static_cast<uint32_t>(m_recent.size()))];
    Fill(qso, earlier.station, earlier.band, earlier.cw, earlier.qso.freqHz);
    Remember(*qso, earlier.station, earlier.band, earlier.cw);
  } else {
    if (m_runHz == 0 || Chance(kRunChangePerMille)) NewRun();
    const uint32_t station = Below(static_cast<uint32_t>(m_stations.size()));
    Fill(qso, station, m_band, m_cw, m_runHz);
    if (kind >= 1000 - m_options.refusedPerMille) {
      const uint32_t how = Below(3);
      if (how == 0) qso->mode = "RTTY";
      if (how == 1) qso->mode = "cw";
      if (how == 2) qso->exchRcvd.clear();
      qso->multCode = MultCodeFromExchange(qso->exchRcvd);
    } else {
      Remember(*qso, station, m_band, m_cw);
    }
  }
  ++m_given;
  return true;
}

void ContestLog::NewRun() {
  uint32_t draw = Below(100);
  for (m_band = 0; draw >= kBands[m_band].weight; ++m_band) draw -= kBands[m_band].weight;
  m_cw = Chance(550);
  const BandPlan& plan = kBands[m_band];
  m_runHz = m_cw ? (plan.cwLowKhz + Below(plan.cwHighKhz - plan.cwLowKhz)) * 1000
                 : (plan.ssbLowKhz + Below(plan.ssbHighKhz - plan.ssbLowKhz)) * 1000;
}

void ContestLog::Fill(AdifQso* qso, uint32_t stationIndex, size_t band, bool cw, uint32_t freqHz) {
  Station& station = m_stations[stationIndex];
  const uint32_t seconds =
      static_cast<uint32_t>(uint64_t{kContestSeconds} * m_given / m_options.qsoCount);
  qso->call = station.call;
  qso->time = WholeSecond(m_options.start + seconds / 86400.0);
  qso->freqHz = freqHz;
  qso->mode = cw ? "CW" : "SSB";
  qso->rstSent = cw ? "599" : "59";
  qso->rstRcvd = cw ? (Chance(900) ? "599" : "579") : (Chance(900) ? "59" : "57");
  qso->exchSent = Serial(static_cast<uint32_t>(m_given + 1), m_options.ownMultCode);
  qso->exchRcvd = station.sendsRt ? "RT" : Serial(++station.serial, station.code);
  qso->multCode = MultCodeFromExchange(qso->exchRcvd);
  qso->group = station.group;
  qso->band = kBands[band].label;
}

void ContestLog::Remember(const AdifQso& qso, uint32_t station, size_t band, bool cw) {
  const Recent recent{qso, station, band, cw};
  if (m_recent.size() < kRecentQsos) {
    m_recent.push_back(recent);
  } else {
    m_recent[Below(kRecentQsos)] = recent;
  }
}

std::vector<AdifQso> GenerateContestLog(const ContestLogOptions& options) {
  std::vector<AdifQso> qsos;
  qsos.reserve(options.qsoCount);
  ContestLog log(options);
  AdifQso qso;
  while (log.Next(&qso)) qsos.push_back(qso);
  return qsos;
}

bool ContestStart(const std::string& date, int hour, double* start, std::string* problem) {
  double ole = 0.0;
  if (!ContestStartToOle(date, hour, &ole, problem)) return false;
  CalendarFields end;
  if (!OleDateToCalendar(ole + kContestSeconds / 86400.0, &end)) {
    *problem = "the contest would end after 9999-12-31";
    return false;
  }
  *start = ole;
  return true;
}

}  // namespace tools
