#pragma once
// lock(x) pins the block that holds x: the LOCKED bit of its count word keeps
// it alive through every release, and leak reports mark it, until unlock(x)
// clears the bit again. Both yield x itself: the same block, offset and type.
#include "Script/Expressions/BuiltIns/BuiltInFunction.h"

namespace script {

class MemoryBlock;

class Lock : public BuiltInFunction {
 public:
  Lock(const SourcePosition& position, Node* parent) : Lock(TYPE_LOCK, position, parent) {}

 protected:
  Lock(int32_t typeId, const SourcePosition& position, Node* parent)
      : BuiltInFunction(typeId, position, parent, nullptr, nullptr) {}

  uint32_t Apply(ExecContext* context, const Runable* site, Value& argument, Value& result) override;
  // Sets the LOCKED bit.
  virtual void Mark(MemoryBlock& block) const;
};

// unlock(x): clears the LOCKED bit; a block that is not locked stays as it is.
class UnLock : public Lock {
 public:
  UnLock(const SourcePosition& position, Node* parent) : Lock(TYPE_UNLOCK, position, parent) {}

 protected:
  void Mark(MemoryBlock& block) const override;
};

}  // namespace script
