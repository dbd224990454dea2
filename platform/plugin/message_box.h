#pragma once

#include <string>

namespace platform {

// Modal notices to the operator.
class MessageBoxService {
 public:
  enum Owner { kNoOwner, kActiveWindow };
  static constexpr unsigned kOk = 0x0;
  static constexpr unsigned kIconInformation = 0x40;

  virtual ~MessageBoxService() = default;

  // Shows `text` with `caption` (null: the system's default caption) and
  // returns when the operator has closed the box. `style` holds the Win32
  // MB_* bits.
  virtual void Show(Owner owner, const std::string& text, const char* caption, unsigned style) = 0;
};

MessageBoxService& SystemMessageBox();

}  // namespace platform
