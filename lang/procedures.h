// The procedure table, the declaration scan and calls.
#pragma once

#include <string_view>

#include "lang/context.h"
#include "lang/plan.h"

namespace quorl {

// Declares what stands above the first procedure and fills the procedure table.
void PrepareProgram(Context& ctx);
// Drops the procedure and variable tables and the frames.
void ReleaseProgram(Context& ctx);
// Runs a procedure in the frame the caller pushed; the FUNCTION result or none.
Result CallProcedure(Context& ctx, std::string_view name, std::string_view arguments);
// PushFrame, CallProcedure, PopFrame: how the host and the events run a procedure.
Result RunProcedure(Context& ctx, std::string_view name, std::string_view arguments);
// The same for a call whose arguments were cut once (plan.call) where plans are kept.
Result RunProcedure(Context& ctx, const Plan& plan);
// A call's argument text cut into its arguments, as a call binds them.
CallPlan CutArguments(std::string_view arguments);
// The variable of the n-th parameter (from 1) in the current frame.
Value* GetParameterValue(Context& ctx, std::string_view name, int n);
bool HasProcedure(const Context& ctx, std::string_view name);
// How many parameters the procedure's header declares; 0 for no procedure.
int ParameterCount(Context& ctx, std::string_view name);
// Removes PUBLIC or PRIVATE before SUB or FUNCTION (any case); true when it did.
bool RemoveProcedureQualifier(std::string& line);

}  // namespace quorl
