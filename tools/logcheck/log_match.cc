#include "tools/logcheck/log_match.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <set>
#include <tuple>
#include <unordered_map>

namespace tools {
namespace {

constexpr const char* kVerdictNames[kVerdictCount] = {
    "confirmed", "time-mismatch", "unconfirmed",   "unique", "busted-call",    "busted-exchange",
    "nil",       "band-mismatch", "mode-mismatch", "dupe",   "outside-contest"};

struct Ref {
  size_t log = 0;
  size_t qso = 0;
};

struct Timed {
  long long minute = 0;  // corrected
  Ref ref;
};

struct SplitExchangeParts {
  std::string serial;  // without leading zeros; "0" for a serial of zeros
  std::string code;    // upper case
};

SplitExchangeParts SplitExchange(const std::string& exchange) {
  size_t digits = 0;
  while (digits < exchange.size() && std::isdigit(static_cast<unsigned char>(exchange[digits]))) {
    ++digits;
  }
  SplitExchangeParts parts;
  size_t first = 0;
  while (first + 1 < digits && exchange[first] == '0') ++first;
  parts.serial = exchange.substr(first, digits - first);
  for (size_t i = digits; i < exchange.size(); ++i) {
    parts.code += static_cast<char>(std::toupper(static_cast<unsigned char>(exchange[i])));
  }
  return parts;
}

// How a QSO came to be paired with one of another log.
enum class PairKind { kNone, kSame, kBustedCall, kBandOrMode };

class Checker {
 public:
  Checker(const std::vector<CheckLog>& logs, const MatchOptions& options)
      : m_logs(logs), m_options(options), m_out(logs.size()) {
    for (size_t i = 0; i < logs.size(); ++i) {
      m_logByCall[logs[i].call] = i;
      m_out[i].qsos.resize(logs[i].qsos.size());
      m_pairs.emplace_back(logs[i].qsos.size());
      m_kinds.emplace_back(logs[i].qsos.size(), PairKind::kNone);
    }
  }

  std::vector<LogVerdicts> Run() {
    BuildIndexes();
    EstimateClocks();
    BuildIndexes();
    PairSameQsos();
    for (const Ref& a : CanonicalRefs()) {
      if (m_kinds[a.log][a.qso] == PairKind::kNone) PairBustedCall(a);
    }
    for (const Ref& a : CanonicalRefs()) {
      if (m_kinds[a.log][a.qso] == PairKind::kNone) PairBandOrMode(a);
    }
    BuildCallFacts();
    for (size_t i = 0; i < m_logs.size(); ++i) {
      for (size_t j = 0; j < m_logs[i].qsos.size(); ++j) Judge({i, j});
    }
    for (size_t i = 0; i < m_logs.size(); ++i) MarkDupes(i);
    return std::move(m_out);
  }

 private:
  const CheckQso& Qso(const Ref& r) const { return m_logs[r.log].qsos[r.qso]; }
  long long Minute(const Ref& r) const { return Qso(r).minute - m_out[r.log].clockOffset; }
  bool Paired(const Ref& r) const { return m_kinds[r.log][r.qso] != PairKind::kNone; }

  // The order every tie is broken in: the logging call, then the line.
  bool Before(const Ref& a, const Ref& b) const {
    const std::string& ca = m_logs[a.log].call;
    const std::string& cb = m_logs[b.log].call;
    if (ca != cb) return ca < cb;
    return Qso(a).line < Qso(b).line;
  }

  std::vector<Ref> CanonicalRefs() const {
    std::vector<Ref> refs;
    for (size_t i = 0; i < m_logs.size(); ++i) {
      for (size_t j = 0; j < m_logs[i].qsos.size(); ++j) refs.push_back({i, j});
    }
    std::sort(refs.begin(), refs.end(), [&](const Ref& a, const Ref& b) { return Before(a, b); });
    return refs;
  }

  static std::string PairKey(const std::string& owner, const std::string& worked) {
    return owner + '\t' + worked;
  }

  void BuildIndexes() {
    m_byPair.clear();
    m_byWorked.clear();
    m_ownTimes.assign(m_logs.size(), {});
    for (size_t i = 0; i < m_logs.size(); ++i) {
      for (size_t j = 0; j < m_logs[i].qsos.size(); ++j) {
        const Timed timed{Minute({i, j}), {i, j}};
        m_byPair[PairKey(m_logs[i].call, m_logs[i].qsos[j].call)].push_back(timed);
        m_byWorked[m_logs[i].qsos[j].call].push_back(timed);
        m_ownTimes[i].push_back(timed);
      }
    }
    const auto byTime = [&](const Timed& a, const Timed& b) {
      return a.minute != b.minute ? a.minute < b.minute : Before(a.ref, b.ref);
    };
    for (auto& [key, list] : m_byPair) std::sort(list.begin(), list.end(), byTime);
    for (auto& [key, list] : m_byWorked) std::sort(list.begin(), list.end(), byTime);
    for (auto& list : m_ownTimes) std::sort(list.begin(), list.end(), byTime);
  }

  // Calls `visit` for each entry of `list` within `window` minutes of
  // `minute`.
  template <typename Visit>
  static void InWindow(const std::vector<Timed>* list, long long minute, long long window,
                       Visit visit) {
    if (list == nullptr) return;
    auto it = std::lower_bound(list->begin(), list->end(), minute - window,
                               [](const Timed& t, long long m) { return t.minute < m; });
    for (; it != list->end() && it->minute <= minute + window; ++it) visit(*it);
  }

  const std::vector<Timed>* PairList(const std::string& owner, const std::string& worked) const {
    const auto it = m_byPair.find(PairKey(owner, worked));
    return it == m_byPair.end() ? nullptr : &it->second;
  }

  // The log of the station `a` worked, when it sent one and is another.
  bool OtherLog(const Ref& a, size_t* log) const {
    const auto it = m_logByCall.find(Qso(a).call);
    if (it == m_logByCall.end() || it->second == a.log) return false;
    *log = it->second;
    return true;
  }

  bool BothRight(const Ref& a, const Ref& b) const {
    return ExchangeEqual(Qso(a).rcvdExchange, Qso(b).sentExchange) &&
           ExchangeEqual(Qso(b).rcvdExchange, Qso(a).sentExchange);
  }

  // Each log's clock from its QSOs that match another log with calls and
  // exchanges right both ways: the median of the differences, taken from
  // the raw times (the indexes hold them before any correction).
  void EstimateClocks() {
    for (size_t i = 0; i < m_logs.size(); ++i) {
      std::vector<long long> differences;
      for (size_t j = 0; j < m_logs[i].qsos.size(); ++j) {
        const Ref a{i, j};
        size_t other = 0;
        if (!OtherLog(a, &other)) continue;
        bool found = false;
        long long best = 0;
        InWindow(PairList(m_logs[other].call, m_logs[i].call), Qso(a).minute,
                 m_options.clockSearchMinutes, [&](const Timed& b) {
                   const CheckQso& q = Qso(b.ref);
                   if (q.band != Qso(a).band || q.mode != Qso(a).mode || !BothRight(a, b.ref)) {
                     return;
                   }
                   const long long difference = Qso(a).minute - b.minute;
                   if (!found || std::llabs(difference) < std::llabs(best)) best = difference;
                   found = true;
                 });
        if (found) differences.push_back(best);
      }
      LogVerdicts& out = m_out[i];
      out.clockQsos = differences.size();
      if (differences.empty()) continue;
      std::sort(differences.begin(), differences.end());
      out.clockMedian = differences[(differences.size() - 1) / 2];
      if (differences.size() >= static_cast<size_t>(m_options.clockMinQsos) &&
          std::llabs(out.clockMedian) >= m_options.clockMinMinutes) {
        out.clockOffset = out.clockMedian;
      }
    }
  }

  void Pair(const Ref& a, const Ref& b, PairKind kind) {
    m_kinds[a.log][a.qso] = kind;
    m_kinds[b.log][b.qso] = kind;
    m_pairs[a.log][a.qso] = b;
    m_pairs[b.log][b.qso] = a;
  }

  // QSOs both stations logged with each other's call, band and mode, up to
  // the time-mismatch limit apart, each paired at most once: those within
  // the window first, exchanges right first, then the nearest.
  void PairSameQsos() {
    struct Candidate {
      long long apart;
      bool right;
      Ref a, b;
    };
    std::vector<Candidate> candidates;
    for (size_t i = 0; i < m_logs.size(); ++i) {
      for (size_t j = 0; j < m_logs[i].qsos.size(); ++j) {
        const Ref a{i, j};
        size_t other = 0;
        if (!OtherLog(a, &other) || !(m_logs[i].call < m_logs[other].call)) continue;
        InWindow(PairList(m_logs[other].call, m_logs[i].call), Minute(a),
                 m_options.timeMismatchMinutes, [&](const Timed& b) {
                   if (Qso(b.ref).band != Qso(a).band || Qso(b.ref).mode != Qso(a).mode) return;
                   candidates.push_back(
                       {std::llabs(b.minute - Minute(a)), BothRight(a, b.ref), a, b.ref});
                 });
      }
    }
    std::sort(candidates.begin(), candidates.end(), [&](const Candidate& x, const Candidate& y) {
      // Within the window a pair whose exchanges agree wins over a nearer
      // one whose do not: two QSOs of one pair minutes apart, logged with
      // a minute's jitter, would otherwise cross.
      const bool xNear = x.apart <= m_options.windowMinutes;
      const bool yNear = y.apart <= m_options.windowMinutes;
      if (xNear != yNear) return xNear;
      if (x.right != y.right) return x.right;
      if (x.apart != y.apart) return x.apart < y.apart;
      if (Before(x.a, y.a) || Before(y.a, x.a)) return Before(x.a, y.a);
      return Before(x.b, y.b);
    });
    for (const Candidate& c : candidates) {
      if (!Paired(c.a) && !Paired(c.b)) Pair(c.a, c.b, PairKind::kSame);
    }
  }

  // `a` logged a call that no log confirms; a station whose call is within
  // two edits of it logged this station then, on that band and mode, and
  // sent the serial `a` received.
  void PairBustedCall(const Ref& a) {
    const CheckQso& q = Qso(a);
    const std::string& own = m_logs[a.log].call;
    const auto worked = m_byWorked.find(own);
    if (q.call == own || worked == m_byWorked.end()) return;
    const std::string serial = SplitExchange(q.rcvdExchange).serial;
    bool found = false;
    std::tuple<int, long long> best;
    Ref bestRef;
    InWindow(&worked->second, Minute(a), m_options.windowMinutes, [&](const Timed& b) {
      const CheckQso& other = Qso(b.ref);
      const std::string& station = m_logs[b.ref.log].call;
      if (b.ref.log == a.log || Paired(b.ref) || station == q.call || other.band != q.band ||
          other.mode != q.mode || SplitExchange(other.sentExchange).serial != serial) {
        return;
      }
      const int distance = EditDistance(q.call, station, 2);
      if (distance > 2) return;
      const std::tuple<int, long long> rank{distance, std::llabs(b.minute - Minute(a))};
      if (!found || rank < best || (rank == best && Before(b.ref, bestRef))) {
        best = rank;
        bestRef = b.ref;
        found = true;
      }
    });
    if (found) Pair(a, bestRef, PairKind::kBustedCall);
  }

  // The other log has the QSO, exchanges right, on another band or mode.
  void PairBandOrMode(const Ref& a) {
    size_t other = 0;
    if (!OtherLog(a, &other)) return;
    bool found = false;
    Ref bestRef;
    long long best = 0;
    InWindow(PairList(m_logs[other].call, m_logs[a.log].call), Minute(a), m_options.windowMinutes,
             [&](const Timed& b) {
               const bool band = Qso(b.ref).band != Qso(a).band;
               const bool mode = Qso(b.ref).mode != Qso(a).mode;
               if (Paired(b.ref) || band == mode || !BothRight(a, b.ref)) return;
               const long long apart = std::llabs(b.minute - Minute(a));
               if (!found || apart < best || (apart == best && Before(b.ref, bestRef))) {
                 best = apart;
                 bestRef = b.ref;
                 found = true;
               }
             });
    if (found) Pair(a, bestRef, PairKind::kBandOrMode);
  }

  // What the logs say of each worked call: how many logs hold it and, per
  // code received from it, how many logs; the calls likely to be the one
  // meant by a unique, by their single deletions.
  void BuildCallFacts() {
    for (const auto& [call, list] : m_byWorked) {
      std::set<size_t> logs;
      std::map<std::string, std::set<size_t>> codes;
      for (const Timed& t : list) {
        logs.insert(t.ref.log);
        codes[ExchangeCode(Qso(t.ref).rcvdExchange)].insert(t.ref.log);
      }
      CallFacts& facts = m_calls[call];
      facts.logs = logs.size();
      for (const auto& [code, holders] : codes) facts.codeLogs[code] = holders.size();
    }
    std::set<std::string> likely;
    for (const CheckLog& log : m_logs) likely.insert(log.call);
    for (const auto& [call, facts] : m_calls) {
      if (facts.logs >= static_cast<size_t>(m_options.popularCallLogs)) likely.insert(call);
    }
    for (const std::string& call : likely) {
      for (const std::string& key : Deletions(call)) m_byDeletion[key].push_back(call);
    }
  }

  static std::vector<std::string> Deletions(const std::string& call) {
    std::vector<std::string> keys{call};
    for (size_t i = 0; i < call.size(); ++i) keys.push_back(call.substr(0, i) + call.substr(i + 1));
    return keys;
  }

  // The code most logs received from `call`, leaving out `exceptLog`'s
  // codes; empty unless at least `least` logs agree and no other code ties.
  std::string MajorityCode(const std::string& call, size_t exceptLog, size_t least) const {
    const auto facts = m_calls.find(call);
    if (facts == m_calls.end()) return std::string();
    std::set<std::string> own;
    if (const auto* list = PairList(m_logs[exceptLog].call, call)) {
      for (const Timed& t : *list) own.insert(ExchangeCode(Qso(t.ref).rcvdExchange));
    }
    std::string top;
    size_t topCount = 0;
    bool tie = false;
    for (const auto& [code, count] : facts->second.codeLogs) {
      const size_t others = count - (own.count(code) ? 1 : 0);
      if (others > topCount) {
        top = code;
        topCount = others;
        tie = false;
      } else if (others == topCount) {
        tie = true;
      }
    }
    return topCount >= least && !tie ? top : std::string();
  }

  // The code `call` sends: its own log's first, else what most logs
  // received.
  std::string CodeOf(const std::string& call, size_t exceptLog) const {
    const auto log = m_logByCall.find(call);
    if (log != m_logByCall.end() && !m_ownTimes[log->second].empty()) {
      return ExchangeCode(Qso(m_ownTimes[log->second].front().ref).sentExchange);
    }
    return MajorityCode(call, exceptLog, 1);
  }

  // Whether `call` was on the air at `a`'s band, mode and time: logged by
  // another station, or logging in its own log.
  bool ActiveAt(const std::string& call, const Ref& a) const {
    bool active = false;
    const auto matches = [&](const Timed& t) {
      active = active || (t.ref.log != a.log && Qso(t.ref).band == Qso(a).band &&
                          Qso(t.ref).mode == Qso(a).mode);
    };
    const auto worked = m_byWorked.find(call);
    if (worked != m_byWorked.end()) {
      InWindow(&worked->second, Minute(a), m_options.windowMinutes, matches);
    }
    const auto log = m_logByCall.find(call);
    if (log != m_logByCall.end()) {
      InWindow(&m_ownTimes[log->second], Minute(a), m_options.windowMinutes, matches);
    }
    return active;
  }

  // A unique that is one edit from a likely call on the air then with the
  // same code; empty when there is none.
  std::string LikelyCallFor(const Ref& a) const {
    const CheckQso& q = Qso(a);
    const std::string code = ExchangeCode(q.rcvdExchange);
    std::set<std::string> candidates;
    for (const std::string& key : Deletions(q.call)) {
      const auto it = m_byDeletion.find(key);
      if (it == m_byDeletion.end()) continue;
      for (const std::string& call : it->second) {
        if (call != q.call && call != m_logs[a.log].call) candidates.insert(call);
      }
    }
    for (const std::string& call : candidates) {
      if (EditDistance(q.call, call, 1) == 1 && CodeOf(call, a.log) == code && ActiveAt(call, a)) {
        return call;
      }
    }
    return std::string();
  }

  void JudgeExchange(const Ref& a, const Ref& b, QsoVerdict* verdict) const {
    if (!ExchangeEqual(Qso(a).rcvdExchange, Qso(b).sentExchange)) {
      verdict->verdict = Verdict::kBustedExchange;
      verdict->correct = Qso(b).sentExchange;
    } else {
      verdict->verdict = verdict->minutesApart <= m_options.windowMinutes ? Verdict::kConfirmed
                                                                          : Verdict::kTimeMismatch;
    }
  }

  void Judge(const Ref& a) {
    QsoVerdict& verdict = m_out[a.log].qsos[a.qso];
    const PairKind kind = m_kinds[a.log][a.qso];
    const CheckQso& q = Qso(a);
    if (kind != PairKind::kNone) {
      const Ref& b = m_pairs[a.log][a.qso];
      verdict.matched = true;
      verdict.otherLog = b.log;
      verdict.otherQso = b.qso;
      verdict.minutesApart = std::llabs(Minute(a) - Minute(b));
      const bool calledWrong = kind == PairKind::kBustedCall && q.call != m_logs[b.log].call;
      if (calledWrong) {
        verdict.verdict = Verdict::kBustedCall;
        verdict.correct = m_logs[b.log].call;
      } else if (kind == PairKind::kBandOrMode) {
        const bool band = Qso(b).band != q.band;
        verdict.verdict = band ? Verdict::kBandMismatch : Verdict::kModeMismatch;
        verdict.correct = band ? Qso(b).band : Qso(b).mode;
      } else {
        JudgeExchange(a, b, &verdict);
      }
    } else if (size_t other = 0; OtherLog(a, &other)) {
      verdict.verdict = Verdict::kNil;
    } else {
      const auto facts = m_calls.find(q.call);
      const size_t holders = facts == m_calls.end() ? 0 : facts->second.logs;
      if (holders >= static_cast<size_t>(m_options.unconfirmedMinLogs)) {
        const std::string majority =
            MajorityCode(q.call, a.log, static_cast<size_t>(m_options.majorityMinLogs));
        const bool wrong = !majority.empty() && majority != ExchangeCode(q.rcvdExchange);
        verdict.verdict = wrong ? Verdict::kBustedExchange : Verdict::kUnconfirmed;
        if (wrong) verdict.correct = majority;
      } else {
        verdict.correct = LikelyCallFor(a);
        verdict.verdict = verdict.correct.empty() ? Verdict::kUnique : Verdict::kBustedCall;
      }
    }
    const long long minute = Minute(a) - m_options.startMinute;
    if (minute < 0 || minute >= m_options.contestMinutes) {
      verdict.verdict = Verdict::kOutsideContest;
      verdict.correct.clear();
    }
  }

  // Repeats by the plug-in's rule (call, band, mode and tour of the logged
  // time): the first credited QSO stays; later credited ones, and the
  // repeats the other log holds once (nil here), are dupes.
  void MarkDupes(size_t log) {
    std::map<std::tuple<std::string, std::string, std::string, long long>, std::vector<size_t>>
        groups;
    const std::vector<CheckQso>& qsos = m_logs[log].qsos;
    for (size_t j = 0; j < qsos.size(); ++j) {
      if (m_out[log].qsos[j].verdict == Verdict::kOutsideContest) continue;
      const long long tour = (qsos[j].minute - m_options.startMinute) / m_options.tourMinutes;
      groups[{qsos[j].call, qsos[j].band, qsos[j].mode, tour}].push_back(j);
    }
    for (auto& [key, members] : groups) {
      if (members.size() < 2) continue;
      std::sort(members.begin(), members.end(), [&](size_t x, size_t y) {
        return std::tie(qsos[x].minute, qsos[x].line) < std::tie(qsos[y].minute, qsos[y].line);
      });
      bool kept = false;
      for (size_t j : members) {
        if (IsCredited(m_out[log].qsos[j].verdict)) {
          if (kept) m_out[log].qsos[j].verdict = Verdict::kDupe;
          kept = true;
        }
      }
      if (!kept) continue;
      for (size_t j : members) {
        if (m_out[log].qsos[j].verdict == Verdict::kNil)
          m_out[log].qsos[j].verdict = Verdict::kDupe;
      }
    }
  }

  struct CallFacts {
    size_t logs = 0;                         // logs that hold the call
    std::map<std::string, size_t> codeLogs;  // code received -> logs that received it
  };

  const std::vector<CheckLog>& m_logs;
  const MatchOptions& m_options;
  std::vector<LogVerdicts> m_out;
  std::unordered_map<std::string, size_t> m_logByCall;
  std::unordered_map<std::string, std::vector<Timed>> m_byPair;    // owner \t worked
  std::unordered_map<std::string, std::vector<Timed>> m_byWorked;  // worked
  std::vector<std::vector<Timed>> m_ownTimes;                      // per log
  std::vector<std::vector<Ref>> m_pairs;
  std::vector<std::vector<PairKind>> m_kinds;
  std::unordered_map<std::string, CallFacts> m_calls;
  std::unordered_map<std::string, std::vector<std::string>> m_byDeletion;
};

}  // namespace

const char* VerdictName(Verdict verdict) { return kVerdictNames[static_cast<int>(verdict)]; }

bool IsCredited(Verdict verdict) {
  return verdict == Verdict::kConfirmed || verdict == Verdict::kTimeMismatch ||
         verdict == Verdict::kUnconfirmed || verdict == Verdict::kUnique;
}

std::vector<LogVerdicts> CheckAllLogs(const std::vector<CheckLog>& logs,
                                      const MatchOptions& options) {
  return Checker(logs, options).Run();
}

int EditDistance(const std::string& a, const std::string& b, int limit) {
  const long long gap = static_cast<long long>(a.size()) - static_cast<long long>(b.size());
  if (std::llabs(gap) > limit) return limit + 1;
  std::vector<int> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = static_cast<int>(j);
  for (size_t i = 1; i <= a.size(); ++i) {
    int diagonal = row[0];
    row[0] = static_cast<int>(i);
    int smallest = row[0];
    for (size_t j = 1; j <= b.size(); ++j) {
      const int above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
      smallest = std::min(smallest, row[j]);
    }
    if (smallest > limit) return limit + 1;
  }
  return std::min(row[b.size()], limit + 1);
}

bool ExchangeEqual(const std::string& received, const std::string& sent) {
  const SplitExchangeParts r = SplitExchange(received);
  const SplitExchangeParts s = SplitExchange(sent);
  return r.serial == s.serial && r.code == s.code;
}

std::string ExchangeCode(const std::string& exchange) { return SplitExchange(exchange).code; }

}  // namespace tools
