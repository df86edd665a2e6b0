#include "LangResources.h"

#include "Exceptions.h"

int TZrLang_LangResources::Add(TZrLang_LangResourceKind Kind, const QString &wsName, int iResID,
                               quint16 wLangID) {
  int Index = IndexOfLangID(wLangID);
  if (Index < 0) {
    FItems.push_back(std::make_unique<TZrLang_LangResource>());
    FItems.back()->wLangID = wLangID;
    Index = Count() - 1;
  }
  TZrLang_LangResource &R = *FItems[size_t(Index)];
  R.Kind = Kind;
  R.wsName = wsName;
  R.iResID = iResID;
  return Index;
}

void TZrLang_LangResources::Delete(int Index) {
  CheckIndex(Index);
  FItems.erase(FItems.begin() + Index);
}

int TZrLang_LangResources::IndexOfLangID(quint16 wLangID) const {
  for (int I = 0; I < Count(); ++I)
    if (FItems[size_t(I)]->wLangID == wLangID)
      return I;
  return -1;
}

PZrLang_LangResource TZrLang_LangResources::FindLangID(quint16 wLangID) const {
  const int I = IndexOfLangID(wLangID);
  return I < 0 ? nullptr : FItems[size_t(I)].get();
}

PZrLang_LangResource TZrLang_LangResources::Items(int Index) const {
  CheckIndex(Index);
  return FItems[size_t(Index)].get();
}

void TZrLang_LangResources::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError(Index);
}
