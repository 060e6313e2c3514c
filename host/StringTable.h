#pragma once
// The window texts by id (10001 ...), Japanese and English, kept as data in
// resources/strings.tsv and built into the program.
#include <string>

namespace quorvel {

// Text of `id` in the current language; an unknown id gives an empty text.
const std::string& LoadString(int id);
// Text of `id` in the given language (1041 Japanese, anything else English).
const std::string& LoadString(int id, int languageId);
// Whether the table has `id`.
bool HasString(int id);

}  // namespace quorvel
