#pragma once
// Draws the bundled icons in a 16 by 16 unit box that the painter scales.
#include <QPainter>

#include "debugger/Core/Icons.h"

namespace kelvra::ide {

void PaintIcon(IconId id, QPainter& painter);

}  // namespace kelvra::ide
