#include "Script/Expressions/Functions/Function.h"

#include <cstring>
#include <mutex>

#include "Script/Foundation/Serializer.h"
#include "Script/Expressions/Functions/FunctionCallbackPtr.h"
#include "Script/Foundation/SymbolStore.h"
#include "Script/Expressions/Scope.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Expressions/Types/MemberSlot.h"
#include "Script/Expressions/Variables/Variable.h"
#include "Script/Memory/MemoryBlockRef.h"
#include "Script/Stack/NativeStack.h"
#include "Script/Stack/RuntimeError.h"
#include "Script/Stack/StackMemory.h"
#include "Script/Values/Value.h"

namespace script {

namespace {

// The argument's storage, made when it has none (a temporary).
MemoryBlockRef* StorageOf(Value& argument, Type* parameterType, Memory& heap) {
  argument.EnsureStorage(parameterType, &heap);
  return argument.Materialize(heap);
}

}  // namespace

Function::Function(const SourcePosition& position, Node* parent) : Function(TYPE_FUNCTION, position, parent) {}

Function::Function(int32_t typeId, const SourcePosition& position, Node* parent)
    : Node(typeId, position, parent), prototype_(new FunctionRefType(position, this)) {}

Function::Function(int32_t typeId, const SourcePosition& position, Node* parent, FunctionRefType* prototype)
    : Node(typeId, position, parent), prototype_(prototype), ownsPrototype_(false) {}

Function::~Function() {
  delete callback_.load(std::memory_order_acquire);
  // The parameter types name the prototype as their parent: they go first.
  for (auto type = parameterTypes_.rbegin(); type != parameterTypes_.rend(); ++type) delete *type;
  if (ownsPrototype_) delete prototype_;
}

std::string Function::Signature(const SymbolStore& symbols) const {
  const std::vector<FunctionRefEntry>& entries = prototype_->Entries();
  auto nameOf = [&symbols](const FunctionRefEntry& entry) {
    return entry.type != nullptr ? entry.type->GetName(symbols) : std::string();
  };
  std::string text = entries.empty() ? std::string() : nameOf(entries.front());
  text += ' ';
  text += symbols.Symbol(Position().symbol);
  text += '(';
  for (std::size_t i = 1; i < entries.size(); ++i) {
    if (i > 1) text += ", ";
    text += nameOf(entries[i]);
  }
  text += ')';
  return text;
}

uintptr_t Function::GetReferenceValue(ExecContext* context) {
  FunctionCallbackPtr* callback = callback_.load(std::memory_order_acquire);
  if (callback == nullptr && context->heap != nullptr) {
    // Threads may ask at once: one makes the entry point.
    static std::mutex making;
    std::lock_guard guard(making);
    callback = callback_.load(std::memory_order_acquire);
    if (callback == nullptr) {
      callback = new FunctionCallbackPtr(*this, *context->heap);
      callback_.store(callback, std::memory_order_release);
    }
  }
  return callback != nullptr ? reinterpret_cast<uintptr_t>(callback->Address()) : 0;
}

Type* Function::GetReturnType() const { return prototype_->ReturnType(); }

Scope* Function::Body() const { return left_ != nullptr ? static_cast<Scope*>(left_) : nullptr; }

void Function::AddParameter(Type* type, Variable* variable) {
  type->SetParent(prototype_);
  parameterTypes_.push_back(type);
  prototype_->AddEntry(type, type->Position());
  if (variable != nullptr) {
    type->AddItem(variable);
    parameterVariables_.push_back(variable);
  }
}

Variable* Function::FindParameter(uint32_t symbol) const {
  for (Variable* variable : parameterVariables_) {
    if (variable->Position().symbol == symbol) return variable;
  }
  return nullptr;
}

uint32_t Function::Run(ExecContext* context) {
  Scope* body = Body();
  if (body == nullptr) return RUN_ERROR;
  const uint32_t result = body->Run(context);
  return result == RUN_RETURN ? RUN_OK : result;
}

uint32_t Function::Call(ExecContext* context, const Runable* site, Value* arguments, std::size_t count,
                        Value* result) {
  if (!NativeStackHolds(nesting_)) return ReportRuntimeError(context, site, "Stack overflow.");
  const int32_t callerFrame = context->thread->CurrentFrameIndex();
  uint32_t status = PrepareCall(context, site, arguments, count);
  if (status == RUN_OK) {
    ExecContext inner = context->ForChild(result);
    status = Run(&inner);
  }
  // A frame that could not be pushed is not popped.
  if (context->thread->CurrentFrameIndex() != callerFrame) context->thread->PopFrame();
  return status;
}

uint32_t Function::PrepareCall(ExecContext* context, const Runable* site, Value* arguments, std::size_t count) {
  StackMemory* thread = context->thread;
  Scope* body = Body();
  static const std::vector<FrameSlot> kNoSlots;
  const int32_t pushed = thread->PushFrame(this, body, body != nullptr ? body->FrameLayout() : kNoSlots);
  if (pushed == StackMemory::kFrameTooLarge) return ReportRuntimeError(context, site, "Stack overflow.");
  if (pushed < 0) return ReportRuntimeError(context, site, "Out of memory.");
  thread->CurrentFrame()->currentStatement = this;
  if (body == nullptr || count != parameterTypes_.size() || body->FrameLayout().size() < count) {
    return ReportRuntimeError(context, site, "No function implementation.");
  }
  return BindArguments(context, site, arguments, count);
}

uint32_t Function::BindArguments(ExecContext* context, const Runable* site, Value* arguments, std::size_t count) {
  StackMemory* thread = context->thread;
  const std::vector<FunctionRefEntry>& entries = prototype_->Entries();
  if (entries.size() != count + 1 || thread->SlotCount() < count) {
    return ReportRuntimeError(context, site, "No function implementation.");
  }
  for (uint32_t slot = 0; slot < count; ++slot) {
    Type* parameterType = entries[slot + 1].type;
    Value& argument = arguments[slot];
    switch (parameterType->ReferenceMode()) {
      case 2: {
        // The slot shares the caller's handle: rebinding the parameter
        // rebinds the caller's variable.
        MemoryBlockRef* storage = StorageOf(argument, parameterType, *context->heap);
        if (storage == nullptr) return ReportRuntimeError(context, site, "Out of memory.");
        thread->SetSlot(slot, storage);
        break;
      }
      case 1: {
        MemoryBlockRef* storage = StorageOf(argument, parameterType, *context->heap);
        if (storage == nullptr) return ReportRuntimeError(context, site, "Out of memory.");
        thread->GetSlot(slot)->Retarget(parameterType, storage->Block(), storage->Offset());
        break;
      }
      default: {
        MemoryBlockRef* storage = thread->GetSlot(slot);
        const uint32_t kind = parameterType->GetKind();
        const uint8_t* bytes = argument.Kind() == kind && IsScalarKind(kind) ? argument.StoragePointer() : nullptr;
        if (bytes != nullptr && SlotFits(storage->Block(), storage->Offset(), ScalarWidth(kind))) {
          std::memcpy(storage->Data(), bytes, ScalarWidth(kind));  // same kind: the bytes as they are
          break;
        }
        Value parameter(storage, parameterType);
        const ConversionStatus status = parameter.Assign(argument);
        if (status != CONVERSION_OK) {
          return ReportRuntimeError(context, site,
                                    ConversionErrorMessage(status, argument.ToText(), parameterType->GetKind()));
        }
        break;
      }
    }
  }
  return RUN_OK;
}

void Function::SerializeBody(Serializer* serializer) {
  serializer->WriteToken(TYPE_EMPTY);
  if (Type* returned = GetReturnType()) returned->Serialize(serializer);
  serializer->WriteToken(TYPE_EMPTY);
  serializer->WriteSymbol(Position());
  serializer->WriteToken(TYPE_PARENTHESIS);
  for (std::size_t i = 0; i < parameterTypes_.size(); ++i) {
    if (i > 0) {
      serializer->WriteToken(TYPE_COMMA);
      serializer->WriteToken(TYPE_EMPTY);
    }
    parameterTypes_[i]->Serialize(serializer);
  }
  serializer->WriteEndToken(TYPE_PARENTHESIS);
  serializer->WriteToken(TYPE_EMPTY);
  if (left_ != nullptr) left_->Serialize(serializer);
}

}  // namespace script
