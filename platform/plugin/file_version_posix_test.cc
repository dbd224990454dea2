#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "platform/plugin/file_version.h"
#include "platform/plugin/pe_version_reader.h"

// The fixture executables (v2_20_0_5.exe, v3_1_4_0.exe, v3_0_7_9.exe,
// noversion.exe) are found in the folder named by VERSION_FIXTURE_DIR.

namespace platform {
namespace {

std::string FixtureDir() {
  const char* dir = std::getenv("VERSION_FIXTURE_DIR");
  return dir != nullptr ? dir : "";
}

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FileVersionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(FixtureDir().empty())
        << "Set VERSION_FIXTURE_DIR to the folder of the version fixtures.";
    std::string pattern = ::testing::TempDir() + "file_version_XXXXXX";
    const int fd = mkstemp(&pattern[0]);
    ASSERT_NE(fd, -1);
    close(fd);
    m_scratch = pattern;
  }

  void TearDown() override {
    if (!m_scratch.empty()) std::remove(m_scratch.c_str());
  }

  static std::string Fixture(const std::string& name) { return FixtureDir() + "/" + name; }

  // Loads a fixture; fails the test when it is missing or empty.
  static std::vector<uint8_t> LoadFixture(const std::string& name) {
    std::vector<uint8_t> bytes = ReadAll(Fixture(name));
    EXPECT_FALSE(bytes.empty()) << "missing fixture " << Fixture(name);
    return bytes;
  }

  void WriteScratch(const uint8_t* data, size_t size) {
    std::ofstream out(m_scratch, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), size);
    ASSERT_TRUE(out.good());
  }

  FileVersion& m_files = SystemFileVersion();
  std::string m_scratch;
};

constexpr uint32_t kUntouched = 0xDEADBEEF;

TEST_F(FileVersionTest, ReadsFileVersionWords) {
  struct Case {
    const char* file;
    uint32_t ms, ls;
  };
  const Case cases[] = {
      {"v2_20_0_5.exe", 0x00020014, 0x00000005},
      {"v3_1_4_0.exe", 0x00030001, 0x00040000},
      {"v3_0_7_9.exe", 0x00030000, 0x00070009},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    uint32_t ms = kUntouched, ls = kUntouched;
    ASSERT_TRUE(m_files.ReadFixedVersion(Fixture(c.file), &ms, &ls));
    EXPECT_EQ(ms, c.ms);
    EXPECT_EQ(ls, c.ls);
  }
}

TEST_F(FileVersionTest, FailsWithoutVersion) {
  const uint8_t notPe[] = "This is a text file, not an executable.\r\n";
  WriteScratch(notPe, sizeof notPe - 1);
  const std::string empty = m_scratch + ".empty";
  std::ofstream(empty, std::ios::binary).close();
  std::string folder = m_scratch + ".dir";
  ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);

  const std::string cases[] = {Fixture("noversion.exe"), m_scratch, empty, folder,
                               Fixture("no_such_file.exe")};
  for (const std::string& path : cases) {
    SCOPED_TRACE(path);
    uint32_t ms = kUntouched, ls = kUntouched;
    EXPECT_FALSE(m_files.ReadFixedVersion(path, &ms, &ls));
    EXPECT_EQ(ms, kUntouched);
    EXPECT_EQ(ls, kUntouched);
  }
  std::remove(empty.c_str());
  rmdir(folder.c_str());
}

TEST_F(FileVersionTest, CanOpenForReading) {
  std::string folder = m_scratch + ".dir";
  ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
  EXPECT_TRUE(m_files.CanOpenForReading(Fixture("v2_20_0_5.exe")));
  EXPECT_TRUE(m_files.CanOpenForReading(m_scratch));  // empty file
  EXPECT_FALSE(m_files.CanOpenForReading(Fixture("no_such_file.exe")));
  EXPECT_FALSE(m_files.CanOpenForReading(folder));
  EXPECT_FALSE(m_files.CanOpenForReading(""));
  rmdir(folder.c_str());
}

// A cut anywhere loses the version (the resource section lies near the end
// of the image) or leaves it intact; it never yields other words.
TEST_F(FileVersionTest, TruncatedImagesFailOrReadRight) {
  const std::vector<uint8_t> image = LoadFixture("v3_1_4_0.exe");
  ASSERT_GT(image.size(), 1024u);
  int intact = 0;
  for (size_t cut = 0; cut < image.size(); cut += cut < 1024 ? 1 : 61) {
    SCOPED_TRACE(cut);
    WriteScratch(image.data(), cut);
    uint32_t ms = kUntouched, ls = kUntouched;
    if (m_files.ReadFixedVersion(m_scratch, &ms, &ls)) {
      ++intact;
      EXPECT_EQ(ms, 0x00030001u);
      EXPECT_EQ(ls, 0x00040000u);
    } else {
      EXPECT_EQ(ms, kUntouched);
    }
  }
  // The .reloc section follows the resources in the fixtures, so cuts inside
  // it keep the version readable.
  EXPECT_GT(intact, 0);
}

// Every byte overwritten in turn with values that turn offsets and counts
// into huge, zero or self-referencing ones. Only a hit on the two version
// words themselves may change the answer.
TEST_F(FileVersionTest, CorruptedBytesFailOrReadRight) {
  std::vector<uint8_t> image = LoadFixture("v2_20_0_5.exe");
  const uint8_t signature[] = {0xBD, 0x04, 0xEF, 0xFE};
  const auto found =
      std::search(image.begin(), image.end(), std::begin(signature), std::end(signature));
  ASSERT_NE(found, image.end());
  const size_t words = (found - image.begin()) + 8;

  int failures = 0;
  for (size_t at = 0; at < image.size(); ++at) {
    const uint8_t original = image[at];
    for (int value : {0x00, 0x7F, 0x80, 0xFF, original ^ 0x01}) {
      image[at] = static_cast<uint8_t>(value);
      uint32_t ms = 0, ls = 0;
      if (!ReadPeFixedVersion(image.data(), image.size(), &ms, &ls)) {
        ++failures;
      } else if (at < words || at >= words + 8) {
        ASSERT_EQ(ms, 0x00020014u) << "byte " << at << " = " << value;
        ASSERT_EQ(ls, 0x00000005u) << "byte " << at << " = " << value;
      }
    }
    image[at] = original;
  }
  EXPECT_GT(failures, 0);
}

}  // namespace
}  // namespace platform
