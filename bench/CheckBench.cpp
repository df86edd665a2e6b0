// lingrove-checkbench: times the quality checks over every translated entry
// of a project opened as the editor opens it, and counts what they find.
//
//   lingrove-checkbench SOURCE.zrlang TRANSLATION.lng [--runs N]
//
// The entry table is built once (timed apart); each check pass is timed N
// times (default 5), every run printed; then the editor's problem store.
#include "BenchSupport.h"
#include "DocumentChecks.h"
#include "DocumentProblems.h"
#include "Exceptions.h"
#include "LanguageManager.h"
#include "TranslationDocument.h"

#include <QCoreApplication>

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
    std::printf("entries with errors or warnings %d\n", Store.ProblemCount());
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
