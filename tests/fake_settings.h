#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/plugin/settings_file.h"

namespace testing_support {

// Settings kept in memory; every write is recorded in order, and writes can
// be made to fail.
class FakeSettingsFile : public platform::SettingsFile {
 public:
  struct WriteCall {
    std::string path, section, key, value;
  };

  std::string Read(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& fallback) override {
    reads.push_back(key);
    auto it = values.find(path + "|" + section + "|" + key);
    return it != values.end() ? it->second : fallback;
  }

  bool Write(const std::string& path, const std::string& section, const std::string& key,
             const std::string& value) override {
    writes.push_back({path, section, key, value});
    if (failWrites) return false;
    values[path + "|" + section + "|" + key] = value;
    return true;
  }

  void Set(const std::string& key, const std::string& value) {
    values["Plugins\\TAVIN.ini|Settings|" + key] = value;
  }

  std::map<std::string, std::string> values;  // "path|section|key" -> value
  std::vector<std::string> reads;             // keys read, in order
  std::vector<WriteCall> writes;              // every write, in order
  bool failWrites = false;                    // make every write fail
};

}  // namespace testing_support
