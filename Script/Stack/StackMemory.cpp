#include "Script/Stack/StackMemory.h"

#include <algorithm>
#include <cstring>

#include "Script/Debugger/DebuggerHandler.h"
#include "Script/Expressions/Functions/Function.h"
#include "Script/Expressions/Library/FunctionLibPtr.h"
#include "Script/Expressions/Scope.h"
#include "Script/Expressions/Types/Type.h"
#include "Script/Foundation/SymbolStore.h"
#include "Script/Memory/Memory.h"
#include "Script/Platform/Path.h"

namespace script {

namespace {

// A handle that is no longer bound: kept as a spare pointing nowhere when
// nothing else holds it, else given up (null).
MemoryBlockRef* Unbind(MemoryBlockRef* handle) {
  if (handle == nullptr || handle->RefCount() != 1) {
    if (handle != nullptr) handle->Release();
    return nullptr;
  }
  handle->Retarget(handle->GetType(), nullptr, 0);
  return handle;
}

void ReleaseBindings(StackSlot& slot) {
  if (slot.rebindings == nullptr) return;
  for (MemoryBlockRef* handle : *slot.rebindings) {
    if (handle != nullptr) handle->Release();
  }
  delete slot.rebindings;
  slot.rebindings = nullptr;
  slot.bound = 0;
}

}  // namespace

StackMemory::StackMemory(Memory* heap, uint32_t threadId, const SymbolStore* symbols, StdOutInterface* sink,
                         DebuggerHandler* debugger)
    : heap_(heap),
      reporter_(symbols, sink),
      threadId_(threadId),
      debugger_(debugger),
      gate_(debugger != nullptr ? debugger->CreateGate(threadId) : nullptr) {}

StackMemory::~StackMemory() {
  while (!frames_.empty()) {
    ReleaseFrame(frames_.back());
    frames_.pop_back();
  }
  for (auto& [key, spares] : spareFrames_) {
    for (StackFrame* frame : spares) ReleaseFrame(frame);
  }
  if (debugger_ != nullptr) debugger_->RemoveGate(threadId_);
}

int32_t StackMemory::Append(StackFrame* frame) {
  frames_.push_back(frame);
  current_ = static_cast<int32_t>(frames_.size()) - 1;
  return current_;
}

int32_t StackMemory::PushFrame(Node* calledNode, Scope* body, const std::vector<FrameSlot>& layout) {
  const std::size_t bytes = calledNode != nullptr && body != nullptr ? body->FrameSize() : 0;
  if (bytes > byteLimit_ - std::min(frameBytes_, byteLimit_)) return kFrameTooLarge;
  StackFrame* frame = TakeSpare(SpareKey(calledNode, body));
  if (frame != nullptr && frame->slots.size() != layout.size()) {
    ReleaseFrame(frame);  // kept for a callee that has gone since
    frame = nullptr;
  }
  if (frame == nullptr) {
    frame = new StackFrame{{}, calledNode, body, nullptr, calledNode != nullptr};
    frame->slots.resize(layout.size());
  }
  frame->calledNode = calledNode;
  frame->currentStatement = nullptr;
  for (std::size_t i = 0; i < layout.size(); ++i) {
    Type* type = layout[i].type;
    MemoryBlockRef*& ref = frame->slots[i].ref;
    if (ref == nullptr) {
      ref = heap_->NewOwnedRef(type, type->GetSlotSize());
      if (ref == nullptr || ref->Block() == nullptr) {
        ReleaseFrame(frame);
        return kFrameOutOfMemory;
      }
    } else {
      std::memset(ref->Data(), 0, ref->Block()->Size());
    }
  }
  frame->bytes = bytes;
  frameBytes_ += bytes;
  return Append(frame);
}

const void* StackMemory::SpareKey(const Node* calledNode, const Scope* body) {
  // A native function's frame has no body: its layout is the callee's own.
  return body != nullptr ? static_cast<const void*>(body) : static_cast<const void*>(calledNode);
}

StackFrame* StackMemory::TakeSpare(const void* key) {
  if (key == nullptr) return nullptr;
  auto spares = spareFrames_.find(key);
  if (spares == spareFrames_.end() || spares->second.empty()) return nullptr;
  StackFrame* frame = spares->second.back();
  spares->second.pop_back();
  return frame;
}

void StackMemory::KeepSpare(StackFrame* frame) {
  for (StackSlot& slot : frame->slots) {
    if (slot.rebindings != nullptr) {
      for (uint32_t i = 0; i < slot.bound; ++i) (*slot.rebindings)[i] = Unbind((*slot.rebindings)[i]);
      slot.bound = 0;
    }
    MemoryBlockRef* ref = slot.ref;
    if (ref == nullptr) continue;
    // Reusable: plain bytes at the start of a block that only this slot holds.
    const MemoryBlock* block = ref->Block();
    const bool solelyHeld = ref->RefCount() == 1 && block != nullptr && block->CountWord() == 1 &&
                            ref->Offset() == 0 && ref->GetType() == block->GetType() && !block->IsForeign() &&
                            block->GetType() != nullptr && block->GetType()->IsPlainData();
    if (!solelyHeld) {
      ref->Release();
      slot.ref = nullptr;
    }
  }
  spareFrames_[SpareKey(frame->calledNode, frame->body)].push_back(frame);
}

int32_t StackMemory::PushFrameWithRef(Node* calledNode, Scope* body, MemoryBlockRef* ref) {
  ref->AddRef();
  return Append(new StackFrame{{StackSlot{ref, nullptr}}, calledNode, body, nullptr});
}

int32_t StackMemory::PushSharedFrame(const StackFrame& globals) {
  auto* frame = new StackFrame{{}, globals.calledNode, globals.body, nullptr};
  frame->slots.reserve(globals.slots.size());
  for (const StackSlot& slot : globals.slots) {
    if (slot.ref != nullptr) slot.ref->AddRef();
    frame->slots.push_back(StackSlot{slot.ref, nullptr});
  }
  return Append(frame);
}

int32_t StackMemory::PopFrame() {
  if (frames_.empty()) return current_ = -1;
  frameBytes_ -= frames_.back()->bytes;
  frames_.back()->bytes = 0;
  if (frames_.back()->laidOut) {
    KeepSpare(frames_.back());
  } else {
    ReleaseFrame(frames_.back());
  }
  frames_.pop_back();
  current_ = static_cast<int32_t>(frames_.size()) - 1;
  return current_;
}

void StackMemory::ReleaseFrame(StackFrame* frame) {
  for (StackSlot& slot : frame->slots) {
    ReleaseBindings(slot);
    if (slot.ref != nullptr) slot.ref->Release();
  }
  delete frame;
}

StackSlot& StackMemory::SlotAt(uint32_t index) const {
  StackFrame* frame = (index & kGlobalBit) != 0 ? frames_.front() : frames_[static_cast<std::size_t>(current_)];
  return frame->slots[index & kSlotMask];
}

MemoryBlockRef* StackMemory::GetSlot(uint32_t index) const {
  StackSlot& slot = SlotAt(index);
  if ((index & kRebindingBit) != 0 && slot.bound != 0) return (*slot.rebindings)[slot.bound - 1];
  return slot.ref;
}

void StackMemory::SetSlot(uint32_t index, MemoryBlockRef* ref) {
  StackSlot& slot = SlotAt(index);
  if ((index & kRebindingBit) != 0 && slot.bound != 0) {
    MemoryBlockRef*& bound = (*slot.rebindings)[slot.bound - 1];
    ref->AddRef();
    bound->Release();
    bound = ref;
  }
  ref->AddRef();
  if (slot.ref != nullptr) slot.ref->Release();
  slot.ref = ref;
}

void StackMemory::PushSlotBinding(uint32_t index, Type* type, uint32_t offset, MemoryBlock* block) {
  if ((index & kRebindingBit) == 0) return;
  StackSlot& slot = SlotAt(index);
  if (slot.rebindings == nullptr) slot.rebindings = new std::vector<MemoryBlockRef*>();
  if (slot.bound == slot.rebindings->size()) slot.rebindings->push_back(nullptr);
  MemoryBlockRef*& handle = (*slot.rebindings)[slot.bound++];
  if (handle != nullptr) {
    handle->Retarget(type, block, offset);
  } else {
    handle = heap_->NewRef(type, block, offset);
  }
}

void StackMemory::PopSlotBinding(uint32_t index) {
  if ((index & kRebindingBit) == 0) return;
  StackSlot& slot = SlotAt(index);
  if (slot.bound == 0) return;
  MemoryBlockRef*& handle = (*slot.rebindings)[--slot.bound];
  handle = Unbind(handle);
}

void StackMemory::AddSlot(Type* type) {
  StackFrame* frame = CurrentFrame();
  if (frame == nullptr) return;
  frame->slots.push_back(StackSlot{heap_->NewOwnedRef(type, type->GetSlotSize()), nullptr});
}

bool StackMemory::DescribeFrame(int32_t index, const SymbolStore& symbols, FrameDescription& description) const {
  if (index < 0 || index >= FrameCount()) return false;
  const StackFrame* frame = frames_[static_cast<std::size_t>(index)];
  if (frame->currentStatement == nullptr) return false;
  const SourcePosition& at = frame->currentStatement->Position();
  description.file = symbols.File(at.file);
  description.fileId = at.file;
  description.line = at.line;
  description.position = at.position;
  description.module = "Script";
  if (index == 0 || frame->calledNode == nullptr || !frame->calledNode->IsKindOf(TYPE_FUNCTION)) {
    description.function = platform::FileNameOf(description.file);
    return true;
  }
  const auto* called = static_cast<const Function*>(frame->calledNode);
  description.function = called->Signature(symbols);
  if (called->TypeId() == TYPE_FUNCTION_LIB_PTR) {
    description.module = static_cast<const FunctionLibPtr*>(called)->ModuleName();
  }
  return true;
}

uint32_t StackMemory::SlotCount() const {
  StackFrame* frame = CurrentFrame();
  return frame == nullptr ? 0 : static_cast<uint32_t>(frame->slots.size());
}

}  // namespace script
