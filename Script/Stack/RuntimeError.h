#pragma once
// Reporting a runtime error from a running node.
#include <cstdint>
#include <string>
#include <vector>

#include "Script/Diagnostics/RuntimeErrorReporter.h"

namespace script {

class Runable;
class StackMemory;
class SymbolStore;
struct ExecContext;

// The thread's call stack for a trace, innermost frame first: each frame
// named by its called function (the script file for the top level) at the
// statement it stands at.
std::vector<TraceFrame> CallStackOf(const StackMemory& thread, const SymbolStore* symbols);

// Reports a runtime error at a node through its thread's reporter and
// returns RUN_ERROR, so that a node can `return ReportRuntimeError(...)`.
uint32_t ReportRuntimeError(ExecContext* context, const Runable* node, const std::string& message,
                            uint32_t code = 0);

}  // namespace script
