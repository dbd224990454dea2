#include "platform/calls/posix_calls.h"

#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

// Plain functions rather than the library's own symbols: open is variadic,
// and glibc may declare stat and fstat as inline wrappers or under other
// link names.
int Open(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
int Close(int fd) { return ::close(fd); }
ssize_t Read(int fd, void* buffer, std::size_t size) { return ::read(fd, buffer, size); }
ssize_t Pread(int fd, void* buffer, std::size_t size, off_t offset) {
  return ::pread(fd, buffer, size, offset);
}
ssize_t Write(int fd, const void* buffer, std::size_t size) { return ::write(fd, buffer, size); }
int Fstat(int fd, struct stat* info) { return ::fstat(fd, info); }
int Stat(const char* path, struct stat* info) { return ::stat(path, info); }
int Access(const char* path, int how) { return ::access(path, how); }
int Fchmod(int fd, mode_t mode) { return ::fchmod(fd, mode); }
int Fsync(int fd) { return ::fsync(fd); }
int Rename(const char* from, const char* to) { return ::rename(from, to); }
int Unlink(const char* path) { return ::unlink(path); }

constexpr PosixCalls kReal = {Open, Close,  Read,   Pread, Write,  Fstat,
                              Stat, Access, Fchmod, Fsync, Rename, Unlink};

}  // namespace

const PosixCalls& RealPosixCalls() { return kReal; }

PosixCalls& SystemCalls() {
  static PosixCalls calls = kReal;
  return calls;
}

bool WriteAll(int fd, const std::string& bytes) {
  const PosixCalls& sys = SystemCalls();
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        Restarting([&] { return sys.write(fd, bytes.data() + done, bytes.size() - done); });
    // A write that takes nothing would never finish the loop.
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace platform
