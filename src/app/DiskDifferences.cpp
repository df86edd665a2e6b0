#include "DiskDifferences.h"

#include "CoreError.h"
#include "DocumentReader.h"
#include "EntryTable.h"
#include "LangSource.h"
#include "TranslationDocument.h"
#include "Translations.h"

std::vector<TDiskDifference> CompareWithDisk(TTranslationDocument &Doc, QIODevice &Stream,
                                             const QString &Path,
                                             const std::function<bool()> &Continue) {
  const auto Step = [&] {
    if (Continue && !Continue())
      throw EReadCancelled();
  };
  TZrLang_CompTranslations Disk;
  try {
    Disk.Text_LoadFromStream(Stream, false);
  } catch (const std::exception &E) {
    const auto *Own = dynamic_cast<const Exception *>(&E);
    throw ETranslationFileError(Path, Own ? Own->Message() : ExceptionMessage(E));
  }
  Step();
  int Counts[9];
  Doc.Source().CompareStructureWith(Disk, Counts[0], Counts[1], Counts[2], Counts[3], Counts[4],
                                    Counts[5], Counts[6], Counts[7], Counts[8]);
  // Both tables are built over the same source, so their rows match one to
  // one.
  Step();
  TEntryTable DiskTable;
  DiskTable.Build(Doc.Source(), Disk, nullptr);
  const TEntryTable &Open = Doc.Entries();
  std::vector<TDiskDifference> Differences;
  for (int P = 0; P < Open.Count(); ++P) {
    if ((P & 0xFFFF) == 0xFFFF)
      Step();
    if (!Open.IsEntry(P) || (Open.TranslatedValue(P) == DiskTable.TranslatedValue(P) &&
                             Open.States(P) == DiskTable.States(P)))
      continue;
    const int Parent = Open.Node(P).Parent;
    Differences.push_back({P, Open.Kind(P) == nkProperty ? Open.Name(Parent) : QString(),
                           Open.Name(P), DiskTable.TranslatedValue(P), Open.TranslatedValue(P)});
  }
  return Differences;
}
