#include "tests/host_file_name.h"

namespace testing_support {

std::string HostFileName(const std::filesystem::path& path) { return path.generic_string(); }

}  // namespace testing_support
