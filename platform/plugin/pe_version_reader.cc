#include "platform/plugin/pe_version_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform {
namespace {

constexpr uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr size_t kCoffHeaderSize = 20;
constexpr uint16_t kMagicPe32 = 0x10B;
constexpr uint16_t kMagicPe32Plus = 0x20B;
constexpr uint32_t kResourceDirectory = 2;
constexpr size_t kSectionHeaderSize = 40;

constexpr size_t kDirectoryTableSize = 16;
constexpr size_t kDirectoryEntrySize = 8;
constexpr size_t kDataEntrySize = 16;
constexpr uint32_t kSubdirectoryBit = 0x80000000u;
constexpr uint32_t kRtVersion = 16;
constexpr uint32_t kVersionInfoId = 1;

constexpr char16_t kVersionKey[] = u"VS_VERSION_INFO";  // with its NUL
constexpr size_t kVersionKeyOffset = 6;
constexpr size_t kFixedInfoOffset = 40;  // key end (38) aligned to 4
constexpr size_t kFixedInfoSize = 52;
constexpr size_t kVersionHeadSize = kFixedInfoOffset + kFixedInfoSize;
constexpr uint32_t kFixedInfoSignature = 0xFEEF04BD;

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

struct Section {
  uint32_t virtualAddress;
  uint32_t virtualSpan;  // max(VirtualSize, SizeOfRawData)
  uint32_t rawSize;
  uint32_t rawOffset;
};

class ResourceWalker {
 public:
  explicit ResourceWalker(ImageBytes& image) : m_image(image) {}

  bool ReadFixedVersion(uint32_t* ms, uint32_t* ls) {
    uint32_t typeDir, nameDir, dataEntry;
    if (!ReadHeaders() || !Child(0, Pick::kId, kRtVersion, &typeDir) || !IsDirectory(typeDir) ||
        !Child(typeDir & ~kSubdirectoryBit, Pick::kIdElseFirst, kVersionInfoId, &nameDir) ||
        !IsDirectory(nameDir) || !Child(nameDir & ~kSubdirectoryBit, Pick::kFirst, 0, &dataEntry) ||
        IsDirectory(dataEntry)) {
      return false;
    }
    return ReadVersionData(dataEntry, ms, ls);
  }

 private:
  enum class Pick { kId, kIdElseFirst, kFirst };

  static bool IsDirectory(uint32_t offsetWord) { return (offsetWord & kSubdirectoryBit) != 0; }

  // Finds the resource directory and the section table.
  bool ReadHeaders() {
    uint8_t dos[64];
    if (!m_image.Read(0, sizeof dos, dos) || dos[0] != 'M' || dos[1] != 'Z') {
      return false;
    }
    const uint64_t pe = Le32(dos + 0x3C);
    uint8_t coff[4 + kCoffHeaderSize];
    if (!m_image.Read(pe, sizeof coff, coff) || Le32(coff) != kPeSignature) {
      return false;
    }
    const uint16_t sectionCount = Le16(coff + 4 + 2);
    const uint16_t optionalSize = Le16(coff + 4 + 16);
    const uint64_t optional = pe + sizeof coff;

    uint8_t magic[2];
    if (!m_image.Read(optional, sizeof magic, magic)) return false;
    size_t countAt, directoriesAt;
    if (Le16(magic) == kMagicPe32) {
      countAt = 92;
      directoriesAt = 96;
    } else if (Le16(magic) == kMagicPe32Plus) {
      countAt = 108;
      directoriesAt = 112;
    } else {
      return false;
    }
    const size_t resourceAt = directoriesAt + kResourceDirectory * 8;
    if (optionalSize < resourceAt + 8) return false;
    uint8_t count[4], resource[8];
    if (!m_image.Read(optional + countAt, sizeof count, count) ||
        Le32(count) <= kResourceDirectory ||
        !m_image.Read(optional + resourceAt, sizeof resource, resource)) {
      return false;
    }
    m_resourceRva = Le32(resource);
    if (m_resourceRva == 0) return false;

    const uint64_t table = optional + optionalSize;
    if (table + uint64_t{sectionCount} * kSectionHeaderSize > m_image.Size()) {
      return false;
    }
    m_sections.reserve(sectionCount);
    for (uint32_t i = 0; i < sectionCount; ++i) {
      uint8_t header[kSectionHeaderSize];
      if (!m_image.Read(table + i * kSectionHeaderSize, sizeof header, header)) {
        return false;
      }
      const uint32_t rawSize = Le32(header + 16);
      m_sections.push_back(
          {Le32(header + 12), std::max(Le32(header + 8), rawSize), rawSize, Le32(header + 20)});
    }
    return true;
  }

  // File offset of the `count` bytes at `rva`; false unless all of them are
  // stored in the file by one section.
  bool RvaToOffset(uint64_t rva, uint64_t count, uint64_t* offset) const {
    for (const Section& s : m_sections) {
      if (rva < s.virtualAddress || rva >= uint64_t{s.virtualAddress} + s.virtualSpan) {
        continue;
      }
      const uint64_t delta = rva - s.virtualAddress;
      if (delta + count > s.rawSize) return false;
      *offset = s.rawOffset + delta;
      return true;
    }
    return false;
  }

  // Reads `count` bytes at `offset` from the start of the resource directory.
  bool ReadResource(uint64_t offset, size_t count, uint8_t* out) {
    uint64_t at;
    return RvaToOffset(m_resourceRva + offset, count, &at) && m_image.Read(at, count, out);
  }

  // The Offset word of the entry chosen by `pick` in the directory table at
  // `directory` (relative to the start of the resource directory).
  bool Child(uint32_t directory, Pick pick, uint32_t id, uint32_t* child) {
    uint8_t table[kDirectoryTableSize];
    if (!ReadResource(directory, sizeof table, table)) return false;
    const uint32_t named = Le16(table + 12);
    const uint32_t total = named + Le16(table + 14);
    const uint64_t tableSize = kDirectoryTableSize + uint64_t{total} * kDirectoryEntrySize;
    uint64_t tableAt;
    // All entries must be stored with the table, in the same section.
    if (total == 0 || !RvaToOffset(m_resourceRva + directory, tableSize, &tableAt)) {
      return false;
    }
    const uint64_t entriesAt = tableAt + kDirectoryTableSize;
    uint8_t entry[kDirectoryEntrySize];
    if (pick != Pick::kFirst) {
      for (uint32_t i = named; i < total; ++i) {
        if (!m_image.Read(entriesAt + i * kDirectoryEntrySize, sizeof entry, entry)) {
          return false;
        }
        if (Le32(entry) == id) {
          *child = Le32(entry + 4);
          return true;
        }
      }
      if (pick == Pick::kId) return false;
    }
    if (!m_image.Read(entriesAt, sizeof entry, entry)) return false;
    *child = Le32(entry + 4);
    return true;
  }

  // Checks the root node of the version data described by the data entry at
  // `data_entry` and returns its file version.
  bool ReadVersionData(uint32_t dataEntry, uint32_t* ms, uint32_t* ls) {
    uint8_t entry[kDataEntrySize];
    if (!ReadResource(dataEntry, sizeof entry, entry)) return false;
    const uint32_t dataRva = Le32(entry);
    const uint32_t dataSize = Le32(entry + 4);
    if (dataSize < kVersionHeadSize) return false;

    uint8_t head[kVersionHeadSize];
    uint64_t headAt;
    if (!RvaToOffset(dataRva, sizeof head, &headAt) || !m_image.Read(headAt, sizeof head, head)) {
      return false;
    }
    const uint16_t length = Le16(head);
    const uint16_t valueLength = Le16(head + 2);
    if (length < kVersionHeadSize || length > dataSize || valueLength < kFixedInfoSize) {
      return false;
    }
    for (size_t i = 0; i < sizeof kVersionKey / sizeof kVersionKey[0]; ++i) {
      if (Le16(head + kVersionKeyOffset + 2 * i) != kVersionKey[i]) {
        return false;
      }
    }
    const uint8_t* fixed = head + kFixedInfoOffset;
    if (Le32(fixed) != kFixedInfoSignature) return false;
    *ms = Le32(fixed + 8);
    *ls = Le32(fixed + 12);
    return true;
  }

  ImageBytes& m_image;
  uint32_t m_resourceRva = 0;
  std::vector<Section> m_sections;
};

class MemoryBytes : public ImageBytes {
 public:
  MemoryBytes(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

  uint64_t Size() const override { return m_size; }

  bool Read(uint64_t offset, size_t count, uint8_t* out) override {
    if (offset > m_size || count > m_size - offset) return false;
    std::memcpy(out, m_data + offset, count);
    return true;
  }

 private:
  const uint8_t* m_data;
  size_t m_size;
};

}  // namespace

bool ReadPeFixedVersion(ImageBytes& image, uint32_t* ms, uint32_t* ls) {
  return ResourceWalker(image).ReadFixedVersion(ms, ls);
}

bool ReadPeFixedVersion(const uint8_t* data, size_t size, uint32_t* ms, uint32_t* ls) {
  MemoryBytes image(data, size);
  return ReadPeFixedVersion(image, ms, ls);
}

}  // namespace platform
