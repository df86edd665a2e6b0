// lingrove-bench: times reading a language source and a translation,
// writing the translation in both encodings and reconciling a freshly read
// translation with the source, then prints one JSON line.
//
//   lingrove-bench SOURCE.zrlang TRANSLATION.lng [--runs N]
//
// Each figure is the best of N runs (default 5; with --runs 1 it is a single
// run, cold only as far as the file cache allows), in wall-clock ms; the
// "...CpuMs" keys give the process's CPU time of the same steps. Every run builds the whole
// document anew and keeps it, as the editor does, while it writes the
// translation into memory, so the peak resident size is that of one open
// document plus one written file. The comparison ("compareMs") then runs on
// a translation read anew, which replaces the written one, as the editor
// reconciles every translation it opens; its counters are printed as well.
#include "BenchSupport.h"
#include "CodePages.h"
#include "Exceptions.h"
#include "LangSource.h"
#include "LanguageManager.h"
#include "Translations.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <limits>
#include <memory>

namespace {

// Wall-clock time (QElapsedTimer) and the process's CPU time of one step in
// ms. On a machine shared with other work the CPU time is the steadier figure.
struct TTime {
  double Wall = std::numeric_limits<double>::max();
  double Cpu = std::numeric_limits<double>::max();
  void KeepBest(const TTime &Other) {
    Wall = std::min(Wall, Other.Wall);
    Cpu = std::min(Cpu, Other.Cpu);
  }
};

void Measure(TTime &Best, const std::function<void()> &Step) {
  QElapsedTimer Timer;
  const double Cpu0 = CpuMs();
  Timer.start();
  Step();
  TTime T;
  T.Wall = double(Timer.nsecsElapsed()) / 1e6;
  T.Cpu = CpuMs() - Cpu0;
  Best.KeepBest(T);
}

struct TFigures {
  TTime ReadSource, ReadTranslation, WriteUnicode, WriteAnsi, Compare;
  // Added comps, props, consts; removed comps, props, consts; the source's
  // comps, props, consts: the comparison's nine counters.
  int Counts[9] = {};
  qint64 LogChars = 0;
  qint64 SourceEntries = 0;
  qint64 TranslationEntries = 0;
  qint64 UnicodeBytes = 0;
  qint64 AnsiBytes = 0;
};

qint64 CountEntries(const TLangSource &Source) {
  qint64 N = Source.Constants().Count();
  for (int I = 0; I < Source.ComponentSources().Count(); ++I)
    N += Source.ComponentSources().Items(I)->PropertySources().Count();
  return N;
}

qint64 CountEntries(const TZrLang_CompTranslations &Translation) {
  qint64 N = Translation.Constants().Count();
  for (int I = 0; I < Translation.Count(); ++I)
    N += Translation.Items(I)->Count();
  return N;
}

// Writes into memory, so that the figure is the writer's own work and not
// the disk's.
qint64 Save(TZrLang_CompTranslations &Translation, bool bUnicode, TTime &Best) {
  QByteArray Bytes;
  QBuffer Buffer(&Bytes);
  Buffer.open(QIODevice::WriteOnly);
  Measure(Best, [&] { Translation.Text_SaveToStream(Buffer, bUnicode, true); });
  return Bytes.size();
}

void Run(const QString &SourceFile, const QString &TranslationFile, TFigures &F) {
  std::unique_ptr<TLangSource> Source;
  Measure(F.ReadSource, [&] { Source = std::make_unique<TLangSource>(SourceFile); });
  auto Translation = std::make_unique<TZrLang_CompTranslations>();
  Measure(F.ReadTranslation, [&] { Translation->Text_LoadFromFile(TranslationFile, false); });
  F.UnicodeBytes = Save(*Translation, true, F.WriteUnicode);
  F.AnsiBytes = Save(*Translation, false, F.WriteAnsi);
  F.SourceEntries = CountEntries(*Source);
  F.TranslationEntries = CountEntries(*Translation);

  // The written translation has been through the writers; the comparison
  // gets one as read from the file (the old one is freed first).
  Translation = std::make_unique<TZrLang_CompTranslations>();
  Translation->Text_LoadFromFile(TranslationFile, false);
  QString Log;
  int *C = F.Counts;
  Measure(F.Compare, [&] {
    Log = Source->CompareStructureWith(*Translation, C[0], C[1], C[2], C[3], C[4], C[5], C[6], C[7],
                                       C[8]);
  });
  F.LogChars = Log.size();
}

} // namespace

int main(int argc, char *argv[]) {
  QCoreApplication App(argc, argv);
  QStringList Args = App.arguments().mid(1);
  int Runs = 5;
  if (const qsizetype I = Args.indexOf(QStringLiteral("--runs")); I >= 0 && I + 1 < Args.size()) {
    Runs = Args[I + 1].toInt();
    Args.remove(I, 2);
  }
  if (Args.size() != 2 || Runs < 1) {
    std::fprintf(stderr, "usage: lingrove-bench SOURCE.zrlang TRANSLATION.lng [--runs N]\n");
    return 2;
  }

  TFigures F;
  // The first run's peak is that of one open document. Later runs can raise
  // the process's figure without using more memory at once, since the C
  // library keeps freed blocks and reuses them in a different layout; that
  // figure is printed too.
  double FirstRunPeakMb = -1;
  TKernelUsage FirstRunKernel;
  try {
    // The log's texts come from the program's constants, which the language
    // manager reads from the resource when it is first used: that happens
    // here, not inside the first timed comparison.
    LangConstant(u"SMessageMissingEntries");
    const TKernelUsage Kernel0 = KernelUsage();
    for (int I = 0; I < Runs; ++I) {
      Run(Args[0], Args[1], F);
      if (I == 0) {
        FirstRunPeakMb = StatusMb("VmHWM:");
        const TKernelUsage Kernel = KernelUsage();
        FirstRunKernel = {Kernel.Faults - Kernel0.Faults, Kernel.SystemMs - Kernel0.SystemMs};
      }
    }
  } catch (const Exception &E) {
    std::fprintf(stderr, "lingrove-bench: %s\n", E.what());
    return 1;
  }

  const QString Timing =
      Runs == 1 ? QStringLiteral("single run") : QStringLiteral("best of %1 runs").arg(Runs);
  std::printf("{\"entries\":%lld,\"translationEntries\":%lld,\"readSourceMs\":%.1f,"
              "\"readTranslationMs\":%.1f,\"writeUnicodeMs\":%.1f,\"writeAnsiMs\":%.1f,"
              "\"peakRssMb\":%.1f,\"peakRssAllRunsMb\":%.1f,\"timing\":\"%s\","
              "\"readSourceCpuMs\":%.1f,\"readTranslationCpuMs\":%.1f,\"writeUnicodeCpuMs\":%.1f,"
              "\"writeAnsiCpuMs\":%.1f,\"unicodeBytes\":%lld,\"ansiBytes\":%lld,"
              "\"ansiCodePage\":%u,\"compareMs\":%.1f,\"compareCpuMs\":%.1f,"
              "\"addedComps\":%d,\"addedProps\":%d,\"addedConsts\":%d,"
              "\"removedComps\":%d,\"removedProps\":%d,\"removedConsts\":%d,"
              "\"sourceComps\":%d,\"sourceProps\":%d,\"sourceConsts\":%d,"
              "\"compareLogChars\":%lld,\"firstRunPageFaults\":%ld,\"firstRunSystemMs\":%.1f}\n",
              F.SourceEntries, F.TranslationEntries, F.ReadSource.Wall, F.ReadTranslation.Wall,
              F.WriteUnicode.Wall, F.WriteAnsi.Wall, FirstRunPeakMb, StatusMb("VmHWM:"),
              qUtf8Printable(Timing), F.ReadSource.Cpu, F.ReadTranslation.Cpu, F.WriteUnicode.Cpu,
              F.WriteAnsi.Cpu, F.UnicodeBytes, F.AnsiBytes, SystemAnsiCodePage(), F.Compare.Wall,
              F.Compare.Cpu, F.Counts[0], F.Counts[1], F.Counts[2], F.Counts[3], F.Counts[4],
              F.Counts[5], F.Counts[6], F.Counts[7], F.Counts[8], F.LogChars,
              FirstRunKernel.Faults, FirstRunKernel.SystemMs);
  return 0;
}
