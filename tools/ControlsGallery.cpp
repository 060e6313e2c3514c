// quorvel-gallery: renders every control and a grid into PNG files so anyone
// can look at them without running a form.
//   quorvel-gallery [output folder] [--english]
#include <QApplication>
#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QTextStream>
#include <QVBoxLayout>

#include "app/FontSetup.h"
#include "controls/ExpButton.h"
#include "controls/ExpEdit.h"
#include "controls/ExpStatic.h"
#include "controls/GridAccess.h"
#include "controls/UiText.h"
#include "host/Language.h"
#include "platform/Spread7.h"

using namespace quorvel;

namespace {

bool Save(QWidget& widget, const QDir& folder, const QString& name) {
  widget.adjustSize();
  widget.show();
  QApplication::processEvents();
  const QString path = folder.filePath(name);
  const bool saved = widget.grab().save(path);
  QTextStream(stdout) << (saved ? "wrote " : "could not write ") << path << '\n';
  return saved;
}

QPixmap Face(QColor fill, const QString& mark) {
  QPixmap pixmap(28, 28);
  pixmap.fill(fill);
  QPainter p(&pixmap);
  p.setPen(Qt::white);
  p.drawText(pixmap.rect(), Qt::AlignCenter, mark);
  return pixmap;
}

void EditsPage(QWidget& page) {
  auto* form = new QFormLayout(&page);
  auto* real = new CExpEdit(&page);
  real->SetUpReal(3, 0.0, 1.0);
  real->SetRealValue(0.25);
  auto* integer = new CExpEdit(&page);
  integer->SetUpInteger(1, 100);
  integer->SetIntValue(20);
  auto* empty = new CExpEdit(&page);
  empty->SetUpReal(2);
  empty->SetRealValue(kNoValue);
  auto* coloured = new CExpEdit(&page);
  coloured->SetMode(ExpEditRules::kAnyText);
  coloured->setText(UiText("実験データ", "Test data"));
  coloured->SetBackgroundColor(QColor(255, 255, 200));
  coloured->SetTextColor(QColor(0, 0, 160));
  auto* readOnly = new CExpEdit(&page);
  readOnly->SetUpReal(4);
  readOnly->SetRealValue(0.0123);
  readOnly->setReadOnly(true);
  auto* disabled = new CExpEdit(&page);
  disabled->SetUpReal(-2);
  disabled->SetRealValue(1200);
  disabled->setEnabled(false);
  form->addRow(UiText("許容誤差 (0～1)", "Tolerance (0-1)"), real);
  form->addRow(UiText("最大試行回数", "Maximum trials"), integer);
  form->addRow(UiText("空欄", "Empty"), empty);
  form->addRow(UiText("文字", "Text"), coloured);
  form->addRow(UiText("読取専用", "Read-only"), readOnly);
  form->addRow(UiText("無効 (小数 -2)", "Disabled (decimals -2)"), disabled);
}

void ButtonsPage(QWidget& page) {
  auto* grid = new QGridLayout(&page);
  const QString names[] = {UiText("標準", "Raised"),   UiText("面取り", "Bevelled"), UiText("階調", "Gradient"),
                           UiText("平面", "Flat"),     UiText("矢印", "Arrow"),      UiText("立体", "Block"),
                           UiText("階調枠", "Framed"), UiText("画像", "Bitmap")};
  grid->addWidget(new QLabel(UiText("通常", "Normal"), &page), 0, 1);
  grid->addWidget(new QLabel(UiText("チェック", "Checked"), &page), 0, 2);
  grid->addWidget(new QLabel(UiText("無効", "Disabled"), &page), 0, 3);
  for (int style = 0; style < 8; ++style) {
    grid->addWidget(new QLabel(QStringLiteral("%1 %2").arg(style).arg(names[style]), &page), style + 1, 0);
    for (int column = 0; column < 3; ++column) {
      auto* button =
          new CExpButton(style == 2 ? UiText("計算\n開始", "Start\nfit") : UiText("最適化", "Optimise"), &page);
      button->SetStyle(style);
      button->setMinimumSize(96, 34);
      if (style == CExpButton::kFlat) {
        CExpButton::Colors colours = button->ColorSet();
        colours.face = QColor(230, 240, 255);
        colours.accent = QColor(40, 90, 200);
        colours.hover = QColor(255, 255, 255);
        button->SetColors(colours);
      }
      if (style == CExpButton::kBitmap) {
        button->SetBitmaps(Face(QColor(40, 120, 40), QStringLiteral("1")),
                           Face(QColor(160, 40, 40), QStringLiteral("2")),
                           Face(QColor(150, 150, 150), QStringLiteral("3")));
        button->SetUseDisabledBitmap(true);
        button->setText(QString());
      }
      if (column == 1) button->SetChecked(true);
      if (column == 2) button->setEnabled(false);
      grid->addWidget(button, style + 1, column + 1);
    }
  }
  auto* hovered = new CExpButton(UiText("平面 (ホバー)", "Flat (hovered)"), &page);
  hovered->SetStyle(CExpButton::kFlat);
  CExpButton::Colors colours = hovered->ColorSet();
  colours.accent = QColor(40, 90, 200);
  hovered->SetColors(colours);
  hovered->SetHovered(true);
  hovered->setMinimumSize(96, 34);
  grid->addWidget(hovered, 9, 1, 1, 2);
}

void StaticsPage(QWidget& page) {
  auto* column = new QVBoxLayout(&page);
  auto add = [&](const QString& text, bool rich, bool frame, QColor back, QColor fore, Qt::Alignment align) {
    auto* label = new CExpStatic(text, &page);
    label->SetRichText(rich);
    label->SetFrame(frame);
    label->SetBackgroundColor(back);
    label->SetTextColor(fore);
    label->setAlignment(align);
    label->SetFontSize(10);
    label->setMinimumSize(260, 30);
    column->addWidget(label);
  };
  const QColor face = QApplication::palette().color(QPalette::Button);
  add(UiText("SR-N 関係式の設定", "SR-N relation settings"), false, false, face, Qt::black,
      Qt::AlignLeft | Qt::AlignVCenter);
  add(QStringLiteral("SR = a・N{^-b} + c"), true, false, face, Qt::black, Qt::AlignLeft | Qt::AlignVCenter);
  add(QStringLiteral("τ{_d} / σ'{_v} (m{^2})"), true, true, Qt::white, QColor(0, 0, 160),
      Qt::AlignHCenter | Qt::AlignVCenter);
  add(QStringLiteral("{_only subscript}"), true, false, QColor(255, 250, 220), Qt::black,
      Qt::AlignRight | Qt::AlignVCenter);
  add(QStringLiteral("x{^unclosed superscript"), true, false, face, QColor(160, 0, 0),
      Qt::AlignLeft | Qt::AlignVCenter);
  add(UiText("枠付き 中央", "Framed, centred"), false, true, QColor(220, 255, 220), Qt::black, Qt::AlignCenter);
}

void FillGrid(CSpread7& grid) {
  grid.SetColumnTitles({UiText("繰返し回数\nN", "Cycles\nN"), UiText("応力比\nSR", "Stress ratio\nSR"),
                        UiText("計算値\nSR", "Fitted\nSR"), UiText("残差", "Residual"), UiText("関数", "Function"),
                        UiText("Drevia\n利用", "Use in\nDrevia")});
  for (int col = 1; col <= 6; ++col) grid.SetColWidth(col, col == 5 ? 110 : 84);
  for (int col = 1; col <= 4; ++col) grid.SetColumnAlignment(col, Qt::AlignRight | Qt::AlignVCenter);
  const double cycles[] = {5, 10, 20, 50, 100, 200};
  const double ratios[] = {0.42, 0.36, 0.31, 0.27, 0.245, kNoValue};
  for (int row = 1; row <= 6; ++row) {
    grid.SetRowTitle(row, QString::number(row));
    WriteCellNumber(grid, row, 1, cycles[row - 1], 0);
    WriteCellNumber(grid, row, 2, ratios[row - 1], 3);
    const double fitted = 0.6 * std::pow(cycles[row - 1], -0.18);
    WriteCellNumber(grid, row, 3, fitted, 3);
    if (!IsNoValue(ratios[row - 1])) {
      const double residual = ratios[row - 1] - fitted;
      WriteCellNumber(grid, row, 4, residual, 4);
      // Residual cells coloured the way the pages mark large misfits.
      if (std::abs(residual) > 0.02) grid.SetCellBackColor(row, 4, QColor(255, 200, 200));
    }
    SetListText(grid, row, UiText("線形\t指数\t双曲線\t対数", "Linear\tExponential\tHyperbolic\tLogarithmic"));
    grid.SetComboIndex(row, 5, (row - 1) % 4);
    grid.SetCellKind(row, 6, CellKind::CheckBox);
    grid.SetCellChecked(row, 6, row % 2 == 1);
  }
  grid.SetBlockLocked({1, 3, 6, 4}, true);
  grid.SetBlockBackColor({1, 3, 6, 3}, QColor(235, 235, 235));
  grid.SetCellForeColor(2, 2, QColor(200, 0, 0));
  grid.SelectBlock({2, 1, 3, 2});
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  SetUpFonts();
  QString folder = QStringLiteral("gallery");
  for (int i = 1; i < argc; ++i) {
    const QString arg = QString::fromLocal8Bit(argv[i]);
    if (arg == QLatin1String("--english"))
      SetCurrentLanguage(kEnglish);
    else
      folder = arg;
  }
  QDir out(folder);
  if (!QDir().mkpath(out.absolutePath())) return 1;
  const QString suffix = IsJapanese() ? QStringLiteral("") : QStringLiteral("-en");
  bool ok = true;

  QWidget edits;
  EditsPage(edits);
  ok &= Save(edits, out, QStringLiteral("edits%1.png").arg(suffix));

  QWidget buttons;
  ButtonsPage(buttons);
  ok &= Save(buttons, out, QStringLiteral("buttons%1.png").arg(suffix));

  QWidget statics;
  StaticsPage(statics);
  ok &= Save(statics, out, QStringLiteral("statics%1.png").arg(suffix));

  CSpread7 grid(6, 6);
  FillGrid(grid);
  grid.resize(620, 280);
  grid.show();
  grid.setFocus();
  QApplication::processEvents();
  {
    const QString path = out.filePath(QStringLiteral("grid%1.png").arg(suffix));
    ok &= grid.grab().save(path);
    QTextStream(stdout) << "wrote " << path << '\n';
    grid.SetGreyedOut(true);
    const QString grey = out.filePath(QStringLiteral("grid-greyed%1.png").arg(suffix));
    ok &= grid.grab().save(grey);
    QTextStream(stdout) << "wrote " << grey << '\n';
  }
  return ok ? 0 : 1;
}
