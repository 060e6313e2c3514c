#include "host/StringTable.h"

#include <map>
#include <string_view>
#include <utility>

#include "host/HostTextFile.h"
#include "host/Language.h"
#include "host/NumberText.h"

namespace quorvel {

// Generated from resources/strings.tsv at build time.
extern const char* const kStringTableTsv;

namespace {

// "\n" in the table stands for a line break, "\t" for a tab.
std::string Unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == 't' || text[i + 1] == '\\')) {
      out.push_back(text[i + 1] == 'n' ? '\n' : text[i + 1] == 't' ? '\t' : '\\');
      ++i;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

using Table = std::map<int, std::pair<std::string, std::string>>;

const Table& TheTable() {
  static const Table table = [] {
    Table result;
    for (const std::string& line : SplitLines(kStringTableTsv)) {
      if (line.empty() || line[0] == '#') continue;
      std::size_t tab1 = line.find('\t');
      std::size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
      if (tab2 == std::string::npos) continue;
      int id = ParseInt(std::string_view(line).substr(0, tab1));
      if (id == kNoInt) continue;
      result[id] = {Unescape(std::string_view(line).substr(tab1 + 1, tab2 - tab1 - 1)),
                    Unescape(std::string_view(line).substr(tab2 + 1))};
    }
    return result;
  }();
  return table;
}

}  // namespace

const std::string& LoadString(int id) { return LoadString(id, CurrentLanguage()); }

const std::string& LoadString(int id, int languageId) {
  static const std::string empty;
  const Table& table = TheTable();
  auto it = table.find(id);
  if (it == table.end()) return empty;
  return languageId == kJapanese ? it->second.first : it->second.second;
}

bool HasString(int id) { return TheTable().count(id) != 0; }

}  // namespace quorvel
