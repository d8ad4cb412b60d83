#include "kelvra/ScriptSession.h"

#include <atomic>
#include <chrono>

#include "Script/Compiler/Interpreter.h"
#include "Script/Expressions/Functions/Function.h"
#include "Script/Expressions/Library/FunctionLibPtr.h"
#include "Script/Expressions/Library/LibNode.h"
#include "Script/Expressions/Library/LibType.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Expressions/Scope.h"
#include "Script/Foundation/SymbolStore.h"
#include "Script/Platform/ManualResetEvent.h"
#include "Script/Platform/Path.h"
#include "Script/Platform/ScriptThread.h"
#include "Script/Platform/Thread.h"
#include "Script/Script/ScriptRunner.h"
#include "Script/Session/SessionEventsBridge.h"
#include "Script/Stack/StackMemory.h"
#include "Script/VariableView/GlobalsListing.h"
#include "Script/VariableView/ViewedVariable.h"

namespace script {

class ScriptSession::Impl {
 public:
  Impl(const std::string& path, StdOutInterface& sink) : runner(path, &sink) {}

  Interpreter& Program() { return runner.GetInterpreter(); }
  const SymbolStore& Symbols() { return runner.GetInterpreter().Symbols(); }
  platform::ManualResetEvent& Started() { return runner.GetInterpreter().DebuggerFanOut().Started(); }
  const Scope* Root() {
    const Node* root = Program().GetRoot();
    return root != nullptr && root->TypeId() == TYPE_SCOPE ? static_cast<const Scope*>(root) : nullptr;
  }

  // Declared first, so that it goes last: the interpreter's end waits for
  // callbacks still running on threads of native code, whose gates report
  // to the bridge.
  SessionEventsBridge bridge;
  ScriptRunner runner;
  platform::ScriptThread worker;  // the session's own run thread, when it started one
  std::atomic<bool> executing{false};  // a run has been asked for since the last load
  std::atomic<uint32_t> runThread{0};
  platform::ManualResetEvent finished;
  bool result = false;  // what the run on the session's own thread returned
};

namespace {

VariableHandle Handle(ViewedVariable variable) {
  return VariableHandle(std::make_shared<const ViewedVariable>(std::move(variable)));
}

// The variables of one frame: by the layout of the scope the frame runs,
// or by slot number with each slot's own type for a frame without one.
std::vector<VariableHandle> FrameVariables(const StackFrame& frame, const SymbolStore& symbols) {
  std::vector<VariableHandle> variables;
  const std::vector<FrameSlot>* layout = frame.body != nullptr ? &frame.body->FrameLayout() : nullptr;
  for (std::size_t i = 0; i < frame.slots.size(); ++i) {
    const MemoryBlockRef* ref = frame.slots[i].ref;
    if (layout != nullptr && i < layout->size()) {
      const FrameSlot& slot = (*layout)[i];
      // Slots without a declaring name hold the bindings of access chains.
      if (slot.declaration.symbol == 0) continue;
      variables.push_back(Handle(InspectSlot(symbols.Symbol(slot.declaration.symbol), slot.type, ref, &symbols)));
    } else {
      variables.push_back(Handle(InspectSlot(std::to_string(i), ref != nullptr ? ref->GetType() : nullptr, ref,
                                             &symbols)));
    }
  }
  return variables;
}

// Where a declaration stands, for the function browser.
void Locate(FunctionInfo& info, const SourcePosition& at, const SymbolStore& symbols) {
  info.file = symbols.File(at.file);
  info.fileId = at.file;
  info.line = at.line;
  info.position = at.position;
}

// A library ("name: \"module\"") followed by its functions.
void DescribeLibrary(const LibType& library, const SymbolStore& symbols, std::vector<FunctionInfo>& functions) {
  FunctionInfo info;
  info.kind = FunctionInfo::Kind::Library;
  const LibNode* variable = library.LibraryVariable();
  info.text = (variable != nullptr ? symbols.Symbol(variable->Position().symbol) : std::string()) + ": " +
              symbols.Symbol(library.Position().symbol);
  Locate(info, library.Position(), symbols);
  functions.push_back(std::move(info));
  for (const Type* member : library.Members()) {
    const FunctionLibPtr* function = library.FunctionOf(static_cast<const FunctionRefType*>(member));
    if (function == nullptr) continue;
    FunctionInfo entry;
    entry.kind = FunctionInfo::Kind::LibraryFunction;
    entry.text = function->Signature(symbols);
    Locate(entry, function->Position(), symbols);
    functions.push_back(std::move(entry));
  }
}

FunctionInfo DescribeFunction(const Function& function, const SymbolStore& symbols) {
  FunctionInfo info;
  const SourcePosition& at = function.Position();
  if (function.TypeId() != TYPE_FUNCTION) {
    info.kind = FunctionInfo::Kind::BuiltIn;
    info.text = symbols.Symbol(at.symbol);
    return info;
  }
  info.kind = FunctionInfo::Kind::Function;
  info.text = function.Signature(symbols);
  Locate(info, at, symbols);
  return info;
}

}  // namespace

ScriptSession::ScriptSession(const std::string& path, StdOutInterface& sink)
    : impl_(std::make_unique<Impl>(path, sink)) {}

ScriptSession::~ScriptSession() {
  if (!impl_->worker.IsRunning()) return;
  // A command is dropped while another holds the debugger; the stop is
  // tried again until it is taken or the run has ended by itself.
  while (!Command(DebugCommand::Stop) && !impl_->finished.WaitFor(std::chrono::milliseconds(1))) {
  }
  impl_->worker.Join();
}

const std::string& ScriptSession::Path() const { return impl_->runner.Path(); }

bool ScriptSession::Load() {
  Impl& impl = *impl_;
  // Compiling again deletes the program a run is walking.
  if (impl.executing && !impl.finished.IsSet()) return false;
  impl.worker.Join();
  impl.executing = false;
  impl.finished.Reset();
  impl.runThread = 0;
  if (!impl.runner.Load()) return false;
  // The bridge is the engine's event sink from here on, so that breakpoints
  // can be set before a run and every gate has a sink.
  impl_->Program().AttachDebugger(&impl_->bridge);
  return true;
}

bool ScriptSession::IsLoaded() const { return impl_->Program().IsLoaded(); }

void ScriptSession::AttachEvents(SessionEvents* events) { impl_->bridge.Connect(events); }

void ScriptSession::DetachEvents() { impl_->bridge.Connect(nullptr); }

bool ScriptSession::Execute() {
  Impl& impl = *impl_;
  bool succeeded = false;
  if (IsLoaded() && !impl.executing.exchange(true)) {
    impl.runThread = platform::CurrentThreadId();
    succeeded = impl.runner.Execute();
    impl.Program().DetachDebugger();
  }
  // Lets a waiter go when the run could not start.
  impl.Started().Set();
  impl.finished.Set();
  return succeeded;
}

void ScriptSession::WaitUntilStarted() { impl_->Started().Wait(); }

bool ScriptSession::Start(DebugCommand first) {
  Impl& impl = *impl_;
  if (!IsLoaded() || impl.executing || impl.worker.IsRunning()) return false;
  int systemError = 0;
  if (!impl.worker.Start([this] { impl_->result = Execute(); }, systemError)) return false;
  WaitUntilStarted();
  return Command(first);
}

bool ScriptSession::Wait() {
  impl_->worker.Join();
  return impl_->result;
}

bool ScriptSession::Command(DebugCommand command) {
  // Before its run exists a command would change the debugger's state with
  // no thread to apply it to, and the run would start in that state.
  if (!impl_->Started().IsSet()) return false;
  DebuggerStateMachine& debugger = impl_->Program().Debugger();
  switch (command) {
    case DebugCommand::Run: return debugger.Run();
    case DebugCommand::Stop: return debugger.Stop();
    case DebugCommand::Pause: return debugger.Pause(0);
    case DebugCommand::StepIn: return debugger.StepIn();
    case DebugCommand::StepOver: return debugger.Step();
    case DebugCommand::StepOut: return debugger.StepOut();
  }
  return false;
}

bool ScriptSession::SetBreakpoint(const std::string& file, uint32_t lineIndex, bool set) {
  std::optional<uint32_t> fileId = FileId(file);
  return fileId && impl_->Program().Debugger().SetBreakpoint(*fileId, lineIndex, set);
}

std::string ScriptSession::FilePath(uint32_t fileId) const { return impl_->Symbols().File(fileId); }

std::optional<uint32_t> ScriptSession::FileId(const std::string& path) const {
  const SymbolStore& symbols = impl_->Symbols();
  for (uint32_t id = 0; id < symbols.FileCount(); ++id) {
    if (symbols.File(id) == path) return id;
  }
  std::optional<std::string> wanted = platform::CanonicalPath(path);
  if (!wanted) return std::nullopt;
  for (uint32_t id = 0; id < symbols.FileCount(); ++id) {
    if (platform::CanonicalPath(symbols.File(id)) == wanted) return id;
  }
  return std::nullopt;
}

std::vector<uint32_t> ScriptSession::ThreadIds() const { return impl_->Program().Threads().ThreadIds(); }

uint32_t ScriptSession::RunThreadId() const { return impl_->runThread; }

std::vector<FrameInfo> ScriptSession::CallStack(uint32_t threadId) const {
  std::vector<FrameInfo> frames;
  const SymbolStore& symbols = impl_->Symbols();
  impl_->Program().Threads().Inspect(threadId, [&](const StackMemory& stack) {
    for (int32_t i = 0; i <= stack.CurrentFrameIndex(); ++i) {
      FrameDescription frame;
      if (!stack.DescribeFrame(i, symbols, frame)) continue;
      frames.push_back(FrameInfo{i, std::move(frame.function), std::move(frame.module), std::move(frame.file),
                                 frame.fileId, frame.line, frame.position});
    }
  });
  return frames;
}

std::vector<VariableHandle> ScriptSession::Variables(uint32_t threadId, int32_t frameIndex) const {
  std::vector<VariableHandle> variables;
  impl_->Program().Threads().Inspect(threadId, [&](const StackMemory& stack) {
    if (frameIndex >= 0 && frameIndex < stack.FrameCount())
      variables = FrameVariables(*stack.Frame(frameIndex), impl_->Symbols());
  });
  return variables;
}

void ScriptSession::ListGlobals(const std::function<void(const std::string& line)>& line) const {
  const Scope* root = impl_->Root();
  if (root == nullptr) return;
  impl_->Program().Threads().InspectMain(
      [&](const StackMemory& stack) { script::ListGlobals(*root, stack, impl_->Symbols(), line); });
}

std::vector<FunctionInfo> ScriptSession::Functions() const {
  std::vector<FunctionInfo> functions;
  const Scope* root = impl_->Root();
  if (root == nullptr) return functions;
  for (const Node* statement : root->Statements()) {
    if (statement->IsKindOf(TYPE_FUNCTION))
      functions.push_back(DescribeFunction(static_cast<const Function&>(*statement), impl_->Symbols()));
    if (statement->TypeId() == TYPE_LIB)
      DescribeLibrary(static_cast<const LibType&>(*statement), impl_->Symbols(), functions);
  }
  return functions;
}

void ScriptSession::DumpLeaks() const { impl_->Program().Heap().DumpLeaks(); }

}  // namespace script
