#pragma once

#include <windows.h>

namespace platform {

// The Windows calls beneath the Win32 file services (file writer, file
// appender, settings file, file version), as a table of function pointers.
// Each entry takes the arguments of the call it is named after, less those
// the services always pass as null (security attributes, template file,
// overlapped structure), and keeps its contract: the call's failure value
// with the error for GetLastError set. The services reach the system
// through SystemCalls() only, so a test can replace an entry to make one
// call fail at a chosen step. The library itself never changes the table.
struct Win32Calls {
  HANDLE (*createFileA)(LPCSTR path, DWORD access, DWORD share, DWORD disposition,
                        DWORD flagsAndAttributes);
  HANDLE (*createFileW)(LPCWSTR path, DWORD access, DWORD share, DWORD disposition,
                        DWORD flagsAndAttributes);
  BOOL (*writeFile)(HANDLE file, const void* buffer, DWORD size, DWORD* written);
  BOOL (*flushFileBuffers)(HANDLE file);
  BOOL (*closeHandle)(HANDLE handle);
  DWORD (*getFileType)(HANDLE file);
  BOOL (*getFileInformationByHandle)(HANDLE file, BY_HANDLE_FILE_INFORMATION* info);
  DWORD (*getFileAttributesA)(LPCSTR path);
  BOOL (*moveFileExA)(LPCSTR from, LPCSTR to, DWORD flags);
  BOOL (*moveFileExW)(LPCWSTR from, LPCWSTR to, DWORD flags);
  BOOL (*deleteFileA)(LPCSTR path);
  BOOL (*deleteFileW)(LPCWSTR path);
  DWORD(*getPrivateProfileStringA)
  (LPCSTR section, LPCSTR key, LPCSTR fallback, LPSTR buffer, DWORD size, LPCSTR path);
  BOOL (*writePrivateProfileStringA)(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR path);
  DWORD (*getFileVersionInfoSizeA)(LPCSTR path, DWORD* ignored);
  BOOL (*getFileVersionInfoA)(LPCSTR path, DWORD ignored, DWORD size, void* block);
};

// The table the services call through; it starts as RealWin32Calls().
// Replace entries only while no service runs: nothing synchronises them.
Win32Calls& SystemCalls();

// The system's own calls.
const Win32Calls& RealWin32Calls();

}  // namespace platform
