#include "host/program.h"

#include "host/loader.h"
#include "lang/procedures.h"
#include "values/text_utils.h"

namespace quorl {

bool StartProgram(Context& ctx, std::string_view commandLine, FormBuilder& formBuilder) {
  if (LoadProgram(ctx, commandLine, formBuilder) != LoadResult::kLoaded) return false;
  RunStartup(ctx);
  return true;
}

LoadResult LoadProgram(Context& ctx, std::string_view commandLine, FormBuilder& formBuilder) {
  std::string path = Normalized(commandLine.substr(0, kMaxTextLength));
  ctx.lines.Clear();
  ctx.formTable = NameTree("");
  LoadedProgram loaded = LoadProgramFile(ctx, path, formBuilder);
  if (loaded.lines > 0) return LoadResult::kLoaded;
  return loaded.failed ? LoadResult::kFailed : LoadResult::kNothingToRun;
}

void RunStartup(Context& ctx) {
  ctx.tempFiles.Clear();
  ctx.programReady = true;
  PrepareProgram(ctx);
  ctx.PushFrame();  // the outermost frame stays until the program ends
  // After END no further procedure starts.
  for (std::string_view startup : {"MAIN", "FORM_LOAD"}) {
    if (!ctx.stopRequested && HasProcedure(ctx, startup)) RunProcedure(ctx, startup, "");
  }
}

void EndProgram(Context& ctx) {
  ctx.PopFrame();
  ctx.lines.Clear();
  ReleaseProgram(ctx);
  ctx.tempFiles.DeleteAll(ctx.system);
  ctx.programReady = false;
}

}  // namespace quorl
