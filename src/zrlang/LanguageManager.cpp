#include "LanguageManager.h"

#include "CodePages.h"
#include "CompEntries.h"
#include "Exceptions.h"
#include "Format.h"
#include "LanguageController.h"
#include "TextUtils.h"
#include "Translations.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMutex>
#include <algorithm>

namespace {

QString DefaultLanguageName(quint16 LangID) {
  const QString Iso = IsoCodeOfLangID(LangID);
  if (!Iso.isEmpty()) {
    const QLocale::Language L = QLocale(Iso).language();
    if (L != QLocale::C && L != QLocale::AnyLanguage)
      return QLocale::languageToString(L);
  }
  return QString::number(LangID);
}

QMutex NameFuncMutex;
TZrLanguageManager::TLanguageNameFunc &NameFunc() {
  static TZrLanguageManager::TLanguageNameFunc Func = DefaultLanguageName;
  return Func;
}

} // namespace

TZrLanguageManager::TZrLanguageManager()
    : FConstants(std::make_unique<TZrLang_Constants>([this] { return LanguageID(); })) {
  UpdateCodePage();
  FConstants->LoadFromResource(QStringLiteral("ZRLANG_CONSTS"));
  TranslateAll(nullptr);
}

TZrLanguageManager::~TZrLanguageManager() = default;

void TZrLanguageManager::SetLanguageNameFunc(TLanguageNameFunc Func) {
  QMutexLocker Lock(&NameFuncMutex);
  NameFunc() = Func ? std::move(Func) : TLanguageNameFunc(DefaultLanguageName);
}

void TZrLanguageManager::AddLangController(TZrLanguageController *Controller) {
  TWriteSection W(FSynchronizer);
  FLangControllers.push_back(Controller);
}

void TZrLanguageManager::RemoveLangController(TZrLanguageController *Controller) {
  TWriteSection W(FSynchronizer);
  std::erase(FLangControllers, Controller);
}

bool TZrLanguageManager::RegisterLangFile(const QString &wsFileName) {
  TWriteSection W(FSynchronizer);
  if (!QFileInfo(wsFileName).isFile())
    return false;
  TZrLang_CompTranslations Header;
  Header.Text_LoadFromFile(wsFileName, true);
  const quint16 LangID = quint16(ZrLang_StrToIntDef(Header.Params().Values(u"LANGID"), 0));
  if (LangID == 0)
    return false;
  if (LangID != FDefaultLanguageID)
    FLangResources.Add(zrlrkFile, wsFileName, 0, LangID);
  return true;
}

void TZrLanguageManager::RegisterLangResource(const QString &wsResourceName, quint16 wLangID) {
  TWriteSection W(FSynchronizer);
  if (wLangID != FDefaultLanguageID)
    FLangResources.Add(zrlrkResName, wsResourceName, 0, wLangID);
}

void TZrLanguageManager::RegisterLangResource(int iResID, quint16 wLangID) {
  TWriteSection W(FSynchronizer);
  if (wLangID != FDefaultLanguageID)
    FLangResources.Add(zrlrkResID, QString(), iResID, wLangID);
}

void TZrLanguageManager::UnregisterLangResource(quint16 wLangID) {
  TWriteSection W(FSynchronizer);
  if (wLangID == FDefaultLanguageID)
    return;
  const int I = FLangResources.IndexOfLangID(wLangID);
  if (I >= 0)
    FLangResources.Delete(I);
}

int TZrLanguageManager::ScanForLangFiles(const QString &wsDir, const QString &wsMask,
                                         bool bRecursive) {
  QString Path = wsDir;
  if (!Path.isEmpty() && !Path.endsWith(u'/') && !Path.endsWith(QDir::separator()))
    Path.append(u'/');
  const QFileInfoList Entries = QDir(Path).entryInfoList(
      {wsMask}, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
      QDir::Name | QDir::IgnoreCase);
  int Count = 0;
  for (const QFileInfo &Entry : Entries) {
    if (Entry.isDir() && !Entry.fileName().startsWith(u'.')) {
      // A linked folder may lead back to itself; only real subfolders count.
      if (bRecursive && !Entry.isSymLink())
        Count += ScanForLangFiles(Entry.filePath(), wsMask, true);
    } else if (RegisterLangFile(Entry.filePath())) {
      ++Count;
    }
  }
  return Count;
}

int TZrLanguageManager::IndexOfLanguageID(quint16 wLangID) {
  TReadSection R(FSynchronizer);
  if (wLangID == FDefaultLanguageID)
    return 0;
  return FLangResources.IndexOfLangID(wLangID) + 1;
}

quint16 TZrLanguageManager::LanguageIDs(int Index) {
  TReadSection R(FSynchronizer);
  return Index == 0 ? FDefaultLanguageID : RegisteredLanguage(Index)->wLangID;
}

QString TZrLanguageManager::LanguageNames(int Index) {
  const quint16 LangID = LanguageIDs(Index);
  QMutexLocker Lock(&NameFuncMutex);
  return NameFunc()(LangID);
}

PZrLang_LangResource TZrLanguageManager::LanguageResources(int Index) {
  TReadSection R(FSynchronizer);
  return Index == 0 ? nullptr : RegisteredLanguage(Index);
}

PZrLang_LangResource TZrLanguageManager::RegisteredLanguage(int Index) const {
  // Checked here, in language indexes, so that Index - 1 cannot overflow.
  if (Index < 1 || Index > FLangResources.Count())
    throw EListError(Index);
  return FLangResources.Items(Index - 1);
}

int TZrLanguageManager::LanguageCount() {
  TReadSection R(FSynchronizer);
  return FLangResources.Count() + 1;
}

quint16 TZrLanguageManager::LanguageID() {
  TReadSection R(FSynchronizer);
  return FLanguageID;
}

quint16 TZrLanguageManager::DefaultLanguageID() {
  TReadSection R(FSynchronizer);
  return FDefaultLanguageID;
}

void TZrLanguageManager::SetDefaultLanguageID(quint16 Value) {
  TWriteSection W(FSynchronizer);
  FDefaultLanguageID = Value;
}

int TZrLanguageManager::LanguageIndex() {
  return IndexOfLanguageID(LanguageID());
}

void TZrLanguageManager::SetLanguageIndex(int Index) {
  SetLanguageID(LanguageIDs(Index));
}

unsigned TZrLanguageManager::CodePage() {
  TReadSection R(FSynchronizer);
  return FCodePage;
}

void TZrLanguageManager::SetLanguageID(quint16 Value) {
  std::unique_ptr<TZrLang_CompTranslations> Tr;
  bool Changed;
  {
    TWriteSection W(FSynchronizer);
    Tr = GetTranslationsForLang(Value);
    if (!Tr)
      Value = DefaultLanguageID();
    Changed = Value != FLanguageID;
    if (Changed) {
      FLanguageID = Value;
      UpdateCodePage();
    }
  }
  if (Changed)
    TranslateAll(Tr.get());
}

std::unique_ptr<TZrLang_CompTranslations>
TZrLanguageManager::GetTranslationsForLang(quint16 wLangID) {
  TZrLang_LangResource Res;
  {
    TReadSection R(FSynchronizer);
    if (wLangID == FDefaultLanguageID)
      return nullptr;
    const PZrLang_LangResource Found = FLangResources.FindLangID(wLangID);
    if (!Found)
      return nullptr;
    Res = *Found;
  }
  auto Tr = std::make_unique<TZrLang_CompTranslations>();
  switch (Res.Kind) {
  case zrlrkResName:
    Tr->Text_LoadFromResource(Res.wsName, false);
    break;
  case zrlrkResID:
    Tr->Text_LoadFromResource(Res.iResID, false);
    break;
  case zrlrkFile:
    Tr->Text_LoadFromFile(Res.wsName, false);
    break;
  }
  return Tr;
}

void TZrLanguageManager::TranslateAll(const TZrLang_CompTranslations *Translations) {
  std::vector<TZrLanguageController *> Controllers;
  {
    // The values change under readers on other threads (GetConstantValue):
    // replacing them takes the lock exclusively.
    TWriteSection W(FSynchronizer);
    FConstants->TranslateFrom(Translations ? &Translations->Constants() : nullptr);
    Controllers = FLangControllers;
  }
  // Controllers are translated outside the lock: their handlers may well
  // read constants or create forms, which register new controllers, or
  // destroy forms, whose controllers are then skipped.
  for (TZrLanguageController *C : Controllers)
    if (IsRegistered(C))
      TranslateController(Translations, C);
}

bool TZrLanguageManager::IsRegistered(const TZrLanguageController *Controller) {
  TReadSection R(FSynchronizer);
  return std::find(FLangControllers.begin(), FLangControllers.end(), Controller) !=
         FLangControllers.end();
}

void TZrLanguageManager::TranslateController(const TZrLang_CompTranslations *Translations,
                                             TZrLanguageController *Controller) {
  Q_EMIT Controller->OnLanguageChanging(Controller);
  // A handler may have destroyed the controller's own form.
  if (!IsRegistered(Controller))
    return;
  try {
    const TZrLang_CompTranslation *Translation =
        Translations ? Translations->FindComponentName(Controller->ActualSectionName()) : nullptr;
    Controller->RootCompEntry()->ApplyTranslation(Translation, CodePage());
  } catch (...) {
    if (IsRegistered(Controller))
      Q_EMIT Controller->OnLanguageChanged(Controller);
    throw;
  }
  if (IsRegistered(Controller))
    Q_EMIT Controller->OnLanguageChanged(Controller);
}

void TZrLanguageManager::TranslateNewController(TZrLanguageController *Controller) {
  if (LanguageID() == DefaultLanguageID())
    return;
  if (const auto Tr = GetTranslationsForLang(LanguageID()))
    TranslateController(Tr.get(), Controller);
}

void TZrLanguageManager::TranslateFromStream(QIODevice &Stream) {
  auto Tr = std::make_unique<TZrLang_CompTranslations>();
  {
    TWriteSection W(FSynchronizer);
    Stream.seek(0);
    Tr->Text_LoadFromStream(Stream, false);
    FLanguageID = Tr->LangID();
    UpdateCodePage();
  }
  TranslateAll(Tr.get());
}

QString TZrLanguageManager::GetConstantValue(QStringView wsName) {
  TReadSection R(FSynchronizer);
  return FConstants->Values(wsName);
}

void TZrLanguageManager::UpdateCodePage() {
  FCodePage = LangIDCodePage(FLanguageID);
}

TZrLanguageManager &LangManager() {
  static TZrLanguageManager Manager;
  return Manager;
}

QString LangConstant(QStringView Name) {
  return LangManager().ConstantValue(Name);
}

QString LangConstantFmt(QStringView Name, const QVariantList &Args) {
  return ZrLang_Format(LangConstant(Name), Args);
}
