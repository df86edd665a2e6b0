// The language source file (.zrlang) and its model.
#include "LangSource.h"
#include "TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace std::literals;
using namespace Qt::StringLiterals;

namespace {

// "[Comp]" per component, "ID:Name=Value" per property, "$Name=Value" per
// constant, joined with '|'; values as stored.
QString Dump(const TLangSource &S) {
  QStringList Out;
  for (int I = 0; I < S.ComponentSources().Count(); ++I) {
    const TComponentSource *C = S.ComponentSources().Items(I);
    Out << u"["_s + C->CompName() + u"]"_s;
    for (int J = 0; J < C->PropertySources().Count(); ++J) {
      const PPropertySource P = C->PropertySources().Items(J);
      Out << QString::number(P->iID) + u":"_s + P->sPropName.Text() + u"="_s + P->wsValue;
    }
  }
  for (int I = 0; I < S.Constants().Count(); ++I)
    Out << u"$"_s + S.Constants().Items(I)->wsName + u"="_s + S.Constants().Items(I)->wsValue;
  return Out.join(u'|');
}

std::unique_ptr<TLangSource> Parse(const QByteArray &Bytes) {
  TByteStream S(Bytes);
  return std::make_unique<TLangSource>(S, u"test.zrlang"_s);
}

struct TParseCase {
  const char *Name;
  std::string_view Text;
  std::u16string_view Expected;
};

// clang-format off
const TParseCase ParseCases[] = {
    {"Empty", "", u""},
    {"OnlyComments", "; a\r\n\r\n   \r\n\t;b=1,x", u""},
    {"TrimmedHeader", "  [ Form1 ]  \r\nCaption=1,x", u"[Form1]|1:Caption=x"},
    {"LastCharDropped", "[Form1\r\n[Form2)\r\n[ab", u"[a]|[Form]|[Form2]"},
    {"EmptyAndDottedNames", "[]\r\n[Dialog.OpenFiles]\r\n[", u"[]|[]|[Dialog.OpenFiles]"},
    {"ComponentOrder", "[b]\r\n[A]\r\n[_c]", u"[A]|[b]|[_c]"},
    {"SameNameTwice", "[Form1]\r\nA=1,x\r\n[FORM1]\r\nB=2,y", u"[FORM1]|2:B=y|[Form1]|1:A=x"},
    {"IdAndValue", "[F]\r\nCaption=00000012,Hello, world", u"[F]|12:Caption=Hello, world"},
    {"NoComma", "[F]\r\nCaption=Hello\r\nCaption=Bye", u"[F]|0:Caption=Bye|0:Caption=Hello"},
    {"BlankBeforeComma", "[F]\r\nCaption=12 ,Hi", u"[F]|0:Caption=Hi"},
    {"BlanksAround", "[F]\r\n A = 00000005 , v = w,x  ", u"[F]|0:A=v = w,x"},
    {"Trimmed", "[F]\r\n\tA =  7,  x y  \x01", u"[F]|7:A=x y"},
    {"NoEquals", "[F]\r\nnoequals,5", u"[F]|0:=5"},
    {"Numbers", "[F]\r\nA=$1F,a\r\nB=0x10,b\r\nC=-7,c\r\nD=+3,d\r\nE=,e", u"[F]|-7:C=c|0:E=e|3:D=d|16:B=b|31:A=a"},
    {"OutOfRange", "[F]\r\nA=2147483648,a\r\nB=-2147483648,b", u"[F]|-2147483648:B=b|0:A=a"},
    {"SortedIDs", "[F]\r\nA=3,a\r\nB=1,b\r\nC=2,c", u"[F]|1:B=b|2:C=c|3:A=a"},
    {"RepeatedIDsLaterFirst", "[F]\r\nA=2,a\r\nB=1,b\r\nC=2,c\r\nD=2,d", u"[F]|1:B=b|2:D=d|2:C=c|2:A=a"},
    {"DescendingSections", "[c]\r\n[B]\r\n[b]\r\n[a]", u"[a]|[b]|[B]|[c]"},
    {"DescendingConstants", "[$CONSTANTS]\r\nZ=z\r\nm=m\r\nA=a", u"$A=a|$m=m|$Z=z"},
    {"Escapes", "[F]\r\nA=1,Line1\\nLine2\\t\\\\", u"[F]|1:A=Line1\r\nLine2\t\\"},
    {"Breaks", "[F]\rA=1,a\nB=2,b\r\n\n\rC=3,c", u"[F]|1:A=a|2:B=b|3:C=c"},
    {"Constants", "[$constants]\r\n Y = a\\tb \r\nX=x=y,z", u"$X=x=y,z|$Y=a\tb"},
    {"ConstantsBetween", "[F]\r\nA=1,a\r\n[$CONSTANTS]\r\nX=v\r\n[G]\r\nB=2,b", u"[F]|1:A=a|[G]|2:B=b|$X=v"},
};
// clang-format on

class LangSourceParseTest : public testing::TestWithParam<TParseCase> {};

TEST_P(LangSourceParseTest, Parses) {
  TScopedAcp Acp(1252);
  const auto S = Parse(QByteArray(GetParam().Text.data(), qsizetype(GetParam().Text.size())));
  EXPECT_EQ(Dump(*S), Q(GetParam().Expected));
  EXPECT_FALSE(S->IsFileUnicode());
  EXPECT_EQ(S->Filename(), u"test.zrlang"_s);
}
INSTANTIATE_TEST_SUITE_P(Lines, LangSourceParseTest, testing::ValuesIn(ParseCases),
                         [](const auto &Info) { return std::string(Info.param.Name); });

struct TErrorCase {
  const char *Text;
  const char16_t *Message;
  bool bModelError; // EZrLangError rather than ELangSourceError
};

class LangSourceErrorTest : public testing::TestWithParam<TErrorCase> {};

TEST_P(LangSourceErrorTest, StopsTheLoad) {
  try {
    Parse(GetParam().Text);
    FAIL() << "no error";
  } catch (const EZrLangError &E) {
    EXPECT_TRUE(GetParam().bModelError);
    EXPECT_EQ(E.Message(), QStringView(GetParam().Message));
  } catch (const ELangSourceError &E) {
    EXPECT_FALSE(GetParam().bModelError);
    EXPECT_TRUE(E.Message().contains(QStringView(GetParam().Message))) << E.what();
  }
}
INSTANTIATE_TEST_SUITE_P(
    Files, LangSourceErrorTest,
    testing::Values(TErrorCase{"A=1,x", u"Line 1", false},
                    TErrorCase{"; c\r\n\r\nA=1,x\r\n[F]", u"Line 3", false},
                    TErrorCase{"[$CONSTANTS]\r\n1x=2", u"Invalid constant name (\"1x\")", true},
                    TErrorCase{"[$CONSTANTS]\r\nnoequals", u"Invalid constant name (\"\")", true},
                    TErrorCase{"[$CONSTANTS]\r\nA=1\r\n[F]\r\n[$CONSTANTS]\r\na=2",
                               u"Duplicate constant name (\"a\")", true},
                    // The first faulty line in reading order decides, whatever the order of names.
                    TErrorCase{"[$CONSTANTS]\r\nZ=1\r\nA=2\r\nz=3\r\na=4",
                               u"Duplicate constant name (\"z\")", true},
                    TErrorCase{"[$CONSTANTS]\r\nB=1\r\nb=2\r\n1x=3", u"Duplicate constant name (\"b\")",
                               true},
                    TErrorCase{"[$CONSTANTS]\r\nB=1\r\n1x=2\r\nb=3", u"Invalid constant name (\"1x\")",
                               true}));

struct TEncodingCase {
  const char *Name;
  QByteArray Bytes;
  bool bUnicode;
};

const QString Sample = u"[Ф]\r\nA=1,Жx\r\n[$CONSTANTS]\r\nK=ё"_s;

class LangSourceEncodingTest : public testing::TestWithParam<TEncodingCase> {};

TEST_P(LangSourceEncodingTest, FollowsByteOrderMark) {
  TScopedAcp Acp(1251);
  const auto S = Parse(GetParam().Bytes);
  EXPECT_EQ(Dump(*S), u"[Ф]|1:A=Жx|$K=ё"_s);
  EXPECT_EQ(S->IsFileUnicode(), GetParam().bUnicode);
}
INSTANTIATE_TEST_SUITE_P(
    Marks, LangSourceEncodingTest,
    testing::Values(TEncodingCase{"Utf8", "\xEF\xBB\xBF" + Sample.toUtf8(), false},
                    TEncodingCase{"Utf16LE", "\xFF\xFE" + Utf16Bytes(Sample), true},
                    TEncodingCase{"Utf16BE", "\xFE\xFF" + Utf16Bytes(Sample, true), false},
                    TEncodingCase{"Ansi", "[\xD4]\r\nA=1,\xC6x\r\n[$CONSTANTS]\r\nK=\xB8", false}),
    [](const auto &Info) { return std::string(Info.param.Name); });

TEST(LangSourceTest, OddUtf16AndLoneSurrogates) {
  const auto S = Parse("\xFF\xFE" + Utf16Bytes(Q(u"[F]\r\nA=1,\xDC00x\xD800")) + "z");
  EXPECT_EQ(Dump(*S), Q(u"[F]|1:A=\xDC00x\xD800\xFFFD"));
}

struct TDetectCase {
  QByteArray Bytes;
  TStreamEncoding Encoding;
  qint64 Pos;
};

class DetectEncodingTest : public testing::TestWithParam<TDetectCase> {};

TEST_P(DetectEncodingTest, LeavesStreamAfterMark) {
  TByteStream Plain(GetParam().Bytes);
  EXPECT_EQ(DetectStreamEncoding(Plain), GetParam().Encoding);
  EXPECT_EQ(Plain.pos(), GetParam().Pos);
  TByteStream Later("xyz" + GetParam().Bytes);
  Later.seek(3);
  EXPECT_EQ(DetectStreamEncoding(Later), GetParam().Encoding);
  EXPECT_EQ(Later.pos(), 3 + GetParam().Pos);
}
INSTANTIATE_TEST_SUITE_P(
    Marks, DetectEncodingTest,
    testing::Values(TDetectCase{"", seNone, 0}, TDetectCase{"\xFF", seNone, 0},
                    TDetectCase{"\xFF\xFE", seUTF16LE, 2},
                    TDetectCase{"\xFF\xFE\x41", seUTF16LE, 2},
                    TDetectCase{"\xFE\xFF\x41", seUTF16BE, 2},
                    TDetectCase{"\xEF\xBB\xBF", seUTF8, 3}, TDetectCase{"\xEF\xBB\xBFx", seUTF8, 3},
                    TDetectCase{"\xEF\xBB", seNone, 0}, TDetectCase{"\xEF\xBB\xBE", seNone, 0},
                    TDetectCase{"\xFE\xFE", seNone, 0}, TDetectCase{"abc", seNone, 0}));

TEST(LangSourceTest, LookupsUseTextOrder) {
  const auto S = Parse("[Form1]\r\nForm1.Caption=5,a\r\nBtn.Hint=2,b\r\n[Dialog]");
  const TComponentSources &C = S->ComponentSources();
  EXPECT_EQ(C.IndexOfCompName(u"FORM1"), 1);
  EXPECT_EQ(C.FindCompByName(u"dialog"), C.Items(0));
  EXPECT_EQ(C.IndexOfCompName(u"Form"), -1);
  int Index = -1;
  EXPECT_FALSE(C.FindCompName(u"Zzz", Index));
  EXPECT_EQ(Index, 2);
  const TPropertySources &P = C.Items(1)->PropertySources();
  EXPECT_EQ(P.IndexOfPropName(u"form1.CAPTION"), 1);
  EXPECT_EQ(P.IndexOfPropName(u"Caption"), -1);
  EXPECT_EQ(P.FindPropByID(2)->sPropName.Text(), u"Btn.Hint"_s);
  EXPECT_EQ(P.IndexOfID(3), -1);
  EXPECT_FALSE(P.FindID(3, Index));
  EXPECT_EQ(Index, 1);
}

TEST(LangSourceTest, PropertiesOfOneNameShareIt) {
  const auto S = Parse("[A]\r\nBtn.Caption=1,a\r\n[B]\r\nBtn.Caption=2,b\r\nBtn.Hint=3,c\r\n");
  const TComponentSources &C = S->ComponentSources();
  const QString &First = C.Items(0)->PropertySources().Items(0)->sPropName.Text();
  const QString &Second = C.Items(1)->PropertySources().Items(0)->sPropName.Text();
  EXPECT_EQ(&First, &Second);
  EXPECT_EQ(C.Items(1)->PropertySources().Items(1)->sPropName.Text(), u"Btn.Hint"_s);
}

TEST(LangSourceTest, ReadsFileAndReportsMissingOne) {
  QTemporaryDir Dir;
  const QString Name = Dir.filePath(u"app.zrlang"_s);
  {
    QFile F(Name);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write("\xFF\xFE" + Utf16Bytes(u"[F]\r\nA=1,a"));
  }
  const TLangSource S(Name);
  EXPECT_EQ(Dump(S), u"[F]|1:A=a"_s);
  EXPECT_TRUE(S.IsFileUnicode());
  EXPECT_EQ(S.Filename(), Name);

  const QString Missing = Dir.filePath(u"none.zrlang"_s);
  try {
    TLangSource Bad(Missing);
    FAIL() << "no error";
  } catch (const EFOpenError &E) {
    EXPECT_TRUE(E.Message().startsWith(u"Cannot open file \""_s + Missing + u"\". "_s)) << E.what();
  }
}

} // namespace
