#include "platform/headless/headless_windows.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace quorl::platform {
namespace {

// The classic system colours, by index.
constexpr std::array<Colour, 25> kSystemColours = {
    0xC0C0C0, 0x808000, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080,
    0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xDFDFDF, 0x000000, 0xE1FFFF,
};

// The form's dialog: a hidden popup with caption, system menu, sizing border
// and minimize box.
constexpr uint32_t kFormStyle =
    style::kPopup | style::kCaption | style::kSysMenu | style::kThickFrame | style::kMinimizeBox;

// List boxes sort without regard to letter case.
bool SortsBefore(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) <
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

HeadlessWindows::Window* HeadlessWindows::Find(WindowHandle window) {
  auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

Colour HeadlessWindows::SystemColour(int index) {
  if (index < 0 || index >= static_cast<int>(kSystemColours.size())) return 0;
  return kSystemColours[static_cast<size_t>(index)];
}

WindowHandle HeadlessWindows::CreateForm() {
  if (form_ != 0 || formDestroyed_) return 0;
  Window window;
  window.isForm = true;
  window.style = kFormStyle;
  form_ = nextHandle_++;
  windows_[form_] = window;
  return form_;
}

uint32_t HeadlessWindows::TemplateStyle(TemplateItem item) {
  if (item == TemplateItem::kComboBox) {
    return style::kChild | style::kVScroll | style::kTabStop | style::kComboDropDown;
  }
  return style::kChild | style::kBorder | style::kTabStop | style::kEditAutoHScroll;
}

WindowHandle HeadlessWindows::CreateControl(WindowClass windowClass, uint32_t windowStyle,
                                            WindowHandle parent, const Rect& rect) {
  Window* parentWindow = Find(parent);
  if (!parentWindow) return 0;  // a child window needs its parent
  WindowHandle handle = nextHandle_++;
  parentWindow->children.push_back(handle);
  Window window;
  window.windowClass = windowClass;
  window.style = windowStyle;
  window.parent = parent;
  window.rect = rect;
  windows_[handle] = window;
  return handle;
}

void HeadlessWindows::DestroyTree(WindowHandle window) {
  Window* found = Find(window);
  if (!found) return;
  for (WindowHandle child : found->children) DestroyTree(child);
  windows_.erase(window);
}

void HeadlessWindows::DestroyForm() {
  if (form_ == 0) return;
  DestroyTree(form_);
  form_ = 0;
  focus_ = 0;
  formDestroyed_ = true;
  timerPeriod_.reset();  // the timer belongs to the form window
  posted_.clear();
  if (sink_) sink_->OnFormDestroyed();
}

std::string HeadlessWindows::Text(WindowHandle window) {
  Window* found = Find(window);
  return found ? found->text : std::string();
}

void HeadlessWindows::SetText(WindowHandle window, std::string_view text) {
  Window* found = Find(window);
  if (!found) return;
  found->text = std::string(text);
  // A single-line edit box reports a new text; a multi-line one does not.
  if (found->windowClass == WindowClass::kEdit && !found->isForm &&
      !(found->style & style::kEditMultiLine)) {
    Notify(window, notify::kEditUpdate);
    Notify(window, notify::kEditChange);
  }
}

uint32_t HeadlessWindows::Style(WindowHandle window) {
  Window* found = Find(window);
  return found ? found->style : 0;
}

void HeadlessWindows::SetStyle(WindowHandle window, uint32_t windowStyle) {
  if (Window* found = Find(window)) found->style = windowStyle;
}

WindowHandle HeadlessWindows::Parent(WindowHandle window) {
  Window* found = Find(window);
  return found ? found->parent : 0;
}

Point HeadlessWindows::ClientToScreen(WindowHandle window, Point point) {
  for (Window* found = Find(window); found; found = Find(found->parent)) {
    point.x += found->rect.left;
    point.y += found->rect.top;
  }
  return point;
}

Point HeadlessWindows::ScreenToClient(WindowHandle window, Point point) {
  Point origin = ClientToScreen(window, {0, 0});
  return {point.x - origin.x, point.y - origin.y};
}

Rect HeadlessWindows::WindowRect(WindowHandle window) {
  Window* found = Find(window);
  if (!found) return {};
  Point origin = ClientToScreen(found->parent, {0, 0});
  return {found->rect.left + origin.x, found->rect.top + origin.y, found->rect.right + origin.x,
          found->rect.bottom + origin.y};
}

Rect HeadlessWindows::ClientRect(WindowHandle window) {
  Window* found = Find(window);
  if (!found) return {};
  return {0, 0, found->rect.Width(), found->rect.Height()};
}

void HeadlessWindows::Move(WindowHandle window, const Rect& rect) {
  Window* found = Find(window);
  if (!found) return;
  // A window never has a negative size.
  found->rect = {rect.left, rect.top, std::max(rect.left, rect.right),
                 std::max(rect.top, rect.bottom)};
}

void HeadlessWindows::BringToTop(WindowHandle window) {
  Window* found = Find(window);
  if (!found) return;
  if (Window* parent = Find(found->parent)) {
    std::erase(parent->children, window);
    parent->children.insert(parent->children.begin(), window);
  }
}

bool HeadlessWindows::IsEnabled(WindowHandle window) {
  Window* found = Find(window);
  return found && !(found->style & style::kDisabled);
}

void HeadlessWindows::Enable(WindowHandle window, bool enabled) {
  Window* found = Find(window);
  if (!found) return;
  if (enabled) {
    found->style &= ~style::kDisabled;
  } else {
    found->style |= style::kDisabled;
    if (focus_ == window) SetFocus(0);  // a disabled window loses the focus
  }
}

bool HeadlessWindows::IsVisible(WindowHandle window) {
  Window* found = Find(window);
  if (!found) return false;
  for (; found; found = Find(found->parent)) {
    if (!(found->style & style::kVisible)) return false;
  }
  return true;
}

void HeadlessWindows::Show(WindowHandle window, bool visible) {
  Window* found = Find(window);
  if (!found) return;
  if (visible) {
    found->style |= style::kVisible;
  } else {
    found->style &= ~style::kVisible;
    if (focus_ == window) SetFocus(found->parent);  // a hidden window passes the focus up
  }
}

void HeadlessWindows::SetFocus(WindowHandle window) {
  if (window != 0 && !Find(window)) return;
  if (window == focus_) return;
  WindowHandle previous = focus_;
  focus_ = window;
  if (previous) NotifyFocus(previous, false);
  if (window) NotifyFocus(window, true);
}

void HeadlessWindows::SetClassBackground(WindowHandle window, Colour colour) {
  Window* found = Find(window);
  if (!found) return;
  classBackgrounds_[found->isForm ? -1 : static_cast<int>(found->windowClass)] = colour;
}

void HeadlessWindows::SetFont(WindowHandle window, double pointSize) {
  if (Window* found = Find(window)) found->fontSize = pointSize;
}

double HeadlessWindows::FontSize(WindowHandle window) {
  Window* found = Find(window);
  return found ? found->fontSize : 0.0;
}

char HeadlessWindows::PasswordChar(WindowHandle window) {
  Window* found = Find(window);
  return found ? found->passwordChar : '\0';
}

void HeadlessWindows::SetPicture(WindowHandle image, const IconBits& icon) {
  if (Window* found = Find(image)) found->picture = icon;
}

std::optional<IconBits> HeadlessWindows::Picture(WindowHandle window) {
  Window* found = Find(window);
  return found ? found->picture : std::nullopt;
}

int HeadlessWindows::CheckState(WindowHandle button) {
  Window* found = Find(button);
  return found ? found->check : 0;
}

void HeadlessWindows::SetCheckState(WindowHandle button, int state) {
  Window* found = Find(button);
  if (found && found->windowClass == WindowClass::kButton) found->check = state;
}

void HeadlessWindows::SetHighlight(WindowHandle button, bool highlighted) {
  if (Window* found = Find(button)) found->highlighted = highlighted;
}

void HeadlessWindows::LimitText(WindowHandle edit, int characters) {
  if (Window* found = Find(edit)) found->textLimit = std::max(characters, 0);
}

void HeadlessWindows::SetPasswordChar(WindowHandle edit, char character) {
  if (Window* found = Find(edit)) found->passwordChar = character;
}

bool HeadlessWindows::IsMultipleSelection(const Window& window) const {
  return window.windowClass == WindowClass::kListBox &&
         (window.style & (style::kListMultipleSel | style::kListExtendedSel));
}

bool HeadlessWindows::HasEditPart(const Window& window) const {
  return window.windowClass == WindowClass::kComboBox &&
         (window.style & style::kComboTypeMask) != style::kComboDropDownList;
}

int HeadlessWindows::AddItem(WindowHandle list, std::string_view text) {
  Window* found = Find(list);
  if (!found) return -1;
  bool sorted = found->windowClass == WindowClass::kListBox ? (found->style & style::kListSort)
                                                            : (found->style & style::kComboSort);
  auto place = found->items.end();
  if (sorted) {
    place = std::upper_bound(
        found->items.begin(), found->items.end(), text,
        [](std::string_view a, const std::string& b) { return SortsBefore(a, b); });
  }
  int index = static_cast<int>(place - found->items.begin());
  found->items.insert(place, std::string(text));
  found->selected.insert(found->selected.begin() + index, false);
  if (found->selection >= index) ++found->selection;
  return index;
}

void HeadlessWindows::DeleteItem(WindowHandle list, int index) {
  Window* found = Find(list);
  if (!found || index < 0 || index >= static_cast<int>(found->items.size())) return;
  found->items.erase(found->items.begin() + index);
  found->selected.erase(found->selected.begin() + index);
  if (found->selection == index) {
    found->selection = -1;
  } else if (found->selection > index) {
    --found->selection;
  }
  if (found->caret >= static_cast<int>(found->items.size())) {
    found->caret = std::max(0, static_cast<int>(found->items.size()) - 1);
  }
}

void HeadlessWindows::ClearItems(WindowHandle list) {
  Window* found = Find(list);
  if (!found) return;
  found->items.clear();
  found->selected.clear();
  found->selection = -1;
  found->caret = 0;
  if (found->windowClass == WindowClass::kComboBox) found->text.clear();
}

int HeadlessWindows::ItemCount(WindowHandle list) {
  Window* found = Find(list);
  return found ? static_cast<int>(found->items.size()) : 0;
}

std::optional<std::string> HeadlessWindows::ItemText(WindowHandle list, int index) {
  Window* found = Find(list);
  if (!found || index < 0 || index >= static_cast<int>(found->items.size())) return std::nullopt;
  return found->items[static_cast<size_t>(index)];
}

int HeadlessWindows::Selection(WindowHandle list) {
  Window* found = Find(list);
  if (!found) return -1;
  return IsMultipleSelection(*found) ? found->caret : found->selection;
}

void HeadlessWindows::SetSelection(WindowHandle list, int index) {
  Window* found = Find(list);
  if (!found || IsMultipleSelection(*found)) return;
  if (index < -1 || index >= static_cast<int>(found->items.size())) return;
  found->selection = index;
  if (found->windowClass == WindowClass::kComboBox) {
    found->text = index < 0 ? std::string() : found->items[static_cast<size_t>(index)];
  }
}

bool HeadlessWindows::IsItemSelected(WindowHandle list, int index) {
  Window* found = Find(list);
  if (!found || index < 0 || index >= static_cast<int>(found->items.size())) return false;
  if (IsMultipleSelection(*found)) return found->selected[static_cast<size_t>(index)];
  return found->selection == index;
}

ScrollRange HeadlessWindows::ScrollBarRange(WindowHandle scrollBar) {
  Window* found = Find(scrollBar);
  return found ? found->range : ScrollRange{};
}

void HeadlessWindows::SetScrollBarRange(WindowHandle scrollBar, ScrollRange range) {
  Window* found = Find(scrollBar);
  if (!found) return;
  found->range = range;
  SetScrollPosition(scrollBar, found->position);
}

int HeadlessWindows::ScrollPosition(WindowHandle scrollBar) {
  Window* found = Find(scrollBar);
  return found ? found->position : 0;
}

void HeadlessWindows::SetScrollPosition(WindowHandle scrollBar, int position) {
  Window* found = Find(scrollBar);
  if (!found) return;
  int low = std::min(found->range.minimum, found->range.maximum);
  int high = std::max(found->range.minimum, found->range.maximum);
  found->position = std::clamp(position, low, high);
}

void HeadlessWindows::PumpMessages() {
  // As many as the desktop pump dispatches at once.
  for (int dispatched = 0; dispatched < 250 && !posted_.empty() && !formDestroyed_; ++dispatched) {
    int command = posted_.front();
    posted_.pop_front();
    if (sink_) sink_->OnSystemCommand(command);
  }
}

void HeadlessWindows::Notify(WindowHandle control, int notification) {
  if (sink_ && Find(control)) sink_->OnCommand(control, notification);
}

void HeadlessWindows::NotifyFocus(WindowHandle control, bool gained) {
  Window* found = Find(control);
  if (!found) return;
  switch (found->windowClass) {
    case WindowClass::kEdit:
      Notify(control, gained ? notify::kEditSetFocus : notify::kEditKillFocus);
      break;
    case WindowClass::kListBox:
      if (found->style & style::kListNotify) {
        Notify(control, gained ? notify::kListSetFocus : notify::kListKillFocus);
      }
      break;
    case WindowClass::kComboBox:
      Notify(control, gained ? notify::kComboSetFocus : notify::kComboKillFocus);
      break;
    default:
      break;  // buttons notify their focus only when asked to, which no control is
  }
}

}  // namespace quorl::platform
