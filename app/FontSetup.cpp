#include "app/FontSetup.h"

#include <QApplication>
#include <QFont>
#include <QString>

namespace quorvel {

void SetUpFonts() {
  QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"),
                             {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")});
  QFont::insertSubstitutions(QStringLiteral("ＭＳ 明朝"), {QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝")});
  QFont::insertSubstitutions(QStringLiteral("MS UI Gothic"),
                             {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
  QFont font(QStringLiteral("MS UI Gothic"));
  font.setPointSize(9);
  QApplication::setFont(font);
}

}  // namespace quorvel
