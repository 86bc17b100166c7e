#include "host/program.h"

#include "host/loader.h"
#include "lang/procedures.h"
#include "values/text_utils.h"

namespace quorl {

bool StartProgram(Context& ctx, std::string_view commandLine, FormBuilder& formBuilder) {
  std::string path = Normalized(commandLine.substr(0, kMaxTextLength));
  ctx.lines.Clear();
  ctx.formTable = NameTree("");
  if (LoadProgramFile(ctx, path, formBuilder) == 0) return false;
  ctx.tempFiles.Clear();
  ctx.programReady = true;
  PrepareProgram(ctx);
  ctx.PushFrame();  // the outermost frame stays until the program ends
  // After END no further procedure starts.
  for (std::string_view startup : {"MAIN", "FORM_LOAD"}) {
    if (!ctx.stopRequested && HasProcedure(ctx, startup)) RunProcedure(ctx, startup, "");
  }
  return true;
}

void EndProgram(Context& ctx) {
  ctx.PopFrame();
  ctx.lines.Clear();
  ReleaseProgram(ctx);
  ctx.tempFiles.DeleteAll(ctx.system);
  ctx.programReady = false;
}

}  // namespace quorl
