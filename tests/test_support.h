#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

// A fresh, empty folder that is the current directory for the object's
// lifetime; the previous current directory is restored and the folder removed
// afterwards.
class ScopedWorkDir {
 public:
  ScopedWorkDir();
  ~ScopedWorkDir();
  ScopedWorkDir(const ScopedWorkDir&) = delete;
  ScopedWorkDir& operator=(const ScopedWorkDir&) = delete;

  const std::filesystem::path& Path() const { return m_path; }

 private:
  std::filesystem::path m_previous;
  std::filesystem::path m_path;
};

// Whole content of a file as bytes; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace testing_support
