#pragma once
// The terrain model as a figure: layers filled in their colours, their
// boundaries, the nodes, the water-level line and axes in metres, x and y at
// one scale. Used by the model figure and, with circles drawn over it, by the
// slip figures.
#include <QPointF>
#include <QRectF>

class QPainter;

namespace quorvel {

class clsGdProject;

// Where model coordinates (metres, y up) land in the frame (y down).
struct TerrainMapping {
  bool valid = false;  // false: the model has no drawable extent, nothing was drawn
  double scale = 0;    // frame units per metre, the same for x and y
  double originX = 0;  // frame x of model x = 0
  double originY = 0;  // frame y of model y = 0
  QRectF plot;         // the plot area (the model's extent) inside the frame

  QPointF ToFrame(double x, double y) const { return {originX + x * scale, originY - y * scale}; }
  double ToFrameLength(double metres) const { return metres * scale; }
};

struct TerrainDrawOptions {
  bool nodes = true;       // a small mark on each node
  bool waterLevel = true;  // the water-level line
  bool axes = true;        // axes with metre ticks and the "(m)" captions
};

// Draws the model into `frame` (painter units, y down: twips in the report)
// and returns the mapping, so callers can draw circles over it.
TerrainMapping DrawTerrainModel(QPainter& painter, const clsGdProject& project, const QRectF& frame,
                                const TerrainDrawOptions& options = {});

// Only the mapping DrawTerrainModel would use for `frame`.
TerrainMapping TerrainModelMapping(const clsGdProject& project, const QRectF& frame,
                                   const TerrainDrawOptions& options = {});

// A "nice" tick step (1, 2 or 5 times a power of ten) giving at most `maxTicks` steps over `span`.
double TerrainTickStep(double span, int maxTicks);

}  // namespace quorvel
