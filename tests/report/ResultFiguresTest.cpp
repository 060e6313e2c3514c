// The result figures drawn into images (the colours each kind of frame must
// hold, nothing for indices beyond their lists) and the whole example report
// as a PDF read back with poppler: input data and results on the pages its
// contents name.
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QtTest>
#include <set>

#include "ReportTestSupport.h"
#include "report/ResultFigureDrawing.h"

using quorvel::test::TempFolder;

namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

// The figure `name` drawn at a tenth of its twips on white.
QImage Draw(const quorvel::clsGdProject& project, const char* name, int width = 9638, int height = 6000) {
  QImage image(width / 10, height / 10, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(0.1, 0.1);
  const quorvel::GraphFrame frame{name, 0, 0, width, height};
  const bool drawn = quorvel::DrawResultFigure(painter, frame, project);
  painter.end();  // before the image may be replaced: the painter still paints on it
  return drawn ? image : QImage();
}

using quorvel::test::CountColour;
bool Blank(const QImage& image) { return quorvel::test::NonWhite(image) == 0; }

class ResultFiguresTest : public QObject {
  Q_OBJECT

 private slots:
  void eachKindOfFrameHoldsItsColours() {
    quorvel::CPrintProject project;
    QVERIFY(quorvel::test::LoadExample(project));
    const quorvel::clsGdProject& p = project.Project;
    // A contour: at least six colours of the scale; the layers outside the mesh in the grey list.
    const QImage contour = Draw(p, "コンター_0");
    QVERIFY(!contour.isNull());
    int scaleColours = 0;
    for (int k = 0; k < 10; ++k)
      scaleColours += CountColour(contour, quorvel::FromColorRef(p.ColourScale[k]).rgb()) > 20;
    QVERIFY2(scaleColours >= 6, qPrintable(QString::number(scaleColours)));
    QVERIFY(CountColour(contour, quorvel::FromColorRef(p.GreyList[2]).rgb()) > 100);  // the dyke's upper layer
    // Slip figures: the circle in its red.
    for (const char* name : {"初期円弧すべり", "最大変位量の円弧すべり", "最大変位量の円弧すべり_EnumPCSdmax",
                             "探索結果(初期)", "探索結果(臨界)"})
      QVERIFY2(CountColour(Draw(p, name), qRgb(220, 0, 0)) > 30, name);
    // Time histories: the curve in its blue.
    QVERIFY(CountColour(Draw(p, "入力加速度", 9638, 3960), qRgb(0, 0, 200)) > 100);
    QVERIFY(CountColour(Draw(p, "変位量_2", 9638, 4000), qRgb(200, 0, 0)) > 50);  // its second curve
    QVERIFY(CountColour(Draw(p, "スライス_2", 9638, 9520), qRgb(0, 0, 200)) > 300);
    // Indices beyond their lists and unknown kinds draw nothing.
    for (const char* name :
         {"コンター_4", "変位量_5", "スライス_3", "最大変位量の円弧すべり_EnumPCSnone", "コンター_x"})
      QVERIFY2(Blank(Draw(p, name)), name);
    // A slice file that cannot be opened: the frame stays blank.
    project.Project.ResultFiles[quorvel::clsGdProject::kResultSlices] = "gone.txt";
    QVERIFY(Blank(Draw(project.Project, "スライス_0", 9638, 9520)));
    QVERIFY(Draw(p, "地形モデル").isNull());  // not a result figure
  }

  void contourColourIndexCoversTheScale() {
    QList<int> indices;
    for (double value : {0.0, 0.0999, 0.1, 1.0, 5.0, -1.0, -9e32})
      indices << quorvel::ContourColourIndex(value, 0.0, 1.0);
    QCOMPARE(indices << quorvel::ContourColourIndex(0.5, 1.0, 1.0), (QList<int>{0, 0, 1, 9, 9, 0, 10, 10}));
  }

  void examplePdfShowsInputAndResultsOnThePagesTheContentsName() {
    TempFolder folder;
    const QString pdf = QString::fromStdString(folder.File("report.pdf"));
    const auto run = quorvel::test::Run(QCoreApplication::applicationDirPath() + "/quorvel-report",
                                        {QString::fromStdString(quorvel::test::kExampleProject), "--pdf", pdf});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    const int pages = quorvel::test::PdfPages(pdf);
    QVERIFY(pages > 20);
    // Printed page n is PDF page n + offset (title and contents pages, which carry no number).
    const auto lastLine = [&pdf](int page) {
      return quorvel::test::PdfPageText(pdf, page).trimmed().split('\n').last();
    };
    const int offset = pages - lastLine(pages).trimmed().toInt();
    QVERIFY(quorvel::test::PdfPageText(pdf, 1).contains(U("河川堤防の地震時安定性照査")));
    QString contents;
    for (int page = 2; page <= offset; ++page) contents += quorvel::test::PdfPageText(pdf, page);
    for (int page = 1; page <= offset; ++page)
      QVERIFY(!QRegularExpression(U("^\\s*\\d+\\s*$")).match(lastLine(page)).hasMatch());
    const auto pageOf = [&](const char* heading) {
      const QRegularExpression line(QStringLiteral("(?m)^\\s*") + QRegularExpression::escape(U(heading)) +
                                    QStringLiteral("[^\\s\\d]+\\s+(\\d+)\\s*$"));  // the leader, then the page
      const QRegularExpressionMatch match = line.match(contents);
      return match.hasMatch() ? match.captured(1).toInt() + offset : -1;
    };
    // The input data first, then the results; each page with its printed number.
    const std::pair<const char*, std::vector<const char*>> expected[] = {
        {"入力データ", {"解析種別", "ニューマークD法", "盛土(Bk)"}},
        {"地層形状", {"4,3,5,14,10,7,13,6", "水位線", "9.810", "7.500"}},
        {"解析条件", {"自動探索", "26.000"}},
        {"計算設定", {"FEMデータ", "wave_L2_spectrum2.csv", "0.10, 0.20, 10.00, 12.00", "1.0E-4"}},
        {"解析結果", {"Total cases:", "1248", "合計 (total)", "5230.4"}},
        {"計算結果", {"Mrslip:", "3702.4"}},
        {"損傷度コンター", {}},
        {"探索明細", {"30.000", "18.000", "1.100"}},
        {"スライス諸量の時刻歴", {"最終損傷度 Dfinal", "time(s)"}}};
    for (const auto& [heading, texts] : expected) {
      const int page = pageOf(heading);
      QVERIFY2(page > offset && page <= pages, heading);
      const QString text = quorvel::test::PdfPageText(pdf, page);
      QCOMPARE(lastLine(page).trimmed(), QString::number(page - offset));
      QVERIFY2(text.contains(U(heading)), heading);
      for (const char* t : texts) QVERIFY2(text.contains(U(t)), qPrintable(U(heading) + ": " + U(t)));
    }
    // The first fitting entry (no contents line of its own) after the softening tables.
    int fitting = pageOf("損傷依存軟化");
    while (fitting < pages && !quorvel::test::PdfPageText(pdf, fitting).contains(U("(6) フィッティングパラメータ")))
      ++fitting;
    const QString fit = quorvel::test::PdfPageText(pdf, fitting);
    for (const char* t : {"盛土(Bk)", "2.8622", "27.1378", "1.0E-6"}) QVERIFY2(fit.contains(U(t)), t);
  }
};

}  // namespace

int RunResultFiguresTests(int argc, char** argv) {
  ResultFiguresTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "ResultFiguresTest.moc"
