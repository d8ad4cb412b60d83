#include "Script/Stack/RuntimeError.h"

#include "Script/Foundation/SymbolStore.h"
#include "Script/Foundation/ExecContext.h"
#include "Script/Expressions/Node.h"
#include "Script/Platform/Path.h"
#include "Script/Stack/StackMemory.h"

namespace script {

std::vector<TraceFrame> CallStackOf(const StackMemory& thread, const SymbolStore* symbols) {
  std::vector<TraceFrame> frames;
  for (int32_t index = thread.CurrentFrameIndex(); index >= 0; --index) {
    const StackFrame* frame = thread.Frame(index);
    if (frame->currentStatement == nullptr) continue;
    const SourcePosition& at = frame->currentStatement->Position();
    std::string name;
    if (symbols != nullptr) {
      name = frame->calledNode != nullptr ? symbols->Symbol(frame->calledNode->Position().symbol)
                                          : platform::FileNameOf(symbols->File(at.file));
    }
    frames.push_back(TraceFrame{std::move(name), at});
  }
  return frames;
}

uint32_t ReportRuntimeError(ExecContext* context, const Runable* node, const std::string& message, uint32_t code) {
  if (context->thread == nullptr) return RUN_ERROR;
  RuntimeErrorReporter& reporter = context->thread->Reporter();
  reporter.Report(message, node->Position(), code, CallStackOf(*context->thread, reporter.Symbols()));
  return RUN_ERROR;
}

}  // namespace script
