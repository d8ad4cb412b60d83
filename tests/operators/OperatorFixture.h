#pragma once
// Builds small expression trees by hand over a thread with a global frame:
// variables naming global slots, literals and operator nodes.
#include <string>

#include "Script/Expressions/Operators/OperatorFactory.h"
#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Expressions/Variables/ConstVariable.h"
#include "Script/Expressions/Variables/Variable.h"
#include "tests/variables/AccessFixture.h"

namespace script::test {

class OperatorFixture : public AccessFixture {
 protected:
  static Type* Basic(int32_t typeId) { return BuiltInType(typeId); }

  // A variable naming global slot `slot` (its type as in the frame).
  static Variable* Var(Type* type, uint32_t slot) {
    return new Variable(At(10 + slot), nullptr, type, Global(slot), 0);
  }
  static ConstVariable* Literal(int32_t typeId, const std::string& text) {
    // String literals hold their text in a block of a heap of their own.
    static Memory literals;
    auto* literal = new ConstVariable(At(20), nullptr);
    EXPECT_TRUE(literal->SetLiteral(Basic(typeId), text, literals)) << text;
    return literal;
  }
  // Stores a value into global slot `slot`, converting to the slot's type.
  void SetGlobal(uint32_t slot, const Value& value) {
    MemoryBlockRef* ref = thread_.GetSlot(Global(slot));
    Value storage(ref, ref->GetType());
    ASSERT_EQ(CONVERSION_OK, storage.Assign(value));
  }
  std::string GlobalText(uint32_t slot) {
    MemoryBlockRef* ref = thread_.GetSlot(Global(slot));
    return Value(ref, ref->GetType()).ToText();
  }

  // A new operator node of the id with the operands as its children.
  static Node* Op(int32_t typeId, Node* left, Node* right) {
    Node* op = CreateOperatorNode(typeId, At(typeId, 3, 7), nullptr);
    if (left != nullptr) Hang(op, left, true);
    if (right != nullptr) Hang(op, right, false);
    return op;
  }
  // Applies an increment or decrement operator to a variable (in its chain
  // of left links).
  static Variable* Step(int32_t typeId, Variable* variable) {
    Node* tail = variable;
    while (tail->Left() != nullptr) tail = tail->Left();
    Node* step = CreateOperatorNode(typeId, At(typeId, 3, 9), nullptr);
    Hang(tail, step, true);
    step->SetParent(variable);  // the operand, however long the chain
    return variable;
  }
  static void Hang(Node* parent, Node* child, bool left) {
    if (left) {
      parent->SetLeft(child);
    } else {
      parent->SetRight(child);
    }
    child->SetParent(parent);
  }
};

}  // namespace script::test
