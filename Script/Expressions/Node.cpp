#include "Script/Expressions/Node.h"

#include "Script/Foundation/Serializer.h"
#include "Script/Expressions/ControlFlow/PrePostExpressions.h"

namespace script {

Node::~Node() {
  delete left_;
  delete right_;
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
