#include "Constants.h"
#include "BinarySearch.h"

#include "Escaping.h"
#include "Exceptions.h"
#include "TextOrder.h"

TZrLang_Constants::TZrLang_Constants(TZrLang_GetLangIDCallback AGetLangIDCallback)
    : FGetLangIDCallback(std::move(AGetLangIDCallback)) {}

TZrLang_Constants::~TZrLang_Constants() = default;

bool TZrLang_Constants::IsValidName(QStringView wsName) {
  if (wsName.isEmpty())
    return false;
  for (qsizetype I = 0; I < wsName.size(); ++I) {
    const QChar C = wsName[I];
    if (C == u'_' || C.isLetter())
      continue;
    if (I > 0 && C.category() == QChar::Number_DecimalDigit)
      continue;
    return false;
  }
  return true;
}

int TZrLang_Constants::Add(const QString &wsName, const QString &wsValue,
                           TZrLang_TranslationStates TranStates) {
  if (!IsValidName(wsName))
    throw InvalidNameError(wsName);
  int Index;
  if (FindName(wsName, Index))
    throw DuplicateNameError(wsName);
  FItems.insert(FItems.begin() + Index, std::make_unique<TZrLang_Constant>(TZrLang_Constant{
                                            wsName, wsValue, wsValue, TranStates}));
  return Index;
}

void TZrLang_Constants::MergeSorted(std::vector<std::unique_ptr<TZrLang_Constant>> Items) {
  if (const TZrLang_Constant *Dup = ZrLang_MergeRecords(
          FItems, Items, [](const TZrLang_Constant &A, const TZrLang_Constant &B) {
            return ZrLang_CompareText(A.wsName, B.wsName);
          }))
    throw DuplicateNameError(Dup->wsName);
}

EZrLangError TZrLang_Constants::InvalidNameError(const QString &wsName) {
  return EZrLangError(QStringLiteral("Invalid constant name (\"%1\")").arg(ZrLang_QuotedName(wsName)));
}

EZrLangError TZrLang_Constants::DuplicateNameError(const QString &wsName) {
  return EZrLangError(QStringLiteral("Duplicate constant name (\"%1\")").arg(ZrLang_QuotedName(wsName)));
}

void TZrLang_Constants::Delete(int Index) {
  FItems.erase(FItems.begin() + Index);
}

void TZrLang_Constants::Clear() {
  FItems.clear();
}

bool TZrLang_Constants::FindName(QStringView wsName, int &iIndex) const {
  // Names mostly arrive in order; checking the end first keeps loading linear.
  if (!FItems.empty() && ZrLang_CompareText(FItems.back()->wsName, wsName) < 0) {
    iIndex = Count();
    return false;
  }
  return ZrLang_BinarySearch(
      Count(), [&](int I) { return ZrLang_CompareText(FItems[size_t(I)]->wsName, wsName); },
      iIndex);
}

int TZrLang_Constants::IndexOfName(QStringView wsName) const {
  int Index;
  return FindName(wsName, Index) ? Index : -1;
}

PZrLang_Constant TZrLang_Constants::FindConstName(QStringView wsName) const {
  int Index;
  return FindName(wsName, Index) ? FItems[size_t(Index)].get() : nullptr;
}

PZrLang_Constant TZrLang_Constants::ItemsByName(QStringView wsName) const {
  if (PZrLang_Constant C = FindConstName(wsName))
    return C;
  throw EZrLangError(QStringLiteral("Constant \"%1\" not found").arg(ZrLang_QuotedName(wsName)));
}

QString TZrLang_Constants::Values(QStringView wsName) const {
  return ItemsByName(wsName)->wsValue;
}

void TZrLang_Constants::SetValues(QStringView wsName, const QString &Value) {
  ItemsByName(wsName)->wsValue = Value;
}

void TZrLang_Constants::TranslateFrom(const TZrLang_Constants *Constants) {
  for (auto &Item : FItems) {
    if (!Constants)
      Item->wsValue = Item->wsDefValue;
    else if (PZrLang_Constant Other = Constants->FindConstName(Item->wsName))
      Item->wsValue = Other->wsValue;
  }
}

void TZrLang_Constants::WriteSourceLines(QStringList &Strings,
                                         TZrLang_TranslationStates StateFilter) {
  for (const auto &Item : FItems)
    if ((Item->TranStates.AsByte() & StateFilter.AsByte()) == 0)
      Strings.append(Item->wsName + u'=' + EncodeControlChars(Item->wsValue));
}
