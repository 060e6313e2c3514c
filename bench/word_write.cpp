// The Word document writer at report scale: per round, a heading block, a
// table block with three filled rows and a page break, then one save. Time per
// block should stay flat from 100 to 10 000 rounds (linear growth).
//   build/<dir>/bin/word_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <string>

#include "platform/WordDocumentWriter.h"

namespace {

void WriteBlocks(benchmark::State& state) {
  const std::string templatePath = std::string(QUORVEL_BINARY_DIR) + "/bin/PrnFiles/Drevia.docm";
  const std::string target = "/tmp/quorvel-word-bench-" + std::to_string(getpid()) + ".docm";
  const auto rounds = static_cast<int>(state.range(0));
  for (auto _ : state) {
    quorvel::WordDocumentWriter writer;
    if (!writer.OpenTemplate(templatePath, true)) {
      state.SkipWithError("template missing: build quorvel_word_template");
      return;
    }
    writer.AppendBlock("Ｄｒｅｖｉａ＿Ｔｉｔｌｅ");
    writer.SetField("タイトル", "benchmark");
    writer.AppendBlock("Ｄｒｅｖｉａ＿Ｉｎｄｅｘ");
    for (int i = 0; i < rounds; ++i) {
      writer.AppendBlock("Ｄｒｅｖｉａ＿１＿２＿２");
      writer.AppendBlock("土質定数の表");
      writer.SetTableCell("all", -1, "");
      for (int row = 0; row < 3; ++row) {
        writer.SetTableCell("番号", row, std::to_string(row + 1));
        writer.SetTableCell("地層名", row, "盛土(Bk)");
        writer.SetTableCell("γｔ", row, "18.000");
      }
      writer.AppendBlock("ＳｅｔＲｅｔｕｒｎ");
    }
    writer.AppendBlock("Ｅｎｄ");
    if (writer.Save(target) != 1) state.SkipWithError("save failed");
  }
  unlink(target.c_str());
  state.SetItemsProcessed(state.iterations() * rounds * 3);
}
BENCHMARK(WriteBlocks)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
