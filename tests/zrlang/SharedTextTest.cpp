// Values read from a file share the blocks their text is kept in: they must stay whole
// when the object that read them, or their file's text, is gone or changed.
#include "CodePages.h"
#include "SharedText.h"
#include "TestSupport.h"
#include "Translations.h"

#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<TZrLang_CompTranslations> Loaded(const QByteArray &Bytes) {
  auto T = std::make_unique<TZrLang_CompTranslations>();
  TByteStream S(Bytes);
  T->Text_LoadFromStream(S, false);
  return T;
}

QByteArray Unicode(QStringView Text) {
  return "\xFF\xFE" + Utf16Bytes(Text);
}

const QString Escaped = u"[F]\r\n00000001=a\\nb\r\n00000002=\\t\r\n00000003=\\\\\\07\r\n"
                        "[$CONSTANTS]\r\nSX=x\\n\r\n"_s;

struct TFormCase {
  const char *Name;
  QByteArray Bytes;
};

void PrintTo(const TFormCase &C, std::ostream *Os) {
  *Os << C.Name;
}

class SharedTextFormTest : public testing::TestWithParam<TFormCase> {};

// Values that needed unescaping have storage of their own and outlive
// their translation as well.
TEST_P(SharedTextFormTest, ValuesOutliveTheirTranslation) {
  auto T = Loaded(GetParam().Bytes);
  ASSERT_EQ(T->Count(), 1);
  ASSERT_EQ(T->Items(0)->Count(), 3);
  const QString A = T->Items(0)->Items(0)->wsValue;
  const QString B = T->Items(0)->Items(1)->wsValue;
  const QString C = T->Items(0)->Items(2)->wsValue;
  const QString Name = T->Constants().Items(0)->wsName;
  const QString Constant = T->Constants().Items(0)->wsValue;
  T.reset();
  EXPECT_EQ(A, u"a\r\nb"_s);
  EXPECT_EQ(B, u"\t"_s);
  EXPECT_EQ(C, u"\\\x07"_s);
  EXPECT_EQ(Name, u"SX"_s);
  EXPECT_EQ(Constant, u"x\r\n"_s);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, SharedTextFormTest,
    testing::Values(TFormCase{"Utf16", Unicode(Escaped)},
                    TFormCase{"Ansi", Escaped.toLatin1()}),
    [](const auto &Info) { return std::string(Info.param.Name); });

TEST(SharedTextTest, ValuesOfAFreedTextStayWhole) {
  auto T = Loaded(Unicode(u"[F]\r\n00000001 = first \r\n00000002=second\r\n"_s));
  QString First = T->Items(0)->Items(0)->wsValue;
  const QString Second = T->Items(0)->Items(1)->wsValue;
  T->Clear();
  T.reset();
  // Changing one value leaves the other, which shares its text, as it was.
  First.append(u"+more"_s);
  EXPECT_EQ(First, u"first+more"_s);
  EXPECT_EQ(Second, u"second"_s);
}

TEST(SharedTextTest, PiecesEndInNulAndDetachWhenChanged) {
  TZrLang_SharedText Text(8);
  const QString Line = u"key="_s + QString(100, u'v');
  QString Key = Text.Keep(QStringView(Line).first(3));
  // Larger than a small text's first block: it takes a block of its own.
  const QString Value = Text.Keep(QStringView(Line).sliced(4));
  const QString Third = Text.Keep(u"x");
  EXPECT_EQ(Key.utf16()[3], u'\0');
  EXPECT_EQ(Value.utf16()[100], u'\0');
  Key[0] = u'K';
  EXPECT_EQ(Key, u"Key"_s);
  EXPECT_EQ(Value, QString(100, u'v'));
  EXPECT_EQ(Third, u"x"_s);
  EXPECT_EQ(Text.Keep(QStringView(Line.data() + 2, 0)), QString());
}

struct TEmptyCase {
  const char *Name;
  QByteArray Bytes;
};

void PrintTo(const TEmptyCase &C, std::ostream *Os) {
  *Os << C.Name;
}

class SharedTextEmptyTest : public testing::TestWithParam<TEmptyCase> {};

TEST_P(SharedTextEmptyTest, AnEmptyFileReadsAsAnEmptyTranslation) {
  auto T = Loaded(GetParam().Bytes);
  EXPECT_EQ(T->Count(), 0);
  EXPECT_EQ(T->Constants().Count(), 0);
  EXPECT_EQ(T->Params().Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Forms, SharedTextEmptyTest,
                         testing::Values(TEmptyCase{"NoBytes", QByteArray()},
                                         TEmptyCase{"Utf16Mark", "\xFF\xFE"},
                                         TEmptyCase{"Utf16BigEndianMark", "\xFE\xFF"},
                                         TEmptyCase{"Utf8Mark", "\xEF\xBB\xBF"},
                                         TEmptyCase{"OddByte", "\xFF\xFE\x41"}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

} // namespace
