// The two fonts of the desktop program, made from the system's variable-pitch
// font: a bold one for the form's controls and a plain one for the status
// strip and the program's own boxes. A font that cannot be made is the
// system font itself.
#pragma once

#include "platform/win32/windows_api.h"

namespace quorl::platform {

class Win32Fonts {
 public:
  Win32Fonts();
  ~Win32Fonts();
  Win32Fonts(const Win32Fonts&) = delete;
  Win32Fonts& operator=(const Win32Fonts&) = delete;

  HFONT Control() const { return control_; }
  HFONT Plain() const { return plain_; }
  // A bold font of the given point size, for a control's FontSize; the
  // caller deletes it. The control font when it cannot be made.
  HFONT MakeSized(double pointSize) const;

 private:
  HFONT stock_;
  HFONT control_;
  HFONT plain_;
};

}  // namespace quorl::platform
