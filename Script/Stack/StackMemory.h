#pragma once
// A script thread's execution state: its frames of variable slots, its
// runtime error reporter and its debugger gate. Only its own thread writes it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "Script/Diagnostics/RuntimeErrorReporter.h"
#include "Script/Foundation/FrameSlot.h"
#include "Script/Stack/StackFrame.h"

namespace script {

class DebuggerHandler;
class FlowSemaphor;
class Memory;
class MemoryBlock;
class Node;
class Scope;
class SymbolStore;
class Type;

// What the debugger shows for one frame of a call stack.
struct FrameDescription {
  std::string function;  // the script file name for the top level, else the called signature
  std::string module;    // "Script", or a library's module name
  std::string file;
  uint32_t fileId = 0;
  uint32_t line = 0;
  uint32_t position = 0;
};

class StackMemory {
 public:
  // Slot index bits: bit 31 selects the global frame, bit 30 a slot whose
  // binding is the top of its rebinding stack.
  static constexpr uint32_t kGlobalBit = 0x80000000u;
  static constexpr uint32_t kRebindingBit = 0x40000000u;
  static constexpr uint32_t kSlotMask = 0x3FFFFFFFu;
  // PushFrame's refusals: the frame would take the thread's script stack
  // past its byte limit, or its slots could not be allocated.
  static constexpr int32_t kFrameTooLarge = -2;
  static constexpr int32_t kFrameOutOfMemory = -3;
  // The bytes the frames of calls may hold together, unless set otherwise.
  static constexpr std::size_t kDefaultByteLimit = std::size_t{256} << 20;

  // Creates the thread's gate with the debugger handler, when there is one.
  StackMemory(Memory* heap, uint32_t threadId, const SymbolStore* symbols, StdOutInterface* sink,
              DebuggerHandler* debugger);
  StackMemory(const StackMemory&) = delete;
  StackMemory& operator=(const StackMemory&) = delete;
  // Pops every frame and removes the thread's gate from the debugger handler.
  virtual ~StackMemory();

  // A new frame with one owned, zero-filled slot per layout entry; it
  // becomes current. Returns its index. A frame of the same body (or, without
  // a body, of the same callee) popped before lends its slots that nothing
  // else holds (zeroed again), so that a call needs no allocation once its
  // body has run. A call's frame (one with a called node) counts its body's
  // frame size against the byte limit; refused (kFrameTooLarge,
  // kFrameOutOfMemory), nothing is pushed.
  int32_t PushFrame(Node* calledNode, Scope* body, const std::vector<FrameSlot>& layout);
  // A new frame whose single slot holds the given reference (one count added).
  int32_t PushFrameWithRef(Node* calledNode, Scope* body, MemoryBlockRef* ref);
  // A global frame sharing another thread's global storage: the same called
  // node and scope, each slot's reference with one count added.
  int32_t PushSharedFrame(const StackFrame& globals);
  // Deletes the top frame, releasing its slots; returns the new current index.
  int32_t PopFrame();

  MemoryBlockRef* GetSlot(uint32_t index) const;
  // Adds one count to the new reference and releases the old one.
  void SetSlot(uint32_t index, MemoryBlockRef* ref);
  // Rebinding stacks of bit-30 slots.
  void PushSlotBinding(uint32_t index, Type* type, uint32_t offset, MemoryBlock* block);
  void PopSlotBinding(uint32_t index);
  // Appends an owned slot of the type to the current frame.
  void AddSlot(Type* type);

  uint32_t SlotCount() const;
  int32_t FrameCount() const { return static_cast<int32_t>(frames_.size()); }
  int32_t CurrentFrameIndex() const { return current_; }
  StackFrame* Frame(int32_t index) const { return frames_.at(static_cast<std::size_t>(index)); }
  StackFrame* CurrentFrame() const { return current_ < 0 ? nullptr : frames_[static_cast<std::size_t>(current_)]; }

  // The bytes the frames of calls may hold together; the program's globals
  // do not count.
  void SetByteLimit(std::size_t bytes) { byteLimit_ = bytes; }
  std::size_t ByteLimit() const { return byteLimit_; }

  // Describes a frame by the statement it stands at; false when the index is
  // not below the frame count or the frame stands at no statement.
  bool DescribeFrame(int32_t index, const SymbolStore& symbols, FrameDescription& description) const;

  uint32_t ThreadId() const { return threadId_; }
  RuntimeErrorReporter& Reporter() { return reporter_; }
  // The thread's debugger gate; null without a debugger handler.
  FlowSemaphor* Gate() const { return gate_; }

 private:
  StackSlot& SlotAt(uint32_t index) const;
  int32_t Append(StackFrame* frame);
  void ReleaseFrame(StackFrame* frame);
  // Keeps a laid-out frame for the next push of its body: slots whose storage
  // only the frame holds stay, the others are released.
  void KeepSpare(StackFrame* frame);
  // Spare frames are kept by body, or by callee for a frame without one.
  static const void* SpareKey(const Node* calledNode, const Scope* body);
  StackFrame* TakeSpare(const void* key);

  Memory* heap_;
  RuntimeErrorReporter reporter_;
  std::vector<StackFrame*> frames_;
  int32_t current_ = -1;
  std::size_t byteLimit_ = kDefaultByteLimit;
  std::size_t frameBytes_ = 0;  // held by the frames of calls
  // Popped frames by SpareKey, for reuse.
  std::unordered_map<const void*, std::vector<StackFrame*>> spareFrames_;
  uint32_t threadId_;
  DebuggerHandler* debugger_;
  FlowSemaphor* gate_;  // owned by the debugger handler
};

}  // namespace script
