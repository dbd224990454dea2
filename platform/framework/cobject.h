#pragma once

namespace platform {

// Root of the framework's object classes: only the virtual destructor that
// the derived classes override.
class CObject {
 public:
  virtual ~CObject() = default;
};

}  // namespace platform
