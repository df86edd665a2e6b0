#pragma once

#include "ExchangeCatalog.h"

#include <QStringList>

class QIODevice;

// XLIFF 1.2, what most CAT tools read and write: one <file> (datatype
// plaintext, the source's name as original, the languages as BCP 47 tags)
// with one <group> per component and one for the constants, resname naming
// them; one <trans-unit> per unit, id and resname its Id and Name, with
// xml:space="preserve" and, when translated, approved="yes"; its <source>
// and a <target> whose state is translated, needs-translation (empty) or
// needs-review-translation.

// Writes Catalog in UTF-8 to Stream and returns the Ids of the units left
// out because their texts hold characters XML cannot carry (control
// characters other than tab and line feed). Raises EWriteError when the
// stream refuses the bytes.
QStringList WriteXliff(QIODevice &Stream, const TExchangeCatalog &Catalog);

// Reads the trans-units of every <file>: Id, Source and Target, the state
// from the target's state attribute (translated, final and signed-off, the
// needs-review and needs-l10n/adaptation states as NeedsReview, new and
// needs-translation as Untranslated; without one a non-empty target counts
// as translated) and the languages of the first file. Text in inline
// elements counts as the target's text; alternative translations do not.
// Units marked translate="no" are skipped. Raises EExchangeFileError for
// text that is not well-formed XML or not XLIFF 1.x.
TExchangeCatalog ReadXliff(QIODevice &Stream);
