#include "CompEntries.h"

#include "Escaping.h"
#include "Exceptions.h"
#include "LangDataIO.h"
#include "PropertyWalker.h"
#include "StreamIO.h"
#include "TextOrder.h"
#include "TextUtils.h"

#include <QIODevice>
#include <QObject>
#include <QStringList>

namespace {

// Deeper trees than this do not come from real forms; refusing them keeps a
// damaged stream from exhausting the stack.
constexpr int MaxEntryDepth = 200;

bool IsLanguageController(const QObject *O) {
  return O->inherits("TZrLanguageController");
}

void CollectOwned(const QObject *Parent, QObjectList &Out) {
  for (QObject *Child : Parent->children()) {
    if (IsLanguageController(Child))
      continue;
    const QString &Name = Child->objectName();
    if (!Name.isEmpty() && !Name.startsWith(u"qt_"))
      Out.append(Child);
    else
      CollectOwned(Child, Out);
  }
}

} // namespace

QObjectList ZrLang_OwnedComponents(const QObject *Component) {
  QObjectList Result;
  CollectOwned(Component, Result);
  return Result;
}

TZrLang_CompEntries::~TZrLang_CompEntries() = default;

int TZrLang_CompEntries::Add(std::unique_ptr<TZrLang_CompEntry> Item) {
  FItems.push_back(std::move(Item));
  return Count() - 1;
}

void TZrLang_CompEntries::Delete(int Index) {
  FItems.erase(FItems.begin() + Index);
}

int TZrLang_CompEntries::IndexOfComponent(const QObject *CompReference) const {
  for (int I = 0; I < Count(); ++I)
    if (FItems[size_t(I)]->Component() == CompReference)
      return I;
  return -1;
}

TZrLang_CompEntry *TZrLang_CompEntries::FindComponent(const QObject *CompReference) const {
  const int I = IndexOfComponent(CompReference);
  return I < 0 ? nullptr : FItems[size_t(I)].get();
}

int TZrLang_CompEntries::IndexOfCompName(QStringView wsCompName) const {
  for (int I = 0; I < Count(); ++I)
    if (ZrLang_SameText(FItems[size_t(I)]->Name(), wsCompName))
      return I;
  return -1;
}

void TZrLang_CompEntries::LoadFromDFMResource(QIODevice &Stream, int Depth) {
  Clear();
  const qint32 N = ZrLang_ReadInt32(Stream);
  for (qint32 I = 0; I < N; ++I) {
    auto Child = std::make_unique<TZrLang_CompEntry>(FOwner);
    TZrLang_CompEntry *Raw = Child.get();
    Add(std::move(Child));
    Raw->LoadFromDFMResource(Stream, Depth + 1);
  }
}

void TZrLang_CompEntries::SaveToDFMResource(QIODevice &Stream) const {
  ZrLang_WriteInt32(Stream, Count());
  for (const auto &E : FItems)
    E->SaveToDFMResource(Stream);
}

TZrLang_CompEntry::TZrLang_CompEntry(TZrLang_CompEntry *AOwner) : FOwner(AOwner) {}

TZrLang_CompEntry::~TZrLang_CompEntry() = default;

QString TZrLang_CompEntry::Name() const {
  return FComponent ? FComponent->objectName() : FName;
}

QString TZrLang_CompEntry::GetComponentNamePath(bool bIncludeRoot) const {
  if (!FOwner)
    return bIncludeRoot ? Name() : QString();
  QString Path = FOwner->GetComponentNamePath(bIncludeRoot);
  if (!Path.isEmpty())
    Path.append(u'.');
  Path.append(Name());
  return Path;
}

void TZrLang_CompEntry::BindComponents(QObject *Component) {
  FComponent = Component;
  if (!Component)
    return;
  FName.clear();
  if (!FOwnedCompEntries)
    return;
  const QObjectList Owned = ZrLang_OwnedComponents(Component);
  for (int I = FOwnedCompEntries->Count() - 1; I >= 0; --I) {
    TZrLang_CompEntry *Child = FOwnedCompEntries->Items(I);
    if (Child->FName.isEmpty())
      continue;
    QObject *Match = nullptr;
    for (QObject *O : Owned)
      if (ZrLang_SameText(O->objectName(), Child->FName)) {
        Match = O;
        break;
      }
    if (Match)
      Child->BindComponents(Match);
    else
      FOwnedCompEntries->Delete(I);
  }
  if (FOwnedCompEntries->Count() == 0)
    FOwnedCompEntries.reset();
}

void TZrLang_CompEntry::UpdateEntries(bool bModifyList, bool bIgnoreEmptyProps,
                                      bool bIgnoreNonAlphaProps, bool bIgnoreFontProps,
                                      const TZrLang_MaskList &IgnoreMasks,
                                      const TZrLang_MaskList &StoreMasks) {
  if (bModifyList)
    ResetValidation();
  TZrLang_UpdateOptions Options{
      bModifyList,  bIgnoreEmptyProps, bIgnoreNonAlphaProps,   bIgnoreFontProps,
      &IgnoreMasks, &StoreMasks,       GetMaxPropEntryID() + 1};
  TZrLang_PropertyWalker::Update(*this, Options);
}

void TZrLang_CompEntry::ApplyTranslation(const TZrLang_CompTranslation *Translation,
                                         unsigned cCodePage) {
  if (FPropEntries && FComponent)
    TZrLang_PropertyWalker::Apply(*this, Translation);
  if (FOwnedCompEntries)
    for (int I = 0; I < FOwnedCompEntries->Count(); ++I)
      FOwnedCompEntries->Items(I)->ApplyTranslation(Translation, cCodePage);
}

void TZrLang_CompEntry::RemoveComponent(const QObject *AComponent, bool bRecursive) {
  if (!FOwnedCompEntries)
    return;
  const int I = FOwnedCompEntries->IndexOfComponent(AComponent);
  if (I >= 0) {
    FOwnedCompEntries->Delete(I);
    if (FOwnedCompEntries->Count() == 0) {
      FOwnedCompEntries.reset();
      return;
    }
  }
  if (bRecursive)
    for (int J = 0; J < FOwnedCompEntries->Count(); ++J)
      FOwnedCompEntries->Items(J)->RemoveComponent(AComponent, true);
}

qint32 TZrLang_CompEntry::GetMaxPropEntryID() const {
  qint32 Max = FPropEntries ? FPropEntries->MaxID() : 0;
  if (FOwnedCompEntries)
    for (int I = 0; I < FOwnedCompEntries->Count(); ++I)
      Max = std::max(Max, FOwnedCompEntries->Items(I)->GetMaxPropEntryID());
  return Max;
}

void TZrLang_CompEntry::ResetValidation() {
  if (FPropEntries)
    FPropEntries->Invalidate();
  if (FOwnedCompEntries)
    for (int I = 0; I < FOwnedCompEntries->Count(); ++I)
      FOwnedCompEntries->Items(I)->ResetValidation();
}

void TZrLang_CompEntry::LoadFromDFMResource(QIODevice &Stream, int Depth) {
  if (Depth > MaxEntryDepth)
    throw EZrLangError(
        QStringLiteral("Language data nests components deeper than %1 levels").arg(MaxEntryDepth));
  FComponent = nullptr;
  FName = LangData_ReadStr(Stream);
  if (ZrLang_ReadByte(Stream) != 0) {
    if (!FPropEntries)
      FPropEntries = std::make_unique<TZrLang_PropEntries>();
    FPropEntries->LoadFromDFMResource(Stream);
  }
  if (ZrLang_ReadByte(Stream) != 0) {
    if (!FOwnedCompEntries)
      FOwnedCompEntries = std::make_unique<TZrLang_CompEntries>(this);
    FOwnedCompEntries->LoadFromDFMResource(Stream, Depth);
  }
}

void TZrLang_CompEntry::SaveToDFMResource(QIODevice &Stream) const {
  LangData_WriteStr(Stream, Name());
  ZrLang_WriteByte(Stream, FPropEntries ? 1 : 0);
  if (FPropEntries)
    FPropEntries->SaveToDFMResource(Stream);
  ZrLang_WriteByte(Stream, FOwnedCompEntries ? 1 : 0);
  if (FOwnedCompEntries)
    FOwnedCompEntries->SaveToDFMResource(Stream);
}

void TZrLang_CompEntry::WriteSourceLines(QStringList &Strings) const {
  if (FPropEntries) {
    QString CompPath = GetComponentNamePath(false);
    if (!CompPath.isEmpty())
      CompPath.append(u'.');
    for (int I = 0; I < FPropEntries->Count(); ++I) {
      const PZrLang_PropEntry P = FPropEntries->Items(I);
      Strings.append(CompPath + P->wsPropName + u'=' + ZrLang_IDText(P->iID) + u',' +
                     EncodeControlChars(P->wsDefLangValue));
    }
  }
  if (FOwnedCompEntries)
    for (int I = 0; I < FOwnedCompEntries->Count(); ++I)
      FOwnedCompEntries->Items(I)->WriteSourceLines(Strings);
}
