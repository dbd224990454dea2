#pragma once

// Stands in for the host logging program: loads the Stats plug-in by path,
// resolves its ten exports by name and calls them with the host's argument
// lists. Every ignored argument position gets a null pointer or a zero.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/dynamic_library.h"
#include "plugin/stats_api.h"
#include "tools/adif_qso.h"

namespace tools {

#ifdef _WIN32
constexpr char kPluginFileName[] = "Stats.dll";
constexpr bool kDecoratedNamesExist = true;
#else
constexpr char kPluginFileName[] = "libStats.so";
constexpr bool kDecoratedNamesExist = false;
#endif

// Which of the two names of each export is resolved. Only the 32-bit
// Windows library carries the decorated ones.
enum class ExportNames { kPlain, kDecorated };

// What the host hands to ResetStats0.
struct ResetArgs {
  bool cabrillo = false;
  std::string ownCall;
  StatsDateTime start{0.0, 2};  // null until set
  std::string ownMultCode;
  std::string ownGroupCode;
};

class PluginHost {
 public:
  // Loads the library at `path` and resolves all ten exports. On failure
  // returns null and `error` names the library and the system's reason or
  // the missing export.
  static std::unique_ptr<PluginHost> Load(const std::string& path, ExportNames names,
                                          std::string* error);

  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;

  int32_t NumberOfSets() const;
  std::string SetName(int32_t index) const;  // a null result reads as empty
  void SetupSet() const;
  int32_t Reset(const ResetArgs& args) const;
  // Offers `qso` logged by `ownCall`; 1 stored or already stored, 0 refused.
  int32_t Add(const std::string& ownCall, const AdifQso& qso) const;
  // Takes `qso` back; 0 when an exchange is empty, else 1.
  int32_t Remove(const std::string& ownCall, const AdifQso& qso) const;
  int32_t CheckCall(const std::string& call, const std::string& mode,
                    const std::string& multCode, const std::string& group,
                    const std::string& band) const;
  int32_t ExchangeCount() const;
  int32_t IsValidExchange(const std::string& exchange, int32_t field) const;
  // The results text as returned (a null result reads as empty); `score`
  // receives the plug-in's out-integer.
  std::string Result(int32_t* score) const;

 private:
  explicit PluginHost(const std::string& path) : library_(path) {}

  platform::DynamicLibrary library_;
  AddData0Fn* addData_ = nullptr;
  RemoveData0Fn* removeData_ = nullptr;
  ResetStats0Fn* resetStats_ = nullptr;
  CheckCall0Fn* checkCall_ = nullptr;
  GetExchgCount0Fn* exchangeCount_ = nullptr;
  IsValidExchg0Fn* isValidExchange_ = nullptr;
  GetNumberOfSetsFn* numberOfSets_ = nullptr;
  GetSetNameFn* setName_ = nullptr;
  SetupSet0Fn* setupSet_ = nullptr;
  GetResult0Fn* result_ = nullptr;
};

}  // namespace tools
