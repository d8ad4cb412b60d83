#pragma once
// A node with a parent and two owned children.
#include <vector>

#include "Script/Expressions/Runable.h"

namespace script {

class Node : public Runable {
 public:
  Node(int32_t typeId, const SourcePosition& position, Node* parent) : Runable(typeId, position), parent_(parent) {}
  ~Node() override;

  // Writes the left child, the own symbol, then the right child.
  void SerializeBody(Serializer* serializer) override;
  // Puts a statement wrapper in place of the child it wraps. The base class
  // has no child slots for it: it deletes the wrapper and returns false.
  virtual bool ReplaceChild(Node* wrapper);
  // Puts `replacement` in the child slot that holds `child` (which is not
  // deleted) and makes this node its parent; false when `child` is in none
  // of this node's slots. Classes with child slots of their own extend it.
  virtual bool SubstituteChild(Node* child, Node* replacement);

  Node* Parent() const { return parent_; }
  void SetParent(Node* parent) { parent_ = parent; }
  Node* Left() const { return left_; }
  Node* Right() const { return right_; }
  // Take ownership of a child; any previous child in the slot is deleted.
  void SetLeft(Node* child);
  void SetRight(Node* child);
  // Give up ownership of a child without deleting it.
  Node* ReleaseLeft();
  Node* ReleaseRight();

 private:
  // Deletes the subtree below the child slots without recursing per level.
  void DeleteChildren() noexcept;

 protected:
  // SubstituteChild for a list of owned children: searched from the end,
  // where the compiler builds, so that it takes one step however long the
  // list. False when `child` is not in it.
  bool SubstituteInList(std::vector<Node*>& children, Node* child, Node* replacement);
  // What classes with child slots do in ReplaceChild: the wrapper takes the
  // slot of the statement it wraps; deleted when that is no child here.
  bool PutWrapperInPlace(Node* wrapper);

  Node* parent_;
  Node* left_ = nullptr;
  Node* right_ = nullptr;
};

}  // namespace script
