#pragma once
// The drawing-setup dialogs ("描画設定" / "Drawing setup"): series colours and
// axis ranges of the SR-N form's graphs (CSetColorSrnDlg) and of the strain
// form's graph (CSetColorStrainDlg). Changes act at once on the owner's
// records (OwnerRedraw asks the owner to repaint); Cancel restores them.
#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "graph/ColourSettings.h"

class QCheckBox;
class QPushButton;

namespace quorvel {

class CSpread7;

class DrawingSetupDialog : public QDialog {
  Q_OBJECT
 public:
  ColourSettingsSession& Session() { return session_; }
  QPushButton* ResetButton() const { return resetButton_; }
  QPushButton* OkButton() const { return okButton_; }
  QPushButton* CancelButton() const { return cancelButton_; }
  // Where the colour reset reads the colour file (the program folder's
  // "color.txt" unless set).
  void SetColourFilePath(std::string path) { colourFilePath_ = std::move(path); }

  // Clicking colour cell (row, col) (1-based) of `grid`: the colour dialog,
  // then on OK the new colour in the cell and in the record.
  void PickColour(CSpread7* grid, int row, int col);
  // The colour reset button.
  void ResetColours();

  void accept() override;
  void reject() override;

 signals:
  // The owner form must repaint its graph(s).
  void OwnerRedraw();

 protected:
  DrawingSetupDialog(ColourRecord& colours, std::vector<DataSetList*> graphs, bool& unchanged, bool markOnOk,
                     QWidget* parent);

  // An axis grid (X and Y rows; minimum, maximum, pitch) for graph `graph`.
  CSpread7* MakeAxisGrid(const QString& objectName, std::size_t graph, bool logX);
  // A colour grid: rows labelled `labels` (in column 1 when colourColumn is
  // 2, else as row titles), each row r holding colour entry entries[r-1].
  CSpread7* MakeColourGrid(const QString& objectName, const QStringList& labels, int colourColumn,
                           std::vector<int> entries, std::size_t graph);
  QCheckBox* MakeAutomaticBox(const QString& objectName, std::size_t graph);
  // Reset, OK and Cancel in one row.
  QWidget* MakeButtons();
  void FillColourGrids();
  // Opens exactly as big as the contents need, which is also the smallest
  // size the user can shrink it to.
  void OpenAtContentSize();
  // Axis cells from the graph settings; each axis grid sized to its numbers.
  void FillAxisGrids();

 private:
  struct ColourGrid {
    CSpread7* grid;
    int column;
    std::vector<int> entries;
    std::size_t graph;
  };
  struct AxisGrid {
    CSpread7* grid;
    std::size_t graph;
    bool logX;
  };
  struct AutomaticBox {
    QCheckBox* box;
    std::size_t graph;
  };
  void OnAxisCellChanged(const AxisGrid& axis, int row, int col);
  void OnAutomaticToggled(const AutomaticBox& box, bool on);
  void ReadAxisGrid(const AxisGrid& axis);
  // Asks the owner to repaint, then shows the axis values and switches the
  // owner left in force (it recomputes automatic ranges while repainting).
  void RedrawOwner();
  void ShowSettingsInForce();

  ColourSettingsSession session_;
  bool markOnOk_;
  bool refreshing_ = false;  // the dialog itself is writing the axis cells
  std::string colourFilePath_;
  std::vector<ColourGrid> colourGrids_;
  std::vector<AxisGrid> axisGrids_;
  std::vector<AutomaticBox> automaticBoxes_;
  QPushButton* resetButton_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

// SR-N form (resource 150): the SR-N graph's axes and colours, the estimated
// curves' colours, and the DA graph's axes and constant colours.
class CSetColorSrnDlg : public DrawingSetupDialog {
  Q_OBJECT
 public:
  // `srnGraph` is the data-set list behind the SR-N graph (its set names label
  // the colour rows), `daGraph` the DA graph's settings.
  CSetColorSrnDlg(ColourRecord& colours, DataSetList& srnGraph, DataSetList& daGraph, bool& unchanged,
                  QWidget* parent = nullptr);
};

// Strain form (resource 149): the strain graph's axes and its two colours.
class CSetColorStrainDlg : public DrawingSetupDialog {
  Q_OBJECT
 public:
  CSetColorStrainDlg(ColourRecord& colours, DataSetList& strainGraph, bool& unchanged, QWidget* parent = nullptr);
};

}  // namespace quorvel
