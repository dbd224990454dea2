#pragma once

// The cross-check of a contest's logs: every QSO line of every log gets a
// verdict from what the other logs hold. Pure: logs in, verdicts out.
//
// No step grows with the square of a station's QSOs: the other side of a
// QSO is looked up in QSOs indexed by (logging station, worked station) or
// by worked station, each sorted by time and searched for the window.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

// The verdicts of tools/logcheck/verdicts.def, in its order.
enum class Verdict {
#define LOGCHECK_VERDICT(id, name, credited, penalised, evidence) id,
#include "tools/logcheck/verdicts.def"
};
constexpr int kVerdictCount = 0
#define LOGCHECK_VERDICT(id, name, credited, penalised, evidence) +1
#include "tools/logcheck/verdicts.def"
    ;

// The columns of verdicts.def: "confirmed", "time-mismatch", ...; whether
// the QSO is credited, whether --penalty takes its points off; what it
// rests on, in words.
const char* VerdictName(Verdict verdict);
bool IsCredited(Verdict verdict);
bool IsPenalised(Verdict verdict);
const char* VerdictEvidence(Verdict verdict);

// The texts of a contest's QSO lines (calls, bands, modes, exchanges), each
// held once and named by its number, so that a QSO line takes a few words.
class TextPool {
 public:
  TextPool() = default;

  // The number of `text`, added when new. Numbers run from 0 in the order
  // texts were first added.
  uint32_t Intern(std::string_view text);
  // The text of `id`; valid while the pool lives.
  const std::string& Text(uint32_t id) const { return m_texts[id]; }
  size_t size() const { return m_texts.size(); }

 private:
  // Doubles m_slots and places every text again.
  void Grow();

  std::deque<std::string> m_texts;
  std::vector<uint32_t> m_hashes;  // of each text, by number
  // Open addressing, probed in turn from a text's hash: 0 is free, else a
  // text's number plus 1. Kept at most half full. A flat table: the look-ups
  // of a contest's millions of QSO lines were mostly waits on memory with
  // a table of linked nodes.
  std::vector<uint32_t> m_slots;
};

// One QSO line as the logging station wrote it; texts in the contest's
// TextPool. Calls, modes and exchanges upper case; an exchange without
// blanks, serial first ("015CD").
struct CheckQso {
  uint32_t line = 0;     // 1-based line in the log file; unique within the log
  uint32_t call = 0;     // worked call
  uint32_t band = 0;     // "80m"
  uint32_t mode = 0;     // "CW", "SSB" (PH, USB and LSB read as SSB)
  long long minute = 0;  // logged time, whole minutes since 1899-12-30 00:00 UTC
  uint32_t sentExchange = 0;
  uint32_t rcvdExchange = 0;
  // A QSO line whose time, band or mode could not be read: it takes no
  // part in matching and is judged unreadable. Its texts are those read
  // (empty ones otherwise) and `minute` the earliest it can have been
  // logged (CheckLog::unreadable).
  bool unreadable = false;
};

// Why a QSO line could not be read, and when it can have been logged: its
// own time when that was read, else between the readable QSO lines around
// it in the file.
struct UnreadableLine {
  uint32_t qso = 0;  // index into CheckLog::qsos
  std::string reason;
  long long earliest = 0;  // logged time, minutes as CheckQso::minute
  long long latest = 0;
  bool timeRead = false;  // earliest and latest are the line's own time
};

struct CheckLog {
  std::string call;       // the logging station, upper case; unique among the logs
  bool checklog = false;  // evidence only: it confirms others' QSOs
  std::vector<CheckQso> qsos;
  std::vector<UnreadableLine> unreadable;  // one per unreadable QSO line
};

// The UnreadableLine of `log`'s QSO `qso`; null when it is readable.
const UnreadableLine* UnreadableLineOf(const CheckLog& log, size_t qso);

// The order a QSO is judged in:
//  1. each log's clock, from its QSOs matched both ways (clock*);
//  2. pairing, each QSO with at most one of another log: QSOs both sides
//     logged alike, up to the time-mismatch limit apart (those within the
//     window and with exchanges right first); then busted calls, the other
//     station's call up to bustedCallEdits away, up to the time-mismatch
//     limit apart, with the serial received; then band or mode mismatches,
//     within the window;
//  3. the verdict: a paired QSO by its pairing and exchange; an unpaired
//     one nil when the station worked sent a log (unconfirmed when that log
//     has an unreadable line near the time), else unconfirmed or
//     busted-exchange when enough logs hold the station, else a busted call
//     of a popular call up to popularCallEdits away, else unique; a busted
//     call of a station that sent a log credits its QSO then;
//  4. outside-contest, by the corrected time;
//  5. dupes, by call, band, mode and tour of the corrected time.
struct MatchOptions {
  long long startMinute = 0;     // contest start, minutes as CheckQso::minute
  int windowMinutes = 5;         // confirmed within this many minutes
  int timeMismatchMinutes = 15;  // credited as time-mismatch up to this
  int clockSearchMinutes = 90;   // how far apart QSOs may be to estimate a clock
  int clockMinQsos = 5;          // well-matched QSOs needed for a correction
  int clockMinMinutes = 2;       // smallest correction applied
  int unconfirmedMinLogs = 2;    // logs that must hold a station without a log
  int majorityMinLogs = 3;       // logs that must agree on such a station's code
  int popularCallLogs = 10;      // logs that make a call the likely one for a unique
  // How near in time a popular station must have been on the band and
  // mode of a unique one edit from its call (a run station stays on a band
  // for long).
  int popularWindowMinutes = 30;
  int bustedCallEdits = 2;   // how far a miscopied call may be from the one meant
  int popularCallEdits = 1;  // the same, for a unique meant as a popular call
  // Logs that must agree on the code of a station without a log for a
  // popular call's code to be known.
  int codeMajorityFloor = 1;
};

// What else than a matched QSO the other* fields of a verdict name.
enum class EvidenceKind : uint8_t {
  kNone,
  kNearest,     // nil: the other log's nearest QSO with this station, outside the window
  kUnreadable,  // unconfirmed: the other log's unreadable line near that time
  kEarlier,     // dupe: the entrant's own earlier QSO it repeats
};

struct QsoVerdict {
  Verdict verdict = Verdict::kUnique;
  bool matched = false;                         // other* name the other log's QSO
  EvidenceKind evidence = EvidenceKind::kNone;  // unmatched: what other* name
  uint32_t otherLog = 0;                        // index into the logs given
  uint32_t otherQso = 0;                        // index into that log's qsos
  int minutesApart = 0;  // after the clock corrections, when matched or kNearest
  // What the other side shows: the call (busted-call), exchange
  // (busted-exchange), band or mode (band-, mode-mismatch); the code of the
  // majority for a station without a log; why the line is unreadable.
  // Mostly empty.
  std::string correct;
};

struct LogVerdicts {
  // Minutes the log's clock was ahead (its times less this are used); 0
  // when no correction applies.
  long long clockOffset = 0;
  size_t clockQsos = 0;  // well-matched QSOs the estimate came from
  long long clockMedian = 0;
  std::vector<QsoVerdict> qsos;  // one per CheckLog::qsos, same order
};

// Checks every log against the others. Independent of the order of `logs`
// and of the QSOs within a log: ties are broken by calls and lines.
// Memory: about 100 bytes per QSO line besides the verdicts, freed on
// return.
std::vector<LogVerdicts> CheckAllLogs(const std::vector<CheckLog>& logs, const TextPool& texts,
                                      const MatchOptions& options);

// Levenshtein distance of `a` and `b`, or `limit` + 1 when it exceeds
// `limit`.
int EditDistance(const std::string& a, const std::string& b, int limit);

// Whether a received exchange equals the one sent: the serials (leading
// digits) by value ("001" equals "1"), the rest as text.
bool ExchangeEqual(const std::string& received, const std::string& sent);

// The code of an exchange: what follows its leading digits ("015CD" gives
// "CD").
std::string ExchangeCode(const std::string& exchange);

}  // namespace tools
