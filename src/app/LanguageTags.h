#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

// BCP 47 language tags of the Windows language identifiers (LANGIDs) that
// translation headers carry, for the exchange formats: 1033 gives "en-US",
// 1031 "de-DE", 2055 "de-CH", 1049 "ru-RU". A language whose region is not
// known gives the bare language ("de"); an unknown LANGID or 0 gives "".
QString LanguageTagOfLangID(quint16 LangID);

// The LANGID of a language tag in BCP 47 ("de-CH") or POSIX form ("de_CH",
// "de_CH.UTF-8"), ignoring case: the identifier of that language and
// region (and script, where a region has two), else that of the language's
// main region; 0 when the language is unknown.
quint16 LangIDOfLanguageTag(QStringView Tag);

// The POSIX form gettext's "Language:" takes: "de_DE" for "de-DE",
// "sr_RS@latin" for "sr-Latn-RS".
QString PosixLocaleName(const QString &Tag);
