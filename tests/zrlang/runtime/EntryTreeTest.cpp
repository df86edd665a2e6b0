#include "Exceptions.h"
#include "MaskList.h"
#include "RuntimeTestObjects.h"
#include "Translations.h"

#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Pieces of the language-data stream.
QByteArray Str(QByteArrayView Utf8) {
  QByteArray B(2, '\0');
  qToLittleEndian<quint16>(quint16(Utf8.size()), B.data());
  return B + Utf8.toByteArray();
}
QByteArray I32(qint32 V) {
  QByteArray B(4, '\0');
  qToLittleEndian<qint32>(V, B.data());
  return B;
}
QByteArray Byte(char V) {
  return QByteArray(1, V);
}
const QByteArray Form = Str("Form");

QByteArray Save(const TZrLang_CompEntry &Root) {
  QBuffer B;
  B.open(QIODevice::WriteOnly);
  Root.SaveToDFMResource(B);
  return B.data();
}

void Load(TZrLang_CompEntry &Root, const QByteArray &Bytes) {
  QBuffer B;
  B.setData(Bytes);
  B.open(QIODevice::ReadOnly);
  Root.LoadFromDFMResource(B);
}

QStringList Lines(const TZrLang_CompEntry &Root) {
  QStringList L;
  Root.WriteSourceLines(L);
  return L;
}

void Update(TZrLang_CompEntry &Root, bool bModify, int Options = ZrLangDefaultControllerOptions,
            const QStringList &Ignore = {}, const QStringList &Store = {}) {
  Root.UpdateEntries(bModify, Options & zrlcoIgnoreEmptyProps, Options & zrlcoIgnoreNonAlphaProps,
                     Options & zrlcoIgnoreFontProps, TZrLang_MaskList(Ignore),
                     TZrLang_MaskList(Store));
}

QObject *NewNamed(QObject *Parent, const QString &Name) {
  auto *O = new QObject(Parent);
  O->setObjectName(Name);
  return O;
}

struct TLayoutCase {
  const char *Title;
  std::function<QObject *()> Build;
  QByteArray Expected;
};

class LangDataLayout : public testing::TestWithParam<TLayoutCase> {};

TEST_P(LangDataLayout, WritesTheTreeByteForByteAndReadsItBack) {
  std::unique_ptr<QObject> Owner(GetParam().Build());
  TZrLang_CompEntry Root(nullptr);
  Root.BindComponents(Owner.get());
  Update(Root, true);
  const QByteArray Bytes = Save(Root);
  EXPECT_EQ(Bytes, GetParam().Expected);
  TZrLang_CompEntry Copy(nullptr);
  Load(Copy, Bytes);
  EXPECT_EQ(Save(Copy), Bytes);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Entries, LangDataLayout, testing::Values(
    TLayoutCase{"Bare", [] { return NewNamed(nullptr, QStringLiteral("Form")); },
                Form + Byte(0) + Byte(0)},
    TLayoutCase{"HelpersAreNoComponents", [] {
                  QObject *F = NewNamed(nullptr, QStringLiteral("Form"));
                  new QObject(F);
                  NewNamed(F, QStringLiteral("qt_helper"));
                  (new TZrLanguageController(F))->setObjectName(QStringLiteral("Lang"));
                  return F; },
                Form + Byte(0) + Byte(0)},
    TLayoutCase{"ChildWithoutProperties", [] {
                  QObject *F = NewNamed(nullptr, QStringLiteral("Form"));
                  NewNamed(new QObject(F), QStringLiteral("Btn"));
                  return F; },
                Form + Byte(0) + Byte(1) + I32(1) + Str("Btn") + Byte(0) + Byte(0)},
    TLayoutCase{"Utf8Name", [] { return NewNamed(nullptr, QStringLiteral("\u00C4")); },
                Str("\xC3\x84") + Byte(0) + Byte(0)},
    TLayoutCase{"OverlongNameKeepsLow16Bits", [] { return NewNamed(nullptr, QString(65537, u'x')); },
                Str("x") + Byte(0) + Byte(0)},
    TLayoutCase{"Properties", [] {
                  auto *P = new TTestPanel(nullptr, QStringLiteral("Form"));
                  P->Caption = QStringLiteral("Hi");
                  auto *B = new TTestPanel(P, QStringLiteral("Btn"));
                  B->Columns = {new TColumn(B, QStringLiteral("Go"))};
                  return static_cast<QObject *>(P); },
                Form + Byte(1) + I32(1) + I32(1) + Str("Caption") + Byte(1) + I32(1) + Str("Btn") +
                Byte(1) + I32(1) + I32(2) + Str("Columns[0].Text") + Byte(0)}),
    [](const auto &Info) { return std::string(Info.param.Title); });

struct TReadCase {
  const char *Title;
  QByteArray Input, Written;
};

class LangDataRead : public testing::TestWithParam<TReadCase> {};

TEST_P(LangDataRead, NormalizesWhatItReads) {
  TZrLang_CompEntry Root(nullptr);
  Load(Root, GetParam().Input);
  EXPECT_EQ(Save(Root), GetParam().Written);
}

INSTANTIATE_TEST_SUITE_P(Entries, LangDataRead, testing::Values(
    TReadCase{"PropertiesSortedByName",
              Form + Byte(1) + I32(2) + I32(2) + Str("b") + I32(1) + Str("a") + Byte(0),
              Form + Byte(1) + I32(2) + I32(1) + Str("a") + I32(2) + Str("b") + Byte(0)},
    TReadCase{"RepeatedNameKeepsFirstID",
              Form + Byte(1) + I32(2) + I32(5) + Str("Caption") + I32(9) + Str("CAPTION") + Byte(0),
              Form + Byte(1) + I32(1) + I32(5) + Str("Caption") + Byte(0)},
    TReadCase{"AnyNonZeroFlagMeansPresent",
              Form + Byte(2) + I32(0) + Byte('\xFF') + I32(1) + Str("A") + Byte(0) + Byte(0),
              Form + Byte(1) + I32(0) + Byte(1) + I32(1) + Str("A") + Byte(0) + Byte(0)},
    TReadCase{"NegativeCountIsEmpty", Form + Byte(1) + I32(-1) + Byte(1) + I32(-7),
              Form + Byte(1) + I32(0) + Byte(1) + I32(0)}),
    [](const auto &Info) { return std::string(Info.param.Title); });
// clang-format on

TEST(Entries, EveryTruncatedStreamRaisesTheReadError) {
  const QByteArray Full = Form + Byte(1) + I32(2) + I32(1) + Str("Caption") + I32(4) + Str("Hint") +
                          Byte(1) + I32(2) + Str("Group") + Byte(1) + I32(1) + I32(2) +
                          Str("Title") + Byte(1) + I32(1) + Str("\xC3\x84") + Byte(0) + Byte(0) +
                          Str("Empty") + Byte(0) + Byte(0);
  TZrLang_CompEntry Whole(nullptr);
  Load(Whole, Full);
  ASSERT_EQ(Save(Whole), Full);
  for (qsizetype N = 0; N < Full.size(); ++N) {
    TZrLang_CompEntry Root(nullptr);
    try {
      Load(Root, Full.first(N));
      ADD_FAILURE() << "prefix of " << N << " bytes was accepted";
    } catch (const EReadError &E) {
      EXPECT_EQ(E.Message(), QStringLiteral("Stream read error"));
    }
  }
  EXPECT_THROW(Load(Whole, Form + Byte(0) + Byte(1) + I32(0x7FFFFFFF) + Form + Byte(0) + Byte(0)),
               EReadError);
}

QByteArray Nested(int Depth) {
  QByteArray B;
  for (int I = 0; I < Depth; ++I)
    B += Str("a") + Byte(0) + Byte(1) + I32(1);
  return B + Form + Byte(0) + Byte(0);
}

TEST(Entries, DeeplyNestedStreamIsRefusedWithoutExhaustingTheStack) {
  TZrLang_CompEntry Root(nullptr);
  EXPECT_THROW(Load(Root, Nested(200000)), Exception);
  TZrLang_CompEntry Deep(nullptr);
  Load(Deep, Nested(60));
  EXPECT_EQ(Save(Deep), Nested(60));
}

// What the property pass records for a panel inside a host.
struct TWalkCase {
  const char *Title;
  int Options;
  bool bDerivedFont, bOwnedBuddy;
  QStringList Ignore, Store, Expected;
};

class PropertyPass : public testing::TestWithParam<TWalkCase> {};

TEST_P(PropertyPass, RecordsTheLocalizableProperties) {
  const TWalkCase &C = GetParam();
  QObject Host;
  Host.setObjectName(QStringLiteral("Host"));
  auto *Panel = new TTestPanel(&Host, QStringLiteral("Panel"), C.bDerivedFont);
  Panel->Caption = QStringLiteral("Go");
  Panel->Hint = QStringLiteral("Tip");
  Panel->Lines = QStringList{QStringLiteral("a"), QStringLiteral("b")};
  Panel->Columns = {new TColumn(Panel, QStringLiteral("First")),
                    new TColumn(Panel, QStringLiteral("Second"))};
  Panel->Buddy = C.bOwnedBuddy ? new TColumn(Panel, QStringLiteral("Pal"))
                               : NewNamed(&Host, QStringLiteral("Other"));
  TZrLang_CompEntry Root(nullptr);
  Root.BindComponents(&Host);
  Update(Root, true, C.Options, C.Ignore, C.Store);
  EXPECT_EQ(Lines(Root), C.Expected);
  EXPECT_GE(Root.OwnedCompEntries()->IndexOfCompName(u"panel"), 0);
}

const QString Go1 = QStringLiteral("Panel.Caption=00000001,Go");
const QString Ab2 = QStringLiteral("Panel.Lines=00000002,a\\nb\\n");
QString Col(int I, int ID) {
  return QStringLiteral("Panel.Columns[%1].Text=%2,%3")
      .arg(I)
      .arg(ID, 8, 10, QChar(u'0'))
      .arg(I ? QStringLiteral("Second") : QStringLiteral("First"));
}
const QString Cols = QStringLiteral("*.Columns");

// clang-format off
INSTANTIATE_TEST_SUITE_P(Entries, PropertyPass, testing::Values(
    TWalkCase{"Defaults", 15, false, false, {}, {}, {Go1, Col(0, 3), Col(1, 4), Ab2}},
    TWalkCase{"FontsWalked", 15 & ~zrlcoIgnoreFontProps, false, false, {}, {},
              {Go1, Col(0, 4), Col(1, 5), QStringLiteral("Panel.Font.Name=00000003,Tahoma"), Ab2}},
    TWalkCase{"DerivedFontClassWalked", 15, true, false, {Cols}, {},
              {Go1, QStringLiteral("Panel.Font.Name=00000003,Tahoma"), Ab2}},
    TWalkCase{"StoreMaskTakesUnstoredAndReadOnly", 15, false, false, {Cols},
              {QStringLiteral("Panel.Hint"), QStringLiteral("*.derived")},
              {Go1, QStringLiteral("Panel.Derived=00000003,Go!"), QStringLiteral("Panel.Hint=00000002,Tip"),
               QStringLiteral("Panel.Lines=00000004,a\\nb\\n")}},
    TWalkCase{"IgnoreOneCollectionItem", 15, false, false, {QStringLiteral("*Columns?1?.Text")}, {},
              {Go1, Col(0, 3), Ab2}},
    TWalkCase{"IgnoreWinsOverStore", 15, false, false, {QStringLiteral("Panel.*")},
              {QStringLiteral("Panel.Hint")}, {}},
    TWalkCase{"OwnedReferencedObjectWalked", 15, false, true, {Cols}, {},
              {QStringLiteral("Panel.Buddy.Text=00000003,Pal"), Go1, Ab2}}),
    [](const auto &Info) { return std::string(Info.param.Title); });

struct TAcceptCase {
  int Options;
  QString Value;
  bool bStoreMask, bRecorded;
};

class ValueAcceptance : public testing::TestWithParam<TAcceptCase> {};

INSTANTIATE_TEST_SUITE_P(Entries, ValueAcceptance, testing::Values(
    TAcceptCase{15, QStringLiteral("123"), false, false}, TAcceptCase{15, QStringLiteral("---"), false, false},
    TAcceptCase{15, QString(), true, false},              TAcceptCase{15, QStringLiteral("x1"), false, true},
    TAcceptCase{15, QStringLiteral("\u0416"), false, true}, TAcceptCase{15, QStringLiteral("\u00DF"), false, true},
    TAcceptCase{15, QStringLiteral("\u00A0"), false, false}, TAcceptCase{15, QStringLiteral("\u00A1"), false, true},
    TAcceptCase{11, QStringLiteral("123"), false, true},  TAcceptCase{11, QString(), true, false},
    TAcceptCase{9, QString(), true, true},                TAcceptCase{9, QString(), false, false}));
// clang-format on

TEST_P(ValueAcceptance, RecordsOnlyAcceptedValues) {
  const TAcceptCase &C = GetParam();
  QObject Host;
  Host.setObjectName(QStringLiteral("Host"));
  (new TTestPanel(&Host, QStringLiteral("Panel")))->Caption = C.Value;
  TZrLang_CompEntry Root(nullptr);
  Root.BindComponents(&Host);
  Update(Root, true, C.Options, {},
         C.bStoreMask ? QStringList{QStringLiteral("*.Caption")} : QStringList{});
  EXPECT_EQ(Lines(Root).size(), C.bRecorded ? 1 : 0);
}

TEST(Entries, RefreshTakesDefaultsOnlyAndApplyingNothingRestoresThem) {
  QObject Host;
  Host.setObjectName(QStringLiteral("Host"));
  auto *Panel = new TTestPanel(&Host, QStringLiteral("Panel"));
  Panel->Caption = QStringLiteral("Go");
  Panel->Lines = QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")};
  Panel->Columns = {new TColumn(Panel, QStringLiteral("First"))};
  TZrLang_CompEntry Root(nullptr);
  Root.BindComponents(&Host);
  Update(Root, true);
  ASSERT_EQ(Lines(Root).size(), 3);
  // Without modifying, nothing is added or dropped; defaults follow the form.
  Panel->Caption = QStringLiteral("Run");
  Panel->Columns.append(new TColumn(Panel, QStringLiteral("Second")));
  Update(Root, false);
  Panel->Columns.first()->setProperty("Text", QStringLiteral("42"));
  Update(Root, false);
  // "42" is not accepted, so the column keeps its earlier default.
  EXPECT_EQ(Lines(Root), (QStringList{QStringLiteral("Panel.Caption=00000001,Run"), Col(0, 3),
                                      QStringLiteral("Panel.Lines=00000002,a\\n\\nb\\n")}));

  TZrLang_CompTranslation Tr(QStringLiteral("Host"));
  Tr.Add(1, QStringLiteral("Los"), {});
  Tr.Add(2, QStringLiteral("x\ny\r\n"), {});
  Tr.Add(3, QStringLiteral("Erste"), {});
  Tr.Add(99, QStringLiteral("unused"), {});
  Root.ApplyTranslation(&Tr, 1252);
  EXPECT_EQ(Panel->Caption, QStringLiteral("Los"));
  EXPECT_EQ(Panel->Lines, (QStringList{QStringLiteral("x"), QStringLiteral("y")}));
  EXPECT_EQ(Panel->Column(0)->Text, QStringLiteral("Erste"));
  EXPECT_EQ(Panel->Column(1)->Text, QStringLiteral("Second"));
  Root.ApplyTranslation(nullptr, 1252);
  EXPECT_EQ(Panel->Caption, QStringLiteral("Run"));
  EXPECT_EQ(Panel->Lines, (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
  EXPECT_EQ(Panel->Column(0)->Text, QStringLiteral("First"));
}

TEST(Entries, BindingMatchesNamesWithoutCaseAndDropsVanishedOnes) {
  TZrLang_CompEntry Root(nullptr);
  Load(Root, Form + Byte(0) + Byte(1) + I32(2) + Str("PANEL") + Byte(1) + I32(1) + I32(1) +
                 Str("Caption") + Byte(1) + I32(1) + Str("Inner") + Byte(0) + Byte(0) +
                 Str("Gone") + Byte(1) + I32(1) + I32(2) + Str("Caption") + Byte(0));
  QObject Host;
  Host.setObjectName(QStringLiteral("Host"));
  auto *Panel = new TTestPanel(&Host, QStringLiteral("Panel"));
  Root.BindComponents(&Host);
  ASSERT_EQ(Root.OwnedCompEntries()->Count(), 1);
  const TZrLang_CompEntry *Child = Root.OwnedCompEntries()->Items(0);
  EXPECT_EQ(Child->Component(), Panel);
  EXPECT_EQ(Child->Name(), QStringLiteral("Panel"));
  EXPECT_EQ(Child->OwnedCompEntries(), nullptr); // "Inner" has no component
  EXPECT_EQ(Root.GetMaxPropEntryID(), 1);
}

} // namespace
