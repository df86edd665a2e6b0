#include "AppConstants.h"
#include "Escaping.h"
#include "Exceptions.h"
#include "RuntimeTestObjects.h"

#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <limits>

namespace {

using LanguageManager = TLanguageTest;

TEST_F(LanguageManager, DefaultLanguageAloneWhenNothingIsRegistered) {
  TZrLanguageManager &M = LangManager();
  EXPECT_EQ(M.LanguageCount(), 1);
  EXPECT_EQ(M.LanguageIDs(0), 1033);
  EXPECT_EQ(M.LanguageIndex(), 0);
  EXPECT_EQ(M.IndexOfLanguageID(1049), 0);
  EXPECT_EQ(M.LanguageResources(0), nullptr);
  EXPECT_EQ(M.LanguageNames(0), QStringLiteral("English"));
}

struct THeaderCase {
  const char *Title;
  const char16_t *Header;
  bool bResult;
  int LangID; // registered language, 0 for none
};

class LanguageFileHeader : public TLanguageTest, public testing::WithParamInterface<THeaderCase> {};

TEST_P(LanguageFileHeader, RegistersByTheLangIDOfTheHeader) {
  const THeaderCase &C = GetParam();
  const QString File = WriteFile(QStringLiteral("x.lng"), QString::fromUtf16(C.Header) +
                                                              QStringLiteral("\r\n[F]\r\n1=a\r\n"));
  EXPECT_EQ(LangManager().RegisterLangFile(File), C.bResult);
  EXPECT_EQ(LangManager().LanguageCount(), C.LangID ? 2 : 1);
  if (C.LangID) {
    EXPECT_EQ(LangManager().LanguageIDs(1), C.LangID);
    EXPECT_EQ(LangManager().LanguageResources(1)->Kind, zrlrkFile);
    EXPECT_EQ(LangManager().LanguageResources(1)->wsName, File);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Manager, LanguageFileHeader,
    testing::Values(THeaderCase{"Russian", u"LANGID=1049", true, 1049},
                    THeaderCase{"Blanks", u"Author=me\r\n LANGID = 1049 ", true, 1049},
                    THeaderCase{"Hex", u"LANGID=$0419", true, 1049},
                    THeaderCase{"Default", u"LANGID=1033", true, 0},
                    THeaderCase{"DefaultInLow16Bits", u"LANGID=66569", true, 0},
                    THeaderCase{"Missing", u"Author=me", false, 0},
                    THeaderCase{"Zero", u"LANGID=0", false, 0},
                    THeaderCase{"ZeroInLow16Bits", u"LANGID=65536", false, 0},
                    THeaderCase{"NotANumber", u"LANGID=ru", false, 0},
                    THeaderCase{"AfterSection", u"[Form]\r\nLANGID=1049", false, 0}),
    [](const auto &Info) { return std::string(Info.param.Title); });

TEST_F(LanguageManager, MissingFileIsNoLanguage) {
  EXPECT_FALSE(LangManager().RegisterLangFile(Path(QStringLiteral("none.lng"))));
  EXPECT_FALSE(LangManager().RegisterLangFile(Path(QString())));
}

TEST_F(LanguageManager, SameLangIDAgainReplacesTheFileInItsPlace) {
  TZrLanguageManager &M = LangManager();
  ASSERT_TRUE(
      M.RegisterLangFile(WriteFile(QStringLiteral("a.lng"), QStringLiteral("LANGID=1049"))));
  ASSERT_TRUE(
      M.RegisterLangFile(WriteFile(QStringLiteral("b.lng"), QStringLiteral("LANGID=1031"))));
  const QString Later = WriteFile(QStringLiteral("c.lng"), QStringLiteral("LANGID=1049"));
  ASSERT_TRUE(M.RegisterLangFile(Later));
  ASSERT_EQ(M.LanguageCount(), 3);
  EXPECT_EQ(M.LanguageIDs(1), 1049);
  EXPECT_EQ(M.LanguageResources(1)->wsName, Later);
  EXPECT_EQ(M.LanguageIDs(2), 1031);
  EXPECT_EQ(M.IndexOfLanguageID(1031), 2);
  M.UnregisterLangResource(1033); // the default stays
  M.UnregisterLangResource(1049);
  EXPECT_EQ(M.LanguageCount(), 2);
  EXPECT_EQ(M.IndexOfLanguageID(1031), 1);
}

TEST_F(LanguageManager, SwitchesWithoutChangeFireNothing) {
  ASSERT_TRUE(LangManager().RegisterLangFile(
      WriteFile(QStringLiteral("de.lng"), QStringLiteral("LANGID=1031"))));
  QObject Form;
  Form.setObjectName(QStringLiteral("Form"));
  auto *C = new TZrLanguageController(&Form);
  TEventCounter Events(C);
  LangManager().SetLanguageID(1049); // not registered: the default, already current
  LangManager().SetLanguageID(1033);
  EXPECT_EQ(Events.Changing + Events.Changed, 0);
  LangManager().SetLanguageID(1031);
  LangManager().SetLanguageID(1031);
  EXPECT_EQ(Events.Changed, 1);
  LangManager().SetLanguageID(1049); // back to the default
  EXPECT_EQ(LangManager().LanguageID(), 1033);
  EXPECT_EQ(Events.Changing, 2);
  EXPECT_EQ(Events.Changed, 2);
  LangManager().SetLanguageIndex(1);
  EXPECT_EQ(LangManager().LanguageID(), 1031);
}

// With one language registered (indexes 0 and 1), every index-taking
// operation raises the list's index error for any other index and leaves
// the language as it was.
class LanguageIndexOutOfBounds : public TLanguageTest, public testing::WithParamInterface<int> {};

TEST_P(LanguageIndexOutOfBounds, RaisesListError) {
  const int Index = GetParam();
  TZrLanguageManager &M = LangManager();
  ASSERT_TRUE(
      M.RegisterLangFile(WriteFile(QStringLiteral("de.lng"), QStringLiteral("LANGID=1031"))));
  M.SetLanguageIndex(1);
  const QString Expected = QStringLiteral("List index out of bounds (%1)").arg(Index);
  const std::function<void()> Calls[] = {
      [&] { M.LanguageIDs(Index); }, [&] { M.LanguageResources(Index); },
      [&] { M.LanguageNames(Index); }, [&] { M.SetLanguageIndex(Index); }};
  for (const auto &Call : Calls) {
    try {
      Call();
      ADD_FAILURE() << "index " << Index << " accepted";
    } catch (const EListError &E) {
      EXPECT_EQ(E.Message(), Expected);
    }
  }
  EXPECT_EQ(M.LanguageID(), 1031);
  EXPECT_EQ(M.LanguageIDs(1), 1031);
}

INSTANTIATE_TEST_SUITE_P(Manager, LanguageIndexOutOfBounds,
                         testing::Values(2, 3, -1, std::numeric_limits<int>::min(),
                                         std::numeric_limits<int>::max()));

TEST_F(LanguageManager, RecursiveScanEntersOnlyDirectoriesMatchingTheMask) {
  WriteFile(QStringLiteral("a.lng"), QStringLiteral("LANGID=1049"));
  WriteFile(QStringLiteral("none.lng"), QStringLiteral("Author=me"));
  WriteFile(QStringLiteral("notes.txt"), QStringLiteral("LANGID=1040"));
  WriteFile(QStringLiteral("more.lng/b.lng"), QStringLiteral("LANGID=1031"));
  WriteFile(QStringLiteral("more/c.lng"), QStringLiteral("LANGID=1036"));
  WriteFile(QStringLiteral(".hidden.lng/d.lng"), QStringLiteral("LANGID=1034"));
  TZrLanguageManager &M = LangManager();
  EXPECT_EQ(M.ScanForLangFiles(Path(QString()), QStringLiteral("*.lng"), false), 1);
  EXPECT_EQ(M.LanguageCount(), 2);
  EXPECT_EQ(M.ScanForLangFiles(Path(QString()), QStringLiteral("*.lng"), true), 2);
  ASSERT_EQ(M.LanguageCount(), 3);
  EXPECT_EQ(M.LanguageIDs(1), 1049);
  EXPECT_EQ(M.LanguageIDs(2), 1031);
}

TEST_F(LanguageManager, UnreadableTranslationLeavesTheLanguageAsItWas) {
  TZrLanguageManager &M = LangManager();
  ASSERT_TRUE(M.RegisterLangFile(
      WriteFile(QStringLiteral("de.lng"), QStringLiteral("LANGID=1031\r\n[Form]\r\n1=Eins\r\n"
                                                         "[$CONSTANTS]\r\nSDialogButtonOK=Okay"))));
  ASSERT_TRUE(M.RegisterLangFile(WriteFile(
      QStringLiteral("ru.lng"), QStringLiteral("LANGID=1049\r\n[Form]\r\n1=a\r\n[Form]\r\n1=b"))));
  QObject Form;
  Form.setObjectName(QStringLiteral("Form"));
  auto *C = new TZrLanguageController(&Form);
  M.SetLanguageID(1031);
  TEventCounter Events(C);
  try {
    M.SetLanguageID(1049);
    ADD_FAILURE() << "broken translation accepted";
  } catch (const EZrLangError &E) {
    EXPECT_TRUE(E.Message().startsWith(QStringLiteral("Loading translations failed.\r\n")))
        << E.what();
  }
  EXPECT_EQ(M.LanguageID(), 1031);
  EXPECT_EQ(LangConstant(u"SDialogButtonOK"), QStringLiteral("Okay"));
  EXPECT_EQ(Events.Changing + Events.Changed, 0);
  // The lock was released: another thread can still change the registry.
  auto Other = std::async(std::launch::async, [&M] { M.UnregisterLangResource(1049); });
  ASSERT_EQ(Other.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_EQ(M.LanguageCount(), 2);
}

TEST_F(LanguageManager, TranslationFromAStreamNeedsNoRegistration) {
  QBuffer B;
  B.setData("LANGID=1036\r\n[$CONSTANTS]\r\nSDialogButtonOK=D'accord\r\n");
  B.open(QIODevice::ReadOnly);
  B.seek(10);
  LangManager().TranslateFromStream(B);
  EXPECT_EQ(LangManager().LanguageID(), 1036);
  EXPECT_EQ(LangConstant(u"SDialogButtonOK"), QStringLiteral("D'accord"));
  LangManager().SetLanguageID(1033);
  EXPECT_EQ(LangConstant(u"SDialogButtonOK"), QStringLiteral("OK"));
}

TEST_F(LanguageManager, ConstantsReadFromOtherThreadsWhileLanguagesSwitch) {
  QString German = QStringLiteral("LANGID=1031\r\n[$CONSTANTS]\r\n");
  for (const TAppConstant &C : AppConstants())
    German += QString::fromUtf16(C.Name) + QStringLiteral("=de ") +
              EncodeControlChars(QString::fromUtf16(C.DefaultText)) + QStringLiteral("\r\n");
  ASSERT_TRUE(LangManager().RegisterLangFile(WriteFile(QStringLiteral("de.lng"), German)));
  std::atomic<bool> Stop = false;
  std::atomic<int> Wrong = 0;
  std::vector<std::future<void>> Readers;
  for (int T = 0; T < 2; ++T)
    Readers.push_back(std::async(std::launch::async, [&] {
      while (!Stop)
        for (const TAppConstant &C : AppConstants()) {
          const QString Default = QString::fromUtf16(C.DefaultText);
          const QString S = LangConstant(C.Name);
          if (S != Default && S != QStringLiteral("de ") + Default)
            ++Wrong;
        }
    }));
  for (int I = 0; I < 2000; ++I)
    LangManager().SetLanguageID(I % 2 ? 1033 : 1031);
  Stop = true;
  for (auto &F : Readers)
    F.get();
  EXPECT_EQ(Wrong, 0);
}

} // namespace
