#include "Script/Expressions/Node.h"

#include <new>
#include <vector>

#include "Script/Foundation/Serializer.h"
#include "Script/Expressions/ControlFlow/PrePostExpressions.h"

namespace script {

Node::~Node() { DeleteChildren(); }

void Node::DeleteChildren() noexcept {
  // Children first, each while its parent still lives, walking down with an
  // explicit path: an operator chain thousands of nodes deep is freed without
  // a native frame per level.
  std::vector<Node*> path;
  Node* node = this;
  for (;;) {
    Node* child = node->left_ != nullptr ? node->left_ : node->right_;
    if (child == nullptr) {
      if (node == this) return;
      Node* parent = path.back();
      path.pop_back();
      (parent->left_ == node ? parent->left_ : parent->right_) = nullptr;
      delete node;
      node = parent;
      continue;
    }
    try {
      path.push_back(node);
      node = child;
    } catch (const std::bad_alloc&) {
      // No memory for a longer path: free this child the recursive way.
      (node->left_ == child ? node->left_ : node->right_) = nullptr;
      delete child;
    }
  }
}

void Node::SerializeBody(Serializer* serializer) {
  if (left_ != nullptr) left_->Serialize(serializer);
  serializer->WriteSymbol(Position());
  if (right_ != nullptr) right_->Serialize(serializer);
}

bool Node::ReplaceChild(Node* wrapper) {
  delete wrapper;
  return false;
}

bool Node::PutWrapperInPlace(Node* wrapper) {
  Node* wrapped = wrapper->TypeId() == TYPE_PRE_POST_EXPRESSIONS ? static_cast<PrePostExpressions*>(wrapper)->Wrapped()
                                                                  : nullptr;
  if (wrapped != nullptr && SubstituteChild(wrapped, wrapper)) {
    wrapped->SetParent(wrapper);
    return true;
  }
  delete wrapper;
  return false;
}

bool Node::SubstituteChild(Node* child, Node* replacement) {
  if (child == nullptr) return false;
  if (left_ == child) {
    left_ = replacement;
  } else if (right_ == child) {
    right_ = replacement;
  } else {
    return false;
  }
  if (replacement != nullptr) replacement->SetParent(this);
  return true;
}

bool Node::SubstituteInList(std::vector<Node*>& children, Node* child, Node* replacement) {
  if (child == nullptr) return false;
  for (auto slot = children.rbegin(); slot != children.rend(); ++slot) {
    if (*slot != child) continue;
    *slot = replacement;
    if (replacement != nullptr) replacement->SetParent(this);
    return true;
  }
  return false;
}

void Node::SetLeft(Node* child) {
  if (child == left_) return;
  delete left_;
  left_ = child;
}

void Node::SetRight(Node* child) {
  if (child == right_) return;
  delete right_;
  right_ = child;
}

Node* Node::ReleaseLeft() {
  Node* child = left_;
  left_ = nullptr;
  return child;
}

Node* Node::ReleaseRight() {
  Node* child = right_;
  right_ = nullptr;
  return child;
}

}  // namespace script
