#pragma once
// The run's language, chosen once at start from the hand-off file and read by
// every window. 1041 is Japanese; anything else is English.
namespace quorvel {

inline constexpr int kJapanese = 1041;
inline constexpr int kEnglish = 1033;

void SetCurrentLanguage(int languageId);
int CurrentLanguage();
bool IsJapanese();

// Picks the Japanese or the English text of a pair held in code.
const char* Tr(const char* japanese, const char* english);

}  // namespace quorvel
