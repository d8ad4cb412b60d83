#pragma once
// The base of every node of a compiled program.
#include <cstdint>

#include "Script/Foundation/ExecContext.h"
#include "Script/Expressions/NodeType.h"
#include "Script/Foundation/SourcePosition.h"

namespace script {

class Error;
class Memory;
class PrePostExpressions;
class Serializer;
class Type;

class Runable {
 public:
  // Registers the node with the live-node registry of the heap whose
  // interpreter compiles on this thread, if any (Memory::NodeRegistration).
  Runable(int32_t typeId, const SourcePosition& position);
  Runable(const Runable&) = delete;
  Runable& operator=(const Runable&) = delete;
  // Unregisters the node from the registry it joined.
  virtual ~Runable();

  virtual uint32_t Run(ExecContext* context) = 0;
  // The semantic check of a complete expression. resultType receives the
  // expression's type; wrapper receives a statement wrapper when one is needed.
  virtual bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error);
  virtual void Serialize(Serializer* serializer);
  virtual void SerializeBegin(Serializer* serializer);
  virtual void SerializeBody(Serializer* serializer);
  virtual void SerializeEnd(Serializer* serializer);

  int32_t TypeId() const { return typeId_; }
  bool IsKindOf(int32_t kind) const { return script::IsKindOf(typeId_, kind); }
  const SourcePosition& Position() const { return position_; }

 protected:
  // The code written for the node's begin and end: its type id, or
  // TYPE_BLANK_SCOPE when it carries no symbol.
  int32_t SerializationCode() const;
  // Fills the error record with a failed check of this node and returns false.
  bool ReportCheckError(Error* error, int32_t code, const char* function, int32_t moduleLine) const;

 private:
  friend class Memory;  // links and unlinks live nodes

  SourcePosition position_;
  int32_t typeId_;
  // The heap whose live-node list holds the node, and the list's links.
  Memory* registry_ = nullptr;
  Runable* prev_ = nullptr;
  Runable* next_ = nullptr;
};

}  // namespace script
