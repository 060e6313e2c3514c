#pragma once
// The SR-N form shows one of three pages in its page area (0 input data,
// 1 SR-N optimisation, 2 liquefaction-curve constants). Every page is an
// SrnPage: the form owns the records in SrnFormRecord, the pages keep a
// reference to them and never free anything in them, and the form drives the
// pages only through the operations below.
#include <QWidget>
#include <functional>

namespace quorvel {

class GraphArea;
struct SrnFormRecord;

class SrnPage : public QWidget {
 public:
  // Page indexes, in the order of the left panel's buttons.
  enum Index { kInputData = 0, kSrnOptimize = 1, kLiquidOptimize = 2, kPageCount = 3 };

  SrnPage(SrnFormRecord& record, QWidget* parent) : QWidget(parent), record_(record) {}

  // The form brought this page up (button of the left panel, or page 0 after
  // loading): refresh grids, lists, settings and graph from the records.
  virtual void Activate() = 0;

  // Page 0 changed the data sets (record.DataChanged): drop results that were
  // computed from the old data and rebuild from the records before the page
  // is next activated. The form clears DataChanged afterwards.
  virtual void RefreshFromData() {}

  // The page's graph area, which the form's toolbar (zoom in, zoom reset,
  // copy, large screen, wheel) acts on; nullptr when the page has none.
  virtual GraphArea* Graph() { return nullptr; }
  // Rebuild the drawn series and repaint (after the drawing-setup dialog).
  virtual void RedrawGraph() { update(); }

  // Page 1: whether its own optimised-parameter list holds any row. The form
  // needs a fitted SR-N curve list AND this before it opens page 2.
  virtual bool HasOwnResults() const { return true; }

  // Page 2: stores its constant grid into record.ConstantSettings (step 8 of
  // the form's OK), and tells whether its optimisation has not finished yet.
  virtual void StoreToRecords() {}
  virtual bool OptimisationNotFinished() const { return false; }

 protected:
  SrnFormRecord& Record() { return record_; }
  const SrnFormRecord& Record() const { return record_; }

 private:
  SrnFormRecord& record_;
};

// Makes page 1 or 2 as a child of `parent` (the form's page area), which owns
// it. The form makes its real pages itself; tests hand the form a factory
// for the pages they replace, and nullptr from it means "the real page".
using SrnPageFactory = std::function<SrnPage*(int pageIndex, SrnFormRecord& record, QWidget* parent)>;

}  // namespace quorvel
