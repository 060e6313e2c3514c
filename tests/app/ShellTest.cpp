// The start-up shell in-process: start check, refusal message, language,
// dispatch and the shell's own answers, checked as bytes on disk.
#include <QApplication>
#include <QMessageBox>
#include <QtTest>
#include <filesystem>

#include "ModalAnswerer.h"
#include "TempFolder.h"
#include "app/FontSetup.h"
#include "app/QuorvelApp.h"
#include "host/HostTextFile.h"
#include "host/Language.h"

using quorvel::CQuorvelApp;
using quorvel::ModeResult;
using quorvel::StartMode;
using quorvel::test::ModalAnswerer;
using quorvel::test::TempFolder;

class ShellTest : public QObject {
  Q_OBJECT

 private slots:
  void refusalShowsTheSrnMessageAndWritesNothing_data() {
    QTest::addColumn<QByteArray>("handOff");
    QTest::addColumn<bool>("present");
    QTest::newRow("no file") << QByteArray() << false;
    QTest::newRow("lower case") << QByteArray("tosrnform\r\n0\r\n1\r\n") << true;
    QTest::newRow("leading space") << QByteArray(" ToSrnForm\r\n") << true;
    QTest::newRow("print wanted, English") << QByteArray("ToPrinter\r\nx\r\n1\r\n") << true;
    QTest::newRow("invalid CP932") << QByteArray("ToSrnForm\r\n\x80\r\n0\r\n") << true;
    QTest::newRow("empty") << QByteArray("") << true;
  }
  void refusalShowsTheSrnMessageAndWritesNothing() {
    QFETCH(QByteArray, handOff);
    QFETCH(bool, present);
    TempFolder folder;
    if (present) folder.WriteBytes("temp.txt", std::string(handOff.constData(), static_cast<size_t>(handOff.size())));
    bool windowRan = false;
    ModalAnswerer answerer;
    CQuorvelApp app(folder.Path(), [&](const quorvel::StartRequest&) {
      windowRan = true;
      return ModeResult::Cancel;
    });
    QCOMPARE(app.Run(), ModeResult::NoWindow);
    QVERIFY(!windowRan);
    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(answerer.Seen().first().text,
             QString::fromUtf8("SR-N関連パラメータ及びひずみ逆算定数フィッティングツールは\n単独では起動できません。"));
    QCOMPARE(answerer.Seen().first().buttons.size(), 1);
    QVERIFY(!folder.Exists("writed"));
    if (present)
      QCOMPARE(folder.ReadBytes("temp.txt"), std::string(handOff.constData(), static_cast<size_t>(handOff.size())));
    else
      QVERIFY(!folder.Exists("temp.txt"));
  }

  void answersByModeAndResult_data() {
    QTest::addColumn<QByteArray>("handOff");
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("answer");  // empty: the shell writes nothing
    QTest::addColumn<bool>("flag");
    QTest::newRow("srn cancel") << QByteArray("ToSrnForm\r\nA\r\n0\r\n") << int(ModeResult::Cancel)
                                << QByteArray("ToDrevia\r\nCANCEL") << true;
    QTest::newRow("strain cancel") << QByteArray("ToStrainForm\r\nA\r\n1\r\n") << int(ModeResult::Cancel)
                                   << QByteArray("ToDrevia\r\nCANCEL") << true;
    QTest::newRow("print cancel") << QByteArray("ToPrint\r\nA\r\n0\r\n") << int(ModeResult::Cancel)
                                  << QByteArray("ToDrevia\r\nCANCEL") << true;
    QTest::newRow("print ok") << QByteArray("ToPrint\r\nA\r\n0\r\n") << int(ModeResult::Ok)
                              << QByteArray("ToDrevia\r\nOK\r\n") << true;
    // A form's OK has answered already: the shell adds nothing.
    QTest::newRow("srn ok") << QByteArray("ToSrnForm\r\nA\r\n0\r\n") << int(ModeResult::Ok) << QByteArray() << false;
    QTest::newRow("no window") << QByteArray("ToStrainForm\r\nA\r\n0\r\n") << int(ModeResult::NoWindow) << QByteArray()
                               << false;
  }
  void answersByModeAndResult() {
    QFETCH(QByteArray, handOff);
    QFETCH(int, result);
    QFETCH(QByteArray, answer);
    QFETCH(bool, flag);
    TempFolder folder;
    const std::string original(handOff.constData(), static_cast<size_t>(handOff.size()));
    folder.WriteBytes("temp.txt", original);
    CQuorvelApp app(folder.Path(), [result](const quorvel::StartRequest&) { return ModeResult(result); });
    QCOMPARE(int(app.Run()), result);
    QCOMPARE(folder.Exists("writed"), flag);
    QCOMPARE(folder.ReadBytes("temp.txt"), answer.isEmpty() ? original : answer.toStdString());
    if (flag) {
      QVERIFY(std::filesystem::last_write_time(folder.File("temp.txt")) <=
              std::filesystem::last_write_time(folder.File("writed")));
    }
  }

  void languageAndLabelReachTheWindow_data() {
    QTest::addColumn<QByteArray>("handOff");
    QTest::addColumn<bool>("japanese");
    QTest::addColumn<QString>("label");
    QTest::newRow("0") << QByteArray("ToSrnForm\r\n 1 : 砂 \r\n0\r\n") << true << QString::fromUtf8(" 1 : 砂 ");
    QTest::newRow("0 trailing space") << QByteArray("ToSrnForm\r\nA\r\n0 \r\n") << true << QString("A");
    QTest::newRow("1") << QByteArray("ToSrnForm\r\nA\r\n1\r\n") << false << QString("A");
    QTest::newRow("-1") << QByteArray("ToSrnForm\r\nA\r\n-1\r\n") << false << QString("A");
    QTest::newRow("0x") << QByteArray("ToSrnForm\r\nA\r\n0x\r\n") << false << QString("A");
    QTest::newRow("only line 1") << QByteArray("ToSrnForm") << false << QString();
  }
  void languageAndLabelReachTheWindow() {
    QFETCH(QByteArray, handOff);
    QFETCH(bool, japanese);
    QFETCH(QString, label);
    TempFolder folder;
    std::string bytes;
    QVERIFY(quorvel::Utf8ToCp932(handOff.toStdString(), bytes));  // the host writes CP932
    folder.WriteBytes("temp.txt", bytes);
    bool sawJapanese = !japanese;
    QString sawLabel = QStringLiteral("unset");
    CQuorvelApp app(folder.Path(), [&](const quorvel::StartRequest& request) {
      sawJapanese = quorvel::IsJapanese();
      sawLabel = QString::fromStdString(request.stratumLabel);
      return ModeResult::Cancel;
    });
    app.Run();
    QCOMPARE(sawJapanese, japanese);
    QCOMPARE(sawLabel, label);
    QCOMPARE(folder.ReadBytes("temp.txt"), std::string("ToDrevia\r\nCANCEL"));
  }

  void unwritableFolderNeitherCrashesNorLeavesFiles() {
    TempFolder folder;
    folder.WriteBytes("temp.txt", "ToSrnForm\r\nA\r\n0\r\n");
    // The hand-off file is read, then made unreplaceable: a folder takes the
    // place of the flag file, and the answer's target folder is gone.
    CQuorvelApp app(folder.Path(), [&](const quorvel::StartRequest&) {
      std::filesystem::remove(folder.File("temp.txt"));
      std::filesystem::create_directory(folder.File("temp.txt"));
      std::filesystem::create_directory(folder.File("writed"));
      return ModeResult::Cancel;
    });
    QCOMPARE(app.Run(), ModeResult::Cancel);
    QVERIFY(std::filesystem::is_directory(folder.File("temp.txt")));
    QVERIFY(std::filesystem::is_directory(folder.File("writed")));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) ++entries;
    QCOMPARE(entries, 2);
  }
};

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  quorvel::SetUpFonts();
  ShellTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "ShellTest.moc"
