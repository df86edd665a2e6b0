#pragma once

#include "ExchangeCatalog.h"

#include <QDateTime>
#include <QStringList>
#include <cstddef>

class QIODevice;

// gettext PO, written and read through libgettextpo: one message per unit,
// msgctxt its Context, msgid its source, msgstr its translation (empty for
// an untranslated unit), "#, fuzzy" for one that needs review; a header
// naming the target language in POSIX form ("Language: de_DE"), the source
// language as "X-Source-Language" and the UTF-8 charset.

// The units of a part of a PO file: a few megabytes of text.
constexpr size_t PoUnitsPerPart = 8192;

// Writes Catalog to Stream, the header's revision date Now, and returns the
// Contexts of the units left out because their source is empty: gettext
// keeps the empty msgid for the header. The library writes the file in
// parts of UnitsPerPart units on a thread of its own while the next part is
// made; the bytes are the same for any size of part. Raises EWriteError
// when the stream refuses the bytes and EExchangeFileError when the library
// fails. REQUIRES: UnitsPerPart > 0.
QStringList WritePo(QIODevice &Stream, const TExchangeCatalog &Catalog, const QDateTime &Now,
                    size_t UnitsPerPart = PoUnitsPerPart);

// Reads the messages other than the header and obsolete ones: Context,
// Source and Target, the state Untranslated for an empty msgstr, else
// NeedsReview when fuzzy, else Translated; the target language from the
// header's "Language" field, the source language from "X-Source-Language".
// Text in another charset than UTF-8 is converted. A message without
// msgctxt has an empty Context. Raises EExchangeFileError for text that
// gettext does not accept as PO.
TExchangeCatalog ReadPo(QIODevice &Stream);
