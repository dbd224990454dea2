#include "tools/log_generator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

#include "platform/ole_date_time.h"
#include "tools/adif_values.h"

namespace tools {
namespace {

constexpr uint32_t kTourSeconds = 2 * 3600;
constexpr uint32_t kContestSeconds = 4 * kTourSeconds;
constexpr uint32_t kPerMille = 1000;
constexpr uint32_t kRepeatPerMille = 30;
constexpr uint32_t kRefusedPerMille = 30;
constexpr uint32_t kBandChangePerMille = 50;
constexpr uint32_t kNewTourBandChangePerMille = 500;
constexpr uint32_t kCwPerMille = 550;
constexpr uint32_t kStayOnFrequencyPerMille = 700;
constexpr uint32_t kRtStationPerMille = 20;
constexpr int kFreshStationTries = 30;

const char* const kPrefixes[] = {"UR", "US", "UT", "UV", "UW", "UX", "UY", "UZ", "EM", "EN", "EO"};
const char* const kMultCodes[] = {"CH", "CN", "CR", "DN", "DO", "HA", "HE", "HM", "IF",
                                  "KI", "KO", "KR", "KV", "LU", "LV", "NI", "OD", "PO",
                                  "RI", "SL", "SU", "TE", "VI", "VO", "ZA", "ZH"};
const char* const kGroups[] = {"G1", "G2", "G3", "G4", "G5"};

enum Segment { kCw = 0, kSsb = 1, kDigital = 2 };

struct BandPlan {
  const char* label;
  uint32_t lowKhz[3];   // by Segment
  uint32_t highKhz[3];  // by Segment, exclusive
  uint32_t weightByTour[4];
};

// Low bands fill up as the afternoon turns into evening.
const BandPlan kBands[] = {
    {"80m", {3500, 3600, 3580}, {3570, 3775, 3600}, {15, 25, 35, 40}},
    {"40m", {7000, 7060, 7040}, {7040, 7200, 7050}, {30, 35, 35, 35}},
    {"20m", {14000, 14125, 14070}, {14070, 14300, 14099}, {30, 25, 20, 15}},
    {"15m", {21000, 21151, 21070}, {21070, 21400, 21110}, {15, 10, 7, 7}},
    {"10m", {28000, 28300, 28070}, {28070, 28600, 28150}, {10, 5, 3, 3}},
};
constexpr size_t kBandCount = sizeof kBands / sizeof kBands[0];

struct Station {
  std::string call;
  std::string code;
  std::string group;
  uint32_t totalQsos = 0;  // the station's own log size by the contest's end
  bool sendsRt = false;
};

// Pool indices of the stations worked under one band and mode.
struct Worked {
  std::vector<size_t> order;  // first-worked order, for drawing repeats
  std::set<size_t> members;
};

std::string Serial(uint32_t number) {
  char text[16];
  std::snprintf(text, sizeof text, "%03u", static_cast<unsigned>(number));
  return text;
}

class Generator {
 public:
  explicit Generator(const LogGeneratorOptions& options)
      : options_(options), engine_(options.seed) {}

  void Run(double startOle, std::vector<AdifQso>* qsos) {
    calls_.insert(options_.ownCall);
    const size_t poolSize = std::max<size_t>(10, options_.qsoCount * 3 / 4);
    while (pool_.size() < poolSize) AddStation();

    std::vector<uint32_t> offsets(options_.qsoCount);
    for (uint32_t& offset : offsets) offset = DrawBelow(&engine_, kContestSeconds);
    std::sort(offsets.begin(), offsets.end());

    size_t band = PickBand(0);
    Segment mode = Chance(kCwPerMille) ? kCw : kSsb;
    uint32_t tour = 0;
    for (size_t i = 0; i < offsets.size(); ++i) {
      const uint32_t newTour = offsets[i] / kTourSeconds;
      if (Chance(newTour != tour ? kNewTourBandChangePerMille : kBandChangePerMille)) {
        band = PickBand(newTour);
        mode = Chance(kCwPerMille) ? kCw : kSsb;
      }
      tour = newTour;
      qsos->push_back(MakeQso(i + 1, offsets[i], startOle, band, mode));
    }
  }

 private:
  bool Chance(uint32_t perMille) { return DrawBelow(&engine_, kPerMille) < perMille; }

  template <size_t N>
  const char* Pick(const char* const (&list)[N]) {
    return list[DrawBelow(&engine_, N)];
  }

  size_t PickBand(uint32_t tour) {
    uint32_t total = 0;
    for (const BandPlan& plan : kBands) total += plan.weightByTour[tour];
    uint32_t draw = DrawBelow(&engine_, total);
    size_t band = 0;
    while (draw >= kBands[band].weightByTour[tour]) draw -= kBands[band++].weightByTour[tour];
    return band;
  }

  size_t AddStation() {
    Station station;
    do {
      station.call = Pick(kPrefixes) + std::to_string(DrawBelow(&engine_, 10));
      const uint32_t suffixLength = Chance(400) ? 2 : 3;
      for (uint32_t k = 0; k < suffixLength; ++k) {
        station.call += static_cast<char>('A' + DrawBelow(&engine_, 26));
      }
    } while (!calls_.insert(station.call).second);
    station.code = Pick(kMultCodes);
    station.group = Pick(kGroups);
    station.totalQsos = 20 + DrawBelow(&engine_, 900);
    station.sendsRt = Chance(kRtStationPerMille);
    pool_.push_back(station);
    return pool_.size() - 1;
  }

  // A station not yet worked under `key`; a new one when many draws found
  // none, so that an exhausted pool does not turn into unplanned repeats.
  size_t FreshStation(const std::string& key) {
    const std::set<size_t>& worked = workedOn_[key].members;
    for (int attempt = 0; attempt < kFreshStationTries; ++attempt) {
      const size_t pick = DrawBelow(&engine_, static_cast<uint32_t>(pool_.size()));
      if (worked.count(pick) == 0) return pick;
    }
    return AddStation();
  }

  uint32_t FrequencyHz(size_t band, Segment segment) {
    const uint32_t stepHz = segment == kSsb ? 500 : 100;
    const uint32_t steps =
        (kBands[band].highKhz[segment] - kBands[band].lowKhz[segment]) * (1000 / stepHz);
    return kBands[band].lowKhz[segment] * 1000 + DrawBelow(&engine_, steps) * stepHz;
  }

  AdifQso MakeQso(size_t number, uint32_t offset, double startOle, size_t band, Segment mode) {
    AdifQso qso;
    qso.band = kBands[band].label;
    qso.mode = mode == kCw ? "CW" : "SSB";
    const std::string key = qso.band + " " + qso.mode;
    const uint32_t kind = DrawBelow(&engine_, kPerMille);
    const bool refused = kind >= kRepeatPerMille && kind < kRepeatPerMille + kRefusedPerMille;
    Worked& worked = workedOn_[key];

    size_t station;
    if (kind < kRepeatPerMille && !worked.order.empty()) {
      station = worked.order[DrawBelow(&engine_, static_cast<uint32_t>(worked.order.size()))];
    } else {
      station = FreshStation(key);
      if (!refused) {
        worked.order.push_back(station);
        worked.members.insert(station);
      }
    }

    uint32_t& runHz = runHz_[band][mode];
    if (runHz == 0 || !Chance(kStayOnFrequencyPerMille)) runHz = FrequencyHz(band, mode);
    qso.freqHz = runHz;
    const Station& worker = pool_[station];
    qso.call = worker.call;
    qso.group = worker.group;
    qso.rstSent = mode == kCw ? "599" : "59";
    qso.rstRcvd = mode == kCw ? (Chance(900) ? "599" : "579") : (Chance(900) ? "59" : "57");
    qso.exchSent = Serial(static_cast<uint32_t>(number)) + options_.ownMultCode;
    qso.exchRcvd = worker.sendsRt
                       ? "RT"
                       : Serial(1 + worker.totalQsos * offset / kContestSeconds) + worker.code;
    if (refused) {
      switch (DrawBelow(&engine_, 3)) {
        case 0:
          qso.mode = "RTTY";
          qso.rstSent = qso.rstRcvd = "599";
          qso.freqHz = FrequencyHz(band, kDigital);
          break;
        case 1:
          qso.mode = "cw";
          qso.rstSent = qso.rstRcvd = "599";
          qso.freqHz = FrequencyHz(band, kCw);
          break;
        default:
          qso.exchRcvd.clear();
          break;
      }
    }
    qso.multCode = MultCodeFromExchange(qso.exchRcvd);

    const uint32_t seconds = static_cast<uint32_t>(options_.startHour) * 3600 + offset;
    CalendarFields day;
    OleDateToCalendar(std::floor(startOle) + seconds / 86400, &day);
    qso.time =
        ToOleDate(CivilDate{day.year, day.month, day.day},
                  TimeOfDay{static_cast<int>(seconds % 86400 / 3600),
                            static_cast<int>(seconds % 3600 / 60), static_cast<int>(seconds % 60)});
    return qso;
  }

  const LogGeneratorOptions& options_;
  std::mt19937 engine_;
  std::vector<Station> pool_;
  std::set<std::string> calls_;
  std::map<std::string, Worked> workedOn_;  // by "band mode"
  uint32_t runHz_[kBandCount][2] = {};      // by band and mode
};

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

bool GenerateContestLog(const LogGeneratorOptions& options, std::vector<AdifQso>* qsos,
                        std::string* problem) {
  double startOle = 0.0;
  if (!ContestStartToOle(options.startDate, options.startHour, &startOle, problem)) {
    return false;
  }
  CalendarFields end;
  if (!OleDateToCalendar(startOle + kContestSeconds / 86400.0, &end)) {
    *problem = "the contest would end after 9999-12-31";
    return false;
  }
  qsos->clear();
  qsos->reserve(options.qsoCount);
  Generator(options).Run(startOle, qsos);
  return true;
}

}  // namespace tools
