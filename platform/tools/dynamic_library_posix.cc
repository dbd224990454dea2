#include <dlfcn.h>

#include "platform/tools/dynamic_library.h"

namespace platform {

DynamicLibrary::DynamicLibrary(const std::string& path) {
  m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (m_handle == nullptr) {
    const char* reason = dlerror();
    m_error = reason != nullptr ? reason : path + ": no reason given";
    // The loader's words name the format, not what to do about it.
    if (m_error.find("wrong ELF class") != std::string::npos) {
      m_error +=
          "; a 32/64-bit mismatch: the library must be built for this program's "
          "architecture";
    } else if (m_error.find("invalid ELF header") != std::string::npos) {
      m_error +=
          "; not a library for this system (a Windows DLL runs under Wine, with the "
          "Windows build of the program)";
    }
  }
}

DynamicLibrary::~DynamicLibrary() {
  if (m_handle != nullptr) dlclose(m_handle);
}

void* DynamicLibrary::Symbol(const std::string& name) const {
  return m_handle != nullptr ? dlsym(m_handle, name.c_str()) : nullptr;
}

void* DynamicLibrary::Ordinal(unsigned) const { return nullptr; }

}  // namespace platform
