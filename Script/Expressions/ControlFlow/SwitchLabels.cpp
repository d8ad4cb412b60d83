#include "Script/Expressions/ControlFlow/SwitchLabels.h"

#include "Script/Foundation/Serializer.h"

namespace script {

namespace {

// The ":" after a label, its body's statements (the body scope has no
// braces of its own) and the end of the label.
void SerializeLabelBody(Serializer* serializer, Node* body) {
  serializer->WriteEndToken(TYPE_COLON);
  if (body != nullptr) body->Serialize(serializer);
  serializer->WriteEndToken(TOKEN_LABEL_END);
}

}  // namespace

void CaseNode::SerializeBody(Serializer* serializer) {
  serializer->WriteToken(TYPE_EMPTY);
  WriteSymbols(serializer, Position());
  SerializeLabelBody(serializer, left_);
}

void DefaultNode::SerializeBody(Serializer* serializer) { SerializeLabelBody(serializer, left_); }

}  // namespace script
