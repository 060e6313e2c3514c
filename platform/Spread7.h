#pragma once
// The spreadsheet grid every table of the forms is shown and edited in: cells
// addressed by 1-based row and column, per-cell colours, locking, check-box
// and combo-box cells, and the keys a spreadsheet user expects (arrows, Tab,
// typing over a cell, Enter, Delete, Ctrl+C / Ctrl+V of tab-separated blocks).
//
// Writes through this class never raise CellChanged; every change a user makes
// (typing, paste, Delete, a check-box click, a list choice) raises it once per
// changed cell, so a page's clamping rules see all user input the same way.
#include <QColor>
#include <QStringList>
#include <QTableWidget>
#include <algorithm>
#include <vector>

namespace quorvel {

// A rectangle of cells, 1-based and inclusive. row1 == 0 means "no block".
struct GridBlock {
  int row1 = 0;
  int col1 = 0;
  int row2 = 0;
  int col2 = 0;
  bool IsValid() const { return row1 >= 1 && col1 >= 1 && row2 >= row1 && col2 >= col1; }
  bool Contains(int row, int col) const { return row >= row1 && row <= row2 && col >= col1 && col <= col2; }
  friend bool operator==(const GridBlock&, const GridBlock&) = default;
};

enum class CellKind { Text, ComboBox, CheckBox };

// Background of every cell while the grid is greyed out or disabled.
QColor GreyedCellColor();

class CSpread7 : public QTableWidget {
  Q_OBJECT
 public:
  explicit CSpread7(QWidget* parent = nullptr);
  CSpread7(int rows, int cols, QWidget* parent = nullptr);

  // Size. New cells are empty text cells, unlocked, in the default colours.
  void SetMaxRows(int rows);
  void SetMaxCols(int cols);
  int MaxRows() const { return rowCount(); }
  int MaxCols() const { return columnCount(); }
  // A pasted block that runs past the last row adds rows, up to `maxRows`
  // rows in all; 0 (the default) keeps the grid at its size. Rows of the
  // block beyond the limit are dropped and reported by PasteRowsDropped.
  void SetPasteGrowthLimit(int maxRows) { pasteGrowthLimit_ = std::max(maxRows, 0); }
  int PasteGrowthLimit() const { return pasteGrowthLimit_; }

  // Titles; a "\n" in a column title starts a second line in the header.
  void SetColumnTitle(int col, const QString& title);
  void SetColumnTitles(const QStringList& titles);  // from column 1
  QString ColumnTitle(int col) const;
  void SetRowTitle(int row, const QString& title);
  QString RowTitle(int row) const;
  void SetColWidth(int col, int pixels);
  void SetColumnAlignment(int col, Qt::Alignment alignment);

  // Cell contents. A check-box cell reads "1"/"0" and is checked by "1";
  // a combo-box cell reads the text of its current item.
  QString CellText(int row, int col) const;
  void SetCellText(int row, int col, const QString& text);

  QColor CellForeColor(int row, int col) const;
  void SetCellForeColor(int row, int col, const QColor& color);
  QColor CellBackColor(int row, int col) const;
  void SetCellBackColor(int row, int col, const QColor& color);

  bool IsCellLocked(int row, int col) const;
  void SetCellLocked(int row, int col, bool locked);

  // Block operations (the spreadsheet's block mode).
  void SetBlockLocked(const GridBlock& block, bool locked);
  void SetBlockForeColor(const GridBlock& block, const QColor& color);
  void SetBlockBackColor(const GridBlock& block, const QColor& color);
  void ClearBlockText(const GridBlock& block);  // quiet, locked cells included
  GridBlock AllCells() const;

  // Cell kinds.
  void SetCellKind(int row, int col, CellKind kind);
  CellKind KindOf(int row, int col) const;
  void SetComboList(int row, int col, const QStringList& items);  // makes it a combo-box cell
  QStringList ComboList(int row, int col) const;
  int ComboIndex(int row, int col) const;  // -1: nothing chosen
  void SetComboIndex(int row, int col, int index);
  bool IsCellChecked(int row, int col) const;
  void SetCellChecked(int row, int col, bool checked);

  // Active cell and selected block (1-based).
  int ActiveRow() const;
  int ActiveCol() const;
  void SetActiveCell(int row, int col);
  // The selected block; the active cell when nothing is selected.
  GridBlock SelectedBlock() const;
  void SelectBlock(const GridBlock& block);

  // Greyed out: every cell refuses edits and is painted in GreyedCellColor();
  // scrolling, selecting and copying still work. A disabled grid looks the same.
  void SetGreyedOut(bool greyed);
  bool IsGreyedOut() const { return greyed_; }
  bool LooksGreyed() const { return greyed_ || !isEnabled(); }
  // A cell editor is open.
  bool IsEditing() const { return state() == QAbstractItemView::EditingState; }

  // The clipboard operations of Ctrl+C and Ctrl+V, also for menus and tests.
  QString BlockAsText(const GridBlock& block) const;
  void CopySelection() const;
  // Pastes rows at the selected block's top-left cell (a single value fills
  // the whole selected block). Cells are separated by tabs, or by commas when
  // the text holds no tab (lines copied from a CSV file). Locked cells and
  // cells outside the grid are skipped; rows past the last one grow the grid
  // as far as its paste growth limit allows. Returns the number of cells changed.
  int PasteText(const QString& text);
  void PasteFromClipboard();
  // What Delete does: empties the unlocked text cells of the block as a user
  // edit. Returns the number of cells changed.
  int DeleteBlock(const GridBlock& block);

 signals:
  // A user changed the cell (1-based); raised after the new content is in.
  void CellChanged(int row, int col);
  // A key arrived while the grid had the focus, before the grid acts on it.
  void KeyDown(int key, Qt::KeyboardModifiers modifiers);
  // The active cell moved (1-based).
  void ActiveCellChanged(int row, int col);
  // A paste grew the grid to `rows` rows; raised before the pasted cells are
  // written, so an owner can make room for them first.
  void RowsGrown(int rows);
  // A paste ended with `dropped` rows of its block left out: the grid may not
  // grow past `limit` rows. Raised after the other rows were written.
  void PasteRowsDropped(int dropped, int limit);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  void changeEvent(QEvent* event) override;

 private:
  friend class SpreadDelegate;
  class QuietScope;

  QTableWidgetItem* Cell(int row, int col) const;  // nullptr outside the grid
  void FillItems();
  void UpdateFlags(QTableWidgetItem* item) const;
  void OnItemChanged(QTableWidgetItem* item);
  // Writes `text` as a user would and raises CellChanged when it changed.
  bool UserWrite(int row, int col, const QString& text);

  bool greyed_ = false;
  int quiet_ = 0;
  int pasteGrowthLimit_ = 0;
  std::vector<Qt::Alignment> columnAlignment_;
};

}  // namespace quorvel
