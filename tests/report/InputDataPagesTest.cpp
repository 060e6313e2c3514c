// The input-data pages (items 2-20) against the real composer and the shipped
// form files: block sequences, field values, page breaks, gates, contents
// entries; the terrain and fitting frames as pixels.
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "RecordingComposer.h"
#include "ReportTestSupport.h"
#include "report/FittingFigures.h"
#include "report/InputDataPages.h"
#include "report/ReportComposition.h"
#include "report/ReportItems.h"
#include "report/ReportPageDrawing.h"
#include "report/TerrainModelDrawing.h"

namespace quorvel {
namespace {

using test::CountColour;
using test::NonWhite;
using Lines = std::vector<std::string>;

// A composition that found its form files and placed every block.
void Check(const test::ComposedReport& c) {
  QVERIFY(c.result.formsFound);
  const auto& problems = c.composer.Problems();
  QVERIFY2(problems.empty(), problems.empty() ? "" : problems.front().c_str());
}

bool Contains(const Lines& lines, const std::string& prefix) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

CPrintProject Example() {
  CPrintProject project;
  if (!test::LoadExample(project)) qFatal("the example project does not load");
  return project;
}

// A white image with `draw` run on a painter over it.
template <typename Draw>
QImage Painted(QSize size, Draw draw) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  draw(painter);
  return image;
}

}  // namespace

// A small project of `count` nodes on a line, one layer around all of them
// and `soils` soils.
CPrintProject SmallProject(int count, int soils) {
  CPrintProject project;
  for (int i = 0; i < count; ++i) project.Project.Nodes.Nodes.push_back({static_cast<double>(i), 0.0});
  clsGdLayer layer;
  layer.SoilNumber = 1;
  for (int i = 1; i <= count; ++i) layer.BoundaryNodes.push_back(i);
  project.Project.Layers.Layers.push_back(layer);
  for (int i = 1; i <= soils; ++i) {
    clsGdSoil soil;
    soil.Name = "土" + std::to_string(i);
    project.Project.Soils.Soils.push_back(soil);
  }
  return project;
}

const std::string kType = kAnalysisTypeForm;
const std::string kSoil = kSoilWaterForm;
const std::string kCond = kConditionsForm;
const std::string kSoft = kSofteningForm;
const std::string kFit = kFittingForm;
const std::string kSet = kSettingsForm;

class InputDataPagesTest : public QObject {
  Q_OBJECT

 private slots:
  void exampleInputDataBlocksPageBreakAndValues() {
    CPrintProject project = Example();
    test::ComposedReport c(project, {2, 3, 4, 5, 6, 7, 8, 9});
    Check(c);
    const std::string t = kType + " ", s = kSoil + " ";
    // Page 1 ends at line 49 with the sixth node row; page 2 opens with the
    // spacer and the node table's header again.
    const Lines expected = {
        "共通.kvf 0", "共通.kvf 1", t + "3",      "共通.kvf 1", "共通.kvf 2", t + "4",        "共通.kvf 2", s + "0",
        s + "1",      s + "1",      s + "1",      s + "2",      "共通.kvf 2", t + "5",        t + "6",      t + "6",
        t + "6",      t + "6",      t + "6",      t + "6",      "--",         "Gyokan.kvf 0", t + "7",      t + "6",
        t + "6",      t + "12",     "共通.kvf 2", t + "8",      t + "9",      t + "9",        t + "9",      t + "9",
        t + "13",     "共通.kvf 2", s + "11",     s + "4",      s + "5",      s + "5",        s + "6"};
    QCOMPARE(c.Sequence(), expected);
    QCOMPARE(c.composer.Page(1)->lines, 49);

    const PlacedBlock& type = *c.All(kType, 3).at(0);
    QCOMPARE(c.Values(type, {800, 1, 2, 3}),
             (Lines{"Drevia (Drevia研究会)", "ニューマークD法", "排水/非排水", "FEMの応力でスライス内力を計算"}));
    const auto soils = c.All(kSoil, 1);
    QCOMPARE(c.Values(*soils[0], {1, 2, 3, 4, 5, 6, 7}),
             (Lines{"1", "盛土(Bk)", "18.00", "19.00", "30.0", "10.0", "○"}));
    const auto nodes = c.All(kType, 6);
    QCOMPARE(nodes.size(), std::size_t{8});
    QCOMPARE(c.Values(*nodes[0], {1, 2, 3, 4, 5, 6}), (Lines{"1", "0.000", "0.000", "2", "60.000", "0.000"}));
    QCOMPARE(c.Values(*nodes[7], {1, 4, 6}), (Lines{"15", "16", "11.000"}));
  }

  void exampleSearchConditionsAutoOrGiven() {
    CPrintProject project = Example();
    test::ComposedReport c(project, {2, 10, 11, 13});
    // The page family with the most mapping rules (search or given circle, blank slots); the other
    // families' values are the example PDF's sample (ResultFiguresTest) and their coded texts everyCodedText's.
    Check(c);
    QCOMPARE(c.All(kCond, 5).at(0)->Value(2), std::string("自動探索"));
    const PlacedBlock& search = *c.All(kCond, 9).at(0);
    QCOMPARE(c.Values(search, {1, 11, 3, 13, 4, 14}),
             (Lines{"中心格子分割数 (X × Y)", "10 × 8", "中心格子範囲 (x1, y1) － (x2, y2) (m)",
                    "(24.000, 16.000) － (44.000, 30.000)", "半径範囲 最小 － 最大 (m)", "6.000 － 24.000"}));
    // The given circle is left out while the search runs.
    QCOMPARE(c.Values(search, {5, 15, 16, 17, 18, 19, 20}),
             (Lines{"", "", "30", "2", "通過しない", "0.500", "13,7,10,14"}));

    project.Project.Surface.AutoSearch = false;
    test::ComposedReport given(project);
    Check(given);
    QCOMPARE(given.Values(*given.All(kCond, 5).at(0), {2}), Lines{"指定円弧"});
    QCOMPARE(given.Values(*given.All(kCond, 9).at(0), {5, 15}),
             (Lines{"指定円弧 xc, yc, R (m)", "34.000, 22.000, 14.000"}));
  }

  void everyCodedText() {
    struct Case {
      const char* what;
      std::function<void(clsGdProject&, int)> set;
      std::string form;
      int block, slot;
      std::vector<std::pair<int, std::string>> texts;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"method", [](clsGdProject& p, int v) { p.Setting.AnalysisMethod = v; }, kType, 3, 1,
         {{0, "修正フェレニウス法"}, {1, "簡易ビショップ法"}, {2, "ニューマーク法"}, {3, "ニューマークS法"},
          {4, "ニューマークD法"}, {5, "エラー"}, {kNoInt, "エラー"}}},
        {"drainage", [](clsGdProject& p, int v) { p.Setting.DrainageCondition = v; }, kCond, 5, 1,
         {{0, "非排水"}, {1, "排水"}, {2, "排水/非排水"}, {3, "エラー"}}},
        {"reservoir", [](clsGdProject& p, int v) { p.Setting.ReservoirWater = v; }, kCond, 5, 3,
         {{0, "貯水を考慮しない"}, {1, "水平方向の静水圧を考慮する"}, {2, "貯水池内と堤体内の水をバランスする"},
          {-1, "エラー"}}},
        {"fem", [](clsGdProject& p, int v) { p.Setting.FemStress = v; }, kCond, 5, 4,
         {{0, "考慮しない"}, {1, "FEMの応力で直応力を計算"}, {2, "FEMの応力でスライス内力を計算"}, {3, "エラー"}}},
        {"direction", [](clsGdProject& p, int v) { p.Setting.SlipDirection = v; }, kCond, 5, 5,
         {{0, "左すべり"}, {1, "右すべり"}, {2, "エラー"}}},
        {"inversion", [](clsGdProject& p, int v) { p.InputInversion = v; }, kSet, 1, 1,
         {{0, "入力応答加速度を反転しない"}, {1, "入力応答加速度を反転する"},
          {2, "入力応答加速度を反転する/しない両方を考慮"}, {3, "エラー"}}},
        {"averaging", [](clsGdProject& p, int v) { p.ResponseAveraging = v; }, kSet, 1, 2,
         {{0, "土塊すべり内平均"}, {1, "すべり底面の平均応答加速度"}, {2, "エラー"}}},
        {"fit", [](clsGdProject& p, int v) { p.ZeroCross.FitMethod = v; }, kSet, 2, 1,
         {{0, "直線補間"}, {1, "隣接平均法"}, {2, "FFTフィルタ法"}, {7, "FFTフィルタ法"}}},
    };
    // clang-format on
    for (const Case& test : cases)
      for (const auto& [code, text] : test.texts) {
        CPrintProject project;
        test::Select(project, {2, 3, 10, 11, 17, 19, 20});
        test.set(project.Project, code);
        test::ComposedReport c(project);
        Check(c);
        const auto placed = c.All(test.form, test.block);
        QVERIFY2(placed.size() == 1, test.what);
        QVERIFY2(placed[0]->Value(test.slot) == text, (std::string(test.what) + " " + std::to_string(code)).c_str());
      }
  }

  void gatesOfTheGroupsAndTheSofteningParts() {
    struct Case {
      std::initializer_list<int> items;
      bool conditions, softening, fitting, settings;
    };
    const Case cases[] = {
        {{2, 10, 14, 15, 17, 18}, true, true, false, true},
        {{2, 10, 14, 16}, true, false, true, false},
        {{2, 10, 15, 16}, true, false, false, false},  // 14 gates 15 and 16
        {{2, 17}, false, false, false, false},         // heading only
    };
    for (const Case& test : cases) {
      CPrintProject project = Example();
      test::ComposedReport c(project, test.items);
      Check(c);
      const Lines sequence = c.Sequence();
      bool conditions = false;
      for (const auto* heading : c.All("共通.kvf", 1)) conditions = conditions || heading->Value(101) == "解析条件";
      QCOMPARE(conditions, test.conditions);
      QCOMPARE(Contains(sequence, kSoft), test.softening);
      QCOMPARE(Contains(sequence, kFit), test.fitting);
      QCOMPARE(Contains(sequence, kSet), test.settings);
    }
  }

  // A table's heading goes to a new page rather than start within the page's
  // last 7 lines (caption, header, first rows): with 1 to 45 entries in table
  // (1), the next caption meets every line of the page once.
  void softeningCaptionsKeepSevenLinesBelowThem() {
    for (int entries = 1; entries <= 45; ++entries) {
      CPrintProject project = SmallProject(2, 2);
      project.Project.DamageB.Tables.resize(static_cast<std::size_t>(entries));
      test::ComposedReport c(project, {2, 10, 14, 15});
      Check(c);
      int captions = 0;
      for (const PlacedBlock* caption : c.All(kCommonForm, 3)) {
        if (caption->Value(103).rfind("(", 0) != 0) continue;
        ++captions;
        QVERIFY2(caption->firstLine + 7 < kavlet::kPageLines,
                 qPrintable(QString("%1 entries: %2 on line %3")
                                .arg(entries)
                                .arg(QString::fromStdString(caption->Value(103)))
                                .arg(caption->firstLine)));
      }
      QCOMPARE(captions, 5);
    }
  }

  void exampleFittingEntriesFramesAndContents() {
    CPrintProject project = Example();
    test::ComposedReport c(project, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20});
    Check(c);
    Lines frames;
    for (int block : {8, 9})
      for (const PlacedBlock* placed : c.All(kFit, block))
        frames.push_back(placed->Value(900) + " " + placed->Value(901));
    QCOMPARE(frames, (Lines{"両振幅ひずみグラフ_0 SR-N関係グラフ_0", "両振幅ひずみグラフ_1 SR-N関係グラフ_1",
                            "両振幅ひずみグラフ_2 SR-N関係グラフ_2", "DA-αβC_0 SR-N図_0", "DA-αβC_1 SR-N図_1",
                            "DA-αβC_2 SR-N図_2"}));
    const auto names = c.All(kFit, 0);
    QCOMPARE(names.size(), std::size_t{3});
    // Entries after the first open a page of their own, under the spacer.
    const Lines sequence = c.Sequence();
    auto at = std::find(sequence.begin(), sequence.end(), kFit + " 0");
    QVERIFY(at != sequence.end());
    for (++at; (at = std::find(at, sequence.end(), kFit + " 0")) != sequence.end(); ++at)
      QCOMPARE(Lines(at - 2, at), (Lines{"--", "Gyokan.kvf 0"}));
    QCOMPARE(names[1]->Value(999), std::string("砂質土(As)"));

    // Contents: every heading of items 2-20, the softening parts and the
    // fitting heading without a contents line of their own.
    std::vector<int> items;
    for (const ContentsEntry& entry : project.Contents) items.push_back(entry.item);
    QCOMPARE(items,
             (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 15, 15, 15, 15, 16, 17, 18, 19, 20}));
  }

  void terrainModelFrame() {
    CPrintProject project = Example();
    TerrainMapping mapping;
    const QImage image = Painted(QSize(1200, 400), [&](QPainter& painter) {
      mapping = DrawTerrainModel(painter, project.Project, QRectF(0, 0, 1200, 400));
    });
    QVERIFY(mapping.valid);
    // The model spans 60 m by 14 m at one scale.
    QVERIFY(std::abs(mapping.plot.width() / mapping.plot.height() - 60.0 / 14.0) < 1e-9);
    // Layer 1 (base) in its colour 12632256, layer 4 (the crest) in 16764057 (0x00BBGGRR).
    QCOMPARE(image.pixel(mapping.ToFrame(5, 2).toPoint()) & 0xFFFFFFu, qRgb(192, 192, 192) & 0xFFFFFFu);
    QCOMPARE(image.pixel(mapping.ToFrame(31, 12.5).toPoint()) & 0xFFFFFFu, qRgb(153, 204, 255) & 0xFFFFFFu);
    QVERIFY(CountColour(image, qRgb(255, 204, 153)) > 1000);  // layer 2, 10079487

    // On the composed page, through the report's frame drawer.
    test::ComposedReport c(project, {2, 4, 5});
    Check(c);
    const QImage page = RenderReportPage(c.composer, 1, project, QSize(1191, 1684));
    const auto frame = c.composer.PageFrames(1).at(0);
    const double s = 1191.0 / kavlet::kPaperWidth;
    const QImage inside = page.copy(QRect(static_cast<int>(frame.x * s), static_cast<int>(frame.y * s),
                                          static_cast<int>(frame.width * s), static_cast<int>(frame.height * s)));
    QVERIFY(CountColour(inside, qRgb(192, 192, 192)) > 1000);
  }

  void fittingFramesAndIndexBeyondTheList() {
    CPrintProject project = Example();
    bool known = false;
    // Non-white pixels of frame `name` drawn into 600 x 600 pixels; whether the name is a fitting frame.
    const auto drawn = [&](const std::string& name) {
      return NonWhite(Painted(QSize(600, 600), [&](QPainter& painter) {
        painter.scale(600.0 / 4719, 600.0 / 4760);
        known = DrawFittingFrame(painter, project.Project, name, QRectF(0, 0, 4719, 4760));
      }));
    };
    for (const char* prefix : {kStrainFramePrefix, kSrnFramePrefix, kCurvesFramePrefix, kSrnFigureFramePrefix}) {
      QVERIFY2(drawn(std::string(prefix) + "2") > 2000 && known, prefix);
      QVERIFY2(drawn(std::string(prefix) + "3") == 0 && known, prefix);  // entries 0-2 exist; 3 draws nothing
    }
    for (const char* name : {"SR-N図_x", "地形モデル"}) QVERIFY2(drawn(name) == 0 && !known, name);
  }
};

}  // namespace quorvel

QTEST_MAIN(quorvel::InputDataPagesTest)
#include "InputDataPagesTest.moc"
