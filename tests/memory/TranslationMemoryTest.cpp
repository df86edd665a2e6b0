// The memory itself: similarity, look-ups, duplicates, TMX and bad files.
#include "TextSimilarity.h"
#include "TmxFile.h"
#include "NetworkFileSystem.h"
#include "TranslationMemory.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct TSimilarityCase {
  const char16_t *A;
  const char16_t *B;
  double Expected;
};

class SimilarityTest : public testing::TestWithParam<TSimilarityCase> {};

TEST_P(SimilarityTest, IsOneMinusTheEditDistanceOverTheLongerLength) {
  const TSimilarityCase &C = GetParam();
  const QString A = QString::fromUtf16(C.A), B = QString::fromUtf16(C.B);
  EXPECT_NEAR(TextSimilarity(A, B), C.Expected, 1e-9);
  EXPECT_NEAR(TextSimilarity(B, A), C.Expected, 1e-9);
  // The bounded form agrees at its bound and falls below it beyond.
  EXPECT_NEAR(TextSimilarityAtLeast(A, B, C.Expected), C.Expected, 1e-9);
  if (C.Expected < 1.0) {
    EXPECT_LT(TextSimilarityAtLeast(A, B, C.Expected + 0.01), C.Expected + 0.01);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, SimilarityTest,
    testing::Values(TSimilarityCase{u"", u"", 1.0}, TSimilarityCase{u"abc", u"", 0.0},
                    TSimilarityCase{u"&Open...", u"&Open...", 1.0},
                    TSimilarityCase{u"kitten", u"sitting", 1.0 - 3.0 / 7.0},
                    TSimilarityCase{u"Open", u"open", 0.75},
                    TSimilarityCase{u"&Save", u"Save &As...", 1.0 - 8.0 / 11.0},
                    TSimilarityCase{u"Delete the file?", u"Delete the files?", 1.0 - 1.0 / 17.0},
                    TSimilarityCase{u"abcdef", u"fedcba", 0.0}));

TEST(SimilarityPercentTest, OnlyEqualTextsShowHundred) {
  EXPECT_EQ(SimilarityPercent(1.0, true), 100);
  EXPECT_EQ(SimilarityPercent(0.999, false), 99);
  EXPECT_EQ(SimilarityPercent(0.704, false), 70);
}

TMemoryUnit Unit(const QString &Source, const QString &Target, qint64 Time = 1,
                 const QString &TargetLang = u"de-DE"_s) {
  return TMemoryUnit{u"en-US"_s, TargetLang, Source, Target, u"/p/app.lng"_s, u"F/1"_s, Time};
}

class TranslationMemoryTest : public testing::Test {
protected:
  QString DbPath() const { return Dir.filePath(u"memory.sqlite"_s); }
  QTemporaryDir Dir;
};

TEST_F(TranslationMemoryTest, StoresDuplicatesOnceAndFindsExactAndFuzzyMatches) {
  TTranslationMemory Memory(DbPath());
  EXPECT_EQ(Memory.Add({Unit(u"&Open..."_s, u"Ö&ffnen..."_s), Unit(u"&Open..."_s, u"Ö&ffnen..."_s),
                        Unit(u"Save the file"_s, u"Datei speichern"_s),
                        Unit(u"Save the files"_s, u"Dateien speichern"_s, 5),
                        Unit(u"Save the file"_s, u"Die Datei speichern"_s, 9),
                        Unit(u"Save the file"_s, u"Enregistrer"_s, 1, u"fr_fr"_s),
                        Unit(u"Close"_s, u"Schließen"_s), Unit(u""_s, u"leer"_s)}),
            6);
  EXPECT_EQ(Memory.Add({Unit(u"&Open..."_s, u"Ö&ffnen..."_s)}), 0);
  EXPECT_EQ(Memory.Stats().Units, 6);

  struct TCase {
    QString Source;
    double Min;
    std::vector<std::pair<QString, int>> Expected; // translation, percent
  };
  const std::vector<TCase> Cases = {
      {u"Save the file"_s, 0.7,
       {{u"Die Datei speichern"_s, 100}, {u"Datei speichern"_s, 100}, {u"Dateien speichern"_s, 93}}},
      {u"Save the file!"_s, 0.9,
       {{u"Die Datei speichern"_s, 93}, {u"Dateien speichern"_s, 93}, {u"Datei speichern"_s, 93}}},
      {u"Save a file"_s, 0.75, {{u"Die Datei speichern"_s, 77}, {u"Datei speichern"_s, 77}}},
      {u"&Open"_s, 0.7, {}},
      {u"Close"_s, 0.7, {{u"Schließen"_s, 100}}},
      {u"Nothing alike"_s, 0.5, {}},
  };
  for (const TCase &C : Cases) {
    std::vector<std::pair<QString, int>> Got;
    for (const TMemoryMatch &M : Memory.Lookup(u"en-US"_s, u"de-DE"_s, C.Source, 5, C.Min))
      Got.emplace_back(M.Unit.Target, SimilarityPercent(M.Similarity, M.bExact));
    EXPECT_EQ(Got, C.Expected) << C.Source.toStdString();
  }
  EXPECT_EQ(Memory.FindExact(u"en-us"_s, u"fr-FR"_s, u"Save the file"_s), u"Enregistrer"_s);
  EXPECT_FALSE(Memory.FindExact(u"en-US"_s, u"ru-RU"_s, u"Close"_s));
  EXPECT_TRUE(Memory.HasPair(u"en-US"_s, u"de-DE"_s));
  EXPECT_FALSE(Memory.HasPair(u"en-US"_s, u"ru-RU"_s));
}

TEST_F(TranslationMemoryTest, TmxRoundTripKeepsEveryField) {
  const std::vector<TMemoryUnit> Units = {
      TMemoryUnit{u"en-US"_s, u"de-DE"_s, u"A <b> & \"c\"\nline"_s, u"Ä <b> & 'c'\tTab"_s,
                  u"/p/a.lng"_s, u"Form.Main/7"_s, 1700000000},
      TMemoryUnit{u"en-US"_s, u"ru-RU"_s, u"  spaces  "_s, u"пробелы"_s, {}, {}, 0}};
  QByteArray Bytes;
  QBuffer Out(&Bytes);
  Out.open(QIODevice::WriteOnly);
  TTmxWriter Writer(Out, u"en-US"_s);
  for (const TMemoryUnit &U : Units)
    Writer.Write(U);
  Writer.Write(TMemoryUnit{u"en-US"_s, u"de-DE"_s, u"bell\a"_s, u"x"_s, {}, {}, 0});
  Writer.Finish();
  EXPECT_EQ(Writer.Written(), 2);
  EXPECT_EQ(Writer.LeftOut(), 1);

  QBuffer In(&Bytes);
  In.open(QIODevice::ReadOnly);
  const std::vector<TMemoryUnit> Read = ReadTmx(In);
  ASSERT_EQ(Read.size(), Units.size());
  for (size_t I = 0; I < Units.size(); ++I) {
    const TMemoryUnit &A = Units[I], &B = Read[I];
    EXPECT_EQ(std::tie(A.SourceLang, A.TargetLang, A.Source, A.Target, A.Origin, A.Entry, A.Time),
              std::tie(B.SourceLang, B.TargetLang, B.Source, B.Target, B.Origin, B.Entry, B.Time));
  }
}

TEST(TmxReadTest, TakesInlineTextAndEveryTargetAndStopsAtAFault) {
  QByteArray Good = "<tmx version=\"1.4\"><header srclang=\"en\"/><body>"
                    "<tu><tuv xml:lang=\"EN\"><seg>Press <bpt i=\"1\">&lt;b&gt;</bpt>OK"
                    "<ept i=\"1\">&lt;/b&gt;</ept> <hi>now</hi></seg></tuv>"
                    "<tuv xml:lang=\"de\"><seg>OK drücken</seg></tuv>"
                    "<tuv xml:lang=\"fr\"><seg>Appuyez</seg></tuv></tu>"
                    "<tu><tuv xml:lang=\"de\"><seg>ohne Quelle</seg></tuv></tu></body></tmx>";
  QBuffer In(&Good);
  In.open(QIODevice::ReadOnly);
  const std::vector<TMemoryUnit> Units = ReadTmx(In);
  ASSERT_EQ(Units.size(), 2u);
  EXPECT_EQ(Units[0].Source, u"Press OK now"_s);
  EXPECT_EQ(Units[1].Target, u"Appuyez"_s);

  struct TCase {
    QByteArray Text;
    const char *Where;
  };
  for (const TCase &C : {TCase{"<tmx version=\"1.4\"><body>\n<tu><tuv xml:lang=\"de\"><seg>x</tuv>",
                               "line 2, column 35"},
                         TCase{"<xliff/>", "line 1, column 8"},
                         TCase{"<tmx><body>\n  <tu><tuv><seg>x</seg></tuv></tu></body></tmx>",
                               "line 2, column 11"}}) {
    QBuffer Bad(const_cast<QByteArray *>(&C.Text));
    Bad.open(QIODevice::ReadOnly);
    try {
      ReadTmx(Bad);
      ADD_FAILURE() << "no error for " << C.Text.constData();
    } catch (const ETmxFileError &E) {
      EXPECT_TRUE(E.Message().contains(QString::fromUtf8(C.Where))) << E.what();
    }
  }
}

TEST_F(TranslationMemoryTest, ACorruptFileIsAClearErrorAndStaysUntouched) {
  const QByteArray Garbage = QByteArray("SQLite format 3").append(QByteArray(4000, '\x5a'));
  {
    QFile F(DbPath());
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(Garbage);
  }
  try {
    TTranslationMemory Memory(DbPath());
    FAIL() << "opened";
  } catch (const ETranslationMemoryError &E) {
    EXPECT_TRUE(E.Message().contains(u"memory.sqlite"_s)) << E.what();
  }
  QFile F(DbPath());
  ASSERT_TRUE(F.open(QIODevice::ReadOnly));
  EXPECT_EQ(F.readAll(), Garbage);
}

} // namespace

// A memory on a network drive must not use the write-ahead log, whose shared
// memory other machines do not see; local and unknown file systems keep it.
TEST(NetworkFileSystemTest, KnowsTheTypesServedOverTheNetwork) {
  const struct {
    const char *Type;
    bool bNetwork;
  } Cases[] = {{"nfs", true},   {"nfs4", true},       {"cifs", true},  {"smb3", true},
               {"9p", true},    {"fuse.sshfs", true}, {"NFS4", true},  {"ext4", false},
               {"btrfs", false}, {"tmpfs", false},    {"fuse", false}, {"fuseblk", false},
               {"overlay", false}, {"", false}};
  for (const auto &Case : Cases)
    EXPECT_EQ(IsNetworkFileSystemType(Case.Type), Case.bNetwork) << Case.Type;
}
