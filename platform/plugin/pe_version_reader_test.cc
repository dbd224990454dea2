#include "platform/plugin/pe_version_reader.h"

#include <cstdint>
#include <functional>
#include <vector>

#include "gtest/gtest.h"

namespace platform {
namespace {

constexpr uint32_t kDir = 0x80000000u;
constexpr uint32_t kSectionRva = 0x1000;
constexpr size_t kSectionFileOffset = 0x200;
constexpr size_t kVersionBlockSize = 92;

// A minimal image: headers, then one section holding only the resources.
// Offsets of the parts the tests corrupt are kept, as file offsets.
struct Image {
  std::vector<uint8_t> bytes;
  size_t optionalHeader = 0;
  size_t sectionHeader = 0;
  size_t rootDir = 0;
  size_t nameDir = 0;
  size_t languageDir = 0;  // of the first name
  size_t dataEntry = 0;    // of the first name
  size_t version = 0;      // of the first name

  void Put16(size_t at, uint16_t v) {
    bytes.at(at) = v & 0xFF;
    bytes.at(at + 1) = v >> 8;
  }
  void Put32(size_t at, uint32_t v) {
    Put16(at, v & 0xFFFF);
    Put16(at + 2, v >> 16);
  }
  uint32_t Rva(size_t fileOffset) const {
    return static_cast<uint32_t>(fileOffset - kSectionFileOffset + kSectionRva);
  }
};

struct Name {
  uint32_t nameOrId;  // with the high bit: a string name
  uint32_t ms;        // file version words of its version block
  uint32_t ls;
};

void PutDirectory(Image* image, size_t at, uint16_t named, uint16_t ids) {
  image->Put16(at + 12, named);
  image->Put16(at + 14, ids);
}

Image BuildImage(bool pe32Plus, const std::vector<Name>& names) {
  Image image;
  const size_t optionalSize = pe32Plus ? 240 : 224;
  image.optionalHeader = 0x40 + 24;
  image.sectionHeader = image.optionalHeader + optionalSize;
  image.rootDir = kSectionFileOffset;
  image.nameDir = image.rootDir + 24;
  const size_t firstLanguage = image.nameDir + 16 + 8 * names.size();
  const size_t perName = 24 + 16 + kVersionBlockSize;
  const size_t resourceSize = firstLanguage + perName * names.size() - kSectionFileOffset;
  image.bytes.assign(kSectionFileOffset + resourceSize, 0);

  image.bytes[0] = 'M';
  image.bytes[1] = 'Z';
  image.Put32(0x3C, 0x40);
  image.Put32(0x40, 0x00004550);
  image.Put16(0x44, pe32Plus ? 0x8664 : 0x14C);
  image.Put16(0x46, 1);
  image.Put16(0x54, static_cast<uint16_t>(optionalSize));
  const size_t opt = image.optionalHeader;
  image.Put16(opt, pe32Plus ? 0x20B : 0x10B);
  image.Put32(opt + (pe32Plus ? 108 : 92), 16);
  const size_t resourceDir = opt + (pe32Plus ? 112 : 96) + 16;
  image.Put32(resourceDir, kSectionRva);
  image.Put32(resourceDir + 4, static_cast<uint32_t>(resourceSize));
  const size_t sec = image.sectionHeader;
  image.bytes[sec] = '.';
  image.bytes[sec + 1] = 'v';
  image.Put32(sec + 8, static_cast<uint32_t>(resourceSize));
  image.Put32(sec + 12, kSectionRva);
  image.Put32(sec + 16, static_cast<uint32_t>(resourceSize));
  image.Put32(sec + 20, kSectionFileOffset);

  auto relative = [](size_t at) { return static_cast<uint32_t>(at - kSectionFileOffset); };
  PutDirectory(&image, image.rootDir, 0, 1);
  image.Put32(image.rootDir + 16, 16);
  image.Put32(image.rootDir + 20, kDir | relative(image.nameDir));

  uint16_t named = 0;
  for (const Name& n : names) named += (n.nameOrId & kDir) ? 1 : 0;
  PutDirectory(&image, image.nameDir, named, static_cast<uint16_t>(names.size() - named));
  for (size_t i = 0; i < names.size(); ++i) {
    const size_t language = firstLanguage + perName * i;
    const size_t data = language + 24;
    const size_t version = data + 16;
    image.Put32(image.nameDir + 16 + 8 * i, names[i].nameOrId);
    image.Put32(image.nameDir + 20 + 8 * i, kDir | relative(language));
    PutDirectory(&image, language, 0, 1);
    image.Put32(language + 16, 0x409);
    image.Put32(language + 20, relative(data));
    image.Put32(data, image.Rva(version));
    image.Put32(data + 4, kVersionBlockSize);
    image.Put16(version, kVersionBlockSize);
    image.Put16(version + 2, 52);
    const char key[] = "VS_VERSION_INFO";
    for (size_t k = 0; k < sizeof key; ++k) {
      image.Put16(version + 6 + 2 * k, static_cast<uint8_t>(key[k]));
    }
    image.Put32(version + 40, 0xFEEF04BD);
    image.Put32(version + 48, names[i].ms);
    image.Put32(version + 52, names[i].ls);
    image.Put32(version + 56, 0x00090008);  // product version, not wanted
    if (i == 0) {
      image.languageDir = language;
      image.dataEntry = data;
      image.version = version;
    }
  }
  return image;
}

Image StandardImage() { return BuildImage(false, {{1, 0x00010002, 0x30004}}); }

TEST(PeVersionReaderTest, PicksTheVersionResource) {
  struct Case {
    const char* what;
    bool pe32Plus;
    std::vector<Name> names;
    uint32_t wantMs;
  };
  const Case cases[] = {
      {"PE32", false, {{1, 0x00020014, 5}}, 0x00020014},
      {"PE32+", true, {{1, 0x00030001, 5}}, 0x00030001},
      {"ID 1 after a string name",
       false,
       {{kDir | 0, 0x00070007, 5}, {1, 0x00020014, 5}},
       0x00020014},
      {"ID 1 after another ID", false, {{3, 0x00070007, 5}, {1, 0x00020014, 5}}, 0x00020014},
      {"no ID 1: the first name", false, {{7, 0x00030000, 5}, {9, 0x00070007, 5}}, 0x00030000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Image image = BuildImage(c.pe32Plus, c.names);
    uint32_t ms = 0, ls = 0;
    ASSERT_TRUE(ReadPeFixedVersion(image.bytes.data(), image.bytes.size(), &ms, &ls));
    EXPECT_EQ(ms, c.wantMs);
    EXPECT_EQ(ls, 5u);
  }
}

TEST(PeVersionReaderTest, MapsThroughSectionsWhateverTheirSizes) {
  Image image = StandardImage();
  image.Put32(image.sectionHeader + 8, 0);  // VirtualSize 0
  uint32_t ms = 0, ls = 0;
  ASSERT_TRUE(ReadPeFixedVersion(image.bytes.data(), image.bytes.size(), &ms, &ls));
  EXPECT_EQ(ms, 0x00010002u);
  EXPECT_EQ(ls, 0x00030004u);
}

TEST(PeVersionReaderTest, RejectsMalformedImages) {
  using Corrupt = std::function<void(Image*)>;
  struct Case {
    const char* what;
    Corrupt corrupt;
  };
  const Case cases[] = {
      {"no MZ", [](Image* i) { i->bytes[0] = 'Z'; }},
      {"e_lfanew past the end", [](Image* i) { i->Put32(0x3C, 0xFFFFFFF0); }},
      {"no PE signature", [](Image* i) { i->bytes[0x43] = 1; }},
      {"unknown magic", [](Image* i) { i->Put16(i->optionalHeader, 0x107); }},
      {"two data directories", [](Image* i) { i->Put32(i->optionalHeader + 92, 2); }},
      {"no resource directory", [](Image* i) { i->Put32(i->optionalHeader + 112, 0); }},
      {"section table past the end", [](Image* i) { i->Put16(0x46, 0xFFFF); }},
      {"no sections", [](Image* i) { i->Put16(0x46, 0); }},
      {"resources outside every section",
       [](Image* i) { i->Put32(i->optionalHeader + 112, 0x9000); }},
      {"raw data past the end of the file",
       [](Image* i) { i->Put32(i->sectionHeader + 20, 0x7FFFF000); }},
      {"no RT_VERSION", [](Image* i) { i->Put32(i->rootDir + 16, 6); }},
      {"root entry count beyond the section",
       [](Image* i) { PutDirectory(i, i->rootDir, 0, 0xFFFF); }},
      {"empty name directory", [](Image* i) { PutDirectory(i, i->nameDir, 0, 0); }},
      {"type entry out of range", [](Image* i) { i->Put32(i->rootDir + 20, kDir | 0x7FFFFFF0); }},
      {"type entry is a data entry", [](Image* i) { i->Put32(i->rootDir + 20, 0x18); }},
      {"type entry points at the root", [](Image* i) { i->Put32(i->rootDir + 20, kDir | 0); }},
      {"language directory points at itself",
       [](Image* i) {
         i->Put32(i->languageDir + 20,
                  kDir | static_cast<uint32_t>(i->languageDir - kSectionFileOffset));
       }},
      {"data RVA out of range", [](Image* i) { i->Put32(i->dataEntry, 0xFFFFFFF0); }},
      {"data only in memory, not in the file",
       [](Image* i) {
         i->Put32(i->sectionHeader + 8, 0x10000);
         i->Put32(i->dataEntry, kSectionRva + 0x8000);
       }},
      {"data straddles the end of the section",
       [](Image* i) { i->Put32(i->dataEntry, i->Rva(i->bytes.size() - 40)); }},
      {"data size too small", [](Image* i) { i->Put32(i->dataEntry + 4, 91); }},
      {"wLength too small", [](Image* i) { i->Put16(i->version, 91); }},
      {"wLength beyond the data size", [](Image* i) { i->Put16(i->version, 93); }},
      {"no fixed block", [](Image* i) { i->Put16(i->version + 2, 0); }},
      {"wrong key", [](Image* i) { i->Put16(i->version + 6 + 28, 'X'); }},
      {"key not terminated", [](Image* i) { i->Put16(i->version + 36, 'X'); }},
      {"wrong signature", [](Image* i) { i->Put32(i->version + 40, 0xFEEF04BE); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Image image = StandardImage();
    c.corrupt(&image);
    uint32_t ms = 7, ls = 7;
    EXPECT_FALSE(ReadPeFixedVersion(image.bytes.data(), image.bytes.size(), &ms, &ls));
    EXPECT_EQ(ms, 7u);
    EXPECT_EQ(ls, 7u);
  }
}

TEST(PeVersionReaderTest, RejectsEmptyInput) {
  uint32_t ms = 0, ls = 0;
  EXPECT_FALSE(ReadPeFixedVersion(nullptr, 0, &ms, &ls));
}

}  // namespace
}  // namespace platform
