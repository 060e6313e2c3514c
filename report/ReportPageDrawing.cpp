#include "report/ReportPageDrawing.h"

#include <QPainter>

#include "platform/MarkedText.h"
#include "report/FittingFigures.h"
#include "report/ResultFigureDrawing.h"
#include "report/TerrainModelDrawing.h"

namespace quorvel {

FrameDrawer ReportFrameDrawer(const CPrintProject& project) {
  return [&project](QPainter& painter, const GraphFrame& frame) {
    const QRectF area(0, 0, frame.width, frame.height);
    // Input data: the terrain model and the fitting graphs.
    if (frame.name == "地形モデル") {
      DrawTerrainModel(painter, project.Project, area);
      return;
    }
    if (DrawFittingFrame(painter, project.Project, frame.name, area)) return;
    // Results: slips, time histories, contours, slices.
    if (DrawResultFigure(painter, frame, project.Project)) return;
  };
}

void DrawPageNumber(QPainter& painter, int number) {
  constexpr int kHeight = 200;
  constexpr int kAboveBottom = 400;
  painter.save();
  painter.setPen(Qt::black);
  DrawMarkedText(painter, QRectF(0, kavlet::kPaperHeight - kAboveBottom, kavlet::kPaperWidth, kHeight),
                 QString::number(number), KavletFont(KvfFont::Mincho, kHeight), Qt::AlignHCenter);
  painter.restore();
}

void DrawReportPage(CKavletComposer& composer, QPainter& painter, int page, const CPrintProject& project,
                    const FrameDrawer& frames) {
  composer.DrawPage(painter, page, page);
  if (project.PageNumberFlag) {
    const int number = project.PrintedPageNumber(page);
    if (number > 0) DrawPageNumber(painter, number);
  }
  const std::size_t count = composer.DrawnFrames().size();
  for (std::size_t i = 0; i < count; ++i) {
    QPainter* framePainter = composer.GetGraphDC(painter);
    if (framePainter == nullptr) break;
    if (frames) frames(*framePainter, *composer.CurrentFrame());
    composer.DeleteGraphDC();
  }
  composer.OnPrintEnd(painter);
}

QImage RenderReportPage(CKavletComposer& composer, int page, const CPrintProject& project, const QSize& size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  CKavletComposer::MapToPaper(painter, QRect(QPoint(0, 0), size));
  DrawReportPage(composer, painter, page, project, ReportFrameDrawer(project));
  return image;
}

}  // namespace quorvel
