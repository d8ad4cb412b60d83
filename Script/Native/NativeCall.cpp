#include "Script/Native/NativeCall.h"

#include <ffi.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "Script/Debugger/FlowSemaphor.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Expressions/Types/MemberSlot.h"
#include "Script/Foundation/ExecContext.h"
#include "Script/Memory/ForeignAccess.h"
#include "Script/Memory/Memory.h"
#include "Script/Memory/MemoryBlockRef.h"
#include "Script/Native/NativeSignature.h"
#include "Script/Platform/FaultGuard.h"
#include "Script/Platform/StandardStreams.h"
#include "Script/Stack/RuntimeError.h"
#include "Script/Stack/StackMemory.h"
#include "Script/Values/Value.h"

namespace script {

namespace {

// Calls with up to this many arguments marshal them on the machine stack.
constexpr std::size_t kInlineArguments = 8;
// Return values up to this size come back in a buffer on the machine stack.
constexpr std::size_t kInlineReturn = 64;

constexpr const char* kFault = "MEMORY_ACCESS_EXCEPTION!";

// What one call hands to libffi: per argument the address of its value, and
// room for the values passed by address (the characters of a string, the
// data address of an "@" argument, the cell address of an "@@" argument)
// and for the "@@" cells themselves.
class ArgumentBlock {
 public:
  explicit ArgumentBlock(std::size_t count) {
    if (count > kInlineArguments) {
      spillValues_.resize(count);
      spillWords_.resize(count);
      spillCells_.resize(count);
      values_ = spillValues_.data();
      words_ = spillWords_.data();
      cells_ = spillCells_.data();
    }
  }
  ArgumentBlock(const ArgumentBlock&) = delete;
  ArgumentBlock& operator=(const ArgumentBlock&) = delete;

  void** Values() { return values_; }
  void PassInPlace(std::size_t i, void* value) { values_[i] = value; }
  void PassAddress(std::size_t i, uintptr_t address) {
    words_[i] = address;
    values_[i] = &words_[i];
  }
  // "@@": a cell holding the data address; the cell's address is passed.
  void PassCell(std::size_t i, uintptr_t address) {
    cells_[i] = address;
    PassAddress(i, reinterpret_cast<uintptr_t>(&cells_[i]));
  }
  uintptr_t Cell(std::size_t i) const { return cells_[i]; }

 private:
  std::array<void*, kInlineArguments> inlineValues_;
  std::array<uintptr_t, kInlineArguments> inlineWords_;
  std::array<uintptr_t, kInlineArguments> inlineCells_;
  std::vector<void*> spillValues_;
  std::vector<uintptr_t> spillWords_;
  std::vector<uintptr_t> spillCells_;
  void** values_ = inlineValues_.data();
  uintptr_t* words_ = inlineWords_.data();
  uintptr_t* cells_ = inlineCells_.data();
};

// The address native code sees for a slot's data: the characters of a
// string, the bytes of anything else.
uintptr_t DataAddress(const MemoryBlockRef& slot, uint32_t kind) {
  if (kind == KIND_STRING) {
    const MemoryBlock* block = slot.Block();
    if (block->IsForeign() || !SlotFits(block, slot.Offset(), sizeof(std::string))) return 0;
    return reinterpret_cast<uintptr_t>(reinterpret_cast<const std::string*>(slot.Data())->c_str());
  }
  return reinterpret_cast<uintptr_t>(slot.Data());
}

// Hands the parameter bound to `slot` to libffi as argument i; false when
// the slot has no storage that can be passed.
bool Marshal(Memory& heap, const Type& parameter, MemoryBlockRef* slot, ArgumentBlock& arguments, std::size_t i) {
  MemoryBlock* storage = slot != nullptr ? slot->Block() : nullptr;
  if (storage == nullptr) return false;
  const uint32_t kind = parameter.GetKind();
  switch (parameter.ReferenceMode()) {
    case 0:
      if (kind == KIND_STRING) {
        arguments.PassAddress(i, DataAddress(*slot, kind));
        return true;
      }
      if (!SlotFits(storage, slot->Offset(), parameter.GetSize())) return false;
      arguments.PassInPlace(i, slot->Data());
      return true;
    case 1:
      // Native code may hand the address back: it must find the block.
      heap.EnsureMapped(storage);
      arguments.PassAddress(i, DataAddress(*slot, kind));
      return true;
    default:
      heap.EnsureMapped(storage);
      arguments.PassCell(i, DataAddress(*slot, kind));
      return true;
  }
}

// Storage at a native address, or new zeroed storage for a null one. A
// native address must be readable; else the fault is reported.
uint32_t StorageAt(ExecContext* context, const Runable* site, uintptr_t address, Type* type,
                   MemoryBlockRef*& storage) {
  Memory& heap = *context->heap;
  storage = address != 0 ? heap.RefAtAddress(reinterpret_cast<void*>(address), type)
                         : heap.NewOwnedRef(type, type->GetSize());
  if (storage == nullptr) return ReportRuntimeError(context, site, "Out of memory.");
  if (const uint32_t fault = ProbeForeign(storage->Block(), storage->Offset(), type->GetSize())) {
    storage->Release();
    storage = nullptr;
    return ReportRuntimeError(context, site, kFault, fault);
  }
  return RUN_OK;
}

// A C string copied out of memory that may not be readable.
uint32_t CopyString(const char* characters, std::string& text) {
  std::size_t length = 0;
  if (characters == nullptr) return 0;
  if (const uint32_t fault = platform::GuardedStringLength(characters, length)) return fault;
  text.resize(length);
  return platform::GuardedCopy(text.data(), characters, length);
}

// Follows the pointer native code left in an "@@" argument's cell: the
// caller's handle (shared by the slot) moves to the new address. A function
// reference takes the value stored there instead, and a string the
// characters there.
uint32_t Rebind(ExecContext* context, const Runable* site, MemoryBlockRef* slot, uintptr_t address) {
  Type* type = slot->GetType();
  if (type->GetKind() == KIND_STRING) {
    std::string text;
    if (const uint32_t fault = CopyString(reinterpret_cast<const char*>(address), text)) {
      return ReportRuntimeError(context, site, kFault, fault);
    }
    if (DataAddress(*slot, KIND_STRING) != 0) *reinterpret_cast<std::string*>(slot->Data()) = std::move(text);
    return RUN_OK;
  }
  if (type->GetKind() == KIND_FUNCTION_REF) {
    uintptr_t value = 0;
    if (address != 0) {
      if (const uint32_t fault = platform::GuardedReadWord(address, value)) {
        return ReportRuntimeError(context, site, kFault, fault);
      }
    }
    std::memcpy(slot->Data(), &value, sizeof value);
    return RUN_OK;
  }
  MemoryBlockRef* target = nullptr;
  if (const uint32_t failed = StorageAt(context, site, address, type, target)) return failed;
  slot->Retarget(type, target->Block(), target->Offset());
  target->Release();
  return RUN_OK;
}

// Turns the bytes libffi returned into the call's result value.
uint32_t DeliverResult(ExecContext* context, const Runable* site, Type* returned, const uint8_t* buffer,
                       Value* result) {
  uintptr_t address = 0;
  std::memcpy(&address, buffer, sizeof address);
  const uint32_t mode = returned->ReferenceMode();
  if (mode == 2 && address != 0) {
    // A pointer to the pointer: follow it once.
    if (const uint32_t fault = platform::GuardedReadWord(address, address)) {
      return ReportRuntimeError(context, site, kFault, fault);
    }
  }
  const uint32_t kind = returned->GetKind();
  if (kind == KIND_FUNCTION_REF) {
    result->SetScalar(returned, &address);
    return RUN_OK;
  }
  if (mode != 0) {
    MemoryBlockRef* storage = nullptr;
    if (const uint32_t failed = StorageAt(context, site, address, returned, storage)) return failed;
    result->AdoptRef(storage, returned);
    return RUN_OK;
  }
  if (IsScalarKind(kind)) {
    result->SetScalar(returned, buffer);
    return RUN_OK;
  }
  if (kind == KIND_STRING) {
    std::string text;
    if (const uint32_t fault = CopyString(reinterpret_cast<const char*>(address), text)) {
      return ReportRuntimeError(context, site, kFault, fault);
    }
    result->SetString(*context->heap, std::move(text));
    return RUN_OK;
  }
  // A structure, returned in place.
  result->EnsureStorage(returned, context->heap);
  uint8_t* storage = result->StoragePointer();
  if (storage == nullptr) return ReportRuntimeError(context, site, "Out of memory.");
  std::memcpy(storage, buffer, returned->GetSize());
  return RUN_OK;
}

struct CallPacket {
  ffi_cif* cif;
  void* address;
  void* returned;
  void** arguments;
};

void Invoke(void* packet) {
  auto* call = static_cast<CallPacket*>(packet);
  ffi_call(call->cif, FFI_FN(call->address), call->returned, call->arguments);
}

}  // namespace

uint32_t CallNative(ExecContext* context, const Runable* site, const FunctionRefType& prototype,
                    NativeSignature& signature, void* address, Value* result) {
  StackMemory* thread = context->thread;
  const std::vector<FunctionRefEntry>& entries = prototype.Entries();
  const std::size_t count = entries.size() - 1;
  ArgumentBlock arguments(count);
  for (std::size_t i = 0; i < count; ++i) {
    if (!Marshal(*context->heap, *entries[i + 1].type, thread->GetSlot(static_cast<uint32_t>(i)), arguments, i)) {
      return ReportRuntimeError(context, site, "Out of memory.");
    }
  }

  alignas(16) std::array<uint8_t, kInlineReturn> inlineReturn{};
  std::vector<uint8_t> spillReturn;
  uint8_t* returned = inlineReturn.data();
  if (signature.ReturnBufferSize() > inlineReturn.size()) {
    spillReturn.resize(signature.ReturnBufferSize());
    returned = spillReturn.data();
  }

  CallPacket packet{signature.Interface(), address, returned, arguments.Values()};
  FlowSemaphor* gate = thread->Gate();
  platform::FlushPendingOutput();
  if (gate != nullptr) gate->IncrementNativeCounter();
  const uint32_t fault = platform::RunGuarded(&Invoke, &packet);
  if (gate != nullptr) gate->IncrementNativeCounter();
  platform::FlushPendingOutput();
  if (fault != 0) {
    ReportRuntimeError(context, site, "SE Exception", fault);
    return RUN_EXCEPTION;
  }

  for (std::size_t i = 0; i < count; ++i) {
    if (entries[i + 1].type->ReferenceMode() != 2) continue;
    MemoryBlockRef* slot = thread->GetSlot(static_cast<uint32_t>(i));
    if (arguments.Cell(i) == DataAddress(*slot, entries[i + 1].type->GetKind())) continue;
    if (const uint32_t failed = Rebind(context, site, slot, arguments.Cell(i))) return failed;
  }
  if (result == nullptr) return RUN_OK;
  return DeliverResult(context, site, entries.front().type, returned, result);
}

}  // namespace script
