#pragma once
// A static text with its own colours and font, an optional frame, and an
// optional rich-text mode in which "{^…}" is drawn as a superscript and
// "{_…}" as a subscript (used for units and symbols such as "m{^2}", "N{_c}").
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QList>

#include "platform/MarkedText.h"

namespace quorvel {

// The statics use the report's "{^…}"/"{_…}" markup and its splitter.
using RichTextRun = MarkedRun;
inline QList<RichTextRun> SplitRichText(const QString& text) { return SplitMarkedText(text); }

// Where each run goes on the line, relative to the line's left and top edges.
struct PlacedRun {
  RichTextRun run;
  int x = 0;        // left edge
  int advance = 0;  // horizontal room the run takes
  int yOffset = 0;  // negative: raised (superscript); positive: lowered (subscript)
  bool small = false;
};
struct RichTextLine {
  QList<PlacedRun> runs;
  int width = 0;
  int height = 0;  // height of the normal font
};

// Small runs use the font at 4/5 of its height; they advance by 4/5 of their
// normal width plus 1, then one pixel of space; superscripts are raised by
// 1/5 and subscripts lowered by 1/3 of the text height.
RichTextLine LayoutRichText(const QList<RichTextRun>& runs, const QFont& font);
QFont SmallRichTextFont(const QFont& font);

class CExpStatic : public QLabel {
  Q_OBJECT
 public:
  explicit CExpStatic(QWidget* parent = nullptr);
  explicit CExpStatic(const QString& text, QWidget* parent = nullptr);

  void SetTextColor(const QColor& color);
  QColor TextColor() const { return textColor_; }
  void SetBackgroundColor(const QColor& color);
  QColor BackgroundColor() const { return backgroundColor_; }
  // Draw a framed rectangle (frame colour, background fill) behind the text.
  void SetFrame(bool frame);
  bool Frame() const { return frame_; }
  void SetFrameColor(const QColor& color);
  // Draw "{^…}" / "{_…}" markup as superscripts and subscripts.
  void SetRichText(bool rich);
  bool RichText() const { return rich_; }
  // Makes the font 10 points high (the size argument is kept for the callers
  // that pass one; it is not used).
  void SetFontSize(int size = 10);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void UpdatePalette();

  QColor textColor_;
  QColor backgroundColor_;
  QColor frameColor_;
  bool frame_ = false;
  bool rich_ = false;
};

}  // namespace quorvel
