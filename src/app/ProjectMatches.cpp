#include "ProjectMatches.h"

#include "DocumentMemory.h"
#include "TranslationDocument.h"

#include <algorithm>
#include <bit>
#include <utility>

void TProjectMatches::Reset() {
  FHeads = {};
  FNext = {};
}

namespace {

size_t Bucket(const QString &Text, size_t Mask) {
  return qHash(QStringView(Text)) & Mask;
}

} // namespace

std::vector<TMemoryMatch> TProjectMatches::Find(TTranslationDocument &Doc, int Position,
                                                int MaxCount) {
  const TEntryTable &Table = Doc.Entries();
  if (FHeads.empty()) {
    const size_t Count = size_t(Table.Count());
    FHeads.assign(std::bit_ceil(std::max<size_t>(Count, 1)), -1);
    FNext.assign(Count, -1);
    for (int P = 0; P < Table.Count(); ++P)
      if (Table.IsEditable(P) && !Table.SourceValue(P).isEmpty()) {
        int &Head = FHeads[Bucket(Table.SourceValue(P), FHeads.size() - 1)];
        FNext[size_t(P)] = Head;
        Head = P;
      }
  }
  // The chain runs from the last entry to the first.
  const QString &Source = Table.SourceValue(Position);
  std::vector<int> Same;
  if (!Source.isEmpty())
    for (int P = FHeads[Bucket(Source, FHeads.size() - 1)]; P >= 0; P = FNext[size_t(P)])
      if (Table.SourceValue(P) == Source)
        Same.push_back(P);
  std::reverse(Same.begin(), Same.end());
  std::vector<TMemoryMatch> Matches;
  const QString SourceLang = MemorySourceLang(Doc.Languages());
  const QString TargetLang = MemoryTargetLang(Doc.Languages());
  const QString Origin = MemoryOrigin(Doc.TranslationFilename());
  for (const int P : Same) {
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
