#include "controls/GridAccess.h"

#include "controls/MessageBoxes.h"
#include "controls/UiText.h"

namespace quorvel {

QString ReadCellText(const CSpread7& grid, int row, int col) { return grid.CellText(row, col); }

double ReadCellNumber(const CSpread7& grid, int row, int col, double emptyValue) {
  const QString text = grid.CellText(row, col);
  if (text.isEmpty()) return emptyValue;
  return ParseDouble(text.toStdString());
}

int ReadCellInteger(const CSpread7& grid, int row, int col) { return ParseInt(grid.CellText(row, col).toStdString()); }

void WriteCellText(CSpread7& grid, int row, int col, const QString& text) { grid.SetCellText(row, col, text); }

void WriteCellNumber(CSpread7& grid, int row, int col, double value, int decimals) {
  grid.SetCellText(row, col, QString::fromStdString(FormatDouble(value, decimals)));
}

void WriteCellInteger(CSpread7& grid, int row, int col, int value) {
  grid.SetCellText(row, col, QString::fromStdString(FormatInt(value)));
}

void WriteCellTextWithColor(CSpread7& grid, int row, int col, const QColor& color, const QString& text) {
  grid.SetCellForeColor(row, col, color);
  grid.SetCellText(row, col, text);
}

void SetListText(CSpread7& grid, int row, const QString& tabSeparated, int col) {
  grid.SetComboList(row, col, tabSeparated.split(QLatin1Char('\t')));
}

QString ListText(const CSpread7& grid, int row, int col) { return grid.ComboList(row, col).join(QLatin1Char('\t')); }

bool IsCellLocked(const CSpread7& grid, int row, int col) { return grid.IsCellLocked(row, col); }

void LockBlock(CSpread7& grid, const GridBlock& block, bool locked) { grid.SetBlockLocked(block, locked); }

GridBlock GetSelectedBlock(const CSpread7& grid) { return grid.SelectedBlock(); }

void AllowPasteGrowth(CSpread7& grid, int maxRows) {
  grid.SetPasteGrowthLimit(maxRows);
  QObject::connect(&grid, &CSpread7::PasteRowsDropped, &grid, [&grid](int dropped, int limit) {
    ShowWarning(&grid, UiText("表の行数は %1 行までです。\n貼り付けたデータのうち %2 行は入りませんでした。",
                              "The table holds at most %1 rows.\n%2 of the pasted rows did not fit and were left out.")
                           .arg(QString::number(limit), QString::number(dropped)));
  });
}

bool ClampCellNumber(CSpread7& grid, int row, int col, double low, double high, int decimals) {
  const double value = ReadCellNumber(grid, row, col);
  if (IsNoValue(value)) return false;
  const double clamped = Clamp(low, high, value);
  WriteCellNumber(grid, row, col, clamped, decimals);
  return clamped != value;
}

}  // namespace quorvel
