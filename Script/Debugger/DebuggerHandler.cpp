#include "Script/Debugger/DebuggerHandler.h"

#include <algorithm>
#include <cstddef>
#include <mutex>

#include "Script/Debugger/DebuggerEvents.h"
#include "Script/Debugger/ThreadPositionSource.h"
#include "Script/Expressions/Scope.h"

namespace script {

namespace {

Scope* EnclosingScope(const Node* statement) {
  for (Node* node = statement->Parent(); node != nullptr; node = node->Parent())
    if (node->TypeId() == TYPE_SCOPE) return static_cast<Scope*>(node);
  return nullptr;
}

}  // namespace

FlowSemaphor* DebuggerHandler::CreateGate(uint32_t threadId) {
  std::lock_guard lock(lock_);
  const GateMode mode = gates_.empty() ? GateMode::Paused : GateMode::Running;
  gates_.push_back(std::make_unique<FlowSemaphor>(machine_, Events(), threadId, mode));
  return gates_.back().get();
}

void DebuggerHandler::RemoveGate(uint32_t threadId) {
  std::lock_guard lock(lock_);
  auto gate =
      std::find_if(gates_.begin(), gates_.end(), [threadId](const auto& g) { return g->ThreadId() == threadId; });
  if (gate != gates_.end()) gates_.erase(gate);
}

void DebuggerHandler::AddToLineTable(const Node* statement) {
  const SourcePosition& at = statement->Position();
  if (at.line == 0) return;
  if (lineTable_.size() <= at.file) lineTable_.resize(at.file + 1);
  std::vector<const Node*>& lines = lineTable_[at.file];
  if (lines.size() < at.line) lines.resize(at.line, nullptr);
  if (lines[at.line - 1] == nullptr) lines[at.line - 1] = statement;
}

void DebuggerHandler::ForgetProgram() {
  lineTable_.clear();
  started_.Reset();
}

void DebuggerHandler::Stop() { ForEachGate(&FlowSemaphor::Stop); }

void DebuggerHandler::Run() { ForEachGate(&FlowSemaphor::Run); }

void DebuggerHandler::Pause(uint32_t threadId) {
  if (threadId == kPositionOnly) {
    ReportPositionInTurn();
    return;
  }
  std::lock_guard lock(lock_);
  for (const auto& gate : gates_) gate->Pause(threadId);
}

void DebuggerHandler::StepIn() { StepInTurn(&FlowSemaphor::StepIn); }

void DebuggerHandler::Step() { StepInTurn(&FlowSemaphor::Step); }

void DebuggerHandler::StepOut() { StepInTurn(&FlowSemaphor::StepOut); }

bool DebuggerHandler::SetBreakpoint(uint32_t file, uint32_t lineIndex, bool set) {
  const Node* statement = StatementAt(file, lineIndex);
  if (statement == nullptr) return false;
  Scope* scope = EnclosingScope(statement);
  // Parameter declarations belong to their function, not to a scope, and
  // never enter the line table: a function's header line takes no breakpoint.
  if (scope == nullptr) return false;
  const uint32_t line = statement->Position().line;
  if (set)
    scope->Breakpoints().Set(file, line);
  else
    scope->Breakpoints().Remove(file, line);
  if (DebuggerEvents* events = Events()) events->OnBreakpoint(file, lineIndex, set);
  return true;
}

FlowSemaphor* DebuggerHandler::ChooseInTurn() {
  const std::size_t count = gates_.size();
  for (std::size_t looked = 0; looked < count; ++looked) {
    FlowSemaphor* gate = gates_[turn_++ % count].get();
    if (!gate->InNativeCode()) return gate;
  }
  return nullptr;
}

void DebuggerHandler::ForEachGate(GateCommand command) {
  std::lock_guard lock(lock_);
  for (const auto& gate : gates_) (gate.get()->*command)();
}

void DebuggerHandler::StepInTurn(GateCommand command) {
  std::lock_guard lock(lock_);
  if (FlowSemaphor* gate = ChooseInTurn())
    (gate->*command)();
  else
    for (const auto& each : gates_) (each.get()->*command)();
}

// The thread's position is read after the handler's lock is released: the
// lookup takes the heap's address lock, which gate creation takes before
// this one.
void DebuggerHandler::ReportPositionInTurn() {
  uint32_t threadId = 0;
  {
    std::lock_guard lock(lock_);
    FlowSemaphor* gate = ChooseInTurn();
    if (gate == nullptr) return;
    threadId = gate->ThreadId();
  }
  DebuggerEvents* events = Events();
  const Node* statement = nullptr;
  Scope* scope = nullptr;
  if (events == nullptr || positions_ == nullptr || !positions_->CurrentPosition(threadId, statement, scope) ||
      statement == nullptr)
    return;
  const SourcePosition& at = statement->Position();
  events->OnBreak(at.file, at.line - 1, threadId, scope);
}

const Node* DebuggerHandler::StatementAt(uint32_t file, uint32_t lineIndex) const {
  if (file >= lineTable_.size() || lineIndex >= lineTable_[file].size()) return nullptr;
  return lineTable_[file][lineIndex];
}

}  // namespace script
