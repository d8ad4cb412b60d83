#pragma once
// The statement wrapper: runs the pre increment and decrement operators of a
// statement before it and the post operators after it.
//
// The increment and decrement operators create it while the statement is
// checked (OperatorPrePost::GetPreExpression/GetPostExpression, into the
// holder passed to IsExpression). The compiler then hands it the statement
// (Wrap) and asks the statement's parent to put it in the statement's place
// (ReplaceChild).
#include <vector>

#include "Script/Expressions/Node.h"

namespace script {

class PrePostExpressions : public Node {
 public:
  PrePostExpressions(const SourcePosition& position, Node* parent)
      : Node(TYPE_PRE_POST_EXPRESSIONS, position, parent) {}
  // Deletes the wrapped statement; the operators belong to the statement.
  ~PrePostExpressions() override;

  // Pre operators, the statement with the caller's context, post operators;
  // the first non-zero result ends the run.
  uint32_t Run(ExecContext* context) override;
  // The wrapped statement's check.
  bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) override;
  // The wrapped statement writes itself; the wrapper writes nothing.
  void Serialize(Serializer* serializer) override;

  void AddPre(Node* op) { pre_.push_back(op); }
  void AddPost(Node* op) { post_.push_back(op); }
  const std::vector<Node*>& PreOperators() const { return pre_; }
  const std::vector<Node*>& PostOperators() const { return post_; }
  // The operator steps alone, for a holder that reads the wrapped
  // expression's value in between (a value refers to the variable's
  // storage, so it must be read before the post steps change it).
  uint32_t RunPreOperators(const ExecContext& context) const;
  uint32_t RunPostOperators(const ExecContext& context) const;

  // Takes ownership of the statement and becomes its parent. The statement's
  // former parent, in its ReplaceChild, puts the wrapper in the statement's
  // child slot (Node::SubstituteChild(Wrapped(), wrapper)).
  void Wrap(Node* statement);
  Node* Wrapped() const { return wrapped_; }

 private:
  std::vector<Node*> pre_;   // not owned
  std::vector<Node*> post_;  // not owned
  Node* wrapped_ = nullptr;  // owned
};

}  // namespace script
