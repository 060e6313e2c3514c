#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/InvalidArgument.h"
#include "host/StringSplit.h"

namespace quorvel {
namespace {

using Pieces = std::vector<std::string>;

TEST(StringSplit, HostLines) {
  struct Case {
    const char* line;
    std::string_view delimiters;
    Pieces pieces;
  };
  const Case cases[] = {
      {"[SrnData]1", CStringSplit::D5, {"[SrnData", "1"}},
      {"1.5,2.5", CStringSplit::D4, {"1.5", "2.5"}},
      {"5", CStringSplit::D4, {}},
      {"1 ,2", CStringSplit::D4, {"1", ",2"}},
      {"1.5,,2.5", CStringSplit::D4, {"1.5", ",2.5"}},
      {"[SrnParameter]1 3", CStringSplit::D4, {"[SrnParameter]1", "3"}},
      {"[SrnParameter]1 3", CStringSplit::D5, {"[SrnParameter", "1", "3"}},
      {"[SrnParameter] 3", CStringSplit::D5, {"[SrnParameter", " 3"}},
      {"[SrnParameter]3", CStringSplit::D4, {}},
      {"[Table] 12", CStringSplit::D4, {"[Table]", "12"}},
      {",,", CStringSplit::D4, {}},
      {",1,2", CStringSplit::D4, {",1", "2"}},
      {"10 : 0.25", CStringSplit::D4, {"10", ":", "0.25"}},
      {"10,,0.25", CStringSplit::D4, {"10", ",0.25"}},
      {"a\tb", CStringSplit::D4, {"a", "b"}},
      {"1, 2", CStringSplit::D4, {"1", " 2"}},  // the last piece is not trimmed
      {"1,2, 3 ", CStringSplit::D4, {"1", "2", "3"}},
      {"", CStringSplit::D4, {}},
      {"実験,データ", CStringSplit::D4, {"実験", "データ"}},
  };
  CStringSplit splitter;
  for (const Case& c : cases) EXPECT_EQ(splitter.Split(c.line, c.delimiters), c.pieces) << '"' << c.line << '"';
}

TEST(StringSplit, MissingPieceIsAnError) {
  CStringSplit splitter;
  splitter.Split("[SrnParameter]3", CStringSplit::D4);
  EXPECT_THROW(splitter.Piece(2), InvalidArgument);
  splitter.Split("1,2", CStringSplit::D4);
  EXPECT_EQ(splitter.Piece(1), "1");
  EXPECT_EQ(splitter.Piece(2), "2");
  EXPECT_THROW(splitter.Piece(3), InvalidArgument);
  EXPECT_THROW(splitter.Piece(0), InvalidArgument);
}

}  // namespace
}  // namespace quorvel
