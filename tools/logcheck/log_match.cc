#include "tools/logcheck/log_match.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <set>
#include <tuple>
#include <unordered_map>

#include "stats/contest_facts.h"

namespace tools {
namespace {

struct VerdictFacts {
  const char* name;
  bool credited;
  bool penalised;
  const char* evidence;
};
constexpr VerdictFacts kVerdicts[kVerdictCount] = {
#define LOGCHECK_VERDICT(id, name, credited, penalised, evidence) \
  {name, credited, penalised, evidence},
#include "tools/logcheck/verdicts.def"
};

struct Ref {
  uint32_t log = 0;
  uint32_t qso = 0;
};

// A QSO filed under a key (a logging station, a worked call or both), with
// its corrected time. Twenty bytes: the indexes hold one per QSO line.
struct Entry {
  uint32_t keyHigh = 0;
  uint32_t keyLow = 0;
  int32_t minute = 0;  // minutes since 1899 stay below 2^31 until the year 5900
  Ref ref;

  uint64_t Key() const { return (uint64_t{keyHigh} << 32) | keyLow; }
};

Entry MakeEntry(uint64_t key, long long minute, Ref ref) {
  return {static_cast<uint32_t>(key >> 32), static_cast<uint32_t>(key),
          static_cast<int32_t>(minute), ref};
}

struct Span {
  const Entry* begin = nullptr;
  const Entry* end = nullptr;
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
enum class PairKind : uint8_t { kNone, kSame, kBustedCall, kBandOrMode };

// Numbers given to texts on first sight, from 0.
class LocalIds {
 public:
  uint32_t Of(const std::string& text) {
    const auto [it, fresh] = m_ids.try_emplace(text, static_cast<uint32_t>(m_texts.size()));
    if (fresh) m_texts.push_back(text);
    return it->second;
  }
  const std::string& Text(uint32_t id) const { return m_texts[id]; }

 private:
  std::unordered_map<std::string, uint32_t> m_ids;
  std::vector<std::string> m_texts;
};

// A call is named by its number in the pool; a logging station whose call
// no QSO holds gets a number past the pool's.
class Checker {
 public:
  Checker(const std::vector<CheckLog>& logs, const TextPool& texts, const MatchOptions& options)
      : m_logs(logs), m_texts(texts), m_options(options), m_out(logs.size()) {
    std::vector<uint32_t> byCall(logs.size());
    for (uint32_t i = 0; i < logs.size(); ++i) byCall[i] = i;
    std::sort(byCall.begin(), byCall.end(),
              [&](uint32_t a, uint32_t b) { return logs[a].call < logs[b].call; });
    m_rank.resize(logs.size());
    for (uint32_t r = 0; r < byCall.size(); ++r) m_rank[byCall[r]] = r;
    std::unordered_map<std::string_view, uint32_t> poolIds;
    for (uint32_t id = 0; id < texts.size(); ++id) poolIds.emplace(texts.Text(id), id);
    m_logOfCall.assign(texts.size() + logs.size(), kNoLog);
    for (uint32_t i = 0; i < logs.size(); ++i) {
      const auto found = poolIds.find(logs[i].call);
      const uint64_t key = found != poolIds.end() ? found->second : texts.size() + i;
      m_callKeyOfLog.push_back(key);
      m_logOfCall[key] = i;
      m_out[i].qsos.resize(logs[i].qsos.size());
      m_pairs.emplace_back(logs[i].qsos.size());
      m_kinds.emplace_back(logs[i].qsos.size(), PairKind::kNone);
    }
    // Exchanges compared by their serial's value and their code.
    m_serialOf.resize(texts.size());
    m_codeOf.resize(texts.size());
    LocalIds serials;
    for (uint32_t id = 0; id < texts.size(); ++id) {
      const SplitExchangeParts parts = SplitExchange(texts.Text(id));
      m_serialOf[id] = serials.Of(parts.serial);
      m_codeOf[id] = m_codes.Of(parts.code);
    }
    m_noCode = m_codes.Of(std::string());
  }

  std::vector<LogVerdicts> Run() {
    BuildIndexes(false);
    EstimateClocks();
    // The index by pair holds one logging station's QSOs together, so a
    // correction of its clock keeps their order: only the minutes change.
    for (Entry& e : m_byPair) e.minute = static_cast<int32_t>(Minute(e.ref));
    BuildIndexes(true);
    PairSameQsos();
    {
      const std::vector<Ref> canonical = CanonicalRefs();
      for (const Ref& a : canonical) {
        if (!Paired(a)) PairBustedCall(a);
      }
      for (const Ref& a : canonical) {
        if (!Paired(a)) PairBandOrMode(a);
      }
    }
    BuildCallFacts();
    for (uint32_t i = 0; i < m_logs.size(); ++i) {
      for (uint32_t j = 0; j < m_logs[i].qsos.size(); ++j) Judge({i, j});
    }
    for (const auto& [a, log] : m_bustedOfLogs) CreditBustedCallsOther(a, log);
    for (uint32_t i = 0; i < m_logs.size(); ++i) MarkDupes(i);
    return std::move(m_out);
  }

 private:
  static constexpr uint32_t kNoLog = 0xFFFFFFFFu;

  const CheckQso& Qso(const Ref& r) const { return m_logs[r.log].qsos[r.qso]; }
  long long Minute(const Ref& r) const { return Qso(r).minute - m_out[r.log].clockOffset; }
  bool Paired(const Ref& r) const { return m_kinds[r.log][r.qso] != PairKind::kNone; }
  const std::string& Text(uint32_t id) const { return m_texts.Text(id); }
  const std::string& CallText(uint64_t key) const {
    return key < m_texts.size() ? m_texts.Text(static_cast<uint32_t>(key))
                                : m_logs[key - m_texts.size()].call;
  }
  uint32_t CodeOfRcvd(const Ref& r) const { return m_codeOf[Qso(r).rcvdExchange]; }
  static uint64_t PairKey(uint32_t owner, uint64_t worked) {
    return (uint64_t{owner} << 32) | worked;
  }

  // The order every tie is broken in: the logging call, then the line.
  bool Before(const Ref& a, const Ref& b) const {
    if (a.log != b.log) return m_rank[a.log] < m_rank[b.log];
    return Qso(a).line < Qso(b).line;
  }

  // The readable QSOs, by logging call and line.
  std::vector<Ref> CanonicalRefs() const {
    std::vector<uint32_t> logs(m_logs.size());
    for (uint32_t i = 0; i < logs.size(); ++i) logs[m_rank[i]] = i;
    std::vector<Ref> refs;
    for (uint32_t i : logs) {
      const size_t first = refs.size();
      for (uint32_t j = 0; j < m_logs[i].qsos.size(); ++j) {
        if (!m_logs[i].qsos[j].unreadable) refs.push_back({i, j});
      }
      std::sort(refs.begin() + static_cast<std::ptrdiff_t>(first), refs.end(),
                [&](const Ref& a, const Ref& b) { return Qso(a).line < Qso(b).line; });
    }
    return refs;
  }

  void SortIndex(std::vector<Entry>* index) const {
    std::sort(index->begin(), index->end(), [&](const Entry& a, const Entry& b) {
      if (a.Key() != b.Key()) return a.Key() < b.Key();
      return a.minute != b.minute ? a.minute < b.minute : Before(a.ref, b.ref);
    });
  }

  // The index by pair (the clock estimate reads only that one), or with
  // `workedToo` the others.
  void BuildIndexes(bool workedToo) {
    size_t total = 0;
    for (const CheckLog& log : m_logs) total += log.qsos.size();
    if (!workedToo) {
      m_byPair.clear();
      m_byPair.reserve(total);
      for (uint32_t i = 0; i < m_logs.size(); ++i) {
        for (uint32_t j = 0; j < m_logs[i].qsos.size(); ++j) {
          if (m_logs[i].qsos[j].unreadable) continue;
          m_byPair.push_back(MakeEntry(PairKey(i, m_logs[i].qsos[j].call), Minute({i, j}), {i, j}));
        }
      }
      SortIndex(&m_byPair);
      return;
    }
    m_byWorked.clear();
    m_byWorked.reserve(total);
    for (uint32_t i = 0; i < m_logs.size(); ++i) {
      for (uint32_t j = 0; j < m_logs[i].qsos.size(); ++j) {
        if (m_logs[i].qsos[j].unreadable) continue;
        m_byWorked.push_back(MakeEntry(m_logs[i].qsos[j].call, Minute({i, j}), {i, j}));
      }
    }
    SortIndex(&m_byWorked);
    // A log's own QSOs keep their order whatever its clock correction.
    m_ownOrder.resize(m_logs.size());
    for (uint32_t i = 0; i < m_logs.size(); ++i) {
      std::vector<uint32_t>& order = m_ownOrder[i];
      const std::vector<CheckQso>& qsos = m_logs[i].qsos;
      order.clear();
      for (uint32_t j = 0; j < qsos.size(); ++j) {
        if (!qsos[j].unreadable) order.push_back(j);
      }
      std::sort(order.begin(), order.end(), [&](uint32_t x, uint32_t y) {
        return std::tie(qsos[x].minute, qsos[x].line) < std::tie(qsos[y].minute, qsos[y].line);
      });
    }
  }

  static Span Find(const std::vector<Entry>& index, uint64_t key) {
    const auto range =
        std::equal_range(index.begin(), index.end(), MakeEntry(key, 0, {}),
                         [](const Entry& a, const Entry& b) { return a.Key() < b.Key(); });
    return {index.data() + (range.first - index.begin()),
            index.data() + (range.second - index.begin())};
  }
  Span PairList(uint32_t owner, uint64_t worked) const {
    return Find(m_byPair, PairKey(owner, worked));
  }
  Span WorkedList(uint64_t worked) const { return Find(m_byWorked, worked); }

  // Calls `visit` for each entry of `span` within `window` minutes of
  // `minute`.
  template <typename Visit>
  static void InWindow(Span span, long long minute, long long window, Visit visit) {
    const Entry* it = std::lower_bound(span.begin, span.end, minute - window,
                                       [](const Entry& t, long long m) { return t.minute < m; });
    for (; it != span.end && it->minute <= minute + window; ++it) visit(*it);
  }

  // The log of the station `a` worked, when it sent one and is another.
  bool OtherLog(const Ref& a, uint32_t* log) const {
    const uint32_t other = m_logOfCall[Qso(a).call];
    if (other == kNoLog || other == a.log) return false;
    *log = other;
    return true;
  }

  bool ExchangeSame(uint32_t received, uint32_t sent) const {
    return m_serialOf[received] == m_serialOf[sent] && m_codeOf[received] == m_codeOf[sent];
  }
  bool BothRight(const Ref& a, const Ref& b) const {
    return ExchangeSame(Qso(a).rcvdExchange, Qso(b).sentExchange) &&
           ExchangeSame(Qso(b).rcvdExchange, Qso(a).sentExchange);
  }
  bool SameBandMode(const CheckQso& x, const CheckQso& y) const {
    return x.band == y.band && x.mode == y.mode;
  }

  // Each log's clock from its QSOs that match another log with calls and
  // exchanges right both ways: the median of the differences, taken from
  // the raw times (the indexes hold them before any correction).
  void EstimateClocks() {
    for (uint32_t i = 0; i < m_logs.size(); ++i) {
      std::vector<long long> differences;
      for (uint32_t j = 0; j < m_logs[i].qsos.size(); ++j) {
        const Ref a{i, j};
        uint32_t other = 0;
        if (Qso(a).unreadable || !OtherLog(a, &other)) continue;
        bool found = false;
        long long best = 0;
        InWindow(PairList(other, m_callKeyOfLog[i]), Qso(a).minute, m_options.clockSearchMinutes,
                 [&](const Entry& b) {
                   if (!SameBandMode(Qso(b.ref), Qso(a)) || !BothRight(a, b.ref)) return;
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
      int apart;
      bool right;
      Ref a, b;
    };
    std::vector<Candidate> candidates;
    for (uint32_t i = 0; i < m_logs.size(); ++i) {
      for (uint32_t j = 0; j < m_logs[i].qsos.size(); ++j) {
        const Ref a{i, j};
        uint32_t other = 0;
        if (Qso(a).unreadable || !OtherLog(a, &other) || !(m_logs[i].call < m_logs[other].call)) {
          continue;
        }
        InWindow(PairList(other, m_callKeyOfLog[i]), Minute(a), m_options.timeMismatchMinutes,
                 [&](const Entry& b) {
                   if (!SameBandMode(Qso(b.ref), Qso(a))) return;
                   candidates.push_back({static_cast<int>(std::llabs(b.minute - Minute(a))),
                                         BothRight(a, b.ref), a, b.ref});
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
  // two edits of it logged this station then (as near as an exact match
  // may be), on that band and mode, and sent the serial `a` received.
  void PairBustedCall(const Ref& a) {
    const CheckQso& q = Qso(a);
    const uint64_t own = m_callKeyOfLog[a.log];
    if (q.call == own) return;
    const uint32_t serial = m_serialOf[q.rcvdExchange];
    bool found = false;
    std::tuple<int, long long> best;
    Ref bestRef;
    InWindow(WorkedList(own), Minute(a), m_options.timeMismatchMinutes, [&](const Entry& b) {
      const CheckQso& other = Qso(b.ref);
      if (b.ref.log == a.log || Paired(b.ref) || m_callKeyOfLog[b.ref.log] == q.call ||
          !SameBandMode(other, q) || m_serialOf[other.sentExchange] != serial) {
        return;
      }
      const int limit = m_options.bustedCallEdits;
      const int distance = EditDistance(Text(q.call), m_logs[b.ref.log].call, limit);
      if (distance > limit) return;
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
    uint32_t other = 0;
    if (!OtherLog(a, &other)) return;
    bool found = false;
    Ref bestRef;
    long long best = 0;
    InWindow(PairList(other, m_callKeyOfLog[a.log]), Minute(a), m_options.windowMinutes,
             [&](const Entry& b) {
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
    std::vector<std::pair<uint32_t, uint32_t>> codeLogs;  // code, log
    std::vector<uint32_t> logs;
    for (size_t first = 0; first < m_byWorked.size();) {
      size_t last = first;
      logs.clear();
      codeLogs.clear();
      for (; last < m_byWorked.size() && m_byWorked[last].Key() == m_byWorked[first].Key();
           ++last) {
        const Ref& r = m_byWorked[last].ref;
        logs.push_back(r.log);
        codeLogs.push_back({CodeOfRcvd(r), r.log});
      }
      std::sort(logs.begin(), logs.end());
      std::sort(codeLogs.begin(), codeLogs.end());
      CallFacts& facts = m_calls[m_byWorked[first].Key()];
      facts.logs = std::unique(logs.begin(), logs.end()) - logs.begin();
      codeLogs.erase(std::unique(codeLogs.begin(), codeLogs.end()), codeLogs.end());
      for (const auto& [code, log] : codeLogs) {
        if (facts.codeLogs.empty() || facts.codeLogs.back().first != code) {
          facts.codeLogs.push_back({code, 0});
        }
        ++facts.codeLogs.back().second;
      }
      first = last;
    }
    std::set<uint64_t> likely(m_callKeyOfLog.begin(), m_callKeyOfLog.end());
    for (const auto& [call, facts] : m_calls) {
      if (facts.logs >= static_cast<size_t>(m_options.popularCallLogs)) likely.insert(call);
    }
    for (uint64_t call : likely) {
      for (const std::string& key : Deletions(CallText(call))) m_byDeletion[key].push_back(call);
    }
  }

  // `call` less up to popularCallEdits characters, each variant once: two
  // calls that many edits apart share one.
  std::vector<std::string> Deletions(const std::string& call) const {
    std::vector<std::string> keys{call};
    for (size_t from = 0, depth = 0; depth < static_cast<size_t>(m_options.popularCallEdits);
         ++depth) {
      const size_t to = keys.size();
      for (size_t k = from; k < to; ++k) {
        for (size_t i = 0; i < keys[k].size(); ++i) {
          keys.push_back(keys[k].substr(0, i) + keys[k].substr(i + 1));
        }
      }
      from = to;
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
  }

  // The code most logs received from `call`, leaving out `exceptLog`'s
  // codes; m_noCode unless at least `least` logs agree and no other code
  // ties.
  uint32_t MajorityCode(uint64_t call, uint32_t exceptLog, size_t least) const {
    const auto facts = m_calls.find(call);
    if (facts == m_calls.end()) return m_noCode;
    std::vector<uint32_t> own;
    const Span mine = PairList(exceptLog, call);
    for (const Entry* e = mine.begin; e != mine.end; ++e) own.push_back(CodeOfRcvd(e->ref));
    uint32_t top = m_noCode;
    size_t topCount = 0;
    bool tie = false;
    for (const auto& [code, count] : facts->second.codeLogs) {
      const bool held = std::find(own.begin(), own.end(), code) != own.end();
      const size_t others = count - (held ? 1 : 0);
      if (others > topCount) {
        top = code;
        topCount = others;
        tie = false;
      } else if (others == topCount) {
        tie = true;
      }
    }
    return topCount >= least && !tie ? top : m_noCode;
  }

  // The code `call` sends: its own log's first, else what most logs
  // received.
  uint32_t CodeOf(uint64_t call, uint32_t exceptLog) const {
    const uint32_t log = call < m_logOfCall.size() ? m_logOfCall[call] : kNoLog;
    if (log != kNoLog && !m_ownOrder[log].empty()) {
      return m_codeOf[m_logs[log].qsos[m_ownOrder[log].front()].sentExchange];
    }
    return MajorityCode(call, exceptLog, static_cast<size_t>(m_options.codeMajorityFloor));
  }

  // Whether `call` was on `a`'s band and mode near its time (the popular
  // window): logged by another station, or logging in its own log.
  bool ActiveAt(uint64_t call, const Ref& a) const {
    bool active = false;
    const auto matches = [&](const Entry& t) {
      active = active || (t.ref.log != a.log && SameBandMode(Qso(t.ref), Qso(a)));
    };
    const long long window = m_options.popularWindowMinutes;
    InWindow(WorkedList(call), Minute(a), window, matches);
    const uint32_t log = call < m_logOfCall.size() ? m_logOfCall[call] : kNoLog;
    if (log == kNoLog) return active;
    const std::vector<uint32_t>& own = m_ownOrder[log];
    auto it =
        std::lower_bound(own.begin(), own.end(), Minute(a) - window, [&](uint32_t j, long long m) {
          return Minute({log, j}) < m;
        });
    for (; it != own.end() && Minute({log, *it}) <= Minute(a) + window; ++it) {
      matches(MakeEntry(log, Minute({log, *it}), {log, *it}));
    }
    return active;
  }

  // A unique that is one edit from a likely call on the air then with the
  // same code: that call's key; false when there is none.
  bool LikelyCallFor(const Ref& a, uint64_t* likely) const {
    const CheckQso& q = Qso(a);
    const uint32_t code = CodeOfRcvd(a);
    std::map<std::string, uint64_t> candidates;
    for (const std::string& key : Deletions(Text(q.call))) {
      const auto it = m_byDeletion.find(key);
      if (it == m_byDeletion.end()) continue;
      for (uint64_t call : it->second) {
        if (call != q.call && call != m_callKeyOfLog[a.log]) candidates[CallText(call)] = call;
      }
    }
    for (const auto& [text, call] : candidates) {
      const int limit = m_options.popularCallEdits;
      if (EditDistance(Text(q.call), text, limit) <= limit && CodeOf(call, a.log) == code &&
          ActiveAt(call, a)) {
        *likely = call;
        return true;
      }
    }
    return false;
  }

  void JudgeExchange(const Ref& a, const Ref& b, QsoVerdict* verdict) const {
    if (!ExchangeSame(Qso(a).rcvdExchange, Qso(b).sentExchange)) {
      verdict->verdict = Verdict::kBustedExchange;
      verdict->correct = Text(Qso(b).sentExchange);
    } else {
      verdict->verdict = verdict->minutesApart <= m_options.windowMinutes ? Verdict::kConfirmed
                                                                          : Verdict::kTimeMismatch;
    }
  }

  void Judge(const Ref& a) {
    QsoVerdict& verdict = m_out[a.log].qsos[a.qso];
    const PairKind kind = m_kinds[a.log][a.qso];
    const CheckQso& q = Qso(a);
    if (q.unreadable) {
      verdict.verdict = Verdict::kUnreadable;
      if (const UnreadableLine* line = UnreadableLineOf(m_logs[a.log], a.qso)) {
        verdict.correct = line->reason;
      }
      return;
    }
    if (kind != PairKind::kNone) {
      const Ref& b = m_pairs[a.log][a.qso];
      verdict.matched = true;
      verdict.otherLog = b.log;
      verdict.otherQso = b.qso;
      verdict.minutesApart = static_cast<int>(std::llabs(Minute(a) - Minute(b)));
      const bool calledWrong = kind == PairKind::kBustedCall && q.call != m_callKeyOfLog[b.log];
      if (calledWrong) {
        verdict.verdict = Verdict::kBustedCall;
        verdict.correct = m_logs[b.log].call;
      } else if (kind == PairKind::kBandOrMode) {
        const bool band = Qso(b).band != q.band;
        verdict.verdict = band ? Verdict::kBandMismatch : Verdict::kModeMismatch;
        verdict.correct = Text(band ? Qso(b).band : Qso(b).mode);
      } else {
        JudgeExchange(a, b, &verdict);
      }
    } else if (uint32_t other = 0; OtherLog(a, &other)) {
      verdict.verdict = Verdict::kNil;
      if (UnreadableNear(other, Minute(a), &verdict)) {
        verdict.verdict = Verdict::kUnconfirmed;
      } else {
        NearestOutside(a, other, &verdict);
      }
    } else {
      const auto facts = m_calls.find(q.call);
      const size_t holders = facts == m_calls.end() ? 0 : facts->second.logs;
      if (holders >= static_cast<size_t>(m_options.unconfirmedMinLogs)) {
        const uint32_t majority =
            MajorityCode(q.call, a.log, static_cast<size_t>(m_options.majorityMinLogs));
        const bool wrong = majority != m_noCode && majority != CodeOfRcvd(a);
        verdict.verdict = wrong ? Verdict::kBustedExchange : Verdict::kUnconfirmed;
        if (wrong) verdict.correct = m_codes.Text(majority);
      } else if (uint64_t likely = 0; LikelyCallFor(a, &likely)) {
        verdict.verdict = Verdict::kBustedCall;
        verdict.correct = CallText(likely);
        if (likely < m_logOfCall.size() && m_logOfCall[likely] != kNoLog) {
          m_bustedOfLogs.push_back({a, m_logOfCall[likely]});
        }
      } else {
        verdict.verdict = Verdict::kUnique;
      }
    }
    if (stats::TourOfMinutes(Minute(a) - m_options.startMinute) == stats::kOutsideTours) {
      verdict.verdict = Verdict::kOutsideContest;
      verdict.correct.clear();
      verdict.evidence = EvidenceKind::kNone;
    }
  }

  // Whether log `other` holds a line that could not be read and may have
  // been logged within the time-mismatch limit of `minute`; names it in
  // `verdict` when so.
  bool UnreadableNear(uint32_t other, long long minute, QsoVerdict* verdict) const {
    const long long offset = m_out[other].clockOffset;
    const long long limit = m_options.timeMismatchMinutes;
    for (const UnreadableLine& line : m_logs[other].unreadable) {
      const long long earliest = line.earliest - offset;
      const long long latest = line.latest - offset;
      if (latest < minute - limit || earliest > minute + limit) continue;
      verdict->evidence = EvidenceKind::kUnreadable;
      verdict->otherLog = other;
      verdict->otherQso = line.qso;
      verdict->minutesApart =
          static_cast<int>(minute < earliest ? earliest - minute : std::max(0LL, minute - latest));
      return true;
    }
    return false;
  }

  // Names in `verdict` the QSO of log `other` with `a`'s station on its
  // band and mode that is nearest in time, when there is one.
  void NearestOutside(const Ref& a, uint32_t other, QsoVerdict* verdict) const {
    const Span span = PairList(other, m_callKeyOfLog[a.log]);
    const Entry* best = nullptr;
    for (const Entry* e = span.begin; e != span.end; ++e) {
      if (!SameBandMode(Qso(e->ref), Qso(a))) continue;
      const long long apart = std::llabs(e->minute - Minute(a));
      if (best == nullptr || apart < std::llabs(best->minute - Minute(a))) best = e;
    }
    if (best == nullptr) return;
    verdict->evidence = EvidenceKind::kNearest;
    verdict->otherLog = best->ref.log;
    verdict->otherQso = best->ref.qso;
    verdict->minutesApart = static_cast<int>(std::llabs(best->minute - Minute(a)));
  }

  // `a` was judged a busted call of the station that sent log `log`: that
  // log's QSO with `a`'s station then, left nil, is the other side of it
  // and is judged as matched (confirmed or time-mismatch when its exchange
  // is right).
  void CreditBustedCallsOther(const Ref& a, uint32_t log) {
    const Entry* best = nullptr;
    InWindow(PairList(log, m_callKeyOfLog[a.log]), Minute(a), m_options.timeMismatchMinutes,
             [&](const Entry& b) {
               if (Paired(b.ref) || !SameBandMode(Qso(b.ref), Qso(a)) ||
                   m_out[b.ref.log].qsos[b.ref.qso].verdict != Verdict::kNil) {
                 return;
               }
               if (best == nullptr ||
                   std::llabs(b.minute - Minute(a)) < std::llabs(best->minute - Minute(a))) {
                 best = &b;
               }
             });
    if (best == nullptr) return;
    const Ref b = best->ref;
    Pair(a, b, PairKind::kBustedCall);
    const int apart = static_cast<int>(std::llabs(Minute(a) - Minute(b)));
    for (const auto& [self, other] : {std::pair{a, b}, std::pair{b, a}}) {
      QsoVerdict& v = m_out[self.log].qsos[self.qso];
      v.matched = true;
      v.evidence = EvidenceKind::kNone;
      v.otherLog = other.log;
      v.otherQso = other.qso;
      v.minutesApart = apart;
    }
    QsoVerdict& theirs = m_out[b.log].qsos[b.qso];
    theirs.correct.clear();
    JudgeExchange(b, a, &theirs);
  }

  // Repeats: the same call, band, mode and tour, the tour of the
  // corrected time (the key the plug-in's call check calls a repeat by;
  // its half-hour window for the other mode does not apply here, where
  // the mode is part of the key). The first credited QSO stays; later
  // credited ones, and the repeats the other log holds once (nil here),
  // are dupes of it.
  void MarkDupes(uint32_t log) {
    const std::vector<CheckQso>& qsos = m_logs[log].qsos;
    std::vector<QsoVerdict>& out = m_out[log].qsos;
    using Key = std::tuple<uint32_t, uint32_t, uint32_t, long long, long long, uint32_t>;
    std::vector<std::pair<Key, uint32_t>> members;
    for (uint32_t j = 0; j < qsos.size(); ++j) {
      if (out[j].verdict == Verdict::kOutsideContest || qsos[j].unreadable) continue;
      const CheckQso& q = qsos[j];
      const long long minute = Minute({log, j});
      const long long tour = stats::TourOfMinutes(minute - m_options.startMinute);
      members.push_back({Key{q.call, q.band, q.mode, tour, minute, q.line}, j});
    }
    std::sort(members.begin(), members.end());
    const auto sameGroup = [](const Key& x, const Key& y) {
      return std::get<0>(x) == std::get<0>(y) && std::get<1>(x) == std::get<1>(y) &&
             std::get<2>(x) == std::get<2>(y) && std::get<3>(x) == std::get<3>(y);
    };
    for (size_t first = 0; first < members.size();) {
      size_t last = first + 1;
      while (last < members.size() && sameGroup(members[first].first, members[last].first)) ++last;
      const uint32_t* kept = nullptr;
      const auto dupeOfKept = [&](uint32_t j) {
        QsoVerdict& v = out[j];
        v = QsoVerdict();
        v.verdict = Verdict::kDupe;
        v.evidence = EvidenceKind::kEarlier;
        v.otherLog = log;
        v.otherQso = *kept;
        v.minutesApart = static_cast<int>(std::llabs(Minute({log, j}) - Minute({log, *kept})));
      };
      for (size_t m = first; m < last && last - first > 1; ++m) {
        const uint32_t j = members[m].second;
        if (!IsCredited(out[j].verdict)) continue;
        if (kept != nullptr) {
          dupeOfKept(j);
        } else {
          kept = &members[m].second;
        }
      }
      for (size_t m = first; kept != nullptr && m < last; ++m) {
        if (out[members[m].second].verdict == Verdict::kNil) dupeOfKept(members[m].second);
      }
      first = last;
    }
  }

  struct CallFacts {
    size_t logs = 0;                                    // logs that hold the call
    std::vector<std::pair<uint32_t, size_t>> codeLogs;  // code received -> logs that received it
  };

  const std::vector<CheckLog>& m_logs;
  const TextPool& m_texts;
  const MatchOptions& m_options;
  std::vector<LogVerdicts> m_out;
  std::vector<uint32_t> m_rank;          // each log's place in the order of the calls
  std::vector<uint64_t> m_callKeyOfLog;  // each logging station's call
  std::vector<uint32_t> m_logOfCall;     // by call: the log of that station, or kNoLog
  std::vector<uint32_t> m_serialOf;      // by pool text read as an exchange
  std::vector<uint32_t> m_codeOf;
  LocalIds m_codes;
  uint32_t m_noCode = 0;                          // the empty code
  std::vector<Entry> m_byPair;                    // by logging station and worked call
  std::vector<Entry> m_byWorked;                  // by worked call
  std::vector<std::vector<uint32_t>> m_ownOrder;  // each log's QSOs in time order
  std::vector<std::vector<Ref>> m_pairs;
  std::vector<std::vector<PairKind>> m_kinds;
  std::unordered_map<uint64_t, CallFacts> m_calls;
  std::unordered_map<std::string, std::vector<uint64_t>> m_byDeletion;
  // Busted calls judged by the popular-call rule whose station sent a log.
  std::vector<std::pair<Ref, uint32_t>> m_bustedOfLogs;
};

}  // namespace

const char* VerdictName(Verdict verdict) { return kVerdicts[static_cast<int>(verdict)].name; }
bool IsCredited(Verdict verdict) { return kVerdicts[static_cast<int>(verdict)].credited; }
bool IsPenalised(Verdict verdict) { return kVerdicts[static_cast<int>(verdict)].penalised; }
const char* VerdictEvidence(Verdict verdict) {
  return kVerdicts[static_cast<int>(verdict)].evidence;
}

uint32_t TextPool::Intern(std::string_view text) {
  // FNV-1a: texts are short, and a hash of every byte spreads the calls
  // and exchanges, which differ in a digit or two.
  uint32_t hash = 2166136261u;
  for (char ch : text) hash = (hash ^ static_cast<unsigned char>(ch)) * 16777619u;
  if (m_slots.size() < 2 * (m_texts.size() + 1)) Grow();
  const size_t mask = m_slots.size() - 1;
  size_t at = hash & mask;
  for (; m_slots[at] != 0; at = (at + 1) & mask) {
    const uint32_t id = m_slots[at] - 1;
    if (m_hashes[id] == hash && m_texts[id] == text) return id;
  }
  const uint32_t id = static_cast<uint32_t>(m_texts.size());
  m_texts.emplace_back(text);
  m_hashes.push_back(hash);
  m_slots[at] = id + 1;
  return id;
}

void TextPool::Grow() {
  std::vector<uint32_t> slots(std::max<size_t>(1024, 2 * m_slots.size()), 0);
  const size_t mask = slots.size() - 1;
  for (uint32_t id = 0; id < m_texts.size(); ++id) {
    size_t at = m_hashes[id] & mask;
    while (slots[at] != 0) at = (at + 1) & mask;
    slots[at] = id + 1;
  }
  m_slots = std::move(slots);
}

const UnreadableLine* UnreadableLineOf(const CheckLog& log, size_t qso) {
  for (const UnreadableLine& line : log.unreadable) {
    if (line.qso == qso) return &line;
  }
  return nullptr;
}

std::vector<LogVerdicts> CheckAllLogs(const std::vector<CheckLog>& logs, const TextPool& texts,
                                      const MatchOptions& options) {
  return Checker(logs, texts, options).Run();
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
