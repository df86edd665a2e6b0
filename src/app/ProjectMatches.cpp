#include "ProjectMatches.h"

#include "BackgroundDisposal.h"
#include "DocumentMemory.h"
#include "TranslationDocument.h"

#include <algorithm>
#include <utility>

void TProjectMatches::Reset() {
  // The index of a large document holds an entry per source text.
  if (!FBySource.isEmpty())
    BackgroundDisposal::Dispose(std::exchange(FBySource, {}));
  FIndexed = false;
}

std::vector<TMemoryMatch> TProjectMatches::Find(TTranslationDocument &Doc, int Position,
                                                int MaxCount) {
  const TEntryTable &Table = Doc.Entries();
  if (!FIndexed) {
    for (int P = 0; P < Table.Count(); ++P)
      if (Table.IsEditable(P) && !Table.SourceValue(P).isEmpty())
        FBySource[Table.SourceValue(P)].push_back(P);
    FIndexed = true;
  }
  std::vector<TMemoryMatch> Matches;
  const auto It = FBySource.constFind(Table.SourceValue(Position));
  if (It == FBySource.constEnd())
    return Matches;
  const QString SourceLang = MemorySourceLang(Doc.Languages());
  const QString TargetLang = MemoryTargetLang(Doc.Languages());
  const QString Origin = MemoryOrigin(Doc.TranslationFilename());
  for (const int P : *It) {
    if (int(Matches.size()) >= MaxCount)
      break;
    const TZrLang_TranslationStates States = Table.States(P);
    const QString &Target = Table.TranslatedValue(P);
    if (P == Position || States.Contains(zrtsUntranslated) ||
        States.Contains(zrtsAutotranslated) || Target.isEmpty() ||
        std::any_of(Matches.begin(), Matches.end(),
                    [&](const TMemoryMatch &M) { return M.Unit.Target == Target; }))
      continue;
    Matches.push_back(TMemoryMatch{
        TMemoryUnit{SourceLang, TargetLang, Table.SourceValue(P), Target, Origin, Doc.EntryKey(P), 0},
        1.0, true});
  }
  return Matches;
}
