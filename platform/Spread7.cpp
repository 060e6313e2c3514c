#include "platform/Spread7.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyledItemDelegate>
#include <algorithm>

namespace quorvel {
namespace {

constexpr int kLockedRole = Qt::UserRole + 1;
constexpr int kKindRole = Qt::UserRole + 2;
constexpr int kListRole = Qt::UserRole + 3;
constexpr int kIndexRole = Qt::UserRole + 4;

CellKind KindOfItem(const QTableWidgetItem* item) {
  return item == nullptr ? CellKind::Text : static_cast<CellKind>(item->data(kKindRole).toInt());
}

// Splits clipboard text into rows of cells: rows end with LF or CR LF, cells
// are separated by tabs (by commas when there is no tab at all: lines copied
// from a CSV file); the line end after the last row does not add a row.
QList<QStringList> SplitBlockText(const QString& text) {
  QString body = text;
  body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  body.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  if (body.endsWith(QLatin1Char('\n'))) body.chop(1);
  QList<QStringList> rows;
  if (body.isEmpty() && !text.isEmpty()) {
    rows.append(QStringList{QString()});
    return rows;
  }
  if (text.isEmpty()) return rows;
  const QChar separator = body.contains(QLatin1Char('\t')) ? QLatin1Char('\t') : QLatin1Char(',');
  for (const QString& line : body.split(QLatin1Char('\n'))) rows.append(line.split(separator));
  return rows;
}

}  // namespace

QColor GreyedCellColor() { return QColor(207, 207, 207); }

// Writes made by the program are kept out of CellChanged.
class CSpread7::QuietScope {
 public:
  explicit QuietScope(const CSpread7* grid) : grid_(const_cast<CSpread7*>(grid)) { ++grid_->quiet_; }
  ~QuietScope() { --grid_->quiet_; }
  QuietScope(const QuietScope&) = delete;
  QuietScope& operator=(const QuietScope&) = delete;

 private:
  CSpread7* grid_;
};

// Paints colours under a translucent selection (so a coloured cell stays
// readable while selected), the grey look, and the combo-box cells' editor.
class SpreadDelegate : public QStyledItemDelegate {
 public:
  explicit SpreadDelegate(CSpread7* grid) : QStyledItemDelegate(grid), grid_(grid) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem plain(option);
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const bool current = option.state.testFlag(QStyle::State_HasFocus);
    plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    // The view has already filled a selected cell with the highlight; the
    // cell's own colour goes back underneath the translucent overlay.
    const QVariant background = index.data(Qt::BackgroundRole);
    painter->fillRect(option.rect, grid_->LooksGreyed()   ? QBrush(GreyedCellColor())
                                   : background.isValid() ? background.value<QBrush>()
                                                          : option.palette.brush(QPalette::Base));
    QStyledItemDelegate::paint(painter, plain, index);
    painter->save();
    if (static_cast<CellKind>(index.data(kKindRole).toInt()) == CellKind::ComboBox) {
      // A small drop-down mark tells the user the cell offers a list.
      const QRect r = option.rect;
      const int size = std::min(8, r.height() / 2);
      const QPointF centre(r.right() - size, r.center().y() + 1);
      QPainterPath arrow;
      arrow.moveTo(centre.x() - size / 2.0, centre.y() - size / 4.0);
      arrow.lineTo(centre.x() + size / 2.0, centre.y() - size / 4.0);
      arrow.lineTo(centre.x(), centre.y() + size / 4.0);
      arrow.closeSubpath();
      painter->fillPath(arrow, option.palette.color(QPalette::Text));
    }
    if (selected) {
      QColor highlight = option.palette.color(QPalette::Highlight);
      highlight.setAlpha(70);
      painter->fillRect(option.rect, highlight);
    }
    if (current) {
      painter->setPen(QPen(option.palette.color(QPalette::WindowText), 2));
      painter->setBrush(Qt::NoBrush);
      painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
    }
    painter->restore();
  }

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    if (static_cast<CellKind>(index.data(kKindRole).toInt()) != CellKind::ComboBox)
      return QStyledItemDelegate::createEditor(parent, option, index);
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QStringLiteral("gridComboEditor"));
    combo->addItems(index.data(kListRole).toStringList());
    // A choice is a finished edit: commit it at once.
    connect(combo, &QComboBox::activated, this, [this, combo](int) {
      auto* self = const_cast<SpreadDelegate*>(this);
      emit self->commitData(combo);
      emit self->closeEditor(combo);
    });
    return combo;
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
      combo->setCurrentIndex(index.data(kIndexRole).isValid() ? index.data(kIndexRole).toInt() : -1);
      return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
  }

  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
      {
        CSpread7::QuietScope quiet(grid_);
        model->setData(index, combo->currentIndex(), kIndexRole);
      }
      model->setData(index, combo->currentText(), Qt::EditRole);
      return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
  }

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (grid_->LooksGreyed()) option->backgroundBrush = GreyedCellColor();
  }

 private:
  CSpread7* grid_;
};

CSpread7::CSpread7(QWidget* parent) : CSpread7(0, 0, parent) {}

CSpread7::CSpread7(int rows, int cols, QWidget* parent) : QTableWidget(parent) {
  setItemDelegate(new SpreadDelegate(this));
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed |
                  QAbstractItemView::EditKeyPressed);
  setTabKeyNavigation(true);
  setWordWrap(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  horizontalHeader()->setHighlightSections(false);
  verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
  verticalHeader()->setHighlightSections(false);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  // The dialog's Enter convention leaves keys to the grid: Enter commits here.
  setProperty("keepsEnterKey", true);
  connect(this, &QTableWidget::itemChanged, this, &CSpread7::OnItemChanged);
  connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int col, int, int) {
    if (row >= 0 && col >= 0) emit ActiveCellChanged(row + 1, col + 1);
  });
  SetMaxCols(cols);
  SetMaxRows(rows);
}

QTableWidgetItem* CSpread7::Cell(int row, int col) const {
  if (row < 1 || col < 1 || row > rowCount() || col > columnCount()) return nullptr;
  return item(row - 1, col - 1);
}

void CSpread7::FillItems() {
  QuietScope quiet(this);
  for (int r = 0; r < rowCount(); ++r) {
    for (int c = 0; c < columnCount(); ++c) {
      if (item(r, c) != nullptr) continue;
      auto* cell = new QTableWidgetItem(QString());
      cell->setData(kLockedRole, false);
      cell->setData(kKindRole, static_cast<int>(CellKind::Text));
      if (static_cast<std::size_t>(c) < columnAlignment_.size() && columnAlignment_[static_cast<std::size_t>(c)])
        cell->setTextAlignment(columnAlignment_[static_cast<std::size_t>(c)]);
      setItem(r, c, cell);
      UpdateFlags(cell);
    }
  }
  if (currentRow() < 0 && rowCount() > 0 && columnCount() > 0) setCurrentCell(0, 0);
}

void CSpread7::UpdateFlags(QTableWidgetItem* cell) const {
  Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  if (!greyed_ && !cell->data(kLockedRole).toBool()) {
    flags |= KindOfItem(cell) == CellKind::CheckBox ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable;
  }
  QuietScope quiet(this);
  cell->setFlags(flags);
}

void CSpread7::SetMaxRows(int rows) {
  setRowCount(std::max(rows, 0));
  FillItems();
}

void CSpread7::SetMaxCols(int cols) {
  setColumnCount(std::max(cols, 0));
  FillItems();
}

void CSpread7::SetColumnTitle(int col, const QString& title) {
  if (col < 1 || col > columnCount()) return;
  QTableWidgetItem* header = horizontalHeaderItem(col - 1);
  if (header == nullptr) {
    header = new QTableWidgetItem();
    setHorizontalHeaderItem(col - 1, header);
  }
  header->setText(title);
}

void CSpread7::SetColumnTitles(const QStringList& titles) {
  for (int i = 0; i < titles.size(); ++i) SetColumnTitle(i + 1, titles[i]);
}

QString CSpread7::ColumnTitle(int col) const {
  const QTableWidgetItem* header = col >= 1 && col <= columnCount() ? horizontalHeaderItem(col - 1) : nullptr;
  return header != nullptr ? header->text() : QString();
}

void CSpread7::SetRowTitle(int row, const QString& title) {
  if (row < 1 || row > rowCount()) return;
  QTableWidgetItem* header = verticalHeaderItem(row - 1);
  if (header == nullptr) {
    header = new QTableWidgetItem();
    setVerticalHeaderItem(row - 1, header);
  }
  header->setText(title);
}

QString CSpread7::RowTitle(int row) const {
  if (row < 1 || row > rowCount()) return {};
  const QTableWidgetItem* header = verticalHeaderItem(row - 1);
  return header != nullptr ? header->text() : QString::number(row);
}

void CSpread7::SetColWidth(int col, int pixels) {
  if (col >= 1 && col <= columnCount()) setColumnWidth(col - 1, pixels);
}

void CSpread7::SetColumnAlignment(int col, Qt::Alignment alignment) {
  if (col < 1 || col > columnCount()) return;
  if (columnAlignment_.size() < static_cast<std::size_t>(col)) columnAlignment_.resize(static_cast<std::size_t>(col));
  columnAlignment_[static_cast<std::size_t>(col - 1)] = alignment;
  QuietScope quiet(this);
  for (int r = 1; r <= rowCount(); ++r) Cell(r, col)->setTextAlignment(alignment);
}

QString CSpread7::CellText(int row, int col) const {
  const QTableWidgetItem* cell = Cell(row, col);
  if (cell == nullptr) return {};
  if (KindOfItem(cell) == CellKind::CheckBox)
    return cell->checkState() == Qt::Checked ? QStringLiteral("1") : QStringLiteral("0");
  return cell->text();
}

void CSpread7::SetCellText(int row, int col, const QString& text) {
  QTableWidgetItem* cell = Cell(row, col);
  if (cell == nullptr) return;
  QuietScope quiet(this);
  switch (KindOfItem(cell)) {
    case CellKind::CheckBox:
      cell->setCheckState(text.trimmed() == QLatin1String("1") ? Qt::Checked : Qt::Unchecked);
      break;
    case CellKind::ComboBox:
      cell->setData(kIndexRole, static_cast<int>(cell->data(kListRole).toStringList().indexOf(text)));
      cell->setText(text);
      break;
    case CellKind::Text:
      cell->setText(text);
      break;
  }
}

QColor CSpread7::CellForeColor(int row, int col) const {
  const QTableWidgetItem* cell = Cell(row, col);
  if (cell == nullptr) return {};
  QVariant colour = cell->data(Qt::ForegroundRole);
  return colour.isValid() ? colour.value<QBrush>().color() : palette().color(QPalette::Text);
}

void CSpread7::SetCellForeColor(int row, int col, const QColor& color) {
  if (QTableWidgetItem* cell = Cell(row, col)) {
    QuietScope quiet(this);
    cell->setForeground(color);
  }
}

QColor CSpread7::CellBackColor(int row, int col) const {
  const QTableWidgetItem* cell = Cell(row, col);
  if (cell == nullptr) return {};
  QVariant colour = cell->data(Qt::BackgroundRole);
  return colour.isValid() ? colour.value<QBrush>().color() : palette().color(QPalette::Base);
}

void CSpread7::SetCellBackColor(int row, int col, const QColor& color) {
  if (QTableWidgetItem* cell = Cell(row, col)) {
    QuietScope quiet(this);
    cell->setBackground(color);
  }
}

bool CSpread7::IsCellLocked(int row, int col) const {
  const QTableWidgetItem* cell = Cell(row, col);
  return cell != nullptr && cell->data(kLockedRole).toBool();
}

void CSpread7::SetCellLocked(int row, int col, bool locked) {
  QTableWidgetItem* cell = Cell(row, col);
  if (cell == nullptr) return;
  {
    QuietScope quiet(this);
    cell->setData(kLockedRole, locked);
  }
  UpdateFlags(cell);
}

GridBlock CSpread7::AllCells() const { return {1, 1, rowCount(), columnCount()}; }

void CSpread7::SetBlockLocked(const GridBlock& block, bool locked) {
  for (int r = block.row1; r <= block.row2; ++r)
    for (int c = block.col1; c <= block.col2; ++c) SetCellLocked(r, c, locked);
}

void CSpread7::SetBlockForeColor(const GridBlock& block, const QColor& color) {
  for (int r = block.row1; r <= block.row2; ++r)
    for (int c = block.col1; c <= block.col2; ++c) SetCellForeColor(r, c, color);
}

void CSpread7::SetBlockBackColor(const GridBlock& block, const QColor& color) {
  for (int r = block.row1; r <= block.row2; ++r)
    for (int c = block.col1; c <= block.col2; ++c) SetCellBackColor(r, c, color);
}

void CSpread7::ClearBlockText(const GridBlock& block) {
  for (int r = block.row1; r <= block.row2; ++r)
    for (int c = block.col1; c <= block.col2; ++c)
      if (KindOf(r, c) == CellKind::Text) SetCellText(r, c, QString());
}

void CSpread7::SetCellKind(int row, int col, CellKind kind) {
  QTableWidgetItem* cell = Cell(row, col);
  if (cell == nullptr) return;
  {
    QuietScope quiet(this);
    cell->setData(kKindRole, static_cast<int>(kind));
    if (kind == CellKind::CheckBox) {
      cell->setText(QString());
      cell->setCheckState(Qt::Unchecked);
    } else {
      cell->setData(Qt::CheckStateRole, QVariant());
    }
  }
  UpdateFlags(cell);
}

CellKind CSpread7::KindOf(int row, int col) const { return KindOfItem(Cell(row, col)); }

void CSpread7::SetComboList(int row, int col, const QStringList& items) {
  QTableWidgetItem* cell = Cell(row, col);
  if (cell == nullptr) return;
  if (KindOfItem(cell) != CellKind::ComboBox) SetCellKind(row, col, CellKind::ComboBox);
  QuietScope quiet(this);
  cell->setData(kListRole, items);
  // The shown item stays chosen when it is still in the list.
  int index = static_cast<int>(items.indexOf(cell->text()));
  cell->setData(kIndexRole, index);
  if (index < 0) cell->setText(QString());
}

QStringList CSpread7::ComboList(int row, int col) const {
  const QTableWidgetItem* cell = Cell(row, col);
  return cell != nullptr ? cell->data(kListRole).toStringList() : QStringList();
}

int CSpread7::ComboIndex(int row, int col) const {
  const QTableWidgetItem* cell = Cell(row, col);
  if (cell == nullptr || KindOfItem(cell) != CellKind::ComboBox) return -1;
  QVariant index = cell->data(kIndexRole);
  return index.isValid() ? index.toInt() : -1;
}

void CSpread7::SetComboIndex(int row, int col, int index) {
  QTableWidgetItem* cell = Cell(row, col);
  if (cell == nullptr || KindOfItem(cell) != CellKind::ComboBox) return;
  const QStringList items = cell->data(kListRole).toStringList();
  if (index < 0 || index >= items.size()) index = -1;
  QuietScope quiet(this);
  cell->setData(kIndexRole, index);
  cell->setText(index >= 0 ? items[index] : QString());
}

bool CSpread7::IsCellChecked(int row, int col) const {
  const QTableWidgetItem* cell = Cell(row, col);
  return cell != nullptr && KindOfItem(cell) == CellKind::CheckBox && cell->checkState() == Qt::Checked;
}

void CSpread7::SetCellChecked(int row, int col, bool checked) {
  QTableWidgetItem* cell = Cell(row, col);
  if (cell == nullptr || KindOfItem(cell) != CellKind::CheckBox) return;
  QuietScope quiet(this);
  cell->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

int CSpread7::ActiveRow() const { return currentRow() + 1; }
int CSpread7::ActiveCol() const { return currentColumn() + 1; }

void CSpread7::SetActiveCell(int row, int col) {
  if (Cell(row, col) != nullptr) setCurrentCell(row - 1, col - 1);
}

GridBlock CSpread7::SelectedBlock() const {
  const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
  if (ranges.isEmpty()) {
    if (currentRow() < 0 || currentColumn() < 0) return {};
    return {ActiveRow(), ActiveCol(), ActiveRow(), ActiveCol()};
  }
  GridBlock block{ranges[0].topRow() + 1, ranges[0].leftColumn() + 1, ranges[0].bottomRow() + 1,
                  ranges[0].rightColumn() + 1};
  for (const QTableWidgetSelectionRange& range : ranges) {
    block.row1 = std::min(block.row1, range.topRow() + 1);
    block.col1 = std::min(block.col1, range.leftColumn() + 1);
    block.row2 = std::max(block.row2, range.bottomRow() + 1);
    block.col2 = std::max(block.col2, range.rightColumn() + 1);
  }
  return block;
}

void CSpread7::SelectBlock(const GridBlock& block) {
  clearSelection();
  if (!block.IsValid() || Cell(block.row1, block.col1) == nullptr) return;
  const int row2 = std::min(block.row2, rowCount());
  const int col2 = std::min(block.col2, columnCount());
  setCurrentCell(block.row1 - 1, block.col1 - 1, QItemSelectionModel::NoUpdate);
  setRangeSelected(QTableWidgetSelectionRange(block.row1 - 1, block.col1 - 1, row2 - 1, col2 - 1), true);
}

void CSpread7::SetGreyedOut(bool greyed) {
  greyed_ = greyed;
  for (int r = 0; r < rowCount(); ++r)
    for (int c = 0; c < columnCount(); ++c) UpdateFlags(item(r, c));
  viewport()->update();
}

QString CSpread7::BlockAsText(const GridBlock& block) const {
  QString text;
  for (int r = block.row1; r <= block.row2; ++r) {
    QStringList cells;
    for (int c = block.col1; c <= block.col2; ++c) cells << CellText(r, c);
    text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
  }
  return text;
}

void CSpread7::CopySelection() const {
  const GridBlock block = SelectedBlock();
  if (block.IsValid()) QApplication::clipboard()->setText(BlockAsText(block));
}

bool CSpread7::UserWrite(int row, int col, const QString& text) {
  QTableWidgetItem* cell = Cell(row, col);
  if (cell == nullptr || greyed_ || cell->data(kLockedRole).toBool()) return false;
  if (CellText(row, col) == text) return false;
  switch (KindOfItem(cell)) {
    case CellKind::CheckBox: {
      const QString value = text.trimmed();
      const bool checked =
          value == QLatin1String("1") || value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
      if (checked == (cell->checkState() == Qt::Checked)) return false;
      cell->setCheckState(checked ? Qt::Checked : Qt::Unchecked);  // raises CellChanged
      return true;
    }
    case CellKind::ComboBox: {
      const int index = static_cast<int>(cell->data(kListRole).toStringList().indexOf(text));
      if (index < 0) return false;  // a list cell takes only its own items
      {
        QuietScope quiet(this);
        cell->setData(kIndexRole, index);
      }
      cell->setText(text);
      return true;
    }
    case CellKind::Text:
      cell->setText(text);
      return true;
  }
  return false;
}

int CSpread7::PasteText(const QString& text) {
  const QList<QStringList> rows = SplitBlockText(text);
  const GridBlock target = SelectedBlock();
  if (rows.isEmpty() || !target.IsValid()) return 0;
  int changed = 0;
  if (rows.size() == 1 && rows[0].size() == 1) {
    // One value fills the selected block, as spreadsheets do.
    for (int r = target.row1; r <= target.row2; ++r)
      for (int c = target.col1; c <= target.col2; ++c) changed += UserWrite(r, c, rows[0][0]) ? 1 : 0;
    return changed;
  }
  // A block running past the last row grows the grid as far as it may.
  const int needed = target.row1 + static_cast<int>(rows.size()) - 1;
  const int limit = std::max(pasteGrowthLimit_, rowCount());
  if (needed > rowCount() && pasteGrowthLimit_ > 0 && !greyed_) {
    SetMaxRows(std::min(needed, limit));
    emit RowsGrown(rowCount());
  }
  for (int i = 0; i < rows.size(); ++i) {
    for (int j = 0; j < rows[i].size(); ++j) changed += UserWrite(target.row1 + i, target.col1 + j, rows[i][j]) ? 1 : 0;
  }
  if (needed > limit && pasteGrowthLimit_ > 0 && !greyed_) emit PasteRowsDropped(needed - limit, limit);
  return changed;
}

void CSpread7::PasteFromClipboard() { PasteText(QApplication::clipboard()->text()); }

int CSpread7::DeleteBlock(const GridBlock& block) {
  int changed = 0;
  for (int r = block.row1; r <= block.row2; ++r)
    for (int c = block.col1; c <= block.col2; ++c)
      if (KindOf(r, c) == CellKind::Text) changed += UserWrite(r, c, QString()) ? 1 : 0;
  return changed;
}

void CSpread7::OnItemChanged(QTableWidgetItem* cell) {
  if (quiet_ > 0 || cell == nullptr) return;
  emit CellChanged(cell->row() + 1, cell->column() + 1);
}

void CSpread7::keyPressEvent(QKeyEvent* event) {
  emit KeyDown(event->key(), event->modifiers());
  if (event->matches(QKeySequence::Copy)) {
    CopySelection();
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::Paste)) {
    PasteFromClipboard();
    event->accept();
    return;
  }
  if (state() != QAbstractItemView::EditingState) {
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
      DeleteBlock(SelectedBlock());
      event->accept();
      return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !event->modifiers().testFlag(Qt::ShiftModifier)) {
      SetActiveCell(std::min(ActiveRow() + 1, rowCount()), ActiveCol());
      event->accept();
      return;
    }
  }
  QTableWidget::keyPressEvent(event);
}

bool CSpread7::focusNextPrevChild(bool next) {
  // Tab walks the cells; past the last cell (or before the first) it leaves
  // the grid, so a dialog's Tab order still reaches the other controls.
  if (tabKeyNavigation() && state() != QAbstractItemView::EditingState && rowCount() > 0 && columnCount() > 0) {
    const bool atEnd =
        next ? (ActiveRow() == rowCount() && ActiveCol() == columnCount()) : (ActiveRow() <= 1 && ActiveCol() <= 1);
    if (atEnd) return QWidget::focusNextPrevChild(next);
  }
  return QTableWidget::focusNextPrevChild(next);
}

void CSpread7::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  // Enter in the editor commits; the cursor then goes one row down.
  const bool enter = hint == QAbstractItemDelegate::SubmitModelCache;
  QTableWidget::closeEditor(editor, enter ? QAbstractItemDelegate::NoHint : hint);
  if (enter) SetActiveCell(std::min(ActiveRow() + 1, rowCount()), ActiveCol());
}

void CSpread7::changeEvent(QEvent* event) {
  QTableWidget::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) viewport()->update();
}

}  // namespace quorvel
