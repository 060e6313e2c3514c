#pragma once
// The pictures of the explanation and formula dialogs, drawn as vectors so
// they stay sharp at any size and screen scale. Each draws into `area` of the
// painter, keeping its own aspect ratio and centring itself.
#include <QRectF>
#include <QString>

class QFont;
class QPainter;

namespace quorvel {

// Natural sizes (aspect ratios) of the three pictures, in picture units.
QSizeF SrnExplanationSize();
QSizeF ConstantFormulasSize();
QSizeF StrainFormulaSize();

// The SR-N relationship on an annotated graph: SR = a N^-b + c.
void DrawSrnExplanation(QPainter& painter, const QRectF& area);
// The four liquefaction-constant functions with A0 ... A7.
void DrawConstantFormulas(QPainter& painter, const QRectF& area);
// The strain model phi_mob(x) with A2 = phi_peak - A1.
void DrawStrainFormula(QPainter& painter, const QRectF& area);

// Draws a formula at (x, baseline): "_c" or "_{..}" is a subscript and "^c"
// or "^{..}" a superscript, nesting allowed. `size` is the pixel size of the
// normal text in painter units. Returns the advance.
double DrawFormula(QPainter& painter, double x, double baseline, const QString& formula, double size);
// The advance DrawFormula would return.
double FormulaWidth(const QString& formula, double size);

}  // namespace quorvel
