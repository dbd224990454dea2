#include <dlfcn.h>

#include "platform/dynamic_library.h"

namespace platform {

DynamicLibrary::DynamicLibrary(const std::string& path) {
  m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (m_handle == nullptr) {
    const char* reason = dlerror();
    m_error = reason != nullptr ? reason : "cannot load " + path;
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
