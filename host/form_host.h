// The host of a form program: it owns what the form's controls need beyond
// the window system (the control registry, the Tab order, the form's size,
// the status line), gives the language its controls' properties and
// methods, and turns what the window system reports into the script's event
// procedures. One exists for every run; the form may or may not be built.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "host/control_registry.h"
#include "lang/context.h"
#include "net/frx_icons.h"
#include "net/status_display.h"
#include "platform/form_dialogs.h"
#include "platform/form_events.h"
#include "platform/form_windows.h"
#include "values/control_access.h"

namespace quorl {

// Window handles by TabIndex; 0 marks an empty entry.
using TabOrderTable = std::array<platform::WindowHandle, 256>;

// What the status strip shows.
struct StatusLine {
  std::string text;
  int percent = -1;  // -1: no progress bar
  bool active = false;
};

class FormHost final : public ControlAccess,
                       public platform::FormEvents,
                       public FrxImageHost,
                       public StatusDisplay {
 public:
  // Attaches itself to the context (as its status display) and to the window system.
  FormHost(Context& ctx, platform::FormWindows& windows, platform::FormDialogs& dialogs);
  ~FormHost() override;
  FormHost(const FormHost&) = delete;
  FormHost& operator=(const FormHost&) = delete;

  Context& context() { return ctx_; }
  platform::FormWindows& windows() { return windows_; }
  ControlRegistry& registry() { return registry_; }
  TabOrderTable& tabOrder() { return tabOrder_; }

  // The form window, once the builder has made it; the language then reaches
  // the controls through this host.
  void AttachForm(platform::WindowHandle form);
  bool HasForm() const { return form_ != 0 && !formDestroyed_; }
  bool FormDestroyed() const { return formDestroyed_; }
  void SetFormSize(int width, int height);
  // Gives the focus to the first control of the Tab order that can take it.
  void FocusFirstTabStop();
  // The user closes the form from its system menu.
  void CloseForm() { OnSystemCommand(platform::command::kClose); }

  // Runs the event procedure CONTROL + word (an event word such as "_Click")
  // with the argument text, if the script has one. "_Timer" goes to the first
  // Timer of the form table, whatever the window.
  void FireEvent(platform::WindowHandle window, std::string_view word, std::string_view arguments);

  // The status strip.
  void ShowStatus(std::string_view text, int percent) override;
  void HideStatus() override;
  const StatusLine& status() const { return status_; }

  // The control of that name in the form table, when it is one.
  const ControlEntry* FindControl(std::string_view name);
  // Every control with its type and state, one line each, in file order.
  std::string DescribeControls();

  // ControlAccess.
  Result GetControlProperty(Value& control, std::string_view property) override;
  int32_t PropertyValueKind(const Value& control, std::string_view property) override;
  void SetControlProperty(Value& control, std::string_view property, const Value& value) override;
  Result CallControlMethod(std::string_view target, std::string_view arguments) override;
  uint32_t FormWindow() const override { return HasForm() ? form_ : 0; }
  void PostCloseRequest() override;

  // FormEvents.
  void OnCommand(platform::WindowHandle control, int notification) override;
  int OnCharacter(platform::WindowHandle control, int code) override;
  void OnScroll(platform::WindowHandle scrollBar, int request, int position) override;
  void OnTimer() override;
  void OnSystemCommand(int command) override;
  void OnTabKey(platform::WindowHandle focus, bool backwards) override;
  void OnFormMouseDown(platform::Point client) override;
  void OnFormDestroyed() override;
  void OnUserActionDone() override;
  std::optional<platform::ControlPaint> ControlColours(platform::WindowHandle control) override;
  std::optional<platform::StatusStripPaint> StatusStrip(int clientWidth) override;
  bool IsBusy() override { return status_.active; }
  std::optional<platform::Size> FixedFormSize() override;

  // FrxImageHost: the Image controls whose pictures LOADFRX reads.
  std::vector<Image> Images() override;
  void SetIcon(std::string_view name, const FrxIcon& icon) override;

 private:
  // Events run only once the program is loaded and until END.
  bool EventsAllowed() const { return ctx_.programReady && !ctx_.stopRequested; }
  // The frame of an event procedure; false when it may not run.
  bool PushEventFrame();
  void PopEventFrame();
  // The control record bound to the window in the form table.
  NameNode* ControlNode(platform::WindowHandle window);
  // The registry's entry for a control record of the form table.
  const ControlEntry* EntryOf(const NameNode& node);
  // The script's procedure for an event of the control, when it has one,
  // and the arguments it gets.
  struct EventCall {
    std::string procedure;
    std::string arguments;
    bool indexFirst = false;  // an array element's Index comes first
  };
  std::optional<EventCall> FindEventProcedure(const NameNode& node, std::string_view word,
                                              std::string_view arguments, int argumentCount);
  // A control's rectangle in the coordinates its geometry properties use:
  // the form's on the screen, a control's in the form's client area.
  platform::Rect GeometryRect(const Value& control);
  void SetGeometry(const Value& control, std::string_view property, int32_t value);
  void SetTimerProperty(Value& timer, std::string_view property, const Value& value);
  void ShowFormInfo();
  int StatusHeight();

  Context& ctx_;
  platform::FormWindows& windows_;
  platform::FormDialogs& dialogs_;
  ControlAccess* previousControls_;
  ControlRegistry registry_;
  TabOrderTable tabOrder_{};
  platform::WindowHandle form_ = 0;
  bool formDestroyed_ = false;
  // The form's outer size, kept so that the user cannot resize it.
  int formWidthPixels_ = 0;
  int formHeightPixels_ = 0;
  StatusLine status_;
  // Event procedures running, one inside the other.
  int eventDepth_ = 0;
  // Set when an event procedure found every frame in use: no further event
  // procedure runs until the running ones have all returned.
  bool chainCut_ = false;
  // "TOO MANY NESTED CALLS!" has been shown for the user's current action.
  bool limitReported_ = false;
};

}  // namespace quorl
