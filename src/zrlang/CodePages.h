#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

// The default ANSI code page of a Windows language identifier: 1250-1258,
// 874, 932, 936, 949 or 950; 0 for languages that only have Unicode text.
// An unknown language gives the system's ANSI code page.
unsigned LangIDCodePage(quint16 LangID);

// The system's ANSI code page: that of the process locale's language (1252
// when the locale names none), overridden by the environment variable
// LINGROVE_ACP.
unsigned SystemAnsiCodePage();

// The code page of a translation file without a byte-order mark whose
// header names the language LangID (nullopt: names none): that language's
// ANSI code page, which a Windows user of it has as the system's; the
// system's ANSI code page for a file that names no language or one without
// an ANSI code page. Never 0.
unsigned TranslationCodePage(std::optional<quint16> LangID);

// The ISO 639 code of a LANGID's primary language ("ru" for 1049), or empty.
QString IsoCodeOfLangID(quint16 LangID);

// The Windows primary language of an ISO 639 code ("ru" gives 0x19), or 0.
quint16 PrimaryLangIDOfIsoCode(QStringView Iso639);

// Conversions of narrow text. Code page 0 stands for the system's ANSI code
// page. Characters that the code page cannot represent are written as '?'.
QString DecodeAnsi(QByteArrayView Bytes, unsigned CodePage = 0);
QByteArray EncodeAnsi(QStringView Text, unsigned CodePage = 0);
// The 256 characters of a single-byte code page (0: the system's ANSI code
// page), as DecodeAnsi gives them; null for a code page of more bytes. The
// table lives as long as the program.
const char16_t *SingleByteToUnicode(unsigned CodePage = 0);
// True when EncodeAnsi keeps every character of Text: nothing becomes '?'
// and nothing is replaced by a look-alike.
bool CanEncodeAnsi(QStringView Text, unsigned CodePage = 0);
