// The numeric field: its rules driven directly, and the widget driven with keys.
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <tuple>

#include "controls/DialogConventions.h"
#include "controls/ExpEdit.h"
#include "controls/ExpEditRules.h"
#include "host/Language.h"
#include "tests/support/ModalAnswerer.h"

using quorvel::CExpEdit;
using quorvel::ExpEditRules;
using quorvel::kNoIntegerLimit;
using quorvel::kNoValue;
using quorvel::test::ModalAnswerer;

namespace {

// A dialog with a checked field, a plain second field and OK/Cancel.
struct EditDialog {
  QDialog dialog;
  CExpEdit* edit;
  CExpEdit* other;
  QPushButton* ok;
  QPushButton* cancel;
  EditDialog() {
    auto* layout = new QVBoxLayout(&dialog);
    edit = new CExpEdit(&dialog);
    other = new CExpEdit(&dialog);
    ok = new QPushButton(QStringLiteral("OK"), &dialog);
    cancel = new QPushButton(QStringLiteral("Cancel"), &dialog);
    for (QWidget* w : std::initializer_list<QWidget*>{edit, other, ok, cancel}) layout->addWidget(w);
    quorvel::DialogConventions::Install(&dialog, ok, cancel);
    edit->SetUpReal(2, 0.0, 100.0);
    edit->SetRealValue(5.0);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    edit->setFocus(Qt::TabFocusReason);
  }
};

// QTest::keyClicks takes ASCII only; this types any character.
void TypeText(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &release);
  }
}

}  // namespace

class ExpEditTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { quorvel::SetCurrentLanguage(quorvel::kJapanese); }

  void checkCodes() {
    const double none = kNoValue;
    const double noInt = kNoIntegerLimit;
    // mode, decimals, minimum, maximum, text, code
    const std::tuple<int, int, double, double, const char*, int> cases[] = {
        {1, 0, noInt, noInt, "12-3", 1},
        {2, 0, none, none, "12-3", 1},
        {1, 0, noInt, noInt, "-0", 0},
        {1, 0, noInt, noInt, "-", 0},
        {2, 0, 0.0, 1.0, "-", 0},
        {2, 2, none, none, "1.", 0},
        {2, 2, none, none, "3.14159", 3},
        {2, 2, none, none, "3.1400", 0},
        {2, -2, none, none, "1200", 0},
        {2, -2, none, none, "1200.0", 0},
        {2, -2, none, none, "1250", 3},
        {2, -2, none, none, "0", 0},
        {2, 3, none, none, "1.2.3", 1},
        {2, 0, none, none, "+5", 1},
        {1, 0, noInt, noInt, "1e5", 1},
        {1, 0, 1.0, 2.0, "", 0},
        {0, 0, none, none, "abc-.", 0},
        {1, 0, noInt, none, "5", 2},
        {1, 0, 1.0, 10.0, "11", 2},
        {1, 0, 1.0, 10.0, "0", 2},
        {1, 0, 1.0, 10.0, "1", 0},
        {1, 0, 1.0, 10.0, "10", 0},
        {2, 1, 0.0, 100.0, "0", 0},
        {2, 1, 0.0, 100.0, "100.0", 0},
        {1, 0, noInt, 100.0, "99999999999999999999999", 2},
        {2, 1, 0.0, 100.0, "100.5", 2},
        {2, 1, 0.0, 100.0, "-0.1", 2}};
    for (const auto& [mode, decimals, minimum, maximum, text, code] : cases) {
      const ExpEditRules rules{.mode = mode, .minimum = minimum, .maximum = maximum, .decimals = decimals};
      QVERIFY2(rules.Check(text) == code,
               qPrintable(QStringLiteral("%1: %2").arg(QString::fromUtf8(text)).arg(rules.Check(text))));
    }
  }

  void normalised() {
    const std::tuple<int, const char*, const char*> cases[] = {{2, "1.", "1.00"},      {2, "3.1400", "3.14"},
                                                               {2, "1.5", "1.50"},     {2, "", ""},
                                                               {-2, "1200.0", "1200"}, {1, "-", "0.0"}};
    for (const auto& [decimals, text, expected] : cases)
      QCOMPARE(QString::fromStdString(ExpEditRules{.mode = ExpEditRules::kReal, .decimals = decimals}.Normalised(text)),
               QString::fromUtf8(expected));
  }

  void messages() {
    // language, decimals, minimum, code, message (maximum 100); a limit at its no-limit value is still shown
    const std::tuple<int, int, double, int, const char*> cases[] = {
        {quorvel::kJapanese, 2, 0, 1, "値が正しくありません。\n\n（数値を入力してください。）"},
        {quorvel::kJapanese, 2, 0, 2, "数値が範囲外です。\n\n（0.00 ～ 100.00 までの範囲で入力してください。）"},
        {quorvel::kJapanese, 2, 0, 3, "少数桁がオーバーしています。\n\n（少数 2桁 以内で入力してください。）"},
        {quorvel::kJapanese, -2, 0, 2, "数値が範囲外です。\n\n（0 ～ 100 までの範囲で入力してください。）"},
        {quorvel::kJapanese, -2, 0, 3, "整数部下 2桁 はゼロで入力してください。"},
        {quorvel::kEnglish, -2, 0, 1, "Value is incorrect. \n\n(Please enter a numeric value.)"},
        {quorvel::kEnglish, -2, 0, 3, "Please enter at zero integer subordinates 2 digits."},
        {quorvel::kEnglish, 1, 0, 2,
         "Numeric value out of range.\n\n (Please enter in the range of up to 0.0 ～ 100.0.)"},
        {quorvel::kEnglish, 1, 0, 3, "Small number of digits exceeds the limit.\n\n (Please enter d digits few 1.)）"},
        {quorvel::kEnglish, 0, kNoValue, 2,
         "Numeric value out of range.\n\n (Please enter in the range of up to -900000000000000066309858349023232 ～ "
         "100.)"},
        {quorvel::kEnglish, 0, 0, 0, ""}};
    for (const auto& [language, decimals, minimum, code, message] : cases) {
      quorvel::SetCurrentLanguage(language);
      const ExpEditRules rules{.mode = ExpEditRules::kReal, .minimum = minimum, .maximum = 100, .decimals = decimals};
      QCOMPARE(QString::fromStdString(rules.Message(code)), QString::fromUtf8(message));
      QCOMPARE(QString::fromUtf8(ExpEditRules::Caption()),
               language == quorvel::kEnglish ? QStringLiteral("Input validation") : QStringLiteral("入力確認"));
    }
  }

  void acceptsCharacters() {
    // mode, text, selection start and length, typed, accepted
    const std::tuple<int, const char*, std::size_t, std::size_t, char32_t, bool> cases[] = {
        {1, "12", 2, 0, U'3', true},   {1, "12", 0, 0, U'-', true},  {1, "12", 1, 0, U'-', false},
        {2, "-12", 0, 0, U'-', false}, {1, "12", 2, 0, U'.', false}, {2, "12", 1, 0, U'.', true},
        {2, "1.2", 3, 0, U'.', false}, {2, "1.2", 0, 2, U'.', true}, {2, "", 0, 0, U'e', false},
        {0, "", 0, 0, U'e', true}};
    for (const auto& [mode, text, start, length, typed, accepted] : cases)
      QVERIFY2(ExpEditRules{.mode = mode}.AcceptsCharacter(text, start, length, typed) == accepted,
               qPrintable(QStringLiteral("%1 %2").arg(QString::fromUtf8(text)).arg(start)));
  }

  void byteCounting() {
    QCOMPARE(ExpEditRules::Cp932Bytes("実験データ"), 10);
    QCOMPARE(ExpEditRules::Cp932Bytes("ｱ"), 1);                  // half-width katakana: one byte
    QCOMPARE(ExpEditRules::Cp932Bytes("a\xF0\x9F\x98\x80"), 3);  // a character CP932 lacks counts as 2
    const ExpEditRules four{.maxLength = 4};
    QCOMPARE(
        std::make_tuple(four.RoomBytes(4, 2), four.RoomBytes(6, 0), ExpEditRules{.maxLength = 0}.RoomBytes(100, 0)),
        std::make_tuple(2, 0, -1));
  }

  void typingFilter() {
    EditDialog d;
    d.edit->SetUpInteger(kNoIntegerLimit, kNoIntegerLimit);
    d.edit->clear();
    QSignalSpy beeps(d.edit, &CExpEdit::Beeped);
    QTest::keyClicks(d.edit, QStringLiteral("12a-3"));
    QCOMPARE(d.edit->text(), QStringLiteral("123"));
    QCOMPARE(beeps.count(), 2);
    d.edit->setText(QStringLiteral("-5"));
    d.edit->setCursorPosition(0);
    QTest::keyClick(d.edit, Qt::Key_Minus);
    QCOMPARE(d.edit->text(), QStringLiteral("-5"));
    QCOMPARE(beeps.count(), 3);
    // Backspace and Ctrl shortcuts still work in a numeric field.
    d.edit->setCursorPosition(2);
    QTest::keyClick(d.edit, Qt::Key_Backspace);
    QCOMPARE(d.edit->text(), QStringLiteral("-"));
    QTest::keyClick(d.edit, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(d.edit->selectedText(), QStringLiteral("-"));
    QCOMPARE(beeps.count(), 3);
  }

  // Typed characters that do not fit are dropped silently and never cut in
  // half; a paste that does not fit beeps; a fitting one is taken unfiltered.
  void lengthLimit() {
    EditDialog d;
    d.edit->SetUpInteger(kNoIntegerLimit, kNoIntegerLimit);
    d.edit->SetMaxBytes(4);
    d.edit->setText(QStringLiteral("1234"));
    d.edit->setSelection(0, 2);
    QSignalSpy beeps(d.edit, &CExpEdit::Beeped);
    QTest::keyClicks(d.edit, QStringLiteral("56"));
    QCOMPARE(d.edit->text(), QStringLiteral("5634"));
    QTest::keyClick(d.edit, Qt::Key_7);
    QCOMPARE(d.edit->text(), QStringLiteral("5634"));
    QCOMPARE(beeps.count(), 0);

    d.edit->SetMode(ExpEditRules::kAnyText);
    d.edit->setText(QStringLiteral("abc"));
    d.edit->setCursorPosition(3);
    TypeText(d.edit, QStringLiteral("実"));
    QCOMPARE(d.edit->text(), QStringLiteral("abc"));
    QTest::keyClicks(d.edit, QStringLiteral("d"));
    d.edit->SetMaxBytes(6);
    TypeText(d.edit, QStringLiteral("実x"));
    QCOMPARE(d.edit->text(), QStringLiteral("abcd実"));

    d.edit->SetMaxBytes(4);
    d.edit->clear();
    QApplication::clipboard()->setText(QStringLiteral("12345"));
    QTest::keyClick(d.edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(d.edit->text(), QString());
    QCOMPARE(beeps.count(), 1);
    QApplication::clipboard()->setText(QStringLiteral("1x"));  // not filtered; the check catches it
    QTest::keyClick(d.edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(d.edit->text(), QStringLiteral("1x"));
  }

  // Leaving a bad value shows the rules' message (their texts: messages())
  // and restores the old value; a good one is normalised and committed.
  void focusLossShowsMessageAndRestores() {
    EditDialog d;
    QVERIFY(d.edit->hasFocus());
    QSignalSpy failed(d.edit, &CExpEdit::CheckFailed);
    QSignalSpy committed(d.edit, &CExpEdit::Committed);
    QTest::keyClick(d.edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(d.edit, QStringLiteral("150"));
    ModalAnswerer answerer;
    d.other->setFocus(Qt::TabFocusReason);
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed.first().first().toInt(), 2);
    QCOMPARE(answerer.Seen().size(), 1);
    const auto& seen = answerer.Seen().first();
    QCOMPARE(
        (QStringList{seen.title, seen.text} + seen.buttons),
        (QStringList{"入力確認", "数値が範囲外です。\n\n（0.00 ～ 100.00 までの範囲で入力してください。）", "OK"}));
    QCOMPARE(d.edit->text(), QStringLiteral("5.00"));
    QTRY_VERIFY(d.edit->hasFocus());
    QCOMPARE(committed.count(), 0);
    d.edit->selectAll();
    QTest::keyClicks(d.edit, QStringLiteral("1."));
    d.other->setFocus(Qt::TabFocusReason);
    QVERIFY(d.other->hasFocus());
    QCOMPARE(answerer.Seen().size(), 1);
    QCOMPARE(d.edit->text(), QStringLiteral("1.00"));
    QCOMPARE(committed.count(), 1);
  }

  // Focus to Cancel, or Escape, skips the check (Escape closes nothing).
  void cancelAndEscapeSkipTheCheck() {
    for (bool escape : {false, true}) {
      EditDialog d;
      QApplication::clipboard()->setText(QStringLiteral("12-3"));
      d.edit->clear();
      QTest::keyClick(d.edit, Qt::Key_V, Qt::ControlModifier);
      if (escape) QTest::keyClick(d.edit, Qt::Key_Escape);
      QCOMPARE(d.edit->CancelFlag(), escape);
      QVERIFY(d.dialog.isVisible());
      ModalAnswerer answerer;
      (escape ? static_cast<QWidget*>(d.other) : d.cancel)->setFocus(Qt::TabFocusReason);
      QCOMPARE(answerer.Seen().size(), 0);
      QCOMPARE(d.edit->text(), QStringLiteral("12-3"));
      QVERIFY(!d.edit->CancelFlag());
    }
  }
};

int RunExpEditTests(int argc, char** argv) {
  ExpEditTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "ExpEditTest.moc"
