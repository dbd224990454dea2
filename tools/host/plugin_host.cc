#include "tools/host/plugin_host.h"

namespace tools {
namespace {

std::string TextOf(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

QsoCallArgs CallArgsOf(const std::string& ownCall, const AdifQso& q) {
  static_assert(stats::kQsoFieldCount == 12, "a new field of a QSO needs its ADIF source here");
  QsoCallArgs a;
  a.ownCall = ownCall.c_str();
  a.call = q.call.c_str();
  a.time = StatsDateTime{q.time, kStatsDateValid};
  a.freqHz = q.freqHz;
  a.mode = q.mode.c_str();
  a.rstSent = q.rstSent.c_str();
  a.rstRcvd = q.rstRcvd.c_str();
  a.exchSent = q.exchSent.c_str();
  a.exchRcvd = q.exchRcvd.c_str();
  a.multCode = q.multCode.c_str();
  a.group = q.group.c_str();
  a.band = q.band.c_str();
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
