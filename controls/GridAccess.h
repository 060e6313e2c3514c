#pragma once
// The grid access layer the pages use on every grid: cell text and numbers
// with the no-value marker for an empty cell, colours, locking, list cells and
// the selected block. All rows and columns are 1-based.
#include <QColor>
#include <QString>

#include "host/NumberText.h"
#include "platform/Spread7.h"

namespace quorvel {

QString ReadCellText(const CSpread7& grid, int row, int col);
// Empty cell: `emptyValue`; otherwise the cell's leading number (0 for text
// that starts with no number).
double ReadCellNumber(const CSpread7& grid, int row, int col, double emptyValue = kNoValue);
// Empty or not a whole integer: kNoInt.
int ReadCellInteger(const CSpread7& grid, int row, int col);

void WriteCellText(CSpread7& grid, int row, int col, const QString& text);
// kNoValue (and a value that is not finite) gives an empty cell; otherwise the
// fixed format with `decimals` decimals (a negative count shows none).
void WriteCellNumber(CSpread7& grid, int row, int col, double value, int decimals);
// kNoInt gives an empty cell.
void WriteCellInteger(CSpread7& grid, int row, int col, int value);
// Fore colour, then text.
void WriteCellTextWithColor(CSpread7& grid, int row, int col, const QColor& color, const QString& text);

// A cell's drop-down list from a tab-separated text (the function column of
// the liquefaction page is column 5).
void SetListText(CSpread7& grid, int row, const QString& tabSeparated, int col = 5);
QString ListText(const CSpread7& grid, int row, int col = 5);

bool IsCellLocked(const CSpread7& grid, int row, int col);
void LockBlock(CSpread7& grid, const GridBlock& block, bool locked);
GridBlock GetSelectedBlock(const CSpread7& grid);

// Rows a pasted block may grow a point grid to.
inline constexpr int kPasteGrowthLimit = 1000;
// Lets a paste grow `grid` up to `maxRows` rows; a paste with more rows than
// fit is told to the user (the table's limit and the rows left out).
void AllowPasteGrowth(CSpread7& grid, int maxRows = kPasteGrowthLimit);

// For a cell-change handler: a non-empty number outside [low, high] (either
// order) is replaced by the nearer limit; any non-empty number is rewritten
// with `decimals`. Returns true when the value was clamped.
bool ClampCellNumber(CSpread7& grid, int row, int col, double low, double high, int decimals);

}  // namespace quorvel
