// The language table and its use as the language manager's names.
#include "Languages.h"

#include "LanguageManager.h"

#include "DialogsTestSupport.h"

namespace {

TEST(Languages, TableRowsAscendWithoutDuplicates) {
  const auto Table = LanguageTable();
  ASSERT_EQ(Table.size(), 223u);
  for (size_t I = 1; I < Table.size(); ++I)
    EXPECT_LT(Table[I - 1].LCID, Table[I].LCID) << I;
  EXPECT_EQ(Table[0].LCID, 1025);
  EXPECT_EQ(Table[220].LCID, 21514);
  EXPECT_EQ(Table[221].LCID, 58378);
  EXPECT_EQ(Table[222].LCID, 58380);
}

TEST(Languages, IndexOfLCID) {
  const struct {
    quint16 LCID;
    int Index;
  } Cases[] = {{1025, 0}, {1033, 8},  {1049, 24}, {2052, 121}, {58380, 222},
               {0, -1},   {1024, -1}, {1133, -1}, {65535, -1}};
  for (const auto &C : Cases)
    EXPECT_EQ(IndexOfLCID(C.LCID), C.Index) << C.LCID;
  for (int I = 0; I < int(LanguageTable().size()); ++I)
    EXPECT_EQ(IndexOfLCID(LanguageTable()[size_t(I)].LCID), I);
}

TEST(Languages, DisplayNamesCarryDecimalAndHexadecimalIDs) {
  EXPECT_EQ(LanguageDisplayName(IndexOfLCID(1033)),
            QStringLiteral("01033 - 0x0409 - English (United States)"));
  EXPECT_EQ(LanguageDisplayName(IndexOfLCID(1044)),
            QStringLiteral("01044 - 0x0414 - Norwegian (Bokmål)"));
  EXPECT_EQ(LanguageDisplayName(222), QStringLiteral("58380 - 0xE40C - French (North Africa)"));
  EXPECT_EQ(LanguageDisplayName(220), QStringLiteral("21514 - 0x540A - Spanish (United States)"));
}

TEST(Languages, NameTheManagersLanguages) {
  EXPECT_EQ(LanguageNameOfLCID(1049), QStringLiteral("Russian"));
  EXPECT_EQ(LanguageNameOfLCID(1234), QStringLiteral("1234"));
  InstallLanguageTableNames();
  EXPECT_EQ(LangManager().LanguageNames(0), QStringLiteral("English (United States)"));
  TZrLanguageManager::SetLanguageNameFunc({});
}

} // namespace
