#include "fuzz/memory_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "platform/calls/posix_calls.h"

namespace fuzzing {
namespace {

constexpr mode_t kUmask = 022;
constexpr int kFirstFd = 1000;

// A file or folder. A node is free for reuse once it has no name and no
// open descriptor; its bytes keep their capacity.
struct Node {
  bool folder = false;
  mode_t mode = 0;  // permission bits
  std::string bytes;
  bool named = false;  // a name in the table refers to it
  int opens = 0;       // descriptors on it: it stays readable after unlink or rename
};

struct Name {
  std::string path;  // normalised; the root folder "" has no entry
  Node* node = nullptr;
};

struct Descriptor {
  int fd = -1;  // -1: a free slot
  Node* node = nullptr;
  int flags = 0;
  off_t offset = 0;
};

// Every table is searched linearly: the plug-in has a handful of files.
// Names past g_nameCount are spare entries that keep their capacity.
Node g_root{true, 0755, "", true, 0};
std::deque<Node> g_nodes;  // stable addresses for Name and Descriptor
std::vector<Name> g_names;
std::size_t g_nameCount = 0;
std::vector<Descriptor> g_open;
int g_nextFd = kFirstFd;
// The normalised paths of the call in progress (a rename has two).
std::string g_path, g_otherPath;

// "a/b" for "./a//b/", "" for "." and "".
const std::string& Normal(std::string_view path, std::string* out) {
  out->clear();
  while (!path.empty()) {
    const std::size_t slash = std::min(path.find('/'), path.size());
    const std::string_view part = path.substr(0, slash);
    if (!part.empty() && part != ".") {
      if (!out->empty()) out->push_back('/');
      out->append(part);
    }
    path.remove_prefix(std::min(slash + 1, path.size()));
  }
  return *out;
}

std::string_view ParentOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

// The index of `path` among the names, or g_nameCount.
std::size_t IndexOf(std::string_view path) {
  std::size_t i = 0;
  while (i < g_nameCount && g_names[i].path != path) ++i;
  return i;
}

Node* Find(std::string_view path) {
  if (path.empty()) return &g_root;
  const std::size_t i = IndexOf(path);
  return i < g_nameCount ? g_names[i].node : nullptr;
}

Node* NewNode(bool folder, mode_t mode) {
  auto free = std::find_if(g_nodes.begin(), g_nodes.end(),
                           [](const Node& node) { return !node.named && node.opens == 0; });
  Node* node = free != g_nodes.end() ? &*free : &g_nodes.emplace_back();
  node->folder = folder;
  node->mode = mode;
  node->bytes.clear();
  return node;
}

void AddName(std::string_view path, Node* node) {
  if (g_nameCount == g_names.size()) g_names.emplace_back();
  g_names[g_nameCount].path.assign(path.data(), path.size());
  g_names[g_nameCount++].node = node;
  node->named = true;
}

void DropName(std::size_t i) {
  g_names[i].node->named = false;
  std::swap(g_names[i], g_names[--g_nameCount]);
}

// 0 when every folder above `path` exists, else the errno of a lookup.
int CheckParents(std::string_view path) {
  for (std::size_t slash = 0; (slash = path.find('/', slash)) != std::string_view::npos; ++slash) {
    const Node* node = Find(path.substr(0, slash));
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
  if (fd < 0) return nullptr;
  const auto it =
      std::find_if(g_open.begin(), g_open.end(), [fd](const Descriptor& d) { return d.fd == fd; });
  return it == g_open.end() ? nullptr : &*it;
}

bool Writable(int flags) { return (flags & O_ACCMODE) != O_RDONLY; }

int Open(const char* raw, int flags, mode_t mode) {
  const std::string& path = Normal(raw, &g_path);
  if (const int error = CheckParents(path)) return Fail(error);
  Node* node = Find(path);
  if (node != nullptr) {
    if ((flags & O_CREAT) && (flags & O_EXCL)) return Fail(EEXIST);
    if (node->folder && Writable(flags)) return Fail(EISDIR);
    if (!node->folder && (flags & O_DIRECTORY)) return Fail(ENOTDIR);
    if ((flags & O_TRUNC) && Writable(flags)) node->bytes.clear();
  } else {
    if (!(flags & O_CREAT)) return Fail(ENOENT);
    node = NewNode(false, static_cast<mode_t>(mode & 07777 & ~kUmask));
    AddName(path, node);
  }
  auto slot =
      std::find_if(g_open.begin(), g_open.end(), [](const Descriptor& d) { return d.fd < 0; });
  Descriptor& d = slot != g_open.end() ? *slot : g_open.emplace_back();
  d = Descriptor{g_nextFd, node, flags, 0};
  ++node->opens;
  return g_nextFd++;
}

int Close(int fd) {
  Descriptor* d = Lookup(fd);
  if (d == nullptr) return Fail(EBADF);
  --d->node->opens;
  *d = Descriptor{};
  return 0;
}

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
  const std::string& path = Normal(raw, &g_path);
  if (const int error = CheckParents(path)) return Fail(error);
  const Node* node = Find(path);
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
  const std::string& from = Normal(rawFrom, &g_path);
  const std::string& to = Normal(rawTo, &g_otherPath);
  if (const int error = CheckParents(from)) return Fail(error);
  if (const int error = CheckParents(to)) return Fail(error);
  const std::size_t source = IndexOf(from);
  if (source == g_nameCount) return Fail(ENOENT);
  if (g_names[source].node->folder) return Fail(EINVAL);
  const std::size_t target = IndexOf(to);
  if (to.empty() || (target < g_nameCount && g_names[target].node->folder)) return Fail(EISDIR);
  if (source == target) return 0;
  if (target < g_nameCount) {
    // The file there loses its name to the source's node.
    g_names[target].node->named = false;
    g_names[target].node = g_names[source].node;
    std::swap(g_names[source], g_names[--g_nameCount]);
  } else {
    g_names[source].path.assign(to);
  }
  return 0;
}

int Unlink(const char* raw) {
  const std::string& path = Normal(raw, &g_path);
  if (const int error = CheckParents(path)) return Fail(error);
  if (path.empty()) return Fail(EISDIR);
  const std::size_t i = IndexOf(path);
  if (i == g_nameCount) return Fail(ENOENT);
  if (g_names[i].node->folder) return Fail(EISDIR);
  DropName(i);
  return 0;
}

// Like mkdir -p: missing folders are made, names already there are kept.
void MakeFolders(std::string_view path) {
  for (std::size_t end = 0; end != std::string_view::npos; ++end) {
    end = path.find('/', end);
    const std::string_view folder = path.substr(0, end);
    if (Find(folder) == nullptr) AddName(folder, NewNode(true, 0755));
    if (end == std::string_view::npos) break;
  }
}

}  // namespace

void UseMemoryFiles() {
  platform::SystemCalls() = platform::PosixCalls{Open, Close,  Read,   Pread, Write,  Fstat,
                                                 Stat, Access, Fchmod, Fsync, Rename, Unlink};
}

void ClearMemoryFiles() {
  while (g_nameCount > 0) DropName(g_nameCount - 1);
  if (OpenMemoryDescriptors() == 0) g_nextFd = kFirstFd;
}

void PutMemoryFile(std::string_view raw, std::string_view bytes) {
  const std::string& path = Normal(raw, &g_path);
  MakeFolders(ParentOf(path));
  Node* node = Find(path);
  if (node == nullptr) {
    node = NewNode(false, 0666 & ~kUmask);
    AddName(path, node);
  }
  if (!node->folder) node->bytes.assign(bytes.data(), bytes.size());
}

void PutMemoryFolder(std::string_view raw) { MakeFolders(Normal(raw, &g_path)); }

void RemoveMemoryFile(std::string_view raw) {
  const std::string& path = Normal(raw, &g_path);
  const std::size_t i = IndexOf(path);
  if (i == g_nameCount) return;
  for (std::size_t k = 0; k < g_nameCount; ++k) {
    const std::string& other = g_names[k].path;
    if (other.size() > path.size() && other[path.size()] == '/' &&
        other.compare(0, path.size(), path) == 0) {
      return;  // a folder that is not empty
    }
  }
  DropName(i);
}

std::size_t OpenMemoryDescriptors() {
  return std::count_if(g_open.begin(), g_open.end(), [](const Descriptor& d) { return d.fd >= 0; });
}

std::size_t MemoryTempFiles() {
  return std::count_if(g_names.begin(), g_names.begin() + g_nameCount, [](const Name& name) {
    const std::string& path = name.path;
    return path.size() >= 4 && path.compare(path.size() - 4, 4, ".tmp") == 0;
  });
}

}  // namespace fuzzing
