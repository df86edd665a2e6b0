// Header stamping and entry counting shared by the editor's save and status
// bar and by the command-line tool.
#include "TranslationSupport.h"

#include "CodePages.h"
#include "LangSource.h"
#include "ProgramIdentity.h"
#include "TextOrder.h"
#include "TextUtils.h"
#include "Translations.h"

#include <QHash>

QString TranslationGenerator() {
  return QStringLiteral("Brisel Solutions Lingrove ") + ProgramVersion();
}

quint16 ParamLangID(const TZrLang_Params &Params, QStringView Name, quint16 Default) {
  int Value;
  // Stored as a 16-bit word: larger numbers keep their low 16 bits.
  return ZrLang_TryStrToInt(Params.Values(Name), Value) ? quint16(Value) : Default;
}

TTranslationLanguages ReadTranslationLanguages(const TZrLang_CompTranslations &Translations) {
  TTranslationLanguages Result;
  Result.LangIDSource = ParamLangID(Translations.Params(), u"SourceLANGID", 1033);
  Result.LangIDTranslation = ParamLangID(Translations.Params(), u"LANGID", 0);
  return Result;
}

void StampTranslationHeader(TZrLang_Params &Params, const TTranslationLanguages &Languages,
                            const QDateTime &Now) {
  Params.SetValue(u"SourceLANGID", QString::number(Languages.LangIDSource));
  Params.SetValue(u"LANGID", QString::number(Languages.LangIDTranslation));
  Params.SetValue(u"Generator", TranslationGenerator());
  Params.SetValue(u"LastModified", Now.toString(u"yyyy-MM-dd HH:mm:ss"));
}

TTranslationCounts CountTranslationEntries(const TLangSource &Source,
                                           const TZrLang_CompTranslations &Translations) {
  TTranslationCounts Counts;
  // The first component translation of each name, as a linear search finds
  // it; one search per component would make large projects quadratic.
  QHash<QString, const TZrLang_CompTranslation *> ByName;
  ByName.reserve(Translations.Count());
  for (int I = Translations.Count() - 1; I >= 0; --I)
    ByName.insert(ZrLang_TextOrderKey(Translations.Items(I)->ComponentName()),
                  Translations.Items(I));
  const TComponentSources &Components = Source.ComponentSources();
  for (int I = 0; I < Components.Count(); ++I) {
    const TComponentSource *Component = Components.Items(I);
    const TPropertySources &Props = Component->PropertySources();
    const TZrLang_CompTranslation *Target =
        ByName.value(ZrLang_TextOrderKey(Component->CompName()));
    ++Counts.Components;
    Counts.Properties += Props.Count();
    for (int J = 0; Target && J < Props.Count(); ++J) {
      if (!IsTranslatableID(Props.Items(J)->iID))
        continue;
      const PZrLang_PropValueTranslation P = Target->FindPropByID(Props.Items(J)->iID);
      if (P && P->TranStates.Contains(zrtsUntranslated))
        ++Counts.UntranslatedProperties;
    }
  }
  const TZrLang_Constants &Constants = Source.Constants();
  Counts.Constants = Constants.Count();
  for (int I = 0; I < Constants.Count(); ++I) {
    const PZrLang_Constant C = Translations.Constants().FindConstName(Constants.Items(I)->wsName);
    if (C && C->TranStates.Contains(zrtsUntranslated))
      ++Counts.UntranslatedConstants;
  }
  return Counts;
}

QStringList NonPositiveIDEntries(const TLangSource &Source) {
  QStringList Entries;
  const TComponentSources &Components = Source.ComponentSources();
  for (int I = 0; I < Components.Count(); ++I) {
    const TPropertySources &Props = Components.Items(I)->PropertySources();
    // Sorted by ID: the entries without a positive one come first.
    for (int J = 0; J < Props.Count() && !IsTranslatableID(Props.Items(J)->iID); ++J)
      Entries.append(QStringLiteral("[%1] %2 (ID %3)")
                         .arg(Components.Items(I)->CompName(), Props.Items(J)->sPropName.Text())
                         .arg(Props.Items(J)->iID));
  }
  return Entries;
}

int CountAnsiLossyTexts(const TZrLang_CompTranslations &Translations, bool bSkipUntranslated,
                        unsigned CodePage) {
  int Lossy = 0;
  const auto Check = [&Lossy, CodePage](QStringView Text) {
    if (!CanEncodeAnsi(Text, CodePage))
      ++Lossy;
  };
  const auto Skip = [bSkipUntranslated](TZrLang_TranslationStates S) {
    return bSkipUntranslated && S.Contains(zrtsUntranslated);
  };
  for (const QString &Line : Translations.Params().Lines())
    Check(Line);
  for (int C = 0; C < Translations.Count(); ++C) {
    const TZrLang_CompTranslation &Component = *Translations.Items(C);
    Check(Component.ComponentName());
    for (int I = 0; I < Component.Count(); ++I)
      if (Component.Items(I)->iID > 0 && !Skip(Component.Items(I)->TranStates))
        Check(Component.Items(I)->wsValue);
  }
  const TZrLang_Constants &Constants = Translations.Constants();
  for (int I = 0; I < Constants.Count(); ++I) {
    const PZrLang_Constant Constant = Constants.Items(I);
    if (Skip(Constant->TranStates))
      continue;
    Check(Constant->wsName);
    Check(Constant->wsValue);
  }
  return Lossy;
}
