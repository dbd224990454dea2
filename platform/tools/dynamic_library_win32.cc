#include <windows.h>

#include "platform/tools/dynamic_library.h"
#include "platform/calls/wide_text_win32.h"

namespace platform {
namespace {

// The system's words for `code` on one line, without the final line break;
// the placeholder "%1" of some messages names `path`.
std::string SystemMessage(DWORD code, const std::string& path) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message;
  for (char c : Utf8FromWide(text, length)) message += (c == '\r' || c == '\n') ? ' ' : c;
  if (text != nullptr) LocalFree(text);
  while (!message.empty() && (message.back() == ' ' || message.back() == '.')) message.pop_back();
  const size_t placeholder = message.find("%1");
  if (placeholder != std::string::npos) message.replace(placeholder, 2, path);
  return message.empty() ? "no description" : message;
}

}  // namespace

DynamicLibrary::DynamicLibrary(const std::string& path) {
  // The wide call: the ANSI one cannot name a folder outside the ANSI code
  // page.
  const std::wstring widePath = WideFromUtf8(path);
  m_handle = reinterpret_cast<void*>(LoadLibraryW(widePath.c_str()));
  if (m_handle == nullptr) {
    const DWORD code = GetLastError();
    m_error = path + ": " + SystemMessage(code, path) + " (error " + std::to_string(code) + ")";
    if (code == ERROR_BAD_EXE_FORMAT) {
      m_error += "; a 32-bit program loads only 32-bit Windows libraries";
    }
  }
}

DynamicLibrary::~DynamicLibrary() {
  if (m_handle != nullptr) FreeLibrary(static_cast<HMODULE>(m_handle));
}

void* DynamicLibrary::Symbol(const std::string& name) const {
  if (m_handle == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(m_handle), name.c_str()));
}

void* DynamicLibrary::Ordinal(unsigned ordinal) const {
  if (m_handle == nullptr) return nullptr;
  return reinterpret_cast<void*>(
      GetProcAddress(static_cast<HMODULE>(m_handle), MAKEINTRESOURCEA(ordinal)));
}

}  // namespace platform
