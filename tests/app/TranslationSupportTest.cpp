#include "TranslationSupport.h"
#include "Translations.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

void Parse(TZrLang_CompTranslations &T, const char *Utf8) {
  QByteArray Bytes("\xFF\xFE");
  const QString Text = QString::fromUtf8(Utf8);
  Bytes.append(reinterpret_cast<const char *>(Text.utf16()), Text.size() * 2);
  QBuffer Buffer(&Bytes);
  Buffer.open(QIODevice::ReadOnly);
  T.Text_LoadFromStream(Buffer, false);
}

struct TLossyCase {
  const char *Name;
  const char *Text;
  const char *CodePage;
  bool SkipUntranslated;
  int Lossy;
};

class CountAnsiLossyTextsTest : public testing::TestWithParam<TLossyCase> {};

TEST_P(CountAnsiLossyTextsTest, CountsEveryTextThatLosesCharacters) {
  TZrLang_CompTranslations T;
  Parse(T, GetParam().Text);
  // The third property of Form1 is untranslated when present.
  if (TZrLang_CompTranslation *Form = T.FindComponentName(u"Form1"))
    if (PZrLang_PropValueTranslation P = Form->FindPropByID(3))
      P->TranStates = {zrtsUntranslated};
  if (T.Constants().Count() > 1)
    T.Constants().Items(1)->TranStates = {zrtsUntranslated};
  EXPECT_EQ(
      CountAnsiLossyTexts(T, GetParam().SkipUntranslated, QByteArray(GetParam().CodePage).toUInt()),
      GetParam().Lossy);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, CountAnsiLossyTextsTest,
    testing::Values(
        TLossyCase{"AllLatin", "LANGID=1031\n[Form1]\n1=Grüße\n2=Schließen\n", "1252", true, 0},
        TLossyCase{"CyrillicIn1252", "[Form1]\n1=Привет\n2=ok\n", "1252", true, 1},
        TLossyCase{"CyrillicIn1251", "[Form1]\n1=Привет\n2=ok\n", "1251", true, 0},
        TLossyCase{"UntranslatedSkipped", "[Form1]\n1=a\n2=b\n3=Привет\n", "1252", true, 0},
        TLossyCase{"UntranslatedKept", "[Form1]\n1=a\n2=b\n3=Привет\n", "1252", false, 1},
        TLossyCase{"HeaderAndSection", "Author=Иван\n\n[Форма]\n1=a\n", "1252", true, 2},
        TLossyCase{"Constants", "[$CONSTANTS]\nSOne=日本\nSTwo=中文\n", "1252", true, 1},
        TLossyCase{"ConstantsAll", "[$CONSTANTS]\nSOne=日本\nSTwo=中文\n", "1252", false, 2},
        TLossyCase{"JapaneseIn932", "[$CONSTANTS]\nSOne=日本\n", "932", true, 0},
        TLossyCase{"Emoji", "[Form1]\n1=ok \xF0\x9F\x98\x80\n", "1252", true, 1}),
    [](const testing::TestParamInfo<TLossyCase> &Info) { return Info.param.Name; });

} // namespace
