#pragma once
// CKavletComposer: our stand-in for the page-composition library. The
// composition calls come from KavletComposition; this class adds the drawing
// calls of a print job or a preview: paper, DrawPage, the graph frames of the
// drawn page and the frame painter (GetGraphDC/DeleteGraphDC), OnPrintEnd.
//
// DrawPage draws in page twips (11906 x 16838, y down) through the painter's
// current mapping; MapToPaper sets that mapping for a whole device.
#include <QFont>
#include <QRect>
#include <QSize>
#include <vector>

#include "platform/KavletComposition.h"

class QPagedPaintDevice;
class QPainter;

namespace quorvel {

// The composer's fixed-pitch faces: "ＭＳ ゴシック" / "ＭＳ 明朝" (mapped onto
// the IPA fonts), with `heightTwips` as the pixel size in page units.
QFont KavletFont(KvfFont face, int heightTwips, bool bold = false);

class CKavletComposer : public KavletComposition {
 public:
  CKavletComposer();
  ~CKavletComposer() override;

  // Selects A4 portrait, full page, for page `page` (one-based) on `device`.
  virtual void SetDrawPaper(QPagedPaintDevice* device, int page);
  // The paper in page units (twips).
  virtual QSize GetPaperSize() const;
  // Draws page `page` (one-based; `samePage` must be equal) with its rules,
  // boxes, texts and fields in file order, then publishes its graph frames.
  virtual void DrawPage(QPainter& painter, int page, int samePage);
  // The painter set up for the next frame of the drawn page (clipped to it,
  // origin at its top-left corner, twips); nullptr when no frame is left.
  virtual QPainter* GetGraphDC(QPainter& painter);
  // Restores the painter after the frame's drawing.
  virtual void DeleteGraphDC();
  // Ends the drawing of one page.
  virtual void OnPrintEnd(QPainter& painter);

  // The drawn page's frames, in order (empty before the first DrawPage).
  const std::vector<GraphFrame>& DrawnFrames() const { return drawnFrames_; }
  // The frame GetGraphDC set up, or nullptr between frames.
  const GraphFrame* CurrentFrame() const;

  // Maps the whole paper onto `viewport` (device pixels) of the painter's device.
  static void MapToPaper(QPainter& painter, const QRect& viewport);

 private:
  void DrawBlock(QPainter& painter, const PlacedBlock& placed) const;

  std::vector<GraphFrame> drawnFrames_;
  std::size_t nextFrame_ = 0;
  QPainter* framePainter_ = nullptr;  // the painter between GetGraphDC and DeleteGraphDC
  bool drawing_ = false;              // between DrawPage and OnPrintEnd
};

}  // namespace quorvel
