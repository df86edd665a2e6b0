#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

class TLangSource;
class TZrLang_CompTranslations;
class TZrLang_Params;

// What the editor stamps into the "Generator" header parameter on a save:
// "Brisel Solutions Lingrove " and the program's version.
QString TranslationGenerator();

// The integer value of a LANGID-like header parameter, kept as an unsigned
// 16-bit value; Default when the parameter is missing or not a number.
quint16 ParamLangID(const TZrLang_Params &Params, QStringView Name, quint16 Default);

// The two languages of a translation loaded from a file: "SourceLANGID"
// (1033 when missing) and "LANGID" (0 when missing). A new translation has
// 1033 and 0.
struct TTranslationLanguages {
  quint16 LangIDSource = 1033;
  quint16 LangIDTranslation = 0;
};
TTranslationLanguages ReadTranslationLanguages(const TZrLang_CompTranslations &Translations);

// Sets, in this order, "SourceLANGID", "LANGID", "Generator" and
// "LastModified" (Now as "yyyy-mm-dd hh:nn:ss"), replacing the values of the
// same names in place and appending the missing ones.
void StampTranslationHeader(TZrLang_Params &Params, const TTranslationLanguages &Languages,
                            const QDateTime &Now);

// Translation files keep only entries with a positive ID (their reader skips
// the others), so an entry whose source ID is 0 or negative cannot be
// translated: it is shown read-only and never counted as untranslated.
inline bool IsTranslatableID(qint32 iID) {
  return iID > 0;
}

// "[Component] Property (ID n)" for every source entry that cannot be
// translated, in source order.
QStringList NonPositiveIDEntries(const TLangSource &Source);

// The status bar counts of an open document: one row per source component,
// property and constant; a row is untranslated when its translation record
// carries zrtsUntranslated (autotranslated ones do not count) and its ID can
// be translated.
struct TTranslationCounts {
  int Components = 0;
  int Properties = 0;
  int UntranslatedProperties = 0;
  int Constants = 0;
  int UntranslatedConstants = 0;
};
// Translations must have been reconciled with Source; a record that is
// missing all the same counts as translated.
TTranslationCounts CountTranslationEntries(const TLangSource &Source,
                                           const TZrLang_CompTranslations &Translations);

// How many texts of a save in ANSI (header lines, section names, values and
// constant names; untranslated entries left out with bSkipUntranslated)
// would lose characters that CodePage lacks.
int CountAnsiLossyTexts(const TZrLang_CompTranslations &Translations, bool bSkipUntranslated,
                        unsigned CodePage);
