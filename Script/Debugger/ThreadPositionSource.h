#pragma once
// Where a script thread stands, read by the debugger for the position report
// of a thread chosen in turn.
#include <cstdint>

namespace script {

class Node;
class Scope;

class ThreadPositionSource {
 public:
  virtual ~ThreadPositionSource() = default;

  // The statement and scope of the thread's current frame, or of the frame
  // below when the current frame has no scope and is not frame 0; false when
  // the thread has no statement to show. Called with no debugger lock held
  // but the state machine's.
  virtual bool CurrentPosition(uint32_t threadId, const Node*& statement, Scope*& scope) = 0;
};

}  // namespace script
