#include "graph/ReferencePictures.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace quorvel {
namespace {

QFont FormulaFont(double size, bool italic = false) {
  QFont font(QStringLiteral("ＭＳ ゴシック"));
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(size))));
  font.setItalic(italic);
  // Metrics must not depend on the pixels the picture is scaled to.
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

// Next token of a formula at `i`: a {group} or one character.
QString Token(const QString& text, qsizetype& i) {
  if (i >= text.size()) return {};
  if (text[i] != QLatin1Char('{')) return QString(text[i++]);
  int depth = 0;
  const qsizetype start = i + 1;
  for (; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('{')) ++depth;
    if (text[i] == QLatin1Char('}') && --depth == 0) break;
  }
  const QString group = text.mid(start, i - start);
  if (i < text.size()) ++i;
  return group;
}

// Lays out (and with a painter draws) a formula; returns the advance.
double Formula(QPainter* painter, double x, double baseline, const QString& text, double size) {
  const double start = x;
  QString run;
  auto flush = [&] {
    if (run.isEmpty()) return;
    const QFont font = FormulaFont(size);
    if (painter != nullptr) {
      painter->setFont(font);
      painter->drawText(QPointF(x, baseline), run);
    }
    x += QFontMetricsF(font).horizontalAdvance(run);
    run.clear();
  };
  for (qsizetype i = 0; i < text.size();) {
    const QChar c = text[i];
    if (c == QLatin1Char('_') || c == QLatin1Char('^')) {
      flush();
      ++i;
      const QString token = Token(text, i);
      const double small = size * 0.68;
      const double shift = c == QLatin1Char('_') ? size * 0.25 : -size * 0.42;
      x += Formula(painter, x, baseline + shift, token, small) + size * 0.05;
      continue;
    }
    run += c;
    ++i;
  }
  flush();
  return x - start;
}

void Arrow(QPainter& painter, QPointF from, QPointF to) {
  painter.drawLine(from, to);
  const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
  const double head = 8;
  QPainterPath path;
  path.moveTo(to);
  path.lineTo(to - QPointF(head * std::cos(angle - 0.4), head * std::sin(angle - 0.4)));
  path.lineTo(to - QPointF(head * std::cos(angle + 0.4), head * std::sin(angle + 0.4)));
  path.closeSubpath();
  painter.fillPath(path, painter.pen().color());
}

// Scales the picture's own units onto `area`, keeping the aspect, centred.
void FitInto(QPainter& painter, const QRectF& area, QSizeF natural) {
  const double scale = std::min(area.width() / natural.width(), area.height() / natural.height());
  painter.translate(area.center().x() - natural.width() * scale / 2, area.center().y() - natural.height() * scale / 2);
  painter.scale(scale, scale);
}

}  // namespace

double DrawFormula(QPainter& painter, double x, double baseline, const QString& formula, double size) {
  return Formula(&painter, x, baseline, formula, size);
}

double FormulaWidth(const QString& formula, double size) { return Formula(nullptr, 0, 0, formula, size); }

QSizeF SrnExplanationSize() { return {600, 600}; }
QSizeF ConstantFormulasSize() { return {870, 400}; }
QSizeF StrainFormulaSize() { return {650, 150}; }

void DrawSrnExplanation(QPainter& painter, const QRectF& area) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  FitInto(painter, area, SrnExplanationSize());
  painter.fillRect(QRectF(QPointF(0, 0), SrnExplanationSize()), Qt::white);

  const QRectF plot(95, 95, 465, 385);
  const double nMax = 1000;
  auto px = [&](double n) { return plot.left() + std::log10(n) / std::log10(nMax) * plot.width(); };
  auto py = [&](double sr) { return plot.bottom() - sr / 0.6 * plot.height(); };

  // Formula on top.
  painter.setPen(Qt::black);
  const QString formula = QStringLiteral("SR = a·N^{-b} + c");
  DrawFormula(painter, (600 - FormulaWidth(formula, 26)) / 2, 50, formula, 26);

  // Grid: decades solid, multiples dotted.
  const QColor grey(200, 200, 200);
  for (int k = 0; k <= 3; ++k) {
    const double decade = std::pow(10.0, k);
    painter.setPen(QPen(grey, 1));
    painter.drawLine(QPointF(px(decade), plot.top()), QPointF(px(decade), plot.bottom()));
    painter.setPen(Qt::black);
    const QString label = QString::number(static_cast<int>(decade));
    DrawFormula(painter, px(decade) - FormulaWidth(label, 16) / 2, plot.bottom() + 22, label, 16);
    if (k == 3) break;
    painter.setPen(QPen(grey, 1, Qt::DotLine));
    for (int m = 2; m <= 9; ++m)
      painter.drawLine(QPointF(px(m * decade), plot.top()), QPointF(px(m * decade), plot.bottom()));
  }
  for (int i = 0; i <= 6; ++i) {
    const double sr = 0.1 * i;
    painter.setPen(QPen(grey, 1));
    painter.drawLine(QPointF(plot.left(), py(sr)), QPointF(plot.right(), py(sr)));
    painter.setPen(Qt::black);
    const QString label = QString::number(sr, 'f', 1);
    DrawFormula(painter, plot.left() - 10 - FormulaWidth(label, 16), py(sr) + 6, label, 16);
  }
  painter.setPen(QPen(Qt::black, 1.5));
  painter.drawLine(plot.topLeft(), plot.bottomLeft());
  painter.drawLine(plot.bottomLeft(), plot.bottomRight());
  DrawFormula(painter, plot.center().x() - FormulaWidth(QStringLiteral("N (log)"), 18) / 2, plot.bottom() + 52,
              QStringLiteral("N (log)"), 18);
  painter.save();
  painter.translate(30, plot.center().y());
  painter.rotate(-90);
  DrawFormula(painter, -FormulaWidth(QStringLiteral("SR"), 18) / 2, 0, QStringLiteral("SR"), 18);
  painter.restore();

  // Two strain levels: data points and their curves.
  struct Level {
    double a, b, c;
    QColor colour;
    const char* name;
  };
  const Level levels[] = {{0.30, 0.35, 0.15, QColor(30, 110, 200), "DA = 2%"},
                          {0.34, 0.30, 0.22, QColor(210, 60, 40), "DA = 5%"}};
  for (const Level& level : levels) {
    QPainterPath curve;
    for (int i = 0; i <= 300; ++i) {
      const double n = std::pow(10.0, 3.0 * i / 300.0);
      const QPointF p(px(n), py(level.a * std::pow(n, -level.b) + level.c));
      if (i == 0)
        curve.moveTo(p);
      else
        curve.lineTo(p);
    }
    painter.setPen(QPen(level.colour, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(curve);
    painter.setPen(Qt::NoPen);
    painter.setBrush(level.colour);
    for (double n : {2.0, 6.0, 15.0, 40.0, 120.0, 400.0}) {
      const double wobble = 0.012 * std::sin(n * 1.7);
      painter.drawEllipse(QPointF(px(n), py(level.a * std::pow(n, -level.b) + level.c + wobble)), 4.5, 4.5);
    }
    painter.setPen(level.colour);
    const bool above = &level == &levels[1];
    DrawFormula(painter, px(150), py(level.a * std::pow(150.0, -level.b) + level.c) + (above ? -14 : 26),
                QString::fromUtf8(level.name), 16);
  }

  // Annotations on the 5 % curve: c is the level it approaches, a + c its value
  // at N = 1, b how fast it falls.
  const Level& shown = levels[1];
  painter.setPen(QPen(QColor(90, 90, 90), 1.2, Qt::DashLine));
  painter.drawLine(QPointF(plot.left(), py(shown.c)), QPointF(plot.right(), py(shown.c)));
  painter.setPen(QColor(60, 60, 60));
  DrawFormula(painter, px(1.2), py(shown.c) - 8, QStringLiteral("c : N → ∞"), 16);
  const QPointF atOne(px(1), py(shown.a + shown.c));
  painter.setPen(QPen(QColor(60, 60, 60), 1.2));
  Arrow(painter, QPointF(atOne.x() + 70, atOne.y() - 40), atOne + QPointF(4, -3));
  DrawFormula(painter, atOne.x() + 74, atOne.y() - 44, QStringLiteral("a + c  (N = 1)"), 16);
  const double nb = 12;
  const QPointF slope(px(nb), py(shown.a * std::pow(nb, -shown.b) + shown.c));
  Arrow(painter, QPointF(slope.x() + 60, slope.y() - 60), slope + QPointF(3, -3));
  DrawFormula(painter, slope.x() + 62, slope.y() - 64, QStringLiteral("b : slope"), 16);

  // Key.
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  painter.drawEllipse(QPointF(120, 545), 4.5, 4.5);
  painter.setPen(Qt::black);
  DrawFormula(painter, 135, 551, QStringLiteral("実験データ / test data"), 16);
  painter.setPen(QPen(Qt::black, 2));
  painter.drawLine(QPointF(340, 545), QPointF(375, 545));
  painter.setPen(Qt::black);
  DrawFormula(painter, 385, 551, QStringLiteral("近似曲線 / fitting curve"), 16);
  painter.restore();
}

void DrawConstantFormulas(QPainter& painter, const QRectF& area) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  FitInto(painter, area, ConstantFormulasSize());
  painter.fillRect(QRectF(QPointF(0, 0), ConstantFormulasSize()), Qt::white);
  struct Row {
    const char* name;
    const char* formula;
  };
  const Row rows[] = {
      {"1  多項式 / Polynomial", "y = A_0 + A_1x + A_2x^2 + A_3x^3 + A_4x^4 + A_5x^5 + A_6x^6 + A_7x^7"},
      {"2  指数関数1 / ExpGrow", "y = A_0 + A_1(1 − e^{−x/A_2}) + A_3(1 − e^{−x/A_4})"},
      {"3  指数関数2 / ExpGrow2", "y = A_0 + A_1(1 − e^{−(x/A_2)^{A_3}}) + A_4(1 − e^{−(x/A_5)^{A_6}})"},
      {"4  指数べき乗 / ExpPower", "y = A_0 + A_1·e^{A_2x^{A_3}}"},
  };
  painter.setPen(Qt::black);
  double baseline = 50;
  for (const Row& row : rows) {
    DrawFormula(painter, 30, baseline, QString::fromUtf8(row.name), 19);
    DrawFormula(painter, 70, baseline + 38, QString::fromUtf8(row.formula), 23);
    painter.setPen(QPen(QColor(210, 210, 210), 1));
    painter.drawLine(QPointF(20, baseline + 58), QPointF(850, baseline + 58));
    painter.setPen(Qt::black);
    baseline += 82;
  }
  DrawFormula(painter, 30, baseline + 8, QStringLiteral("x : DA (%)      y : α, β, C"), 19);
  painter.restore();
}

void DrawStrainFormula(QPainter& painter, const QRectF& area) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  FitInto(painter, area, StrainFormulaSize());
  painter.fillRect(QRectF(QPointF(0, 0), StrainFormulaSize()), Qt::white);
  painter.setPen(Qt::black);
  DrawFormula(painter, 20, 52, QStringLiteral("φ_{mob}(x) = A_1·e^{−(x/t_1)^{d_1}} + A_2·e^{−(x/t_2)^{d_2}}"), 25);
  DrawFormula(painter, 20, 100, QStringLiteral("A_2 = φ_{peak} − A_1"), 25);
  DrawFormula(painter, 20, 136, QStringLiteral("x : DA (%) / 累積損傷度 Cumulative damage (-)"), 17);
  painter.restore();
}

}  // namespace quorvel
