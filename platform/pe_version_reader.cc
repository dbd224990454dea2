#include "platform/pe_version_reader.h"

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

uint16_t Le16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

struct Section {
  uint32_t virtual_address;
  uint32_t virtual_span;  // max(VirtualSize, SizeOfRawData)
  uint32_t raw_size;
  uint32_t raw_offset;
};

class ResourceWalker {
 public:
  explicit ResourceWalker(ImageBytes& image) : image_(image) {}

  bool ReadFixedVersion(uint32_t* ms, uint32_t* ls) {
    uint32_t type_dir, name_dir, data_entry;
    if (!ReadHeaders() || !Child(0, Pick::kId, kRtVersion, &type_dir) ||
        !IsDirectory(type_dir) ||
        !Child(type_dir & ~kSubdirectoryBit, Pick::kIdElseFirst,
               kVersionInfoId, &name_dir) ||
        !IsDirectory(name_dir) ||
        !Child(name_dir & ~kSubdirectoryBit, Pick::kFirst, 0, &data_entry) ||
        IsDirectory(data_entry)) {
      return false;
    }
    return ReadVersionData(data_entry, ms, ls);
  }

 private:
  enum class Pick { kId, kIdElseFirst, kFirst };

  static bool IsDirectory(uint32_t offset_word) {
    return (offset_word & kSubdirectoryBit) != 0;
  }

  // Finds the resource directory and the section table.
  bool ReadHeaders() {
    uint8_t dos[64];
    if (!image_.Read(0, sizeof dos, dos) || dos[0] != 'M' || dos[1] != 'Z') {
      return false;
    }
    const uint64_t pe = Le32(dos + 0x3C);
    uint8_t coff[4 + kCoffHeaderSize];
    if (!image_.Read(pe, sizeof coff, coff) || Le32(coff) != kPeSignature) {
      return false;
    }
    const uint16_t section_count = Le16(coff + 4 + 2);
    const uint16_t optional_size = Le16(coff + 4 + 16);
    const uint64_t optional = pe + sizeof coff;

    uint8_t magic[2];
    if (!image_.Read(optional, sizeof magic, magic)) return false;
    size_t count_at, directories_at;
    if (Le16(magic) == kMagicPe32) {
      count_at = 92;
      directories_at = 96;
    } else if (Le16(magic) == kMagicPe32Plus) {
      count_at = 108;
      directories_at = 112;
    } else {
      return false;
    }
    const size_t resource_at = directories_at + kResourceDirectory * 8;
    if (optional_size < resource_at + 8) return false;
    uint8_t count[4], resource[8];
    if (!image_.Read(optional + count_at, sizeof count, count) ||
        Le32(count) <= kResourceDirectory ||
        !image_.Read(optional + resource_at, sizeof resource, resource)) {
      return false;
    }
    resource_rva_ = Le32(resource);
    if (resource_rva_ == 0) return false;

    const uint64_t table = optional + optional_size;
    if (table + uint64_t{section_count} * kSectionHeaderSize > image_.Size()) {
      return false;
    }
    sections_.reserve(section_count);
    for (uint32_t i = 0; i < section_count; ++i) {
      uint8_t header[kSectionHeaderSize];
      if (!image_.Read(table + i * kSectionHeaderSize, sizeof header, header)) {
        return false;
      }
      const uint32_t raw_size = Le32(header + 16);
      sections_.push_back({Le32(header + 12),
                           std::max(Le32(header + 8), raw_size), raw_size,
                           Le32(header + 20)});
    }
    return true;
  }

  // File offset of the `count` bytes at `rva`; false unless all of them are
  // stored in the file by one section.
  bool RvaToOffset(uint64_t rva, uint64_t count, uint64_t* offset) const {
    for (const Section& s : sections_) {
      if (rva < s.virtual_address ||
          rva >= uint64_t{s.virtual_address} + s.virtual_span) {
        continue;
      }
      const uint64_t delta = rva - s.virtual_address;
      if (delta + count > s.raw_size) return false;
      *offset = s.raw_offset + delta;
      return true;
    }
    return false;
  }

  // Reads `count` bytes at `offset` from the start of the resource directory.
  bool ReadResource(uint64_t offset, size_t count, uint8_t* out) {
    uint64_t at;
    return RvaToOffset(resource_rva_ + offset, count, &at) &&
           image_.Read(at, count, out);
  }

  // The Offset word of the entry chosen by `pick` in the directory table at
  // `directory` (relative to the start of the resource directory).
  bool Child(uint32_t directory, Pick pick, uint32_t id, uint32_t* child) {
    uint8_t table[kDirectoryTableSize];
    if (!ReadResource(directory, sizeof table, table)) return false;
    const uint32_t named = Le16(table + 12);
    const uint32_t total = named + Le16(table + 14);
    const uint64_t table_size =
        kDirectoryTableSize + uint64_t{total} * kDirectoryEntrySize;
    uint64_t table_at;
    // All entries must be stored with the table, in the same section.
    if (total == 0 ||
        !RvaToOffset(resource_rva_ + directory, table_size, &table_at)) {
      return false;
    }
    const uint64_t entries_at = table_at + kDirectoryTableSize;
    uint8_t entry[kDirectoryEntrySize];
    if (pick != Pick::kFirst) {
      for (uint32_t i = named; i < total; ++i) {
        if (!image_.Read(entries_at + i * kDirectoryEntrySize, sizeof entry,
                         entry)) {
          return false;
        }
        if (Le32(entry) == id) {
          *child = Le32(entry + 4);
          return true;
        }
      }
      if (pick == Pick::kId) return false;
    }
    if (!image_.Read(entries_at, sizeof entry, entry)) return false;
    *child = Le32(entry + 4);
    return true;
  }

  // Checks the root node of the version data described by the data entry at
  // `data_entry` and returns its file version.
  bool ReadVersionData(uint32_t data_entry, uint32_t* ms, uint32_t* ls) {
    uint8_t entry[kDataEntrySize];
    if (!ReadResource(data_entry, sizeof entry, entry)) return false;
    const uint32_t data_rva = Le32(entry);
    const uint32_t data_size = Le32(entry + 4);
    if (data_size < kVersionHeadSize) return false;

    uint8_t head[kVersionHeadSize];
    uint64_t head_at;
    if (!RvaToOffset(data_rva, sizeof head, &head_at) ||
        !image_.Read(head_at, sizeof head, head)) {
      return false;
    }
    const uint16_t length = Le16(head);
    const uint16_t value_length = Le16(head + 2);
    if (length < kVersionHeadSize || length > data_size ||
        value_length < kFixedInfoSize) {
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

  ImageBytes& image_;
  uint32_t resource_rva_ = 0;
  std::vector<Section> sections_;
};

class MemoryBytes : public ImageBytes {
 public:
  MemoryBytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  uint64_t Size() const override { return size_; }

  bool Read(uint64_t offset, size_t count, uint8_t* out) override {
    if (offset > size_ || count > size_ - offset) return false;
    std::memcpy(out, data_ + offset, count);
    return true;
  }

 private:
  const uint8_t* data_;
  size_t size_;
};

}  // namespace

bool ReadPeFixedVersion(ImageBytes& image, uint32_t* ms, uint32_t* ls) {
  return ResourceWalker(image).ReadFixedVersion(ms, ls);
}

bool ReadPeFixedVersion(const uint8_t* data, size_t size, uint32_t* ms,
                        uint32_t* ls) {
  MemoryBytes image(data, size);
  return ReadPeFixedVersion(image, ms, ls);
}

}  // namespace platform
