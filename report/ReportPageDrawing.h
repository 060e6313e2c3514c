#pragma once
// One page of the report as every output draws it (preview, printer, PDF,
// image): the composer's page, the page number at its foot, the graphs in its
// named frames.
#include <QImage>
#include <QSize>
#include <functional>

#include "platform/KavletComposer.h"
#include "report/PrintProject.h"

class QPainter;

namespace quorvel {

// Draws the graph a frame's name selects into the painter GetGraphDC set up
// (origin at the frame's top-left, twips, clipped). A name it does not know
// draws nothing.
using FrameDrawer = std::function<void(QPainter&, const GraphFrame&)>;

// The frame drawings of the project's report. The figures are drawn by the
// report pages as they are written; until then every frame stays blank.
FrameDrawer ReportFrameDrawer(const CPrintProject& project);

// Page `page` (one-based) on a painter mapped to page twips: DrawPage, the
// page number when the project's flag is set and the page is numbered, every
// frame through GetGraphDC / DeleteGraphDC, OnPrintEnd.
void DrawReportPage(CKavletComposer& composer, QPainter& painter, int page, const CPrintProject& project,
                    const FrameDrawer& frames);

// The page number as printed: "ＭＳ 明朝" 200 twips high, centred across the
// paper with its top 400 twips above the paper's bottom edge.
void DrawPageNumber(QPainter& painter, int number);

// Page `page` as a white image of `size` pixels (the whole paper).
QImage RenderReportPage(CKavletComposer& composer, int page, const CPrintProject& project, const QSize& size);

}  // namespace quorvel
