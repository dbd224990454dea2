#include "tools/replay/replay_run.h"

#include <cstdint>

#include "cabrillo/file_base.h"
#include "platform/tools/executable_path.h"
#include "platform/tools/notice_capture.h"

namespace tools {
namespace {

// The caption of the plug-in's notice about the Cabrillo log, and the start
// of its text when the file was written.
constexpr char kCabrilloNotice[] = "Output: ";
constexpr char kFileProduced[] = "File produced: ";
constexpr size_t kMaxErrorLine = 400;

// The length of the UTF-8 sequence at `text[at]` of a printable character
// above U+009F (a name in Cyrillic, say); 0 when the bytes there are none:
// a control, a stray or overlong byte, a surrogate, a cut-off sequence.
size_t PrintableUtf8Length(const std::string& text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || at + length > text.size()) return 0;
  uint32_t code = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  const uint32_t smallest[] = {0, 0, 0xA0, 0x800, 0x10000};
  if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

// `text` on one line of at most about `limit` bytes: control bytes and
// bytes that are not printable UTF-8 as \xNN, the rest cut off with "...".
std::string Printable(const std::string& text, size_t limit) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string line;
  for (size_t at = 0; at < text.size();) {
    if (line.size() >= limit) return line + "...";
    const unsigned char c = static_cast<unsigned char>(text[at]);
    const size_t length = c >= 0x80 ? PrintableUtf8Length(text, at) : 0;
    if (length > 0) {
      line.append(text, at, length);
      at += length;
    } else if (c < 0x20 || c > 0x7e) {
      line += "\\x";
      line += kHex[c >> 4];
      line += kHex[c & 0xf];
      ++at;
    } else {
      line += static_cast<char>(c);
      ++at;
    }
  }
  return line;
}

}  // namespace

// The text of the plug-in's last notice about the Cabrillo log, without its
// caption; empty when it gave none.
std::string CabrilloNotice(const ReplayOutcome& outcome) {
  std::string notice;
  for (const std::string& shown : outcome.notices) {
    if (shown.rfind(kCabrilloNotice, 0) == 0) notice = shown.substr(sizeof kCabrilloNotice - 1);
  }
  return notice;
}

std::unique_ptr<PluginHost> LoadScoringPlugin(const std::string& path, ExportNames names,
                                              std::string* problem) {
  const std::string pluginPath =
      path.empty() ? platform::PathBesideExecutable(kPluginFileName) : path;
  std::unique_ptr<PluginHost> host = PluginHost::Load(pluginPath, names, problem);
  if (host != nullptr && host->NumberOfSets() < 1) {
    *problem = "plug-in " + pluginPath + " offers no statistics set";
    host.reset();
  }
  return host;
}

ReplayOutcome Replay(const PluginHost& host, const ReplayPlan& plan, ProgressLine* progress,
                     const std::function<void()>& afterReset) {
  return ReplayEach(
      host, plan, plan.qsos.size(), [&](size_t i) -> const AdifQso& { return plan.qsos[i]; },
      progress, afterReset);
}

ReplayOutcome ReplayEach(const PluginHost& host, const ReplayPlan& plan, size_t count,
                         const QsoAt& qsoAt, ProgressLine* progress,
                         const std::function<void()>& afterReset) {
  host.Reset({plan.cabrillo, plan.ownCall, plan.start, plan.ownMultCode, plan.ownGroupCode});
  if (afterReset) afterReset();

  ReplayOutcome outcome;
  outcome.acceptedEach.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const bool accepted = host.Add(plan.ownCall, qsoAt(i)) != 0;
    ++(accepted ? outcome.accepted : outcome.refused);
    outcome.acceptedEach.push_back(accepted);
    ++outcome.offered;
    progress->Update(outcome.offered, count);
  }
  progress->Finish();
  platform::NoticeCapture capture;
  outcome.results = host.Result(&outcome.score);
  outcome.notices = capture.Finish();
  return outcome;
}

std::string ProducedFileName(const ReplayOutcome& outcome) {
  const std::string notice = CabrilloNotice(outcome);
  return notice.rfind(kFileProduced, 0) == 0 ? notice.substr(sizeof kFileProduced - 1)
                                             : std::string();
}

std::string CabrilloFileName(const std::string& ownCall) {
  return cabrillo::CabrilloFileBase(ownCall) + ".cbr";
}

std::string PrintableLine(const std::string& text) { return Printable(text, kMaxErrorLine); }

std::string ToolErrorLine(const std::string& program, const std::string& message) {
  return program + ": " + PrintableLine(message) + "\n";
}

}  // namespace tools
