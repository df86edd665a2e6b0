// The exchange formats' core: language tags, the XLIFF and PO readers as CAT
// tools and gettext write them, and an import into an open document.
#include "ExchangeImport.h"
#include "LanguageTags.h"
#include "PoExchange.h"
#include "PoPartWriter.h"
#include "TranslationDocument.h"
#include "UndoDocument.h"
#include "XliffExchange.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// ---- Language tags ----

struct TTagCase {
  quint16 LangID;
  const char *Tag;   // LanguageTagOfLangID
  const char *Posix; // PosixLocaleName
};

class LanguageTagTest : public testing::TestWithParam<TTagCase> {};

TEST_P(LanguageTagTest, GoesBothWays) {
  const TTagCase &C = GetParam();
  EXPECT_EQ(LanguageTagOfLangID(C.LangID).toStdString(), C.Tag);
  EXPECT_EQ(LangIDOfLanguageTag(QString::fromLatin1(C.Tag)), C.LangID);
  EXPECT_EQ(PosixLocaleName(QString::fromLatin1(C.Tag)).toStdString(), C.Posix);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LanguageTagTest,
    testing::Values(TTagCase{1033, "en-US", "en_US"}, TTagCase{1031, "de-DE", "de_DE"},
                    TTagCase{1049, "ru-RU", "ru_RU"}, TTagCase{2055, "de-CH", "de_CH"},
                    TTagCase{2057, "en-GB", "en_GB"}, TTagCase{3084, "fr-CA", "fr_CA"},
                    TTagCase{2070, "pt-PT", "pt_PT"}, TTagCase{1046, "pt-BR", "pt_BR"},
                    TTagCase{1028, "zh-TW", "zh_TW"}, TTagCase{2052, "zh-CN", "zh_CN"},
                    TTagCase{2074, "sr-Latn-RS", "sr_RS@latin"},
                    TTagCase{3098, "sr-Cyrl-RS", "sr_RS"}));

TEST(LanguageTagTest, ReadsPosixFormsAndFallsBackToTheMainRegion) {
  EXPECT_EQ(LangIDOfLanguageTag(u"de_AT.UTF-8"), 3079);
  EXPECT_EQ(LangIDOfLanguageTag(u"DE-at"), 3079);
  EXPECT_EQ(LangIDOfLanguageTag(u"de"), 1031);
  EXPECT_EQ(LangIDOfLanguageTag(u"de-IT"), 1031);
  EXPECT_EQ(LangIDOfLanguageTag(u"xx-YY"), 0);
  EXPECT_EQ(LangIDOfLanguageTag(u""), 0);
  EXPECT_EQ(LanguageTagOfLangID(0), QString());
}

// ---- Readers ----

TExchangeCatalog ReadText(TExchangeFormat Format, const QByteArray &Text) {
  QBuffer Buffer;
  Buffer.setData(Text);
  Buffer.open(QIODevice::ReadOnly);
  return ReadExchange(Format, Buffer);
}

QByteArray Xliff(const QByteArray &Units) {
  return R"(<?xml version="1.0" encoding="UTF-8"?>
<xliff version="1.2" xmlns="urn:oasis:names:tc:xliff:document:1.2">
 <file original="app.zrlang" datatype="plaintext" source-language="en-US" target-language="de-AT">
  <header><tool tool-id="cat" tool-name="CAT"/></header>
  <body><group resname="F">)" +
         Units + "</group></body></file></xliff>";
}

struct TReadCase {
  const char *Name;
  TExchangeFormat Format;
  QByteArray Text;
  const char *Key;    // of the one unit read; nullptr: none is read
  const char *Target; // UTF-8
  TExchangeState State;
};

void PrintTo(const TReadCase &C, std::ostream *Os) {
  *Os << C.Name;
}

class ExchangeReadTest : public testing::TestWithParam<TReadCase> {};

TEST_P(ExchangeReadTest, TakesTheTargetAndItsState) {
  const TReadCase &C = GetParam();
  // From memory and from a file, which a PO reader in UTF-8 reads as it is.
  QTemporaryDir Dir;
  const QString Path = Dir.filePath(u"in"_s);
  QFile File(Path);
  ASSERT_TRUE(File.open(QIODevice::WriteOnly));
  File.write(C.Text);
  File.close();
  for (const TExchangeCatalog &Read :
       {ReadText(C.Format, C.Text), ReadExchangeFile(Path, C.Format)}) {
    if (!C.Key) {
      EXPECT_TRUE(Read.Units.empty());
      continue;
    }
    ASSERT_EQ(Read.Units.size(), 1u);
    const TExchangeUnit &Unit = Read.Units.front();
    EXPECT_EQ(ExchangeKey(C.Format, Unit).toStdString(), C.Key);
    EXPECT_EQ(Unit.Target.toStdString(), C.Target);
    EXPECT_EQ(Unit.State, C.State);
  }
}

using enum TExchangeState;
constexpr TExchangeFormat X = TExchangeFormat::Xliff, P = TExchangeFormat::Po;

INSTANTIATE_TEST_SUITE_P(
    Table, ExchangeReadTest,
    testing::Values(
        TReadCase{"XliffInlineMarkupAndNoAlternatives", X,
                  Xliff(R"(<trans-unit id="F:1"><source>a</source>
                  <seg-source><mrk mtype="seg" mid="1">a</mrk></seg-source>
                  <target state="final"><mrk mtype="seg" mid="1">A &amp; <g id="1">b</g></mrk></target>
                  <alt-trans><target>wrong</target></alt-trans></trans-unit>)"),
                  "F:1", "A & b", Translated},
        TReadCase{"XliffReviewStates", X, Xliff(R"(<trans-unit id="F:1"><source>a</source>
                  <target state="needs-review-l10n">A</target></trans-unit>)"),
                  "F:1", "A", NeedsReview},
        TReadCase{"XliffNoStateEmptyTarget", X,
                  Xliff(R"(<trans-unit id="F:1"><source>a</source><target/></trans-unit>)"), "F:1",
                  "", Untranslated},
        TReadCase{"XliffNoStateWithText", X,
                  Xliff("<trans-unit id=\"SX\"><source>a</source>"
                        "<target>\xc3\xa4\n\tb</target></trans-unit>"),
                  "SX", "\xc3\xa4\n\tb", Translated},
        TReadCase{"XliffNotToTranslate", X,
                  Xliff(R"(<trans-unit id="F:1" translate="no"><source>a</source>
                  <target>A</target></trans-unit>)"),
                  nullptr, "", Untranslated},
        TReadCase{"PoFuzzyInLatin1", P,
                  "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=ISO-8859-1\\n\"\n\n"
                  "#, fuzzy\nmsgctxt \"F.A\"\nmsgid \"a\"\nmsgstr \"\xe4\"\n",
                  "F.A", "\xc3\xa4", NeedsReview},
        TReadCase{"PoEmptyMsgstr", P, "msgctxt \"SX\"\nmsgid \"a\\nb\"\nmsgstr \"\"\n", "SX", "",
                  Untranslated},
        TReadCase{"PoObsolete", P, "#~ msgctxt \"SX\"\n#~ msgid \"a\"\n#~ msgstr \"b\"\n", nullptr,
                  "", Untranslated}));

struct TMalformedCase {
  const char *Name;
  TExchangeFormat Format;
  QByteArray Text;
  const char *Reason;
};

void PrintTo(const TMalformedCase &C, std::ostream *Os) {
  *Os << C.Name;
}

class ExchangeMalformedTest : public testing::TestWithParam<TMalformedCase> {};

TEST_P(ExchangeMalformedTest, SaysWhatIsWrong) {
  const TMalformedCase &C = GetParam();
  try {
    ReadText(C.Format, C.Text);
    FAIL() << "no error";
  } catch (const EExchangeFileError &E) {
    EXPECT_TRUE(E.Message().contains(QString::fromUtf8(C.Reason))) << E.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExchangeMalformedTest,
    testing::Values(
        TMalformedCase{"XliffUnclosed", X, Xliff("<trans-unit id=\"F:1\"><source>a</trans-unit>"),
                       "Malformed XLIFF (line "},
        TMalformedCase{"Xliff2", X,
                       R"(<xliff version="2.0" xmlns="urn:oasis:names:tc:xliff:document:2.0"/>)",
                       "XLIFF 2.0 is not supported"},
        TMalformedCase{"NotXliff", X, "<html/>", "not XLIFF"},
        TMalformedCase{"PoSyntax", P, "msgctxt \"SX\"\nmsgid \"a\"\nmsgstr b\n", "line 3"},
        TMalformedCase{"PoUnknownCharset", P,
                       "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=NO-SUCH\\n\"\n",
                       "NO-SUCH"}));

TEST(ExchangeTextTest, LineBreaksAreLfOutsideAndCrLfInside) {
  EXPECT_EQ(ToExchangeText(u"a\r\nb\rc\nd\n\re"_s), u"a\nb\nc\nd\ne"_s);
  EXPECT_EQ(FromExchangeText(u"a\nb\r\nc\n\nd"_s), u"a\r\nb\r\nc\r\n\r\nd"_s);
}

// ---- Import into a document ----

class ExchangeImportTest : public testing::Test {
protected:
  void SetUp() override {
    Write(u"app.zrlang"_s, "[F]\r\nA=1,a\r\nB=2,b\r\nC=3,c\r\n[$CONSTANTS]\r\nSX=x\r\n");
    Write(u"tran.lng"_s, "LANGID=1031\r\n\r\n[F]\r\n00000001=A1\r\n00000002=B1\r\n"
                         "[$CONSTANTS]\r\nSX=X1\r\n");
    Doc.Load(Dir.filePath(u"app.zrlang"_s), QString(), Dir.filePath(u"tran.lng"_s));
  }
  void Write(const QString &Name, const QByteArray &Bytes) {
    QFile F(Dir.filePath(Name));
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(Bytes);
  }
  // Value and states ("u" untranslated, "a" automatically translated) of
  // every entry in tree order.
  QStringList Entries() {
    QStringList Texts;
    const TEntryTable &Table = Doc.Entries();
    for (int P = 0; P < Table.Count(); ++P)
      if (Table.IsEntry(P))
        Texts.append(Table.TranslatedValue(P) +
                     (Table.States(P).Contains(zrtsUntranslated) ? u" u"_s : QString()) +
                     (Table.States(P).Contains(zrtsAutotranslated) ? u" a"_s : QString()));
    return Texts;
  }

  QTemporaryDir Dir;
  TUndoDocument Doc;
};

TEST_F(ExchangeImportTest, TakesTargetsAsOneUndoStepAndReportsUnmatchedUnits) {
  const QStringList Before = Entries();
  ASSERT_EQ(Before, (QStringList{u"A1"_s, u"B1"_s, u"c u"_s, u"X1"_s}));
  const TExchangeCatalog Read = ReadText(X, Xliff(R"(
    <trans-unit id="F:1"><source>a</source><target state="translated">A2</target></trans-unit>
    <trans-unit id="F:2"><source>b</source><target state="needs-review-translation">B2</target></trans-unit>
    <trans-unit id="F:3"><source>c</source><target state="needs-translation"/></trans-unit>
    <trans-unit id="F:99"><source>gone</source><target state="translated">G</target></trans-unit>
    <trans-unit id="SX"><source>x</source><target state="translated">X2
line</target></trans-unit>)"));

  const TExchangeImportReport Report = ImportExchangeUnits(Doc, X, Read, u"Import"_s);
  EXPECT_EQ(Report.Taken, 3);
  EXPECT_EQ(Report.Untranslated, 1);
  EXPECT_EQ(Report.Unmatched, QStringList{u"F:99"_s});
  EXPECT_EQ(Entries(), (QStringList{u"A2"_s, u"B2 a"_s, u"c u"_s, u"X2\r\nline"_s}));
  EXPECT_EQ(Doc.UndoStack().count(), 1);
  EXPECT_EQ(Doc.UndoStack().undoText(), u"Import"_s);

  Doc.UndoStack().undo();
  EXPECT_EQ(Entries(), Before);
  EXPECT_FALSE(Doc.Modified());

  // A file that changes nothing adds no step.
  Doc.UndoStack().redo();
  ImportExchangeUnits(Doc, X, Read, u"Import"_s);
  EXPECT_EQ(Doc.UndoStack().count(), 1);
}

TEST_F(ExchangeImportTest, ExportedPoComesBackUnchanged) {
  QBuffer Buffer;
  Buffer.open(QIODevice::WriteOnly);
  const TExchangeCatalog Own = ExchangeCatalogOf(Doc);
  EXPECT_TRUE(WritePo(Buffer, Own, QDateTime::currentDateTime()).isEmpty());
  const QByteArray Po = Buffer.data();
  EXPECT_TRUE(Po.contains("\"Language: de_DE\\n\"")) << Po.constData();
  EXPECT_TRUE(Po.contains("msgctxt \"F.C\"\nmsgid \"c\"\nmsgstr \"\"\n")) << Po.constData();

  const TExchangeImportReport Report = ImportExchangeUnits(Doc, P, ReadText(P, Po), u"Import"_s);
  EXPECT_EQ(Report.Taken, 3);
  EXPECT_EQ(Report.Untranslated, 1);
  EXPECT_TRUE(Report.Unmatched.isEmpty());
  EXPECT_EQ(Doc.UndoStack().count(), 0);
}

// ---- PO written in parts ----

QByteArray PoOf(const TExchangeCatalog &Catalog, size_t UnitsPerPart, QStringList &LeftOut) {
  QBuffer Buffer;
  Buffer.open(QIODevice::WriteOnly);
  LeftOut =
      WritePo(Buffer, Catalog, QDateTime(QDate(2026, 1, 2), QTime(3, 4), Qt::UTC), UnitsPerPart);
  return Buffer.data();
}

TEST(PoPartsTest, JoinToTheBytesOfOnePart) {
  struct TUnitText {
    const char16_t *Context, *Source, *Target;
    TExchangeState State;
  };
  const QString LongLine = u"word "_s.repeated(30);
  const TUnitText Texts[] = {
      {u"F.A", u"a", u"\u00C4", Translated},
      {u"F.Gone", u"", u"x", Translated}, // left out: gettext keeps the empty msgid
      {u"F.B", u"b", u"kept out", Untranslated},
      {u"F.C", u"c \"q\" \\ \t", u"\U0001F600 \xD800 lone", NeedsReview},
      {u"", u"no context", u"\u0436\n\u0436", Translated},
      {u"SX", u"x\ny\n", u"", Untranslated},
  };
  TExchangeCatalog Catalog;
  Catalog.Original = u"app.zrlang"_s;
  Catalog.TargetLangID = 1031;
  for (int Round = 0; Round < 3; ++Round)
    for (const TUnitText &T : Texts) {
      TExchangeUnit Unit;
      Unit.Context = QString::fromUtf16(T.Context) + (Round ? QString::number(Round) : QString());
      Unit.Source = QString::fromUtf16(T.Source);
      Unit.Target = QString::fromUtf16(T.Target) + (Round == 2 ? LongLine : QString());
      Unit.State = T.State;
      Catalog.Units.push_back(Unit);
    }

  QStringList LeftOut;
  const QByteArray Whole = PoOf(Catalog, 1000, LeftOut);
  EXPECT_EQ(LeftOut, (QStringList{u"F.Gone"_s, u"F.Gone1"_s, u"F.Gone2"_s}));
  // Texts in UTF-8 as Qt converts each string, lone surrogates too.
  EXPECT_TRUE(Whole.contains("msgstr \"" + Catalog.Units[3].Target.toUtf8() + "\"\n"))
      << Whole.constData();
  for (const size_t UnitsPerPart : {1u, 2u, 5u}) {
    QStringList PartsLeftOut;
    EXPECT_EQ(PoOf(Catalog, UnitsPerPart, PartsLeftOut), Whole) << UnitsPerPart;
    EXPECT_EQ(PartsLeftOut, LeftOut);
  }

  const TExchangeCatalog Read = ReadText(P, Whole);
  ASSERT_EQ(Read.Units.size(), Catalog.Units.size() - 3);
  for (size_t I = 0, J = 0; I < Catalog.Units.size(); ++I) {
    const TExchangeUnit &Unit = Catalog.Units[I];
    if (Unit.Source.isEmpty())
      continue;
    const TExchangeUnit &Back = Read.Units[J++];
    EXPECT_EQ(Back.Context, Unit.Context);
    EXPECT_EQ(Back.Source, Unit.Source);
    EXPECT_EQ(Back.State, Unit.State);
  }
}

TEST(PoPartsTest, AFailedPartStopsTheExport) {
  TExchangeCatalog Catalog;
  TExchangeUnit Unit;
  Unit.Context = u"F.A"_s;
  Unit.Source = u"a"_s;
  Catalog.Units.assign(3, Unit);
  // The stream refuses the first part while the library writes the next.
  QBuffer Refusing;
  Refusing.open(QIODevice::ReadOnly);
  EXPECT_THROW(WritePo(Refusing, Catalog, QDateTime::currentDateTime(), 1), EWriteError);

  TPoPartWriter Writer;
  const TPoFile File(po_file_create());
  Writer.Add(File.get(), "/nonexistent/lingrove/a.po");
  Writer.Add(File.get(), "/nonexistent/lingrove/b.po");
  EXPECT_THROW(Writer.WaitUntilWritten(1), EExchangeFileError);
  EXPECT_THROW(Writer.WaitUntilWritten(2), EExchangeFileError);
}

TEST(ExchangeCatalogTest, KeysStayUniqueWherePathsRepeat) {
  QTemporaryDir Dir;
  const QString Source = Dir.filePath(u"app.zrlang"_s);
  QFile F(Source);
  ASSERT_TRUE(F.open(QIODevice::WriteOnly));
  F.write("[F]\r\nCaption=1,a\r\nCaption=2,b\r\nPanel.Text=3,c\r\n"
          "[F.Panel]\r\nText=1,d\r\n[$CONSTANTS]\r\nSX=x\r\n");
  F.close();
  TTranslationDocument Doc;
  Doc.Load(Source, QString(), QString());
  QStringList Ids, Contexts;
  for (const TExchangeUnit &Unit : ExchangeCatalogOf(Doc).Units) {
    Ids.append(Unit.Id);
    Contexts.append(Unit.Context);
  }
  EXPECT_EQ(Ids, (QStringList{u"F:1"_s, u"F:2"_s, u"F:3"_s, u"F.Panel:1"_s, u"SX"_s}));
  EXPECT_EQ(Contexts, (QStringList{u"F.Caption"_s, u"F.Caption#2"_s, u"F.Panel.Text"_s,
                                   u"F.Panel.Text#1"_s, u"SX"_s}));
}

} // namespace
