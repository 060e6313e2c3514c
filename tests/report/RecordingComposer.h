#pragma once
// The real composer with every library call written to a log first, so tests
// assert the exact call sequence and still get real pages; and a report
// composed on it with the shipped form files.
#include <QPainter>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/KavletComposer.h"
#include "report/ReportComposition.h"

namespace quorvel::test {

class RecordingComposer : public CKavletComposer {
 public:
  explicit RecordingComposer(std::vector<std::string>* log = nullptr, bool canBegin = true)
      : log_(log != nullptr ? log : &own_), canBegin_(canBegin) {}

  const std::vector<std::string>& Log() const { return *log_; }

  // clang-format off
  bool BeginPrinting() override { Write("BeginPrinting"); return canBegin_ && CKavletComposer::BeginPrinting(); }
  void SetSpace(int h, int v) override { Write("SetSpace " + N(h) + " " + N(v)); CKavletComposer::SetSpace(h, v); }
  void SetSoejiFlag(int flag) override { Write("SetSoejiFlag " + N(flag)); CKavletComposer::SetSoejiFlag(flag); }
  void SetPrintPageNum(int flag) override { Write("SetPrintPageNum " + N(flag)); CKavletComposer::SetPrintPageNum(flag); }
  void SetStart(const std::vector<std::string>* table, const std::string& folder) override {
    Write(table != nullptr && table->size() == 1000 ? "SetStart" : "SetStart (field table not 1000 slots)");
    CKavletComposer::SetStart(table, folder);
  }
  void SetPage(const std::string& form, int kind, const std::string& block) override {
    Write("SetPage " + form + " " + N(kind) + " " + block);
    CKavletComposer::SetPage(form, kind, block);
  }
  void SetReturn() override { Write("SetReturn"); CKavletComposer::SetReturn(); }
  void SetEnd() override { Write("SetEnd"); CKavletComposer::SetEnd(); }
  void MovePageBefore(int from, int to) override { Write("MovePageBefore " + N(from) + " " + N(to)); CKavletComposer::MovePageBefore(from, to); }
  void EndPrinting() override { Write("EndPrinting"); CKavletComposer::EndPrinting(); }
  void SetDrawPaper(QPagedPaintDevice* device, int page) override { Write("SetDrawPaper " + N(page)); CKavletComposer::SetDrawPaper(device, page); }
  void DrawPage(QPainter& painter, int page, int same) override { Write("DrawPage " + N(page) + " " + N(same)); CKavletComposer::DrawPage(painter, page, same); }
  QPainter* GetGraphDC(QPainter& painter) override { Write("GetGraphDC"); return CKavletComposer::GetGraphDC(painter); }
  void DeleteGraphDC() override { Write("DeleteGraphDC"); CKavletComposer::DeleteGraphDC(); }
  void OnPrintEnd(QPainter& painter) override { Write("OnPrintEnd"); CKavletComposer::OnPrintEnd(painter); }
  // clang-format on

 private:
  void Write(std::string line) { log_->push_back(std::move(line)); }
  static std::string N(int value) { return std::to_string(value); }
  std::vector<std::string> own_;
  std::vector<std::string>* log_;
  bool canBegin_;
};

// `project` composed with the shipped (or `forms`) form files, with `items`
// selected when given; its placed blocks looked up by form and block number.
struct ComposedReport {
  RecordingComposer composer;
  CompositionResult result;

  explicit ComposedReport(CPrintProject& project, std::initializer_list<int> items = {},
                          const std::vector<ReportGroup>& groups = StandardReportGroups(),
                          const std::string& forms = std::string(QUORVEL_PRNFILES) + "/") {
    if (items.size() > 0) project.Project.Print.Items.assign(58, false);
    for (int item : items) project.Project.Print.Items[static_cast<std::size_t>(item)] = true;
    composer.BeginPrinting();
    project.Attach(&composer);
    result = ComposeReport(project, forms, groups);
  }
  ComposedReport(const ComposedReport&) = delete;  // the composer's log points into it
  ComposedReport& operator=(const ComposedReport&) = delete;

  // "form block" of every placed block, pages separated by "--".
  std::vector<std::string> Sequence() const {
    std::vector<std::string> lines;
    for (int p = 1; p <= composer.PageCount(); ++p) {
      if (p > 1) lines.push_back("--");
      for (const PlacedBlock& placed : composer.Page(p)->blocks)
        lines.push_back(placed.form + " " + std::to_string(placed.block->number));
    }
    return lines;
  }
  // Every placed block of `form` and `block`, in order.
  std::vector<const PlacedBlock*> All(const std::string& form, int block) const {
    std::vector<const PlacedBlock*> found;
    for (int p = 1; p <= composer.PageCount(); ++p)
      for (const PlacedBlock& placed : composer.Page(p)->blocks)
        if (placed.form == form && placed.block->number == block) found.push_back(&placed);
    return found;
  }
  int PageOf(const PlacedBlock* placed) const {
    for (int p = 1; p <= composer.PageCount(); ++p)
      for (const PlacedBlock& on : composer.Page(p)->blocks)
        if (&on == placed) return p;
    return 0;
  }
  std::vector<std::string> Frames() const {
    std::vector<std::string> names;
    for (int p = 1; p <= composer.PageCount(); ++p)
      for (const GraphFrame& frame : composer.PageFrames(p)) names.push_back(frame.name);
    return names;
  }
  static std::vector<std::string> Values(const PlacedBlock& placed, std::initializer_list<int> fields) {
    std::vector<std::string> values;
    for (int slot : fields) values.push_back(placed.Value(slot));
    return values;
  }
};

}  // namespace quorvel::test
