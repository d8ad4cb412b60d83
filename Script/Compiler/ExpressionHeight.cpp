#include "Script/Compiler/ExpressionHeight.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "Script/Expressions/ControlFlow/PrePostExpressions.h"
#include "Script/Expressions/Functions/FunctionCall.h"
#include "Script/Expressions/Variables/SubscriptNode.h"

namespace script {

std::size_t ExpressionHeight(const Node* root, std::size_t limit) {
  std::size_t height = 0;
  std::vector<std::pair<const Node*, std::size_t>> pending{{root, 0}};
  const auto visit = [&](const Node* child, std::size_t depth) {
    if (child != nullptr) pending.emplace_back(child, depth);
  };
  while (!pending.empty()) {
    const auto [node, depth] = pending.back();
    pending.pop_back();
    height = std::max(height, depth);
    if (depth > limit) return height;
    visit(node->Left(), depth + 1);
    visit(node->Right(), depth + 1);
    switch (node->TypeId()) {
      case TYPE_FUNCTION_CALL: {
        const auto* call = static_cast<const FunctionCall*>(node);
        for (std::size_t i = 0; i < call->ArgumentCount(); ++i) visit(call->GetArgument(i), depth + 1);
        break;
      }
      case TYPE_SUBSCRIPT:
        for (const Node* index : static_cast<const SubscriptNode*>(node)->Indices()) visit(index, depth + 1);
        break;
      case TYPE_PRE_POST_EXPRESSIONS:
        visit(static_cast<const PrePostExpressions*>(node)->Wrapped(), depth + 1);
        break;
      default:
        break;
    }
  }
  return height;
}

}  // namespace script
