#pragma once
// A program of plain statements in a root scope and a callee's body scope,
// and a script thread that passes them through its gate the way the scopes'
// runs do, journalling each statement it runs as "exec <index> <thread>".
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "Script/Expressions/Scope.h"

namespace script {
class DebuggerHandler;
class FlowSemaphor;
}  // namespace script

namespace script::test {

class Journal;

class FakeScript {
 public:
  // Statement k (from 1) stands on line k + 1 of file 0 at the given frame
  // depth: depth 0 in the root scope (line 1), deeper in the callee's body.
  explicit FakeScript(std::initializer_list<uint32_t> depths);

  Scope& Root() { return root_; }
  const Node* Statement(uint32_t index) const { return steps_[index - 1].statement; }
  // Enters every statement in the handler's line table.
  void EnterLines(DebuggerHandler& handler) const;
  // The thread's whole run: start, the statements (again and again when
  // repeating) until the gate stops the thread, end.
  void Run(FlowSemaphor* gate, Journal& journal, bool repeat = false) const;

 private:
  struct Step {
    const Node* statement;
    Scope* scope;
    uint32_t depth;
  };

  Scope root_;
  Scope* callee_;
  std::vector<Step> steps_;
};

}  // namespace script::test
