#include "LanguageController.h"

#include "CompEntries.h"
#include "LanguageManager.h"
#include "MaskList.h"
#include "TextOrder.h"

#include <QFile>

namespace {

QStringList SortedUnique(const QStringList &Lines) {
  QStringList Result = Lines;
  std::sort(Result.begin(), Result.end(), [](const QString &A, const QString &B) {
    return A.compare(B, Qt::CaseInsensitive) < 0;
  });
  Result.erase(std::unique(Result.begin(), Result.end(),
                           [](const QString &A, const QString &B) {
                             return A.compare(B, Qt::CaseInsensitive) == 0;
                           }),
               Result.end());
  return Result;
}

} // namespace

TZrLanguageController::TZrLanguageController(QObject *AOwner, bool bLoading)
    : QObject(AOwner), FRootCompEntry(std::make_unique<TZrLang_CompEntry>(nullptr)) {
  if (!bLoading && AOwner) {
    FRootCompEntry->BindComponents(AOwner);
    WatchBoundComponents();
  }
  LangManager().AddLangController(this);
}

TZrLanguageController *TZrLanguageController::CreateLoaded(QObject *AOwner, const QString &Name,
                                                           const QString &SectionName,
                                                           const QStringList &IgnoreList,
                                                           const QStringList &StoreList) {
  auto *Controller = new TZrLanguageController(AOwner, true);
  Controller->setObjectName(Name);
  Controller->SetSectionName(SectionName);
  Controller->SetIgnoreList(IgnoreList);
  Controller->SetStoreList(StoreList);
  Controller->ReadLangDataResource();
  Controller->Loaded();
  return Controller;
}

TZrLanguageController::~TZrLanguageController() {
  LangManager().RemoveLangController(this);
}

void TZrLanguageController::SetIgnoreList(const QStringList &Value) {
  FIgnoreList = SortedUnique(Value);
}

void TZrLanguageController::SetStoreList(const QStringList &Value) {
  FStoreList = SortedUnique(Value);
}

QString TZrLanguageController::ActualSectionName() const {
  if (!FSectionName.isEmpty() || !parent())
    return FSectionName;
  return parent()->objectName();
}

void TZrLanguageController::Loaded() {
  if (!parent())
    return;
  FRootCompEntry->BindComponents(parent());
  UpdateComponents(false);
  WatchBoundComponents();
  LangManager().TranslateNewController(this);
}

void TZrLanguageController::UpdateComponents(bool bModifyList) {
  const TZrLang_MaskList IgnoreMasks(FIgnoreList);
  const TZrLang_MaskList StoreMasks(FStoreList);
  FRootCompEntry->UpdateEntries(bModifyList, FOptions & zrlcoIgnoreEmptyProps,
                                FOptions & zrlcoIgnoreNonAlphaProps,
                                FOptions & zrlcoIgnoreFontProps, IgnoreMasks, StoreMasks);
  if (bModifyList)
    WatchBoundComponents();
}

void TZrLanguageController::ReadLangData(QIODevice &Stream) {
  FRootCompEntry->LoadFromDFMResource(Stream);
}

bool TZrLanguageController::WriteLangData(QIODevice &Stream) {
  const QObject *Root = FRootCompEntry->Component();
  if (!Root || Root->objectName().isEmpty())
    return false;
  UpdateComponents(true);
  FRootCompEntry->SaveToDFMResource(Stream);
  return true;
}

bool TZrLanguageController::ReadLangDataResource() {
  QFile Resource(QStringLiteral(":/LangData/") + ActualSectionName());
  if (!Resource.open(QIODevice::ReadOnly))
    return false;
  ReadLangData(Resource);
  return true;
}

bool TZrLanguageController::UpdateSourceEntries() {
  if (!parent() || parent()->objectName().isEmpty())
    return false;
  UpdateComponents(true);
  return true;
}

void TZrLanguageController::WriteSourceLines(QStringList &Strings, TZrLang_TranslationStates) {
  FRootCompEntry->WriteSourceLines(Strings);
}

void TZrLanguageController::ComponentDestroyed(QObject *AComponent) {
  if (AComponent != this)
    FRootCompEntry->RemoveComponent(AComponent, true);
}

void TZrLanguageController::WatchBoundComponents() {
  // The owner is not watched: the controller goes with it.
  FRootCompEntry->ForEachBoundComponent([this](QObject *C) {
    if (C != parent())
      connect(C, &QObject::destroyed, this, &TZrLanguageController::ComponentDestroyed,
              Qt::UniqueConnection);
  });
}
