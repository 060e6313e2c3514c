#pragma once
// Sizes given in dialog units (a quarter of the average character width
// across, an eighth of the character height down) as pixels of a window.
#include <QFontMetrics>
#include <QSize>
#include <QWidget>

namespace quorvel {

inline QSize DialogUnitsToPixels(const QWidget& widget, int widthUnits, int heightUnits) {
  const QFontMetrics metrics(widget.font());
  const int average = metrics.averageCharWidth();
  return {widthUnits * average / 4, heightUnits * metrics.height() / 8};
}

}  // namespace quorvel
