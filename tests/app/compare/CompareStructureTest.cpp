#include "LangSource.h"
#include "LanguageManager.h"
#include "Translations.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString &S, std::ostream *Os) {
  *Os << '"' << S.toStdString() << '"';
}

namespace {

const QString SourceText = QStringLiteral("[Form2]\r\n"
                                          "Edit1.Text=00000003,Type here\r\n"
                                          "[Form1]\r\n"
                                          "Label1.Caption=00000004,Name:\r\n"
                                          "Button1.Caption=00000001,OK\r\n"
                                          "Caption=00000002,Main\r\n"
                                          "[$CONSTANTS]\r\n"
                                          "SHello=Hello\r\n"
                                          "SBye=Bye\r\n");

std::unique_ptr<TLangSource> Source() {
  QBuffer B;
  B.setData(SourceText.toUtf8().prepend("\xEF\xBB\xBF"));
  B.open(QIODevice::ReadOnly);
  return std::make_unique<TLangSource>(B, QStringLiteral("app.zrlang"));
}

void LoadTranslation(TZrLang_CompTranslations &Tr, const QString &Text) {
  QBuffer B;
  B.setData(Text.toUtf8().prepend("\xEF\xBB\xBF"));
  B.open(QIODevice::ReadOnly);
  Tr.Text_LoadFromStream(B, false);
}

// Lines, each ending in CR LF.
QString Log(const QStringList &Lines) {
  QString S;
  for (const QString &L : Lines)
    S += L + QStringLiteral("\r\n");
  return S;
}

using TCounters = std::array<int, 9>;

QString Compare(const TLangSource &Src, TZrLang_CompTranslations &Tr, TCounters &N) {
  return Src.CompareStructureWith(Tr, N[0], N[1], N[2], N[3], N[4], N[5], N[6], N[7], N[8]);
}

const QString MissingEntries =
    QStringLiteral("The following entries were not found and were added to the translation:");
const QString MissingConstants =
    QStringLiteral("The following constants were not found and were added to the translation:");
const QString ExcessiveEntries =
    QStringLiteral("The following entries were found excessive and deleted from the translation:");
const QString ExcessiveConstants = QStringLiteral(
    "The following constants were found excessive and deleted from the translation:");

const QString Complete = QStringLiteral("[Form1]\r\n1=Ja\r\n2=Haupt\r\n4=Name:\r\n"
                                        "[Form2]\r\n3=Hier\r\n"
                                        "[$CONSTANTS]\r\nSBye=Tsch\u00FCss\r\nSHello=Hallo\r\n");

struct TCompareCase {
  const char *Title;
  QString Translation;
  QStringList LogLines;
  TCounters Counters; // added comps, props, consts; removed comps, props, consts; totals
  QStringList ComponentsAfter;
};

class CompareStructure : public testing::TestWithParam<TCompareCase> {};

TEST_P(CompareStructure, LogsCountsAndReconciles) {
  const TCompareCase &C = GetParam();
  const auto Src = Source();
  TZrLang_CompTranslations Tr;
  LoadTranslation(Tr, C.Translation);
  TCounters N;
  N.fill(-1);
  EXPECT_EQ(Compare(*Src, Tr, N), C.LogLines.isEmpty() ? QString() : Log(C.LogLines));
  EXPECT_EQ(N, C.Counters);

  // Afterwards the translation has exactly the source's structure.
  QStringList Names;
  for (int I = 0; I < Tr.Count(); ++I)
    Names << Tr.Items(I)->ComponentName();
  EXPECT_EQ(Names, C.ComponentsAfter);
  ASSERT_EQ(Tr.Count(), Src->ComponentSources().Count());
  for (int I = 0; I < Src->ComponentSources().Count(); ++I) {
    const TComponentSource *S = Src->ComponentSources().Items(I);
    const TZrLang_CompTranslation *T = Tr.FindComponentName(S->CompName());
    ASSERT_NE(T, nullptr);
    ASSERT_EQ(T->Count(), S->PropertySources().Count());
    for (int J = 0; J < T->Count(); ++J)
      EXPECT_EQ(T->Items(J)->iID, S->PropertySources().Items(J)->iID);
  }
  ASSERT_EQ(Tr.Constants().Count(), 2);
  EXPECT_EQ(Tr.Constants().Items(0)->wsName.toUpper(), QStringLiteral("SBYE"));
  EXPECT_EQ(Tr.Constants().Items(1)->wsName.toUpper(), QStringLiteral("SHELLO"));
}

const QString Form1Name = QStringLiteral("Form1"), Form2Name = QStringLiteral("Form2");

// clang-format off
INSTANTIATE_TEST_SUITE_P(Compare, CompareStructure, testing::Values(
    TCompareCase{"SameStructure", Complete, {}, {0, 0, 0, 0, 0, 0, 2, 4, 2}, {Form1Name, Form2Name}},
    TCompareCase{"NewTranslation", QString(),
                 {MissingEntries, QStringLiteral("Added Component: [Form1]"),
                  QStringLiteral("    Added Property \"Button1.Caption\" (ID=1)"),
                  QStringLiteral("    Added Property \"Caption\" (ID=2)"),
                  QStringLiteral("    Added Property \"Label1.Caption\" (ID=4)"),
                  QStringLiteral("Added Component: [Form2]"),
                  QStringLiteral("    Added Property \"Edit1.Text\" (ID=3)"), QString(),
                  MissingConstants, QStringLiteral("    Added Constant \"SBye\""),
                  QStringLiteral("    Added Constant \"SHello\""), QString()},
                 {2, 4, 2, 0, 0, 0, 2, 4, 2}, {Form1Name, Form2Name}},
    TCompareCase{"RenamedComponent",
                 QStringLiteral("[OldForm]\r\n3=Hier\r\n9=Weg\r\n[Form1]\r\n1=Ja\r\n2=Haupt\r\n4=Name:\r\n"
                                "[$CONSTANTS]\r\nSBye=B\r\nSHello=H\r\n"),
                 {MissingEntries, QStringLiteral("Added Component: [Form2]"),
                  QStringLiteral("    Added Property \"Edit1.Text\" (ID=3)"), QString(),
                  ExcessiveEntries, QStringLiteral("    Removed Component: [OldForm]"), QString()},
                 {1, 1, 0, 1, 2, 0, 2, 4, 2}, {Form1Name, Form2Name}},
    TCompareCase{"NamesMatchWithoutCase",
                 QStringLiteral("[FORM2]\r\n3=Hier\r\n[form1]\r\n1=Ja\r\n2=Haupt\r\n4=N\r\n"
                                "[$CONSTANTS]\r\nsbye=B\r\nSHELLO=H\r\n"),
                 {}, {0, 0, 0, 0, 0, 0, 2, 4, 2}, {QStringLiteral("FORM2"), QStringLiteral("form1")}},
    TCompareCase{"ChangedID",
                 QStringLiteral("[Form1]\r\n1=Ja\r\n2=Haupt\r\n5=Alt\r\n[Form2]\r\n3=Hier\r\n"
                                "[$CONSTANTS]\r\nSBye=B\r\nSHello=H\r\n"),
                 {MissingEntries, QStringLiteral("    Added Property \"Label1.Caption\" (ID=4)"), QString(),
                  ExcessiveEntries, QStringLiteral("    Removed Component \"Form1\", property with ID=5"),
                  QString()},
                 {0, 1, 0, 0, 1, 0, 2, 4, 2}, {Form1Name, Form2Name}},
    TCompareCase{"AllBlocksInOrder",
                 QStringLiteral("[Gone]\r\n7=x\r\n[Form2]\r\n3=Hier\r\n8=y\r\n"
                                "[$CONSTANTS]\r\nSOld=Alt\r\nSBye=B\r\nSAncient=A\r\n"),
                 {MissingEntries, QStringLiteral("Added Component: [Form1]"),
                  QStringLiteral("    Added Property \"Button1.Caption\" (ID=1)"),
                  QStringLiteral("    Added Property \"Caption\" (ID=2)"),
                  QStringLiteral("    Added Property \"Label1.Caption\" (ID=4)"), QString(),
                  MissingConstants, QStringLiteral("    Added Constant \"SHello\""), QString(),
                  ExcessiveEntries, QStringLiteral("    Removed Component: [Gone]"),
                  QStringLiteral("    Removed Component \"Form2\", property with ID=8"), QString(),
                  ExcessiveConstants, QStringLiteral("Removed Constant \"SAncient\""),
                  QStringLiteral("Removed Constant \"SOld\""), QString()},
                 {1, 3, 1, 1, 2, 2, 2, 4, 2}, {Form2Name, Form1Name}}),
    [](const auto &Info) { return std::string(Info.param.Title); });
// clang-format on

// Sources that repeat an ID in one component, or a component name in two
// spellings (both allowed): every ID is an entry of the translation once, and
// no ID that any spelling holds is deleted.
struct TSharedKeyCase {
  const char *Title;
  QString Source, Translation;
  QStringList LogLines;
  QString After; // "Name:ID=value,..." per component translation, '|' between
};

QString Entries(const TZrLang_CompTranslations &Tr) {
  QStringList Parts;
  for (int I = 0; I < Tr.Count(); ++I) {
    QStringList Ids;
    for (int J = 0; J < Tr.Items(I)->Count(); ++J)
      Ids << QStringLiteral("%1=%2").arg(Tr.Items(I)->Items(J)->iID).arg(Tr.Items(I)->Items(J)->wsValue);
    Parts << Tr.Items(I)->ComponentName() + u':' + Ids.join(u',');
  }
  return Parts.join(u'|');
}

class CompareSharedKeys : public testing::TestWithParam<TSharedKeyCase> {};

TEST_P(CompareSharedKeys, KeepsEveryIDOnce) {
  const TSharedKeyCase &C = GetParam();
  QBuffer B;
  B.setData(C.Source.toUtf8());
  B.open(QIODevice::ReadOnly);
  const TLangSource Src(B, QStringLiteral("dup.zrlang"));
  TZrLang_CompTranslations Tr;
  LoadTranslation(Tr, C.Translation);
  TCounters N;
  EXPECT_EQ(Compare(Src, Tr, N), C.LogLines.isEmpty() ? QString() : Log(C.LogLines));
  EXPECT_EQ(Entries(Tr), C.After);
  // Reconciled once, the translation stays as it is.
  EXPECT_EQ(Compare(Src, Tr, N), QString());
}

const QString RepeatedID = QStringLiteral("[Form1]\r\nCaption=00000005,A\r\nHint=00000005,B\r\n");
const QString TwoSpellings =
    QStringLiteral("[Form1]\r\nA=00000001,a\r\nD=00000003,d\r\n"
                   "[FORM1]\r\nB=00000002,b\r\nC=00000003,c\r\n");

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sources, CompareSharedKeys, testing::Values(
    TSharedKeyCase{"RepeatedIDNewComponent", RepeatedID, QString(),
                   {MissingEntries, QStringLiteral("Added Component: [Form1]"),
                    QStringLiteral("    Added Property \"Hint\" (ID=5)"), QString()},
                   QStringLiteral("Form1:5=B")},
    TSharedKeyCase{"RepeatedIDExistingComponent", RepeatedID, QStringLiteral("[Form1]\r\n"),
                   {MissingEntries, QStringLiteral("    Added Property \"Hint\" (ID=5)"), QString()},
                   QStringLiteral("Form1:5=B")},
    TSharedKeyCase{"TwoSpellingsKeepTranslations", TwoSpellings,
                   QStringLiteral("[Form1]\r\n1=Eins\r\n2=Zwei\r\n3=Drei\r\n4=Vier\r\n"),
                   {ExcessiveEntries, QStringLiteral("    Removed Component \"Form1\", property with ID=4"),
                    QString()},
                   QStringLiteral("Form1:1=Eins,2=Zwei,3=Drei")},
    TSharedKeyCase{"TwoSpellingsNewComponent", TwoSpellings, QString(),
                   {MissingEntries, QStringLiteral("Added Component: [FORM1]"),
                    QStringLiteral("    Added Property \"B\" (ID=2)"),
                    QStringLiteral("    Added Property \"C\" (ID=3)"),
                    QStringLiteral("    Added Property \"A\" (ID=1)"), QString()},
                   QStringLiteral("FORM1:1=a,2=b,3=c")}),
    [](const auto &Info) { return std::string(Info.param.Title); });
// clang-format on

TEST(Compare, AddedEntriesCarryTheSourceTextUntranslatedAndExistingOnesStay) {
  const auto Src = Source();
  TZrLang_CompTranslations Tr;
  LoadTranslation(Tr,
                  QStringLiteral("[Form1]\r\n2=Haupt\r\n[$CONSTANTS]\r\nSBye=Tsch\u00FCss\r\n"));
  Tr.FindComponentName(u"Form1")->Items(0)->TranStates = {zrtsAutotranslated};
  TCounters N;
  Compare(*Src, Tr, N);
  const TZrLang_CompTranslation *Form1 = Tr.FindComponentName(u"Form1");
  EXPECT_EQ(Form1->FindPropByID(1)->wsValue, QStringLiteral("OK"));
  EXPECT_EQ(Form1->FindPropByID(1)->TranStates, TZrLang_TranslationStates{zrtsUntranslated});
  EXPECT_EQ(Form1->FindPropByID(2)->wsValue, QStringLiteral("Haupt"));
  EXPECT_EQ(Form1->FindPropByID(2)->TranStates, TZrLang_TranslationStates{zrtsAutotranslated});
  EXPECT_EQ(Tr.FindComponentName(u"Form2")->FindPropByID(3)->wsValue, QStringLiteral("Type here"));
  const PZrLang_Constant Hello = Tr.Constants().FindConstName(u"SHello");
  ASSERT_NE(Hello, nullptr);
  EXPECT_EQ(Hello->wsValue, QStringLiteral("Hello"));
  EXPECT_EQ(Hello->TranStates, TZrLang_TranslationStates{zrtsUntranslated});
  EXPECT_EQ(Tr.Constants().FindConstName(u"SBye")->wsValue, QStringLiteral("Tsch\u00FCss"));
  // A second comparison finds nothing more to do.
  EXPECT_EQ(Compare(*Src, Tr, N), QString());
}

TEST(Compare, LogFollowsTheInterfaceLanguage) {
  QTemporaryDir Dir;
  ASSERT_TRUE(Dir.isValid());
  const QString File = Dir.filePath(QStringLiteral("de.lng"));
  {
    QFile F(File);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(QStringLiteral("\uFEFFLANGID=1031\r\n[$CONSTANTS]\r\n"
                           "SCaptionAddedComponent=Komponente hinzugef\u00FCgt: [%s]\r\n"
                           "SMessageMissingEntries=Fehlende Eintr\u00E4ge:\r\n")
                .toUtf8());
  }
  TZrLanguageManager &M = LangManager();
  ASSERT_TRUE(M.RegisterLangFile(File));
  M.SetLanguageID(1031);
  const auto Src = Source();
  TZrLang_CompTranslations Tr;
  LoadTranslation(Tr, Complete);
  Tr.Delete(Tr.IndexOfComponentName(u"Form2"));
  TCounters N;
  const QString Result = Compare(*Src, Tr, N);
  M.SetLanguageID(1033);
  M.UnregisterLangResource(1031);
  EXPECT_EQ(Result, Log({QStringLiteral("Fehlende Eintr\u00E4ge:"),
                         QStringLiteral("Komponente hinzugef\u00FCgt: [Form2]"),
                         QStringLiteral("    Added Property \"Edit1.Text\" (ID=3)"), QString()}));
}

} // namespace
