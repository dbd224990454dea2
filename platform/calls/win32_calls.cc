#include "platform/calls/win32_calls.h"

namespace platform {
namespace {

// Plain functions of this compiler's calling convention, so that a test can
// put a lambda in any entry.
HANDLE CreateA(LPCSTR path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  return CreateFileA(path, access, share, nullptr, disposition, flags, nullptr);
}
HANDLE CreateW(LPCWSTR path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
  return CreateFileW(path, access, share, nullptr, disposition, flags, nullptr);
}
BOOL Write(HANDLE file, const void* buffer, DWORD size, DWORD* written) {
  return WriteFile(file, buffer, size, written, nullptr);
}
BOOL Flush(HANDLE file) { return FlushFileBuffers(file); }
BOOL Close(HANDLE handle) { return CloseHandle(handle); }
DWORD TypeOf(HANDLE file) { return GetFileType(file); }
BOOL InformationOf(HANDLE file, BY_HANDLE_FILE_INFORMATION* info) {
  return GetFileInformationByHandle(file, info);
}
DWORD AttributesA(LPCSTR path) { return GetFileAttributesA(path); }
BOOL MoveA(LPCSTR from, LPCSTR to, DWORD flags) { return MoveFileExA(from, to, flags); }
BOOL MoveW(LPCWSTR from, LPCWSTR to, DWORD flags) { return MoveFileExW(from, to, flags); }
BOOL DeleteA(LPCSTR path) { return DeleteFileA(path); }
BOOL DeleteW(LPCWSTR path) { return DeleteFileW(path); }
DWORD ReadProfileA(LPCSTR section, LPCSTR key, LPCSTR fallback, LPSTR buffer, DWORD size,
                   LPCSTR path) {
  return GetPrivateProfileStringA(section, key, fallback, buffer, size, path);
}
BOOL WriteProfileA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR path) {
  return WritePrivateProfileStringA(section, key, value, path);
}
DWORD VersionSizeA(LPCSTR path, DWORD* ignored) { return GetFileVersionInfoSizeA(path, ignored); }
BOOL VersionA(LPCSTR path, DWORD ignored, DWORD size, void* block) {
  return GetFileVersionInfoA(path, ignored, size, block);
}

constexpr Win32Calls kReal = {CreateA,       CreateW,       Write,        Flush,   Close,   TypeOf,
                              InformationOf, AttributesA,   MoveA,        MoveW,   DeleteA, DeleteW,
                              ReadProfileA,  WriteProfileA, VersionSizeA, VersionA};

}  // namespace

const Win32Calls& RealWin32Calls() { return kReal; }

Win32Calls& SystemCalls() {
  static Win32Calls calls = kReal;
  return calls;
}

}  // namespace platform
