#include <windows.h>

#include "platform/dynamic_library.h"

namespace platform {

DynamicLibrary::DynamicLibrary(const std::string& path) {
  m_handle = reinterpret_cast<void*>(LoadLibraryA(path.c_str()));
  if (m_handle == nullptr) {
    m_error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
  }
}

DynamicLibrary::~DynamicLibrary() {
  if (m_handle != nullptr) FreeLibrary(static_cast<HMODULE>(m_handle));
}

void* DynamicLibrary::Symbol(const std::string& name) const {
  if (m_handle == nullptr) return nullptr;
  return reinterpret_cast<void*>(
      GetProcAddress(static_cast<HMODULE>(m_handle), name.c_str()));
}

void* DynamicLibrary::Ordinal(unsigned ordinal) const {
  if (m_handle == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(
      static_cast<HMODULE>(m_handle), MAKEINTRESOURCEA(ordinal)));
}

}  // namespace platform
