#pragma once
// Texts with "{^…}" (superscript) and "{_…}" (subscript) markup, as the
// report's forms and figures write units and symbols ("(kN/m{^2})", "γ{_t}").
// Drawn at the device's own resolution whatever the painter's mapping, so a
// page looks the same on screen, printer, PDF and image.
#include <QFont>
#include <QList>
#include <QRectF>
#include <QString>

class QPainter;

namespace quorvel {

struct MarkedRun {
  enum Kind { kNormal, kSuperscript, kSubscript };
  Kind kind = kNormal;
  QString text;
  friend bool operator==(const MarkedRun&, const MarkedRun&) = default;
};

// "{^" opens a superscript and "{_" a subscript run, each closed by the next
// "}" or by the end of the text; empty runs are left out.
QList<MarkedRun> SplitMarkedText(const QString& text);

// The text without its markup.
QString PlainMarkedText(const QString& text);

// Draws one line of marked text. `box` is in the painter's logical units: the
// text's line box starts at its top edge and is aligned (Qt::AlignLeft,
// AlignHCenter, AlignRight) between its left and right edges, and clipped to
// them when `clip` is set. `font` has its pixel size in logical units. Small
// runs are 4/5 of the height, raised by 1/5 or lowered by 1/3 of it.
void DrawMarkedText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font, Qt::Alignment align,
                    bool clip = false);

// Width of the marked text in the font's logical units.
double MarkedTextWidth(const QString& text, const QFont& font);

}  // namespace quorvel
