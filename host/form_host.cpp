#include "host/form_host.h"

#include <cstdlib>

#include "host/control_types.h"
#include "host/scroll_request.h"
#include "host/tab_order.h"
#include "lang/procedures.h"
#include "lang/scopes.h"
#include "net/browser_link.h"
#include "values/text_utils.h"

namespace quorl {

using platform::WindowHandle;

FormHost::FormHost(Context& ctx, platform::FormWindows& windows, platform::FormDialogs& dialogs)
    : ctx_(ctx), windows_(windows), dialogs_(dialogs), previousControls_(ctx.controls) {
  ctx_.status = this;
  windows_.SetEventSink(this);
}

FormHost::~FormHost() {
  StopBrowserLink(ctx_);
  windows_.SetEventSink(nullptr);
  if (ctx_.status == this) ctx_.status = nullptr;
  if (ctx_.frxImages == this) ctx_.frxImages = nullptr;
  if (ctx_.controls == this) ctx_.controls = previousControls_;
}

void FormHost::AttachForm(WindowHandle form) {
  form_ = form;
  formDestroyed_ = false;
  ctx_.controls = this;
  ctx_.frxImages = this;
  // The browser link lives as long as the form.
  StartBrowserLink(ctx_);
}

void FormHost::SetFormSize(int width, int height) {
  formWidthPixels_ = width;
  formHeightPixels_ = height;
}

std::optional<platform::Size> FormHost::FixedFormSize() {
  if (formWidthPixels_ == 0 && formHeightPixels_ == 0) return std::nullopt;
  return platform::Size{formWidthPixels_, formHeightPixels_};
}

void FormHost::FocusFirstTabStop() {
  for (WindowHandle window : tabOrder_) {
    if (window && windows_.IsEnabled(window) && windows_.IsVisible(window)) {
      windows_.SetFocus(window);
      return;
    }
  }
}

NameNode* FormHost::ControlNode(WindowHandle window) {
  if (window == 0) return nullptr;
  NameNode* node = ctx_.formTable.FindByWindow(window);
  return node && node->value && node->value->IsControl() ? node : nullptr;
}

const ControlEntry* FormHost::FindControl(std::string_view name) {
  NameNode* node = ctx_.formTable.Find(name);
  if (!node || !node->value || !node->value->IsControl()) return nullptr;
  return EntryOf(*node);
}

const ControlEntry* FormHost::EntryOf(const NameNode& node) {
  if (node.value->window != 0) return registry_.FindByWindow(node.value->window);
  return registry_.FindByName(node.name);  // a Timer has no window
}

std::optional<FormHost::EventCall> FormHost::FindEventProcedure(const NameNode& node,
                                                                std::string_view word,
                                                                std::string_view arguments,
                                                                int argumentCount) {
  // The elements of a control array share the array's procedures.
  const ControlEntry* entry = EntryOf(node);
  bool element = entry && entry->index;
  std::string name = element ? node.name.substr(0, node.name.rfind('(')) : node.name;
  name += word;
  UpperOutsideQuotes(name);
  if (!HasProcedure(ctx_, name)) return std::nullopt;
  EventCall call{name, std::string(arguments), false};
  // An element passes its Index first when the procedure has a parameter for it.
  if (element && ParameterCount(ctx_, name) > argumentCount) {
    call.indexFirst = true;
    call.arguments =
        std::to_string(*entry->index) + (arguments.empty() ? "" : ", ") + std::string(arguments);
  }
  return call;
}

void FormHost::FireEvent(WindowHandle window, std::string_view word, std::string_view arguments) {
  if (!EventsAllowed()) return;
  NameNode* node = CompareNames(word, "_Timer") == 0 ? ctx_.formTable.FindByKind(kControlTimer)
                                                     : ControlNode(window);
  if (!node) return;
  int argumentCount = arguments.empty() ? 0 : 1;
  auto call = FindEventProcedure(*node, word, arguments, argumentCount);
  if (!call || !PushEventFrame()) return;
  CallProcedure(ctx_, call->procedure, call->arguments);
  PopEventFrame();
}

bool FormHost::PushEventFrame() {
  if (chainCut_) return false;
  if (!ctx_.CanPushFrame()) {
    // Event procedures that set off their own events again would branch out
    // without end: the whole chain unwinds, and the user hears of it once.
    if (!limitReported_) ctx_.RaiseScriptError("TOO MANY NESTED CALLS!");
    limitReported_ = true;
    chainCut_ = eventDepth_ > 0;
    return false;
  }
  ctx_.PushFrame();
  ++eventDepth_;
  return true;
}

void FormHost::PopEventFrame() {
  ctx_.PopFrame();
  if (--eventDepth_ == 0) chainCut_ = false;
}

void FormHost::OnUserActionDone() {
  limitReported_ = false;
  chainCut_ = false;
}

void FormHost::OnCommand(WindowHandle control, int notification) {
  NameNode* node = ControlNode(control);
  if (!node) return;
  if (node->value->kind == kControlComboBox) {
    // A combo box reports a chosen item as a click and typing as a change.
    if (notification == platform::notify::kComboSelEndOk) FireEvent(control, "_Click", "");
    if (notification == platform::notify::kComboEditUpdate) FireEvent(control, "_Change", "");
    return;
  }
  // Every other control's notifications are all clicks: a text box's change
  // of text or focus, a list box's choice of an item or change of focus.
  FireEvent(control, "_Click", "");
}

int FormHost::OnCharacter(WindowHandle control, int code) {
  if (!EventsAllowed()) return code;
  NameNode* node = ControlNode(control);
  if (!node) return code;
  auto call = FindEventProcedure(*node, "_KeyPress", std::to_string(code), 1);
  if (!call || !PushEventFrame()) return code;
  CallProcedure(ctx_, call->procedure, call->arguments);
  // The procedure may have replaced the character through its parameter.
  int received = code;
  if (Value* parameter = GetParameterValue(ctx_, call->procedure, call->indexFirst ? 2 : 1)) {
    received = ValueToInteger(*parameter).integer;
  }
  PopEventFrame();
  // A code that is no character is not delivered.
  return received >= 0 && received <= 255 ? received : 0;
}

void FormHost::OnScroll(WindowHandle scrollBar, int request, int position) {
  NameNode* node = ControlNode(scrollBar);
  const ControlEntry* entry = registry_.FindByWindow(scrollBar);
  if (!node || !entry || node->value->kind != kControlScrollBar) return;
  platform::ScrollRange range = windows_.ScrollBarRange(scrollBar);
  int old = windows_.ScrollPosition(scrollBar);
  std::optional<int> target = ScrollTarget({request, position, old, range.minimum, range.maximum,
                                            entry->smallChange, entry->largeChange});
  if (!target) return;
  windows_.SetScrollPosition(scrollBar, *target);
  if (windows_.ScrollPosition(scrollBar) != old) FireEvent(scrollBar, "_Change", "");
}

void FormHost::OnTimer() {
  FireEvent(form_, "_Timer", "");
}

void FormHost::OnSystemCommand(int command) {
  switch (command) {
    case platform::command::kClose:
      windows_.DestroyForm();
      break;
    case platform::command::kAboutQuorl:
      dialogs_.ShowAbout();
      break;
    case platform::command::kHomePage:
      OpenUrlInBrowser(ctx_, kHomePageUrl, "");
      break;
    case platform::command::kAboutForm:
      ShowFormInfo();
      break;
    default:
      break;
  }
}

void FormHost::ShowFormInfo() {
  std::string about = "No Information.";
  // The script describes its form in a text variable named SZABOUTME.
  if (Value* text = LookupName(ctx_, "SZABOUTME")) {
    if (text->kind == kKindString && text->text) about = *text->text;
  }
  dialogs_.ShowFormInfo(about, ctx_.formFormatText);
}

void FormHost::OnTabKey(WindowHandle focus, bool backwards) {
  std::optional<WindowHandle> next =
      NextTabStop(tabOrder_, focus, backwards, [this](WindowHandle window) {
        return windows_.IsEnabled(window) && windows_.IsVisible(window);
      });
  if (next) windows_.SetFocus(*next);
}

void FormHost::OnFormDestroyed() {
  formDestroyed_ = true;
  StopBrowserLink(ctx_);
  windows_.StopTimer();
  ctx_.controls = previousControls_;
  if (ctx_.frxImages == this) ctx_.frxImages = nullptr;
}

void FormHost::PostCloseRequest() {
  if (HasForm()) windows_.PostSystemCommand(platform::command::kClose);
}

std::vector<FrxImageHost::Image> FormHost::Images() {
  std::vector<Image> images;
  for (const ControlEntry* entry : registry_.InFileOrder()) {
    if (entry->type == kControlImage && ControlNode(entry->window)) {
      images.push_back({entry->name, entry->pictureOffset});
    }
  }
  return images;
}

void FormHost::SetIcon(std::string_view name, const FrxIcon& icon) {
  const ControlEntry* found = FindControl(name);
  if (!found || found->type != kControlImage) return;
  ControlEntry* entry = registry_.FindByWindow(found->window);
  platform::IconBits bits;
  bits.colour = icon.colorBits;
  bits.mask = icon.maskBits;
  windows_.SetPicture(entry->window, bits);
  entry->picture = 1;
}

std::optional<platform::ControlPaint> FormHost::ControlColours(WindowHandle control) {
  NameNode* node = ControlNode(control);
  const ControlEntry* entry = registry_.FindByWindow(control);
  if (!node || !entry) return std::nullopt;
  platform::ControlPaint paint{entry->foreground, entry->background, false};
  // A Label keeps its background mode in its record: 1 transparent, 2 opaque.
  if (node->value->kind == kControlLabel) paint.transparent = node->value->integer == 1;
  return paint;
}

}  // namespace quorl
