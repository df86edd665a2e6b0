#include "PropEntries.h"
#include "BinarySearch.h"

#include "LangDataIO.h"
#include "StreamIO.h"
#include "TextOrder.h"

bool TZrLang_PropEntries::Add(qint32 iID, const QString &wsPropName,
                              const QString &wsDefLangValue) {
  int Index;
  const bool Found = FindPropName(wsPropName, Index);
  if (!Found)
    FItems.insert(FItems.begin() + Index, std::make_unique<TZrLang_PropEntry>(
                                              TZrLang_PropEntry{iID, wsPropName, {}, false}));
  TZrLang_PropEntry &E = *FItems[size_t(Index)];
  E.wsDefLangValue = wsDefLangValue;
  E.bValidated = true;
  return !Found;
}

bool TZrLang_PropEntries::FindPropName(QStringView wsPropName, int &iIndex) const {
  return ZrLang_BinarySearch(
      Count(), [&](int I) { return ZrLang_CompareText(FItems[size_t(I)]->wsPropName, wsPropName); },
      iIndex);
}

int TZrLang_PropEntries::IndexOfPropName(QStringView wsPropName) const {
  int Index;
  return FindPropName(wsPropName, Index) ? Index : -1;
}

PZrLang_PropEntry TZrLang_PropEntries::FindPropByName(QStringView wsPropName) const {
  int Index;
  return FindPropName(wsPropName, Index) ? FItems[size_t(Index)].get() : nullptr;
}

int TZrLang_PropEntries::IndexOfID(qint32 iID) const {
  for (int I = 0; I < Count(); ++I)
    if (FItems[size_t(I)]->iID == iID)
      return I;
  return -1;
}

qint32 TZrLang_PropEntries::MaxID() const {
  qint32 Max = 0;
  for (const auto &E : FItems)
    Max = std::max(Max, E->iID);
  return Max;
}

void TZrLang_PropEntries::Invalidate() {
  for (auto &E : FItems)
    E->bValidated = false;
}

void TZrLang_PropEntries::DeleteInvalid() {
  for (int I = Count() - 1; I >= 0; --I)
    if (!FItems[size_t(I)]->bValidated)
      FItems.erase(FItems.begin() + I);
}

void TZrLang_PropEntries::LoadFromDFMResource(QIODevice &Stream) {
  Clear();
  const qint32 N = ZrLang_ReadInt32(Stream);
  for (qint32 I = 0; I < N; ++I) {
    const qint32 iID = ZrLang_ReadInt32(Stream);
    Add(iID, LangData_ReadStr(Stream), QString());
  }
}

void TZrLang_PropEntries::SaveToDFMResource(QIODevice &Stream) const {
  ZrLang_WriteInt32(Stream, Count());
  for (const auto &E : FItems) {
    ZrLang_WriteInt32(Stream, E->iID);
    LangData_WriteStr(Stream, E->wsPropName);
  }
}
