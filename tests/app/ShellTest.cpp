// The start-up shell in-process: start check, refusal message, language,
// dispatch and the shell's own answers, checked as bytes on disk.
#include <QApplication>
#include <QtTest>
#include <filesystem>
#include <tuple>

#include "ModalAnswerer.h"
#include "TempFolder.h"
#include "app/FontSetup.h"
#include "app/QuorvelApp.h"
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

  // The start check's own rules are StartCheck.Cases (host_tests): here the
  // window runs in the hand-off's language with its label as sent, and the
  // shell answers by mode and result.
  void answersByModeAndResult() {
    const std::string cancel = "ToDrevia\r\nCANCEL";
    // hand-off, the window's result, the answer (empty: the shell writes nothing), what the window saw
    const std::tuple<std::string, ModeResult, std::string, std::string> cases[] = {
        {"ToSrnForm\r\n A \r\n0\r\n", ModeResult::Cancel, cancel, "ja| A "},
        {"ToStrainForm\r\nA\r\n1\r\n", ModeResult::Cancel, cancel, "en|A"},
        {"ToPrint\r\nA\r\n0\r\n", ModeResult::Cancel, cancel, "ja|A"},
        {"ToPrint\r\nA\r\n0\r\n", ModeResult::Ok, "ToDrevia\r\nOK\r\n", "ja|A"},
        {"ToSrnForm\r\nA\r\n1\r\n", ModeResult::Ok, "", "en|A"},  // a form's OK has answered already
        {"ToStrainForm\r\nA\r\n0\r\n", ModeResult::NoWindow, "", "ja|A"}};
    for (const auto& [handOff, result, answer, window] : cases) {
      TempFolder folder;
      folder.WriteBytes("temp.txt", handOff);
      const ModeResult windowResult = result;
      std::string seen;
      CQuorvelApp app(folder.Path(), [&](const quorvel::StartRequest& request) {
        seen = (quorvel::IsJapanese() ? "ja|" : "en|") + request.stratumLabel;
        return windowResult;
      });
      QCOMPARE(int(app.Run()), int(result));
      QCOMPARE(seen, window);
      QCOMPARE(folder.Exists("writed"), !answer.empty());
      QCOMPARE(folder.ReadBytes("temp.txt"), answer.empty() ? handOff : answer);
      if (!answer.empty())
        QVERIFY(std::filesystem::last_write_time(folder.File("temp.txt")) <=
                std::filesystem::last_write_time(folder.File("writed")));
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
