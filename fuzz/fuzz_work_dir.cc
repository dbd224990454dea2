#include "fuzz/fuzz_work_dir.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace fuzzing {
namespace {

namespace fs = std::filesystem;

fs::path& WorkDir() {
  static fs::path dir;
  return dir;
}

void RemoveWorkDir() {
  std::error_code ignored;
  fs::current_path("/", ignored);
  fs::remove_all(WorkDir(), ignored);
}

std::string TempRoot() {
  std::error_code error;
  if (fs::is_directory("/dev/shm", error) && access("/dev/shm", W_OK) == 0) return "/dev/shm";
  const char* tmp = std::getenv("TMPDIR");
  return tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
}

}  // namespace

void EnterPrivateWorkDir(const char* prefix) {
  const int null = open("/dev/null", O_RDONLY);
  if (null < 0 || dup2(null, STDIN_FILENO) < 0) {
    std::perror("/dev/null on standard input");
    std::abort();
  }
  if (null != STDIN_FILENO) close(null);

  std::string pattern = TempRoot() + "/" + prefix + "-XXXXXX";
  if (mkdtemp(&pattern[0]) == nullptr || chdir(pattern.c_str()) != 0) {
    std::perror(pattern.c_str());
    std::abort();
  }
  WorkDir() = pattern;
  std::atexit(RemoveWorkDir);
}

bool WorkDirIsEmpty() {
  // One stream for the whole run, read again from the start: opening the
  // folder for every input would cost a buffer and two system calls.
  static DIR* const dir = opendir(".");
  if (dir == nullptr) return false;
  rewinddir(dir);
  while (const dirent* entry = readdir(dir)) {
    const char* name = entry->d_name;
    const bool dots = name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
    if (!dots) return false;
  }
  return true;
}

}  // namespace fuzzing
