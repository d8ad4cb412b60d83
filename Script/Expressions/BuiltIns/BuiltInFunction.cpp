#include "Script/Expressions/BuiltIns/BuiltInFunction.h"

#include "Script/Expressions/BuiltIns/Cast.h"
#include "Script/Expressions/BuiltIns/LockFunctions.h"
#include "Script/Expressions/BuiltIns/SizeOf.h"
#include "Script/Expressions/BuiltIns/TextConversions.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Stack/RuntimeError.h"
#include "Script/Values/Value.h"

namespace script {

BuiltInFunction::BuiltInFunction(int32_t typeId, const SourcePosition& position, Node* parent, Type* returnType,
                                 Type* parameterType)
    : Function(typeId, position, parent) {
  FunctionRefType* prototype = GetPrototype();
  if (returnType != nullptr) returnType->SetParent(prototype);
  prototype->AddEntry(returnType, SourcePosition{});
  if (parameterType != nullptr) {
    AddParameter(parameterType, nullptr);
  } else {
    prototype->AddEntry(nullptr, SourcePosition{});  // an argument of any type
  }
}

uint32_t BuiltInFunction::Call(ExecContext* context, const Runable* site, Value* arguments, std::size_t count,
                               Value* result) {
  if (count != 1) return ReportRuntimeError(context, site, "No function implementation.");
  Value& argument = arguments[0];
  if (argument.GetType() == nullptr) return ReportRuntimeError(context, site, "Value is NULL!");
  argument.EnsureStorage(argument.GetType(), context->heap);
  if (argument.Materialize(*context->heap) == nullptr) return ReportRuntimeError(context, site, "Out of memory.");
  Value unused;
  return Apply(context, site, argument, result != nullptr ? *result : unused);
}

BuiltInFunction* NewBuiltInFunction(int32_t typeId, const SourcePosition& position, Node* parent) {
  switch (typeId) {
    case TYPE_SIZEOF: return new SizeOf(position, parent);
    case TYPE_ARR2STR: return new Arr2Str(position, parent);
    case TYPE_WARR2STR: return new WArr2Str(position, parent);
    case TYPE_STR2ARR: return new Str2Arr(position, parent);
    case TYPE_STR2WARR: return new Str2WArr(position, parent);
    case TYPE_LOCK: return new Lock(position, parent);
    case TYPE_UNLOCK: return new UnLock(position, parent);
    case TYPE_CAST: return new Cast(position, parent);
    default: return nullptr;
  }
}

}  // namespace script
