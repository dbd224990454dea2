#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// Random access to the bytes of an executable image.
class ImageBytes {
 public:
  virtual ~ImageBytes() = default;

  // Total number of bytes in the image.
  virtual uint64_t Size() const = 0;

  // Copies `count` bytes starting at `offset` into `out`. False, with `out`
  // unspecified, when the range does not lie wholly inside the image or the
  // bytes cannot be read.
  virtual bool Read(uint64_t offset, size_t count, uint8_t* out) = 0;
};

// Finds the version resource of a PE32 or PE32+ image without loading it and
// returns the dwFileVersionMS and dwFileVersionLS words of its fixed
// file-version block. The resource looked up is type RT_VERSION, name ID 1
// (the first name when there is no ID 1), first language. False, leaving
// `ms` and `ls` untouched, when the bytes are not such an image or it has no
// well-formed version resource.
//
// Safe on arbitrary input: every offset and size is checked against the image,
// only the headers, the section table and the few resource entries on the way
// are read, and no link is followed more than once.
bool ReadPeFixedVersion(ImageBytes& image, uint32_t* ms, uint32_t* ls);

// As above, for an image held in memory.
bool ReadPeFixedVersion(const uint8_t* data, size_t size, uint32_t* ms, uint32_t* ls);

}  // namespace platform
