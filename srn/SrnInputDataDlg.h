#pragma once
// CSrnInputDataDlg, page 0 of the SR-N form: the laboratory results as data
// sets (one per DA level) of (N, SR) points. The user adds and deletes sets,
// edits the selected set in a two-column grid, loads and saves data files,
// copies all sets as text, and sees the sets with the fitted SR-N curves of
// the form in the SR-N graph.
#include <QString>
#include <string>
#include <vector>

#include "graph/DataSetList.h"
#include "graph/PointDataList.h"
#include "srn/SrnPage.h"

class QComboBox;
class QPushButton;

namespace quorvel {

class CExpButton;
class CExpStatic;
class CSpread7;

struct IncompletePoint;

// "5%データ 2行目の「繰返し載荷回数」に数値が入力されていません。" (or the
// English line) for a point of `sets` that lacks a number.
QString IncompletePointText(const DataSetList& sets, const IncompletePoint& point);

class CSrnInputDataDlg : public SrnPage {
  Q_OBJECT
 public:
  // `programFolder` is where the file dialogs start before a file was used.
  CSrnInputDataDlg(SrnFormRecord& record, QWidget* parent, QString programFolder = {});
  ~CSrnInputDataDlg() override;

  // SrnPage.
  void Activate() override;
  GraphArea* Graph() override { return graph_; }
  void RedrawGraph() override;

  // The operations behind the buttons, callable without the file dialogs.
  void AddSet();  // "追加": asks for the DA value
  // Adds a set named `value` ("%d"); false and the duplicate message when the
  // name exists already.
  bool AddSetNamed(int value);
  void DeleteSet();  // "削除": asks first
  void ApplyGrid();  // "データ反映": the grid's complete rows become the selected set's points
  void Load();       // "読込": file dialog, then LoadDataFile
  void Save();       // "保存": file dialog, then SaveDataFile
  bool LoadDataFile(const QString& path);  // message on failure
  // Message on failure; a point without both numbers is refused (the file
  // could not be read back).
  bool SaveDataFile(const QString& path);
  void Copy();  // "CP": CopyText() onto the clipboard
  QString CopyText() const;

  // Shows the selected set's points (fills the set list first when it is empty).
  void ShowSelectedSet();
  void RefillSetList();
  int SelectedIndex() const;
  const QString& LastDataFile() const { return lastDataFile_; }

  // The drawn fitted-curve series (rebuilt on every change).
  const std::vector<CPointDataList>& CurveSeries() const { return curveSeries_; }
  // Rebuilds ranges and series and hands them to the graph.
  void RebuildGraphSeries();

  CSpread7* Grid() const { return grid_; }
  QComboBox* SetList() const { return setList_; }

 private:
  void OnCellChanged(int row, int col);
  void OnGridKey(int key, Qt::KeyboardModifiers modifiers);
  void OnSetChosen(int index);
  void DiscardOptimisationResults();
  void UpdateEnabledState();
  void AfterGridEdit();
  QString FileFilter() const;
  QString StartFolder() const;
  void ShowGraphExplanation();

  QString programFolder_;
  QString lastDataFile_;
  std::vector<CPointDataList> curveSeries_;
  bool filling_ = false;

  CExpStatic* title_ = nullptr;
  GraphArea* graph_ = nullptr;
  CSpread7* grid_ = nullptr;
  QComboBox* setList_ = nullptr;
  QPushButton* addButton_ = nullptr;
  QPushButton* deleteButton_ = nullptr;
  QPushButton* loadButton_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QPushButton* applyButton_ = nullptr;
  QPushButton* copyButton_ = nullptr;
  CExpButton* explainButton_ = nullptr;
};

}  // namespace quorvel
