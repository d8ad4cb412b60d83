// Deleting a node deletes its subtree without a native frame per level.
#include <gtest/gtest.h>

#include "Script/Expressions/Node.h"
#include "Script/Expressions/Operators/OperatorFactory.h"

namespace script {
namespace {

// A million levels: far deeper than a recursive deletion survives on any
// thread's stack.
constexpr int kLevels = 1000000;

Node* Operator() { return CreateOperatorNode(TYPE_ADD, SourcePosition{}, nullptr); }

TEST(NodeDeletionTest, DeepTreesAreDeletedWithoutRecursion) {
  Node* left = Operator();
  for (int i = 0; i < kLevels; ++i) {
    Node* parent = Operator();
    parent->SetLeft(left);
    left->SetParent(parent);
    left = parent;
  }
  delete left;

  // A zigzag with a leaf beside each level: both child slots on the path.
  Node* zigzag = Operator();
  for (int i = 0; i < kLevels; ++i) {
    Node* parent = Operator();
    Node* leaf = Operator();
    if (i % 2 == 0) {
      parent->SetLeft(zigzag);
      parent->SetRight(leaf);
    } else {
      parent->SetLeft(leaf);
      parent->SetRight(zigzag);
    }
    zigzag = parent;
  }
  delete zigzag;
  SUCCEED();
}

}  // namespace
}  // namespace script
