#pragma once
// The one bridge from texts to widgets: string-table texts by id in the run's
// (or a given) language, Japanese/English pairs held in code, UTF-8 between
// the core and Qt, and the naming every control gets.
#include <QString>
#include <string>

class QWidget;

namespace quorvel {

// String-table text `id` in the run's language, or in `languageId` (1041
// Japanese, anything else English); an unknown id gives an empty text.
QString UiText(int id);
QString UiText(int id, int languageId);

// A Japanese/English pair held in code (UTF-8), for texts the table lacks:
// in the run's language, or kept as a named pair and shown in `languageId`.
QString UiText(const char* japanese, const char* english);
struct TextPair {
  const char* japanese;
  const char* english;
  QString In(int languageId) const;
};

// The core keeps UTF-8 std::string; widgets take QString.
QString ToQt(const std::string& utf8);
std::string ToStd(const QString& text);

// Names a control twice: the object name says its role (tests find it by
// that), the accessible name is its visible label in the run's language.
void NameControl(QWidget* widget, const char* objectName, const QString& accessibleName);

}  // namespace quorvel
