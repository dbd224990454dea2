#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <cstddef>
#include <string>

namespace platform {

// The system calls beneath the POSIX file services (file writer, file
// appender, settings file, file version), as a table of function pointers.
// Each entry takes the arguments of the call it is named after and keeps its
// contract: a negative result with errno set on failure. The services reach
// the operating system through SystemCalls() only, so a test can replace an
// entry to make one call fail at a chosen step, and a fuzz target can keep
// every file in memory. The library itself never changes the table.
// The services restart open, read, pread, write and fsync when a signal
// interrupts them (EINTR); any other failure fails the service's call.
struct PosixCalls {
  int (*open)(const char* path, int flags, mode_t mode);
  int (*close)(int fd);
  ssize_t (*read)(int fd, void* buffer, std::size_t size);
  ssize_t (*pread)(int fd, void* buffer, std::size_t size, off_t offset);
  ssize_t (*write)(int fd, const void* buffer, std::size_t size);
  int (*fstat)(int fd, struct stat* info);
  int (*stat)(const char* path, struct stat* info);
  int (*access)(const char* path, int how);
  int (*fchmod)(int fd, mode_t mode);
  int (*fsync)(int fd);
  int (*rename)(const char* from, const char* to);
  int (*unlink)(const char* path);
};

// The table the services call through; it starts as RealPosixCalls().
// Replace entries only while no service runs: nothing synchronises them.
PosixCalls& SystemCalls();

// The operating system's own calls.
const PosixCalls& RealPosixCalls();

// `call()` again for as long as it fails with EINTR: a signal that arrives
// while a call waits interrupts it through no fault of the file.
template <typename Call>
auto Restarting(Call call) -> decltype(call()) {
  for (;;) {
    const auto result = call();
    if (!(result < 0 && errno == EINTR)) return result;
  }
}

// Writes all of `bytes` to `fd` through SystemCalls(), however few bytes
// each write takes. False on the first failure other than EINTR.
bool WriteAll(int fd, const std::string& bytes);

}  // namespace platform
