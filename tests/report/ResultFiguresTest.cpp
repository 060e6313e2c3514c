// The contour colour index, and the whole example report as a PDF read back
// with poppler: input data and results on the pages its contents name.
#include <QRegularExpression>
#include <QtTest>

#include "ReportTestSupport.h"
#include "report/ResultFigureDrawing.h"

using quorvel::test::TempFolder;

namespace {

QString U(const char* text) { return QString::fromUtf8(text); }

class ResultFiguresTest : public QObject {
  Q_OBJECT

 private slots:
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
