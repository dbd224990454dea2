#pragma once

// UTF-8 and the UTF-16 of the wide-character Windows calls, for the code
// that names files in UTF-8 (the tools; the plug-in keeps the host's ANSI
// texts).

#include <string>

namespace platform {

// `utf8` as UTF-16; a byte that is not valid UTF-8 becomes U+FFFD (Windows
// XP drops it instead).
std::wstring WideFromUtf8(const std::string& utf8);
// `length` UTF-16 units at `wide` as UTF-8.
std::string Utf8FromWide(const wchar_t* wide, size_t length);

}  // namespace platform
