#include "records/GdPrint.h"

namespace quorvel {

void clsGdPrint::Reset() {
  Items.clear();
  Texts.fill(std::string());
}

bool clsGdPrint::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string line;
  if (!in.SeekSection(kTag, line)) return false;
  std::vector<std::string> tokens = SplitTokens(line, kPrintSeparators);
  if (tokens.size() < 2) return in.Fail("header has no count");
  std::size_t count = MemberCount(ParseInt(tokens[1]));
  if (!in.CheckCount(count)) return false;
  Items.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    if (!in.NextLine(line)) return false;
    tokens = SplitTokens(line, kPrintSeparators);
    if (tokens.size() < 2) return in.Fail("item line " + std::to_string(i + 1) + " has no flag");
    Items.push_back(ParseInt(tokens[1]) == 1);
  }
  if (!in.SkipLine()) return false;
  for (std::string& text : Texts) {
    if (!in.ReadText(text)) return false;
  }
  return true;
}

std::vector<std::uint32_t> clsGdPrint::SelectionWords() const {
  std::vector<std::uint32_t> words((Items.size() + 31) / 32, 0u);
  for (std::size_t k = 0; k < Items.size(); ++k) {
    if (Items[k]) words[k / 32] |= std::uint32_t{1} << (k % 32);
  }
  return words;
}

void clsGdPrjSetting::Reset() { *this = clsGdPrjSetting(); }

bool clsGdPrjSetting::Read(RecordReader& in) {
  RecordReader::Scope scope(in, kTag);
  Reset();
  std::string header;
  return in.SeekSection(kTag, header) && in.ReadCaptionedText(Title) && in.ReadCaptionedInteger(AnalysisMethod) &&
         in.ReadCaptionedInteger(DrainageCondition) && in.ReadCaptionedInteger(ReservoirWater) &&
         in.ReadCaptionedInteger(FemStress) && in.ReadCaptionedInteger(SlipDirection);
}

}  // namespace quorvel
