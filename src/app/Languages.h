#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <span>

// One row of the language table: a Windows LCID and the language's name.
struct TLanguageRow {
  quint16 LCID;
  const char16_t *Name;
};

// The languages a translation can be written for: 223 rows in ascending LCID
// order without duplicates. A row's index is also its index in the language
// lists of the translation properties dialog.
std::span<const TLanguageRow> LanguageTable();

// The index of the first row with this LCID, -1 when there is none.
int IndexOfLCID(quint16 LCID) noexcept;

// The text a language list shows for a row: the LCID in five decimal digits,
// in four upper-case hexadecimal digits and the name, as in
// "01033 - 0x0409 - English (United States)".
// REQUIRES: 0 <= Index < LanguageTable().size()
QString LanguageDisplayName(int Index);

// The name of a language without the number prefixes; the LCID in decimal
// when the table does not know it.
QString LanguageNameOfLCID(quint16 LCID);

// The tags of the spelling dictionaries that may serve a language, best
// first: the language with the country the table names ("de_CH" for 2055,
// "German (Switzerland)"), the language's main country ("de_DE") and the
// language alone ("de"). Empty for a LANGID whose language is unknown.
QStringList SpellingLanguageTags(quint16 LCID);

// Makes the language table the language manager's source of language names,
// so the interface language menu shows "German (Germany)" for 1031. The
// program calls it once at start-up.
void InstallLanguageTableNames();
