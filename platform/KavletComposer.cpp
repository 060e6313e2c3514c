#include "platform/KavletComposer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

#include "platform/MarkedText.h"

namespace quorvel {
namespace {

QColor FillColour(std::uint32_t rgb) {
  return QColor(static_cast<int>((rgb >> 16) & 0xFFu), static_cast<int>((rgb >> 8) & 0xFFu),
                static_cast<int>(rgb & 0xFFu));
}

QPen RulePen(int widthTwips) {
  QPen pen(Qt::black);
  pen.setWidthF(widthTwips);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

}  // namespace

QFont KavletFont(KvfFont face, int heightTwips, bool bold) {
  QFont font;
  // The fixed-pitch faces, never the proportional P variants: contents leaders
  // are counted in half-width cells and must line up.
  if (face == KvfFont::Mincho)
    font.setFamilies({QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho")});
  else
    font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic")});
  font.setFixedPitch(true);
  font.setPixelSize(std::max(1, heightTwips));
  font.setWeight(bold ? QFont::Bold : QFont::Normal);
  return font;
}

CKavletComposer::CKavletComposer() = default;
CKavletComposer::~CKavletComposer() = default;

void CKavletComposer::SetDrawPaper(QPagedPaintDevice* device, int page) {
  if (Page(page) == nullptr) Problem("SetDrawPaper: no page " + std::to_string(page));
  if (device == nullptr) return;
  // Every page is A4: a printer that is already printing keeps its layout.
  const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
  if (!device->pageLayout().isEquivalentTo(a4)) device->setPageLayout(a4);
}

QSize CKavletComposer::GetPaperSize() const { return {kavlet::kPaperWidth, kavlet::kPaperHeight}; }

void CKavletComposer::MapToPaper(QPainter& painter, const QRect& viewport) {
  painter.setWindow(0, 0, kavlet::kPaperWidth, kavlet::kPaperHeight);
  painter.setViewport(viewport);
}

void CKavletComposer::DrawPage(QPainter& painter, int page, int samePage) {
  if (framePainter_ != nullptr) {
    Problem("DrawPage while a frame painter is open");
    DeleteGraphDC();
  }
  drawnFrames_.clear();
  nextFrame_ = 0;
  const ComposedPage* composed = Page(page);
  if (composed == nullptr || samePage != page) {
    Problem("DrawPage(" + std::to_string(page) + ", " + std::to_string(samePage) + "): no such page of " +
            std::to_string(PageCount()));
    return;
  }
  drawing_ = true;
  painter.save();
  for (const PlacedBlock& placed : composed->blocks) DrawBlock(painter, placed);
  painter.restore();
  drawnFrames_ = PageFrames(page);
}

void CKavletComposer::DrawBlock(QPainter& painter, const PlacedBlock& placed) const {
  const double left = kavlet::kBodyLeft;
  const double top = kavlet::kBodyTop + placed.firstLine * kavlet::kLineHeight;
  for (const KvfElement& element : placed.block->elements) {
    const KvfStyle& style = element.style;
    switch (element.kind) {
      case KvfElementKind::Text:
      case KvfElementKind::Field: {
        const QString text =
            QString::fromStdString(element.kind == KvfElementKind::Text ? element.text : placed.Value(element.slot));
        const int width = style.width > 0 ? style.width : kavlet::kBodyWidth - element.x;
        const Qt::Alignment align = style.align == KvfAlign::Right    ? Qt::AlignRight
                                    : style.align == KvfAlign::Center ? Qt::AlignHCenter
                                                                      : Qt::AlignLeft;
        DrawMarkedText(painter, QRectF(left + element.x, top + element.y, width, style.size), text,
                       KavletFont(style.font, style.size, style.bold), align, true);
        break;
      }
      case KvfElementKind::HLine:
        painter.setPen(RulePen(style.pen));
        painter.drawLine(QPointF(left + element.x, top + element.y), QPointF(left + element.x2, top + element.y));
        break;
      case KvfElementKind::VLine:
        painter.setPen(RulePen(style.pen));
        painter.drawLine(QPointF(left + element.x, top + element.y), QPointF(left + element.x, top + element.y2));
        break;
      case KvfElementKind::Box:
        painter.setPen(RulePen(style.pen));
        painter.setBrush(style.fill ? QBrush(FillColour(*style.fill)) : QBrush(Qt::NoBrush));
        painter.drawRect(QRectF(left + element.x, top + element.y, element.width, element.height));
        painter.setBrush(Qt::NoBrush);
        break;
      case KvfElementKind::Graph:
        // The program draws into the frame after the page (GetGraphDC).
        break;
    }
  }
}

QPainter* CKavletComposer::GetGraphDC(QPainter& painter) {
  if (!drawing_) {
    Problem("GetGraphDC before DrawPage");
    return nullptr;
  }
  if (framePainter_ != nullptr) {
    Problem("GetGraphDC twice without DeleteGraphDC");
    return nullptr;
  }
  if (nextFrame_ >= drawnFrames_.size()) {
    Problem("GetGraphDC: the page has only " + std::to_string(drawnFrames_.size()) + " frames");
    return nullptr;
  }
  const GraphFrame& frame = drawnFrames_[nextFrame_];
  painter.save();
  painter.setClipRect(QRect(frame.x, frame.y, frame.width, frame.height), Qt::IntersectClip);
  painter.translate(frame.x, frame.y);
  framePainter_ = &painter;
  return framePainter_;
}

const GraphFrame* CKavletComposer::CurrentFrame() const {
  return framePainter_ != nullptr ? &drawnFrames_[nextFrame_] : nullptr;
}

void CKavletComposer::DeleteGraphDC() {
  if (framePainter_ == nullptr) {
    Problem("DeleteGraphDC without GetGraphDC");
    return;
  }
  framePainter_->restore();
  framePainter_ = nullptr;
  ++nextFrame_;
}

void CKavletComposer::OnPrintEnd(QPainter&) {
  if (!drawing_) Problem("OnPrintEnd without DrawPage");
  if (framePainter_ != nullptr) {
    Problem("OnPrintEnd with a frame painter open");
    DeleteGraphDC();
  }
  drawing_ = false;
}

}  // namespace quorvel
