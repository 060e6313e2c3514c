#include "app/QuorvelApp.h"

#include <QLocale>
#include <QMessageBox>
#include <QString>
#include <utility>

#include "host/HostAnswer.h"
#include "host/Language.h"

namespace quorvel {

CQuorvelApp::CQuorvelApp(std::string folder, ModeWindowRunner runWindow)
    : folder_(std::move(folder)), runWindow_(std::move(runWindow)) {}

ModeResult CQuorvelApp::Run() {
  request_ = CheckStart(folder_);
  if (request_.refused) {
    ShowRefusal();
    return ModeResult::NoWindow;
  }
  SetCurrentLanguage(request_.LanguageId());
  QLocale::setDefault(QLocale(IsJapanese() ? QLocale::Japanese : QLocale::English,
                              IsJapanese() ? QLocale::Japan : QLocale::UnitedStates));

  ModeResult result = runWindow_ ? runWindow_(request_) : ModeResult::NoWindow;
  switch (result) {
    case ModeResult::Ok:
      // The forms answer themselves; the print mode's answer is the header only.
      if (request_.mode == StartMode::Print) DeliverPrintOkAnswer(folder_);
      break;
    case ModeResult::Cancel:
      DeliverCancelAnswer(folder_);
      break;
    case ModeResult::NoWindow:
      break;
  }
  return result;
}

void CQuorvelApp::ShowRefusal() const {
  // A refused start never learned the mode or the language: the message is
  // always the one of the initial values.
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quorvel"),
                  QString::fromUtf8(RefusalMessage(StartMode::SrnForm, 0)), QMessageBox::Ok);
  box.setObjectName(QStringLiteral("refusalMessage"));
  box.exec();
}

}  // namespace quorvel
