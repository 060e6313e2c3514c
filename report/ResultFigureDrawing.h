#pragma once
// The result figures in their frames: slip circles over the terrain model,
// acceleration and displacement time histories, the contours and the slice
// time histories. Coordinates are twips from the frame's top-left, y down.
#include <QColor>
#include <cstdint>

#include "platform/KavletComposition.h"

class QPainter;

namespace quorvel {

class clsGdProject;

// Draws the figure `frame` names; false for a name that is not a result
// figure. A figure whose data is missing draws nothing (and returns true).
bool DrawResultFigure(QPainter& painter, const GraphFrame& frame, const clsGdProject& project);

// A Windows COLORREF (0x00BBGGRR) as a colour.
QColor FromColorRef(std::uint32_t colour);

// Index 0..9 of the contour scale for `value` between `minimum` and
// `maximum`; 10 (the scale's last colour) when the value or the range is missing.
int ContourColourIndex(double value, double minimum, double maximum);

}  // namespace quorvel
