// lingrove-memorybench: times the translation memory at scale.
//
//   lingrove-memorybench DB SOURCE.zrlang TRANSLATION.lng [--units N] [--queries N]
//
// Fills DB (a new file) with N distinct generated units (default 1,000,000, en-US to
// ru-RU, sentences of 1 to 14 words over a vocabulary of 4,000 made-up words
// with their made-up translations), then prints, in wall-clock ms (CPU ms in
// brackets):
//   - building the memory, and its size on disk against the UTF-8 size of
//     its texts;
//   - suggestions (five matches, 70 % and up) for source texts of the memory
//     (exact), for the same texts with one word changed (fuzzy only) and for
//     texts of the project: the mean, the 95th percentile and the worst;
//   - importing the project's translation (a .lng and its source, as
//     lingrove-benchgen writes them) into the full memory;
//   - pre-translating the project anew (a new, empty translation) with exact
//     matches;
//   - the editor's way to suggestions: from a request on the interface
//     thread to its result there, the look-up done on the worker;
//   - saving the project with its units stored at once, and with them handed
//     to that worker (the window's way), and how long the worker then takes.
#include "BenchRandom.h"
#include "BenchSupport.h"
#include "DocumentMemory.h"
#include "Pretranslation.h"
#include "SuggestionLookup.h"
#include "TranslationDocument.h"
#include "TranslationMemory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using TRandom = TBenchRandom;

const char16_t *const Latin[] = {u"ka", u"lo", u"min", u"te", u"ra", u"so", u"ve", u"nu",
                                 u"pi", u"dor", u"ex", u"fa", u"gu", u"hil", u"ja", u"qu",
                                 u"sta", u"tri", u"ul", u"wen"};
const char16_t *const Cyrillic[] = {u"ка", u"ло", u"мин", u"те", u"ра", u"со", u"ве",
                                    u"ну", u"пи", u"дор", u"экс", u"фа", u"гу", u"хил",
                                    u"я", u"ку", u"ста", u"три", u"ул", u"вен"};
constexpr int Syllables = int(std::size(Latin));
constexpr int VocabularySize = 4000;

struct TVocabulary {
  std::vector<QString> Source, Target;
  TVocabulary() {
    TRandom R(7);
    for (int I = 0; I < VocabularySize; ++I) {
      QString S, T;
      for (int N = 1 + R.Below(4); N > 0; --N) {
        const int K = R.Below(Syllables);
        S += QString::fromUtf16(Latin[K]);
        T += QString::fromUtf16(Cyrillic[K]);
      }
      Source.push_back(S);
      Target.push_back(T);
    }
  }
};

// Words are drawn with a skew, as in real texts: a few are frequent.
int WordIndex(TRandom &R) {
  const int A = R.Below(VocabularySize), B = R.Below(VocabularySize);
  return std::min(A, B) * std::min(A, B) / VocabularySize + std::max(A, B) % 7;
}

TMemoryUnit MakeUnit(const TVocabulary &V, TRandom &R) {
  TMemoryUnit U{QStringLiteral("en-US"), QStringLiteral("ru-RU"), {}, {}, QStringLiteral("/gen/app.lng"), {}, 1700000000};
  const int Words = 1 + R.Below(14);
  for (int W = 0; W < Words; ++W) {
    const int I = std::min(WordIndex(R), VocabularySize - 1);
    if (W > 0) {
      U.Source += u' ';
      U.Target += u' ';
    }
    U.Source += V.Source[size_t(I)];
    U.Target += V.Target[size_t(I)];
  }
  U.Source[0] = U.Source[0].toUpper();
  U.Target[0] = U.Target[0].toUpper();
  U.Entry = QStringLiteral("Gen/%1").arg(R.Below(1 << 30));
  return U;
}

struct TSpread {
  double Mean = 0, P95 = 0, Worst = 0;
};

TSpread Spread(std::vector<double> Ms) {
  TSpread S;
  if (Ms.empty())
    return S;
  std::sort(Ms.begin(), Ms.end());
  for (double M : Ms)
    S.Mean += M;
  S.Mean /= double(Ms.size());
  S.P95 = Ms[std::min(Ms.size() - 1, size_t(double(Ms.size()) * 0.95))];
  S.Worst = Ms.back();
  return S;
}

TSpread TimeLookups(TTranslationMemory &Memory, const std::vector<QString> &Texts, int &Found) {
  std::vector<double> Ms;
  Found = 0;
  for (const QString &Text : Texts) {
    QElapsedTimer T;
    T.start();
    const auto Matches = Memory.Lookup(QStringLiteral("en-US"), QStringLiteral("ru-RU"), Text, 5, 0.7);
    Ms.push_back(double(T.nsecsElapsed()) / 1e6);
    Found += Matches.empty() ? 0 : 1;
  }
  return Spread(Ms);
}

void PrintSpread(const char *Name, const TSpread &S, int Found, size_t Count) {
  std::printf("%-28s mean %7.2f ms  p95 %7.2f ms  worst %7.2f ms  (%d of %zu with matches)\n",
              Name, S.Mean, S.P95, S.Worst, Found, Count);
}

} // namespace

int main(int argc, char *argv[]) {
  QCoreApplication App(argc, argv);
  QStringList Args = QCoreApplication::arguments().mid(1);
  const int Units = TakeOption(Args, QStringLiteral("--units")).toInt() ?: 1000000;
  const int Queries = TakeOption(Args, QStringLiteral("--queries")).toInt() ?: 200;
  if (Args.size() != 3) {
    std::fprintf(stderr, "usage: lingrove-memorybench DB SOURCE.zrlang TRANSLATION.lng "
                         "[--units N] [--queries N]\n");
    return 64;
  }
  const QString DbPath = Args[0], SourcePath = Args[1], TranslationPath = Args[2];
  if (QFile::exists(DbPath)) {
    std::fprintf(stderr, "lingrove-memorybench: %s exists; give a new file\n", qPrintable(DbPath));
    return 2;
  }
  try {
    TTranslationMemory Memory(DbPath);
    const TVocabulary Vocabulary;
    TRandom R(1);
    std::vector<QString> Sample;
    Measure("build memory", [&] {
      // Until the memory holds Units units: equal texts are stored once.
      constexpr int Batch = 100000;
      for (int Done = 0; Done < Units;) {
        std::vector<TMemoryUnit> Part;
        for (int I = 0; I < std::min(Batch, Units - Done); ++I) {
          Part.push_back(MakeUnit(Vocabulary, R));
          if (int(Sample.size()) < Queries && R.Below(Units / Queries + 1) == 0)
            Sample.push_back(Part.back().Source);
        }
        Done += Memory.Add(Part);
      }
      Memory.Checkpoint();
    });
    const TTranslationMemory::TStats Stats = Memory.Stats();
    std::printf("units %lld, text %.1f MB, database %.1f MB (%.2f x the text)\n",
                qint64(Stats.Units), double(Stats.TextBytes) / 1e6, double(Stats.FileBytes) / 1e6,
                double(Stats.FileBytes) / double(std::max<qint64>(1, Stats.TextBytes)));

    // The same texts with one word replaced: fuzzy matches only.
    std::vector<QString> Changed;
    for (const QString &Text : Sample) {
      QStringList Words = Text.split(u' ');
      Words[R.Below(int(Words.size()))] = Vocabulary.Source[size_t(R.Below(VocabularySize))];
      Changed.push_back(Words.join(u' '));
    }
    int Found = 0;
    TSpread Times = TimeLookups(Memory, Sample, Found);
    PrintSpread("suggestions, exact texts", Times, Found, Sample.size());
    Times = TimeLookups(Memory, Changed, Found);
    PrintSpread("suggestions, one word off", Times, Found, Changed.size());

    std::vector<TMemoryUnit> ProjectUnits;
    Measure("import project: read", [&] {
      ProjectUnits = MemoryUnitsOfFiles(SourcePath, TranslationPath);
    });
    int Added = 0;
    Measure("import project: store", [&] { Added = Memory.Add(ProjectUnits); });
    std::printf("project units %zu, new %d\n", ProjectUnits.size(), Added);

    std::vector<QString> ProjectTexts;
    for (size_t I = 0; I < ProjectUnits.size() && int(ProjectTexts.size()) < Queries;
         I += std::max<size_t>(1, ProjectUnits.size() / size_t(Queries)))
      ProjectTexts.push_back(ProjectUnits[I].Source);
    Times = TimeLookups(Memory, ProjectTexts, Found);
    PrintSpread("suggestions, project texts", Times, Found, ProjectTexts.size());

    TTranslationDocument Doc;
    Measure("open project, new translation", [&] { Doc.Load(SourcePath, QString(), QString()); });
    Doc.SetLanguages({1033, 1049});
    TPretranslationCounts Counts;
    Measure("pre-translate (exact)", [&] {
      Counts = Pretranslate(Doc, &Memory, 1.0, QStringLiteral("Pre-translate"));
    });
    std::printf("pre-translated %d exact, %d fuzzy of %d properties and %d constants\n",
                Counts.Exact, Counts.Fuzzy, Doc.Entries().Counts().Properties,
                Doc.Entries().Counts().Constants);
    const TTranslationMemory::TStats After = Memory.Stats();
    std::printf("after the import: units %lld, text %.1f MB, database %.1f MB (%.2f x the text)\n",
                qint64(After.Units), double(After.TextBytes) / 1e6, double(After.FileBytes) / 1e6,
                double(After.FileBytes) / double(std::max<qint64>(1, After.TextBytes)));

    TSuggestionLookup Lookup(DbPath);
    Lookup.SetLimits(5, 0.7);
    quint64 Delivered = 0;
    bool bMatched = false;
    QObject::connect(&Lookup, &TSuggestionLookup::Found,
                     [&](quint64 Id, const TSuggestionResult &Result) {
                       Delivered = Id;
                       bMatched = !Result.Matches.empty();
                     });
    quint64 LastId = 0;
    // Ms from the request to its result, back on this thread.
    const auto Ask = [&](const QString &Text) {
      QElapsedTimer T;
      T.start();
      Lookup.Request(++LastId, QStringLiteral("en-US"), QStringLiteral("ru-RU"), Text);
      while (Delivered != LastId)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
      return double(T.nsecsElapsed()) / 1e6;
    };
    std::printf("request to Found, first (opens the memory): %.2f ms\n", Ask(Sample.front()));
    for (const auto &[Name, Texts] :
         {std::pair{"request to Found, exact", &Sample}, std::pair{"request to Found, one off", &Changed}}) {
      std::vector<double> Ms;
      Found = 0;
      for (const QString &Text : *Texts) {
        Ms.push_back(Ask(Text));
        Found += bMatched ? 1 : 0;
      }
      PrintSpread(Name, Spread(Ms), Found, Texts->size());
    }

    QTemporaryDir SaveDir;
    const QString SavedPath = SaveDir.filePath(QStringLiteral("saved.lng"));
    QFile::copy(TranslationPath, SavedPath);
    for (const bool bWorker : {false, true}) {
      TTranslationDocument Saved;
      Saved.Load(SourcePath, QString(), SavedPath);
      if (bWorker)
        Saved.SetMemoryFeed([&](std::vector<TMemoryUnit> U) { Lookup.Store(std::move(U)); });
      else
        Saved.SetMemory(&Memory);
      Measure(bWorker ? "save project, units to the worker" : "save project, units stored at once",
              [&] { Saved.Save(SavedPath, true); });
      if (bWorker)
        std::printf("worker done storing: %.2f ms later\n", Ask(Sample.front()));
    }
  } catch (const Exception &E) {
    std::fprintf(stderr, "lingrove-memorybench: %s\n", qPrintable(E.Message()));
    return 2;
  }
  return 0;
}
