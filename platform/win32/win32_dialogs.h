// The desktop program's boxes: message boxes, the Open dialog, and the
// input, output and user/password boxes and the system menu's About and
// Form Info boxes from the program's dialog templates. Each modal box is
// owned by the form while there is one and centres itself on the screen.
#pragma once

#include "platform/win32/windows_api.h"

#include <functional>

#include "platform/dialogs.h"
#include "platform/form_dialogs.h"

namespace quorl::platform {

// The window that owns a box: the form, or none before it exists.
using OwnerWindow = std::function<HWND()>;

class Win32Dialogs final : public Dialogs {
 public:
  Win32Dialogs(HINSTANCE instance, OwnerWindow owner) : instance_(instance), owner_(owner) {}
  // The Open dialog is owned by the loading window.
  void SetLoadingWindow(HWND window) { loadingWindow_ = window; }

  int MessageBox(std::string_view text, std::optional<std::string_view> caption,
                 int style) override;
  std::optional<std::string> ChooseProgramFile() override;
  std::optional<std::string> InputBox(std::string_view caption, std::string_view prompt,
                                      std::string_view initialText) override;
  void OutputBox(std::string_view caption, std::string_view label, std::string_view text) override;
  std::optional<Credentials> AskUserPassword(std::string_view prompt) override;

 private:
  HINSTANCE instance_;
  OwnerWindow owner_;
  HWND loadingWindow_ = nullptr;
};

class Win32FormDialogs final : public FormDialogs {
 public:
  Win32FormDialogs(HINSTANCE instance, OwnerWindow owner) : instance_(instance), owner_(owner) {}
  void ShowAbout() override;
  void ShowFormInfo(std::string_view aboutText, std::string_view formatText) override;

 private:
  HINSTANCE instance_;
  OwnerWindow owner_;
};

// Moves a box to the middle of the screen.
void CentreOnScreen(HWND window);

}  // namespace quorl::platform
