#pragma once

// Root of the framework's object classes: only the virtual destructor that
// the derived classes override.
class CObject {
 public:
  virtual ~CObject() = default;
};
