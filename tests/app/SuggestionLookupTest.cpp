// Look-ups in the translation memory off the interface thread: only the
// latest request is answered, stores come before later requests, and a memory
// that cannot be used answers with its message. Also the character
// differences the suggestions show.
#include "SuggestionLookup.h"
#include "TextDifference.h"
#include "TranslationMemory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class SuggestionLookupTest : public testing::Test {
protected:
  SuggestionLookupTest() : App(Argc, Argv) {}

  QString MemoryPath() const { return Dir.filePath(u"memory.sqlite"_s); }

  static TMemoryUnit Unit(const QString &Source, const QString &Target) {
    return TMemoryUnit{u"en-US"_s, u"de-DE"_s, Source, Target, QString(), QString(), 1};
  }

  // Runs the event loop until Done or five seconds have passed.
  template <class F> static bool WaitFor(F Done) {
    QElapsedTimer Timer;
    Timer.start();
    while (!Done() && Timer.elapsed() < 5000)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return Done();
  }

  // Every Found of Lookup, by request.
  struct TRecorder {
    std::vector<std::pair<quint64, TSuggestionResult>> Found;
    QStringList StoreFailures;
  };
  static void Record(TSuggestionLookup &Lookup, TRecorder &Recorder) {
    QObject::connect(&Lookup, &TSuggestionLookup::Found,
                     [&Recorder](quint64 Id, const TSuggestionResult &Result) {
                       Recorder.Found.emplace_back(Id, Result);
                     });
    QObject::connect(&Lookup, &TSuggestionLookup::StoreFailed,
                     [&Recorder](const QString &Message) { Recorder.StoreFailures << Message; });
  }

  int Argc = 1;
  char Name[10] = "app_tests";
  char *Argv[2] = {Name, nullptr};
  QCoreApplication App;
  QTemporaryDir Dir;
};

TEST_F(SuggestionLookupTest, OnlyTheLatestRequestIsAnsweredAfterTheStoresBeforeIt) {
  TSuggestionLookup Lookup(MemoryPath());
  TRecorder Recorder;
  Record(Lookup, Recorder);
  Lookup.Store(
      {Unit(u"&Open the file..."_s, u"Die Datei ö&ffnen..."_s), Unit(u"Save"_s, u"Speichern"_s)});
  Lookup.SetLimits(5, 0.7);
  for (quint64 Id = 1; Id <= 20; ++Id)
    Lookup.Request(Id, u"en-US"_s, u"de-DE"_s, Id % 2 ? u"Save"_s : u"&Open the file..."_s);
  Lookup.Request(21, u"en-US"_s, u"de-DE"_s, u"&Open a file..."_s);
  ASSERT_TRUE(WaitFor([&] { return !Recorder.Found.empty(); }));
  // Results of the older requests the worker still took would come first.
  QCoreApplication::processEvents();
  ASSERT_EQ(Recorder.Found.size(), 1u);
  EXPECT_EQ(Recorder.Found[0].first, 21u);
  const TSuggestionResult &Result = Recorder.Found[0].second;
  EXPECT_TRUE(Result.Error.isEmpty());
  ASSERT_EQ(Result.Matches.size(), 1u);
  EXPECT_EQ(Result.Matches[0].Unit.Target, u"Die Datei ö&ffnen..."_s);
  EXPECT_FALSE(Result.Matches[0].bExact);
}

TEST_F(SuggestionLookupTest, ACancelledRequestIsNotAnsweredAndAnEmptyPairIsSaid) {
  TSuggestionLookup Lookup(MemoryPath());
  TRecorder Recorder;
  Record(Lookup, Recorder);
  Lookup.Request(1, u"en-US"_s, u"fr-FR"_s, u"Save"_s);
  Lookup.Cancel();
  Lookup.Request(2, u"en-US"_s, u"ru-RU"_s, u"Save"_s);
  ASSERT_TRUE(WaitFor([&] { return !Recorder.Found.empty(); }));
  QCoreApplication::processEvents();
  ASSERT_EQ(Recorder.Found.size(), 1u);
  EXPECT_EQ(Recorder.Found[0].first, 2u);
  EXPECT_TRUE(Recorder.Found[0].second.bNoUnits);
  EXPECT_TRUE(Recorder.Found[0].second.Matches.empty());
}

TEST_F(SuggestionLookupTest, ACorruptMemoryGivesItsMessageNotACrash) {
  {
    QFile F(MemoryPath());
    ASSERT_TRUE(F.open(QIODevice::WriteOnly));
    F.write(QByteArray(8192, 'x'));
  }
  TRecorder Recorder;
  {
    TSuggestionLookup Lookup(MemoryPath());
    Record(Lookup, Recorder);
    Lookup.Store({Unit(u"Save"_s, u"Speichern"_s)});
    Lookup.Request(7, u"en-US"_s, u"de-DE"_s, u"Save"_s);
    ASSERT_TRUE(
        WaitFor([&] { return !Recorder.Found.empty() && !Recorder.StoreFailures.empty(); }));
  }
  ASSERT_EQ(Recorder.Found.size(), 1u);
  EXPECT_FALSE(Recorder.Found[0].second.Error.isEmpty());
  EXPECT_TRUE(Recorder.Found[0].second.Matches.empty());
  EXPECT_TRUE(Recorder.StoreFailures[0].contains(u"memory.sqlite"_s))
      << Recorder.StoreFailures[0].toStdString();
}

// Units stored just before the object goes are written all the same.
TEST_F(SuggestionLookupTest, StoresWaitingAtTheEndAreWritten) {
  {
    TSuggestionLookup Lookup(MemoryPath());
    for (int I = 0; I < 20; ++I)
      Lookup.Store({Unit(u"Text %1"_s.arg(I), u"Text %1"_s.arg(I))});
  }
  TTranslationMemory Memory(MemoryPath());
  EXPECT_EQ(Memory.Stats().Units, 20);
}

struct TDifferenceCase {
  const char16_t *Old;
  const char16_t *New;
  const char16_t *Expected; // pieces as "=same", "-removed", "+added", joined by "|"
};

class TextDifferenceTest : public testing::TestWithParam<TDifferenceCase> {};

TEST_P(TextDifferenceTest, SpellBothTexts) {
  const QString Old = QString::fromUtf16(GetParam().Old);
  const QString New = QString::fromUtf16(GetParam().New);
  QStringList Pieces;
  QString Before, After;
  for (const TTextDifference &P : TextDifferences(Old, New)) {
    const char16_t Mark = P.Kind == TTextDifference::tdSame      ? u'='
                          : P.Kind == TTextDifference::tdRemoved ? u'-'
                                                                 : u'+';
    Pieces << QChar(Mark) + P.Text;
    if (P.Kind != TTextDifference::tdAdded)
      Before += P.Text;
    if (P.Kind != TTextDifference::tdRemoved)
      After += P.Text;
  }
  EXPECT_EQ(Pieces.join(u'|'), QString::fromUtf16(GetParam().Expected));
  EXPECT_EQ(Before, Old);
  EXPECT_EQ(After, New);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextDifferenceTest,
    testing::Values(TDifferenceCase{u"Open", u"Open", u"=Open"}, TDifferenceCase{u"", u"", u""},
                    TDifferenceCase{u"", u"abc", u"+abc"},
                    TDifferenceCase{u"&Open...", u"&Open", u"=&Open|-..."},
                    TDifferenceCase{u"Save file", u"Save a file", u"=Save |+a |=file"},
                    TDifferenceCase{u"Save the file", u"Save a file", u"=Save |-the|+a|= file"},
                    TDifferenceCase{u"Close", u"Open", u"-Clos|+Op|=e|+n"},
                    TDifferenceCase{u"abc", u"xyz", u"-abc|+xyz"},
                    // U+1F600 and U+1F601 share their high surrogate; U+1F600
                    // and U+2F600 their low one.
                    TDifferenceCase{u"a\U0001F600", u"a\U0001F601", u"=a|-\U0001F600|+\U0001F601"},
                    TDifferenceCase{u"\U0001F600b", u"\U0002F600b", u"-\U0001F600|+\U0002F600|=b"},
                    TDifferenceCase{u"x\U0001F600y\U0001F600", u"\U0001F600y\U0001F601",
                                    u"-x|=\U0001F600y|-\U0001F600|+\U0001F601"}));

TEST(TextDifferenceLong, MiddlesTooLongDifferAsAWhole) {
  const QString Old = u"<"_s + QString(5000, u'a') + u">"_s;
  const QString New = u"<"_s + QString(5000, u'b') + u">"_s;
  const std::vector<TTextDifference> Pieces = TextDifferences(Old, New);
  ASSERT_EQ(Pieces.size(), 4u);
  EXPECT_EQ(Pieces[1].Kind, TTextDifference::tdRemoved);
  EXPECT_EQ(Pieces[2].Text, QString(5000, u'b'));
}

} // namespace
