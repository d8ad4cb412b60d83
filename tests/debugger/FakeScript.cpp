#include "tests/debugger/FakeScript.h"

#include <string>

#include "Script/Debugger/DebuggerHandler.h"
#include "Script/Debugger/FlowSemaphor.h"
#include "tests/debugger/Journal.h"

namespace script::test {

namespace {

class PlainStatement : public Node {
 public:
  using Node::Node;
  uint32_t Run(ExecContext*) override { return RUN_OK; }
};

SourcePosition Line(uint32_t line) { return SourcePosition{0, 0, line, 1}; }

}  // namespace

FakeScript::FakeScript(std::initializer_list<uint32_t> depths)
    : root_(Line(1), nullptr), callee_(new Scope(Line(1), &root_)) {
  root_.AddStatement(callee_);
  uint32_t line = 2;
  for (uint32_t depth : depths) {
    Scope* scope = depth == 0 ? &root_ : callee_;
    Node* statement = new PlainStatement(TYPE_EMPTY, Line(line++), scope);
    scope->AddStatement(statement);
    steps_.push_back(Step{statement, scope, depth});
  }
}

void FakeScript::EnterLines(DebuggerHandler& handler) const {
  for (const Step& step : steps_) handler.AddToLineTable(step.statement);
}

void FakeScript::Run(FlowSemaphor* gate, Journal& journal, bool repeat) const {
  bool stopped = gate->StartRun(&root_) != RUN_OK;
  while (!stopped) {
    for (uint32_t index = 1; index <= steps_.size() && !stopped; ++index) {
      const Step& step = steps_[index - 1];
      stopped = gate->CheckStatement(step.statement, step.depth, step.scope->Breakpoints()) != RUN_OK;
      if (!stopped) journal.Record("exec " + std::to_string(index) + " " + std::to_string(gate->ThreadId()));
    }
    if (!repeat) break;
  }
  gate->EndRun();
}

}  // namespace script::test
