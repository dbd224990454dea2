#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/plugin/file_appender.h"
#include "platform/plugin/file_version.h"
#include "platform/plugin/file_writer.h"

namespace testing_support {

// Executables with versions, by name; missing names cannot be opened.
class FakeFileVersion : public platform::FileVersion {
 public:
  struct Version {
    uint32_t ms, ls;
    bool readable;
  };
  bool CanOpenForReading(const std::string& path) override { return files.count(path) != 0; }
  bool ReadFixedVersion(const std::string& path, uint32_t* ms, uint32_t* ls) override {
    auto it = files.find(path);
    if (it == files.end() || !it->second.readable) return false;
    *ms = it->second.ms;
    *ls = it->second.ls;
    return true;
  }
  std::map<std::string, Version> files;
};

// Files kept in memory; writes can be made to fail.
class FakeFileWriter : public platform::FileWriter {
 public:
  bool ReplaceWhole(const std::string& path, const std::string& bytes) override {
    if (fail) return false;
    files[path] = bytes;
    return true;
  }
  bool Replaces(const std::string&) override { return true; }
  std::map<std::string, std::string> files;
  bool fail = false;
};

// Files kept in memory, with every call recorded as "Name path".
class FakeFileAppender : public platform::FileAppender {
 public:
  bool Create(const std::string& path, const std::string& bytes) override {
    calls.push_back("Create " + path);
    files[path] = bytes;
    return true;
  }
  bool Append(const std::string& path, const std::string& bytes) override {
    calls.push_back("Append " + path);
    files[path] += bytes;
    return true;
  }
  bool Exists(const std::string& path) override {
    calls.push_back("Exists " + path);
    return files.count(path) != 0;
  }
  std::map<std::string, std::string> files;
  std::vector<std::string> calls;
};

}  // namespace testing_support
