#include "Escaping.h"
#include "Exceptions.h"
#include "Format.h"
#include "Localization.h"
#include "MaskList.h"
#include "RuntimeTestObjects.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

struct TMaskCase {
  const char16_t *Mask;
  const char16_t *Text;
  bool Matches;
};

class MaskMatch : public testing::TestWithParam<TMaskCase> {};

TEST_P(MaskMatch, MatchesWholeText) {
  const TMaskCase &C = GetParam();
  const TZrLang_Mask Mask(QString::fromUtf16(C.Mask));
  EXPECT_EQ(Mask.Matches(QString::fromUtf16(C.Text)), C.Matches)
      << QString::fromUtf16(C.Mask).toStdString() << " vs "
      << QString::fromUtf16(C.Text).toStdString();
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Masks, MaskMatch, testing::Values(
    // Property paths: the form's own properties start with a dot.
    TMaskCase{u"*.Caption", u".Caption", true}, TMaskCase{u"*.Caption", u"OKButton.Caption", true},
    TMaskCase{u"*.Caption", u"Frame1.OKButton.Caption", true}, TMaskCase{u"*.Caption", u"Caption", false},
    TMaskCase{u".Caption", u"OKButton.Caption", false}, TMaskCase{u".Caption", u".caption", true},
    TMaskCase{u"OKButton.Caption", u"okbutton.CAPTION", true},
    TMaskCase{u"OKButton.Caption", u"OKButton.Caption2", false},
    TMaskCase{u"OKButton.Caption", u"XOKButton.Caption", false},
    TMaskCase{u"*.*", u"Form.Caption", true}, TMaskCase{u"*.*", u"Caption", false},
    // "?" is exactly one character.
    TMaskCase{u"?", u"a", true}, TMaskCase{u"?", u"", false}, TMaskCase{u"?", u"ab", false},
    TMaskCase{u"a?c", u"abc", true}, TMaskCase{u"a?c", u"ac", false}, TMaskCase{u"?*", u"", false},
    // Sets, ranges and negated sets; letters without regard to case.
    TMaskCase{u"[abc]x", u"Bx", true}, TMaskCase{u"[a-c]", u"b", true}, TMaskCase{u"[a-c]", u"C", true},
    TMaskCase{u"[a-c]", u"d", false}, TMaskCase{u"[0-9][0-9]", u"42", true},
    TMaskCase{u"[!a-c]", u"d", true}, TMaskCase{u"[!a-c]", u"B", false}, TMaskCase{u"[!a-c]", u"", false},
    TMaskCase{u"[a-]", u"-", true}, TMaskCase{u"[a-]", u"b", false},
    // A bracket in a path is a set, so "?" stands for it.
    TMaskCase{u"Columns[1]", u"Columns1", true}, TMaskCase{u"Columns[1]", u"Columns[1]", false},
    TMaskCase{u"*Columns?1?.Text", u"Panel.Columns[1].Text", true},
    // Only ASCII letters fold; characters above U+00FF are never in a set.
    TMaskCase{u"\u00E4", u"\u00C4", false}, TMaskCase{u"\u00E4", u"\u00E4", true},
    TMaskCase{u"[\u00E4]", u"\u00E4", true}, TMaskCase{u"[\u00E4]", u"\u00C4", false},
    TMaskCase{u"\u0416*", u"\u0416\u0443\u043A", true}, TMaskCase{u"\u0436*", u"\u0416\u0443\u043A", false},
    TMaskCase{u"[\u0416]", u"\u0416", false}, TMaskCase{u"[!\u0416]", u"\u0416", true},
    // A "?" right after "*" adds nothing; stars backtrack.
    TMaskCase{u"*?", u"", true}, TMaskCase{u"*?", u"abc", true}, TMaskCase{u"a*?", u"a", true},
    TMaskCase{u"*", u"", true}, TMaskCase{u"", u"", true}, TMaskCase{u"", u"a", false},
    TMaskCase{u"a*b*c", u"aXbYbZc", true}, TMaskCase{u"a*b*c", u"aXbYbZ", false},
    TMaskCase{u"*ab", u"aab", true}, TMaskCase{u"*a*a", u"aXa", true}));
// clang-format on

struct TBadMask {
  QString Mask;
  int Position;
};

class MalformedMask : public testing::TestWithParam<TBadMask> {};

TEST_P(MalformedMask, ReportsMaskAndPosition) {
  const TBadMask &C = GetParam();
  try {
    TZrLang_MaskList({QStringLiteral("*.Caption"), C.Mask});
    FAIL() << "accepted " << C.Mask.toStdString();
  } catch (const EMaskException &E) {
    EXPECT_EQ(E.Message(),
              QStringLiteral("'%1' is an invalid mask at (%2)").arg(C.Mask).arg(C.Position));
  }
}

QString Runs(int Count) {
  return QStringLiteral("*a").repeated(Count);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, MalformedMask,
    testing::Values(TBadMask{QStringLiteral("[]"), 2}, TBadMask{QStringLiteral("[a"), 1},
                    TBadMask{QStringLiteral("x.[a"), 3}, TBadMask{QStringLiteral("[-a]"), 2},
                    TBadMask{QStringLiteral("x[!-a]"), 4}, TBadMask{QStringLiteral("[!]"), 3},
                    TBadMask{Runs(31), 61}));

TEST(Masks, ThirtyStarRunsAreTheLimitAndAdjacentStarsAreOneRun) {
  EXPECT_TRUE(TZrLang_Mask(Runs(30)).Matches(QString(30, u'a')));
  EXPECT_TRUE(TZrLang_Mask(QString(31, u'*')).Matches(u"anything"));
  EXPECT_TRUE(TZrLang_Mask(QStringLiteral("*?").repeated(40) + u'x').Matches(u"x"));
}

struct TFormatCase {
  const char16_t *Fmt;
  QVariantList Args;
  const char16_t *Expected;
};

// The three ways a format text reaches the one run-time format: the
// library's function, the framework's hook, and a constant of the current
// language whose translated text is the format.
struct TFormatEntry {
  const char *Name;
  QString (*Call)(const QString &Fmt, const QVariantList &Args);
};

QString ThroughConstant(const QString &Fmt, const QVariantList &Args) {
  QBuffer Text;
  Text.setData("\xEF\xBB\xBF" + (QStringLiteral("LANGID=1031\r\n[$CONSTANTS]\r\nSHintLanguage=") +
                                 EncodeControlChars(Fmt))
                                    .toUtf8());
  Text.open(QIODevice::ReadOnly);
  LangManager().TranslateFromStream(Text);
  return LangConstantFmt(u"SHintLanguage", Args);
}

const TFormatEntry FormatEntries[] = {
    {"ZrLang_Format", ZrLang_Format},
    {"Localizer",
     [](const QString &Fmt, const QVariantList &Args) {
       return Localizer::Translate(u"SHintLanguage", Fmt, Args);
     }},
    {"LangConstantFmt", ThroughConstant},
};

class FormatText : public TLanguageTest, public testing::WithParamInterface<TFormatCase> {};

TEST_P(FormatText, FillsThroughEveryEntryPoint) {
  const TFormatCase &C = GetParam();
  for (const TFormatEntry &E : FormatEntries)
    EXPECT_EQ(E.Call(QString::fromUtf16(C.Fmt), C.Args), QString::fromUtf16(C.Expected)) << E.Name;
}

const void *Address = reinterpret_cast<const void *>(quintptr(0xABC));
const double Inf = std::numeric_limits<double>::infinity();

// clang-format off
INSTANTIATE_TEST_SUITE_P(Format, FormatText, testing::Values(
    TFormatCase{u"%s=%d", {QStringLiteral("a"), 5}, u"a=5"}, TFormatCase{u"%.8d", {12}, u"00000012"},
    TFormatCase{u"%.8d", {-12}, u"-00000012"}, TFormatCase{u"%.8d", {123456789}, u"123456789"},
    TFormatCase{u"%d", {qlonglong(-2147483647 - 1)}, u"-2147483648"}, TFormatCase{u"%3d|", {-5}, u" -5|"},
    TFormatCase{u"%5s|", {QStringLiteral("ab")}, u"   ab|"}, TFormatCase{u"%-5s|", {QStringLiteral("ab")}, u"ab   |"},
    TFormatCase{u"%.2s", {QStringLiteral("abcdef")}, u"ab"}, TFormatCase{u"%x", {255}, u"FF"},
    TFormatCase{u"%x", {-1}, u"FFFFFFFF"}, TFormatCase{u"%u", {-1}, u"4294967295"},
    TFormatCase{u"100%%", {}, u"100%"}, TFormatCase{u"%S-%D", {QStringLiteral("x"), 7}, u"x-7"},
    TFormatCase{u"[%s]", {QStringLiteral("\u0416")}, u"[\u0416]"},
    // Index specifiers: translators reorder; later placeholders go on after the index.
    TFormatCase{u"%1:s %0:s", {QStringLiteral("a"), QStringLiteral("b")}, u"b a"},
    TFormatCase{u"%1:s %s %0:s", {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, u"b c a"},
    TFormatCase{u"%0:s%0:s%%", {QStringLiteral("x")}, u"xx%"},
    TFormatCase{u"%1:-4s|%0:3d", {7, QStringLiteral("b")}, u"b   |  7"},
    // Widths and precisions from the arguments; a negative width aligns left.
    TFormatCase{u"%*d|", {4, 7}, u"   7|"}, TFormatCase{u"%-*d|", {4, 7}, u"7   |"},
    TFormatCase{u"%*d|", {-4, 7}, u"7   |"}, TFormatCase{u"%*.*s|", {5, 2, QStringLiteral("abcdef")}, u"   ab|"},
    TFormatCase{u"%.*f", {1, 3.14159}, u"3.1"}, TFormatCase{u"%u", {qulonglong(18446744073709551615ULL)}, u"18446744073709551615"},
    TFormatCase{u"%x", {qlonglong(-5000000000LL)}, u"FFFFFFFED5FA0E00"},
    // Floating point, whatever the locale.
    TFormatCase{u"%e", {1234.5}, u"1.23450000000000E+003"}, TFormatCase{u"%.3e", {-0.00012345}, u"-1.23E-004"},
    TFormatCase{u"%10.2e|", {5.0}, u"  5.0E+000|"}, TFormatCase{u"%f", {3.14159}, u"3.14"},
    TFormatCase{u"%8.1f|", {-2.26}, u"    -2.3|"}, TFormatCase{u"%.2f", {-0.001}, u"0.00"},
    TFormatCase{u"%.1f", {1.5f}, u"1.5"}, TFormatCase{u"%g", {0.5}, u"0.5"},
    TFormatCase{u"%g", {123456.0}, u"123456"}, TFormatCase{u"%g", {1e20}, u"1E020"},
    TFormatCase{u"%.3g", {123456789.123}, u"1.23E008"}, TFormatCase{u"%.15g", {2.0}, u"2"},
    TFormatCase{u"%g", {0.00001}, u"0.00001"}, TFormatCase{u"%g", {-0.000001}, u"-1E-006"},
    TFormatCase{u"%n", {1234567.891}, u"1,234,567.89"}, TFormatCase{u"%.0n", {-1234.4}, u"-1,234"},
    TFormatCase{u"%n", {999.999}, u"1,000.00"}, TFormatCase{u"%m", {1234.5}, u"$1,234.50"},
    TFormatCase{u"%m", {-3.0}, u"($3.00)"}, TFormatCase{u"%.0m", {12.0}, u"$12"},
    TFormatCase{u"%f|%e", {qQNaN(), -Inf}, u"NAN|-INF"},
    TFormatCase{u"%p", {QVariant::fromValue(const_cast<void *>(Address))},
                sizeof(void *) == 8 ? u"0000000000000ABC" : u"00000ABC"}));
// clang-format on

class FormatError : public TLanguageTest, public testing::WithParamInterface<TFormatCase> {};

TEST_P(FormatError, RaisesConvertErrorThroughEveryEntryPoint) {
  const QString Fmt = QString::fromUtf16(GetParam().Fmt);
  for (const TFormatEntry &E : FormatEntries) {
    try {
      const QString Result = E.Call(Fmt, GetParam().Args);
      ADD_FAILURE() << E.Name << " gave " << Result.toStdString();
    } catch (const EConvertError &Error) {
      EXPECT_EQ(Error.Message(),
                QStringLiteral("Format '%1' invalid or incompatible with argument").arg(Fmt))
          << E.Name;
    }
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Format, FormatError, testing::Values(
    TFormatCase{u"%d", {QStringLiteral("abc")}, u""}, TFormatCase{u"%d", {QStringLiteral("5")}, u""},
    TFormatCase{u"%s %s", {QStringLiteral("a")}, u""}, TFormatCase{u"%d", {}, u""},
    TFormatCase{u"abc%", {}, u""}, TFormatCase{u"%q", {1}, u""}, TFormatCase{u"%.", {1}, u""},
    // A missing argument, also after an index, or one of another type.
    TFormatCase{u"%2:s", {QStringLiteral("a"), QStringLiteral("b")}, u""},
    TFormatCase{u"%1:s %s", {QStringLiteral("a"), QStringLiteral("b")}, u""},
    TFormatCase{u"%*d", {4}, u""}, TFormatCase{u"%*d", {QStringLiteral("4"), 5}, u""},
    TFormatCase{u"%*d", {200000, 5}, u""}, TFormatCase{u"%100001d", {5}, u""},
    TFormatCase{u"%s", {5}, u""}, TFormatCase{u"%d", {2.5}, u""}, TFormatCase{u"%d", {true}, u""},
    TFormatCase{u"%f", {5}, u""}, TFormatCase{u"%m", {QStringLiteral("1")}, u""},
    TFormatCase{u"%p", {5}, u""}));
// clang-format on

TEST(Localizer, HandsBackTheDefaultAndFillsItsPlaceholders) {
  EXPECT_EQ(Localizer::Translate(u"SDialogButtonOK", QStringLiteral("&OK")), QStringLiteral("&OK"));
  EXPECT_EQ(Localizer::Translate(u"SHintLanguage", QStringLiteral("Use the %s language files"),
                                 {QStringLiteral("English")}),
            QStringLiteral("Use the English language files"));
  EXPECT_EQ(Localizer::Translate(u"X", QStringLiteral("%s: %d of %d, 100%%"),
                                 {QStringLiteral("Page"), 3, 7}),
            QStringLiteral("Page: 3 of 7, 100%"));
}

} // namespace
