#pragma once
// The real composer with every library call written to a log first, so tests
// assert the exact call sequence and still get real pages.
#include <QPainter>
#include <memory>
#include <string>
#include <vector>

#include "platform/KavletComposer.h"

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

}  // namespace quorvel::test
