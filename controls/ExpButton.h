#pragma once
// A push button drawn by the program in one of eight styles, with an optional
// toggle behaviour, a hover state and bitmap faces. Style 3 (flat, framed when
// checked) and style 7 (bitmap faces) are the ones the forms rely on.
#include <QColor>
#include <QPixmap>
#include <QPushButton>
#include <array>

namespace quorvel {

class CExpButton : public QPushButton {
  Q_OBJECT
 public:
  enum Style {
    kRaised = 0,          // standard 3-D button
    kBevelled = 1,        // four bevel polygons
    kGradient = 2,        // vertical gradient, edge lines
    kFlat = 3,            // flat fill, accent frame; checked = four-pixel frame
    kArrow = 4,           // arrow-like polygon
    kBlock = 5,           // three polygons: face, lit top, shaded side
    kGradientFramed = 6,  // gradient face with several edge lines
    kBitmap = 7,          // bitmap faces
  };

  explicit CExpButton(QWidget* parent = nullptr);
  explicit CExpButton(const QString& text, QWidget* parent = nullptr);

  void SetStyle(int style);
  int Style() const { return style_; }
  // A click flips the checked flag (styles 0 and 7 only; others are set by their owner).
  void SetToggle(bool toggle) { toggle_ = toggle; }
  bool Toggle() const { return toggle_; }
  void SetChecked(bool checked);
  bool Checked() const { return checked_; }
  void SetHovered(bool hovered);
  bool Hovered() const { return hovered_; }
  void SetUseDisabledBitmap(bool use);
  // Caption placement: Qt::AlignLeft/AlignHCenter/AlignRight and AlignTop/AlignVCenter/AlignBottom.
  void SetTextFormat(Qt::Alignment horizontal, Qt::Alignment vertical);

  struct Colors {
    QColor text;
    QColor face;
    QColor accent;
    QColor color3;  // face of a checked arrow (style 4)
    QColor hover;
    QColor highlight;
    QColor light;
    QColor shadow;
    QColor darkShadow;
  };
  // Colours start from the system palette; accent and hover start white.
  Colors& ColorSet() { return colors_; }
  const Colors& ColorSet() const { return colors_; }
  void SetColors(const Colors& colors);

  // Style 7: 1 normal, 2 pressed or checked, 3 disabled.
  void SetBitmaps(const QPixmap& normal, const QPixmap& pressed, const QPixmap& disabled = {});
  // The bitmap style 7 shows in the current state (null when none applies).
  QPixmap CurrentBitmap() const;

 signals:
  // The checked flag was flipped by a click.
  void CheckedToggled(bool checked);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void DrawCaption(QPainter& painter, const QRect& area) const;

  int style_ = kRaised;
  bool toggle_ = false;
  bool checked_ = false;
  bool hovered_ = false;
  bool useDisabledBitmap_ = false;
  Qt::Alignment horizontal_ = Qt::AlignHCenter;
  Qt::Alignment vertical_ = Qt::AlignVCenter;
  Colors colors_;
  std::array<QPixmap, 3> bitmaps_;
};

}  // namespace quorvel
