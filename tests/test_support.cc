#include "tests/test_support.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>

namespace testing_support {

ScopedWorkDir::ScopedWorkDir() : m_previous(std::filesystem::current_path()) {
  static std::atomic<unsigned> serial{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  m_path = std::filesystem::temp_directory_path() /
           ("stats-test-" + std::to_string(stamp) + "-" + std::to_string(serial++));
  std::filesystem::create_directories(m_path);
  std::filesystem::current_path(m_path);
}

ScopedWorkDir::~ScopedWorkDir() {
  std::error_code ignored;
  std::filesystem::current_path(m_previous, ignored);
  std::filesystem::remove_all(m_path, ignored);
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace testing_support
