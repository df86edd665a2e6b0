// The spelling problems of an open document: found with the others, checked
// again when the speller accepts more words or an entry is edited.
#include "DocumentProblems.h"
#include "FakeSpellChecker.h"
#include "SpellingSession.h"
#include "TranslationDocument.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Rows: 0 [F], 1 A, 2 B, 3 C (unchanged).
const QByteArray Source = "[F]\r\nA=1,Open file\r\nB=2,Save\r\nC=3,Nmae\r\n";
const QByteArray Translation = "LANGID=1036\r\n\r\n[F]\r\n00000001=Ouvrir flie\r\n"
                               "00000002=Enregistrer\r\n00000003=Nmae\r\n";
using L = TDocumentProblems;

TEST(SpellingProblems, AreInfosThatWordsAddedOrIgnoredTakeAway) {
  QTemporaryDir Dir;
  const auto Write = [&Dir](const QString &Name, const QByteArray &Bytes) {
    QFile F(Dir.filePath(Name));
    EXPECT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(Bytes);
    return F.fileName();
  };
  TTranslationDocument Doc;
  Doc.Load(Write(u"app.zrlang"_s, Source), QString(), Write(u"tran.lng"_s, Translation));
  TSpellingSession Session;
  Session.Open(
      std::make_unique<TFakeSpellChecker>(QSet<QString>{u"Ouvrir"_s, u"Enregistrer"_s, u"file"_s}),
      u"fr_FR"_s);
  TDocumentProblems Problems;
  QObject::connect(&Session, &TSpellingSession::Changed, &Problems, &L::RecheckSpelling);
  Problems.Attach(&Doc, TTranslationCheckSet::All(), &Session);
  Problems.Finish();
  EXPECT_EQ(Problems.Level(1), L::plInfo);
  EXPECT_EQ(Problems.Describe(1), u"spelling: Misspelled words: flie."_s);
  EXPECT_EQ(Problems.Level(2), L::plNone);
  EXPECT_EQ(Problems.Describe(3), u"unchanged: The translation is the same as the source."_s);
  EXPECT_EQ(Problems.ProblemCount(), 0);

  std::vector<int> Announced;
  QObject::connect(&Problems, &L::ProblemsChanged,
                   [&Announced](const std::vector<int> &P) { Announced = P; });
  Session.IgnoreForSession(u"flie"_s);
  EXPECT_EQ(Announced, std::vector<int>{1});
  EXPECT_EQ(Problems.Level(1), L::plNone);

  Doc.SetValues({2}, u"Enregistrer teh"_s, u"Typing"_s);
  EXPECT_EQ(Problems.Describe(2), u"spelling: Misspelled words: teh."_s);
}

} // namespace
