#include "graph/SetColorDlg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/CommonDialogs.h"
#include "controls/DialogConventions.h"
#include "controls/GridAccess.h"
#include "controls/UiText.h"
#include "graph/GraphDrawer.h"
#include "host/Language.h"
#include "host/NumberText.h"
#include "host/ProgramFolder.h"
#include "platform/Spread7.h"

namespace quorvel {
namespace {

constexpr int kAxisDecimals = 3;
constexpr AxisField kAxisFields[2][3] = {{AxisField::XMinimum, AxisField::XMaximum, AxisField::XPitch},
                                         {AxisField::YMinimum, AxisField::YMaximum, AxisField::YPitch}};

// A grid takes the size of its contents: each column as wide as its title and
// its widest cell (and at least `minimumWidths`), the grid tall enough for
// every row, so no column or label hides behind a scroll bar.
void FitGridToContents(CSpread7* grid, const std::vector<int>& minimumWidths = {}) {
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QHeaderView* top = grid->horizontalHeader();
  QHeaderView* side = grid->verticalHeader();
  top->setStretchLastSection(false);
  int width = side->isHidden() ? 0 : side->sizeHint().width();
  for (int c = 0; c < grid->columnCount(); ++c) {
    grid->resizeColumnToContents(c);  // the wider of the title and the cells
    int column = grid->columnWidth(c);
    const auto index = static_cast<std::size_t>(c);
    if (index < minimumWidths.size()) column = std::max(column, minimumWidths[index]);
    grid->setColumnWidth(c, column);
    width += column;
  }
  // A wider dialog gives the extra room to the last column.
  top->setStretchLastSection(true);
  int height = top->isHidden() ? 0 : top->sizeHint().height();
  for (int r = 0; r < grid->rowCount(); ++r) height += grid->rowHeight(r);
  grid->setMinimumWidth(width + 2 * grid->frameWidth());
  grid->setFixedHeight(height + 2 * grid->frameWidth());
}

// Room for a typed range such as "-10000.000" in an axis cell.
int NumberColumnWidth(const CSpread7& grid) {
  const QFontMetrics metrics = grid.fontMetrics();
  return metrics.horizontalAdvance(QStringLiteral("-10000.000")) + 2 * metrics.averageCharWidth();
}

}  // namespace

DrawingSetupDialog::DrawingSetupDialog(ColourRecord& colours, std::vector<DataSetList*> graphs, bool& unchanged,
                                       bool markOnOk, QWidget* parent)
    : QDialog(parent),
      session_(colours, std::move(graphs), unchanged),
      markOnOk_(markOnOk),
      colourFilePath_(ProgramFile(kColourFileName)) {
  setWindowTitle(UiText(10108));
}

CSpread7* DrawingSetupDialog::MakeAxisGrid(const QString& objectName, std::size_t graph, bool logX) {
  auto* grid = new CSpread7(2, 3, this);
  grid->setObjectName(objectName);
  grid->SetColumnTitles({UiText(10048), UiText(10049), UiText(10110)});
  grid->SetRowTitle(1, UiText(10113));
  grid->SetRowTitle(2, UiText(10111));
  for (int c = 1; c <= 3; ++c) grid->SetColumnAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
  axisGrids_.push_back({grid, graph, logX});
  const AxisGrid axis = axisGrids_.back();
  connect(grid, &CSpread7::CellChanged, this, [this, axis](int row, int col) { OnAxisCellChanged(axis, row, col); });
  return grid;
}

CSpread7* DrawingSetupDialog::MakeColourGrid(const QString& objectName, const QStringList& labels, int colourColumn,
                                             std::vector<int> entries, std::size_t graph) {
  auto* grid = new CSpread7(static_cast<int>(labels.size()), colourColumn, this);
  grid->setObjectName(objectName);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->SetColumnTitle(colourColumn, UiText(10071));
  for (int r = 1; r <= static_cast<int>(labels.size()); ++r) {
    if (colourColumn == 2) {
      grid->SetCellText(r, 1, labels[r - 1]);
      grid->SetCellLocked(r, 1, true);
    } else {
      grid->SetRowTitle(r, labels[r - 1]);
    }
    grid->SetCellLocked(r, colourColumn, true);
  }
  // The grid only answers clicks on colour cells; a highlighted row would
  // look like a choice the user made.
  grid->setSelectionMode(QAbstractItemView::NoSelection);
  grid->clearSelection();
  std::vector<int> minimumWidths;
  if (colourColumn == 2) {
    grid->SetColumnTitle(1, QString());
    minimumWidths.push_back(grid->fontMetrics().averageCharWidth() * 16);
  }
  minimumWidths.push_back(grid->fontMetrics().averageCharWidth() * 8);
  colourGrids_.push_back({grid, colourColumn, std::move(entries), graph});
  connect(grid, &QTableWidget::cellClicked, this, [this, grid, colourColumn](int row, int col) {
    if (col + 1 == colourColumn) PickColour(grid, row + 1, col + 1);
  });
  FitGridToContents(grid, minimumWidths);
  return grid;
}

QCheckBox* DrawingSetupDialog::MakeAutomaticBox(const QString& objectName, std::size_t graph) {
  auto* box = new QCheckBox(UiText(10109), this);
  box->setObjectName(objectName);
  box->setAccessibleName(box->text());
  box->setChecked(session_.Graph(graph).AutomaticAdjustment);
  automaticBoxes_.push_back({box, graph});
  const AutomaticBox entry = automaticBoxes_.back();
  connect(box, &QCheckBox::toggled, this, [this, entry](bool on) { OnAutomaticToggled(entry, on); });
  return box;
}

QWidget* DrawingSetupDialog::MakeButtons() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  resetButton_ = new QPushButton(UiText(10112), row);
  NameControl(resetButton_, "resetColourButton", resetButton_->text());  // 1052
  okButton_ = new QPushButton(QStringLiteral("OK"), row);
  NameControl(okButton_, "okButton", okButton_->text());
  cancelButton_ = new QPushButton(UiText(10010), row);
  NameControl(cancelButton_, "cancelButton", cancelButton_->text());
  layout->addWidget(resetButton_);
  layout->addStretch(1);
  layout->addWidget(okButton_);
  layout->addWidget(cancelButton_);
  connect(resetButton_, &QPushButton::clicked, this, &DrawingSetupDialog::ResetColours);
  connect(okButton_, &QPushButton::clicked, this, &DrawingSetupDialog::accept);
  connect(cancelButton_, &QPushButton::clicked, this, &DrawingSetupDialog::reject);
  DialogConventions::Install(this, okButton_, cancelButton_);
  return row;
}

void DrawingSetupDialog::FillColourGrids() {
  for (const ColourGrid& colourGrid : colourGrids_) {
    for (std::size_t r = 0; r < colourGrid.entries.size(); ++r) {
      colourGrid.grid->SetCellBackColor(static_cast<int>(r) + 1, colourGrid.column,
                                        ColourFromWindows(session_.Colours().Entry(colourGrid.entries[r])));
    }
  }
}

void DrawingSetupDialog::FillAxisGrids() {
  for (const AxisGrid& axis : axisGrids_) {
    const DataSetList& graph = session_.Graph(axis.graph);
    for (int r = 0; r < 2; ++r) {
      for (int c = 0; c < 3; ++c) {
        if (axis.logX && r == 0 && c == 2) {
          axis.grid->SetCellText(1, 3, UiText(10121));
          axis.grid->SetCellLocked(1, 3, true);
          continue;
        }
        WriteCellNumber(*axis.grid, r + 1, c + 1, ColourSettingsSession::AxisValue(graph, kAxisFields[r][c]),
                        kAxisDecimals);
      }
    }
    const int numberWidth = NumberColumnWidth(*axis.grid);
    FitGridToContents(axis.grid, {numberWidth, numberWidth, numberWidth});
  }
}

void DrawingSetupDialog::OpenAtContentSize() {
  // A dialog not yet shown has a default size unrelated to its contents.
  if (QLayout* layout = this->layout()) layout->activate();
  resize(sizeHint());
  KeepInitialSizeAsMinimum(this);
}

void DrawingSetupDialog::RedrawOwner() {
  emit OwnerRedraw();
  ShowSettingsInForce();
}

void DrawingSetupDialog::ShowSettingsInForce() {
  // The owner may have recomputed the ranges while redrawing (automatic
  // adjustment); the cells show what the graph now uses. These writes are
  // not the user's, so they must not switch the adjustment off again.
  refreshing_ = true;
  FillAxisGrids();
  for (const AutomaticBox& box : automaticBoxes_) {
    const QSignalBlocker quiet(box.box);
    box.box->setChecked(session_.Graph(box.graph).AutomaticAdjustment);
  }
  refreshing_ = false;
  // A longer number may have widened a grid beyond the window.
  if (QLayout* layout = this->layout()) {
    layout->activate();
    resize(size().expandedTo(minimumSizeHint()));
  }
}

void DrawingSetupDialog::PickColour(CSpread7* grid, int row, int col) {
  for (const ColourGrid& colourGrid : colourGrids_) {
    if (colourGrid.grid != grid || col != colourGrid.column || row < 1 ||
        row > static_cast<int>(colourGrid.entries.size())) {
      continue;
    }
    QColor colour = grid->CellBackColor(row, col);
    if (!ChooseColor(this, colour)) return;
    grid->SetCellBackColor(row, col, colour);
    session_.SetColour(colourGrid.entries[static_cast<std::size_t>(row - 1)], WindowsFromColour(colour),
                       colourGrid.graph);
    RedrawOwner();
    return;
  }
}

void DrawingSetupDialog::ResetColours() {
  if (!session_.ResetColours(colourFilePath_)) return;
  FillColourGrids();
  RedrawOwner();
}

void DrawingSetupDialog::OnAxisCellChanged(const AxisGrid& axis, int row, int col) {
  if (refreshing_ || row < 1 || row > 2 || col < 1 || col > 3 || (axis.logX && row == 1 && col == 3)) return;
  const double value = ReadCellNumber(*axis.grid, row, col);
  session_.SetAxisValue(axis.graph, kAxisFields[row - 1][col - 1], value);
  WriteCellNumber(*axis.grid, row, col, value, kAxisDecimals);
  for (const AutomaticBox& box : automaticBoxes_) {
    if (box.graph != axis.graph) continue;
    const QSignalBlocker quiet(box.box);
    box.box->setChecked(false);
  }
  RedrawOwner();
}

void DrawingSetupDialog::ReadAxisGrid(const AxisGrid& axis) {
  DataSetList& graph = session_.Graph(axis.graph);
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 3; ++c) {
      if (axis.logX && r == 0 && c == 2) continue;
      session_.SetAxisValue(axis.graph, kAxisFields[r][c], ReadCellNumber(*axis.grid, r + 1, c + 1));
    }
  }
  graph.AutomaticAdjustment = false;
}

void DrawingSetupDialog::OnAutomaticToggled(const AutomaticBox& box, bool on) {
  session_.SetAutomatic(box.graph, on);
  if (!on) {
    for (const AxisGrid& axis : axisGrids_) {
      if (axis.graph == box.graph) ReadAxisGrid(axis);
    }
  }
  RedrawOwner();
}

void DrawingSetupDialog::accept() {
  session_.Accept(markOnOk_);
  emit OwnerRedraw();
  QDialog::accept();
}

void DrawingSetupDialog::reject() {
  session_.Cancel();
  emit OwnerRedraw();
  QDialog::reject();
}

CSetColorSrnDlg::CSetColorSrnDlg(ColourRecord& colours, DataSetList& srnGraph, DataSetList& daGraph, bool& unchanged,
                                 QWidget* parent)
    : DrawingSetupDialog(colours, {&srnGraph, &daGraph}, unchanged, true, parent) {
  setObjectName(QStringLiteral("setColorSrnDialog"));
  // Rows of the data-series colours carry the names of the sets using them.
  QStringList dataLabels;
  for (std::size_t r = 0; r < 10; ++r) {
    QString names;
    for (std::size_t k = r; k < srnGraph.Count(); k += 10) {
      if (!names.isEmpty()) names += QStringLiteral(", ");
      names += ToQt(srnGraph.At(k).Name);
    }
    dataLabels << (names.isEmpty() ? QString() : names + UiText("%データ", "% Data"));
  }
  const QString estimation = UiText(10073);
  const QStringList estimatedLabels{QStringLiteral("0.5, 20.0%") + estimation,
                                    QStringLiteral("2.0～18.5%") + estimation,
                                    QStringLiteral("40,60,80,100%") + estimation};
  QStringList constantLabels;
  for (const char* name : {"α", "β", "C"}) {
    constantLabels << (IsJapanese() ? QString::fromUtf8(name) + UiText(10056)
                                    : UiText(10056) + QStringLiteral(" of the ") + QString::fromUtf8(name));
  }

  auto* srnGroup = new QGroupBox(UiText(10011), this);  // 1075
  srnGroup->setObjectName(QStringLiteral("srnGroup"));
  auto* srnLayout = new QVBoxLayout(srnGroup);
  srnLayout->addWidget(MakeAxisGrid(QStringLiteral("srnAxisGrid"), 0, true));    // 1096
  srnLayout->addWidget(MakeAutomaticBox(QStringLiteral("srnAutomaticBox"), 0));  // 1072
  srnLayout->addWidget(
      MakeColourGrid(QStringLiteral("dataColourGrid"), dataLabels, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0));  // 1061
  srnLayout->addWidget(MakeColourGrid(QStringLiteral("estimatedColourGrid"), estimatedLabels, 2, {11, 12, 13},
                                      0));  // 1073

  auto* daGroup = new QGroupBox(UiText(10014), this);  // 1071
  daGroup->setObjectName(QStringLiteral("daGroup"));
  auto* daLayout = new QVBoxLayout(daGroup);
  daLayout->addWidget(MakeAxisGrid(QStringLiteral("daAxisGrid"), 1, false));   // 1095
  daLayout->addWidget(MakeAutomaticBox(QStringLiteral("daAutomaticBox"), 1));  // 1082
  daLayout->addWidget(MakeColourGrid(QStringLiteral("constantColourGrid"), constantLabels, 2, {14, 15, 16},
                                     1));  // 1074
  daLayout->addStretch(1);

  auto* groups = new QHBoxLayout;
  groups->addWidget(srnGroup);
  groups->addWidget(daGroup);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups);
  layout->addWidget(MakeButtons());
  FillAxisGrids();
  FillColourGrids();
  OpenAtContentSize();
}

CSetColorStrainDlg::CSetColorStrainDlg(ColourRecord& colours, DataSetList& strainGraph, bool& unchanged,
                                       QWidget* parent)
    : DrawingSetupDialog(colours, {&strainGraph}, unchanged, false, parent) {
  setObjectName(QStringLiteral("setColorStrainDialog"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeAxisGrid(QStringLiteral("strainAxisGrid"), 0, false));   // 1094
  layout->addWidget(MakeAutomaticBox(QStringLiteral("strainAutomaticBox"), 0));  // 1072
  layout->addWidget(MakeColourGrid(QStringLiteral("strainColourGrid"), {UiText(10056), UiText(10055)}, 1, {17, 18},
                                   0));  // 1103
  layout->addStretch(1);
  layout->addWidget(MakeButtons());
  FillAxisGrids();
  FillColourGrids();
  OpenAtContentSize();
}

}  // namespace quorvel
