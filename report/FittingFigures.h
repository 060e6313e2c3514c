#pragma once
// The fitting graphs of the report's fitting-parameter pages, drawn by the
// graph renderer with the SR-N form's equation classes: the strain fit, the
// SR-N sets with their fitted curves, the alpha, beta, C curves against DA and
// the SR-N figure with the curves estimated from them.
#include <QRectF>
#include <string>

class QPainter;

namespace quorvel {

class clsGdProject;

// Frame name prefixes; the number after the last "_" is the zero-based entry.
inline constexpr const char* kStrainFramePrefix = "両振幅ひずみグラフ_";
inline constexpr const char* kSrnFramePrefix = "SR-N関係グラフ_";
inline constexpr const char* kCurvesFramePrefix = "DA-αβC_";
inline constexpr const char* kSrnFigureFramePrefix = "SR-N図_";

// Draws the fitting graph `name` selects into `area` (painter units, y down).
// False when the name is not a fitting frame; true otherwise, also when the
// entry does not exist and nothing is drawn.
bool DrawFittingFrame(QPainter& painter, const clsGdProject& project, const std::string& name, const QRectF& area);

}  // namespace quorvel
