#pragma once

#include <string>

namespace platform {

// A shared library loaded by path, the way the host loads its plug-ins.
class DynamicLibrary {
 public:
  // Loads `path` (UTF-8 on Windows); Loaded() tells whether it worked,
  // Error() why not, in UTF-8.
  explicit DynamicLibrary(const std::string& path);
  ~DynamicLibrary();
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;

  bool Loaded() const { return m_handle != nullptr; }
  const std::string& Error() const { return m_error; }

  // The address of an export by name, or null.
  void* Symbol(const std::string& name) const;
  // The address of an export by ordinal, or null where the system has no
  // ordinals.
  void* Ordinal(unsigned ordinal) const;

 private:
  void* m_handle = nullptr;  // system handle, null when not loaded
  std::string m_error;       // system's reason for a failed load
};

}  // namespace platform
