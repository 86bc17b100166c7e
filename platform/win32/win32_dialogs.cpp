#include "platform/win32/win32_dialogs.h"

#include <commdlg.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/resource_ids.h"
#include "platform/win32/win32_painting.h"

namespace quorl::platform {
namespace {

// What a box shows and what the user answered in it.
struct BoxState {
  std::optional<std::string> caption;                   // else the template's
  std::vector<std::pair<int, std::string>> shownItems;  // item texts at the start
  std::vector<int> answerItems;                         // read when OK closes the box
  std::vector<std::string> answers;
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

// OK confirms; Cancel and the close command end the box without an answer.
enum class Closing { kNone, kConfirmed, kCancelled };
Closing ClosingOf(UINT message, WPARAM wParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) return Closing::kConfirmed;
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) return Closing::kCancelled;
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) return Closing::kCancelled;
  return Closing::kNone;
}

// The procedure of the boxes made of a template and texts: it centres the
// box, fills it, and on OK reads the answers before the box ends.
INT_PTR CALLBACK BoxProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  auto* state = reinterpret_cast<BoxState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (!state) return FALSE;
  if (message == WM_INITDIALOG) {
    CentreOnScreen(dialog);
    if (state->caption) SetWindowTextA(dialog, state->caption->c_str());
    for (const auto& [item, text] : state->shownItems) {
      SetDlgItemTextA(dialog, item, text.c_str());
    }
    return TRUE;
  }
  Closing closing = ClosingOf(message, wParam);
  if (closing == Closing::kNone) return FALSE;
  state->confirmed = closing == Closing::kConfirmed;
  if (state->confirmed) {
    for (int item : state->answerItems) state->answers.push_back(ItemText(dialog, item));
  }
  EndDialog(dialog, 0);
  return TRUE;
}

void RunBox(HINSTANCE instance, int templateId, HWND owner, BoxState& state) {
  DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), owner, BoxProcedure,
                  reinterpret_cast<LPARAM>(&state));
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
  BoxState state;
  state.caption = std::string(caption);
  state.shownItems = {{IDC_INPUT_PROMPT, std::string(prompt)},
                      {IDC_INPUT_TEXT, std::string(initialText)}};
  state.answerItems = {IDC_INPUT_TEXT};
  RunBox(instance_, IDD_INPUT_BOX, owner_(), state);
  if (!state.confirmed) return std::nullopt;
  return state.answers[0];
}

void Win32Dialogs::OutputBox(std::string_view caption, std::string_view label,
                             std::string_view text) {
  BoxState state;
  state.caption = std::string(caption);
  state.shownItems = {{IDC_OUTPUT_PROMPT, std::string(label)},
                      {IDC_OUTPUT_TEXT, WithLineBreaks(text)}};
  RunBox(instance_, IDD_OUTPUT_BOX, owner_(), state);
}

std::optional<Dialogs::Credentials> Win32Dialogs::AskUserPassword(std::string_view prompt) {
  BoxState state;
  // The template says why a password is wanted, unless the request says more.
  if (!prompt.empty()) state.shownItems = {{IDC_AUTH_PROMPT, std::string(prompt)}};
  state.answerItems = {IDC_USER_NAME, IDC_PASSWORD};
  RunBox(instance_, IDD_USER_PASSWORD, owner_(), state);
  if (!state.confirmed) return std::nullopt;
  return Credentials{state.answers[0], state.answers[1]};
}

void Win32FormDialogs::ShowAbout() {
  DialogBoxParamA(instance_, MAKEINTRESOURCEA(IDD_ABOUT), owner_(), AboutProcedure, 0);
}

void Win32FormDialogs::ShowFormInfo(std::string_view aboutText, std::string_view formatText) {
  BoxState state;
  state.shownItems = {{IDC_FORM_FORMAT, std::string(formatText)},
                      {IDC_FORM_INFO_TEXT, WithLineBreaks(aboutText)}};
  RunBox(instance_, IDD_FORM_INFO, owner_(), state);
}

}  // namespace quorl::platform
