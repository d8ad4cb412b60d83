#pragma once
// The height of an expression tree, measured without recursion, so that the
// compiler can refuse a tree too deep to check, run or write recursively.
#include <cstddef>

namespace script {

class Node;

// Levels below `root` to its deepest node through operands, call arguments,
// subscript indices and wrapped statements; stops counting past `limit`.
std::size_t ExpressionHeight(const Node* root, std::size_t limit);

}  // namespace script
