// The input page's data-file format: exact bytes written, reading rules,
// encodings, and loads that must fail as a whole.
#include <QTest>

#include "TempFolder.h"
#include "host/NumberText.h"
#include "srn/ExpDataFile.h"

using namespace quorvel;

class ExpDataFileTest : public QObject {
  Q_OBJECT
 private slots:
  void pointNumbers_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 2.0 << "2.0";
    QTest::newRow("half") << 1.5 << "1.5";
    QTest::newRow("hundred") << 100.0 << "100.0";
    QTest::newRow("ten decimals") << 0.1234567891 << "0.1234567891";
    QTest::newRow("no value") << kNoValue << "";
  }
  void pointNumbers() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(FormatPointNumber(value)), text);
  }

  void eightLineSave() {
    DataSetList sets;
    CPointDataList five("5");
    five.AppendPoint(1, 0.3);
    five.AppendPoint(10, 0.25);
    sets.Append(std::move(five));
    sets.Append(CPointDataList("3"));
    test::TempFolder folder;
    QVERIFY(WriteExpDataFile(folder.File("out.txt"), sets));
    QCOMPARE(QByteArray::fromStdString(folder.ReadBytes("out.txt")),
             QByteArray("[ExpData]\r\n2\r\n5\r\n2\r\n1.0,0.3\r\n10.0,0.25\r\n3\r\n0\r\n"));
  }

  void pointLines_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::newRow("comma") << "100.0,0.25" << true << 100.0 << 0.25;
    QTest::newRow("space colon space") << "10 : 0.25" << true << 10.0 << 0.25;
    QTest::newRow("two commas") << "10,,0.25" << true << 10.0 << 0.25;
    QTest::newRow("tab") << "10\t0.25" << true << 10.0 << 0.25;
    QTest::newRow("rounded to 3 decimals") << "1.23456,0.0005" << true << 1.235 << 0.001;
    QTest::newRow("third piece ignored") << "1,2,3" << true << 1.0 << 2.0;
    QTest::newRow("text gives no value") << "abc,0.25" << true << kNoValue << 0.25;
    QTest::newRow("one number") << "10" << false << 0.0 << 0.0;
    QTest::newRow("trailing comma") << "10," << false << 0.0 << 0.0;
    QTest::newRow("only delimiters") << ", :" << false << 0.0 << 0.0;
    QTest::newRow("empty") << "" << false << 0.0 << 0.0;
  }
  void pointLines() {
    QFETCH(QString, line);
    QFETCH(bool, readable);
    QFETCH(double, x);
    QFETCH(double, y);
    double readX = 0;
    double readY = 0;
    QCOMPARE(ParseExpDataPointLine(line.toStdString(), readX, readY), readable);
    if (!readable) return;
    QCOMPARE(readX, x);
    QCOMPARE(readY, y);
  }

  void headers_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("loads");
    QTest::addColumn<int>("sets");
    QTest::addColumn<int>("line");  // of the problem; 0: not about one line
    QTest::newRow("bracketed") << QByteArray("[ExpData]\n1\n5\n1\n1.0,0.3\n") << true << 1 << 0;
    QTest::newRow("ExpData list") << QByteArray("ExpData list\n1\n5\n0\n") << true << 1 << 0;
    QTest::newRow("Data") << QByteArray("Data\n1\n5\n0\n") << false << 0 << 1;
    QTest::newRow("empty file") << QByteArray() << false << 0 << 1;
    QTest::newRow("no set count") << QByteArray("[ExpData]\n") << false << 0 << 2;
    QTest::newRow("text count reads 0") << QByteArray("[ExpData]\nmany\n5\n") << true << 0 << 0;
    QTest::newRow("leading integer count") << QByteArray("[ExpData]\n1 set\n5\n1 point\n1,2\n") << true << 1 << 0;
    QTest::newRow("count beyond the lines") << QByteArray("[ExpData]\n3\n5\n0\n") << false << 0 << 5;
    QTest::newRow("points beyond the lines") << QByteArray("[ExpData]\n1\n5\n4\n1,2\n3,4\n") << false << 0 << 4;
    QTest::newRow("short point line") << QByteArray("[ExpData]\n2\n5\n1\n1,2\n3\n1\n7\n") << false << 0 << 8;
    QTest::newRow("binary") << QByteArray("[ExpData]\n1\n\0\x01\x02\n0\n", 16) << false << 0 << 0;
    QTest::newRow("neither encoding") << QByteArray("[ExpData]\n1\n\x81\x20\n0\n") << false << 0 << 0;
  }
  void headers() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, loads);
    QFETCH(int, sets);
    QFETCH(int, line);
    std::vector<CPointDataList> read(1, CPointDataList("kept"));
    ExpDataProblem problem;
    QCOMPARE(ParseExpDataBytes(bytes.toStdString(), read, &problem), loads);
    if (loads) {
      QCOMPARE(static_cast<int>(read.size()), sets);
    } else {
      // A failed load leaves what the caller had and says where and why.
      QCOMPARE(read.size(), std::size_t{1});
      QCOMPARE(read[0].Name, std::string("kept"));
      QCOMPARE(static_cast<int>(problem.Line), line);
      QVERIFY(!problem.Japanese.empty() && !problem.English.empty());
    }
  }

  void encodings_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray utf8 = QByteArray("[ExpData]\r\n1\r\n") + QByteArray("実験データ") + "\r\n1\r\n1.5,0.3\r\n";
    QTest::newRow("CP932") << QByteArray(
        "[ExpData]\r\n1\r\n\x8E\xC0\x8C\xB1\x83\x66\x81\x5B\x83\x5E\r\n1\r\n1.5,0.3\r\n");
    QTest::newRow("UTF-8") << utf8;
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + utf8;
    QTest::newRow("LF only") << QByteArray("[ExpData]\n1\n") + QByteArray("実験データ") + "\n1\n1.5,0.3";
  }
  void encodings() {
    QFETCH(QByteArray, bytes);
    std::vector<CPointDataList> read;
    QVERIFY(ParseExpDataBytes(bytes.toStdString(), read));
    QCOMPARE(read.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(read[0].Name), QStringLiteral("実験データ"));
    QCOMPARE(read[0].PointCount(), std::size_t{1});
    QCOMPARE(read[0].Point(0).x, 1.5);
    QCOMPARE(read[0].Point(0).y, 0.3);
  }

  // What the program writes loads back as the same sets: CP932 that also
  // reads as UTF-8 included, and names with a CR.
  void roundTripKeepsSets_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("written");  // bytes the file must hold
    QTest::newRow("kanji") << "砂質土 1.5" << QByteArray("\r\n\x8D\xBB\x8E\xBF\x93\x79 1.5\r\n");
    QTest::newRow("half-width katakana, valid UTF-8 too") << "ﾃｽ" << QByteArray("\r\n\xC3\xBD\r\n");
    QTest::newRow("CR at the end") << "5\r" << QByteArray("\r\n5\r\r\n");
    QTest::newRow("CR inside") << "5\r3" << QByteArray("\r\n5\r3\r\n");
    // Its CP932 bytes read as UTF-8 "ち": such a name is written in UTF-8 with its mark.
    QTest::newRow("CP932 that reads as other UTF-8") << "縺｡" << QByteArray("\xEF\xBB\xBF[ExpData]\r\n");
  }
  void roundTripKeepsSets() {
    QFETCH(QString, name);
    QFETCH(QByteArray, written);
    DataSetList sets;
    CPointDataList first(name.toStdString());
    first.AppendPoint(1.5, 0.39);
    first.AppendPoint(150, 0.214);
    sets.Append(std::move(first));
    CPointDataList second("-3");
    second.AppendPoint(0.001, 100);
    sets.Append(std::move(second));
    test::TempFolder folder;
    QVERIFY(WriteExpDataFile(folder.File("sets.txt"), sets));
    QVERIFY(QByteArray::fromStdString(folder.ReadBytes("sets.txt")).contains(written));
    std::vector<CPointDataList> read;
    QVERIFY(ReadExpDataFile(folder.File("sets.txt"), read));
    QCOMPARE(read.size(), std::size_t{2});
    for (std::size_t k = 0; k < 2; ++k) {
      QCOMPARE(QString::fromStdString(read[k].Name), QString::fromStdString(sets.At(k).Name));
      QCOMPARE(read[k].Points(), sets.At(k).Points());
    }
  }

  void unwritableAndMissingFiles() {
    test::TempFolder folder;
    DataSetList sets;
    QVERIFY(!WriteExpDataFile(folder.File("no-such-folder/out.txt"), sets));
    CPointDataList unrepresentable("\xF0\x9F\x98\x80");  // no CP932 form
    sets.Append(std::move(unrepresentable));
    QVERIFY(!WriteExpDataFile(folder.File("emoji.txt"), sets));
    QVERIFY(!folder.Exists("emoji.txt"));
    sets.At(0).Name = "5\n3";  // a line break would split the name
    QVERIFY(!WriteExpDataFile(folder.File("lf.txt"), sets));
    QVERIFY(!folder.Exists("lf.txt"));
    std::vector<CPointDataList> read;
    QVERIFY(!ReadExpDataFile(folder.File("missing.txt"), read));
  }
};

int RunExpDataFileTests(int argc, char** argv) {
  ExpDataFileTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "ExpDataFileTest.moc"
