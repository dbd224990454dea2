#include "tools/host/plugin_host.h"

namespace tools {
namespace {

std::string TextOf(const char* text) { return text != nullptr ? text : ""; }

// A value of an AdifQso as the host hands it over.
const char* HostArg(const std::string& text) { return text.c_str(); }
StatsDateTime HostArg(double time) { return StatsDateTime{time, kStatsDateValid}; }
uint32_t HostArg(uint32_t hz) { return hz; }

}  // namespace

QsoCallArgs CallArgsOf(const std::string& ownCall, const AdifQso& q) {
  QsoCallArgs a;
#define STATS_QSO_FIELD(name, ...) a.name = HostArg(q.name);
#include "stats/host_fields.def"
  a.ownCall = ownCall.c_str();
  return a;
}

std::unique_ptr<PluginHost> PluginHost::Load(const std::string& path, ExportNames names,
                                             std::string* error) {
  auto exports = std::make_unique<PluginExports>(path, names);
  if (!exports->Loaded()) {
    *error = exports->Error();
    return nullptr;
  }
  return std::unique_ptr<PluginHost>(new PluginHost(std::move(exports)));
}

int32_t PluginHost::NumberOfSets() const { return m_exports->GetNumberOfSets(); }

int32_t PluginHost::Reset(const ResetArgs& a) const {
  ResetCallArgs call;
  call.cabrilloFlag = a.cabrillo ? 1 : 0;
  call.ownCall = a.ownCall.c_str();
  call.start = a.start;
  call.ownMultCode = a.ownMultCode.c_str();
  call.ownGroupCode = a.ownGroupCode.c_str();
  return m_calls.Reset(call);
}

int32_t PluginHost::Add(const std::string& ownCall, const AdifQso& qso) const {
  return m_calls.Add(CallArgsOf(ownCall, qso));
}

int32_t PluginHost::Remove(const std::string& ownCall, const AdifQso& qso) const {
  return m_calls.Remove(CallArgsOf(ownCall, qso));
}

std::string PluginHost::Result(int32_t* score) const {
  return TextOf(m_exports->GetResult0(score));
}

}  // namespace tools
