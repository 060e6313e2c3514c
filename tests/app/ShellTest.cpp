// The start-up shell in-process: start check, refusal message, language,
// dispatch and the shell's own answers, checked as bytes on disk.
#include <QApplication>
#include <QMessageBox>
#include <QtTest>
#include <filesystem>
#include <tuple>

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
  // No hand-off (empty: no file at all), or one for no form: the message, nothing written.
  void refusalShowsTheSrnMessageAndWritesNothing() {
    const QByteArray handOffs[] = {QByteArray(), " ToSrnForm\r\n", "ToSrnForm\r\n\x80\r\n0\r\n", QByteArray("", 0)};
    bool present = false;  // the first has no file
    for (const QByteArray& handOff : handOffs) {
      TempFolder folder;
      const std::string bytes = handOff.toStdString();
      if (present) folder.WriteBytes("temp.txt", bytes);
      bool windowRan = false;
      ModalAnswerer answerer;
      CQuorvelApp app(folder.Path(), [&](const quorvel::StartRequest&) {
        windowRan = true;
        return ModeResult::Cancel;
      });
      QCOMPARE(app.Run(), ModeResult::NoWindow);
      QVERIFY(!windowRan && !folder.Exists("writed"));
      QCOMPARE(answerer.Seen().size(), 1);
      QCOMPARE(
          answerer.Seen().first().text,
          QString::fromUtf8("SR-N関連パラメータ及びひずみ逆算定数フィッティングツールは\n単独では起動できません。"));
      QCOMPARE(answerer.Seen().first().buttons.size(), 1);
      QCOMPARE(folder.Exists("temp.txt") ? folder.ReadBytes("temp.txt") : std::string("<none>"),
               present ? bytes : std::string("<none>"));
      present = true;
    }
  }

  void answersByModeAndResult() {
    const std::string cancel = "ToDrevia\r\nCANCEL";
    // hand-off, the window's result, the answer (empty: the shell writes nothing)
    const std::tuple<std::string, ModeResult, std::string> cases[] = {
        {"ToSrnForm\r\nA\r\n0\r\n", ModeResult::Cancel, cancel},
        {"ToStrainForm\r\nA\r\n1\r\n", ModeResult::Cancel, cancel},
        {"ToPrint\r\nA\r\n0\r\n", ModeResult::Cancel, cancel},
        {"ToPrint\r\nA\r\n0\r\n", ModeResult::Ok, "ToDrevia\r\nOK\r\n"},
        {"ToSrnForm\r\nA\r\n0\r\n", ModeResult::Ok, ""},  // a form's OK has answered already
        {"ToStrainForm\r\nA\r\n0\r\n", ModeResult::NoWindow, ""}};
    for (const auto& [handOff, result, answer] : cases) {
      TempFolder folder;
      folder.WriteBytes("temp.txt", handOff);
      const ModeResult windowResult = result;
      CQuorvelApp app(folder.Path(), [windowResult](const quorvel::StartRequest&) { return windowResult; });
      QCOMPARE(int(app.Run()), int(result));
      QCOMPARE(folder.Exists("writed"), !answer.empty());
      QCOMPARE(folder.ReadBytes("temp.txt"), answer.empty() ? handOff : answer);
      if (!answer.empty())
        QVERIFY(std::filesystem::last_write_time(folder.File("temp.txt")) <=
                std::filesystem::last_write_time(folder.File("writed")));
    }
  }

  void languageAndLabelReachTheWindow() {
    // The start check's own rules are StartCheck.Cases (host_tests): here the
    // language is set before the window runs and the label reaches it as sent.
    const std::tuple<const char*, bool, const char*> cases[] = {{"ToSrnForm\r\n 1 : 砂 \r\n0\r\n", true, " 1 : 砂 "},
                                                                {"ToSrnForm\r\nA\r\n1\r\n", false, "A"}};
    for (const auto& [handOff, japanese, label] : cases) {
      TempFolder folder;
      std::string bytes;
      QVERIFY(quorvel::Utf8ToCp932(handOff, bytes));  // the host writes CP932
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
      QCOMPARE(sawLabel, QString::fromUtf8(label));
      QCOMPARE(folder.ReadBytes("temp.txt"), std::string("ToDrevia\r\nCANCEL"));
    }
  }
};

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  quorvel::SetUpFonts();
  ShellTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "ShellTest.moc"
