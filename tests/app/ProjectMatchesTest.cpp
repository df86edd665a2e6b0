// The translations a document already holds for an entry's source text.
#include "ProjectMatches.h"
#include "TranslationDocument.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Rows: 0 [F], 1 A, 2 B, 3 C, 4 D, 5 E (untranslated), 6 [G], 7 H.
const QByteArray Source = "[F]\r\nA=1,Cancel\r\nB=2,Cancel\r\nC=3,OK\r\nD=4,Cancel\r\nE=5,Cancel\r\n"
                          "[G]\r\nH=6,Cancel\r\n";
const QByteArray Translation = "LANGID=1031\r\nSourceLANGID=1033\r\n\r\n[F]\r\n00000001=Abbrechen\r\n"
                               "00000002=Abbruch\r\n00000003=OK\r\n00000004=Abbrechen\r\n"
                               "[G]\r\n00000006=Storno\r\n";

struct TCase {
  int Position;
  int MaxCount;
  std::vector<QString> Targets;
};

class ProjectMatchesTest : public testing::TestWithParam<TCase> {};

TEST_P(ProjectMatchesTest, GivesOtherEntriesTranslationsInEntryOrderOnceEach) {
  QTemporaryDir Dir;
  const auto Write = [&](const QString &Name, const QByteArray &Bytes) {
    QFile F(Dir.filePath(Name));
    EXPECT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(Bytes);
    return F.fileName();
  };
  TTranslationDocument Doc;
  Doc.Load(Write(u"app.zrlang"_s, Source), QString(), Write(u"tran.lng"_s, Translation));
  TProjectMatches Matches;
  // Asked twice: the second answer comes from the index the first built.
  for (int Pass = 0; Pass < 2; ++Pass) {
    std::vector<QString> Targets;
    for (const TMemoryMatch &M : Matches.Find(Doc, GetParam().Position, GetParam().MaxCount))
      Targets.push_back(M.Unit.Target);
    EXPECT_EQ(Targets, GetParam().Targets) << "pass " << Pass;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProjectMatchesTest,
    testing::Values(TCase{1, 10, {u"Abbruch"_s, u"Abbrechen"_s, u"Storno"_s}},
                    TCase{1, 2, {u"Abbruch"_s, u"Abbrechen"_s}},
                    TCase{7, 10, {u"Abbrechen"_s, u"Abbruch"_s}},
                    TCase{5, 10, {u"Abbrechen"_s, u"Abbruch"_s, u"Storno"_s}},
                    TCase{3, 10, {}}));

} // namespace
