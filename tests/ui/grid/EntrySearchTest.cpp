#include "EntrySearch.h"
#include "GridTestDocument.h"

#include <gtest/gtest.h>

namespace {

// Searches over the small document (positions in GridTestDocument.h), on one
// thread and on two: both must stop at the same entry.
struct TSearchCase {
  const char *Name;
  const char16_t *Pattern;
  TEntryFields Fields;
  int From;
  bool Backward;
  int Expected; // -1: none
  TEntryField Field;
  bool Wrapped;
};

class EntrySearch : public testing::TestWithParam<std::tuple<TSearchCase, int>> {};

TEST_P(EntrySearch, StopsAtTheFirstEntryInSearchOrder) {
  const auto &[C, ParallelFrom] = GetParam();
  TGridTestDocument Doc(SmallSource, SmallTranslation, SmallDisplay);
  const TTextMatcher Matcher(QString::fromUtf16(C.Pattern), {});
  const TEntrySearch Search(Doc.Document.Entries(), Matcher, C.Fields, {}, ParallelFrom);
  const TEntryHit Hit = Search.Find(C.From, C.Backward);
  EXPECT_EQ(Hit.Position, C.Expected);
  if (Hit.Found()) {
    EXPECT_EQ(Hit.Field, C.Field);
    EXPECT_EQ(Hit.Wrapped, C.Wrapped);
  }
}

constexpr TEntryFields All = efName | efSource | efDisplay | efTranslated;

INSTANTIATE_TEST_SUITE_P(
    Cases, EntrySearch,
    testing::Combine(
        testing::Values(
            TSearchCase{"NextInTranslation", u"&ок", efTranslated, 0, false, 5, efTranslated, false},
            TSearchCase{"NameBeforeValues", u"caption", All, 0, false, 1, efName, false},
            TSearchCase{"SkipsTheStartItself", u"caption", All, 1, false, 4, efName, false},
            TSearchCase{"WrapsForward", u"caption", efName, 6, false, 1, efName, true},
            TSearchCase{"Backward", u"caption", efName, 5, true, 4, efName, false},
            TSearchCase{"WrapsBackward", u"line", efSource, 0, true, 6, efSource, true},
            TSearchCase{"TheStartComesLast", u"Hello", efSource, 8, false, 8, efSource, true},
            TSearchCase{"ComponentRowsAreNoEntries", u"Form1", efName, -1, false, -1, efName,
                        false},
            TSearchCase{"Nothing", u"zzz", All, 3, false, -1, efName, false}),
        testing::Values(1 << 16, 2)),
    [](const auto &Info) {
      return std::string(std::get<0>(Info.param).Name) +
             (std::get<1>(Info.param) == 2 ? "_TwoThreads" : "");
    });

} // namespace
