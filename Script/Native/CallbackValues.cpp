#include "Script/Native/CallbackValues.h"

#include <cstring>
#include <string>

#include "Script/Expressions/Types/Type.h"
#include "Script/Memory/ForeignAccess.h"
#include "Script/Memory/Memory.h"
#include "Script/Memory/MemoryBlockRef.h"
#include "Script/Platform/FaultGuard.h"
#include "Script/Values/Value.h"

namespace script {

namespace {

uintptr_t AddressIn(const void* argument) {
  uintptr_t address = 0;
  std::memcpy(&address, argument, sizeof address);
  return address;
}

// The C string at an address that may not be readable.
uint32_t CopyCString(Memory& heap, uintptr_t address, Value& value) {
  std::string text;
  if (address != 0) {
    const auto* characters = reinterpret_cast<const char*>(address);
    std::size_t length = 0;
    if (const uint32_t fault = platform::GuardedStringLength(characters, length)) return fault;
    text.resize(length);
    if (const uint32_t fault = platform::GuardedCopy(text.data(), characters, length)) return fault;
  }
  value.SetString(heap, std::move(text));
  return 0;
}

// The value of a reference parameter bound to the object at `address`.
uint32_t ReferencedValue(Memory& heap, Type* type, uintptr_t address, Value& value) {
  const uint32_t kind = type->GetKind();
  if (kind == KIND_STRING) return CopyCString(heap, address, value);
  if (kind == KIND_FUNCTION_REF) {
    uintptr_t function = 0;
    if (address != 0) {
      if (const uint32_t fault = platform::GuardedCopy(&function, reinterpret_cast<const void*>(address), sizeof function)) {
        return fault;
      }
    }
    value.SetScalar(type, &function);
    return 0;
  }
  if (address == 0) {
    value.EnsureStorage(type, &heap);  // zeroed
    return 0;
  }
  MemoryBlockRef* storage = heap.RefAtAddress(reinterpret_cast<void*>(address), type);
  if (storage == nullptr) return 0;
  if (const uint32_t fault = ProbeForeign(storage->Block(), storage->Offset(), type->GetSize())) {
    storage->Release();
    return fault;
  }
  value.AdoptRef(storage, type);
  return 0;
}

// The address native code sees for a value's storage, entered in the
// address map so that it is found again when handed back.
uintptr_t StorageAddress(Memory& heap, Value& value) {
  MemoryBlockRef* storage = value.Materialize(heap);
  if (storage == nullptr || storage->Block() == nullptr) return 0;
  heap.EnsureMapped(storage->Block());
  return reinterpret_cast<uintptr_t>(value.Kind() == KIND_STRING ? value.DataPointer() : storage->Data());
}

}  // namespace

uint32_t ArgumentValue(Memory& heap, Type* type, void* argument, Value& value, ReferenceCell& cell) {
  cell = ReferenceCell{};
  const uint32_t kind = type->GetKind();
  switch (type->ReferenceMode()) {
    case 0:
      if (kind == KIND_STRING) return CopyCString(heap, AddressIn(argument), value);
      if (IsScalarKind(kind)) {
        value.SetScalar(type, argument);
      } else {
        value.EnsureStorage(type, &heap);
        if (uint8_t* storage = value.StoragePointer()) std::memcpy(storage, argument, type->GetSize());
      }
      return 0;
    case 1:
      return ReferencedValue(heap, type, AddressIn(argument), value);
    default: {
      const uintptr_t outer = AddressIn(argument);
      uintptr_t inner = 0;
      if (outer != 0) {
        if (const uint32_t fault = platform::GuardedCopy(&inner, reinterpret_cast<const void*>(outer), sizeof inner)) {
          return fault;
        }
      }
      if (const uint32_t fault = ReferencedValue(heap, type, inner, value)) return fault;
      cell.cell = reinterpret_cast<void*>(outer);
      if (kind != KIND_STRING && kind != KIND_FUNCTION_REF) cell.bound = StorageAddress(heap, value);
      return 0;
    }
  }
}

void WriteBack(Memory& heap, Type* type, const Value& value, const ReferenceCell& cell) {
  if (cell.cell == nullptr || type->GetKind() == KIND_STRING) return;
  uintptr_t word = 0;
  if (type->GetKind() == KIND_FUNCTION_REF) {
    // The function reference goes to the object the cell points at.
    uintptr_t inner = 0;
    if (platform::GuardedCopy(&inner, cell.cell, sizeof inner) != 0 || inner == 0) return;
    if (const uint8_t* storage = value.StoragePointer()) std::memcpy(&word, storage, sizeof word);
    platform::GuardedCopy(reinterpret_cast<void*>(inner), &word, sizeof word);
    return;
  }
  Value bound(value);
  word = StorageAddress(heap, bound);
  if (word != 0 && word != cell.bound) platform::GuardedCopy(cell.cell, &word, sizeof word);
}

void ReturnValue(Memory& heap, Type* type, const Value& result, void* buffer, std::size_t size) {
  std::memset(buffer, 0, size);
  if (type == nullptr || !result.HasStorage()) return;
  const uint32_t kind = type->GetKind();
  const uint32_t mode = type->ReferenceMode();
  if (mode != 0) {
    Value storage(result);
    const uintptr_t address = StorageAddress(heap, storage);
    if (mode == 1) {
      std::memcpy(buffer, &address, sizeof address);
      return;
    }
    // "@@": the address of a cell holding the storage's address; the cell
    // lasts until the thread's next callback returns.
    thread_local uintptr_t cell;
    cell = address;
    const uintptr_t cellAddress = reinterpret_cast<uintptr_t>(&cell);
    std::memcpy(buffer, &cellAddress, sizeof cellAddress);
    return;
  }
  if (kind == KIND_STRING) {
    // The characters last until the thread's next callback returns a string.
    thread_local std::string text;
    text = result.ToText();
    const char* characters = text.c_str();
    std::memcpy(buffer, &characters, sizeof characters);
    return;
  }
  if (IsIntegerKind(kind) || kind == KIND_BOOL) {
    // Integers narrower than a register are returned widened to one:
    // sign-extended or zero-extended by their type.
    uint64_t wide = 0;
    if (IsSignedKind(kind)) {
      result.ReadScalar(KIND_I64, &wide);
    } else {
      result.ReadScalar(kind, &wide);
    }
    std::memcpy(buffer, &wide, sizeof wide);
    return;
  }
  if (IsScalarKind(kind)) {
    result.ReadScalar(kind, buffer);
    return;
  }
  const uint8_t* bytes = result.StoragePointer();
  if (kind == KIND_AGGREGATE && bytes != nullptr && type->GetSize() <= size) std::memcpy(buffer, bytes, type->GetSize());
}

}  // namespace script
