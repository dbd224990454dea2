#include "fuzz/memory_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>

#include "platform/posix_calls.h"

namespace fuzzing {
namespace {

constexpr mode_t kUmask = 022;

struct Node {
  bool folder = false;
  mode_t mode = 0;  // permission bits
  std::string bytes;
};

struct Descriptor {
  std::shared_ptr<Node> node;  // stays readable after unlink or rename
  int flags = 0;
  off_t offset = 0;
};

// By normalised path; the root folder is "".
std::map<std::string, std::shared_ptr<Node>> g_nodes;
std::map<int, Descriptor> g_open;
int g_nextFd = 1000;

std::shared_ptr<Node> Root() {
  static const auto root = std::make_shared<Node>(Node{true, 0755, ""});
  return root;
}

// "a/b" for "./a//b/", "" for "." and "".
std::string Normal(const char* path) {
  std::string out;
  const char* p = path;
  while (*p != '\0') {
    const char* end = std::strchr(p, '/');
    if (end == nullptr) end = p + std::strlen(p);
    const std::string part(p, end);
    if (!part.empty() && part != ".") out += (out.empty() ? "" : "/") + part;
    p = *end == '/' ? end + 1 : end;
  }
  return out;
}

std::string ParentOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "" : path.substr(0, slash);
}

std::shared_ptr<Node> Find(const std::string& path) {
  if (path.empty()) return Root();
  const auto it = g_nodes.find(path);
  return it == g_nodes.end() ? nullptr : it->second;
}

// 0 when every folder above `path` exists, else the errno of a lookup.
int CheckParents(const std::string& path) {
  std::size_t slash = 0;
  while ((slash = path.find('/', slash)) != std::string::npos) {
    const std::shared_ptr<Node> node = Find(path.substr(0, slash++));
    if (node == nullptr) return ENOENT;
    if (!node->folder) return ENOTDIR;
  }
  return 0;
}

int Fail(int error) {
  errno = error;
  return -1;
}

Descriptor* Lookup(int fd) {
  const auto it = g_open.find(fd);
  return it == g_open.end() ? nullptr : &it->second;
}

bool Writable(int flags) { return (flags & O_ACCMODE) != O_RDONLY; }

int Open(const char* raw, int flags, mode_t mode) {
  const std::string path = Normal(raw);
  if (const int error = CheckParents(path)) return Fail(error);
  std::shared_ptr<Node> node = Find(path);
  if (node != nullptr) {
    if ((flags & O_CREAT) && (flags & O_EXCL)) return Fail(EEXIST);
    if (node->folder && Writable(flags)) return Fail(EISDIR);
    if (!node->folder && (flags & O_DIRECTORY)) return Fail(ENOTDIR);
    if ((flags & O_TRUNC) && Writable(flags)) node->bytes.clear();
  } else {
    if (!(flags & O_CREAT)) return Fail(ENOENT);
    node = std::make_shared<Node>(Node{false, static_cast<mode_t>(mode & 07777 & ~kUmask), ""});
    g_nodes[path] = node;
  }
  g_open[g_nextFd] = Descriptor{node, flags, 0};
  return g_nextFd++;
}

int Close(int fd) { return g_open.erase(fd) == 1 ? 0 : Fail(EBADF); }

ssize_t Pread(int fd, void* buffer, std::size_t size, off_t offset) {
  const Descriptor* d = Lookup(fd);
  if (d == nullptr || (d->flags & O_ACCMODE) == O_WRONLY) return Fail(EBADF);
  if (d->node->folder) return Fail(EISDIR);
  const std::string& bytes = d->node->bytes;
  if (offset < 0) return Fail(EINVAL);
  if (static_cast<std::size_t>(offset) >= bytes.size()) return 0;
  const std::size_t n = std::min(size, bytes.size() - static_cast<std::size_t>(offset));
  std::memcpy(buffer, bytes.data() + offset, n);
  return static_cast<ssize_t>(n);
}

ssize_t Read(int fd, void* buffer, std::size_t size) {
  Descriptor* d = Lookup(fd);
  const ssize_t n = d == nullptr ? Fail(EBADF) : Pread(fd, buffer, size, d->offset);
  if (n > 0) d->offset += n;
  return n;
}

ssize_t Write(int fd, const void* buffer, std::size_t size) {
  Descriptor* d = Lookup(fd);
  if (d == nullptr || !Writable(d->flags)) return Fail(EBADF);
  std::string& bytes = d->node->bytes;
  if (d->flags & O_APPEND) d->offset = static_cast<off_t>(bytes.size());
  const std::size_t at = static_cast<std::size_t>(d->offset);
  if (bytes.size() < at + size) bytes.resize(at + size);
  std::memcpy(&bytes[at], buffer, size);
  d->offset += static_cast<off_t>(size);
  return static_cast<ssize_t>(size);
}

void Describe(const Node& node, struct stat* info) {
  *info = {};
  info->st_mode = (node.folder ? S_IFDIR : S_IFREG) | node.mode;
  info->st_nlink = 1;
  info->st_size = static_cast<off_t>(node.bytes.size());
}

int Fstat(int fd, struct stat* info) {
  const Descriptor* d = Lookup(fd);
  if (d == nullptr) return Fail(EBADF);
  Describe(*d->node, info);
  return 0;
}

int Stat(const char* raw, struct stat* info) {
  const std::string path = Normal(raw);
  if (const int error = CheckParents(path)) return Fail(error);
  const std::shared_ptr<Node> node = Find(path);
  if (node == nullptr) return Fail(ENOENT);
  Describe(*node, info);
  return 0;
}

int Access(const char* raw, int how) {
  struct stat info;
  if (Stat(raw, &info) != 0) return -1;
  const bool denied = ((how & R_OK) && !(info.st_mode & S_IRUSR)) ||
                      ((how & W_OK) && !(info.st_mode & S_IWUSR)) ||
                      ((how & X_OK) && !(info.st_mode & S_IXUSR));
  return denied ? Fail(EACCES) : 0;
}

int Fchmod(int fd, mode_t mode) {
  Descriptor* d = Lookup(fd);
  if (d == nullptr) return Fail(EBADF);
  d->node->mode = mode & 07777;
  return 0;
}

int Fsync(int fd) { return Lookup(fd) == nullptr ? Fail(EBADF) : 0; }

// The plug-in renames only files it wrote; renaming a folder is not modelled.
int Rename(const char* rawFrom, const char* rawTo) {
  const std::string from = Normal(rawFrom), to = Normal(rawTo);
  if (const int error = CheckParents(from)) return Fail(error);
  if (const int error = CheckParents(to)) return Fail(error);
  const std::shared_ptr<Node> node = Find(from);
  if (node == nullptr || from.empty()) return Fail(ENOENT);
  if (node->folder) return Fail(EINVAL);
  const std::shared_ptr<Node> target = Find(to);
  if (target != nullptr && target->folder) return Fail(EISDIR);
  if (from == to) return 0;
  g_nodes[to] = node;
  g_nodes.erase(from);
  return 0;
}

int Unlink(const char* raw) {
  const std::string path = Normal(raw);
  if (const int error = CheckParents(path)) return Fail(error);
  const std::shared_ptr<Node> node = Find(path);
  if (node == nullptr) return Fail(ENOENT);
  if (node->folder) return Fail(EISDIR);
  g_nodes.erase(path);
  return 0;
}

// Like mkdir -p: missing folders are made, names already there are kept.
void MakeFolders(const std::string& path) {
  for (std::size_t end = 0; end != std::string::npos; ++end) {
    end = path.find('/', end);
    const std::string folder = path.substr(0, end);
    if (Find(folder) == nullptr) g_nodes[folder] = std::make_shared<Node>(Node{true, 0755, ""});
    if (end == std::string::npos) break;
  }
}

}  // namespace

void UseMemoryFiles() {
  platform::SystemCalls() = platform::PosixCalls{Open, Close,  Read,   Pread, Write,  Fstat,
                                                 Stat, Access, Fchmod, Fsync, Rename, Unlink};
}

void ClearMemoryFiles() { g_nodes.clear(); }

void PutMemoryFile(const std::string& raw, const std::string& bytes) {
  const std::string path = Normal(raw.c_str());
  MakeFolders(ParentOf(path));
  const std::shared_ptr<Node> node = Find(path);
  if (node == nullptr) {
    g_nodes[path] = std::make_shared<Node>(Node{false, 0666 & ~kUmask, bytes});
  } else if (!node->folder) {
    node->bytes = bytes;
  }
}

void PutMemoryFolder(const std::string& raw) { MakeFolders(Normal(raw.c_str())); }

void RemoveMemoryFile(const std::string& raw) {
  const std::string path = Normal(raw.c_str());
  const auto it = g_nodes.find(path);
  if (it == g_nodes.end()) return;
  const std::string below = path + "/";
  const auto child = g_nodes.lower_bound(below);
  if (child == g_nodes.end() || child->first.compare(0, below.size(), below) != 0) {
    g_nodes.erase(it);
  }
}

std::size_t OpenMemoryDescriptors() { return g_open.size(); }

std::size_t MemoryTempFiles() {
  return std::count_if(g_nodes.begin(), g_nodes.end(), [](const auto& entry) {
    const std::string& name = entry.first;
    return name.size() >= 4 && name.compare(name.size() - 4, 4, ".tmp") == 0;
  });
}

}  // namespace fuzzing
