// The translation file (.lng): reading, writing, files and resources.
#include "Escaping.h"
#include "Exceptions.h"
#include "TestSupport.h"
#include "Translations.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace std::literals;
using namespace Qt::StringLiterals;

namespace {

// "A=1" per parameter, "[F]" per component, "12=v" per property, "$K=v" per
// constant, joined with '|'; values in their one-line form.
QString Dump(const TZrLang_CompTranslations &T) {
  QStringList Out = T.Params().Lines();
  for (int I = 0; I < T.Count(); ++I) {
    const TZrLang_CompTranslation *C = T.Items(I);
    Out << u"["_s + C->ComponentName() + u"]"_s;
    for (int J = 0; J < C->Count(); ++J)
      Out << QString::number(C->Items(J)->iID) + u"="_s + EncodeControlChars(C->Items(J)->wsValue);
  }
  for (int I = 0; I < T.Constants().Count(); ++I)
    Out << u"$"_s + T.Constants().Items(I)->wsName + u"="_s +
               EncodeControlChars(T.Constants().Items(I)->wsValue);
  return Out.join(u'|');
}

void Load(TZrLang_CompTranslations &T, const QByteArray &Bytes, bool bParamsOnly = false) {
  TByteStream S(Bytes);
  T.Text_LoadFromStream(S, bParamsOnly);
}

QByteArray Save(TZrLang_CompTranslations &T, bool bUnicode, bool bSkip) {
  QByteArray Bytes;
  QBuffer S(&Bytes);
  S.open(QIODevice::WriteOnly);
  T.Text_SaveToStream(S, bUnicode, bSkip);
  return Bytes;
}

struct TParseCase {
  const char *Name;
  std::string_view Text;
  std::u16string_view Expected;
  bool bParamsOnly = false;
};

// clang-format off
const TParseCase ParseCases[] = {
    {"Empty", "", u""},
    {"HeaderOnly", "LANGID=1049\r\nAuthor=Me", u"LANGID=1049|Author=Me"},
    {"HeaderTrimmed", "LANGID = 1049 \r\n", u"LANGID=1049"},
    {"HeaderNotDecoded", "A=x\\ny", u"A=x\\ny"},
    {"HeaderRepeatedName", "A=1\r\nB=2\r\na=3", u"a=3|B=2"},
    {"HeaderEmptyValueRemoves", "A=1\r\nB=2\r\nA=", u"B=2"},
    {"CommentsAndBlanks", "; c\r\n\r\n  \r\n  ;A=1\r\n\x01" "B=1\x1F", u"B=1"},
    {"Breaks", "A=1\rB=2\nC=3\r\n\r\nD=4\n\r", u"A=1|B=2|C=3|D=4"},
    {"SectionTrimmed", "[ Form1 ]\r\n1=a", u"[Form1]|1=a"},
    {"UnclosedInHeader", "A=1\r\n[Form1\r\nB=2", u"A=1|B=2"},
    {"UnclosedInSection", "[F]\r\n1=a\r\n[Form1\r\n2=b", u"[F]|1=a|2=b"},
    {"BlankSectionName", "[ ]\r\n1=a", u"[]|1=a"},
    {"EmptyBracketsIgnored", "[]\r\n1=a", u"1=a"},
    {"Keys", "[F]\r\n00000012=a\r\n0=b\r\n-3=c\r\nabc=d\r\n 13 = e ", u"[F]|12=a|13=e"},
    {"NoEqualsOrEmptyKey", "=x\r\n[F]\r\nnoequals\r\n=5\r\n1=ok", u"[F]|1=ok"},
    {"ValueTrimmedAndDecoded", "[F]\r\n1=  a\\tb\\65  \r\n2=c\\nd", u"[F]|1=a\\tbA|2=c\\nd"},
    {"SameSectionTwice", "[F]\r\n1=x\r\n[G]\r\n1=y\r\n[f]\r\n2=z", u"[F]|1=x|2=z|[G]|1=y"},
    {"DescendingIDsAndNames", "[G]\r\n9=a\r\n3=b\r\n[F]\r\n2=c\r\n[g]\r\n5=d\r\n[$CONSTANTS]\r\nZ=1\r\nb=2\r\nA=3",
     u"[G]|3=b|5=d|9=a|[F]|2=c|$A=3|$b=2|$Z=1"},
    {"Constants", "[$constants]\r\nB=2\r\nA=1\\t", u"$A=1\\t|$B=2"},
    {"UnclosedAfterConstants", "[$CONSTANTS]\r\n[F\r\nX=1", u"$X=1"},
    {"ConstantsThenComponent", "[$CONSTANTS]\r\nX=1\r\n[F]\r\nX=2\r\n3=c", u"[F]|3=c|$X=1"},
    {"NulEndsText", "A=1\0\r\nB=2"sv, u"A=1"},
    {"Utf8WithoutMarkIsAnsi", "A=\xC3\xA9", u"A=Ã©"},
    {"ParamsOnlyStopsAtBracket", "A=1\r\n[F\r\nB=2", u"A=1", true},
    {"ParamsOnlySkipsSections", "A=1\r\n[$CONSTANTS]\r\nX=1", u"A=1", true},
    {"ParamsOnlyNoHeader", "[F]\r\n1=a\r\nA=1", u"", true},
};
// clang-format on

class TextLoadTest : public testing::TestWithParam<TParseCase> {};
TEST_P(TextLoadTest, Parses) {
  TScopedAcp Acp(1252);
  TZrLang_CompTranslations T;
  Load(T, QByteArray(GetParam().Text.data(), qsizetype(GetParam().Text.size())),
       GetParam().bParamsOnly);
  EXPECT_EQ(Dump(T), Q(GetParam().Expected));
  EXPECT_FALSE(T.IsStreamUnicode());
}
INSTANTIATE_TEST_SUITE_P(Lines, TextLoadTest, testing::ValuesIn(ParseCases),
                         [](const auto &Info) { return std::string(Info.param.Name); });

struct TErrorCase {
  const char *Text;
  const char16_t *Message, *Kept;
};

class TextLoadErrorTest : public testing::TestWithParam<TErrorCase> {};
TEST_P(TextLoadErrorTest, NamesTheLineCountedFromOne) {
  TZrLang_CompTranslations T;
  try {
    Load(T, GetParam().Text);
    FAIL() << "no error";
  } catch (const EZrLangError &E) {
    EXPECT_EQ(E.Message(),
              u"Loading translations failed.\r\n"_s + QString::fromUtf16(GetParam().Message));
  }
  EXPECT_EQ(Dump(T), QString::fromUtf16(GetParam().Kept));
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, TextLoadErrorTest, testing::Values(
    TErrorCase{"[F]\r\n5=a\r\n5=b\r\n6=c", u"Line 3: Duplicate property value translation ID (5)", u"[F]|5=a"},
    TErrorCase{"A=1\r\n[F]\r\n5=a\r\n[f]\r\n5=b", u"Line 5: Duplicate property value translation ID (5)", u"A=1|[F]|5=a"},
    TErrorCase{"[F]\r5=a\n\n5=b", u"Line 4: Duplicate property value translation ID (5)", u"[F]|5=a"},
    TErrorCase{"[$CONSTANTS]\r\n\r\n; c\r\n1x=2", u"Line 4: Invalid constant name (\"1x\")", u""},
    TErrorCase{"[$CONSTANTS]\r\nFoo=1\r\nFOO=2", u"Line 3: Duplicate constant name (\"FOO\")", u"$Foo=1"},
    // Whatever the order of IDs and names, the first faulty line decides and
    // only what came before it stays.
    TErrorCase{"[F]\r\n9=a\r\n5=b\r\n9=c\r\n5=d", u"Line 4: Duplicate property value translation ID (9)", u"[F]|5=b|9=a"},
    TErrorCase{"[F]\r\n5=a\r\n5=b\r\n[G]\r\n1=c\r\n[$CONSTANTS]\r\nX=1", u"Line 3: Duplicate property value translation ID (5)", u"[F]|5=a"},
    TErrorCase{"[F]\r\n5=a\r\n[G]\r\n1=x\r\n[f]\r\n5=b\r\n[$CONSTANTS]\r\n1x=2", u"Line 6: Duplicate property value translation ID (5)", u"[F]|5=a|[G]|1=x"},
    TErrorCase{"[$CONSTANTS]\r\nZ=1\r\nA=2\r\nz=3\r\na=4", u"Line 4: Duplicate constant name (\"z\")", u"$A=2|$Z=1"},
    TErrorCase{"[$CONSTANTS]\r\nB=1\r\nb=2\r\n[F]\r\n5=a\r\n5=b", u"Line 3: Duplicate constant name (\"b\")", u"$B=1"},
    TErrorCase{"[F]\r\n7=a\r\n[$CONSTANTS]\r\nB=1\r\n1x=2\r\n[F]\r\n7=b", u"Line 5: Invalid constant name (\"1x\")", u"[F]|7=a|$B=1"}));
// clang-format on

struct TEncodingCase {
  const char *Name;
  QByteArray Bytes;
  bool bUnicode;
};

const QString CyrillicText = u"A=Жx\r\n[$CONSTANTS]\r\nK=ё\\t"_s;

class TextEncodingTest : public testing::TestWithParam<TEncodingCase> {};
TEST_P(TextEncodingTest, FollowsByteOrderMark) {
  TScopedAcp Acp(1251);
  TZrLang_CompTranslations T;
  // Reading starts at the stream's position.
  TByteStream S("B=0\r\n" + GetParam().Bytes);
  S.seek(5);
  T.Text_LoadFromStream(S, false);
  EXPECT_EQ(Dump(T), u"A=Жx|$K=ё\\t"_s);
  EXPECT_EQ(T.IsStreamUnicode(), GetParam().bUnicode);
}
INSTANTIATE_TEST_SUITE_P(
    Marks, TextEncodingTest,
    testing::Values(TEncodingCase{"Utf8", "\xEF\xBB\xBF" + CyrillicText.toUtf8(), false},
                    TEncodingCase{"Utf16LE", "\xFF\xFE" + Utf16Bytes(CyrillicText), true},
                    TEncodingCase{"Utf16BE", "\xFE\xFF" + Utf16Bytes(CyrillicText, true), false},
                    TEncodingCase{"Ansi", "A=\xC6x\r\n[$CONSTANTS]\r\nK=\xB8\\t", false}),
    [](const auto &Info) { return std::string(Info.param.Name); });

// Narrow text is read in the ANSI code page of the language its header
// names, whatever the system's is, and written back in it.
struct TLangIDCodePageCase {
  const char *Name;
  unsigned SystemCodePage;
  QByteArray Bytes;
  std::u16string_view Expected;
  unsigned CodePage; // AnsiCodePage() after loading
};

void PrintTo(const TLangIDCodePageCase &C, std::ostream *Os) {
  *Os << C.Name;
}

class TextLangIDCodePageTest : public testing::TestWithParam<TLangIDCodePageCase> {};
TEST_P(TextLangIDCodePageTest, ReadsAndWritesInTheLanguagesCodePage) {
  const TLangIDCodePageCase &C = GetParam();
  TScopedAcp Acp(C.SystemCodePage);
  TZrLang_CompTranslations T;
  Load(T, C.Bytes);
  EXPECT_EQ(Dump(T), Q(C.Expected));
  EXPECT_EQ(T.AnsiCodePage(), C.CodePage);
  // Written back in the same code page: the bytes of what was read come back.
  const QByteArray Saved = Save(T, false, false);
  for (const QByteArray &Line : Saved.split('\n'))
    EXPECT_TRUE(C.Bytes.contains(Line)) << Line.toStdString();
  TZrLang_CompTranslations Back;
  Load(Back, Saved);
  EXPECT_EQ(Dump(Back), Dump(T));
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Headers, TextLangIDCodePageTest, testing::Values(
    TLangIDCodePageCase{"RussianOn1252", 1252, "LANGID=1049\r\n\r\n[$CONSTANTS]\r\nK=\xCF\xF0\xE8\r\n",
                        u"LANGID=1049|$K=При", 1251},
    TLangIDCodePageCase{"GermanOn1251", 1251, "LANGID=1031\r\n\r\n[$CONSTANTS]\r\nK=Gr\xFC\xDF\r\n",
                        u"LANGID=1031|$K=Grüß", 1252},
    TLangIDCodePageCase{"JapaneseTrailByte", 1252,
                        "LANGID=1041\r\n\r\n[$CONSTANTS]\r\nK=\x83\x5C\\n\r\n", u"LANGID=1041|$K=ソ\\n", 932},
    TLangIDCodePageCase{"AfterNarrowHeaderLines", 1252,
                        "Author=\xC8\xF0\xE8\xED\xE0\r\n[Unclosed\r\nlangid=1049\r\n\r\n[$CONSTANTS]\r\n",
                        u"Author=Ирина|langid=1049", 1251},
    TLangIDCodePageCase{"LastLangIDCounts", 1252, "LANGID=1031\r\nLANGID=1049\r\n\r\n[$CONSTANTS]\r\n",
                        u"LANGID=1049", 1251},
    TLangIDCodePageCase{"NoLangIDUsesSystem", 1251, "A=\xC6\r\n\r\n[$CONSTANTS]\r\n", u"A=Ж", 1251},
    TLangIDCodePageCase{"NotANumberUsesSystem", 1253, "LANGID=ru\r\n\r\n[$CONSTANTS]\r\nK=\xC6\r\n",
                        u"LANGID=ru|$K=Ζ", 1253},
    TLangIDCodePageCase{"UnicodeOnlyLanguageUsesSystem", 1250, "LANGID=1081\r\n\r\n[$CONSTANTS]\r\n",
                        u"LANGID=1081", 1250},
    TLangIDCodePageCase{"InASectionIsNoHeader", 1253, "[F]\r\nLANGID=1049\r\n\r\n[$CONSTANTS]\r\nK=\xC6\r\n",
                        u"[F]|$K=Ζ", 1253}));
// clang-format on

TEST(TextLoadTest, DoubleByteTrailByteIsNoBackslash) {
  TScopedAcp Acp(932);
  TZrLang_CompTranslations T;
  Load(T, "[$CONSTANTS]\r\nK=\x83\x5C\\n");
  EXPECT_EQ(Dump(T), u"$K=ソ\\n"_s);
  EXPECT_EQ(Save(T, false, false), "[$CONSTANTS]\r\nK=\x83\x5C\\n\r\n");
}

TEST(TextLoadTest, OddUtf16EndsInReplacementCharacter) {
  TZrLang_CompTranslations T;
  for (bool bBigEndian : {false, true}) {
    Load(T, (bBigEndian ? "\xFE\xFF" : "\xFF\xFE") + Utf16Bytes(u"A=1", bBigEndian) + "x");
    EXPECT_EQ(Dump(T), u"A=1\xFFFD"_s);
  }
  Load(T, "\xFF\xFE"
          "x");
  EXPECT_EQ(Dump(T), QString());
}

TEST(TextLoadTest, NulAndLoneSurrogatesInUtf16) {
  const QString Text = Q(u"[$CONSTANTS]\r\nA=\xD800x\xDC00\r\nB=b\0\r\nC=c"sv);
  TZrLang_CompTranslations T;
  Load(T, "\xFF\xFE" + Utf16Bytes(Text));
  EXPECT_EQ(Dump(T), Q(u"$A=\xD800x\xDC00|$B=b"));
  EXPECT_EQ(Save(T, true, false),
            "\xFF\xFE" + Utf16Bytes(Q(u"[$CONSTANTS]\r\nA=\xD800x\xDC00\r\nB=b\r\n")));
}

TEST(TextLoadTest, MegabyteLineSurvivesBothEncodings) {
  TScopedAcp Acp(1251);
  QString Value(1 << 20, u'ж');
  Value[12345] = u'\n';
  Value[Value.size() - 1] = u'\\';
  for (bool bUnicode : {true, false}) {
    TZrLang_CompTranslations T, Back;
    T.Constants().Add(u"Big"_s, Value, {});
    Load(Back, Save(T, bUnicode, false));
    ASSERT_EQ(Back.Constants().Count(), 1);
    EXPECT_EQ(Back.Constants().Values(u"Big"), QString(Value).replace(u"\n"_s, u"\r\n"_s));
  }
}

// A small translation with every kind of line, and its file text.
void FillSample(TZrLang_CompTranslations &T) {
  T.Params().SetValue(u"LANGID", u"1049");
  T.Params().SetValue(u"Author", u"Me");
  auto Form = std::make_unique<TZrLang_CompTranslation>(u"Form1"_s);
  Form->Add(12, u"a\r\nb"_s, {});
  Form->Add(3, u"x"_s, {zrtsUntranslated});
  Form->Add(123456789, u" z "_s, {zrtsAutotranslated});
  T.Add(std::move(Form));
  T.Add(std::make_unique<TZrLang_CompTranslation>(u"Empty"_s));
  T.Constants().Add(u"SHello"_s, u"Привет\t"_s, {});
  T.Constants().Add(u"SUntr"_s, u"u"_s, {zrtsUntranslated});
}

const char16_t SampleSkipped[] = u"LANGID=1049\r\nAuthor=Me\r\n\r\n[Form1]\r\n00000012=a\\nb\r\n"
                                 u"123456789= z \r\n\r\n[Empty]\r\n\r\n[$CONSTANTS]\r\n"
                                 u"SHello=Привет\\t\r\n";

TEST(TextSaveTest, WritesUtf16Bytes) {
  TZrLang_CompTranslations T;
  EXPECT_EQ(Save(T, true, true), "\xFF\xFE" + Utf16Bytes(u"[$CONSTANTS]\r\n"));
  FillSample(T);
  EXPECT_EQ(Save(T, true, true), "\xFF\xFE" + Utf16Bytes(SampleSkipped));
  EXPECT_TRUE(T.IsStreamUnicode());
}

TEST(TextSaveTest, WritesAnsiBytes) {
  TScopedAcp Acp(1251);
  TZrLang_CompTranslations T;
  EXPECT_EQ(Save(T, false, true), "[$CONSTANTS]\r\n");
  FillSample(T);
  T.Constants().Add(u"SWide"_s, Q(u"Ж中\xD83D\xDE00\xD800!"), {});
  EXPECT_EQ(
      Save(T, false, false),
      QByteArray("LANGID=1049\r\nAuthor=Me\r\n\r\n[Form1]\r\n00000003=x\r\n00000012=a\\nb\r\n"
                 "123456789= z \r\n\r\n[Empty]\r\n\r\n[$CONSTANTS]\r\n"
                 "SHello=\xCF\xF0\xE8\xE2\xE5\xF2\\t\r\nSUntr=u\r\nSWide=\xC6\x3F\x3F\x3F!\r\n"));
  EXPECT_FALSE(T.IsStreamUnicode());
}

// The reader skips IDs below 1, so the writer never writes them: a translated
// text there would be lost on the next load anyway.
TEST(TextSaveTest, LeavesOutIDsBelowOne) {
  TZrLang_CompTranslations T;
  auto Form = std::make_unique<TZrLang_CompTranslation>(u"F"_s);
  Form->Add(-5, u"neg"_s, {});
  Form->Add(0, u"zero"_s, {});
  Form->Add(1, u"one"_s, {});
  T.Add(std::move(Form));
  EXPECT_EQ(Save(T, false, false), QByteArray("[F]\r\n00000001=one\r\n\r\n[$CONSTANTS]\r\n"));
}

TEST(TextSaveTest, RoundTripLosesOnlyStatesAndBlanks) {
  TScopedAcp Acp(1251);
  for (bool bUnicode : {true, false}) {
    TZrLang_CompTranslations T, Back;
    FillSample(T);
    Load(Back, Save(T, bUnicode, false));
    EXPECT_EQ(Dump(Back), u"LANGID=1049|Author=Me|[Form1]|3=x|12=a\\nb|123456789=z|[Empty]|"
                          u"$SHello=Привет\\t|$SUntr=u"_s);
    EXPECT_TRUE(Back.Items(0)->Items(0)->TranStates.IsEmpty());
    EXPECT_EQ(Back.IsStreamUnicode(), bUnicode);
  }
}

// Takes Limit bytes, then fails every write.
class TFailingDevice : public QIODevice {
public:
  explicit TFailingDevice(qint64 Limit) : FLimit(Limit) { open(QIODevice::WriteOnly); }
  qint64 Written = 0;

protected:
  qint64 readData(char *, qint64) override { return -1; }
  qint64 writeData(const char *, qint64 Len) override {
    if (Written + Len > FLimit)
      return -1;
    Written += Len;
    return Len;
  }

private:
  qint64 FLimit;
};

TEST(TextSaveTest, FailingStreamRaisesWriteError) {
  TZrLang_CompTranslations T;
  for (int I = 0; I < 3000; ++I)
    T.Constants().Add(u"C%1"_s.arg(I), QString(200, u'v'), {});
  // {limit, bytes that must have been taken before the failure}
  for (auto [Limit, MinWritten] : {std::pair<qint64, qint64>{0, 0}, {10, 2}, {700000, 500000}}) {
    TFailingDevice Device(Limit);
    EXPECT_THROW(T.Text_SaveToStream(Device, true, false), EWriteError) << Limit;
    EXPECT_GE(Device.Written, MinWritten);
  }
}

class TextFileTest : public testing::Test {
protected:
  static QByteArray Read(const QString &FileName) {
    QFile F(FileName);
    return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray("<missing>");
  }
  static void Write(const QString &FileName, const QByteArray &Bytes) {
    QFile F(FileName);
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(Bytes);
  }
  QTemporaryDir FDir;
};

TEST_F(TextFileTest, SaveReplacesAndLoadReads) {
  const QString File = FDir.filePath(u"ru.lng"_s);
  Write(File, QByteArray(5000, 'x'));
  TZrLang_CompTranslations T, Back;
  FillSample(T);
  T.Text_SaveToFile(File, true, true);
  EXPECT_EQ(Read(File), "\xFF\xFE" + Utf16Bytes(SampleSkipped));
  Back.Text_LoadFromFile(File, true);
  EXPECT_EQ(Dump(Back), u"LANGID=1049|Author=Me"_s);
}

TEST_F(TextFileTest, FailedSaveLeavesOldFile) {
  // The name is as long as the file system allows, so no temporary file can
  // be given a name beside it.
  const QString File = FDir.filePath(QString(255 - 4, u'n') + u".lng"_s);
  Write(File, "old");
  ASSERT_EQ(Read(File), "old");
  TZrLang_CompTranslations T;
  FillSample(T);
  EXPECT_THROW(T.Text_SaveToFile(File, false, false), EFCreateError);
  EXPECT_EQ(Read(File), "old");
}

TEST_F(TextFileTest, MissingFileRaisesOpenErrorAndKeepsObject) {
  TZrLang_CompTranslations T;
  T.Params().SetValue(u"A", u"1");
  const QString File = FDir.filePath(u"missing.lng"_s);
  try {
    T.Text_LoadFromFile(File, false);
    FAIL() << "no error";
  } catch (const EFOpenError &E) {
    EXPECT_TRUE(E.Message().startsWith(u"Cannot open file \""_s + File + u"\". "_s)) << E.what();
  }
  EXPECT_EQ(Dump(T), u"A=1"_s);
}

TEST(TextResourceTest, LoadsByNameAndNumber) {
  TZrLang_CompTranslations T;
  T.Text_LoadFromResource(u"SAMPLE_LNG"_s, false);
  EXPECT_EQ(Dump(T), u"LANGID=1031|[Form1]|1=Datei|$SYes=Ja"_s);
  EXPECT_TRUE(T.IsStreamUnicode());
  T.Text_LoadFromResource(42, true);
  EXPECT_EQ(Dump(T), u"LANGID=1049"_s);
  EXPECT_FALSE(T.IsStreamUnicode());
  EXPECT_THROW(T.Text_LoadFromResource(u"NOPE"_s, false), EResNotFound);
  EXPECT_THROW(T.Text_LoadFromResource(43, false), EResNotFound);
  EXPECT_EQ(Dump(T), u"LANGID=1049"_s);
}

} // namespace
