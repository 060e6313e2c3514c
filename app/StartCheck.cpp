#include "app/StartCheck.h"

#include "host/HostTextFile.h"
#include "host/Language.h"
#include "host/NumberText.h"
#include "host/ProgramFolder.h"

namespace quorvel {

StartRequest CheckStart(const std::string& folder) {
  StartRequest request;
  HostTextReader reader;
  if (!reader.Open(folder + kHandOffFileName)) {
    request.reason = reader.Error();
    return request;
  }
  std::string keyword = reader.ReadLine();
  if (keyword == "ToSrnForm") {
    request.mode = StartMode::SrnForm;
  } else if (keyword == "ToStrainForm") {
    request.mode = StartMode::StrainForm;
  } else if (keyword == "ToPrint") {
    request.mode = StartMode::Print;
  } else {
    request.reason = "unknown start keyword";
    return request;
  }
  request.stratumLabel = reader.ReadLine();
  request.englishFlag = ParseInt(reader.ReadLine());
  request.refused = false;
  return request;
}

const char* RefusalMessage(StartMode mode, int englishFlag) {
  if (englishFlag != 0) return "can not start by itself.";
  switch (mode) {
    case StartMode::StrainForm:
      return "両振幅ひずみ-見掛け摩擦角 実験データフィッティングツールは\n単独では起動できません。";
    case StartMode::Print:
      return "印刷プレビューは単独では起動できません。";
    case StartMode::SrnForm:
      break;
  }
  return "SR-N関連パラメータ及びひずみ逆算定数フィッティングツールは\n単独では起動できません。";
}

}  // namespace quorvel
