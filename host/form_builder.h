// Builds the form and its controls from the form section of a program file:
// each block from a "Begin" line to its "End" line becomes a window of the
// form host's window system, bound under its name in the form table.
#pragma once

#include <string>

#include "host/form_block.h"
#include "host/program_reader.h"
#include "lang/context.h"

namespace quorl {

class FormHost;

// Blocks may nest this deep; deeper blocks are read past and not built.
inline constexpr int kMaxBlockDepth = 32;

class FormBlockBuilder final : public FormBuilder {
 public:
  // Builds through the form host; without one the form section is read past.
  FormBlockBuilder(Context& ctx, FormHost* host) : ctx_(ctx), host_(host) {}
  void BuildForm(ProgramReader& reader, const std::string& firstLine) override;

 private:
  void BuildBlock(ProgramReader& reader, platform::WindowHandle parent,
                  const std::string& firstLine, int depth);
  platform::WindowHandle CreateAtBegin(FormBlock& block, platform::WindowHandle parent);
  platform::WindowHandle CreateAtEnd(FormBlock& block, platform::WindowHandle parent);
  void FinishControl(const FormBlock& block, int order, platform::WindowHandle window);
  void FinishTimer(const FormBlock& block, int order);
  // The form's outer size (at 0, 0) from its Width and Height or its client area.
  platform::Rect FormSize(const FormBlock& block, platform::WindowHandle form);
  // Reads past a block that nests too deeply.
  void SkipBlock(ProgramReader& reader);
  void ReportUnclosedForm();

  Context& ctx_;
  FormHost* host_ = nullptr;
  int nextOrder_ = 0;
  bool endOfFile_ = false;
  bool depthReported_ = false;
};

}  // namespace quorl
