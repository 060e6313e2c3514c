#include "controls/UiText.h"

#include <QWidget>

#include "host/Language.h"
#include "host/StringTable.h"

namespace quorvel {

QString UiText(int id) { return ToQt(LoadString(id)); }

QString UiText(int id, int languageId) { return ToQt(LoadString(id, languageId)); }

QString UiText(const char* japanese, const char* english) { return QString::fromUtf8(Tr(japanese, english)); }

QString TextPair::In(int languageId) const { return QString::fromUtf8(languageId == kJapanese ? japanese : english); }

QString ToQt(const std::string& utf8) { return QString::fromStdString(utf8); }

std::string ToStd(const QString& text) { return text.toStdString(); }

void NameControl(QWidget* widget, const char* objectName, const QString& accessibleName) {
  widget->setObjectName(QString::fromLatin1(objectName));
  widget->setAccessibleName(accessibleName);
}

}  // namespace quorvel
