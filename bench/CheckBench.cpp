// lingrove-checkbench: times the quality checks over every translated entry
// of a project opened as the editor opens it, and counts what they find.
//
//   lingrove-checkbench SOURCE.zrlang TRANSLATION.lng [--runs N]
//
// The entry table is built once (timed apart); each check pass is timed N
// times (default 5), every run printed; then the editor's problem store.
// When the translation's language has a spelling dictionary: the checks with
// spelling, first with an empty word cache, and a translator typing a value
// of 200 characters made of the translation's own words into one entry, key
// by key, each keystroke rechecking that entry as the editor does.
#include "BenchSupport.h"
#include "DocumentChecks.h"
#include "DocumentProblems.h"
#include "Exceptions.h"
#include "LanguageManager.h"
#include "Languages.h"
#include "SpellingSession.h"
#include "TranslationDocument.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>

namespace {

// Words of the document's translated values, blank-separated, up to Length
// characters: text in the language the dictionary is for.
QString TypedText(TTranslationDocument &Doc, qsizetype Length) {
  const TEntryTable &Entries = Doc.Entries();
  QString Text;
  for (int P = 0; P < Entries.Count() && Text.size() < Length; ++P) {
    if (!Entries.IsEditable(P) || Entries.States(P).Contains(zrtsUntranslated))
      continue;
    for (const QString &Word : Entries.TranslatedValue(P).split(u' ', Qt::SkipEmptyParts))
      if (Word.size() > 1 && std::all_of(Word.begin(), Word.end(),
                                         [](QChar C) { return C.isLetter() || C.isPunct(); }))
        Text += (Text.isEmpty() ? QString() : QStringLiteral(" ")) + Word;
  }
  return Text.left(Length);
}

// Types Text into the first translated entry one character at a time, as
// typing into the memo does (one merged undo step); prints the mean and the
// slowest time of a keystroke, in CPU time (steadier than the wall clock on
// a busy machine), with the recheck of the entry by Store, which follows the
// document.
void TypeIntoOneEntry(TTranslationDocument &Doc, TDocumentProblems &Store, const QString &Text) {
  const TEntryTable &Entries = Doc.Entries();
  int Position = 0;
  while (Position < Entries.Count() &&
         (!Entries.IsEditable(Position) || Entries.States(Position).Contains(zrtsUntranslated)))
    ++Position;
  double Total = 0, Slowest = 0;
  int OverOneMs = 0;
  for (qsizetype N = 1; N <= Text.size(); ++N) {
    const double Start = CpuMs();
    Doc.SetValues({Position}, Text.left(N), QStringLiteral("Typing"), 1);
    const double Ms = CpuMs() - Start;
    Total += Ms;
    Slowest = std::max(Slowest, Ms);
    OverOneMs += Ms > 1 ? 1 : 0;
  }
  std::printf("typing %lld chars: per keystroke mean %.3f ms, slowest %.3f ms, %d over 1 ms "
              "(cpu)\n",
              static_cast<long long>(Text.size()), Total / double(Text.size()), Slowest, OverOneMs);
  std::printf("  problems of the typed entry: %s\n", qUtf8Printable(Store.Describe(Position)));
}

// Checks the whole document as the editor does on open, on the store's
// worker, the event loop taking the results; prints the time to the last
// result and what the interface thread spent on it, in total and at most in
// one turn of the event loop.
void CheckInBackground(TTranslationDocument &Doc, TSpellChecker *Speller, const char *Name) {
  TDocumentProblems Store;
  Store.Attach(&Doc, TTranslationCheckSet::All(), Speller);
  QElapsedTimer Clock;
  Clock.start();
  const double Cpu0 = ThreadCpuMs();
  double Longest = 0;
  Store.Start();
  while (!Store.IsComplete()) {
    // Waiting costs no CPU time: what a turn costs is its work.
    const double Before = ThreadCpuMs();
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    Longest = std::max(Longest, ThreadCpuMs() - Before);
  }
  std::printf("%-28s %10.2f ms   (interface thread cpu %.2f ms, longest turn %.2f ms)\n", Name,
              double(Clock.nsecsElapsed()) / 1e6, ThreadCpuMs() - Cpu0, Longest);
}

} // namespace

int main(int argc, char *argv[]) {
  QCoreApplication App(argc, argv);
  QStringList Args = App.arguments().mid(1);
  const QString RunsText = TakeOption(Args, QStringLiteral("--runs"));
  const int Runs = RunsText.isEmpty() ? 5 : RunsText.toInt();
  if (Args.size() != 2 || Runs < 1) {
    std::fprintf(stderr, "usage: lingrove-checkbench SOURCE.zrlang TRANSLATION.lng [--runs N]\n");
    return 2;
  }
  try {
    // The messages' texts are read from the resource on first use, not in a
    // timed pass.
    LangConstant(u"SCheckEmpty");
    TTranslationDocument Doc;
    Measure("open", [&] { Doc.Load(Args[0], QString(), Args[1]); });
    Measure("entry table", [&] { Doc.Entries(); });
    std::vector<TEntryProblem> Problems;
    for (int I = 0; I < Runs; ++I)
      Measure("check all entries",
              [&] { Problems = CheckDocumentEntries(Doc, TTranslationCheckSet::All()); });
    // The editor's store: the whole document at once, then the slice one
    // timer tick of it starts with.
    TDocumentProblems Store;
    Measure("problem store, all entries", [&] {
      Store.Attach(&Doc);
      Store.Finish();
    });
    Store.Attach(&Doc);
    Measure("problem store, slice of 2048 entries", [&] { Store.CheckSlice(2048); });
    CheckInBackground(Doc, nullptr, "problem store, background");
    std::printf("entries with errors or warnings %d\n", Store.ProblemCount());

    const quint16 LangID = Doc.Languages().LangIDTranslation;
    TSpellingSession Spelling;
    bool bSpelling = false;
    Measure("open spelling dictionary", [&] { bSpelling = Spelling.Open(LangID); });
    if (bSpelling) {
      std::vector<TEntryProblem> Spelled;
      Measure("all entries, cold spelling",
              [&] { Spelled = CheckDocumentEntries(Doc, TTranslationCheckSet::All(), &Spelling); });
      Measure("all entries, warm spelling",
              [&] { Spelled = CheckDocumentEntries(Doc, TTranslationCheckSet::All(), &Spelling); });
      {
        TSpellingSession Cold;
        Cold.Open(LangID);
        CheckInBackground(Doc, &Cold, "background, cold spelling");
      }
      const auto Misspelled = std::count_if(Spelled.begin(), Spelled.end(), [](const auto &P) {
        return P.Problem.Check == tcSpelling;
      });
      std::printf("spelling %s: %lld entries with misspelled words\n",
                  qUtf8Printable(Spelling.Tag()), static_cast<long long>(Misspelled));
      // A session of its own: the typed words are new to its cache.
      TSpellingSession Typing;
      Typing.Open(LangID);
      TDocumentProblems Editor;
      Editor.Attach(&Doc, TTranslationCheckSet::All(), &Typing);
      Editor.Finish();
      TypeIntoOneEntry(Doc, Editor, TypedText(Doc, 200));
    } else {
      std::printf("no spelling dictionary for %s\n", qUtf8Printable(LanguageNameOfLCID(LangID)));
    }
    int Counts[TranslationCheckCount] = {};
    for (const TEntryProblem &P : Problems)
      ++Counts[P.Problem.Check];
    std::printf("entries %d, problems %zu:", Doc.Entries().Count(), Problems.size());
    for (const TTranslationCheckInfo &Info : TranslationCheckInfos())
      std::printf(" %s %d", qUtf8Printable(QString::fromUtf16(Info.Id)), Counts[Info.Check]);
    std::printf("\n");
  } catch (const Exception &E) {
    std::fprintf(stderr, "lingrove-checkbench: %s\n", E.what());
    return 1;
  }
  return 0;
}
