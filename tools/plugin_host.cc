#include "tools/plugin_host.h"

namespace tools {
namespace {

struct ExportName {
  const char* plain;
  const char* decorated;
};

const ExportName kAddData = {
    "AddData0", "?AddData0@@YAHPBD0PAVCOleDateTime@ATL@@111II000000000000000HHHNN00000@Z"};
const ExportName kRemoveData = {
    "RemoveData0", "?RemoveData0@@YAHPBD0PAVCOleDateTime@ATL@@111II000000000000000HHHNN00000@Z"};
const ExportName kResetStats = {
    "ResetStats0", "?ResetStats0@@YAHPBDH0PAVCOleDateTime@ATL@@10000000000HHHNN000@Z"};
const ExportName kCheckCall = {"CheckCall0",
                               "?CheckCallFunc0@@YAHPBDII00000000000HHHNN0000000PAD1@Z"};
const ExportName kExchangeCount = {"GetExchgCount0", "?StatsGetExchgCount0@@YAHPBD00@Z"};
const ExportName kIsValidExchange = {"IsValidExchg0", "?StatsIsValidExchg0@@YAHPBD000HHH@Z"};
const ExportName kNumberOfSets = {"GetNumberOfSets", "?GetNumberOfSets@@YAHXZ"};
const ExportName kSetName = {"GetSetName", "?GetSetName@@YAPBDH@Z"};
const ExportName kSetupSet = {"SetupSet0", "?SetupSet0@@YAXXZ"};
const ExportName kResult = {"GetResult0", "?GetResult0@@YAPBDPAH@Z"};

template <typename Fn>
bool Resolve(const platform::DynamicLibrary& library, const std::string& path,
             const ExportName& name, ExportNames names, Fn** fn, std::string* error) {
  const char* symbol = names == ExportNames::kPlain ? name.plain : name.decorated;
  *fn = reinterpret_cast<Fn*>(library.Symbol(symbol));
  if (*fn == nullptr) *error = "plug-in " + path + " has no export " + symbol;
  return *fn != nullptr;
}

std::string TextOf(const char* text) { return text != nullptr ? text : ""; }

// AddData0 and RemoveData0 take the same 33 arguments.
int32_t OfferQso(AddData0Fn* fn, const std::string& ownCall, const AdifQso& q) {
  const StatsDateTime time{q.time, 0};
  return fn(ownCall.c_str(), q.call.c_str(), &time, nullptr, nullptr, nullptr, 0, q.freqHz,
            q.mode.c_str(), q.rstSent.c_str(), q.rstRcvd.c_str(), q.exchSent.c_str(),
            q.exchRcvd.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
            nullptr, nullptr, q.multCode.c_str(), 0, 0, 0, 0.0, 0.0, nullptr, q.group.c_str(),
            nullptr, q.band.c_str(), nullptr);
}

}  // namespace

std::unique_ptr<PluginHost> PluginHost::Load(const std::string& path, ExportNames names,
                                             std::string* error) {
  std::unique_ptr<PluginHost> host(new PluginHost(path));
  const platform::DynamicLibrary& lib = host->library_;
  if (!lib.Loaded()) {
    *error = "cannot load plug-in: " + lib.Error();
    return nullptr;
  }
  PluginHost& h = *host;
  const bool resolved = Resolve(lib, path, kNumberOfSets, names, &h.numberOfSets_, error) &&
                        Resolve(lib, path, kSetName, names, &h.setName_, error) &&
                        Resolve(lib, path, kSetupSet, names, &h.setupSet_, error) &&
                        Resolve(lib, path, kResetStats, names, &h.resetStats_, error) &&
                        Resolve(lib, path, kAddData, names, &h.addData_, error) &&
                        Resolve(lib, path, kRemoveData, names, &h.removeData_, error) &&
                        Resolve(lib, path, kCheckCall, names, &h.checkCall_, error) &&
                        Resolve(lib, path, kExchangeCount, names, &h.exchangeCount_, error) &&
                        Resolve(lib, path, kIsValidExchange, names, &h.isValidExchange_, error) &&
                        Resolve(lib, path, kResult, names, &h.result_, error);
  if (!resolved) return nullptr;
  return host;
}

int32_t PluginHost::NumberOfSets() const { return numberOfSets_(); }

std::string PluginHost::SetName(int32_t index) const { return TextOf(setName_(index)); }

void PluginHost::SetupSet() const { setupSet_(); }

int32_t PluginHost::Reset(const ResetArgs& a) const {
  const StatsDateTime start = a.start;
  return resetStats_(nullptr, a.cabrillo ? 1 : 0, a.ownCall.c_str(), &start, nullptr, nullptr,
                     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     a.ownMultCode.c_str(), 0, 0, 0, 0.0, 0.0, nullptr, a.ownGroupCode.c_str(),
                     nullptr);
}

int32_t PluginHost::Add(const std::string& ownCall, const AdifQso& qso) const {
  return OfferQso(addData_, ownCall, qso);
}

int32_t PluginHost::Remove(const std::string& ownCall, const AdifQso& qso) const {
  return OfferQso(removeData_, ownCall, qso);
}

int32_t PluginHost::CheckCall(const std::string& call, const std::string& mode,
                              const std::string& multCode, const std::string& group,
                              const std::string& band) const {
  return checkCall_(call.c_str(), 0, 0, mode.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr,
                    nullptr, nullptr, nullptr, nullptr, multCode.c_str(), 0, 0, 0, 0.0, 0.0,
                    nullptr, group.c_str(), nullptr, nullptr, nullptr, band.c_str(), nullptr,
                    nullptr, nullptr);
}

int32_t PluginHost::ExchangeCount() const { return exchangeCount_(nullptr, nullptr, nullptr); }

int32_t PluginHost::IsValidExchange(const std::string& exchange, int32_t field) const {
  return isValidExchange_(exchange.c_str(), nullptr, nullptr, nullptr, 0, 0, field);
}

std::string PluginHost::Result(int32_t* score) const { return TextOf(result_(score)); }

}  // namespace tools
