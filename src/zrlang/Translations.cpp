#include "Translations.h"
#include "BinarySearch.h"

#include "Exceptions.h"
#include "TextOrder.h"
#include "TextUtils.h"

TZrLang_CompTranslation::TZrLang_CompTranslation(const QString &wsComponentName)
    : FComponentName(wsComponentName) {}

int TZrLang_CompTranslation::Add(qint32 iID, const QString &wsValue,
                                 TZrLang_TranslationStates TranStates) {
  int Index;
  if (FindID(iID, Index))
    throw DuplicateIDError(iID);
  FItems.insert(FItems.begin() + Index,
                std::make_unique<TZrLang_PropValueTranslation>(
                    TZrLang_PropValueTranslation{iID, TranStates, wsValue}));
  return Index;
}

void TZrLang_CompTranslation::MergeSorted(
    std::vector<std::unique_ptr<TZrLang_PropValueTranslation>> Items) {
  if (const TZrLang_PropValueTranslation *Dup = ZrLang_MergeRecords(
          FItems, Items, [](const TZrLang_PropValueTranslation &A,
                            const TZrLang_PropValueTranslation &B) {
            return (A.iID > B.iID) - (A.iID < B.iID);
          }))
    throw DuplicateIDError(Dup->iID);
}

EZrLangError TZrLang_CompTranslation::DuplicateIDError(qint32 iID) {
  return EZrLangError(QStringLiteral("Duplicate property value translation ID (%1)").arg(iID));
}

void TZrLang_CompTranslation::Delete(int Index) {
  FItems.erase(FItems.begin() + Index);
}

bool TZrLang_CompTranslation::FindID(qint32 iID, int &iIndex) const {
  // IDs mostly arrive in ascending order; checking the end first keeps
  // loading linear.
  if (!FItems.empty() && FItems.back()->iID < iID) {
    iIndex = Count();
    return false;
  }
  return ZrLang_BinarySearch(
      Count(),
      [&](int I) { return (FItems[size_t(I)]->iID > iID) - (FItems[size_t(I)]->iID < iID); },
      iIndex);
}

int TZrLang_CompTranslation::IndexOfID(qint32 iID) const {
  int Index;
  return FindID(iID, Index) ? Index : -1;
}

PZrLang_PropValueTranslation TZrLang_CompTranslation::FindPropByID(qint32 iID) const {
  int Index;
  return FindID(iID, Index) ? FItems[size_t(Index)].get() : nullptr;
}

TZrLang_CompTranslations::TZrLang_CompTranslations()
    : FConstants(std::make_unique<TZrLang_Constants>([this] { return LangID(); })) {}

TZrLang_CompTranslations::~TZrLang_CompTranslations() {
  FParams.Clear();
  FConstants.reset();
  FItems.clear();
}

void TZrLang_CompTranslations::Clear() {
  FItems.clear();
  FParams.Clear();
  FConstants->Clear();
}

int TZrLang_CompTranslations::Add(std::unique_ptr<TZrLang_CompTranslation> Item) {
  FItems.push_back(std::move(Item));
  return Count() - 1;
}

void TZrLang_CompTranslations::Delete(int Index) {
  FItems.erase(FItems.begin() + Index);
}

int TZrLang_CompTranslations::IndexOfComponentName(QStringView wsComponentName) const {
  for (int I = 0; I < Count(); ++I)
    if (ZrLang_SameText(FItems[size_t(I)]->ComponentName(), wsComponentName))
      return I;
  return -1;
}

TZrLang_CompTranslation *
TZrLang_CompTranslations::FindComponentName(QStringView wsComponentName) const {
  const int I = IndexOfComponentName(wsComponentName);
  return I < 0 ? nullptr : FItems[size_t(I)].get();
}

quint16 TZrLang_CompTranslations::LangID() const {
  int Value;
  if (ZrLang_TryStrToInt(FParams.Values(u"LANGID"), Value) && Value >= 0 && Value <= 0xFFFF)
    return quint16(Value);
  return 1033;
}
