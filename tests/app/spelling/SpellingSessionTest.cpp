// The editor's spelling session over Enchant and the tiny fr_FR dictionary
// of the test's configuration folder, its cache, and the personal word list.
#include "SpellingSession.h"
#include "Exceptions.h"
#include "FakeSpellChecker.h"
#include "PersonalWordList.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr quint16 French = 1036, Icelandic = 1039;

class SpellingSessionTest : public testing::Test {
protected:
  void SetUp() override {
    QFile::remove(TSpellingSession::PersonalWordListFile(QStringLiteral("fr_FR")));
  }
};

TEST_F(SpellingSessionTest, OpensTheDictionaryOfTheLanguage) {
  TSpellingSession Session;
  ASSERT_TRUE(Session.Open(French));
  EXPECT_EQ(Session.Tag(), u"fr_FR");
  EXPECT_TRUE(Session.Check(QStringLiteral("file")));
  EXPECT_TRUE(Session.Check(QStringLiteral("File")));
  EXPECT_FALSE(Session.Check(QStringLiteral("flie")));
  const QStringList Suggestions = Session.Suggest(QStringLiteral("flie"), 8);
  EXPECT_TRUE(Suggestions.contains(u"file")) << Suggestions.join(u',').toStdString();
  EXPECT_LE(Session.Suggest(QStringLiteral("fle"), 1).size(), 1);
}

TEST_F(SpellingSessionTest, WithoutADictionaryEveryWordIsRight) {
  TSpellingSession Session;
  EXPECT_FALSE(Session.Open(Icelandic));
  EXPECT_FALSE(Session.IsOpen());
  EXPECT_TRUE(Session.Check(QStringLiteral("flie")));
  EXPECT_TRUE(Session.Suggest(QStringLiteral("flie"), 8).isEmpty());
}

TEST_F(SpellingSessionTest, AddedWordsAreKeptInThePersonalListIgnoredOnesAreNot) {
  {
    TSpellingSession Session;
    ASSERT_TRUE(Session.Open(French));
    QSignalSpy Changed(&Session, &TSpellingSession::Changed);
    Session.AddToPersonal(QStringLiteral("Lingrove"));
    Session.IgnoreForSession(QStringLiteral("flie"));
    EXPECT_EQ(Changed.count(), 2);
    EXPECT_TRUE(Session.Check(QStringLiteral("Lingrove")));
    EXPECT_TRUE(Session.Check(QStringLiteral("flie")));
  }
  QFile List(TSpellingSession::PersonalWordListFile(QStringLiteral("fr_FR")));
  ASSERT_TRUE(List.open(QIODevice::ReadOnly));
  EXPECT_EQ(List.readAll(), "Lingrove\n");
  EXPECT_TRUE(List.fileName().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
  TSpellingSession Later;
  ASSERT_TRUE(Later.Open(French));
  EXPECT_TRUE(Later.Check(QStringLiteral("Lingrove")));
  EXPECT_FALSE(Later.Check(QStringLiteral("flie")));
}

TEST_F(SpellingSessionTest, AsksTheDictionaryOncePerWord) {
  auto Fake = std::make_unique<TFakeSpellChecker>(QSet<QString>{QStringLiteral("file")});
  TFakeSpellChecker &Counted = *Fake;
  TSpellingSession Session;
  Session.Open(std::move(Fake), QStringLiteral("fr_FR"));
  for (int I = 0; I < 3; ++I) {
    EXPECT_TRUE(Session.Check(QStringLiteral("file")));
    EXPECT_FALSE(Session.Check(QStringLiteral("flie")));
  }
  EXPECT_EQ(Counted.Checks, 2);
  Session.IgnoreForSession(QStringLiteral("flie"));
  EXPECT_TRUE(Session.Check(QStringLiteral("flie")));
}

TEST(PersonalWordList, ReadsOneWordALineWhateverTheLineEnds) {
  QByteArray Bytes("\xEF\xBB\xBFone\r\ntwo\n\n  three \r\n\xC3\xBC"
                   "ber");
  QBuffer Buffer(&Bytes);
  ASSERT_TRUE(Buffer.open(QIODevice::ReadOnly));
  EXPECT_EQ(ReadWordList(Buffer).join(u'|').toStdString(), "one|two|three|\xC3\xBC"
                                                           "ber");
}

TEST(PersonalWordList, AddKeepsWhatAnotherInstanceAddedOrRaises) {
  QTemporaryDir Dir;
  const QString Name = Dir.filePath(QStringLiteral("sub/Words.txt"));
  TPersonalWordList First(Name), Second(Name);
  First.Add(QStringLiteral("eins"));
  Second.Add(QStringLiteral("zwei"));
  Second.Add(QStringLiteral("eins"));
  const QStringList Both{QStringLiteral("eins"), QStringLiteral("zwei")};
  EXPECT_EQ(Second.Words(), Both);
  EXPECT_EQ(TPersonalWordList(Name).Words(), Both);
  // A folder where the file should be cannot be replaced.
  ASSERT_TRUE(QDir().mkpath(Dir.filePath(QStringLiteral("taken"))));
  TPersonalWordList Blocked(Dir.filePath(QStringLiteral("taken")));
  EXPECT_THROW(Blocked.Add(QStringLiteral("drei")), EFCreateError);
  EXPECT_FALSE(Blocked.Contains(QStringLiteral("drei")));
}

} // namespace
