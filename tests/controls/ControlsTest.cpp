// Buttons, statics, message boxes, clipboard, dialogs and the dialog conventions.
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <tuple>

#include "controls/Clipboard.h"
#include "controls/CommonDialogs.h"
#include "controls/DialogConventions.h"
#include "controls/ExpButton.h"
#include "controls/ExpStatic.h"
#include "controls/MessageBoxes.h"
#include "host/Language.h"
#include "tests/support/ModalAnswerer.h"

using quorvel::CExpButton;
using quorvel::RichTextRun;
using quorvel::test::ModalAnswerer;

class ControlsTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { quorvel::SetCurrentLanguage(quorvel::kJapanese); }

  // Only styles 0 and 7 flip on a click, and only with the toggle on.
  void toggleFlipsOnlyStylesZeroAndSeven() {
    for (int style = 0; style <= 8; ++style) {
      CExpButton button(QStringLiteral("B"));
      button.resize(60, 24);
      button.SetStyle(style % 8);
      button.SetToggle(style < 8);
      button.show();
      QSignalSpy clicks(&button, &QPushButton::clicked);
      QTest::mouseClick(&button, Qt::LeftButton);
      QCOMPARE(button.Checked(), style == 0 || style == 7);
      QCOMPARE(clicks.count(), 1);
      QTest::mouseClick(&button, Qt::LeftButton);
      QCOMPARE(button.Checked(), false);
    }
  }

  // Disabled, the gradient button's caption still stands out from its grey
  // face (by 60 grey levels over at least half the pixels the enabled caption
  // covers), and is lighter than the enabled one.
  void disabledGradientCaptionIsReadable() {
    CExpButton button(QStringLiteral("計算開始"));
    button.SetStyle(CExpButton::kGradient);
    button.resize(96, 34);
    auto ink = [&button](int& darkest) {
      const QImage image = button.grab().toImage();
      int count = 0;
      darkest = 255;
      for (int y = 2; y < image.height() - 2; ++y) {
        const int face = qGray(image.pixel(2, y));
        for (int x = 2; x < image.width() - 2; ++x) {
          const int grey = qGray(image.pixel(x, y));
          count += std::abs(grey - face) >= 60;
          darkest = std::min(darkest, grey);
        }
      }
      return count;
    };
    int enabledDarkest = 0, disabledDarkest = 0;
    const int enabled = ink(enabledDarkest);
    button.setEnabled(false);
    const int disabled = ink(disabledDarkest);
    QVERIFY2(enabled > 20 && disabled * 2 >= enabled, qPrintable(QStringLiteral("%1 %2").arg(enabled).arg(disabled)));
    QVERIFY(disabledDarkest > enabledDarkest);
  }

  void richTextRuns() {
    // Each run as its kind (0 plain, 1 superscript, 2 subscript) and its text.
    const std::pair<const char*, const char*> cases[] = {{"m{^2}", "0m 12"},
                                                         {"{_x}", "2x"},
                                                         {"a{^bc", "0a 1bc"},
                                                         {"N{_c}{^2} kN", "0N 2c 12 0 kN"},
                                                         {"a}b{c", "0a}b{c"} /* plain braces stay */,
                                                         {"", ""}};
    for (const auto& [text, expected] : cases) {
      QStringList runs;
      for (const RichTextRun& run : quorvel::SplitRichText(QString::fromUtf8(text)))
        runs << QString::number(static_cast<int>(run.kind)) + run.text;
      QCOMPARE(runs.join(QLatin1Char(' ')), QString::fromUtf8(expected));
    }
  }

  void messageBoxButtons() {
    // caption, Yes and No, OK and Cancel
    const QStringList languages[][3] = {{{"確認"}, {"はい", "いいえ"}, {"OK", "キャンセル"}},
                                        {{"Caution"}, {"Yes", "No"}, {"OK", "Cancel"}}};
    for (int language : {quorvel::kJapanese, quorvel::kEnglish}) {
      const QStringList* texts = languages[language == quorvel::kJapanese ? 0 : 1];
      const QString caption = texts[0][0];
      const QStringList &yesNo = texts[1], &okCancel = texts[2];
      quorvel::SetCurrentLanguage(language);
      ModalAnswerer answerer;
      answerer.Queue(ModalAnswerer::ClickButtonWithText(yesNo[1]));
      QCOMPARE(quorvel::AskYesNo(nullptr, QStringLiteral("?")), static_cast<int>(quorvel::kIdNo));
      answerer.Queue(ModalAnswerer::ClickButtonWithText(yesNo[0]));
      QCOMPARE(quorvel::AskYesNo(nullptr, QStringLiteral("?")), static_cast<int>(quorvel::kIdYes));
      answerer.Queue(ModalAnswerer::ClickButtonWithText(okCancel[1]));
      QCOMPARE(quorvel::AskOkCancel(nullptr, QStringLiteral("?")), static_cast<int>(quorvel::kIdCancel));
      quorvel::ShowWarning(nullptr, QStringLiteral("!"));
      QCOMPARE(answerer.Seen().size(), 4);
      const auto& seen = answerer.Seen();
      QCOMPARE(
          std::make_tuple(seen[0].title, seen[0].buttons, seen[0].icon, seen[2].buttons, seen[3].title, seen[3].icon),
          std::make_tuple(caption, yesNo, int{QMessageBox::Question}, okCancel, caption, int{QMessageBox::Warning}));
    }
  }

  void clipboardEmptyTextSucceeds() {
    QApplication::clipboard()->setText(QStringLiteral("old"));
    QVERIFY(quorvel::CopyTextToClipboard(QString()));
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data != nullptr && data->hasText());
    QCOMPARE(QApplication::clipboard()->text(), QString());
    QVERIFY(quorvel::CopyTextToClipboard(QStringLiteral("実験\t1.5")));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("実験\t1.5"));
  }

  void fileDialogTexts() {
    // title, file name, file type, accept, reject
    const std::tuple<int, bool, QStringList> cases[] = {
        {quorvel::kEnglish, false, {"Open File", "File Name(&N):", "Files of type:", "Open(&O)", "Cancel"}},
        {quorvel::kEnglish, true, {"Save File", "File Name(&N):", "File Type(&T):", "Save(&S)", "Cancel"}},
        {quorvel::kJapanese, false, {"開く", "ファイル名(&N):", "ファイルの種類(&T):", "開く(&O)", "キャンセル"}},
        {quorvel::kJapanese,
         true,
         {"名前を付けて保存", "ファイル名(&N):", "ファイルの種類(&T):", "保存(&S)", "キャンセル"}}};
    for (const auto& [language, save, expected] : cases) {
      quorvel::SetCurrentLanguage(language);
      QStringList seen;
      ModalAnswerer answerer([&seen](QWidget* widget) {
        if (auto* dialog = qobject_cast<QFileDialog*>(widget)) {
          seen << dialog->windowTitle() << dialog->labelText(QFileDialog::FileName)
               << dialog->labelText(QFileDialog::FileType) << dialog->labelText(QFileDialog::Accept)
               << dialog->labelText(QFileDialog::Reject);
          dialog->reject();
        }
      });
      const QString result = save ? quorvel::GetSaveFileName(nullptr, QStringLiteral("Text (*.txt)"))
                                  : quorvel::GetOpenFileName(nullptr, QStringLiteral("Text (*.txt)"));
      QCOMPARE(result, QString());
      QCOMPARE(seen, expected);
    }
  }

  void colorDialogTexts() {
    quorvel::SetCurrentLanguage(quorvel::kEnglish);
    QStringList labels;
    QString title;
    ModalAnswerer answerer([&](QWidget* widget) {
      title = widget->windowTitle();
      for (QLabel* label : widget->findChildren<QLabel*>()) labels << label->text();
      for (QAbstractButton* button : widget->findChildren<QAbstractButton*>()) labels << button->text();
      static_cast<QDialog*>(widget)->accept();
    });
    QColor colour(10, 20, 30);
    QVERIFY(quorvel::ChooseColor(nullptr, colour));
    QCOMPARE(colour, QColor(10, 20, 30));
    QCOMPARE(title, QStringLiteral("Color Settings"));
    for (const char* text : {"BaseColor(&B)", "CreatedColor(&C):", "Hue(&E):", "Saturation(&S):", "Light(&L):",
                             "Red(&R):", "Green(&G):", "Blue(&U):", "Add Color(&A)", "Cancel"})
      QVERIFY2(labels.contains(QString::fromUtf8(text)), text);
  }

  void enterMovesFocusEscapeClosesNothing() {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* first = new QLineEdit(&dialog);
    auto* second = new QLineEdit(&dialog);
    auto* start = new QPushButton(QStringLiteral("Start"), &dialog);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), &dialog);
    for (QWidget* w : std::initializer_list<QWidget*>{first, second, start, ok, cancel}) layout->addWidget(w);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QSignalSpy startClicks(start, &QPushButton::clicked);
    quorvel::DialogConventions::Install(&dialog, ok, cancel);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Return);
    QVERIFY(second->hasFocus());
    QVERIFY(dialog.isVisible());
    QTest::keyClick(second, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(start->hasFocus());
    QTest::keyClick(start, Qt::Key_Return);  // moves on, does not press Start
    QCOMPARE(startClicks.count(), 0);
    QVERIFY(ok->hasFocus());
    QTest::keyClick(ok, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), 0);
    QTest::keyClick(ok, Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), static_cast<int>(QDialog::Accepted));
  }
};

int RunControlsTests(int argc, char** argv) {
  ControlsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "ControlsTest.moc"
