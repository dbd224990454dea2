#include "tools/adif/log_generator_contest.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <tuple>

#include "stats/contest_facts.h"
#include "tools/adif/adif_values.h"
#include "tools/adif/log_generator.h"

namespace tools {
namespace {

constexpr int kContestMinutes = stats::kTourCount * stats::kTourHours * 60;
constexpr int kTourMinutes = stats::kTourHours * 60;
constexpr int kEdgeMinutes = 2;
// Two QSOs of one pair on one band and mode this far apart lie in
// different tours whatever both clocks and jitters add.
constexpr int kRepeatGapMinutes = 2 * kTourMinutes + 3;
constexpr uint32_t kCodeCount = 40;
constexpr uint32_t kPer10k = 10000;

struct Band {
  const char* label;
  uint32_t cwKhz, ssbKhz, spanKhz;
  uint32_t weight;
};
const Band kBands[] = {{"80m", 3500, 3600, 60, 30},
                       {"40m", 7000, 7060, 40, 35},
                       {"20m", 14000, 14150, 70, 25},
                       {"15m", 21000, 21200, 70, 7},
                       {"10m", 28000, 28300, 70, 3}};
const char* const kPrefixes[] = {"UR", "US", "UT", "UV", "UW", "UX", "UY", "UZ", "EM", "EN", "EO"};
const char* const kPlantedNames[] = {"good", "busted-call", "busted-exchange", "nil", "dupe"};

struct Station {
  std::string call;
  uint32_t code = 0;
  bool entrant = false;
  uint32_t weight = 1;
  uint32_t serial = 0;
  int clockOffset = 0;
};

// One QSO as it happened, and what each side (0: `station[0]`) made of it.
struct Event {
  uint32_t id = 0;
  int minute = 0;  // true time, minutes after the start
  uint32_t station[2] = {0, 0};
  uint8_t band = 0;
  bool cw = true;
  PlantedFault fault[2] = {PlantedFault::kGood, PlantedFault::kGood};
  bool logged[2] = {true, true};
  int8_t jitter[2] = {0, 0};
  uint32_t serial[2] = {0, 0};
  uint32_t noise = 0;  // draws for the miscopies and the frequency
};

std::string CodeName(uint32_t index) {
  static const char* const kOblast[] = {"CH", "CN", "CR", "DN", "DO", "HA", "HE", "HM", "IF",
                                        "KI", "KO", "KR", "KV", "LU", "LV", "NI", "OD", "PO",
                                        "RI", "SL", "SU", "TE", "VI", "VO", "ZA", "ZH"};
  if (index < std::size(kOblast)) return kOblast[index];
  index -= static_cast<uint32_t>(std::size(kOblast));
  return {'Q', static_cast<char>('A' + index % 26)};
}

class Generator {
 public:
  explicit Generator(const ContestOptions& options) : m_options(options), m_engine(options.seed) {}

  void Run(const std::function<void(const GeneratedLog&)>& write) {
    MakeStations();
    // Spacing drops some QSOs: more are drawn until the lines are enough.
    for (size_t lines = 0, before = 1; lines < m_options.qsoLines && lines != before;) {
      before = lines;
      MakeEvents(lines);
      SpaceRepeats();
      lines = LineCount();
    }
    PlantFaults();
    AssignSerials();
    WriteLogs(write);
  }

 private:
  uint32_t Below(uint32_t bound) { return DrawBelow(&m_engine, bound); }
  bool Chance(uint32_t per10k) { return Below(kPer10k) < per10k; }

  void MakeStations() {
    const size_t total = m_options.entrants + m_options.silentStations;
    while (m_stations.size() < total) {
      Station s;
      s.call =
          kPrefixes[Below(static_cast<uint32_t>(std::size(kPrefixes)))] + std::to_string(Below(10));
      for (uint32_t k = 0, n = Below(10) < 4 ? 2 : 3; k < n; ++k) {
        s.call += static_cast<char>('A' + Below(26));
      }
      if (!m_calls.insert(s.call).second) continue;
      s.code = Below(kCodeCount);
      s.entrant = m_stations.size() < m_options.entrants;
      // Entrants' activity is heavy-tailed; stations without a log are
      // worked now and then.
      const uint32_t x = Below(1000);
      s.weight = s.entrant ? 4 + static_cast<uint32_t>(uint64_t{x} * x * x / 25000000) : 1 + x % 3;
      if (s.entrant) {
        const uint32_t clock = Below(kPer10k);
        const int sign = Below(2) == 0 ? 1 : -1;
        if (clock < m_options.clockFarPer10k) {
          s.clockOffset = sign * 60;
        } else if (clock < m_options.clockFarPer10k + m_options.clockOffPer10k) {
          s.clockOffset = sign * static_cast<int>(3 + Below(18));
        }
      }
      m_totalWeight += s.weight;
      m_cumulative.push_back(m_totalWeight);
      m_stations.push_back(std::move(s));
    }
  }

  uint32_t DrawStation() {
    const uint64_t draw = Below(static_cast<uint32_t>(m_totalWeight));
    return static_cast<uint32_t>(std::upper_bound(m_cumulative.begin(), m_cumulative.end(), draw) -
                                 m_cumulative.begin());
  }

  size_t LineCount() const {
    size_t lines = 0;
    for (const Event& e : m_events) {
      lines +=
          (m_stations[e.station[0]].entrant ? 1 : 0) + (m_stations[e.station[1]].entrant ? 1 : 0);
    }
    return lines;
  }

  // Draws QSOs until the lines, `lines` so far, are enough.
  void MakeEvents(size_t lines) {
    if (m_options.entrants == 0) return;
    while (lines < m_options.qsoLines && m_stations.size() >= 2) {
      Event e;
      e.station[0] = DrawStation();
      e.station[1] = DrawStation();
      const bool a = m_stations[e.station[0]].entrant;
      const bool b = m_stations[e.station[1]].entrant;
      if (e.station[0] == e.station[1] || (!a && !b)) continue;
      e.id = m_nextId++;
      e.minute = kEdgeMinutes + static_cast<int>(Below(kContestMinutes - 2 * kEdgeMinutes));
      uint32_t draw = Below(100);
      while (draw >= kBands[e.band].weight) draw -= kBands[e.band++].weight;
      e.cw = Below(100) < 55;
      e.noise = Below(0xFFFFFFFFu);
      lines += (a ? 1 : 0) + (b ? 1 : 0);
      m_events.push_back(e);
    }
  }

  static std::tuple<uint32_t, uint32_t, uint8_t, bool, int, uint32_t> PairKey(const Event& e) {
    return {std::min(e.station[0], e.station[1]),
            std::max(e.station[0], e.station[1]),
            e.band,
            e.cw,
            e.minute,
            e.id};
  }

  // Drops the QSOs a pair would repeat on a band and mode too soon.
  void SpaceRepeats() {
    std::sort(m_events.begin(), m_events.end(),
              [](const Event& x, const Event& y) { return PairKey(x) < PairKey(y); });
    size_t kept = 0;
    for (size_t i = 0; i < m_events.size(); ++i) {
      const Event& e = m_events[i];
      if (kept > 0) {
        const Event& last = m_events[kept - 1];
        const auto [la, lb, lband, lcw, lm, lid] = PairKey(last);
        const auto [ea, eb, eband, ecw, em, eid] = PairKey(e);
        if (std::tie(la, lb, lband, lcw) == std::tie(ea, eb, eband, ecw) &&
            em - lm < kRepeatGapMinutes) {
          continue;
        }
      }
      m_events[kept++] = e;
    }
    m_events.resize(kept);
    SortByTime();
  }

  void SortByTime() {
    std::sort(m_events.begin(), m_events.end(), [](const Event& x, const Event& y) {
      return std::tie(x.minute, x.id) < std::tie(y.minute, y.id);
    });
  }

  int Logged(const Event& e, int side) const {
    return e.minute + m_stations[e.station[side]].clockOffset + e.jitter[side];
  }

  void PlantFaults() {
    const size_t count = m_events.size();
    const int jitterSpan = 2 * m_options.jitterMinutes + 1;
    for (size_t i = 0; i < count; ++i) {
      Event& e = m_events[i];
      for (int side = 0; side < 2; ++side) {
        e.jitter[side] =
            static_cast<int8_t>(static_cast<int>(Below(jitterSpan)) - m_options.jitterMinutes);
        e.logged[side] = m_stations[e.station[side]].entrant;
        const uint32_t draw = Below(kPer10k);
        if (draw < m_options.bustedCallPer10k) {
          e.fault[side] = PlantedFault::kBustedCall;
        } else if (draw < m_options.bustedCallPer10k + m_options.bustedExchangePer10k) {
          e.fault[side] = PlantedFault::kBustedExchange;
        }
      }
      if (e.logged[0] && e.logged[1] && Chance(2 * m_options.forgottenPer10k)) {
        const int forgot = static_cast<int>(Below(2));
        e.logged[forgot] = false;
        e.fault[1 - forgot] = PlantedFault::kNil;
      }
      if (Chance(m_options.dupePer10k)) PlantDupe(i);
    }
    SortByTime();
  }

  // The pair works again a few minutes later in the same tour of both
  // logs; both log it, and the later QSO is the dupe.
  void PlantDupe(size_t index) {
    Event twin = m_events[index];
    twin.id = m_nextId++;
    twin.minute += 3 + static_cast<int>(Below(10));
    twin.noise = Below(0xFFFFFFFFu);
    for (int side = 0; side < 2; ++side) {
      twin.logged[side] = m_stations[twin.station[side]].entrant;
      twin.fault[side] = PlantedFault::kDupe;
      if (!twin.logged[side]) continue;
      const auto tour = [](int minute) { return (minute + 10 * kTourMinutes) / kTourMinutes; };
      const Event& first = m_events[index];
      if (!first.logged[side] || first.fault[side] != PlantedFault::kGood ||
          twin.minute > kContestMinutes - kEdgeMinutes ||
          tour(Logged(first, side)) != tour(Logged(twin, side))) {
        return;
      }
    }
    m_events.push_back(twin);
  }

  void AssignSerials() {
    for (Event& e : m_events) {
      for (int side = 0; side < 2; ++side) e.serial[side] = ++m_stations[e.station[side]].serial;
    }
  }

  // A call one edit or a transposition from `call` that no station has.
  std::string BustedCall(const std::string& call, std::mt19937* engine) const {
    const size_t digit = call.find_first_of("0123456789");
    for (;;) {
      std::string bust = call;
      const size_t at = DrawBelow(engine, static_cast<uint32_t>(call.size()));
      const char letter = static_cast<char>('A' + DrawBelow(engine, 26));
      switch (DrawBelow(engine, 4)) {
        case 0:
          bust[at] = at == digit ? static_cast<char>('0' + DrawBelow(engine, 10)) : letter;
          break;
        case 1:
          if (at != digit && call.size() > 4) bust.erase(at, 1);
          break;
        case 2:
          bust.insert(std::max(at, digit + 1), 1, letter);
          break;
        default:
          if (at > digit && at + 1 < call.size()) std::swap(bust[at], bust[at + 1]);
      }
      if (bust != call && m_calls.count(bust) == 0) return bust;
    }
  }

  static std::string Exchange(uint32_t serial, const std::string& code) {
    char text[16];
    std::snprintf(text, sizeof text, "%03u", static_cast<unsigned>(serial));
    return text + std::string(" ") + code;
  }

  std::string QsoLine(const Event& e, int side, std::mt19937* engine, LineTruth* truth) const {
    const Station& own = m_stations[e.station[side]];
    const Station& worked = m_stations[e.station[1 - side]];
    std::string call = worked.call;
    std::string rcvd = Exchange(e.serial[1 - side], CodeName(worked.code));
    truth->fault = e.fault[side];
    truth->workedSentLog = worked.entrant;
    if (e.fault[side] == PlantedFault::kBustedCall) {
      truth->correct = call;
      call = BustedCall(call, engine);
    } else if (e.fault[side] == PlantedFault::kBustedExchange) {
      truth->correct = rcvd;
      if (DrawBelow(engine, 2) == 0) {
        const size_t at = DrawBelow(engine, 3);
        rcvd[at] = static_cast<char>('0' + (rcvd[at] - '0' + 1 + DrawBelow(engine, 9)) % 10);
      } else {
        const uint32_t other = (worked.code + 1 + DrawBelow(engine, kCodeCount - 1)) % kCodeCount;
        rcvd = Exchange(e.serial[1 - side], CodeName(other));
      }
    }
    const Band& band = kBands[e.band];
    const uint32_t khz = (e.cw ? band.cwKhz : band.ssbKhz) + e.noise % band.spanKhz;
    CivilDate date;
    TimeOfDay time;
    OleToCivil(m_options.start + Logged(e, side) / 1440.0, &date, &time);
    const char* report = e.cw ? "599" : "59";
    char line[160];
    std::snprintf(line, sizeof line, "QSO: %5u %s %04d-%02d-%02d %02d%02d %-10s %s %s %-10s %s %s",
                  static_cast<unsigned>(khz), e.cw ? "CW" : "PH", date.year, date.month, date.day,
                  time.hour, time.minute, own.call.c_str(), report,
                  Exchange(e.serial[side], CodeName(own.code)).c_str(), call.c_str(), report,
                  rcvd.c_str());
    return line;
  }

  void WriteLogs(const std::function<void(const GeneratedLog&)>& write) {
    // Each entrant's sides of the QSOs, gathered by counting.
    std::vector<size_t> first(m_stations.size() + 1, 0);
    for (const Event& e : m_events) {
      for (int side = 0; side < 2; ++side) {
        if (e.logged[side]) ++first[e.station[side] + 1];
      }
    }
    for (size_t s = 0; s < m_stations.size(); ++s) first[s + 1] += first[s];
    std::vector<uint32_t> sides(first.back());
    std::vector<size_t> next(first.begin(), first.end() - 1);
    for (size_t i = 0; i < m_events.size(); ++i) {
      for (int side = 0; side < 2; ++side) {
        if (m_events[i].logged[side]) {
          sides[next[m_events[i].station[side]]++] = static_cast<uint32_t>(i * 2 + side);
        }
      }
    }
    std::vector<uint32_t> entrants;
    for (uint32_t s = 0; s < m_options.entrants && s < m_stations.size(); ++s)
      entrants.push_back(s);
    std::sort(entrants.begin(), entrants.end(),
              [&](uint32_t x, uint32_t y) { return m_stations[x].call < m_stations[y].call; });
    for (uint32_t s : entrants) {
      const Station& station = m_stations[s];
      auto begin = sides.begin() + static_cast<std::ptrdiff_t>(first[s]);
      auto end = sides.begin() + static_cast<std::ptrdiff_t>(first[s + 1]);
      std::stable_sort(begin, end, [&](uint32_t x, uint32_t y) {
        return Logged(m_events[x / 2], x % 2) < Logged(m_events[y / 2], y % 2);
      });
      GeneratedLog log;
      log.call = station.call;
      for (char c : station.call) {
        log.fileName +=
            c == '/' ? '_' : static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
      }
      log.fileName += ".log";
      log.multCode = CodeName(station.code);
      log.clockOffset = station.clockOffset;
      log.cabrillo = "START-OF-LOG: 3.0\nCONTEST: CQ-UT\nCALLSIGN: " + station.call +
                     "\nCATEGORY-OPERATOR: SINGLE-OP\nCATEGORY-MODE: MIXED\nCREATED-BY: "
                     "make_sample_contest\n";
      size_t line = 6;
      std::mt19937 engine(m_options.seed ^ (s * 2654435761u));
      for (auto it = begin; it != end; ++it) {
        LineTruth truth;
        truth.line = ++line;
        log.cabrillo += QsoLine(m_events[*it / 2], *it % 2, &engine, &truth) + "\n";
        log.lines.push_back(std::move(truth));
      }
      log.cabrillo += "END-OF-LOG:\n";
      write(log);
    }
  }

  const ContestOptions& m_options;
  std::mt19937 m_engine;
  std::vector<Station> m_stations;
  std::set<std::string> m_calls;
  std::vector<uint64_t> m_cumulative;  // running sum of the stations' weights
  uint64_t m_totalWeight = 0;
  std::vector<Event> m_events;
  uint32_t m_nextId = 0;
};

}  // namespace

const char* PlantedFaultName(PlantedFault fault) { return kPlantedNames[static_cast<int>(fault)]; }

void GenerateContest(const ContestOptions& options,
                     const std::function<void(const GeneratedLog&)>& write) {
  Generator(options).Run(write);
}

std::string ContestGroupMap() {
  std::string map;
  for (uint32_t code = 0; code < kCodeCount; ++code) {
    map += CodeName(code) + " G" + std::to_string(1 + code % 5) + "\n";
  }
  return map;
}

std::string TruthCsvRows(const GeneratedLog& log) {
  std::string rows;
  for (const LineTruth& truth : log.lines) {
    rows += log.fileName + "," + std::to_string(truth.line) + "," + PlantedFaultName(truth.fault) +
            "," + truth.correct + "," + (truth.workedSentLog ? "1" : "0") + "\n";
  }
  return rows;
}

}  // namespace tools
