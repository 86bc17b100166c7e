#include "platform/win32/win32_dialogs.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "platform/win32/resource_ids.h"
#include "platform/win32/win32_painting.h"

namespace quorl::platform {
namespace {

// What a box shows and what the user answered in it.
struct BoxState {
  std::string caption;
  std::string prompt;
  std::string text;
  std::string secondText;
  bool confirmed = false;
};

std::string ItemText(HWND dialog, int item) {
  HWND control = GetDlgItem(dialog, item);
  int length = GetWindowTextLengthA(control);
  std::vector<char> text(static_cast<size_t>(std::max(length, 0)) + 2);
  GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
  return text.data();
}

// A multi-line edit box breaks lines only at CR LF.
std::string WithLineBreaks(std::string_view text) {
  std::string shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) shown += '\r';
    shown += text[i];
  }
  return shown;
}

BoxState* StateOf(HWND dialog, UINT message, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  return reinterpret_cast<BoxState*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// OK confirms; Cancel and the close command end the box without an answer.
enum class Closing { kNone, kConfirmed, kCancelled };
Closing ClosingOf(UINT message, WPARAM wParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) return Closing::kConfirmed;
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) return Closing::kCancelled;
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) return Closing::kCancelled;
  return Closing::kNone;
}

INT_PTR CALLBACK InputBoxProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  BoxState* state = StateOf(dialog, message, lParam);
  if (!state) return FALSE;
  if (message == WM_INITDIALOG) {
    CentreOnScreen(dialog);
    SetWindowTextA(dialog, state->caption.c_str());
    SetDlgItemTextA(dialog, IDC_INPUT_PROMPT, state->prompt.c_str());
    SetDlgItemTextA(dialog, IDC_INPUT_TEXT, state->text.c_str());
    return TRUE;
  }
  Closing closing = ClosingOf(message, wParam);
  if (closing == Closing::kNone) return FALSE;
  state->confirmed = closing == Closing::kConfirmed;
  if (state->confirmed) state->text = ItemText(dialog, IDC_INPUT_TEXT);
  EndDialog(dialog, 0);
  return TRUE;
}

INT_PTR CALLBACK OutputBoxProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  BoxState* state = StateOf(dialog, message, lParam);
  if (!state) return FALSE;
  if (message == WM_INITDIALOG) {
    CentreOnScreen(dialog);
    SetWindowTextA(dialog, state->caption.c_str());
    SetDlgItemTextA(dialog, IDC_OUTPUT_PROMPT, state->prompt.c_str());
    SetDlgItemTextA(dialog, IDC_OUTPUT_TEXT, WithLineBreaks(state->text).c_str());
    return TRUE;
  }
  if (ClosingOf(message, wParam) == Closing::kNone) return FALSE;
  EndDialog(dialog, 0);
  return TRUE;
}

INT_PTR CALLBACK UserPasswordProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  BoxState* state = StateOf(dialog, message, lParam);
  if (!state) return FALSE;
  if (message == WM_INITDIALOG) {
    CentreOnScreen(dialog);
    if (!state->prompt.empty()) SetDlgItemTextA(dialog, IDC_AUTH_PROMPT, state->prompt.c_str());
    return TRUE;
  }
  Closing closing = ClosingOf(message, wParam);
  if (closing == Closing::kNone) return FALSE;
  state->confirmed = closing == Closing::kConfirmed;
  if (state->confirmed) {
    state->text = ItemText(dialog, IDC_USER_NAME);
    state->secondText = ItemText(dialog, IDC_PASSWORD);
  }
  EndDialog(dialog, 0);
  return TRUE;
}

INT_PTR CALLBACK FormInfoProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  BoxState* state = StateOf(dialog, message, lParam);
  if (!state) return FALSE;
  if (message == WM_INITDIALOG) {
    CentreOnScreen(dialog);
    SetDlgItemTextA(dialog, IDC_FORM_FORMAT, state->text.c_str());
    SetDlgItemTextA(dialog, IDC_FORM_INFO_TEXT, WithLineBreaks(state->prompt).c_str());
    return TRUE;
  }
  if (ClosingOf(message, wParam) == Closing::kNone) return FALSE;
  EndDialog(dialog, 0);
  return TRUE;
}

INT_PTR CALLBACK AboutProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
  if (message == WM_INITDIALOG) {
    SetClassLongPtrA(dialog, GCLP_HICON,
                     reinterpret_cast<LONG_PTR>(LoadIconA(instance, MAKEINTRESOURCEA(IDI_QUORL))));
    SetDlgItemTextA(dialog, IDC_ABOUT_PLATFORM, "for Win32");
    CentreOnScreen(dialog);
    return TRUE;
  }
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC context = BeginPaint(dialog, &paint);
    HBITMAP picture = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_ABOUT_PICTURE));
    HBITMAP mask = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_ABOUT_MASK));
    if (picture && mask) DrawMaskedBitmap(context, picture, mask, 10, 5);
    DeleteObject(picture);
    DeleteObject(mask);
    EndPaint(dialog, &paint);
    return TRUE;
  }
  if (ClosingOf(message, wParam) == Closing::kNone) return FALSE;
  EndDialog(dialog, 0);
  return TRUE;
}

}  // namespace

void CentreOnScreen(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  int x = GetSystemMetrics(SM_CXSCREEN) / 2 - client.right / 2;
  int y = GetSystemMetrics(SM_CYSCREEN) / 2 - client.bottom / 2;
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

int Win32Dialogs::MessageBox(std::string_view text, std::optional<std::string_view> caption,
                             int style) {
  std::string body(text);
  std::string title(caption.value_or(""));
  return ::MessageBoxA(owner_(), body.c_str(), caption ? title.c_str() : nullptr,
                       static_cast<UINT>(style));
}

std::optional<std::string> Win32Dialogs::ChooseProgramFile() {
  char path[256] = "";
  OPENFILENAMEA choice{};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = loadingWindow_;
  choice.lpstrFilter = "Quorl Programs\0*.qrl;*.quorl;*.frm\0";
  choice.nFilterIndex = 1;
  choice.lpstrFile = path;
  choice.nMaxFile = sizeof path - 1;
  choice.lpstrTitle = "Open Quorl Program";
  choice.Flags = OFN_FILEMUSTEXIST;
  choice.lpstrDefExt = "qrl";
  if (!GetOpenFileNameA(&choice)) return std::nullopt;
  return std::string(path);
}

std::optional<std::string> Win32Dialogs::InputBox(std::string_view caption, std::string_view prompt,
                                                  std::string_view initialText) {
  BoxState state{std::string(caption), std::string(prompt), std::string(initialText), {}, false};
  DialogBoxParamA(instance_, MAKEINTRESOURCEA(IDD_INPUT_BOX), owner_(), InputBoxProcedure,
                  reinterpret_cast<LPARAM>(&state));
  if (!state.confirmed) return std::nullopt;
  return state.text;
}

void Win32Dialogs::OutputBox(std::string_view caption, std::string_view label,
                             std::string_view text) {
  BoxState state{std::string(caption), std::string(label), std::string(text), {}, false};
  DialogBoxParamA(instance_, MAKEINTRESOURCEA(IDD_OUTPUT_BOX), owner_(), OutputBoxProcedure,
                  reinterpret_cast<LPARAM>(&state));
}

std::optional<Dialogs::Credentials> Win32Dialogs::AskUserPassword(std::string_view prompt) {
  BoxState state{{}, std::string(prompt), {}, {}, false};
  DialogBoxParamA(instance_, MAKEINTRESOURCEA(IDD_USER_PASSWORD), owner_(), UserPasswordProcedure,
                  reinterpret_cast<LPARAM>(&state));
  if (!state.confirmed) return std::nullopt;
  return Credentials{state.text, state.secondText};
}

void Win32FormDialogs::ShowAbout() {
  DialogBoxParamA(instance_, MAKEINTRESOURCEA(IDD_ABOUT), owner_(), AboutProcedure, 0);
}

void Win32FormDialogs::ShowFormInfo(std::string_view aboutText, std::string_view formatText) {
  BoxState state{{}, std::string(aboutText), std::string(formatText), {}, false};
  DialogBoxParamA(instance_, MAKEINTRESOURCEA(IDD_FORM_INFO), owner_(), FormInfoProcedure,
                  reinterpret_cast<LPARAM>(&state));
}

}  // namespace quorl::platform
