#include "host/Language.h"

namespace quorvel {
namespace {
int currentLanguage = kJapanese;
}

void SetCurrentLanguage(int languageId) { currentLanguage = languageId; }
int CurrentLanguage() { return currentLanguage; }
bool IsJapanese() { return currentLanguage == kJapanese; }
const char* Tr(const char* japanese, const char* english) { return IsJapanese() ? japanese : english; }

}  // namespace quorvel
