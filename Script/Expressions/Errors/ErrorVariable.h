#pragma once
// The variable of an error declaration, error (e) { ... }, and every use of
// its name: a variable of the built-in type Error whose slot lies in the
// frame of the enclosing function (or among the globals).
#include "Script/Expressions/Variables/Variable.h"

namespace script {

class ErrorVariable : public Variable {
 public:
  ErrorVariable(const SourcePosition& position, Node* parent, Type* type, uint32_t slotIndex, int32_t storageOffset)
      : Variable(TYPE_ERROR_VAR, position, parent, type) {
    SetSlotIndex(slotIndex);
    SetStorageOffset(storageOffset);
  }
};

}  // namespace script
