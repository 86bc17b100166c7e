#include "host/form_builder.h"

#include "host/control_types.h"
#include "host/form_host.h"
#include "lang/scopes.h"
#include "values/text_utils.h"

namespace quorl {
namespace {

namespace ws = platform::style;
using platform::WindowClass;
using platform::WindowHandle;

constexpr uint32_t kChildStyle = ws::kChild | ws::kVisible | ws::kClipSiblings;

}  // namespace

void FormBlockBuilder::BuildForm(ProgramReader& reader, const std::string& firstLine) {
  if (!host_) {
    FormSectionSkipper(ctx_).BuildForm(reader, firstLine);
    return;
  }
  BuildBlock(reader, 0, firstLine, 1);
  if (endOfFile_) ReportUnclosedForm();
  host_->FocusFirstTabStop();
}

void FormBlockBuilder::BuildBlock(ProgramReader& reader, WindowHandle parent,
                                  const std::string& firstLine, int depth) {
  if (!StartsWithIgnoringCase(firstLine, "Begin ")) return;
  platform::FormWindows& windows = host_->windows();
  PixelScale scale(windows.DialogBaseUnits());
  auto systemColour = [&windows](int index) { return windows.SystemColour(index); };
  FormBlock block = ReadBeginLine(Normalized(firstLine));
  int order = nextOrder_++;
  WindowHandle window = CreateAtBegin(block, parent);

  while (true) {
    std::optional<std::string> read = reader.ReadLine(ctx_);
    if (!read) {
      endOfFile_ = true;  // the file ends inside the block: build what was read
      break;
    }
    std::string line = Normalized(*read);
    if (CompareNames(line, "End") == 0) break;
    if (StartsWithIgnoringCase(line, "Begin ")) {
      if (depth < kMaxBlockDepth) {
        BuildBlock(reader, window, line, depth + 1);
      } else {
        SkipBlock(reader);
      }
      if (endOfFile_) break;
    }
    ApplyBlockProperty(block, SplitPropertyLine(line), scale, systemColour);
  }

  if (window == 0) window = CreateAtEnd(block, parent);
  if (window != 0) {
    FinishControl(block, order, window);
  } else if (block.type == kControlTimer) {
    FinishTimer(block, order);
  }
}

WindowHandle FormBlockBuilder::CreateAtBegin(FormBlock& block, WindowHandle parent) {
  platform::FormWindows& windows = host_->windows();
  auto create = [&](WindowClass windowClass, uint32_t style) {
    block.style = style;
    return windows.CreateControl(windowClass, style, parent, {});
  };
  switch (block.type) {
    case kControlForm: {
      WindowHandle form = windows.CreateForm();
      if (form != 0) {
        host_->AttachForm(form);
        block.style = windows.Style(form);
      }
      return form;
    }
    case kControlCommandButton:
      return create(WindowClass::kButton, kChildStyle | ws::kTabStop | ws::kPushButton);
    case kControlCheckBox:
      return create(WindowClass::kButton, kChildStyle | ws::kTabStop | ws::kAutoCheckBox);
    case kControlOptionButton:
      return create(WindowClass::kButton, kChildStyle | ws::kTabStop | ws::kAutoRadioButton);
    case kControlFrame:
      return create(WindowClass::kButton, kChildStyle | ws::kGroup | ws::kGroupBox);
    case kControlLabel:
      return create(WindowClass::kStatic, kChildStyle);
    case kControlImage:
    case kControlPictureBox:  // a plain window, its controls inside
      return create(WindowClass::kImage, kChildStyle);
    case kControlScrollBar: {
      bool vertical = CompareNames(block.typeWord, "VScrollBar") == 0;
      return create(
          WindowClass::kScrollBar,
          kChildStyle | ws::kGroup | (vertical ? ws::kScrollVertical : ws::kScrollHorizontal));
    }
    case kControlComboBox:
      block.style = windows.TemplateStyle(platform::TemplateItem::kComboBox) | ws::kVisible;
      return 0;
    case kControlTextBox:
      block.style =
          windows.TemplateStyle(platform::TemplateItem::kEditBox) | ws::kVisible | ws::kBorder;
      return 0;
    case kControlListBox:
      block.style = kChildStyle | ws::kVScroll | ws::kBorder | ws::kListHasStrings;
      return 0;
    default:
      return 0;
  }
}

WindowHandle FormBlockBuilder::CreateAtEnd(FormBlock& block, WindowHandle parent) {
  platform::Rect rect{block.left, block.top, block.left + block.width, block.top + block.height};
  platform::FormWindows& windows = host_->windows();
  switch (block.type) {
    case kControlComboBox:
      block.style |= ws::kVScroll;
      return windows.CreateControl(WindowClass::kComboBox, block.style, parent, rect);
    case kControlListBox:
      // A list box tells the form when the user selects an item.
      block.style |= ws::kListNotify;
      return windows.CreateControl(WindowClass::kListBox, block.style, parent, rect);
    case kControlTextBox:
      return windows.CreateControl(WindowClass::kEdit, block.style, parent, rect);
    default:
      return 0;
  }
}

void FormBlockBuilder::FinishControl(const FormBlock& block, int order, WindowHandle window) {
  platform::FormWindows& windows = host_->windows();
  Value record;
  record.kind = block.type;
  record.window = window;
  if (block.type == kControlLabel) record.integer = block.backStyle;
  ControlEntry entry{BoundName(block), block.typeWord, block.type, window, order};
  entry.index = block.index;
  entry.background = block.backColour;
  entry.foreground = block.foreColour;
  entry.smallChange = block.smallChange;
  entry.largeChange = block.largeChange;
  entry.pictureOffset = block.pictureOffset;
  host_->registry().Add(std::move(entry));
  BindName(ctx_, BoundName(block), std::move(record), kScopeForm);

  windows.SetText(window, block.caption);
  windows.SetStyle(window, block.style);
  platform::Rect rect{block.left, block.top, block.left + block.width, block.top + block.height};
  if (block.type == kControlForm) {
    // The form is centred on the screen, whatever its Left and Top say.
    platform::Rect size = FormSize(block, window);
    int left = (ctx_.system.ScreenWidth() - size.Width()) / 2;
    int top = (ctx_.system.ScreenHeight() - size.Height()) / 2;
    rect = {left, top, left + size.Width(), top + size.Height()};
    host_->SetFormSize(size.Width(), size.Height());
  }
  windows.Move(window, rect);
  windows.Enable(window, block.enabled != 0);
  if (block.type != kControlScrollBar) windows.SetClassBackground(window, block.backColour);
  windows.Show(window, true);
  if (block.visible == 0) windows.Show(window, false);
  if (block.tabIndex >= 0 && block.tabIndex <= 255) {
    host_->tabOrder()[static_cast<size_t>(block.tabIndex)] = window;
  }
  switch (block.type) {
    case kControlTextBox:
      windows.LimitText(window, block.maxLength);
      if (block.passwordChar != ' ') windows.SetPasswordChar(window, block.passwordChar);
      break;
    case kControlCheckBox:
    case kControlOptionButton:
      if (block.value != 0) windows.SetCheckState(window, 1);
      break;
    case kControlScrollBar:
      windows.SetScrollBarRange(window, {block.minimum, block.maximum});
      windows.SetScrollPosition(window, block.value);
      break;
    default:
      break;
  }
  windows.SetFont(window, block.fontSize);
}

platform::Rect FormBlockBuilder::FormSize(const FormBlock& block, WindowHandle form) {
  // A file that gives only the client area gets the window that holds it:
  // the client area plus the form window's frame.
  platform::Rect outer = host_->windows().WindowRect(form);
  platform::Rect client = host_->windows().ClientRect(form);
  int width = block.width;
  int height = block.height;
  if (!block.widthGiven && block.clientWidth) {
    width = *block.clientWidth + outer.Width() - client.Width();
  }
  if (!block.heightGiven && block.clientHeight) {
    height = *block.clientHeight + outer.Height() - client.Height();
  }
  return {0, 0, width, height};
}

void FormBlockBuilder::FinishTimer(const FormBlock& block, int order) {
  Value record;
  record.kind = kControlTimer;
  record.integer = block.enabled != 0 ? block.interval : -block.interval;
  ControlEntry entry{BoundName(block), block.typeWord, kControlTimer, 0, order};
  entry.index = block.index;
  host_->registry().Add(std::move(entry));
  BindName(ctx_, BoundName(block), std::move(record), kScopeForm);
  // Only an enabled Timer with an interval starts the form's timer; the last
  // one built decides its period.
  if (host_->HasForm() && block.enabled != 0 && block.interval > 0) {
    host_->windows().StartTimer(block.interval);
  }
}

void FormBlockBuilder::SkipBlock(ProgramReader& reader) {
  if (!depthReported_) {
    depthReported_ = true;
    ctx_.dialogs.MessageBox("Form description nested too deeply:\n  blocks deeper than " +
                                std::to_string(kMaxBlockDepth) + " levels are not built.",
                            std::nullopt, platform::kMbOk | platform::kMbIconExclamation);
  }
  int depth = 1;
  while (depth > 0) {
    std::optional<std::string> read = reader.ReadLine(ctx_);
    if (!read) {
      endOfFile_ = true;
      return;
    }
    std::string line = Normalized(*read);
    if (StartsWithIgnoringCase(line, "Begin ")) ++depth;
    if (CompareNames(line, "End") == 0) --depth;
  }
}

void FormBlockBuilder::ReportUnclosedForm() {
  ctx_.dialogs.MessageBox("Form description not closed:\n  the file ends inside a Begin block.",
                          std::nullopt, platform::kMbOk | platform::kMbIconExclamation);
}

}  // namespace quorl
