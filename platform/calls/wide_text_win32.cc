#include <windows.h>

#include "platform/calls/wide_text_win32.h"

namespace platform {

std::wstring WideFromUtf8(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, &wide[0], length);
  return wide;
}

std::string Utf8FromWide(const wchar_t* wide, size_t length) {
  if (length == 0) return std::string();
  const int size = static_cast<int>(length);
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, size, &utf8[0], bytes, nullptr, nullptr);
  return utf8;
}

}  // namespace platform
