#pragma once

#include <string>

#include "platform/framework/cobject.h"

namespace platform {

// The module's application object: one per loaded module. It holds the
// application name (empty when none is given) and does no start-up or
// shut-down work.
class CWinApp : public CObject {
 public:
  explicit CWinApp(const char* appName = nullptr) : m_appName(appName != nullptr ? appName : "") {}
  ~CWinApp() override = default;

  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  const std::string& AppName() const { return m_appName; }

 private:
  std::string m_appName;  // name given at construction, "" for none
};

}  // namespace platform
