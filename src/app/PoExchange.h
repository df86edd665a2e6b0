#pragma once

#include "ExchangeCatalog.h"

#include <QDateTime>
#include <QStringList>

class QIODevice;

// gettext PO, written and read through libgettextpo: one message per unit,
// msgctxt its Context, msgid its source, msgstr its translation (empty for
// an untranslated unit), "#, fuzzy" for one that needs review; a header
// naming the target language in POSIX form ("Language: de_DE"), the source
// language as "X-Source-Language" and the UTF-8 charset.

// Writes Catalog to Stream, the header's revision date Now, and returns the
// Contexts of the units left out because their source is empty: gettext
// keeps the empty msgid for the header. Raises EWriteError when the stream
// refuses the bytes and EExchangeFileError when the library fails.
QStringList WritePo(QIODevice &Stream, const TExchangeCatalog &Catalog, const QDateTime &Now);

// Reads the messages other than the header and obsolete ones: Context,
// Source and Target, the state Untranslated for an empty msgstr, else
// NeedsReview when fuzzy, else Translated; the target language from the
// header's "Language" field, the source language from "X-Source-Language".
// Text in another charset than UTF-8 is converted. A message without
// msgctxt has an empty Context. Raises EExchangeFileError for text that
// gettext does not accept as PO.
TExchangeCatalog ReadPo(QIODevice &Stream);
