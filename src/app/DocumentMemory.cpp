#include "DocumentMemory.h"

#include "HeaderItems.h"
#include "LangSource.h"
#include "LanguageTags.h"
#include "TextOrder.h"
#include "TranslationDocument.h"
#include "TranslationMemory.h"
#include "Translations.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStandardPaths>

QString MemorySourceLang(const TTranslationLanguages &Languages) {
  const QString Tag = LanguageTagOfLangID(Languages.LangIDSource);
  return Tag.isEmpty() ? QStringLiteral("en-US") : Tag;
}

QString MemoryTargetLang(const TTranslationLanguages &Languages) {
  return LanguageTagOfLangID(Languages.LangIDTranslation);
}

QString DefaultMemoryPath() {
  // The editor's AppDataLocation, whichever program asks.
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         QStringLiteral("/Brisel Solutions/Lingrove/memory.sqlite");
}

QString MemoryPathOf(const QString &Setting) {
  return Setting.trimmed().isEmpty() ? DefaultMemoryPath() : Setting.trimmed();
}

QString MemoryOrigin(const QString &FileName) {
  return FileName.isEmpty() ? QString() : QFileInfo(FileName).absoluteFilePath();
}

std::vector<TMemoryUnit> TranslatedMemoryUnits(TTranslationDocument &Doc, const QString &Origin,
                                               bool bChangedOnly) {
  std::vector<TMemoryUnit> Units;
  const QString SourceLang = MemorySourceLang(Doc.Languages());
  const QString TargetLang = MemoryTargetLang(Doc.Languages());
  if (TargetLang.isEmpty())
    return Units;
  const qint64 Now = QDateTime::currentSecsSinceEpoch();
  const TEntryTable &Table = Doc.Entries();
  for (int P = 0; P < Table.Count(); ++P) {
    if (!Table.IsEditable(P) || (bChangedOnly && !Doc.ChangedInSession(P)))
      continue;
    const TZrLang_TranslationStates States = Table.States(P);
    if (States.Contains(zrtsUntranslated) || States.Contains(zrtsAutotranslated))
      continue;
    Units.push_back(TMemoryUnit{SourceLang, TargetLang, Table.SourceValue(P),
                                Table.TranslatedValue(P), Origin, Doc.EntryKey(P), Now});
  }
  return Units;
}

int KeepRemovedTranslations(TTranslationMemory &Memory, const TLangSource &Source,
                            const TZrLang_CompTranslations &Translation,
                            const TTranslationLanguages &Languages, const QString &Origin) {
  const QString SourceLang = MemorySourceLang(Languages);
  const QString TargetLang = MemoryTargetLang(Languages);
  if (TargetLang.isEmpty() || Origin.isEmpty())
    return 0;
  // The removed entries by key with their translations, as the
  // reconciliation finds them.
  std::vector<std::pair<QString, QString>> Removed;
  const TComponentSources &Components = Source.ComponentSources();
  for (int I = 0; I < Translation.Count(); ++I) {
    const TZrLang_CompTranslation &Comp = *Translation.Items(I);
    int First = -1;
    const bool bKnown = Components.FindCompName(Comp.ComponentName(), First);
    while (bKnown && First > 0 &&
           ZrLang_SameText(Components.Items(First - 1)->CompName(), Comp.ComponentName()))
      --First;
    for (int J = 0; J < Comp.Count(); ++J) {
      const PZrLang_PropValueTranslation P = Comp.Items(J);
      if (P->TranStates.Contains(zrtsUntranslated) || P->wsValue.isEmpty())
        continue;
      bool bInSource = false;
      for (int K = First; bKnown && !bInSource && K < Components.Count() &&
                          ZrLang_SameText(Components.Items(K)->CompName(), Comp.ComponentName());
           ++K)
        bInSource = Components.Items(K)->PropertySources().FindPropByID(P->iID) != nullptr;
      if (!bInSource)
        Removed.emplace_back(THeaderItems::PropertyEntry(Comp.ComponentName(), P->iID),
                             P->wsValue);
    }
  }
  const TZrLang_Constants &Constants = Translation.Constants();
  for (int I = 0; I < Constants.Count(); ++I) {
    const PZrLang_Constant C = Constants.Items(I);
    if (!C->TranStates.Contains(zrtsUntranslated) && !C->wsDefValue.isEmpty() &&
        !Source.Constants().FindConstName(C->wsName))
      Removed.emplace_back(THeaderItems::ConstantEntry(C->wsName), C->wsDefValue);
  }

  int Kept = 0;
  std::vector<TMemoryUnit> Units;
  const qint64 Now = QDateTime::currentSecsSinceEpoch();
  for (const auto &[Entry, Value] : Removed) {
    const std::optional<TMemoryUnit> Known = Memory.FindEntry(SourceLang, TargetLang, Origin, Entry);
    if (!Known)
      continue;
    ++Kept;
    if (Known->Target != Value)
      Units.push_back(TMemoryUnit{SourceLang, TargetLang, Known->Source, Value, Origin, Entry, Now});
  }
  if (!Units.empty())
    Memory.Add(Units);
  return Kept;
}

std::vector<TMemoryUnit> MemoryUnitsOfFiles(const QString &SourceFile,
                                            const QString &TranslationFile) {
  TTranslationDocument Doc;
  Doc.Load(SourceFile, QString(), TranslationFile);
  const std::vector<TMemoryUnit> Units =
      TranslatedMemoryUnits(Doc, MemoryOrigin(TranslationFile), false);
  return Units;
}
