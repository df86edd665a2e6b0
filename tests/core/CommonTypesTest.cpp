// Helpers of the application framework.
#include "CommonTypes.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

struct TEmptyCase {
  std::u16string_view Text;
  bool Empty;
};

class IsEmptyStrTest : public testing::TestWithParam<TEmptyCase> {};

TEST_P(IsEmptyStrTest, IgnoresCodesUpToBlank) {
  const QStringView Text(GetParam().Text.data(), qsizetype(GetParam().Text.size()));
  EXPECT_EQ(IsEmptyStr(Text), GetParam().Empty);
  EXPECT_EQ(IsNotEmptyStr(Text), !GetParam().Empty);
}
INSTANTIATE_TEST_SUITE_P(Texts, IsEmptyStrTest,
                         testing::Values(TEmptyCase{u"", true}, TEmptyCase{u" \t\r\n", true},
                                         TEmptyCase{std::u16string_view(u"\0\x01\x1F ", 4), true},
                                         TEmptyCase{u" a ", false}, TEmptyCase{u"\xA0", false},
                                         TEmptyCase{u"\x3000", false}, TEmptyCase{u"!", false}));

} // namespace
