#pragma once
// One variable of a frame layout: its type and where it was declared. A
// scope's layout lists the slots of the frame it is the body of.
#include "Script/Foundation/SourcePosition.h"

namespace script {

class Type;

struct FrameSlot {
  Type* type;
  SourcePosition declaration;
};

}  // namespace script
