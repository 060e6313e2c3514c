#pragma once
// Report selection, title texts and project settings: the first two records
// of the host's project.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "records/DreviaData.h"
#include "records/RecordReader.h"

namespace quorvel {

// "[Print]": which report items the user selected, and the title-page texts.
class clsGdPrint : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[Print]";

  // Positions of the ten text lines after the item list.
  enum TextIndex : std::size_t {
    kTitle = 0,
    kSubtitle,
    kSiteName,
    kCompanyName,
    kCompanyNameSecond,  // the company name in its second form
    kTelephone,
    kFax,
    kDateInformation,
    kExtraText1,  // written by the host, not printed
    kExtraText2,
    kTextCount
  };

  std::vector<bool> Items;                      // item k selected (its flag is 1)
  std::array<std::string, kTextCount> Texts{};  // title-page texts in file order

  std::string_view SectionTag() const override { return kTag; }
  void Reset();
  // Header "[Print] N" (split at space, comma, colon, tab), N item lines whose
  // second token is the flag, one ignored line, ten text lines.
  bool Read(RecordReader& in);

  // Items past the list count as not selected.
  bool IsSelected(std::size_t item) const { return item < Items.size() && Items[item]; }
  // The flags as 32-bit words: item k is bit k mod 32 of word k div 32.
  std::vector<std::uint32_t> SelectionWords() const;
  const std::string& Text(TextIndex index) const { return Texts[index]; }
};

// "[ProjectSetting]": the project title and the analysis choices.
class clsGdPrjSetting : public clsDreviaData {
 public:
  static constexpr std::string_view kTag = "[ProjectSetting]";

  std::string Title;               // project title (document title of the print job)
  int AnalysisMethod = kNoInt;     // 解析手法: Fellenius, simplified Bishop, Newmark, Newmark S, Newmark D
  int DrainageCondition = kNoInt;  // 排水条件: undrained, drained, both
  int ReservoirWater = kNoInt;     // 貯水の扱い
  int FemStress = kNoInt;          // FEM応力の利用
  int SlipDirection = kNoInt;      // すべり方向: left, right

  std::string_view SectionTag() const override { return kTag; }
  void Reset();
  // Caption, title; then five caption/integer pairs.
  bool Read(RecordReader& in);
};

}  // namespace quorvel
