#include "app/program_run.h"

#include <iostream>

#include "host/form_builder.h"
#include "host/loader.h"
#include "host/program.h"

namespace quorl::app {

int ListProgram(Context& ctx, const CommandLine& line) {
  FormSectionSkipper skipper(ctx);
  if (LoadProgramFile(ctx, line.program, skipper).failed) return kLoadFailed;
  for (int i = 0; i < ctx.lines.Count(); ++i) {
    std::cout << i << ": " << ctx.lines.Line(i) << '\n';
  }
  return 0;
}

std::optional<int> OpenEventFile(const CommandLine& line, std::ifstream& events, const Say& say) {
  if (line.events.empty()) return std::nullopt;
  events.open(line.events);
  if (events) return std::nullopt;
  say("quorl: cannot open events file '" + line.events + "'\n", true);
  return kUsageError;
}

std::optional<int> LoadAndStart(Context& ctx, FormHost& host, const CommandLine& line,
                                const Say& say) {
  FormBlockBuilder builder(ctx, &host);
  LoadResult loaded = LoadProgram(ctx, line.program, builder);
  if (loaded != LoadResult::kLoaded) return loaded == LoadResult::kFailed ? kLoadFailed : 0;
  if (!line.events.empty() && !host.HasForm()) {
    // Nothing would take the user actions: refuse rather than drop them.
    say("quorl: " + line.program + " builds no form: the user actions in '" + line.events +
            "' cannot be replayed\n",
        true);
    return kUsageError;
  }
  RunStartup(ctx);
  return std::nullopt;
}

}  // namespace quorl::app
